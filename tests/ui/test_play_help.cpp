// The プレイ menu and play from the keyboard in the main window: the hint, the mistakes and
// the finished clues shown over the board, the keyboard cursor pressing like the mouse, and
// none of it ever reaching the board picture, the printer or the exported bitmap.
#include "dialogs/random_puzzle_dialog.h"
#include "formats/board_clues.h"
#include "main_window/Form1.h"
#include "widgets/board_view.h"
#include "solve/hint.h"
#include "support/ascii_board.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"
#include "support/window_snapshot.h"

#include <QAction>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QLineEdit>
#include <QProgressDialog>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QTest>

using namespace zumeli;
using solver::CellGrid;

namespace {

// Line-solvable, with a unique solution: a house.
const char* const kHouse =
    "..#..\n"
    ".###.\n"
    "#####\n"
    "#...#\n"
    "#.#.#\n";

// 12 x 12, for the lines every five cells.
const char* const kTwelve =
    "############\n"
    "#..........#\n"
    "#.##....##.#\n"
    "#.##....##.#\n"
    "#..........#\n"
    "#....##....#\n"
    "#....##....#\n"
    "#..........#\n"
    "#.#......#.#\n"
    "#..######..#\n"
    "#..........#\n"
    "############\n";

// A window showing the clues of `picture` on an empty answer area.
struct PlayBoard : test::MainWindow {
    explicit PlayBoard(const char* picture = kHouse)
    {
        form.Timer1_Timer();  // the start-up picture out of the way
        model = boardFromPuzzle(solver::puzzleFromPicture(CellGrid::fromAscii(picture)));
        form.redrawOrResetZoom(Form1::Redraw::Full);
    }
    int16 c() const { return model.clueSize; }  // the first answer column and row
};

// What the board picture control shows on screen.
QImage screen(Form1& form) { return form.parts().Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32); }

void keys(Form1& form, std::initializer_list<Qt::Key> list)
{
    for (const Qt::Key key : list)
        QTest::keyClick(form.parts().Picture1, key);
}

