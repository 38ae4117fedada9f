// Turning an image file into a puzzle: decoding, colour values, the threshold rule, the
// dialog's entry checks and the board the picture becomes.
#include "author/image_threshold.h"
#include "author/new_puzzle.h"
#include "support/ascii_board.h"
#include "support/image_files.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace zumeli;
using zumeli::test::pictureFromRows;

namespace {

QImage onWhite(const QImage& image) { return imageOnBackground(image, Qt::white); }

QImage solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray iconBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "ICO"))
        throw std::runtime_error("Qt could not write an icon");
    return bytes;
}

} // namespace

class ImageThresholdTest : public QObject {
    Q_OBJECT

private slots:
    void qtReadsTheFourOfferedFormats()
    {
        const QList<QByteArray> formats = QImageReader::supportedImageFormats();
        for (const char* format : {"bmp", "gif", "ico", "jpeg"})
            QVERIFY2(formats.contains(format), format);
    }

    void channelsComeFromTheLowThreeBytes_data()
    {
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::newRow("black") << 0x00000000u << 0 << 0 << 0;
        QTest::newRow("red is the low byte") << 0x000000FFu << 255 << 0 << 0;
        QTest::newRow("blue is the third byte") << 0x00FF0000u << 0 << 0 << 255;
        QTest::newRow("mixed") << 0x00345678u << 0x78 << 0x56 << 0x34;
        QTest::newRow("top byte ignored") << 0x7F345678u << 0x78 << 0x56 << 0x34;
        QTest::newRow("all ones reads white") << 0xFFFFFFFFu << 255 << 255 << 255;
    }
    void channelsComeFromTheLowThreeBytes()
    {
        QFETCH(quint32, colour);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QCOMPARE(int(RedFromRGB(colour)), red);
        QCOMPARE(int(GreenFromRGB(colour)), green);
        QCOMPARE(int(BlueFromRGB(colour)), blue);
    }

    void pixelColourValueIsLaidOutBlueGreenRed()
    {
        QImage image = solid(2, 1, qRgb(1, 2, 3));
        image.setPixel(1, 0, qRgb(0xAB, 0xCD, 0xEF));
        QCOMPARE(colourValueAt(image, 0, 0), 0x00030201u);
        QCOMPARE(colourValueAt(image, 1, 0), 0x00EFCDABu);
    }

    void pixelIsFilledOnlyWhenDarkerThanTheThreshold_data()
    {
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<bool>("filled");
        QTest::newRow("mean equal to 128 stays empty") << 127 << 128 << 129 << 128 << false;
        QTest::newRow("one below is filled") << 127 << 128 << 128 << 128 << true;
        QTest::newRow("grey 128 at 128") << 128 << 128 << 128 << 128 << false;
        QTest::newRow("threshold 0 leaves black empty") << 0 << 0 << 0 << 0 << false;
        QTest::newRow("threshold 1 fills black") << 0 << 0 << 0 << 1 << true;
        QTest::newRow("threshold 255 leaves white empty") << 255 << 255 << 255 << 255 << false;
        QTest::newRow("threshold 255 fills near-white") << 255 << 255 << 254 << 255 << true;
        QTest::newRow("channels are not weighted") << 255 << 0 << 0 << 86 << true;
        QTest::newRow("pure blue at 85") << 0 << 0 << 255 << 85 << false;
    }
    void pixelIsFilledOnlyWhenDarkerThanTheThreshold()
    {
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QFETCH(int, threshold);
        QFETCH(bool, filled);
        const ColourValue colour = static_cast<ColourValue>(red | green << 8 | blue << 16);
        QCOMPARE(isDarkerThanThreshold(colour, threshold), filled);
        // The same pixel through a whole conversion.
        const BoardModel model =
            boardFromPicture(solid(1, 1, qRgb(red, green, blue)), {1, static_cast<int16>(threshold)});
        QCOMPARE(model.board(1, 1), filled ? kFilled : kEmpty);
    }

    void entriesAreFlooredAndClueSizeIsCheckedFirst_data()
    {
        QTest::addColumn<QString>("clueSize");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<int>("expectedClueSize");  // 0 when refused
        QTest::addColumn<int>("expectedThreshold");
        QTest::addColumn<QString>("message");
        const QString clue = kClueSizeRangeMessage;
        const QString limit = kThresholdRangeMessage;
        QTest::newRow("defaults") << "10" << "128" << 10 << 128 << "";
        QTest::newRow("20.9 is 20") << "20.9" << "0" << 20 << 0 << "";
        QTest::newRow("0.5 is 0") << "0.5" << "128" << 0 << 0 << clue;
        QTest::newRow("21") << "21" << "128" << 0 << 0 << clue;
        QTest::newRow("threshold 255.9 is 255") << "1" << "255.9" << 1 << 255 << "";
        QTest::newRow("threshold 127.9 is 127") << "1" << "127.9" << 1 << 127 << "";
        QTest::newRow("threshold -0.5") << "1" << "-0.5" << 0 << 0 << limit;
        QTest::newRow("threshold 256") << "1" << "256" << 0 << 0 << limit;
        QTest::newRow("both wrong: clue size only") << "0" << "-1" << 0 << 0 << clue;
        QTest::newRow("letters in clue size") << "abc" << "128" << 0 << 0 << clue;
        QTest::newRow("empty threshold") << "5" << "" << 0 << 0 << limit;
    }
    void entriesAreFlooredAndClueSizeIsCheckedFirst()
    {
        QFETCH(QString, clueSize);
        QFETCH(QString, threshold);
        QFETCH(int, expectedClueSize);
        QFETCH(int, expectedThreshold);
        QFETCH(QString, message);
        const ImportEntry entry = checkImportEntries(clueSize, threshold);
        QCOMPARE(entry.message, message);
        QCOMPARE(entry.settings.has_value(), expectedClueSize != 0);
        if (entry.settings) {
            QCOMPARE(int(entry.settings->clueSize), expectedClueSize);
            QCOMPARE(int(entry.settings->threshold), expectedThreshold);
        }
    }

