// A puzzle from any picture: reading and its size limit, area averaging, transparency,
// Otsu's threshold, inversion and the board the picture becomes.
#include "author/image_import.h"
#include "author/image_threshold.h"
#include "formats/board_clues.h"
#include "support/ascii_board.h"
#include "support/image_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zumeli;
using zumeli::test::pictureFromRows;

namespace {

// One row of grey pixels.
QImage greyRow(std::initializer_list<int> values)
{
    QImage image(static_cast<int>(values.size()), 1, QImage::Format_RGB32);
    int x = 0;
    for (const int v : values)
        image.setPixel(x++, 0, qRgb(v, v, v));
    return image;
}

GreyPicture greyOf(std::initializer_list<double> values)
{
    return GreyPicture{static_cast<int>(values.size()), 1, std::vector<double>(values)};
}

// A picture with `count` cells of each given brightness.
GreyPicture clusters(std::initializer_list<std::pair<double, int>> parts)
{
    GreyPicture grey;
    for (const auto& [value, count] : parts)
        grey.values.insert(grey.values.end(), static_cast<std::size_t>(count), value);
    grey.width = static_cast<int>(grey.values.size());
    grey.height = 1;
    return grey;
}

// A PNG file that announces `width` x `height` pixels of 8-bit colour and holds no pixel data:
// decoding it fails, reading its size does not.
QByteArray emptyPngHeader(quint32 width, quint32 height)
{
    auto bigEndian = [](QByteArray& out, quint32 value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.append(static_cast<char>((value >> shift) & 0xFF));
    };
    auto crc32 = [](const QByteArray& bytes) {
        quint32 crc = 0xFFFFFFFFu;
        for (const char byte : bytes) {
            crc ^= static_cast<quint8>(byte);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
        return crc ^ 0xFFFFFFFFu;
    };
    QByteArray chunk("IHDR");
    bigEndian(chunk, width);
    bigEndian(chunk, height);
    chunk.append("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, no interlace
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    bigEndian(png, 13);
    png.append(chunk);
    bigEndian(png, crc32(chunk));
    // The reader reads the header up to the first data chunk, which here holds no image.
    const QByteArray data("IDATjunk");
    bigEndian(png, 4);
    png.append(data);
    bigEndian(png, crc32(data));
    return png;
}

std::vector<std::string> rowsOf(const solver::CellGrid& grid)
{
    std::vector<std::string> rows;
    const std::string text = grid.toAscii();
    for (qsizetype start = 0; start < static_cast<qsizetype>(text.size());) {
        const auto end = text.find('\n', static_cast<std::size_t>(start));
        rows.push_back(text.substr(static_cast<std::size_t>(start), end - start));
        start = static_cast<qsizetype>(end) + 1;
    }
    return rows;
}

} // namespace

class ImageImportTest : public QObject {
    Q_OBJECT

private slots:
    void areaAveragingWeighsEachPixelByTheShareItCovers()
    {
        // Four pixels into three cells: each cell covers 4/3 pixels, so the middle pixels
        // are split one third / two thirds between neighbours.
        GreyPicture grey = areaAverage(greyRow({0, 100, 200, 40}), QSize(3, 1));
        QCOMPARE(grey.width, 3);
        QCOMPARE(grey.height, 1);
        QCOMPARE(grey.at(0, 0), 25.0);   // (3 * 0 + 100) / 4
        QCOMPARE(grey.at(1, 0), 150.0);  // (100 + 200) / 2
        QCOMPARE(grey.at(2, 0), 80.0);   // (200 + 3 * 40) / 4

        // Two dimensions at once: a 4 x 2 picture into 2 x 1 cells.
        QImage square(4, 2, QImage::Format_RGB32);
        square.fill(qRgb(255, 255, 255));
        square.setPixel(0, 0, qRgb(0, 0, 0));
        square.setPixel(0, 1, qRgb(0, 0, 0));
        square.setPixel(1, 1, qRgb(0, 0, 0));
        grey = areaAverage(square, QSize(2, 1));
        QCOMPARE(grey.at(0, 0), 63.75);
        QCOMPARE(grey.at(1, 0), 255.0);

        // Enlarging: a cell inside one pixel takes its value, one across two takes both.
        grey = areaAverage(greyRow({0, 200}), QSize(3, 2));
        QCOMPARE(grey.at(0, 1), 0.0);
        QCOMPARE(grey.at(1, 0), 100.0);
        QCOMPARE(grey.at(2, 1), 200.0);
    }

    void aThinLineSurvivesShrinkingAsAGreyColumn()
    {
        // A one-pixel line in a 90 x 90 picture covers a thirtieth of its cells' area.
        QImage image(90, 90, QImage::Format_RGB32);
        image.fill(qRgb(255, 255, 255));
        for (int y = 0; y < 90; ++y)
            image.setPixel(45, y, qRgb(0, 0, 0));
        const GreyPicture grey = areaAverage(image, QSize(3, 3));
        for (int y = 0; y < 3; ++y) {
            QCOMPARE(grey.at(0, y), 255.0);
            QCOMPARE(grey.at(1, y), 255.0 * 29 / 30);
            QCOMPARE(grey.at(2, y), 255.0);
        }
    }

    void transparentPixelsCountAsWhiteBackground()
    {
        QCOMPARE(brightnessOverWhite(qRgba(0, 0, 0, 0)), 255.0);
        QCOMPARE(brightnessOverWhite(qRgba(0, 0, 0, 255)), 0.0);
        QCOMPARE(brightnessOverWhite(qRgba(0, 0, 0, 51)), 204.0);  // a fifth black
        // Colour weighs as the eye sees it: pure blue is darker than pure yellow.
        QVERIFY(brightnessOverWhite(qRgb(0, 0, 255)) < 50);
        QVERIFY(brightnessOverWhite(qRgb(255, 255, 0)) > 200);

        // A transparent picture with black pixels hidden under zero alpha comes out blank,
        // and its dark parts dark, whatever the pixel format Qt decoded it into.
        const QImage picture = pictureFromRows({"  ##", "  ##"});
        for (const auto format : {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                  QImage::Format_RGBA8888, QImage::Format_RGBA64}) {
            const GreyPicture grey = areaAverage(picture.convertToFormat(format), QSize(2, 1));
            QCOMPARE(grey.at(0, 0), 255.0);
            QCOMPARE(grey.at(1, 0), 0.0);
        }
    }

    void otsuSplitsTwoClustersInTheMiddleOfTheirGap()
    {
        // Every split between the clusters scores the same; the middle one is taken.
        QCOMPARE(otsuThreshold(clusters({{40, 50}, {200, 30}})), 120);
        QCOMPARE(otsuThreshold(clusters({{30, 5}, {35, 9}, {40, 5}, {190, 7}, {200, 3}, {210, 6}})),
                 115);
        // Three clusters: splitting the top one off separates more than splitting the bottom
        // one off (variance 20*10*205^2 against 10*20*177.5^2).
        QCOMPARE(otsuThreshold(clusters({{0, 10}, {100, 10}, {255, 10}})), 178);
        // Fractional values are binned by their whole part, as the threshold reads them.
        const GreyPicture fractional = clusters({{10.9, 4}, {11.2, 4}});
        const int t = otsuThreshold(fractional);
        QCOMPARE(t, 11);
        const solver::CellGrid split = thresholdPicture(fractional, t, false);
        QCOMPARE(std::count(split.cells.begin(), split.cells.end(), solver::Cell::Filled), 4);
        // One brightness only: no split exists.
        QCOMPARE(otsuThreshold(clusters({{255, 20}})), 128);
    }

    void thresholdFillsDarkerCellsAndInvertSwapsThem()
    {
        const GreyPicture grey = greyOf({0, 99.9, 100, 255});
        QCOMPARE(rowsOf(thresholdPicture(grey, 100, false)), std::vector<std::string>{"##.."});
        QCOMPARE(rowsOf(thresholdPicture(grey, 100, true)), std::vector<std::string>{"..##"});
        QCOMPARE(rowsOf(thresholdPicture(grey, 0, false)), std::vector<std::string>{"...."});
        QCOMPARE(rowsOf(thresholdPicture(grey, 255, false)), std::vector<std::string>{"###."});
    }

    void defaultSizeKeepsTheAspectWithTheLongerSideThirty_data()
    {
        QTest::addColumn<QSize>("image");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("wide") << QSize(1000, 500) << QSize(30, 15);
        QTest::newRow("tall") << QSize(100, 300) << QSize(10, 30);
        QTest::newRow("square, enlarged") << QSize(8, 8) << QSize(30, 30);
        QTest::newRow("rounded") << QSize(640, 480) << QSize(30, 23);  // 22.5 rounds up
        QTest::newRow("thin line keeps one cell") << QSize(10000, 3) << QSize(30, 1);
        QTest::newRow("no size") << QSize() << QSize(30, 30);
    }

    void defaultSizeKeepsTheAspectWithTheLongerSideThirty()
    {
        QFETCH(QSize, image);
        QFETCH(QSize, expected);
        QCOMPARE(defaultAnswerSize(image), expected);
        // The other side in proportion never leaves 1..80.
        QCOMPARE(proportionalSide(QSize(10, 1000), true, 80), 80);
        QCOMPARE(proportionalSide(QSize(10, 1000), false, 80), 1);
    }

    // With the aspect kept, a side set by the author that would push the other past 80 is cut
    // back instead: both sides stay within 1..80 and the aspect holds.
    void theAspectKeptSizeStaysWithinTheLimits_data()
    {
        QTest::addColumn<QSize>("image");
        QTest::addColumn<bool>("widthFixed");
        QTest::addColumn<int>("side");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("tall page at width 80") << QSize(794, 1123) << true << 80 << QSize(57, 80);
        QTest::newRow("tall page at height 80") << QSize(794, 1123) << false << 80 << QSize(57, 80);
        QTest::newRow("tall page within the limit") << QSize(794, 1123) << true << 40 << QSize(40, 57);
        QTest::newRow("wide at height 30") << QSize(400, 100) << false << 30 << QSize(80, 20);
        QTest::newRow("wide at width 80") << QSize(400, 100) << true << 80 << QSize(80, 20);
        QTest::newRow("a third at width 30") << QSize(100, 300) << true << 30 << QSize(27, 80);
        QTest::newRow("square") << QSize(8, 8) << true << 50 << QSize(50, 50);
        QTest::newRow("thin line keeps one cell") << QSize(10000, 3) << true << 80 << QSize(80, 1);
        QTest::newRow("thin line set by its height") << QSize(10000, 3) << false << 5 << QSize(80, 1);
        QTest::newRow("no size") << QSize() << true << 12 << QSize(12, 12);
    }

    void theAspectKeptSizeStaysWithinTheLimits()
    {
        QFETCH(QSize, image);
        QFETCH(bool, widthFixed);
        QFETCH(int, side);
        QFETCH(QSize, expected);
        QCOMPARE(aspectKeptSize(image, widthFixed, side), expected);
    }

    // The border trimmed by 余白を切り取る: transparent pixels, or the top-left pixel's colour.
    void theContentLeavesOutTheUniformBorder_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("transparent border")
            << pictureFromRows({"      ", "  #.  ", "   #  ", "      "}) << QRect(2, 1, 2, 2);
        QTest::newRow("white border") << pictureFromRows({"......", "..#...", "....#.", "......"})
                                      << QRect(2, 1, 3, 2);
        QTest::newRow("grey border, white inside")
            << pictureFromRows({"ggggg", "g..gg", "gg#gg", "ggggg", "ggggg"}) << QRect(1, 1, 2, 2);
        // On a transparent background, white is part of the drawing.
        QTest::newRow("white on a transparent background")
            << pictureFromRows({"     ", "  #. ", "   . ", "     "}) << QRect(2, 1, 2, 2);
        // The top-left pixel names the background: a drawing that covers it has no border.
        QTest::newRow("drawing in the corner")
            << pictureFromRows({"#.#..", "##...", "....."}) << QRect(0, 0, 5, 3);
        QTest::newRow("nothing to trim") << pictureFromRows({"#.", ".#"}) << QRect(0, 0, 2, 2);
        QTest::newRow("all background keeps the whole")
            << pictureFromRows({"...", "..."}) << QRect(0, 0, 3, 2);
        QTest::newRow("all transparent keeps the whole") << pictureFromRows({"  ", "  "}) << QRect(0, 0, 2, 2);
        // The noise of a compressed white background is background; a light grey is not.
        QImage noisy = pictureFromRows({".....", ".....", "..#..", ".....", "....."});
        noisy.setPixel(0, 4, qRgb(250, 241, 255));
        noisy.setPixel(4, 0, qRgb(224, 224, 224));
        QTest::newRow("noise and a light grey") << noisy << QRect(2, 0, 3, 3);
    }

    void theContentLeavesOutTheUniformBorder()
    {
        QFETCH(QImage, image);
        QFETCH(QRect, expected);
        QCOMPARE(contentRect(image), expected);
        // Scaling the content alone is scaling the picture cut to it.
        const GreyPicture part = areaAverage(image, expected.size(), expected);
        const GreyPicture cut = areaAverage(image.copy(expected), expected.size());
        QCOMPARE(part.values, cut.values);
        QCOMPARE(part.opacity, cut.opacity);
    }

    // Clip art on a transparent background: the threshold splits the drawing's own colours,
    // and the background stays background whichever way the picture is read.
    void aTransparentBackgroundNeitherSetsTheThresholdNorFills()
    {
        // A light disc (200) with dark eyes (30) on a transparent background: counted as white,
        // the background would set the split between the disc and itself and fill the disc.
        QImage smiley(8, 6, QImage::Format_ARGB32);
        smiley.fill(qRgba(0, 0, 0, 0));
        const char* rows[] = {"  dddd  ", " dddddd ", " dedded ", " dddddd ", "  dddd  ", "        "};
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x)
                if (rows[y][x] != ' ')
                    smiley.setPixel(x, y, rows[y][x] == 'e' ? qRgb(30, 30, 30) : qRgb(200, 200, 200));
        const GreyPicture grey = areaAverage(smiley, QSize(8, 6));
        QCOMPARE(grey.opacity.size(), std::size_t(48));
        QCOMPARE(grey.opacity[0], 0.0);
        QCOMPARE(grey.opacity[2], 1.0);
        const int t = otsuThreshold(grey);
        QVERIFY2(t > 30 && t <= 200, qPrintable(QString::number(t)));
        QCOMPARE(rowsOf(thresholdPicture(grey, t, false)),
                 (std::vector<std::string>{"........", "........", "..#..#..", "........", "........", "........"}));
        // Inverted, the disc is filled and the background stays empty.
        QCOMPARE(rowsOf(thresholdPicture(grey, t, true)),
                 (std::vector<std::string>{"..####..", ".######.", ".#.##.#.", ".######.", "..####..", "........"}));

        // A cell half covered or less is background; more than half, it is read by brightness.
        const QImage halves = pictureFromRows({"  ## ", "  ## "});
        const GreyPicture cells = areaAverage(halves, QSize(5, 1));
        QCOMPARE(rowsOf(thresholdPicture(cells, 128, true)), std::vector<std::string>{"....."});
        QCOMPARE(rowsOf(thresholdPicture(cells, 128, false)), std::vector<std::string>{"..##."});
        const GreyPicture coarse = areaAverage(halves, QSize(2, 1));  // 0.5/2.5 and 1.5/2.5 opaque
        QCOMPARE(rowsOf(thresholdPicture(coarse, 255, false)), std::vector<std::string>{".#"});
        // A picture with no alpha channel has no opacity to weigh: every cell counts.
        QVERIFY(areaAverage(pictureFromRows({"#."}).convertToFormat(QImage::Format_RGB32), QSize(2, 1))
                    .opacity.empty());
        // Nothing opaque at all: no split exists.
        QCOMPARE(otsuThreshold(areaAverage(pictureFromRows({"  ", "  "}), QSize(2, 2))), 128);
    }

