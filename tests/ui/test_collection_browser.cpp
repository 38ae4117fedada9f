// 問題 → 問題集: the browser groups the puzzles by level and size, shows 「？」 for an unsolved
// puzzle and its picture and best time once solved (from the progress lookup it is given),
// hides solved ones under 未解決のみ, and Enter or a double-click starts the chosen puzzle on an
// empty answer area as one undo step, untitled until the answer check finds it solved.
#include "dialogs/collection_browser.h"
#include "files/file_io.h"
#include "formats/board_clues.h"
#include "formats/puzzle_file.h"
#include "main_window/Form1.h"
#include "support/ascii_board.h"
#include "support/scripted_desktop.h"
#include "support/window_snapshot.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>
#include <QTest>

using namespace zumeli;

namespace {

const char* const kPlus[] = {"..#..", "..#..", "#####", "..#..", "..#.."};
const char* const kFrame[] = {"#####", "#...#", "#.#.#", "#...#", "#####"};
const char* const kStairs[] = {"#....", "##...", "###..", "####.", "#####"};

solver::CellGrid pictureOf(const char* const (&rows)[5])
{
    std::string ascii;
    for (const char* row : rows)
        ascii += std::string(row) + "\n";
    return solver::CellGrid::fromAscii(ascii);
}

// A collection of three 5 x 5 puzzles in a folder of its own: プラス and 枠 at 入門, 階段 at
// 初級 (its grade written as full line logic).
class SmallCollection {
public:
    SmallCollection()
    {
        add("plus-5.zml", 1, 1, "プラス", pictureOf(kPlus));
        add("frame-5.zml", 1, 1, "枠", pictureOf(kFrame));
        add("stairs-5.zml", 2, 2, "階段", pictureOf(kStairs));
        writeFileAtomically(dir.filePath(QStringLiteral("index.txt")), collectionIndexText(entries));
    }
    QString path() const { return dir.path(); }
    solver::Puzzle clues(const char* const (&rows)[5]) const { return solver::puzzleFromPicture(pictureOf(rows)); }

private:
    void add(const std::string& file, int level, int grade, const std::string& title, const solver::CellGrid& picture)
    {
        writeFileAtomically(dir.filePath(QString::fromStdString(file)),
                            puzzleText(boardFromPuzzle(solver::puzzleFromPicture(picture))));
        entries.push_back({file, level, 5, 5, grade, title, "test:" + file});
    }
    QTemporaryDir dir;
    std::vector<CollectionEntry> entries;
};

// The player solved プラス in 1 min 23 s; nothing else.
CollectionProgress plusSolved(const solver::Puzzle& puzzle)
{
    if (sameClues(puzzle, solver::puzzleFromPicture(pictureOf(kPlus))))
        return {true, 83'000};
    return {};
}

// The puzzle items under the browser's tree, by the text of their first column.
QList<QTreeWidgetItem*> puzzleItems(QTreeWidget* tree)
{
    QList<QTreeWidgetItem*> items;
    for (int l = 0; l < tree->topLevelItemCount(); ++l)
        for (int s = 0; s < tree->topLevelItem(l)->childCount(); ++s)
            for (int p = 0; p < tree->topLevelItem(l)->child(s)->childCount(); ++p)
                items << tree->topLevelItem(l)->child(s)->child(p);
    return items;
}

QStringList firstColumn(const QList<QTreeWidgetItem*>& items)
{
    QStringList texts;
    for (QTreeWidgetItem* item : items)
        texts << item->text(0);
    return texts;
}

QAction* collectionAction(Form1& form)
{
    for (QAction* action : form.menuBar()->findChildren<QAction*>())
        if (action->text() == QStringLiteral("問題集..."))
            return action;
    return nullptr;
}

void playSomething(Form1& form)
{
    form.document().model() = test::boardWithAnswer(2, {"#.", ".x"});
    form.document().setTitleName(QStringLiteral("mine.zml"));
    form.redrawOrResetZoom(Form1::Redraw::Full);
}

// Answers the browser by choosing the puzzle item at `index` (in the tree's order) with Enter.
struct ChooseWithEnter {
    int index = 0;
    int operator()(QDialog& dialog) const
    {
        auto* browser = qobject_cast<CollectionBrowser*>(&dialog);
        if (!browser)
            return QDialog::Rejected;
        browser->tree->setCurrentItem(puzzleItems(browser->tree).at(index));
        QTest::keyClick(browser->tree, Qt::Key_Return);
        return browser->result();
    }
};

} // namespace

class CollectionBrowserTest : public QObject {
    Q_OBJECT

private slots:
    void groupsByLevelAndSize()
    {
        SmallCollection collection;
        CollectionBrowser browser(loadCollection(collection.path()), nothingSolved);
        QCOMPARE(browser.tree->topLevelItemCount(), 2);
        QCOMPARE(browser.tree->topLevelItem(0)->text(0), QStringLiteral("入門"));
        QCOMPARE(browser.tree->topLevelItem(1)->text(0), QStringLiteral("初級"));
        QCOMPARE(browser.tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("5×5（2 問）"));
        QCOMPARE(browser.tree->topLevelItem(0)->child(0)->childCount(), 2);
        QCOMPARE(browser.tree->topLevelItem(1)->child(0)->childCount(), 1);
    }

