// Tests of the drawing tools' rules: pencil transitions, hit test, rectangle fill and corners.
#include "solve/drawing_tools.h"

#include "support/ascii_board.h"

#include <QTest>

#include <QStringList>

#include <cmath>
#include <string>

using namespace zumeli;
using zumeli::test::boardWithAnswer;
using Picture = QStringList;

namespace {

// The answer area as readable rows, for comparisons that print well.
Picture answerPicture(const BoardModel& model)
{
    Picture rows;
    for (const std::string& row : zumeli::test::answerPicture(model))
        rows << QString::fromStdString(row);
    return rows;
}

// A 4 x 3 answer area behind a clue band of 2, the band filled with 9s so that any write
// into it shows.
BoardModel bandedBoard(std::initializer_list<const char*> rows)
{
    BoardModel model = boardWithAnswer(2, rows);
    for (int x = 0; x < model.gridWidth; ++x)
        for (int y = 0; y < model.gridHeight; ++y)
            if (!model.isAnswerCell(x, y))
                model.board(x, y) = 9;
    return model;
}

bool bandUntouched(const BoardModel& model)
{
    for (int x = 0; x < model.gridWidth; ++x)
        for (int y = 0; y < model.gridHeight; ++y)
            if (!model.isAnswerCell(x, y) && model.board(x, y) != 9)
                return false;
    return true;
}

bool outsideBoardUntouched(const BoardModel& model)
{
    for (int x = 0; x < kBoardSide; ++x)
        for (int y = 0; y < kBoardSide; ++y)
            if ((x >= model.gridWidth || y >= model.gridHeight) && model.board(x, y) != 0)
                return false;
    return true;
}

} // namespace

