<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>zumeli</name>
    <message>
        <source>画像が大きすぎます。<byte value="xd"/>
幅と高さが10000ピクセル以下の画像を選んでください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白と黒のしきい値は0から255までの整数です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像が大きすぎます。<byte value="xd"/>
80×80以下のサイズにしてください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サイズが大きすぎます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題欄のサイズは1から20までの整数です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題欄のサイズは1から80までの整数です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>幅と高さは5から80までの整数です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>失敗しました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ズメリロジック！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前回保存されなかった盤面があります。復元しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10以上500以下の数値を入力してください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ランダム問題</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題を作成できませんでした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ズメリロジック！ - </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名称未指定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正しい値を入力してください</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zumeli::BoardKeeper</name>
    <message>
        <source>前回保存されなかった盤面が %1 つあります（%2 つ目: %3、%4）。復元しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M月d日 H:mm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zumeli::CheckReport</name>
    <message>
        <source>縦と横の数字だけで、順に最後まで解けます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>縦と横の数字だけでは解き切れません。印のマスは、仮定を置かないと決まりません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>線の単純な重なりだけで解けます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>線の論理だけで解けます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仮定して矛盾を調べると解けます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>探索が必要です</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>難易度: %1（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この数字には解がありません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解はただ一つです。縦と横の数字だけで解けます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解はただ一つですが、解くには仮定が要ります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解が2つ以上あります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>判定を中止しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>制限時間内に判定できませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>検査の結果を読み取れませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この問題には解がありません。数字を見直してください。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解はただ一つです。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>その解は、描かれた絵と一致します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>その解は、描かれた絵と一致しません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>縦横の数字だけで決まるマス</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解が2つ以上あります。印のマスが、下の2つの解で異なります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>描かれた絵はそのうちの1つです。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>描かれた絵は、数字と一致しません。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>検査を中止しました。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zumeli::CommandLine</name>
    <message>
        <source>Zumeli (ズメリロジック！): solve and author nonograms.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Puzzle to open (.zml, .non or webpbn XML), as the Load command would.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answer state (.sts) to load into that puzzle.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many files: give a puzzle and at most one answer state.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zumeli::FileFlow</name>
    <message>
        <source>はすでに存在します。<byte value="xd"/>
