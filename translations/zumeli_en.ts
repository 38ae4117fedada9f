<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CollectionBrowser</name>
    <message>
        <source>入門</source>
        <translation>Beginner</translation>
    </message>
    <message>
        <source>初級</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>中級</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>上級</source>
        <translation>Hard</translation>
    </message>
    <message>
        <source>達人</source>
        <translation>Expert</translation>
    </message>
</context>
<context>
    <name>RepairOffer</name>
    <message>
        <source>縦と横の数字だけで解けるようになります。</source>
        <translation>The clues alone will solve it.</translation>
    </message>
    <message>
        <source>解がただ一つになります。</source>
        <translation>It will have exactly one solution.</translation>
    </message>
    <message>
        <source>印の%1マスを変える案です。
%2
「適用」で採用、「取消」で元の絵に戻します。</source>
        <translation>Proposal: change the %1 marked cells.
%2
Apply takes it, Discard goes back to the original picture.</translation>
    </message>
    <message>
        <source>数字が入るように問題欄を%1に広げます。
</source>
        <translation>The clue band grows to %1 to hold the clues.
</translation>
    </message>
    <message>
        <source>印の%1マスを変える案です。%2
%3「適用」で盤面の絵と数字を書き換えます（元に戻せます）。</source>
        <translation>Proposal: change the %1 marked cells. %2
%3Apply rewrites the picture and the clues (undoable).</translation>
    </message>
    <message>
        <source>線だけで解けるように絵を直しています...</source>
        <translation>Repairing the picture for line logic...</translation>
    </message>
    <message>
        <source>解が一つになるように絵を直しています...</source>
        <translation>Repairing the picture for one solution...</translation>
    </message>
    <message>
        <source>線だけで解けるように直しています...</source>
        <translation>Repairing for line logic...</translation>
    </message>
    <message>
        <source>解が一つになるように直しています...</source>
        <translation>Repairing for one solution...</translation>
    </message>
    <message>
        <source>絵を直すのを中止しました。</source>
        <translation>Repair stopped.</translation>
    </message>
    <message>
        <source>直すのを中止しました。</source>
        <translation>Repair stopped.</translation>
    </message>
    <message>
        <source>絵を直す方法が見つかりませんでした。</source>
        <translation>No repair found.</translation>
    </message>
    <message>
        <source>直す方法が見つかりませんでした。</source>
        <translation>No repair found.</translation>
    </message>
    <message>
        <source>直した絵は数字が多すぎて問題欄に入りません（最大%1）。</source>
        <translation>The repaired picture has too many clues for the clue band (at most %1).</translation>
    </message>
</context>
<context>
    <name>zumeli</name>
    <message>
        <source>画像が大きすぎます。<byte value="xd"/>
幅と高さが10000ピクセル以下の画像を選んでください。</source>
        <translation>The image is too large.<byte value="xd"/>
Choose one of at most 10000 pixels each way.</translation>
    </message>
    <message>
        <source>白と黒のしきい値は0から255までの整数です</source>
        <translation>The threshold is a whole number from 0 to 255</translation>
    </message>
    <message>
        <source>画像が大きすぎます。<byte value="xd"/>
80×80以下のサイズにしてください。</source>
        <translation>The image is too large.<byte value="xd"/>
Use one of at most 80 × 80 pixels.</translation>
    </message>
    <message>
        <source>サイズが大きすぎます</source>
        <translation>Too large</translation>
    </message>
    <message>
        <source>問題欄のサイズは1から20までの整数です</source>
        <translation>The clue band is a whole number from 1 to 20</translation>
    </message>
    <message>
        <source>問題欄のサイズは1から80までの整数です</source>
        <translation>The size is a whole number from 1 to 80</translation>
    </message>
    <message>
        <source>幅と高さは5から80までの整数です</source>
        <translation>Width and height are whole numbers from 5 to 80</translation>
    </message>
    <message>
        <source>失敗しました</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>ズメリロジック！</source>
        <translation>Zumeli</translation>
    </message>
    <message>
        <source>前回保存されなかった盤面があります。復元しますか？</source>
        <translation>A board was left unsaved last time. Restore it?</translation>
    </message>
    <message>
        <source>10以上500以下の数値を入力してください</source>
        <translation>Enter a number from 10 to 500</translation>
    </message>
    <message>
        <source>ランダム問題</source>
        <translation>Random Puzzle</translation>
    </message>
    <message>
        <source>問題を作成できませんでした</source>
        <translation>No puzzle could be made</translation>
    </message>
    <message>
        <source>ズメリロジック！ - </source>
        <translation>Zumeli - </translation>
    </message>
    <message>
        <source>名称未指定</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>正しい値を入力してください</source>
        <translation>Invalid Value</translation>
    </message>
