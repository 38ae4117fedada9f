// Tests of drag painting and auto-cross: which cells a drag paints (locked to its first line,
// never over the other mark) and which lines a change finishes and crosses.
#include "solve/auto_cross.h"
#include "solve/drag_paint.h"
#include "solve/drawing_tools.h"

#include "support/ascii_board.h"

#include <QTest>

#include <string>
#include <vector>

using namespace zumeli;
using Picture = std::vector<std::string>;
using Points = QList<QPoint>;

Q_DECLARE_METATYPE(Picture)

namespace {

constexpr int kBand = 2;

BoardModel board(const Picture& rows)
{
    BoardModel model;
    model.clueSize = kBand;
    model.gridWidth = static_cast<int16>(kBand + rows.front().size());
    model.gridHeight = static_cast<int16>(kBand + rows.size());
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
            model.board(kBand + x, kBand + y) = rows[y][x] == '#' ? kFilled : rows[y][x] == 'x' ? kCross : kEmpty;
    return model;
}

BoardPoint cell(QPoint answer) { return {kBand + answer.x(), kBand + answer.y()}; }

} // namespace

class DragPaintTest : public QObject {
    Q_OBJECT

private slots:
    // The press decides the mode, as the pencil would change the cell pressed.
    void modeFollowsTheCellPressedAndTheButton()
    {
        QCOMPARE(dragModeFor(kEmpty, kLeftButton), DragMode::Fill);
        QCOMPARE(dragModeFor(kCross, kLeftButton), DragMode::Fill);
        QCOMPARE(dragModeFor(kFilled, kLeftButton), DragMode::EraseFills);
        QCOMPARE(dragModeFor(kEmpty, kRightButton), DragMode::Cross);
        QCOMPARE(dragModeFor(kFilled, kRightButton), DragMode::Cross);
        QCOMPARE(dragModeFor(kCross, kRightButton), DragMode::EraseCrosses);
        QVERIFY(!dragModeFor(kEmpty, kMiddleButton));
        QVERIFY(!dragModeFor(7, kLeftButton));
    }

    // A drag starts at `start` (already pressed) and passes the answer cells `moves`; the
    // answer area afterwards, and the run length at the end.
    void dragPaintsItsLineOnly_data()
    {
        QTest::addColumn<Picture>("before");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<Points>("moves");
        QTest::addColumn<Picture>("after");
        QTest::addColumn<int>("length");
        const int fill = static_cast<int>(DragMode::Fill);
        const int cross = static_cast<int>(DragMode::Cross);
        QTest::newRow("fill along a row skips crosses")
            << Picture{".....", "..x..", "....."} << fill << QPoint(0, 1) << Points{{4, 1}}
            << Picture{".....", "##x##", "....."} << 5;
        QTest::newRow("cross along a column skips fills")
            << Picture{"..", "#.", "..", ".."} << cross << QPoint(0, 0) << Points{{0, 3}}
            << Picture{"x.", "#.", "x.", "x."} << 4;
        QTest::newRow("locked to the row it first moved along")
            << Picture{"....", "....", "...."} << fill << QPoint(0, 0) << Points{{1, 0}, {2, 1}, {3, 2}}
            << Picture{"####", "....", "...."} << 4;
        QTest::newRow("locked to the column it first moved along")
            << Picture{"....", "....", "...."} << fill << QPoint(1, 0) << Points{{1, 1}, {3, 2}}
            << Picture{".#..", ".#..", ".#.."} << 3;
        QTest::newRow("first move off both lines takes the longer way")
            << Picture{"....", "....", "...."} << fill << QPoint(0, 0) << Points{{1, 2}}
            << Picture{"#...", "#...", "#..."} << 3;
        QTest::newRow("turning back keeps what was painted")
            << Picture{"....."} << fill << QPoint(2, 0) << Points{{4, 0}, {0, 0}}
            << Picture{"#####"} << 3;
        QTest::newRow("beyond the answer area stops at its edge")
            << Picture{"...."} << fill << QPoint(1, 0) << Points{{9, 0}}
            << Picture{".###"} << 3;
        QTest::newRow("erasing fills leaves crosses")
            << Picture{"##x##"} << static_cast<int>(DragMode::EraseFills) << QPoint(0, 0) << Points{{4, 0}}
            << Picture{"..x.."} << 5;
        QTest::newRow("erasing crosses leaves fills")
            << Picture{"xx#xx"} << static_cast<int>(DragMode::EraseCrosses) << QPoint(0, 0) << Points{{4, 0}}
            << Picture{"..#.."} << 5;
    }
    void dragPaintsItsLineOnly()
    {
        QFETCH(Picture, before);
        QFETCH(int, mode);
        QFETCH(QPoint, start);
        QFETCH(Points, moves);
        QFETCH(Picture, after);
        QFETCH(int, length);
        BoardModel model = board(before);
        // The press on the start cell, as the pencil makes it on these cells.
        const BoardPoint first = cell(start);
        if (const auto pressed = dragValue(static_cast<DragMode>(mode), model.board(first.x, first.y)))
            model.board(first.x, first.y) = *pressed;
        DragPaint drag(first, static_cast<DragMode>(mode));
        for (const QPoint move : moves)
            drag.moveTo(model, cell(move));
        QCOMPARE(test::answerPicture(model), after);
        QCOMPARE(drag.runLength(), length);
    }

    void movesReportTheCellsTheyChanged()
    {
        BoardModel model = board({"..x.."});
        DragPaint drag(cell({0, 0}), DragMode::Fill);
        const std::vector<BoardPoint> changed = drag.moveTo(model, cell({4, 0}));
        QCOMPARE(changed, (std::vector<BoardPoint>{cell({1, 0}), cell({3, 0}), cell({4, 0})}));
        QVERIFY(drag.moveTo(model, cell({4, 0})).empty());
    }

    // A change that finishes a line crosses its empty cells; lines finished before it, and
    // lines still unfinished, are left alone.
    void autoCrossCrossesOnlyLinesJustFinished()
    {
        BoardModel before = board({"#....", "##...", "....."});
        test::setRowClues(before, kBand + 0, {2});
        test::setRowClues(before, kBand + 1, {2});
        test::setRowClues(before, kBand + 2, {1});
        test::setColumnClues(before, kBand + 0, {2});
        test::setColumnClues(before, kBand + 1, {2});
        BoardModel model = before;
        model.board(kBand + 1, kBand + 0) = kFilled;
        const std::vector<BoardPoint> crossed = crossFinishedLines(model, before);
        // Row 0 ({2}) and column 1 ({2}) were finished by the fill; row 1 and column 0 were
        // finished already; row 2 ({1}) is not.
        QCOMPARE(test::answerPicture(model), (Picture{"##xxx", "##...", ".x..."}));
        QCOMPARE(crossed.size(), std::size_t(4));
    }

    void autoCrossLeavesABoardWithoutClues()
    {
        const BoardModel before = board({"#..", "..."});
        BoardModel model = before;
        model.board(kBand, kBand) = kEmpty;  // every line now agrees with its blank clues
        QVERIFY(crossFinishedLines(model, before).empty());
        QCOMPARE(test::answerPicture(model), (Picture{"...", "..."}));
    }
};

QTEST_APPLESS_MAIN(DragPaintTest)
#include "test_drag_paint.moc"