    void pictureBecomesTheAnswerAreaOfAnOtherwiseEmptyBoard()
    {
        const QImage picture = onWhite(pictureFromRows({
            "#..#.",
            ".##..",
            "g....",
        }));
        const BoardModel model = boardFromPicture(picture, {2, 128});
        // Everything the expected board does not draw is 0: clue band, corner and the cells
        // beyond the answer area up to index 100.
        QCOMPARE(model, test::boardWithAnswer(2, {
                            "#..#.",
                            ".##..",
                            ".....",
                        }));
        QCOMPARE(boardFromPicture(picture, {2, 129}).board(2, 4), kFilled);  // grey under 129
    }

    void thresholdsZeroAnd255()
    {
        QImage picture = onWhite(pictureFromRows({"#g.", "#g."}));
        picture.setPixel(2, 1, qRgb(255, 255, 254));
        QCOMPARE(test::answerPicture(boardFromPicture(picture, {1, 0})),
                 (std::vector<std::string>{"...", "..."}));
        QCOMPARE(test::answerPicture(boardFromPicture(picture, {1, 255})),
                 (std::vector<std::string>{"##.", "###"}));
    }

    void onePixelWithClueSizeOneGivesATwoByTwoBoard()
    {
        const BoardModel model = boardFromPicture(solid(1, 1, qRgb(0, 0, 0)), {1, 128});
        QCOMPARE(model.clueSize, 1);
        QCOMPARE(model.gridWidth, 2);
        QCOMPARE(model.gridHeight, 2);
        QCOMPARE(model.board(1, 1), kFilled);
        BoardModel expected;
        expected.clueSize = 1;
        expected.gridWidth = expected.gridHeight = 2;
        expected.board(1, 1) = kFilled;
        QCOMPARE(model, expected);
    }

    void eightyByEightyFitsAndEightyOneDoesNot()
    {
        const BoardModel largest = boardFromPicture(solid(80, 80, qRgb(0, 0, 0)), {20, 128});
        QCOMPARE(largest.gridWidth, 100);
        QCOMPARE(largest.gridHeight, 100);
        QCOMPARE(largest.board(99, 99), kFilled);
        QCOMPARE(largest.board(100, 100), kEmpty);
        QVERIFY(!imageTooLarge({80, 80}));
        QVERIFY(imageTooLarge({81, 1}));
        QVERIFY(imageTooLarge({1, 81}));
        QVERIFY_THROWS_EXCEPTION(ImageTooLargeError,
                                 boardFromPicture(solid(81, 1, qRgb(0, 0, 0)), {1, 128}));
        QVERIFY_THROWS_EXCEPTION(ImageTooLargeError, boardFromPicture(QImage(), {1, 128}));
    }

    void informationTextNamesWidthAndHeight()
    {
        QCOMPARE(imageInfoText({64, 48}),
                 QString::fromUtf16(u"\u2605\u3000画像情報\u3000\u2605\r\n幅:64\r\n\u3000高さ:48"));
    }

    void transparentPixelsReadAsTheBackgroundTheyShowOn()
    {
        QImage image = pictureFromRows({"# "});
        image.setPixel(0, 0, qRgba(0, 0, 0, 0));  // transparent black: black only if misread
        image.setPixel(1, 0, qRgba(0, 0, 0, 128));  // half-transparent black
        const QImage onLight = imageOnBackground(image, QColor(240, 240, 240));
        QCOMPARE(colourValueAt(onLight, 0, 0), 0x00F0F0F0u);
        QVERIFY(qAbs(RedFromRGB(colourValueAt(onLight, 1, 0)) - 120) <= 1);
        const QImage onDark = imageOnBackground(image, QColor(10, 20, 30));
        QCOMPARE(colourValueAt(onDark, 0, 0), 0x001E140Au);
    }