class TestDrawingTools : public QObject {
    Q_OBJECT

private slots:
    void pencilFollowsItsTable_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("after");
        QTest::newRow("left fills empty") << 0 << 1 << 1;
        QTest::newRow("left fills cross") << 2 << 1 << 1;
        QTest::newRow("left empties filled") << 1 << 1 << 0;
        QTest::newRow("right crosses empty") << 0 << 2 << 2;
        QTest::newRow("right crosses filled") << 1 << 2 << 2;
        QTest::newRow("right empties cross") << 2 << 2 << 0;
        QTest::newRow("left keeps 7") << 7 << 1 << 7;
        QTest::newRow("right keeps 7") << 7 << 2 << 7;
        QTest::newRow("left keeps -1") << -1 << 1 << -1;
        QTest::newRow("right keeps 3") << 3 << 2 << 3;
        QTest::newRow("middle keeps empty") << 0 << 4 << 0;
        QTest::newRow("middle keeps filled") << 1 << 4 << 1;
        QTest::newRow("middle keeps cross") << 2 << 4 << 2;
    }
    void pencilFollowsItsTable()
    {
        QFETCH(int, before);
        QFETCH(int, button);
        QFETCH(int, after);
        QCOMPARE(pencilValue(static_cast<int16>(before), button), after);
    }

    void hitTestRoundsThenDropsTheRemainder_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("cellSize");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::newRow("origin") << 0.0 << 0.0 << 200 << 0 << 0;
        QTest::newRow("x is the column") << 1015.0 << 205.0 << 200 << 5 << 1;
        QTest::newRow("last twip of a cell") << 199.0 << 399.0 << 200 << 0 << 1;
        QTest::newRow("half rounds to even, down") << 198.5 << 0.0 << 200 << 0 << 0;
        QTest::newRow("half rounds to even, up") << 199.5 << 0.0 << 200 << 1 << 0;
        QTest::newRow("zoom 110") << 660.0 << 219.4 << 220 << 3 << 0;
        QTest::newRow("on the left frame") << -30.0 << 100.0 << 200 << 0 << 0;
        QTest::newRow("far left is off the board") << -400.0 << 100.0 << 200 << -2 << 0;
    }
    void hitTestRoundsThenDropsTheRemainder()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, cellSize);
        const BoardPoint cell = cellAt(x, y, static_cast<int16>(cellSize));
        QTEST(cell.x, "column");
        QTEST(cell.y, "row");
    }

    void hitTestOfNoNumberLandsOffTheBoard()
    {
        const BoardModel model;
        const BoardPoint cell = cellAt(std::nan(""), 1e300, 200);
        QVERIFY(!model.isAnswerCell(cell.x, cell.y));
    }

    void fillRectangleWritesTheBlockBetweenTheCorners_data()
    {
        QTest::addColumn<int>("x1");
        QTest::addColumn<int>("y1");
        QTest::addColumn<int>("x2");
        QTest::addColumn<int>("y2");
        QTest::addColumn<int>("value");
        QTest::addColumn<Picture>("expected");
        // Answer area: columns 2..5, rows 2..4; "?" is the cell holding 7.
        QTest::newRow("in order") << 2 << 2 << 3 << 3 << 1 << Picture{"##x.", "##..", "x.?."};
        QTest::newRow("reversed corners") << 3 << 3 << 2 << 2 << 1 << Picture{"##x.", "##..", "x.?."};
        QTest::newRow("reversed columns only") << 5 << 3 << 4 << 4 << 1
                                                << Picture{"..x.", "..##", "x.##"};
        QTest::newRow("one cell") << 4 << 4 << 4 << 4 << 1 << Picture{"..x.", "....", "x.#."};
        QTest::newRow("erase overwrites crosses and 7") << 5 << 4 << 2 << 2 << 0
                                                        << Picture{"....", "....", "...."};
        QTest::newRow("fill overwrites crosses and 7") << 2 << 2 << 5 << 4 << 1
                                                       << Picture{"####", "####", "####"};
    }
    void fillRectangleWritesTheBlockBetweenTheCorners()
    {
        QFETCH(int, x1);
        QFETCH(int, y1);
        QFETCH(int, x2);
        QFETCH(int, y2);
        QFETCH(int, value);
        QFETCH(Picture, expected);
        BoardModel model = bandedBoard({"..x.", "....", "x.7."});
        int16 a = toInt16(x1), b = toInt16(y1), c = toInt16(x2), d = toInt16(y2);
        FillRectangle(model, a, b, c, d, toInt16(value));
        QCOMPARE(answerPicture(model), expected);
        QVERIFY(bandUntouched(model));
        // The corners come back in order.
        QVERIFY(a <= c && b <= d);
    }

    // A corner kept from another board may lie in the clue band or beyond the board: only
    // the part of the block inside the answer area is written.
    void fillRectangleNeverWritesOutsideTheAnswerArea_data()
    {
        QTest::addColumn<int>("x1");
        QTest::addColumn<int>("y1");
        QTest::addColumn<int>("x2");
        QTest::addColumn<int>("y2");
        QTest::addColumn<Picture>("expected");
        QTest::newRow("corner in the band") << 0 << 0 << 3 << 3 << Picture{"##..", "##..", "...."};
        QTest::newRow("corner beyond the board") << 40 << 60 << 4 << 3 << Picture{"....", "..##", "..##"};
        QTest::newRow("corner at the board's far edge") << 100 << 100 << 0 << 0
                                                        << Picture{"####", "####", "####"};
        QTest::newRow("block wholly beyond the board") << 50 << 50 << 60 << 60
                                                       << Picture{"....", "....", "...."};
        QTest::newRow("block wholly in the band") << 0 << 0 << 1 << 4 << Picture{"....", "....", "...."};
    }
    void fillRectangleNeverWritesOutsideTheAnswerArea()
    {
        QFETCH(int, x1);
        QFETCH(int, y1);
        QFETCH(int, x2);
        QFETCH(int, y2);
        BoardModel model = bandedBoard({"....", "....", "...."});
        int16 a = toInt16(x1), b = toInt16(y1), c = toInt16(x2), d = toInt16(y2);
        FillRectangle(model, a, b, c, d, kFilled);
        QTEST(answerPicture(model), "expected");
        QVERIFY(bandUntouched(model));
        QVERIFY(outsideBoardUntouched(model));
    }

    void rectangleCornersFillOrErase_data()
    {
        QTest::addColumn<int>("firstButton");
        QTest::addColumn<int>("secondButton");
        QTest::addColumn<Picture>("expected");
        // Corners (3, 2) then (2, 3) over a 2 x 2 block with a filled cell and a cross.
        QTest::newRow("left then left fills") << 1 << 1 << Picture{"###", "##x"};
        QTest::newRow("right then left fills") << 2 << 1 << Picture{"###", "##x"};
        QTest::newRow("left then right erases") << 1 << 2 << Picture{"..#", "..x"};
        QTest::newRow("right then right erases") << 2 << 2 << Picture{"..#", "..x"};
    }
    void rectangleCornersFillOrErase()
    {
        QFETCH(int, firstButton);
        QFETCH(int, secondButton);
        BoardModel model = bandedBoard({"#.#", "x.x"});
        int16 startX = -1, startY = 0;
        QCOMPARE(pressRectangle(model, {startX, startY}, 3, 2, firstButton), RectanglePress::StartChosen);
        QCOMPARE(startX, int16(3));
        QCOMPARE(startY, int16(2));
        QCOMPARE(answerPicture(model), (Picture{"#.#", "x.x"}));  // the first corner marks nothing
        QCOMPARE(pressRectangle(model, {startX, startY}, 2, 3, secondButton), RectanglePress::Applied);
        QCOMPARE(startX, int16(-1));
        QTEST(answerPicture(model), "expected");
    }

    void middleButtonNeitherSetsNorCompletesACorner()
    {
        BoardModel model = bandedBoard({"...", "..."});
        int16 startX = -1, startY = 0;
        QCOMPARE(pressRectangle(model, {startX, startY}, 2, 2, kMiddleButton), RectanglePress::Ignored);
        QCOMPARE(startX, int16(-1));
        QCOMPARE(pressRectangle(model, {startX, startY}, 2, 2, kLeftButton), RectanglePress::StartChosen);
        QCOMPARE(pressRectangle(model, {startX, startY}, 4, 3, kMiddleButton), RectanglePress::Ignored);
        QCOMPARE(startX, int16(2));
        QCOMPARE(answerPicture(model), (Picture{"...", "..."}));
    }
};

QTEST_GUILESS_MAIN(TestDrawingTools)
#include "test_drawing_tools.moc"
