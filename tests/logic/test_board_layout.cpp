// Layout values, checked 16-bit arithmetic, typed numbers and the zoom box's reading.
#include "board/board_model.h"
#include "board/int16.h"
#include "board/layout.h"
#include "board/number_text.h"

#include <QtTest>

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

    void cellsAreAddressedColumnFirst()
    {
        Grid grid;
        grid(3, 7) = 1;
        QCOMPARE(grid(3, 7), 1);
        QCOMPARE(grid(7, 3), 0);
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