    void contentDecidesTheFormatNotTheName()
    {
        // Every format end to end is covered by the Open command's tests; here a bitmap
        // saved under a JPEG name still opens.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("really-a-bitmap.jpg"));
        QVERIFY(pictureFromRows({"#.", ".#"}).save(path, "BMP"));
        const BoardModel model = boardFromPicture(onWhite(decodeImageFile(path)), {1, 128});
        QCOMPARE(test::answerPicture(model), (std::vector<std::string>{"#.", ".#"}));
    }

    void gifTransparencyIsKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.gif"));
        test::writeGif(path, pictureFromRows({"# .", " #."}));
        const QImage decoded = decodeImageFile(path);
        QCOMPARE(qAlpha(decoded.pixel(1, 0)), 0);
        const BoardModel model = boardFromPicture(onWhite(decoded), {1, 128});
        QCOMPARE(test::answerPicture(model), (std::vector<std::string>{"#..", ".#."}));
    }

    void iconWithSeveralPicturesGivesTheLargestThatFits()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("several.ico"));
        test::writeBytes(path, test::joinIcons({iconBytes(solid(16, 16, qRgb(0, 0, 0))),
                                                iconBytes(solid(48, 40, qRgb(0, 0, 0))),
                                                iconBytes(solid(96, 96, qRgb(0, 0, 0))),
                                                iconBytes(solid(32, 32, qRgb(0, 0, 0)))}));
        QCOMPARE(decodeImageFile(path).size(), QSize(48, 40));

        const QString large = dir.filePath(QStringLiteral("large.ico"));
        test::writeBytes(large, test::joinIcons({iconBytes(solid(96, 96, qRgb(0, 0, 0))),
                                                 iconBytes(solid(128, 128, qRgb(0, 0, 0)))}));
        QCOMPARE(decodeImageFile(large).size(), QSize(96, 96));  // refused later for its size
    }

    void filesThatAreNotOfferedPicturesAreRefused_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QByteArray truncatedBmp;
        {
            QBuffer buffer(&truncatedBmp);
            buffer.open(QIODevice::WriteOnly);
            solid(40, 40, qRgb(1, 2, 3)).save(&buffer, "BMP");
        }
        truncatedBmp.chop(1);  // the last row one byte short
        QByteArray png;
        {
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            solid(4, 4, qRgb(1, 2, 3)).save(&buffer, "PNG");
        }
        QTest::newRow("garbage") << "g.bmp" << QByteArray("this is not a picture at all");
        QTest::newRow("empty file") << "e.gif" << QByteArray();
        QTest::newRow("truncated bmp") << "t.bmp" << truncatedBmp;
        QTest::newRow("gif header only") << "h.gif" << QByteArray("GIF89a\x04\x00\x04\x00", 10);
        QTest::newRow("jpeg marker only") << "j.jpg" << QByteArray("\xFF\xD8\xFF\xE0", 4);
        QTest::newRow("png is not offered") << "p.bmp" << png;
        // A header announcing 2^31 - 1 rows of 2^31 - 1 pixels: refused, never multiplied out.
        QTest::newRow("bitmap header of absurd size")
            << "a.bmp"
            << QByteArray("BM\x00\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00"
                          "\x28\x00\x00\x00\xff\xff\xff\x7f\xff\xff\xff\x7f\x01\x00\x20\x00"
                          "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                          "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00",
                          54);
        QTest::newRow("svg is not offered")
            << "s.bmp" << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" "
                                     "height=\"4\"><rect width=\"4\" height=\"4\"/></svg>");
    }
    void filesThatAreNotOfferedPicturesAreRefused()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        test::writeBytes(path, bytes);
        QVERIFY_THROWS_EXCEPTION(ImageReadError, decodeImageFile(path));
        QVERIFY_THROWS_EXCEPTION(ImageReadError, decodeImageBytes(bytes));
    }

    void bitmapsOfEveryRowWidthAreComplete_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("format");
        for (int width : {1, 2, 3, 5, 80})
            for (const char* format : {"rgb32", "rgb888", "mono", "indexed8"})
                QTest::addRow("%d wide %s", width, format) << width << QByteArray(format);
    }
    void bitmapsOfEveryRowWidthAreComplete()
    {
        // Rows are padded to 4 bytes: the completeness check must not refuse sound files.
        QFETCH(int, width);
        QFETCH(QByteArray, format);
        QImage picture = solid(width, 3, qRgb(0, 0, 0));
        if (format == "rgb888")
            picture = picture.convertToFormat(QImage::Format_RGB888);
        else if (format == "mono")
            picture = picture.convertToFormat(QImage::Format_Mono);
        else if (format == "indexed8")
            picture = picture.convertToFormat(QImage::Format_Indexed8);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("w.bmp"));
        QVERIFY(picture.save(path, "BMP"));
        QCOMPARE(decodeImageFile(path).size(), QSize(width, 3));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(decodeImageBytes(file.readAll()), decodeImageFile(path));
    }

    void missingFileIsRefused()
    {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(ImageReadError, decodeImageFile(dir.filePath("none.bmp")));
    }
};

QTEST_MAIN(ImageThresholdTest)
#include "test_image_threshold.moc"