</context>
<context>
    <name>zumeli::BoardKeeper</name>
    <message>
        <source>前回保存されなかった盤面が %1 つあります（%2 つ目: %3、%4）。復元しますか？</source>
        <translation>%1 boards were left unsaved last time (board %2: %3, %4). Restore it?</translation>
    </message>
    <message>
        <source>M月d日 H:mm</source>
        <translation>MMM d, H:mm</translation>
    </message>
</context>
<context>
    <name>zumeli::CheckReport</name>
    <message>
        <source>縦と横の数字だけで、順に最後まで解けます。</source>
        <translation>The clues alone solve it, line by line, to the end.</translation>
    </message>
    <message>
        <source>縦と横の数字だけでは解き切れません。印のマスは、仮定を置かないと決まりません。</source>
        <translation>The clues alone do not solve it. The marked cells need guessing.</translation>
    </message>
    <message>
        <source>線の単純な重なりだけで解けます</source>
        <translation>simple overlaps solve it</translation>
    </message>
    <message>
        <source>線の論理だけで解けます</source>
        <translation>line logic solves it</translation>
    </message>
    <message>
        <source>仮定して矛盾を調べると解けます</source>
        <translation>trying cells for contradictions solves it</translation>
    </message>
    <message>
        <source>探索が必要です</source>
        <translation>it needs search</translation>
    </message>
    <message>
        <source>難易度: %1（%2）</source>
        <translation>Difficulty: %1 (%2)</translation>
    </message>
    <message>
        <source>この数字には解がありません。</source>
        <translation>These clues have no solution.</translation>
    </message>
    <message>
        <source>解はただ一つです。縦と横の数字だけで解けます。</source>
        <translation>There is exactly one solution. The clues alone solve it.</translation>
    </message>
    <message>
        <source>解はただ一つですが、解くには仮定が要ります。</source>
        <translation>There is exactly one solution, but it needs guessing.</translation>
    </message>
    <message>
        <source>解が2つ以上あります。</source>
        <translation>There are two or more solutions.</translation>
    </message>
    <message>
        <source>判定を中止しました。</source>
        <translation>Check cancelled.</translation>
    </message>
    <message>
        <source>制限時間内に判定できませんでした。</source>
        <translation>No answer within the time limit.</translation>
    </message>
    <message>
        <source>検査の結果を読み取れませんでした。</source>
        <translation>The result of the check could not be read.</translation>
    </message>
    <message>
        <source>この問題には解がありません。数字を見直してください。</source>
        <translation>This puzzle has no solution. Check the clues.</translation>
    </message>
    <message>
        <source>解はただ一つです。</source>
        <translation>There is exactly one solution.</translation>
    </message>
    <message>
        <source>その解は、描かれた絵と一致します。</source>
        <translation>It matches the picture drawn.</translation>
    </message>
    <message>
        <source>その解は、描かれた絵と一致しません。</source>
        <translation>It does not match the picture drawn.</translation>
    </message>
    <message>
        <source>解</source>
        <translation>Solution</translation>
    </message>
    <message>
        <source>縦横の数字だけで決まるマス</source>
        <translation>Cells the clues alone decide</translation>
    </message>
    <message>
        <source>解が2つ以上あります。印のマスが、下の2つの解で異なります。</source>
        <translation>There are two or more solutions. The two below differ in the marked cells.</translation>
    </message>
    <message>
        <source>描かれた絵はそのうちの1つです。</source>
        <translation>The picture drawn is one of them.</translation>
    </message>
    <message>
        <source>描かれた絵は、数字と一致しません。</source>
        <translation>The picture drawn does not match the clues.</translation>
    </message>
    <message>
        <source>解 1</source>
        <translation>Solution 1</translation>
    </message>
    <message>
        <source>解 2</source>
        <translation>Solution 2</translation>
    </message>
    <message>
        <source>検査を中止しました。</source>
        <translation>Check cancelled.</translation>
    </message>
