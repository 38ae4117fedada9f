// What the board picture holds after drawing: grid, diagonal, cells, clue numbers.
#include "board/drawing/board_drawing.h"
#include "support/ascii_board.h"

#include <QTest>

#include <cstring>

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

// The pixels of `image` (device pixels, `ratio` to a pixel of the picture) that differ from
// `before`, outside the picture's pixels [left..right] x [top..bottom] and the border lines
// the screen draws over the clue band's edge at pixel `edge`: "x,y" each.
QStringList changedOutside(const QImage& image, const QImage& before, qreal ratio, int left,
                           int top, int right, int bottom, int edge)
{
    const auto onBorder = [edge](int pixel) {
        return std::abs(pixel - edge) <= kBorderPenPixels / 2;
    };
    QStringList outside;
    const qsizetype rowBytes = image.width() * sizeof(QRgb);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const auto* rowBefore = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        if (std::memcmp(row, rowBefore, rowBytes) == 0)
            continue;
        for (int x = 0; x < image.width(); ++x) {
            const int px = qFloor(x / ratio);
            const int py = qFloor(y / ratio);
            if ((px < left || px > right || py < top || py > bottom) && !onBorder(px) &&
                !onBorder(py) && row[x] != rowBefore[x])
                outside << QStringLiteral("%1,%2").arg(x).arg(y);
        }
    }
    return outside;
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

    // Two digits in a cell of 13 or 14 pixels do not fit as designed ("10" reads "1C",
    // "1715" runs together): they are narrowed to stay between the cell's lines, on the
    // picture and on a screen with two device pixels to a pixel, at every zoom.
    void everyClueStaysBetweenItsCellsGridLines_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("zoom 100") << 100.0 << qreal(1);
        QTest::newRow("zoom 100 on a screen of ratio 2") << 100.0 << qreal(2);
        QTest::newRow("zoom 200") << 200.0 << qreal(1);
        QTest::newRow("zoom 150 on a screen of ratio 3") << 150.0 << qreal(3);
    }
    void everyClueStaysBetweenItsCellsGridLines()
    {
        QFETCH(double, zoom);
        QFETCH(qreal, ratio);
        const BoardModel model;  // clue band 5, 15 x 15 answer cells
        const BoardLayout layout = computeLayout(zoom, model);
        BoardPicture picture;
        picture.setScreenPixelRatio(ratio);
        picture.resize(layout.boardWidthTw, layout.boardHeightTw);
        drawGrid(picture, model, layout);
        const QImage grid = picture.image().copy();
        const QImage screenGrid = picture.screenImage().copy();
        // Cells of both widths, in the column clues and the row clues, one at the picture's
        // left edge.
        const QPoint cells[] = {{10, 4}, {11, 2}, {4, 12}, {0, 13}};
        QStringList failures;
        for (int value = 1; value <= 99; ++value)
            for (const QPoint cell : cells) {
                drawGrid(picture, model, layout);
                drawClueNumber(picture, value, static_cast<int16>(cell.x()),
                               static_cast<int16>(cell.y()), layout, zoom);
                // Between the lines: from the pixel after one line to the pixel before the next
                // (at the clue band's edge, the border line drawn over it).
                const int left = twipsToPixels(cellToTwips(cell.x(), layout.cellSize)) + 1;
                const int right = twipsToPixels(cellToTwips(cell.x() + 1, layout.cellSize)) - 1;
                const int top = twipsToPixels(cellToTwips(cell.y(), layout.cellSize)) + 1;
                const int bottom = twipsToPixels(cellToTwips(cell.y() + 1, layout.cellSize)) - 1;
                const int edge = twipsToPixels(layout.clueBandTw);
                const QStringList outside =
                    changedOutside(picture.image(), grid, 1, left, top, right, bottom, edge);
                const QStringList screenOutside = changedOutside(
                    picture.screenImage(), screenGrid, ratio, left, top, right, bottom, edge);
                if (!outside.isEmpty() || !screenOutside.isEmpty())
                    failures << QStringLiteral("%1 in (%2, %3): %4 | screen %5")
                                    .arg(value).arg(cell.x()).arg(cell.y())
                                    .arg(outside.mid(0, 4).join(' '), screenOutside.mid(0, 4).join(' '));
            }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.mid(0, 8).join(QStringLiteral("; "))));
    }

    // On a screen with two device pixels to a pixel the board is drawn at that resolution:
    // twice the pixels each way, lines and cells on whole pixels, digits finer than the
    // picture doubled. The picture itself, printed and exported, stays what it is.
    void screenPictureIsDrawnAtTheScreensResolution()
    {
        BoardModel model = test::boardWithAnswer(5, {"#x.7", "....", "....", "...."});
        model.board(5, 4) = 12;
        model.board(4, 6) = 7;
        const BoardLayout layout = computeLayout(100, model);
        const auto draw = [&](BoardPicture& picture) {
            picture.resize(layout.boardWidthTw, layout.boardHeightTw);
            drawGrid(picture, model, layout);
            drawClueNumbers(picture, model, layout, 100);
            drawAnswerCells(picture, model, layout);
        };
        BoardPicture plain;
        draw(plain);
        BoardPicture sharp;
        sharp.setScreenPixelRatio(2);
        draw(sharp);
        QCOMPARE(sharp.image(), plain.image());
        QCOMPARE(plain.screenImage(), plain.image());

        const QImage& screen = sharp.screenImage();
        QCOMPARE(screen.size(), plain.image().size() * 2);
        QCOMPARE(screen.devicePixelRatio(), 2.0);
        const auto device = [&](int xTw, int yTw, int dx, int dy) {
            return screen.pixel(2 * twipsToPixels(xTw) + dx, 2 * twipsToPixels(yTw) + dy);
        };
        for (int d = 0; d < 4; ++d) {
            // A grid line, the filled cell's middle, an empty cell's middle.
            QCOMPARE(device(200 * 7, 200 * 6 + 100, d % 2, d / 2), kBlack);
            QCOMPARE(device(5 * 200 + 100, 5 * 200 + 100, d % 2, d / 2), kBlack);
            QCOMPARE(device(7 * 200 + 100, 5 * 200 + 100, d % 2, d / 2), kWhite);
        }
        // The digits' 2 x 2 blocks are not all one colour, as the picture doubled would be.
        int mixedBlocks = 0;
        for (int y = 0; y + 1 < 2 * twipsToPixels(1000); y += 2)
            for (int x = 0; x + 1 < screen.width(); x += 2)
                if (screen.pixel(x, y) != screen.pixel(x + 1, y) ||
                    screen.pixel(x, y) != screen.pixel(x, y + 1) ||
                    screen.pixel(x, y) != screen.pixel(x + 1, y + 1))
                    ++mixedBlocks;
        QVERIFY2(mixedBlocks > 20, qPrintable(QString::number(mixedBlocks)));
    }

    void newScreenRatioStartsFromThePictureScaledUp()
    {
        DrawnBoard drawn{test::boardWithAnswer(5, {"#x", ".."})};
        drawn.picture.setScreenPixelRatio(3);
        const QImage& picture = drawn.picture.image();
        QImage scaledUp = picture.scaled(picture.size() * 3);
        scaledUp.setDevicePixelRatio(3);
        QCOMPARE(drawn.picture.screenImage().convertToFormat(QImage::Format_RGB32),
                 scaledUp.convertToFormat(QImage::Format_RGB32));
        drawn.picture.setScreenPixelRatio(1);
        QCOMPARE(drawn.picture.screenImage().size(), picture.size());
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
