// What the board picture holds after drawing: grid, diagonal, cells, clue numbers.
#include "board/board_drawing.h"
#include "support/ascii_board.h"

#include <QtTest>

using namespace zumeli;

namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;

QRgb pixelAtTwips(const BoardPicture& picture, int xTw, int yTw)
{
    return picture.image().pixel(twipsToPixels(xTw), twipsToPixels(yTw));
}

// Whether any pixel of the rectangle (twips) is darker than mid-grey.
bool hasInk(const BoardPicture& picture, const QRect& twips)
{
    const QImage& image = picture.image();
    for (int y = twipsToPixels(twips.top()); y <= twipsToPixels(twips.bottom()); ++y)
        for (int x = twipsToPixels(twips.left()); x <= twipsToPixels(twips.right()); ++x)
            if (image.valid(x, y) && qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

struct DrawnBoard {
    BoardModel model;
    BoardLayout layout;
    BoardPicture picture;

    explicit DrawnBoard(BoardModel m, double zoom = 100) : model(std::move(m))
    {
        layout = computeLayout(zoom, model);
        picture.resize(layout.boardWidthTw, layout.boardHeightTw);
        drawGrid(picture, model, layout);
        drawClueNumbers(picture, model, layout, zoom);
        drawAnswerCells(picture, model, layout);
    }
};

} // namespace

class BoardDrawingTest : public QObject {
    Q_OBJECT

private slots:
    void pictureIsTheBoardInWholePixels()
    {
        DrawnBoard drawn{BoardModel{}};
        QCOMPARE(drawn.picture.image().size(), QSize(266, 266));  // 4000 twips
        DrawnBoard zoomed{BoardModel{}, 150};
        QCOMPARE(zoomed.picture.image().size(), QSize(400, 400)); // 6000 twips
    }

    void gridLinesDiagonalAndNoRightEdge()
    {
        DrawnBoard drawn{BoardModel{}};
        // Grid lines at every cell boundary, in the band and in the answer area.
        QCOMPARE(pixelAtTwips(drawn.picture, 200 * 7, 200 * 12 + 100), kBlack);
        QCOMPARE(pixelAtTwips(drawn.picture, 200 * 12 + 100, 200 * 9), kBlack);
        QCOMPARE(pixelAtTwips(drawn.picture, 200 * 2, 200 * 1 + 100), kBlack);
        // The corner diagonal runs from (0, 0) to the band's inner corner.
        QCOMPARE(drawn.picture.image().pixel(10, 10), kBlack);
        QCOMPARE(drawn.picture.image().pixel(50, 50), kBlack);
        QCOMPARE(drawn.picture.image().pixel(33, 10), kWhite);
        // Inside an empty answer cell: white.
        QCOMPARE(pixelAtTwips(drawn.picture, 200 * 10 + 100, 200 * 10 + 100), kWhite);
    }

    void filledCellIsBlackAndCrossHasBothDiagonals()
    {
        BoardModel model = test::boardWithAnswer(5, {"#x.7", "....", "....", "...."});
        DrawnBoard drawn{model};
        const int c = 200;
        QCOMPARE(pixelAtTwips(drawn.picture, 5 * c + 100, 5 * c + 100), kBlack);  // filled
        // The cross passes through the centre and near the corners, but not the edge middles.
        QCOMPARE(pixelAtTwips(drawn.picture, 6 * c + 100, 5 * c + 100), kBlack);
        QCOMPARE(pixelAtTwips(drawn.picture, 6 * c + 45, 5 * c + 45), kBlack);
        QCOMPARE(pixelAtTwips(drawn.picture, 6 * c + 100, 5 * c + 45), kWhite);
        // Empty and "other value" cells are plain white.
        QCOMPARE(pixelAtTwips(drawn.picture, 7 * c + 100, 5 * c + 100), kWhite);
        QCOMPARE(pixelAtTwips(drawn.picture, 8 * c + 100, 5 * c + 100), kWhite);
    }

    void filledAfterCrossLeavesNoTraceOfTheCross()
    {
        BoardModel model = test::boardWithAnswer(1, {"x"});
        const BoardLayout layout = computeLayout(100, model);
        BoardPicture picture;
        picture.resize(layout.boardWidthTw, layout.boardHeightTw);
        drawGrid(picture, model, layout);
        drawCell(picture, kCross, 1, 1, layout);
        drawCell(picture, kFilled, 1, 1, layout);
        BoardPicture direct;
        direct.resize(layout.boardWidthTw, layout.boardHeightTw);
        drawGrid(direct, model, layout);
        drawCell(direct, kFilled, 1, 1, layout);
        QCOMPARE(picture.image(), direct.image());
    }

    void clueNumbersStartWhereTheirDigitCountSays_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("origin");
        QTest::newRow("3 at zoom 100") << 3 << 100.0 << QPoint(1415, 825);
        QTest::newRow("12 at zoom 100") << 12 << 100.0 << QPoint(1375, 825);
        QTest::newRow("9 is not shifted") << 9 << 100.0 << QPoint(1415, 825);
        QTest::newRow("10 is shifted") << 10 << 100.0 << QPoint(1375, 825);
        QTest::newRow("-3 counts its minus sign") << -3 << 100.0 << QPoint(1375, 825);
        QTest::newRow("3 at zoom 150") << 3 << 150.0 << QPoint(7 * 300 + 22, 4 * 300 + 38);
    }
    void clueNumbersStartWhereTheirDigitCountSays()
    {
        QFETCH(int, value);
        QFETCH(double, zoom);
        QFETCH(QPoint, origin);
        const BoardLayout layout = computeLayout(zoom, BoardModel{});
        QCOMPARE(clueTextOrigin(value, 7, 4, layout, zoom), origin);
    }

    void clueTextHasLeadingBlankUnlessNegative()
    {
        QCOMPARE(clueText(7), QStringLiteral(" 7"));
        QCOMPARE(clueText(12), QStringLiteral(" 12"));
        QCOMPARE(clueText(-3), QStringLiteral("-3"));
    }

    void onlyInnermostZerosAreShown()
    {
        BoardModel model;  // fresh: every clue cell 0
        DrawnBoard drawn{model};
        // Innermost row of the column band (y = 4) shows a 0 in every answer column.
        QVERIFY(hasInk(drawn.picture, QRect(10 * 200 + 30, 4 * 200 + 40, 140, 130)));
        QVERIFY(hasInk(drawn.picture, QRect(4 * 200 + 30, 12 * 200 + 40, 140, 130)));
        // Other band cells stay blank.
        QVERIFY(!hasInk(drawn.picture, QRect(10 * 200 + 30, 2 * 200 + 40, 140, 130)));
        QVERIFY(!hasInk(drawn.picture, QRect(2 * 200 + 30, 12 * 200 + 40, 140, 130)));
    }

    void nonZeroClueIsPrintedAnywhereInTheBand()
    {
        BoardModel model;
        model.board(10, 1) = 3;
        DrawnBoard drawn{model};
        QVERIFY(hasInk(drawn.picture, QRect(10 * 200 + 30, 1 * 200 + 40, 140, 130)));
    }

    void borderLinesRunAlongTheClueBand()
    {
        BoardModel model;
        const BorderLines lines = borderLines(model, computeLayout(100, model));
        QCOMPARE(lines.vertical, QLine(1000, 0, 1000, 4000));
        QCOMPARE(lines.horizontal, QLine(0, 1000, 4000, 1000));
    }
};

QTEST_MAIN(BoardDrawingTest)
#include "test_board_drawing.moc"