</context>
<context>
    <name>zumeli::CollectionBrowser</name>
    <message>
        <source>問題集</source>
        <translation>Puzzle collection</translation>
    </message>
    <message>
        <source>問題</source>
        <translation>Puzzle</translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>ベストタイム</source>
        <translation>Best time</translation>
    </message>
    <message>
        <source>未解決のみ</source>
        <translation>Unsolved only</translation>
    </message>
    <message>
        <source>%1（%2 問）</source>
        <translation>%1 (%2 puzzles)</translation>
    </message>
    <message>
        <source>？</source>
        <translation>?</translation>
    </message>
</context>
<context>
    <name>zumeli::CommandLine</name>
    <message>
        <source>Zumeli (ズメリロジック！): solve and author nonograms.</source>
        <translation>Zumeli: solve and author nonograms.</translation>
    </message>
    <message>
        <source>Puzzle to open (.zml, .non or webpbn XML), as the Load command would.</source>
        <translation>Puzzle to open (.zml, .non or webpbn XML), as the Load command would.</translation>
    </message>
    <message>
        <source>Answer state (.sts) to load into that puzzle.</source>
        <translation>Answer state (.sts) to load into that puzzle.</translation>
    </message>
    <message>
        <source>Too many files: give a puzzle and at most one answer state.</source>
        <translation>Too many files: give a puzzle and at most one answer state.</translation>
    </message>
</context>
<context>
    <name>zumeli::FileFlow</name>
    <message>
        <source>はすでに存在します。<byte value="xd"/>
上書きしますか？</source>
        <translation> already exists.<byte value="xd"/>
Replace it?</translation>
    </message>
    <message>
        <source>ズメリファイル(*.zml)|*.zml</source>
        <translation>Zumeli puzzles (*.zml)|*.zml</translation>
    </message>
    <message>
        <source>ズメリファイル(*.zml)|*.zml|すべてのファイル(*.*)|*</source>
        <translation>Zumeli puzzles (*.zml)|*.zml|All files (*.*)|*</translation>
    </message>
    <message>
        <source>ズメリ状態ファイル(*.sts)|*.sts</source>
        <translation>Zumeli answer states (*.sts)|*.sts</translation>
    </message>
    <message>
        <source>ビットマップファイル(*.bmp)|*.bmp</source>
        <translation>Bitmaps (*.bmp)|*.bmp</translation>
    </message>
    <message>
        <source>NONファイル(*.non)|*.non</source>
        <translation>NON files (*.non)|*.non</translation>
    </message>
    <message>
        <source>webpbn XMLファイル(*.xml)|*.xml</source>
        <translation>webpbn XML files (*.xml)|*.xml</translation>
    </message>
    <message>
        <source>画像ファイル(*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif)|*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif</source>
        <translation>Images (*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif)|*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif</translation>
    </message>
    <message>
        <source>画像ファイル|</source>
        <translation>Images|</translation>
    </message>
    <message>
        <source>|すべてのファイル(*.*)|*</source>
        <translation>|All files (*.*)|*</translation>
    </message>
    <message>
        <source>上書き確認</source>
        <translation>Confirm Replace</translation>
    </message>