    void readsAnyFormatQtReadsUpToTenThousandPixels()
    {
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("pic.png"));
        QVERIFY(pictureFromRows({"# .", ".g#"}).save(png));
        const QImage read = readSourceImage(png);
        QCOMPARE(read.size(), QSize(3, 2));
        QCOMPARE(qAlpha(read.pixel(1, 0)), 0);

        const QString widest = dir.filePath(QStringLiteral("widest.png"));
        QImage line(kMaxSourceImageSide, 2, QImage::Format_RGB32);
        line.fill(Qt::white);
        QVERIFY(line.save(widest));
        QCOMPARE(readSourceImage(widest).width(), kMaxSourceImageSide);

        const QString tooWide = dir.filePath(QStringLiteral("too-wide.png"));
        QImage wider(kMaxSourceImageSide + 1, 2, QImage::Format_RGB32);
        wider.fill(Qt::white);
        QVERIFY(wider.save(tooWide));
        QVERIFY_THROWS_EXCEPTION(SourceImageTooLargeError, readSourceImage(tooWide));

        const QString garbage = dir.filePath(QStringLiteral("garbage.png"));
        QFile file(garbage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture at all");
        file.close();
        QVERIFY_THROWS_EXCEPTION(ImageReadError, readSourceImage(garbage));
    }

