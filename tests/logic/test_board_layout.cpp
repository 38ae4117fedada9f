// Layout values, checked 16-bit arithmetic, typed numbers and the zoom box's reading.
#include "board/board_model.h"
#include "board/int16.h"
#include "board/layout.h"
#include "board/number_text.h"

#include <QTest>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

using namespace zumeli;

class BoardLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void cellSizeFollowsZoomWithHalvesToEven_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("cellSize");
        QTest::newRow("zoom 100") << 100.0 << 200;
        QTest::newRow("zoom 150") << 150.0 << 300;
        QTest::newRow("zoom 10") << 10.0 << 20;
        QTest::newRow("zoom 500") << 500.0 << 1000;
        QTest::newRow("half rounds down to even") << 10.25 << 20;   // 20.5 -> 20
        QTest::newRow("half rounds up to even") << 10.75 << 22;     // 21.5 -> 22
        QTest::newRow("fraction below half") << 33.3 << 67;         // 66.6 -> 67
    }
    void cellSizeFollowsZoomWithHalvesToEven()
    {
        QFETCH(double, zoom);
        QFETCH(int, cellSize);
        const BoardLayout layout = computeLayout(zoom, BoardModel{});
        QCOMPARE(layout.cellSize, cellSize);
        QCOMPARE(layout.boardWidthTw, cellSize * 20);
        QCOMPARE(layout.boardHeightTw, cellSize * 20);
        QCOMPARE(layout.clueBandTw, cellSize * 5);
    }

    void layoutThatLeaves16BitsThrows()
    {
        BoardModel wide;
        wide.clueSize = 20;
        wide.gridWidth = 100;
        wide.gridHeight = 30;
        QVERIFY_THROWS_EXCEPTION(OverflowError, computeLayout(164, wide));  // 328 * 100
        QCOMPARE(computeLayout(163, wide).boardWidthTw, 32600);             // 326 * 100 fits
        QVERIFY_THROWS_EXCEPTION(OverflowError, computeLayout(200, wide));
    }

    void checkedArithmeticNeverWraps()
    {
        QCOMPARE(add16(32766, 1), 32767);
        QVERIFY_THROWS_EXCEPTION(OverflowError, add16(32767, 1));
        QVERIFY_THROWS_EXCEPTION(OverflowError, sub16(-32768, 1));
        QVERIFY_THROWS_EXCEPTION(OverflowError, mul16(200, 200));
        QCOMPARE(mul16(-128, 256), -32768);
        QVERIFY_THROWS_EXCEPTION(OverflowError, toInt16(40000L));
        QVERIFY_THROWS_EXCEPTION(OverflowError, roundHalfEven16(32767.5));
    }

    void boardIndexOutside0To100Throws()
    {
        Grid grid;
        grid(100, 100) = 7;
        QCOMPARE(grid(100, 100), 7);
        QVERIFY_THROWS_EXCEPTION(IndexError, grid(101, 0));
        QVERIFY_THROWS_EXCEPTION(IndexError, grid(0, -1));
        QVERIFY_THROWS_EXCEPTION(IndexError, grid(-1, 5));
    }

    // The grid is stored row after row: cell (x, y), x the column, is element y * 101 + x.
    void cellXYIsElementYTimes101PlusXInMemory()
    {
        static_assert(std::is_trivially_copyable_v<Grid>);
        static_assert(sizeof(Grid) == sizeof(int16) * kBoardSide * kBoardSide);
        Grid grid;
        grid(3, 7) = 1;
        grid(100, 0) = 2;
        grid(0, 100) = 3;
        std::array<int16, kBoardSide * kBoardSide> memory{};
        std::memcpy(memory.data(), &grid, sizeof grid);
        QCOMPARE(memory[7 * 101 + 3], int16(1));
        QCOMPARE(memory[3 * 101 + 7], int16(0));
        QCOMPARE(memory[100], int16(2));        // the last column of the first row
        QCOMPARE(memory[100 * 101], int16(3));  // the first column of the last row
    }

    // Every twip of a cell's square, edge included, turns back into that cell, at the cell
    // sizes of small, common and large zooms.
    void twipsOfACellTurnBackIntoIt_data()
    {
        QTest::addColumn<int>("cellSize");
        for (int cellSize : {20, 67, 200, 220, 300, 327, 1000})
            QTest::addRow("cell size %d", cellSize) << cellSize;
    }
    void twipsOfACellTurnBackIntoIt()
    {
        QFETCH(int, cellSize);
        const auto c = static_cast<int16>(cellSize);
        for (int i = 0; i < kBoardSide && (i + 1) * cellSize <= 32767; ++i) {
            const int left = cellToTwips(i, c);
            const int next = cellToTwips(i + 1, c);
            QCOMPARE(left, i * cellSize);
            QCOMPARE(twipsToCell(left, c), i);
            QCOMPARE(twipsToCell(left + 0.4, c), i);
            QCOMPARE(twipsToCell(next - 1, c), i);
            QCOMPARE(twipsToCell(next - 0.6, c), i);
            QCOMPARE(twipsToCell(next, c), i + 1);
        }
    }

    void cellEdgeBeyond16BitsThrowsAndNoNumberIsNoCell()
    {
        QCOMPARE(cellToTwips(100, 327), 32700);
        QVERIFY_THROWS_EXCEPTION(OverflowError, cellToTwips(100, 328));
        QCOMPARE(twipsToCell(std::nan(""), 200), -1);
        QCOMPARE(twipsToCell(std::numeric_limits<double>::infinity(), 200), -1);
        QCOMPARE(twipsToCell(100, 0), -1);  // no cell size: never a division by zero
    }

    void zoomBoxAcceptsOnlyNumbersFrom10To500_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("100") << "100" << true;
        QTest::newRow("10") << "10" << true;
        QTest::newRow("500") << "500" << true;
        QTest::newRow("fraction") << "123.4" << true;
        QTest::newRow("blanks around") << " 150 " << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("letters") << "abc" << false;
        QTest::newRow("number then letters") << "12a" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("negative") << "-5" << false;
        QTest::newRow("too large") << "900" << false;
        QTest::newRow("just below") << "9.99" << false;
        QTest::newRow("infinity") << "inf" << false;
        QTest::newRow("huge exponent") << "1e400" << false;
    }
    void zoomBoxAcceptsOnlyNumbersFrom10To500()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        if (accepted)
            QVERIFY(readZoom(text.toStdString()) >= 10);
        else
            QVERIFY_THROWS_EXCEPTION(ZoomError, readZoom(text.toStdString()));
    }

    void typedNumbersAreRoundedDown_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<long long>("floored");
        QTest::newRow("20.9") << "20.9" << 20LL;
        QTest::newRow("0.5") << "0.5" << 0LL;
        QTest::newRow("-0.5") << "-0.5" << -1LL;
        QTest::newRow("255.9") << "255.9" << 255LL;
        QTest::newRow("+7") << "+7" << 7LL;
    }
    void typedNumbersAreRoundedDown()
    {
        QFETCH(QString, text);
        QFETCH(long long, floored);
        QCOMPARE(parseFloor(text.toStdString()).value(), floored);
    }

    void twipsBecomeWholePixels()
    {
        QCOMPARE(twipsToPixels(4000), 266);
        QCOMPARE(twipsToPixels(15), 1);
        QCOMPARE(twipsToPixels(14), 0);
        QCOMPARE(twipsToPixels(-25), -2);  // a long clue number starts left of its cell
    }
};

QTEST_GUILESS_MAIN(BoardLayoutTest)
#include "test_board_layout.moc"