// The cells of a board area where two screens differ, as (x, y) board cells.
QSet<QPair<int, int>> differingCells(Form1& form, const QImage& a, const QImage& b)
{
    QSet<QPair<int, int>> cells;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                cells.insert({twipsToCell(pixelsToTwips(x - BoardView::kBorderPixels), form.parts().layout.cellSize),
                              twipsToCell(pixelsToTwips(y - BoardView::kBorderPixels), form.parts().layout.cellSize)});
    return cells;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class PlayHelpTest : public QObject {
    Q_OBJECT

private slots:
    void playMenuFollowsThePuzzleMenu()
    {
        PlayBoard b;
        QStringList titles;
        for (QAction* action : b.form.menuBar()->actions())
            titles << action->text();
        const int puzzle = titles.indexOf(QStringLiteral("問題(&P)"));
        QVERIFY(puzzle >= 0);
        QCOMPARE(titles.value(puzzle + 1), QStringLiteral("プレイ(&G)"));
        QCOMPARE(b.ui.hintAction->text(), QStringLiteral("ヒント(&H)"));
        QCOMPARE(b.ui.hintAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
        QCOMPARE(b.ui.mistakesAction->text(), QStringLiteral("間違いを表示(&M)"));
        QCOMPARE(b.ui.greyFinishedAction->text(), QStringLiteral("完成した手がかりを灰色にする(&G)"));
        QVERIFY(b.ui.greyFinishedAction->isCheckable());
        QVERIFY(!b.ui.greyFinishedAction->isChecked());
    }

    // The hint names the line and what follows, shows them on screen only, and the cells go
    // from the highlight as the player marks them.
    void hintShowsTheLineWithoutTouchingTheBoard()
    {
        PlayBoard b;
        const int16 c = b.c();
        const test::Snapshot before(b.form);
        const QImage plain = screen(b.form);
        b.ui.hintAction->trigger();
        // Column 3 (3 1), row 3 (5) and row 5 (1 1 1) each decide all five cells: the column
        // comes first.
        QCOMPARE(b.form.statusText(), QStringLiteral("列 3: 4 マス塗れます、1 マスに×が付きます"));
        QVERIFY(before.sameAs(b.form));
        QCOMPARE(b.form.document().undoStack()->count(), 0);
        QVERIFY(!b.form.document().hasUnsavedChanges());
        const QImage hinted = screen(b.form);
        const auto changed = differingCells(b.form, plain, hinted);
        for (int y = 0; y < c + 5; ++y)
            QVERIFY2(changed.contains({c + 2, y}), qPrintable(QString::number(y)));  // band and cells
        for (const auto& cell : changed)  // the frame may touch the outline of the next column
            QVERIFY(cell.first >= c + 1 && cell.first <= c + 3);

        for (const int y : {0, 1, 2, 4})
            test::clickCell(b.form, Qt::LeftButton, c + 2, c + y);
        QVERIFY(b.ui.play.hint);
        QVERIFY(b.ui.play.hint->toFill.empty());
        QCOMPARE(b.ui.play.hint->toCross.size(), std::size_t(1));
        test::clickCell(b.form, Qt::RightButton, c + 2, c + 3);
        QVERIFY(!b.ui.play.hint);
        PlayBoard same;
        same.model = b.model;
        same.form.RedrawBoard();
        QCOMPARE(screen(b.form), screen(same.form));
    }

    void hintTextsForCrossesAndBoth_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QStringList>("marks");
        QTest::addColumn<QString>("status");
        QTest::newRow("crosses") << "###\n...\n.#.\n" << QStringList{"###", "...", "..."}
                                 << QStringLiteral("行 2: 3 マスに×が付きます");
        QTest::newRow("both") << "####.\n" << QStringList{"#...."}
                              << QStringLiteral("行 1: 3 マス塗れます、1 マスに×が付きます");
        QTest::newRow("stuck") << "#.\n.#\n" << QStringList{"..", ".."}
                               << QStringLiteral("線の論理だけでは次の一手が決まりません");
        QTest::newRow("finished") << "#.\n.#\n" << QStringList{"#.", "x#"}
                                  << QStringLiteral("すべての行と列が手がかりどおりに塗れています");
    }

    void hintTextsForCrossesAndBoth()
    {
        QFETCH(QString, picture);
        QFETCH(QStringList, marks);
        QFETCH(QString, status);
        const QByteArray ascii = picture.toLatin1();
        PlayBoard b(ascii.constData());
        for (int y = 0; y < marks.size(); ++y)
            for (int x = 0; x < marks[y].size(); ++x)
                b.model.board(b.c() + x, b.c() + y) =
                    marks[y][x] == '#' ? kFilled : marks[y][x] == 'x' ? kCross : kEmpty;
        b.form.Hint_Click();
        QCOMPARE(b.form.statusText(), status);
        QVERIFY(b.desktop.messages.empty());
    }

    // A help text speaks of the board it was asked about: any change of the board takes it
    // from the status bar, which shows again what it showed before (the rectangle's prompt,
    // say); what does not change the board leaves it.
    void helpTextGoesWhenTheBoardChanges_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("rectangle");  // the rectangle tool selected before the help
        for (const bool rectangle : {false, true}) {
            for (const char* change : {"pencil", "undo", "redo", "load", "random puzzle", "mistakes"})
                QTest::addRow("%s%s", change, rectangle ? ", rectangle prompt" : "")
                    << QString::fromLatin1(change) << rectangle;
        }
    }
    void helpTextGoesWhenTheBoardChanges()
    {
        QFETCH(QString, change);
        QFETCH(bool, rectangle);
        QTemporaryDir dir;
        PlayBoard b("##\n.#\n");
        const int16 c = b.c();
        test::clickCell(b.form, Qt::LeftButton, c, c);
        test::clickCell(b.form, Qt::LeftButton, c + 1, c + 1);
        if (change == QLatin1String("redo"))
            b.form.document().undoStack()->undo();
        if (rectangle)
            b.form.Picture3_Click(1);
        const QString before = b.form.statusText();
        QCOMPARE(before, rectangle ? QStringLiteral("始点を指定してください")
                                   : QStringLiteral("ボタンやコントロールにあわせると説明が出ます..."));

        if (change == QLatin1String("mistakes"))
            b.form.Mistakes_Click();
        else
            b.form.Hint_Click();
        const QString help = b.form.statusText();
        QVERIFY(help != before);
        b.ui.Text1->setText(QStringLiteral("150"));  // no change of the board
        b.form.Picture3_Click(0);
        QCOMPARE(b.form.statusText(), help);
        if (rectangle)
            b.form.Picture3_Click(1);  // its prompt again, which the help then replaces
        b.form.Hint_Click();
        if (change == QLatin1String("mistakes"))
            b.form.Mistakes_Click();
        QCOMPARE(b.form.statusText(), help);

        const int steps = b.form.document().undoStack()->index();
        if (change == QLatin1String("pencil") || change == QLatin1String("mistakes")) {
            b.form.Picture3_Click(0);
            QCOMPARE(b.form.statusText(), help);
            test::clickCell(b.form, Qt::LeftButton, c, c);  // unfills
        } else if (change == QLatin1String("undo")) {
            b.form.document().undoStack()->undo();
        } else if (change == QLatin1String("redo")) {
            b.form.document().undoStack()->redo();
        } else if (change == QLatin1String("load")) {
            const QString path = dir.filePath(QStringLiteral("step.zml"));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("2,3,2\r\n1,1\r\n2\r\n0\r\n1\r\n3\r\n");
            file.close();
            b.form.openFromCommandLine(path);
        } else {
            b.desktop.dialogScript = [](QDialog& dialog) {
                if (auto* settings = qobject_cast<RandomPuzzleDialog*>(&dialog)) {
                    settings->widthBox->setText(QStringLiteral("5"));
                    settings->heightBox->setText(QStringLiteral("5"));
                    settings->okClicked();
                    return settings->result();
                }
                auto* progress = qobject_cast<QProgressDialog*>(&dialog);
                if (progress && !QTest::qWaitFor([&] { return progress->result() == QDialog::Accepted; }, 60000))
                    qWarning("the generation did not end");
                return progress ? progress->result() : int(QDialog::Rejected);
            };
            for (QAction* action : b.form.menuBar()->findChildren<QAction*>())
                if (action->text() == QStringLiteral("ランダム問題..."))
                    action->trigger();
        }
        QVERIFY(b.form.document().undoStack()->index() != steps);  // the board did change
        QCOMPARE(b.form.statusText(), b.ui.currentTool == 1 ? QStringLiteral("始点を指定してください")
                                                              : before);
        QVERIFY(b.desktop.messages.empty());
    }

    // Marks that contradict the clues are reported, and the mistakes offered; No leaves it
    // at that, Yes shows them.
    void hintOnContradictoryMarksOffersTheMistakes()
    {
        PlayBoard b;
        const int16 c = b.c();
        test::drawAnswer(b.model, {"#...#", ".....", ".....", ".....", "....."});
        b.form.RedrawBoard();
        b.desktop.answers = {MessageAnswer::No};
        b.form.Hint_Click();
        QCOMPARE(b.form.statusText(), QStringLiteral("行 1: 塗ったマスや×が手がかりと矛盾しています"));
        QCOMPARE(b.desktop.messages.size(), std::size_t(1));
        QCOMPARE(b.desktop.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(b.desktop.messages[0].text,
                 QStringLiteral("行 1: 塗ったマスや×が手がかりと矛盾しています\n間違いを表示しますか？"));
        QCOMPARE(b.desktop.messages[0].caption, QStringLiteral("ヒント"));
        QVERIFY(b.ui.play.mistakes.empty());
        QVERIFY(b.ui.play.hint && b.ui.play.hint->line == (BoardLine{BoardLine::Row, c}));

        b.desktop.answers = {MessageAnswer::Yes};
        b.form.Hint_Click();
        QCOMPARE(b.desktop.messages.size(), std::size_t(2));
        QCOMPARE(b.form.statusText(), QStringLiteral("間違い: 2 マス"));
        QVERIFY(b.ui.play.mistakes == (std::vector<BoardPoint>{{c, c}, {toInt16(c + 4), c}}));
    }

    // The mistakes are exactly the marks against the one solution, shown until the board
    // next changes (undo included), and the board, picture and undo history stay untouched.
    void mistakesShowTheWrongMarksUntilTheNextChange()
    {
        PlayBoard b;
        const int16 c = b.c();
        test::drawAnswer(b.model, {"x.#.#", "##x..", ".....", "#.#.#", "#x#.x"});
        b.form.RedrawBoard();
        const test::Snapshot before(b.form);
        const QImage plain = screen(b.form);
        b.ui.mistakesAction->trigger();
        const std::vector<BoardPoint> expected = mistakeCells(b.model, CellGrid::fromAscii(kHouse));
        QCOMPARE(expected.size(), std::size_t(5));
        QVERIFY(b.ui.play.mistakes == expected);
        QCOMPARE(b.form.statusText(), QStringLiteral("間違い: 5 マス"));
        QVERIFY(before.sameAs(b.form));
        QCOMPARE(b.form.document().undoStack()->count(), 0);
        QSet<QPair<int, int>> wrong;
        for (const BoardPoint& p : expected)
            wrong.insert({p.x, p.y});
        QCOMPARE(differingCells(b.form, plain, screen(b.form)), wrong);

        test::clickCell(b.form, Qt::LeftButton, c + 2, c + 2);  // any change of the board
        QVERIFY(b.ui.play.mistakes.empty());
        b.form.Mistakes_Click();
        QCOMPARE(b.ui.play.mistakes.size(), std::size_t(5));
        b.form.document().undoStack()->undo();
        QVERIFY(b.ui.play.mistakes.empty());
        QCOMPARE(screen(b.form), plain);

        test::drawAnswer(b.model, {"x.#.x", ".###.", ".....", "#x..#", "....."});
        b.form.Mistakes_Click();
        QCOMPARE(b.form.statusText(), QStringLiteral("間違いはありません"));
        QVERIFY(b.desktop.messages.empty());
    }

    // The keyboard cursor on a mistake: the cursor's blue frame and the mistake's red one
    // both show in that cell.
    void cursorOnAMistakeShowsBothFrames_data()
    {
        QTest::addColumn<QString>("zoom");
        for (const char* zoom : {"100", "150", "300"})
            QTest::newRow(zoom) << QString::fromLatin1(zoom);
    }
    void cursorOnAMistakeShowsBothFrames()
    {
        QFETCH(QString, zoom);
        PlayBoard b;
        const int16 c = b.c();
        b.ui.Text1->setText(zoom);
        test::drawAnswer(b.model, {"#....", ".....", ".....", ".....", "....."});
        b.form.RedrawBoard();
        b.form.Mistakes_Click();
        QVERIFY(b.ui.play.mistakes == (std::vector<BoardPoint>{{c, c}}));
        keys(b.form, {Qt::Key_Down});  // the cursor shows on the first answer cell
        QCOMPARE(b.ui.play.cursorCell(b.model), (BoardPoint{c, c}));
        const QImage shown = screen(b.form);
        int blue = 0;
        int red = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const int column = twipsToCell(pixelsToTwips(x - BoardView::kBorderPixels), b.ui.layout.cellSize);
                const int row = twipsToCell(pixelsToTwips(y - BoardView::kBorderPixels), b.ui.layout.cellSize);
                if (column != c || row != c)
                    continue;
                blue += shown.pixel(x, y) == qRgb(0, 90, 255);
                red += shown.pixel(x, y) == qRgb(220, 0, 0);
            }
        QVERIFY2(blue > 0 && red > 0, qPrintable(QStringLiteral("blue %1, red %2").arg(blue).arg(red)));
    }

    void mistakesNeedOneSolution()
    {
        PlayBoard several("#.\n.#\n");
        several.model.board(several.c(), several.c()) = kFilled;
        several.form.Mistakes_Click();
        QCOMPARE(several.desktop.lastMessage().text,
                 QStringLiteral("答えが一つに決まらないため、間違いを表示できません"));
        QVERIFY(several.ui.play.mistakes.empty());

        PlayBoard none("#.\n.#\n");
        // The first row asks for a run of 2: the rows want three filled cells, the columns two.
        none.model.board(0, none.c()) = 2;
        none.form.Mistakes_Click();
        QCOMPARE(none.desktop.lastMessage().text,
                 QStringLiteral("手がかりに合う答えがないため、間違いを表示できません"));
        QCOMPARE(none.desktop.lastMessage().caption, QStringLiteral("間違いを表示"));

        // A board without clues (one being drawn) is no puzzle to check against.
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 drawing(desktop, model);
        model.board(7, 7) = kFilled;
        drawing.Mistakes_Click();
        QCOMPARE(desktop.lastMessage().text, QStringLiteral("手がかりの数字がありません"));
        QVERIFY(drawing.parts().play.mistakes.empty());
    }

    // Finished lines have their clue numbers greyed on screen, only while the option is on;
    // off, the screen is the same as before it was ever switched on.
    void finishedCluesGreyOnlyWhenSwitchedOn()
    {
        PlayBoard b;
        const int16 c = b.c();
        test::drawAnswer(b.model, {"..#..", ".....", "#####", ".....", "....."});
        b.form.RedrawBoard();
        const QImage plain = screen(b.form);
        const QImage picture = b.ui.picture.image();
        b.ui.greyFinishedAction->setChecked(true);
        const QImage greyed = screen(b.form);
        QCOMPARE(b.ui.picture.image(), picture);
        // Row 3 and column 3 (the #-run of 1 there is not yet its 1,3... clue) and row 1.
        QSet<QPair<int, int>> clueCells;
        for (const auto& cell : differingCells(b.form, plain, greyed)) {
            QVERIFY2(cell.first < c || cell.second < c, "only clue cells turn grey");
            clueCells.insert(cell);
        }
        QVERIFY(clueCells.contains({c - 1, c}));      // row 1: 1
        QVERIFY(clueCells.contains({c - 1, c + 2}));  // row 3: 5
        QVERIFY(!clueCells.contains({c - 1, c + 1})); // row 2: 3, not drawn
        QVERIFY(!clueCells.contains({c + 2, c - 1})); // column 3: 1 3 1, only 1 1 drawn
        // The greyed digits are grey, not gone.
        const QPoint digitCell = test::cellPoint(b.form, c - 1, c + 2);
        bool grey = false;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx) {
                const QColor colour = greyed.pixelColor(digitCell + QPoint(dx, dy));
                grey = grey || (colour.red() > 60 && colour.red() < 200 && colour.red() == colour.blue());
            }
        QVERIFY(grey);

        // A change that finishes a line greys it at once.
        test::clickCell(b.form, Qt::LeftButton, c + 1, c + 1);
        test::clickCell(b.form, Qt::LeftButton, c + 2, c + 1);
        test::clickCell(b.form, Qt::LeftButton, c + 3, c + 1);
        QVERIFY(differingCells(b.form, greyed, screen(b.form)).contains({c - 1, c + 1}));

        b.ui.greyFinishedAction->setChecked(false);
        b.form.document().undoStack()->undo();
        b.form.document().undoStack()->undo();
        b.form.document().undoStack()->undo();
        QCOMPARE(screen(b.form), plain);
        QCOMPARE(b.ui.picture.image(), picture);
    }

    // Every overlay on at once, and the printer and the bitmap export get exactly what they
    // get with none: the same picture and lines, the same file bytes.
    void overlaysNeverReachPrintOrExport()
    {
        QTemporaryDir dir;
        PlayBoard plain;
        PlayBoard helped;
        const int16 c = plain.c();
        for (PlayBoard* b : {&plain, &helped}) {
            test::drawAnswer(b->model, {"..#..", ".....", "##...", ".....", "....."});
            b->form.RedrawBoard();
        }
        helped.ui.greyFinishedAction->setChecked(true);
        helped.form.Hint_Click();
        for (PlayBoard* b : {&plain, &helped}) {  // a wrong mark, after the hint
            b->model.board(c + 4, c + 4) = kCross;
            b->form.DrawCell(toInt16(c + 4), toInt16(c + 4));
        }
        helped.form.Mistakes_Click();
        keys(helped.form, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right});
        QVERIFY(helped.ui.play.hint && !helped.ui.play.mistakes.empty() && helped.ui.play.cursorShown);
        QVERIFY(screen(helped.form) != screen(plain.form));
        QCOMPARE(helped.ui.picture.image(), plain.ui.picture.image());

        for (PlayBoard* b : {&plain, &helped}) {
            b->form.Command5_Click();
            b->desktop.chosenFiles.push_back(dir.filePath(b == &plain ? "plain.bmp" : "helped.bmp"));
            b->form.Command6_Click();
        }
        QCOMPARE(helped.desktop.printCalls.size(), plain.desktop.printCalls.size());
        QVERIFY(!plain.desktop.printCalls.empty());
        for (std::size_t i = 0; i < plain.desktop.printCalls.size(); ++i) {
            const test::PrintCall& p = plain.desktop.printCalls[i];
            const test::PrintCall& h = helped.desktop.printCalls[i];
            QCOMPARE(h.kind, p.kind);
            QCOMPARE(QList<int>({h.x1, h.y1, h.x2, h.y2}), QList<int>({p.x1, p.y1, p.x2, p.y2}));
            QCOMPARE(h.image, p.image);
        }
        const QByteArray bitmap = fileBytes(dir.filePath("plain.bmp"));
        QVERIFY(!bitmap.isEmpty());
        QCOMPARE(fileBytes(dir.filePath("helped.bmp")), bitmap);
        QVERIFY(helped.desktop.messages.empty() && plain.desktop.messages.empty());
    }

    // The thicker line every five cells: on screen, along the grid lines after the fifth and
    // tenth answer columns and rows of a 12 x 12 board, across the clue band too, and on no
    // other grid line; off again, the screen is as it was; never in the board picture.
    void everyFiveLinesShowOnScreenOnly()
    {
        PlayBoard b(kTwelve);
        const int16 c = b.c();
        const QImage plain = screen(b.form);
        const QImage picture = b.ui.picture.image();
        QVERIFY(!b.ui.everyFiveAction->isChecked());
        QCOMPARE(b.ui.everyFiveAction->text(), QStringLiteral("5マスごとに太線(&L)"));
        b.ui.everyFiveAction->setChecked(true);
        const QImage lined = screen(b.form);
        QCOMPARE(b.ui.picture.image(), picture);
        // The pixel just left of (above) a grid line, in the middle of the empty answer cell
        // beside it, and the same in the clue band's corner row (column).
        auto besideColumnLine = [&](const QImage& image, int column, int row) {
            const int x = BoardView::kBorderPixels + twipsToPixels(column * b.ui.layout.cellSize) - 1;
            return image.pixelColor(x, test::cellPoint(b.form, column, row).y());
        };
        auto besideRowLine = [&](const QImage& image, int column, int row) {
            const int y = BoardView::kBorderPixels + twipsToPixels(row * b.ui.layout.cellSize) - 1;
            return image.pixelColor(test::cellPoint(b.form, column, row).x(), y);
        };
        for (int k = 1; k < 12; ++k) {
            const bool thick = k % 5 == 0;
            for (const int other : {c + 1, c + 11}) {
                QCOMPARE(besideColumnLine(lined, c + k, other) == QColor(Qt::black), thick);
                QCOMPARE(besideRowLine(lined, other, c + k) == QColor(Qt::black), thick);
                QVERIFY(besideColumnLine(plain, c + k, other) != QColor(Qt::black));
                QVERIFY(besideRowLine(plain, other, c + k) != QColor(Qt::black));
            }
            if (thick) {  // through the clue band too
                QCOMPARE(besideColumnLine(lined, c + k, c - 1), QColor(Qt::black));
                QCOMPARE(besideRowLine(lined, c - 1, c + k), QColor(Qt::black));
            }
        }
        b.ui.everyFiveAction->setChecked(false);
        QCOMPARE(screen(b.form), plain);
    }

    // The printer and the bitmap export get the same with the thicker lines on as off.
    void everyFiveLinesNeverReachPrintOrExport()
    {
        QTemporaryDir dir;
        PlayBoard plain(kTwelve);
        PlayBoard lined(kTwelve);
        lined.ui.everyFiveAction->setChecked(true);
        QVERIFY(screen(lined.form) != screen(plain.form));
        for (PlayBoard* b : {&plain, &lined}) {
            b->form.Command5_Click();
            b->desktop.chosenFiles.push_back(dir.filePath(b == &plain ? "plain.bmp" : "lined.bmp"));
            b->form.Command6_Click();
        }
        QCOMPARE(lined.desktop.printCalls.size(), plain.desktop.printCalls.size());
        QVERIFY(!plain.desktop.printCalls.empty());
        for (std::size_t i = 0; i < plain.desktop.printCalls.size(); ++i) {
            const test::PrintCall& p = plain.desktop.printCalls[i];
            const test::PrintCall& l = lined.desktop.printCalls[i];
            QCOMPARE(l.kind, p.kind);
            QCOMPARE(QList<int>({l.x1, l.y1, l.x2, l.y2}), QList<int>({p.x1, p.y1, p.x2, p.y2}));
            QCOMPARE(l.image, p.image);
        }
        const QByteArray bitmap = fileBytes(dir.filePath("plain.bmp"));
        QVERIFY(!bitmap.isEmpty());
        QCOMPARE(fileBytes(dir.filePath("lined.bmp")), bitmap);
    }

    // Space and Enter press the cursor cell as the left button does, X as the right: the same
    // board, picture and undo steps as mouse presses on those cells.
    void keyboardPressesLikeTheMouse()
    {
        PlayBoard keyed;
        PlayBoard moused;
        const int16 c = keyed.c();
        keys(keyed.form, {Qt::Key_Right});  // shows the cursor on the first answer cell
        QVERIFY(keyed.ui.play.cursorShown);
        QCOMPARE(keyed.ui.play.cursorCell(keyed.model), (BoardPoint{c, c}));
        QCOMPARE(keyed.form.document().undoStack()->count(), 0);
        keys(keyed.form, {Qt::Key_Right, Qt::Key_Down, Qt::Key_Space, Qt::Key_Right, Qt::Key_X,
                          Qt::Key_Down, Qt::Key_Return, Qt::Key_Return, Qt::Key_Left, Qt::Key_Enter});
        test::clickCell(moused.form, Qt::LeftButton, c + 1, c + 1);
        test::clickCell(moused.form, Qt::RightButton, c + 2, c + 1);
        test::clickCell(moused.form, Qt::LeftButton, c + 2, c + 2);
        test::clickCell(moused.form, Qt::LeftButton, c + 2, c + 2);
        test::clickCell(moused.form, Qt::LeftButton, c + 1, c + 2);
        QCOMPARE(keyed.model, moused.model);
        QCOMPARE(keyed.ui.picture.image(), moused.ui.picture.image());
        QCOMPARE(keyed.form.document().undoStack()->count(), 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(keyed.form.document().undoStack()->text(i), moused.form.document().undoStack()->text(i));
        }
        // Space held down presses once.
        QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(keyed.ui.Picture1, &repeated);
        QCOMPARE(keyed.model, moused.model);

        keyed.form.document().undoStack()->undo();
        moused.form.document().undoStack()->undo();
        QCOMPARE(keyed.model.board(c + 1, c + 2), int16(kEmpty));
        QCOMPARE(keyed.model.board(c + 2, c + 2), int16(kEmpty));

        // The cursor stays in the answer area.
        keys(keyed.form, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up});
        QCOMPARE(keyed.ui.play.cursorCell(keyed.model), (BoardPoint{c, c}));
        for (int i = 0; i < 10; ++i)
            keys(keyed.form, {Qt::Key_Right, Qt::Key_Down});
        QCOMPARE(keyed.ui.play.cursorCell(keyed.model), (BoardPoint{toInt16(c + 4), toInt16(c + 4)}));
        // The cursor is on screen only.
        QCOMPARE(keyed.ui.picture.image(), moused.ui.picture.image());
        QVERIFY(screen(keyed.form) != screen(moused.form));

        // A mouse press hides it and the keys go on from the pressed cell.
        test::clickCell(keyed.form, Qt::RightButton, c + 3, c);
        QVERIFY(!keyed.ui.play.cursorShown);
        keys(keyed.form, {Qt::Key_Down});
        QCOMPARE(keyed.ui.play.cursorCell(keyed.model), (BoardPoint{toInt16(c + 3), c}));
        keys(keyed.form, {Qt::Key_Down});
        QCOMPARE(keyed.ui.play.cursorCell(keyed.model), (BoardPoint{toInt16(c + 3), toInt16(c + 1)}));
    }

    // The rectangle tool takes its two corners from the keyboard as from the mouse.
    void keyboardRectangleTakesTwoCorners()
    {
        PlayBoard b;
        const int16 c = b.c();
        b.form.Picture3_Click(1);
        keys(b.form, {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Space});
        QCOMPARE(b.form.statusText(), QStringLiteral("終点を指定してください"));
        QCOMPARE(b.ui.rectStartX, c + 1);
        const QImage oneCorner = screen(b.form);
        keys(b.form, {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down});
        QVERIFY(screen(b.form) != oneCorner);  // the block up to the cursor is outlined
        keys(b.form, {Qt::Key_Return});
        QCOMPARE(b.form.statusText(), QStringLiteral("始点を指定してください"));
        QCOMPARE(b.ui.rectStartX, -1);
        QStringList rows;
        for (const std::string& row : test::answerPicture(b.model))
            rows << QString::fromStdString(row);
        QCOMPARE(rows, QStringList({".....", ".###.", ".###.", ".....", "....."}));
        QCOMPARE(b.form.document().undoStack()->count(), 1);  // choosing a corner changes nothing
        keys(b.form, {Qt::Key_Space, Qt::Key_Up, Qt::Key_X});  // right: the block erased
        QCOMPARE(b.model.board(c + 3, c + 1), int16(kEmpty));
        QCOMPARE(b.model.board(c + 3, c + 2), int16(kEmpty));
        QCOMPARE(b.model.board(c + 2, c + 2), int16(kFilled));
    }

    // The window starts with the focus on the first button, as it always did; Tab reaches
    // the board right after the last button, then the slider and the zoom box, and comes back
    // to the first button; leaving the board hides the cursor.
    void cursorHidesWhenTheBoardLosesFocus()
    {
        PlayBoard b;
        b.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&b.form));
        QCOMPARE(QApplication::focusWidget(), b.ui.Command1);
        int tabs = 0;
        while (QApplication::focusWidget() != b.ui.Picture1 && tabs < 100) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ++tabs;
        }
        QCOMPARE(QApplication::focusWidget(), b.ui.Picture1);
        QTest::keyClick(b.ui.Picture1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), b.ui.Slider1);
        QTest::keyClick(b.ui.Slider1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), b.ui.Text1);
        QTest::keyClick(b.ui.Text1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), b.ui.Command1);
        QVERIFY(!b.ui.play.cursorShown);
        b.ui.Picture1->setFocus();
        QTest::keyClick(b.ui.Picture1, Qt::Key_Down);
        QVERIFY(b.ui.play.cursorShown);
        b.ui.Text1->setFocus();
        QVERIFY(!b.ui.play.cursorShown);
        QVERIFY(b.ui.Picture1->focusPolicy() & Qt::TabFocus);
    }

    // From the last button of the panel one Tab reaches the board, and the cursor shows at
    // once on the cell where it was; Shift+Tab goes back to the button. A click on the board
    // shows no cursor.
    void oneTabFromTheButtonsShowsTheCursor()
    {
        PlayBoard b;
        const int16 c = b.c();
        b.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&b.form));
        const QImage hidden = screen(b.form);
        b.ui.Command2->setFocus();
        QTest::keyClick(b.ui.Command2, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), b.ui.Picture1);
        QVERIFY(b.ui.play.cursorShown);
        QCOMPARE(b.ui.play.cursorCell(b.model), (BoardPoint{c, c}));
        QCOMPARE(differingCells(b.form, hidden, screen(b.form)).contains({c, c}), true);
        // The first arrow now moves it, as every arrow after the cursor shows.
        keys(b.form, {Qt::Key_Right});
        QCOMPARE(b.ui.play.cursorCell(b.model), (BoardPoint{toInt16(c + 1), c}));
        QTest::keyClick(b.ui.Picture1, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), b.ui.Command2);
        QVERIFY(!b.ui.play.cursorShown);
        QTest::keyClick(b.ui.Command2, Qt::Key_Tab);
        QVERIFY(b.ui.play.cursorShown);
        QCOMPARE(b.ui.play.cursorCell(b.model), (BoardPoint{toInt16(c + 1), c}));

        b.ui.Text1->setFocus();
        QVERIFY(!b.ui.play.cursorShown);
        test::clickCell(b.form, Qt::LeftButton, c + 2, c + 2);
        QCOMPARE(QApplication::focusWidget(), b.ui.Picture1);
        QVERIFY(!b.ui.play.cursorShown);
    }
};

QTEST_MAIN(PlayHelpTest)
#include "test_play_help.moc"