    void aHugePictureIsRefusedFromItsHeaderWithoutDecoding()
    {
        // The header announces 20000 x 20000 pixels and no pixel follows: a decoder would
        // fail (or need 1.6 GB); the refusal must come from the size alone.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("huge.png"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(emptyPngHeader(20000, 20000));
        file.close();
        QVERIFY_THROWS_EXCEPTION(SourceImageTooLargeError, readSourceImage(path));
        // The same header within the limit is read, and fails for want of pixels.
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(emptyPngHeader(200, 200));
        file.close();
        QVERIFY_THROWS_EXCEPTION(ImageReadError, readSourceImage(path));
    }

    void theBoardHoldsThePictureAndItsDerivedClues()
    {
        const solver::CellGrid picture =
            solver::CellGrid::fromAscii("##.#\n....\n#.##\n");
        QCOMPARE(cluesNeeded(picture), 2);
        const BoardModel model = boardFromImportedPicture(picture, 3);
        QCOMPARE(model.clueSize, int16(3));
        QCOMPARE(model.answerWidth(), 4);
        QCOMPARE(model.answerHeight(), 3);
        QCOMPARE(test::answerPicture(model), (std::vector<std::string>{"##.#", "....", "#.##"}));
        QCOMPARE(test::rowClueCells(model, 3), (std::vector<int>{0, 2, 1}));
        QCOMPARE(test::rowClueCells(model, 4), (std::vector<int>{0, 0, 0}));
        QCOMPARE(test::columnClueCells(model, 3), (std::vector<int>{0, 1, 1}));
        QCOMPARE(test::columnClueCells(model, 4), (std::vector<int>{0, 0, 1}));
        QCOMPARE(test::rowClueCells(model, 5), (std::vector<int>{0, 1, 2}));
        // Everything outside the band and the answer area stays blank.
        QCOMPARE(model.board(0, 0), int16(0));
        QCOMPARE(model.board(7, 3), int16(0));

        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, boardFromImportedPicture(picture, 21));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 boardFromImportedPicture(solver::CellGrid(81, 2), 5));

        // Replacing the answer clears crosses and other values the picture does not hold.
        BoardModel drawn = model;
        drawn.board(3, 3) = kCross;
        replaceAnswerAndClues(drawn, solver::CellGrid::fromAscii("....\n.##.\n....\n"));
        QCOMPARE(test::answerPicture(drawn), (std::vector<std::string>{"....", ".##.", "...."}));
        QCOMPARE(test::rowClueCells(drawn, 3), (std::vector<int>{0, 0, 0}));
        QCOMPARE(test::rowClueCells(drawn, 4), (std::vector<int>{0, 0, 2}));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 replaceAnswerAndClues(drawn, solver::CellGrid(3, 3)));
    }

    // A repaired picture is written with every one of its clues: the band widens to the line
    // with the most runs (never narrows), and a picture no band can hold is not written.
    void aRepairWidensTheClueBandToHoldEveryRun_data()
    {
        QTest::addColumn<int>("clueSize");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("written");  // the band written; 0: refused
        // Row 2 has three runs.
        const QString threeRuns = QStringLiteral(".##..\n#.#.#\n...##\n#..#.\n");
        QTest::newRow("fits the band") << 3 << threeRuns << 3;
        QTest::newRow("a wide band stays") << 7 << threeRuns << 7;
        QTest::newRow("one run more than the band") << 2 << threeRuns << 3;
        QTest::newRow("a narrow band widens") << 1 << threeRuns << 3;
        // 41 cells alternating: 21 runs, one more than any band holds.
        QString alternating;
        for (int x = 0; x < 41; ++x)
            alternating += x % 2 == 0 ? QLatin1Char('#') : QLatin1Char('.');
        QTest::newRow("more runs than the widest band") << 20 << alternating + QLatin1Char('\n') << 0;
        alternating.chop(2);
        QTest::newRow("the widest band") << 5 << alternating + QLatin1Char('\n') << 20;
    }

    void aRepairWidensTheClueBandToHoldEveryRun()
    {
        QFETCH(int, clueSize);
        QFETCH(QString, picture);
        QFETCH(int, written);
        const solver::CellGrid grid = solver::CellGrid::fromAscii(picture.toStdString());
        BoardModel model = boardFromImportedPicture(solver::CellGrid(grid.width, grid.height), clueSize);
        model.board(clueSize, clueSize) = kCross;
        const BoardModel before = model;

        QCOMPARE(clueBandHolding(grid, clueSize).value_or(0), written);
        QCOMPARE(writeRepairedPicture(model, grid), written != 0);
        if (written == 0) {
            QVERIFY(model == before);
            return;
        }
        QCOMPARE(int(model.clueSize), written);
        QCOMPARE(pictureFromBoard(model), grid);
        const solver::Puzzle clues = puzzleFromBoard(model);
        const solver::Puzzle expected = solver::puzzleFromPicture(grid);
        QVERIFY(clues.rows == expected.rows);
        QVERIFY(clues.columns == expected.columns);
        // A picture of another size is not written either.
        QVERIFY(!writeRepairedPicture(model, solver::CellGrid(grid.width + 1, grid.height)));
    }
};

QTEST_MAIN(ImageImportTest)
#include "test_image_import.moc"