上書きしますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ズメリファイル(*.zml)|*.zml</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ズメリファイル(*.zml)|*.zml|すべてのファイル(*.*)|*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ズメリ状態ファイル(*.sts)|*.sts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ビットマップファイル(*.bmp)|*.bmp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NONファイル(*.non)|*.non</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>webpbn XMLファイル(*.xml)|*.xml</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像ファイル(*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif)|*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像ファイル|</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>|すべてのファイル(*.*)|*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上書き確認</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zumeli::Form1</name>
    <message>
        <source>鉛筆</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>四角</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題エリア</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題データの読み込み</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>作成したmondaiファイルを保存します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答エリア</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答エリアの読み込み</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答エリアの保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>印刷・画像へ出力</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>印刷します(サイズは拡大率で指定可能)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMPとして出力</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題作成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>サイズを指定して新規作成します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像ファイルから問題を作成します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答から問題を作成します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>合っているかどうか判定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>描画ツール</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>鉛筆(左クリックで点 or 消去、右クリックで×を打てます)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>四角(終点指定時に、左クリックで塗りつぶし、右クリックで消去できます)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不透明度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>このウインドウを半透明にできます(Win2000以降で有効)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>拡大率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画面の表示サイズと印刷時のサイズを指定します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題をロードしてください...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ここには状態や説明などを表示します</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ボタンやコントロールにあわせると説明が出ます...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ズメリロジック！ Zumeli</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>始点を指定してください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題を開く</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表示言語(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自動</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題を開く(&amp;O)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題を保存(&amp;S)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答エリアを開く(&amp;L)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答エリアを保存(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像ファイルから問題を作成(&amp;I)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題を書き出す(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>.non 形式(&amp;N)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>webpbn XML 形式(&amp;X)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMPとして出力(&amp;B)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>印刷(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新規作成(&amp;N)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答から問題を作成(&amp;M)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ランダム問題...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>答え合わせ(&amp;J)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題の検査(&amp;C)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画像から問題作成（詳細）...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>鉛筆(&amp;P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>四角(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>間違いを表示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手がかりの数字がありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>塗ったマスや×が手がかりと矛盾しています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 マス塗れます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 マスに×が付きます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手がかりどうしが矛盾しています(答えがありません)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>線の論理だけでは次の一手が決まりません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>すべての行と列が手がかりどおりに塗れています</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手がかりに負の数があるため、ヒントを出せません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>プレイ(&amp;G)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ヒント(&amp;H)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>間違いを表示(&amp;M)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>完成した手がかりを灰色にする(&amp;G)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5マスごとに太線(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
間違いを表示しますか？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手がかりに負の数があるため、間違いを表示できません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>答えが一つに決まらないため、間違いを表示できません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>手がかりに合う答えがないため、間違いを表示できません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>答えが時間内に求まらなかったため、間違いを表示できません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>間違いはありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>間違い: %1 マス</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>終点を指定してください</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ここは解答エリアではありません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>答えと一致しました</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>大当たり！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>残念！<byte value="xd"/>
答えと一致しませんでした</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>間違いです</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zumeli::Form2</name>
    <message>
        <source>新規作成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題欄のサイズ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>←多めに取ることを推奨</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答エリアの幅</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答エリアの高さ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zumeli::Form3</name>
    <message>
        <source>画像ファイルから問題作成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>読み込む</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題欄のサイズ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白と黒のしきい値</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zumeli::ImageThreshold</name>
    <message>
        <source>★&#x3000;画像情報&#x3000;★<byte value="xd"/>
幅:%1<byte value="xd"/>
&#x3000;高さ:%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zumeli::PictureImportDialog</name>
    <message>
        <source>画像から問題作成（詳細）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一意にする</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>線だけで解けるようにする</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>適用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 × %2 ピクセル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答エリアの幅</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答エリアの高さ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>縦横比を保つ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>余白を切り取る</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題欄のサイズ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>白と黒のしきい値</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自動</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>反転</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>この絵には問題欄が%1必要です。入らない数字は捨てられます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>判定しています...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>線だけで解けるように直しています...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解が一つになるように直しています...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>直すのを中止しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>直す方法が見つかりませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>直した絵は数字が多すぎて問題欄に入りません（最大%1）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>印の%1マスを変える案です。
%2
「適用」で採用、「取消」で元の絵に戻します。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>縦と横の数字だけで解けるようになります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解がただ一つになります。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zumeli::PuzzleCheckWindow</name>
    <message>
        <source>「検査する」を押すと、いまの数字で解がいくつあるかを調べます。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題の検査</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>検査する(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中止(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一意にする</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>線だけで解けるようにする</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>適用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>検査しています...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
(%1 ミリ秒)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>線だけで解けるように絵を直しています...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解が一つになるように絵を直しています...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>絵を直すのを中止しました。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>絵を直す方法が見つかりませんでした。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>直した絵は数字が多すぎて問題欄に入りません（最大%1）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数字が入るように問題欄を%1に広げます。
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>印の%1マスを変える案です。%2
%3「適用」で盤面の絵と数字を書き換えます（元に戻せます）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>縦と横の数字だけで解けるようになります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解がただ一つになります。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>直した絵</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>盤面が変わりました。絵を直すには、もう一度検査してください。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>zumeli::RandomPuzzleDialog</name>
    <message>
        <source>1（線の単純な重なりだけで解ける）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2（線の論理だけで解ける）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3（仮定して矛盾を調べると解ける）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4（探索が必要）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題欄のサイズ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>←足りなければ広げます</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答エリアの幅</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>解答エリアの高さ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>難易度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>線の論理だけで解ける</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>探索あり</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>難易度を指定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>問題を作成しています...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
