// Picture files: what they read to, what they refuse and why, and that writing reads back.
#include "formats/picture_text.h"

#include <QTest>

using namespace zumeli;
using solver::Cell;
using solver::CellGrid;

class TestPictureText : public QObject {
    Q_OBJECT

private slots:
    void readsRows_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected"); // as CellGrid::toAscii writes it
        QTest::newRow("plain") << QByteArray("#.#\n...\n") << QByteArray("#.#\n...\n");
        QTest::newRow("no last line end") << QByteArray("#.\n.#") << QByteArray("#.\n.#\n");
        QTest::newRow("CR LF") << QByteArray("##\r\n.#\r\n") << QByteArray("##\n.#\n");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF#\n.\n") << QByteArray("#\n.\n");
        QTest::newRow("blank lines after the rows") << QByteArray("#.\n\n \r\n\n") << QByteArray("#.\n");
        QTest::newRow("one cell") << QByteArray("#") << QByteArray("#\n");
        QTest::newRow("100 x 100")
            << (QByteArray(100, '.') + '\n').repeated(100) << QByteArray();
    }

    void readsRows()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        const CellGrid picture = parsePictureText(text.toStdString());
        if (expected.isEmpty()) {
            QCOMPARE(picture.width, 100);
            QCOMPARE(picture.height, 100);
            return;
        }
        QCOMPARE(QByteArray::fromStdString(picture.toAscii()), expected);
        // Written back, it is exactly the rows --print shows, and reads back the same.
        QCOMPARE(QByteArray::fromStdString(pictureText(picture)), expected);
        QCOMPARE(parsePictureText(pictureText(picture)), picture);
    }

    void refusesBadPictures_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray("") << "the picture has no rows";
        QTest::newRow("only blank lines") << QByteArray("\n\r\n  \n") << "the picture has no rows";
        QTest::newRow("byte-order mark only") << QByteArray("\xEF\xBB\xBF") << "the picture has no rows";
        QTest::newRow("ragged") << QByteArray("##\n#\n") << "row 2 has 1 cells, row 1 has 2";
        QTest::newRow("blank row inside") << QByteArray("##\n\n##\n") << "row 2 has 0 cells, row 1 has 2";
        QTest::newRow("longer row") << QByteArray("#\n.#\n") << "row 2 has 2 cells, row 1 has 1";
        QTest::newRow("other character") << QByteArray("#.\n#x\n") << "row 2, column 2: 'x' is not '#' or '.'";
        QTest::newRow("space") << QByteArray("# \n") << "row 1, column 2: byte 0x20 is not '#' or '.'";
        QTest::newRow("question mark") << QByteArray("?#\n") << "row 1, column 1: '?' is not '#' or '.'";
        QTest::newRow("binary") << QByteArray("#\0#\n", 4) << "row 1, column 2: byte 0x00 is not '#' or '.'";
        QTest::newRow("101 columns") << QByteArray(101, '#') << "the picture is larger than 100 x 100 cells";
        QTest::newRow("101 rows") << QByteArray("#\n").repeated(101) << "the picture is larger than 100 x 100 cells";
    }

    void refusesBadPictures()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        try {
            parsePictureText(text.toStdString());
            QFAIL("no error");
        } catch (const PuzzleFormatError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
    }

    void pictureFileNames()
    {
        QVERIFY(isPictureFileName("a.txt"));
        QVERIFY(isPictureFileName("/x/y/Picture.TXT"));
        QVERIFY(!isPictureFileName("a.txt.non"));
        QVERIFY(!isPictureFileName("txt"));
        QVERIFY(!isPictureFileName("a.zml"));
    }
};

QTEST_APPLESS_MAIN(TestPictureText)
#include "test_picture_text.moc"