</context>
<context>
    <name>zumeli::Form1</name>
    <message>
        <source>鉛筆</source>
        <translation>Pencil</translation>
    </message>
    <message>
        <source>四角</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>問題エリア</source>
        <translation>Puzzle</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>問題データの読み込み</source>
        <translation>Load a puzzle</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>作成したmondaiファイルを保存します</source>
        <translation>Save the puzzle</translation>
    </message>
    <message>
        <source>解答エリア</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>解答エリアの読み込み</source>
        <translation>Load an answer state</translation>
    </message>
    <message>
        <source>解答エリアの保存</source>
        <translation>Save the answer state</translation>
    </message>
    <message>
        <source>印刷・画像へ出力</source>
        <translation>Print, Export</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>印刷します(サイズは拡大率で指定可能)</source>
        <translation>Print (at the size set by Zoom)</translation>
    </message>
    <message>
        <source>BMPとして出力</source>
        <translation>Export as BMP</translation>
    </message>
    <message>
        <source>問題作成</source>
        <translation>Make Puzzles</translation>
    </message>
    <message>
        <source>New</source>
        <translation>New</translation>
    </message>
    <message>
        <source>サイズを指定して新規作成します</source>
        <translation>New puzzle of a chosen size</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>画像ファイルから問題を作成します</source>
        <translation>Puzzle from an image file</translation>
    </message>
    <message>
        <source>Make</source>
        <translation>Make</translation>
    </message>
    <message>
        <source>解答から問題を作成します</source>
        <translation>Make the clues from the answer</translation>
    </message>
    <message>
        <source>解答</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>合っているかどうか判定</source>
        <translation>Check whether the answer is right</translation>
    </message>
    <message>
        <source>描画ツール</source>
        <translation>Drawing tools</translation>
    </message>
    <message>
        <source>鉛筆(左クリックで点 or 消去、右クリックで×を打てます)</source>
        <translation>Pencil (left click fills or clears, right click crosses)</translation>
    </message>
    <message>
        <source>四角(終点指定時に、左クリックで塗りつぶし、右クリックで消去できます)</source>
        <translation>Rectangle (at the end corner, left click fills, right click clears)</translation>
    </message>
    <message>
        <source>不透明度</source>
        <translation>Opacity</translation>
    </message>
    <message>
        <source>このウインドウを半透明にできます(Win2000以降で有効)</source>
        <translation>Makes this window translucent (Windows 2000 or later)</translation>
    </message>
    <message>
        <source>拡大率</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>画面の表示サイズと印刷時のサイズを指定します</source>
        <translation>Size of the board on screen and in print</translation>
    </message>
    <message>
        <source>問題をロードしてください...</source>
        <translation>Load a puzzle...</translation>
    </message>
    <message>
        <source>ここには状態や説明などを表示します</source>
        <translation>Status and help appear here</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>ボタンやコントロールにあわせると説明が出ます...</source>
        <translation>Point at a control for help...</translation>
    </message>
    <message>
        <source>ズメリロジック！ Zumeli</source>
        <translation>Zumeli</translation>
    </message>
    <message>
        <source>始点を指定してください</source>
        <translation>Click the start corner</translation>
    </message>
    <message>
        <source>問題を開く</source>
        <translation>Open Puzzle</translation>
    </message>
    <message>
        <source>表示言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>問題を開く(&amp;O)...</source>
        <translation>&amp;Open Puzzle...</translation>
    </message>
    <message>
        <source>問題を保存(&amp;S)...</source>
        <translation>&amp;Save Puzzle...</translation>
    </message>
    <message>
        <source>解答エリアを開く(&amp;L)...</source>
        <translation>&amp;Load Answer State...</translation>
    </message>
    <message>
        <source>解答エリアを保存(&amp;A)...</source>
        <translation>Save &amp;Answer State...</translation>
    </message>
    <message>
        <source>画像ファイルから問題を作成(&amp;I)...</source>
        <translation>Puzzle from &amp;Image File...</translation>
    </message>
    <message>
        <source>問題を書き出す(&amp;E)</source>
        <translation>&amp;Export Puzzle</translation>
    </message>
    <message>
        <source>.non 形式(&amp;N)...</source>
        <translation>.&amp;non Format...</translation>
    </message>
    <message>
        <source>webpbn XML 形式(&amp;X)...</source>
        <translation>webpbn &amp;XML Format...</translation>
    </message>
    <message>
        <source>BMPとして出力(&amp;B)...</source>
        <translation>Export as &amp;BMP...</translation>
    </message>
    <message>
        <source>印刷(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>問題(&amp;P)</source>
        <translation>&amp;Puzzle</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)...</source>
        <translation>&amp;New...</translation>
    </message>
    <message>
        <source>解答から問題を作成(&amp;M)</source>
        <translation>&amp;Make Clues from Answer</translation>
    </message>
    <message>
        <source>ランダム問題...</source>
        <translation>Random Puzzle...</translation>
    </message>
    <message>
        <source>答え合わせ(&amp;J)</source>
        <translation>Check &amp;Answer</translation>
    </message>
    <message>
        <source>問題の検査(&amp;C)...</source>
        <translation>&amp;Check Puzzle...</translation>
    </message>
    <message>
        <source>画像から問題作成（詳細）...</source>
        <translation>Puzzle from Picture (Detailed)...</translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>鉛筆(&amp;P)</source>
        <translation>&amp;Pencil</translation>
    </message>
    <message>
        <source>四角(&amp;R)</source>
        <translation>&amp;Rectangle</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>間違いを表示</source>
        <translation>Show Mistakes</translation>
    </message>
    <message>
        <source>手がかりの数字がありません</source>
        <translation>There are no clues</translation>
    </message>
    <message>
        <source>塗ったマスや×が手がかりと矛盾しています</source>
        <translation>Your fills or crosses contradict the clues</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>%1 マス塗れます</source>
        <translation>%1 to fill</translation>
    </message>
    <message>
        <source>%1 マスに×が付きます</source>
        <translation>%1 to cross</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>手がかりどうしが矛盾しています(答えがありません)</source>
        <translation>The clues contradict each other (no solution)</translation>
    </message>
    <message>
        <source>線の論理だけでは次の一手が決まりません</source>
        <translation>Line logic alone finds no next step</translation>
    </message>
    <message>
        <source>すべての行と列が手がかりどおりに塗れています</source>
        <translation>Every row and column matches its clues</translation>
    </message>
    <message>
        <source>手がかりに負の数があるため、ヒントを出せません</source>
        <translation>No hint: a clue is negative</translation>
    </message>
    <message>
        <source>プレイ(&amp;G)</source>
        <translation>P&amp;lay</translation>
    </message>
    <message>
        <source>ヒント(&amp;H)</source>
        <translation>&amp;Hint</translation>
    </message>
    <message>
        <source>間違いを表示(&amp;M)</source>
        <translation>Show &amp;Mistakes</translation>
    </message>
    <message>
        <source>完成した手がかりを灰色にする(&amp;G)</source>
        <translation>&amp;Grey Finished Clues</translation>
    </message>
    <message>
        <source>5マスごとに太線(&amp;L)</source>
        <translation>Thick &amp;Line Every 5 Cells</translation>
    </message>
    <message>
        <source>