    void solvedPuzzlesShowPictureAndTimeUnsolvedAQuestionMark()
    {
        SmallCollection collection;
        CollectionBrowser browser(loadCollection(collection.path()), plusSolved);
        const QList<QTreeWidgetItem*> items = puzzleItems(browser.tree);
        QCOMPARE(firstColumn(items), (QStringList{QStringLiteral("プラス"), QStringLiteral("？"), QStringLiteral("？")}));
        QCOMPARE(items[0]->text(2), QStringLiteral("1:23"));
        QVERIFY(!items[0]->icon(0).isNull());
        for (QTreeWidgetItem* unsolved : {items[1], items[2]}) {
            QVERIFY(unsolved->icon(0).isNull());
            QCOMPARE(unsolved->text(2), QString());
        }
        // The picture shown is the puzzle's solution, one pixel a cell.
        const QImage thumbnail = collectionThumbnail(collection.clues(kPlus));
        QCOMPARE(thumbnail.size(), QSize(5, 5));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                QCOMPARE(qGray(thumbnail.pixel(x, y)) < 128, kPlus[y][x] == '#');
    }

    void bestTimesReadAsMinutesAndHours_data()
    {
        QTest::addColumn<qint64>("milliseconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("under a minute") << qint64{9'999} << "0:09";
        QTest::newRow("minutes") << qint64{83'000} << "1:23";
        QTest::newRow("an hour and more") << qint64{3'723'000} << "1:02:03";
    }
    void bestTimesReadAsMinutesAndHours()
    {
        QFETCH(qint64, milliseconds);
        QFETCH(QString, text);
        QCOMPARE(bestTimeText(milliseconds), text);
    }

    void unsolvedOnlyHidesSolvedPuzzles()
    {
        SmallCollection collection;
        CollectionBrowser browser(loadCollection(collection.path()), plusSolved);
        browser.unsolvedOnly->setChecked(true);
        QCOMPARE(firstColumn(puzzleItems(browser.tree)), (QStringList{QStringLiteral("？"), QStringLiteral("？")}));
        QCOMPARE(browser.tree->topLevelItemCount(), 2);
        browser.unsolvedOnly->setChecked(false);
        QCOMPARE(puzzleItems(browser.tree).size(), 3);
    }

    void enterOrDoubleClickChoosesPuzzleNotGroup()
    {
        SmallCollection collection;
        CollectionBrowser browser(loadCollection(collection.path()), nothingSolved);
        browser.tree->setCurrentItem(browser.tree->topLevelItem(0));
        QTest::keyClick(browser.tree, Qt::Key_Return);
        QVERIFY(!browser.chosenPuzzle());
        QCOMPARE(browser.result(), int(QDialog::Rejected));

        browser.tree->setCurrentItem(puzzleItems(browser.tree).at(2));
        QTest::keyClick(browser.tree, Qt::Key_Return);
        QVERIFY(browser.chosenPuzzle());
        QCOMPARE(browser.chosenPuzzle()->entry.file, std::string("stairs-5.zml"));
        QCOMPARE(browser.result(), int(QDialog::Accepted));

        CollectionBrowser again(loadCollection(collection.path()), nothingSolved);
        again.show();
        QTreeWidgetItem* frame = puzzleItems(again.tree).at(1);
        again.tree->scrollToItem(frame);
        const QPoint centre = again.tree->visualItemRect(frame).center();
        // A double-click arrives as a press, a release, then the double-click itself.
        QTest::mouseClick(again.tree->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(again.tree->viewport(), Qt::LeftButton, {}, centre);
        QVERIFY(again.chosenPuzzle());
        QCOMPARE(again.chosenPuzzle()->entry.file, std::string("frame-5.zml"));
    }

    void menuItemIsLastOfPuzzleMenu()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        QAction* action = collectionAction(form);
        QVERIFY(action);
        const QList<QAction*> actions = qobject_cast<QMenu*>(action->parent())->actions();
        QCOMPARE(actions.last(), action);
        QCOMPARE(qobject_cast<QMenu*>(action->parent())->title(), QStringLiteral("問題(&P)"));
    }

    void chosenPuzzleStartsOnEmptyAnswerAreaAsOneStep()
    {
        SmallCollection collection;
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        form.collectionFolders = {collection.path()};
        playSomething(form);
        const test::Snapshot before(form);
        const int steps = form.document().undoStack()->count();
        desktop.dialogScript = ChooseWithEnter{2};  // 階段
        collectionAction(form)->trigger();

        QVERIFY(desktop.messages.empty());
        QCOMPARE(form.document().model().answerWidth(), 5);
        QCOMPARE(form.document().model().answerHeight(), 5);
        QVERIFY(sameClues(puzzleFromBoard(form.document().model()), collection.clues(kStairs)));
        for (const std::string& row : test::answerPicture(form.document().model()))
            QCOMPARE(row, std::string(5, '.'));
        QCOMPARE(form.windowTitle(), kTitlePrefix + kUntitled);
        QCOMPARE(form.document().undoStack()->count(), steps + 1);

        form.document().undoStack()->undo();
        QVERIFY(before.sameAs(form));
        form.document().undoStack()->redo();
        QVERIFY(sameClues(puzzleFromBoard(form.document().model()), collection.clues(kStairs)));
    }

    void answerCheckNamesThePuzzleOnceSolved()
    {
        SmallCollection collection;
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        form.collectionFolders = {collection.path()};
        desktop.dialogScript = ChooseWithEnter{0};  // プラス
        collectionAction(form)->trigger();
        QCOMPARE(form.windowTitle(), kTitlePrefix + kUntitled);

        form.Command2_Click();  // an empty answer area is wrong
        QCOMPARE(form.windowTitle(), kTitlePrefix + kUntitled);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                form.document().model().board(form.document().model().clueSize + x, form.document().model().clueSize + y) = kPlus[y][x] == '#' ? 1 : 0;
        form.Command2_Click();
        QCOMPARE(desktop.lastMessage().caption, QStringLiteral("大当たり！"));
        QCOMPARE(form.windowTitle(), kTitlePrefix + QStringLiteral("プラス"));
    }

    void puzzleSolvedBeforeOpensUnderItsName()
    {
        SmallCollection collection;
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        form.collectionFolders = {collection.path()};
        form.collectionProgress = plusSolved;
        desktop.dialogScript = ChooseWithEnter{0};  // プラス, solved
        collectionAction(form)->trigger();
        QCOMPARE(form.windowTitle(), kTitlePrefix + QStringLiteral("プラス"));
    }

    void closingTheBrowserOrMissingCollectionLeavesBoard()
    {
        SmallCollection collection;
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        playSomething(form);
        const test::Snapshot before(form);
        form.collectionFolders = {collection.path()};
        desktop.dialogScript = [](QDialog&) { return int(QDialog::Rejected); };
        collectionAction(form)->trigger();
        QVERIFY(before.sameAs(form));

        QTemporaryDir empty;
        form.collectionFolders = {empty.path()};
        collectionAction(form)->trigger();
        QCOMPARE(desktop.lastMessage().text, QStringLiteral("問題集が見つかりませんでした"));
        QVERIFY(before.sameAs(form));
    }
};

QTEST_MAIN(CollectionBrowserTest)
#include "test_collection_browser.moc"