間違いを表示しますか？</source>
        <translation>
Show the mistakes?</translation>
    </message>
    <message>
        <source>手がかりに負の数があるため、間違いを表示できません</source>
        <translation>Cannot show mistakes: a clue is negative</translation>
    </message>
    <message>
        <source>答えが一つに決まらないため、間違いを表示できません</source>
        <translation>Cannot show mistakes: the puzzle has more than one solution</translation>
    </message>
    <message>
        <source>手がかりに合う答えがないため、間違いを表示できません</source>
        <translation>Cannot show mistakes: the clues have no solution</translation>
    </message>
    <message>
        <source>答えが時間内に求まらなかったため、間違いを表示できません</source>
        <translation>Cannot show mistakes: no solution found in time</translation>
    </message>
    <message>
        <source>間違いはありません</source>
        <translation>No mistakes</translation>
    </message>
    <message>
        <source>間違い: %1 マス</source>
        <translation>Mistakes: %1 cells</translation>
    </message>
    <message>
        <source>終点を指定してください</source>
        <translation>Click the end corner</translation>
    </message>
    <message>
        <source>ここは解答エリアではありません</source>
        <translation>This is not the answer area</translation>
    </message>
    <message>
        <source>答えと一致しました</source>
        <translation>Your answer is right</translation>
    </message>
    <message>
        <source>大当たり！</source>
        <translation>Solved!</translation>
    </message>
    <message>
        <source>残念！<byte value="xd"/>
答えと一致しませんでした</source>
        <translation>Sorry!<byte value="xd"/>
Your answer is not right</translation>
    </message>
    <message>
        <source>間違いです</source>
        <translation>Not Right</translation>
    </message>
    <message>
        <source>問題集が見つかりませんでした</source>
        <translation>The puzzle collection was not found</translation>
    </message>
    <message>
        <source>プレイ時間</source>
        <translation>Play time</translation>
    </message>
    <message>
        <source>ドラッグで続けて塗る(&amp;D)</source>
        <translation>&amp;Drag to paint</translation>
    </message>
    <message>
        <source>完成した列に×を付ける(&amp;X)</source>
        <translation>Cross finished &amp;lines</translation>
    </message>
    <message>
        <source>完成！ %1</source>
        <translation>Solved! %1</translation>
    </message>
    <message>
        <source>問題集...</source>
        <translation>Puzzle collection...</translation>
    </message>
</context>
<context>
    <name>zumeli::Form2</name>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>問題欄のサイズ</source>
        <translation>Clue band</translation>
    </message>
    <message>
        <source>←多めに取ることを推奨</source>
        <translation>← Allow some extra</translation>
    </message>
    <message>
        <source>解答エリアの幅</source>
        <translation>Answer width</translation>
    </message>
    <message>
        <source>解答エリアの高さ</source>
        <translation>Answer height</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>zumeli::Form3</name>
    <message>
        <source>画像ファイルから問題作成</source>
        <translation>Puzzle from Image File</translation>
    </message>
    <message>
        <source>読み込む</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>問題欄のサイズ</source>
        <translation>Clue band</translation>
    </message>
    <message>
        <source>白と黒のしきい値</source>
        <translation>Threshold</translation>
    </message>
</context>
<context>
    <name>zumeli::ImageThreshold</name>
    <message>
        <source>★&#x3000;画像情報&#x3000;★<byte value="xd"/>
幅:%1<byte value="xd"/>
&#x3000;高さ:%2</source>
        <translation>★ Image ★<byte value="xd"/>
Width: %1<byte value="xd"/>
Height: %2</translation>
    </message>
</context>
<context>
    <name>zumeli::PictureImportDialog</name>
    <message>
        <source>画像から問題作成（詳細）</source>
        <translation>Puzzle from Picture</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>一意にする</source>
        <translation>Make Unique</translation>
    </message>
    <message>
        <source>線だけで解けるようにする</source>
        <translation>Make Line-Solvable</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>%1 × %2 ピクセル</source>
        <translation>%1 × %2 pixels</translation>
    </message>
    <message>
        <source>解答エリアの幅</source>
        <translation>Answer width</translation>
    </message>
    <message>
        <source>解答エリアの高さ</source>
        <translation>Answer height</translation>
    </message>
    <message>
        <source>縦横比を保つ</source>
        <translation>Keep aspect ratio</translation>
    </message>
    <message>
        <source>余白を切り取る</source>
        <translation>Trim border</translation>
    </message>
    <message>
        <source>問題欄のサイズ</source>
        <translation>Clue band</translation>
    </message>
    <message>
        <source>白と黒のしきい値</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>この絵には問題欄が%1必要です。入らない数字は捨てられます。</source>
        <translation>This picture needs a clue band of %1. Clues that do not fit are dropped.</translation>
    </message>
    <message>
        <source>判定しています...</source>
        <translation>Checking...</translation>
    </message>
</context>
<context>
    <name>zumeli::PuzzleCheckWindow</name>
    <message>
        <source>「検査する」を押すと、いまの数字で解がいくつあるかを調べます。</source>
        <translation>Check counts the solutions of the clues as they are now.</translation>
    </message>
    <message>
        <source>問題の検査</source>
        <translation>Check Puzzle</translation>
    </message>
    <message>
        <source>検査する(&amp;C)</source>
        <translation>&amp;Check</translation>
    </message>
    <message>
        <source>中止(&amp;S)</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>一意にする</source>
        <translation>Make Unique</translation>
    </message>
    <message>
        <source>線だけで解けるようにする</source>
        <translation>Make Line-Solvable</translation>
    </message>
    <message>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>検査しています...</source>
        <translation>Checking...</translation>
    </message>
    <message>
        <source>
(%1 ミリ秒)</source>
        <translation>
(%1 ms)</translation>
    </message>
    <message>
        <source>直した絵</source>
        <translation>Repaired picture</translation>
    </message>
    <message>
        <source>盤面が変わりました。絵を直すには、もう一度検査してください。</source>
        <translation>The board has changed. Check again to repair the picture.</translation>
    </message>
</context>
<context>
    <name>zumeli::RandomPuzzleDialog</name>
    <message>
        <source>1（線の単純な重なりだけで解ける）</source>
        <translation>1 (simple overlaps)</translation>
    </message>
    <message>
        <source>2（線の論理だけで解ける）</source>
        <translation>2 (line logic)</translation>
    </message>
    <message>
        <source>3（仮定して矛盾を調べると解ける）</source>
        <translation>3 (trying cells for contradictions)</translation>
    </message>
    <message>
        <source>4（探索が必要）</source>
        <translation>4 (search)</translation>
    </message>
    <message>
        <source>問題欄のサイズ</source>
        <translation>Clue band</translation>
    </message>
    <message>
        <source>←足りなければ広げます</source>
        <translation>← Widened if needed</translation>
    </message>
    <message>
        <source>解答エリアの幅</source>
        <translation>Answer width</translation>
    </message>
    <message>
        <source>解答エリアの高さ</source>
        <translation>Answer height</translation>
    </message>
    <message>
        <source>難易度</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>線の論理だけで解ける</source>
        <translation>Line logic only</translation>
    </message>
    <message>
        <source>探索あり</source>
        <translation>Search allowed</translation>
    </message>
    <message>
        <source>難易度を指定</source>
        <translation>Choose difficulty</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>問題を作成しています...</source>
        <translation>Making a puzzle...</translation>
    </message>
</context>
</TS>
