// The kept board's text and the keep file: an exact round trip of every cell, the title and
// the zoom, and every broken, truncated or foreign file refused (and removed) without a crash.
#include "files/file_io.h"
#include "files/keep_file.h"
#include "formats/kept_board.h"
#include "support/ascii_board.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <string>

using namespace zumeli;

Q_DECLARE_METATYPE(std::string)

namespace {

// A board unlike the start-up board in every part the file holds: its dimensions, clue
// numbers, fills and crosses, a clue band with a gap, the corner, a value no cell code has,
// and a title with Japanese, a backslash and line breaks.
KeptBoard unusualBoard()
{
    KeptBoard kept;
    kept.model = test::boardWithAnswer(3, {"#x.#", "..##", "x#.."});
    test::setColumnClues(kept.model, 0, {1});
    test::setRowClues(kept.model, 1, {2});
    kept.model.board(3, 0) = 7;         // a clue with a gap below it
    kept.model.board(0, 0) = -32768;    // the corner no line reads
    kept.model.board(6, 5) = 32767;     // the last cell in use
    kept.model.board(5, 4) = 9;         // an answer value shown as empty
    kept.titleName = "ねこ\\de\r\nsu.zml";
    kept.zoom = "137.5";
    return kept;
}

// The text of `kept` with the line starting with `key` replaced by `line`.
std::string withLine(const KeptBoard& kept, const std::string& key, const std::string& line)
{
    std::string text = keptBoardText(kept);
    const std::size_t at = text.find("\r\n" + key) + 2;
    const std::size_t end = text.find("\r\n", at);
    return text.replace(at, end - at, line);
}

} // namespace

class KeptBoardTest : public QObject {
    Q_OBJECT

private slots:
    void everyCellTitleAndZoomComeBackExactly()
    {
        const KeptBoard kept = unusualBoard();
        const std::string text = keptBoardText(kept);
        QCOMPARE(parseKeptBoard(text), kept);
        // The layout the version line promises: name, size, zoom, title, cells, the 6 rows, end.
        QVERIFY(text.starts_with("zumeli-kept-board 1\r\nsize 3,7,6\r\nzoom 137.5\r\n"
                                 "title ねこ\\\\de\\r\\nsu.zml\r\ncells\r\n-32768,0,0,7,0,0,0\r\n"));
        QVERIFY(text.ends_with("\r\n0,0,0,2,1,0,32767\r\nend\r\n"));
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 5 + 6 + 1);
    }

    void startUpBoardRoundTrips()
    {
        const KeptBoard kept{BoardModel{}, "名称未指定", "100"};
        QCOMPARE(parseKeptBoard(keptBoardText(kept)), kept);
    }

    void brokenTextIsRefused_data()
    {
        QTest::addColumn<std::string>("text");
        const KeptBoard kept = unusualBoard();
        const std::string good = keptBoardText(kept);
        QTest::newRow("empty") << std::string();
        QTest::newRow("garbage") << std::string("\x7f" "ELF\x02\x01\x01 nothing of ours");
        QTest::newRow("binary with NUL") << good.substr(0, 40) + std::string(1, '\0') + good.substr(40);
        QTest::newRow("truncated in the rows") << good.substr(0, good.size() / 2);
        QTest::newRow("truncated before end") << good.substr(0, good.size() - 5);
        QTest::newRow("a row too many") << withLine(kept, "cells", "cells\r\n1,2");
        std::string rowMissing = good;
        const std::size_t firstRow = rowMissing.find("-32768");
        rowMissing.erase(firstRow, rowMissing.find("\r\n", firstRow) + 2 - firstRow);
        QTest::newRow("a row missing") << rowMissing;
        QTest::newRow("another version") << "zumeli-kept-board 2" + good.substr(19);
        QTest::newRow("another program's file") << std::string("3,4,3\r\n1\r\n0\r\n1\r\n");
        QTest::newRow("no clue band") << withLine(kept, "size", "size 0,4,3");
        QTest::newRow("no answer area") << withLine(kept, "size", "size 3,3,6");
        QTest::newRow("wider than the board") << withLine(kept, "size", "size 3,101,6");
        QTest::newRow("size beyond 16 bits") << withLine(kept, "size", "size 3,70000,6");
        QTest::newRow("two numbers for the size") << withLine(kept, "size", "size 3,7");
        QTest::newRow("size line missing its key") << withLine(kept, "size", "3,7,6");
        QTest::newRow("zoom below 10") << withLine(kept, "zoom", "zoom 9");
        QTest::newRow("zoom above 500") << withLine(kept, "zoom", "zoom 500.5");
        QTest::newRow("zoom no number") << withLine(kept, "zoom", "zoom big");
        QTest::newRow("unknown escape in title") << withLine(kept, "title", "title a\\tb");
        QTest::newRow("title ends in a backslash") << withLine(kept, "title", "title a\\");
        QTest::newRow("cell beyond 16 bits") << withLine(kept, "-32768", "-32769,0,0,7,0,0,0");
        QTest::newRow("cell with a fraction") << withLine(kept, "-32768", "-32768,0.5,0,7,0,0,0");
        QTest::newRow("cell with a sign only") << withLine(kept, "-32768", "-,0,0,7,0,0,0");
        QTest::newRow("cell blank") << withLine(kept, "-32768", "-32768,,0,7,0,0,0");
        QTest::newRow("row one cell short") << withLine(kept, "-32768", "-32768,0,0,7,0,0");
        QTest::newRow("row one cell long") << withLine(kept, "-32768", "-32768,0,0,7,0,0,0,0");
    }

    void brokenTextIsRefused()
    {
        QFETCH(std::string, text);
        QVERIFY_THROWS_EXCEPTION(FileFormatError, parseKeptBoard(text));
    }

    void keepFileIsWrittenIntoANewFolderAndRemoved()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("deep/er/kept-board.txt"));
        QCOMPARE(readKeepFile(path), std::nullopt);
        writeKeepFile(path, unusualBoard());
        QCOMPARE(readKeepFile(path), unusualBoard());
        removeKeepFile(path);
        QVERIFY(!QFile::exists(path));
        removeKeepFile(path);  // nothing there: nothing happens
    }

    void brokenOrForeignKeepFileIsRemoved()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept-board.txt"));
        std::string truncated = keptBoardText(unusualBoard());
        truncated.resize(truncated.size() - 10);
        for (const std::string& text :
             {truncated, std::string("zumeli-kept-board 99\r\n"), std::string(5000, '\xff')}) {
            writeFileAtomically(path, text);
            QCOMPARE(readKeepFile(path), std::nullopt);
            QVERIFY(!QFile::exists(path));
        }
        // A folder by that name is no keep file, and stays.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("kept-board.txt")));
        QCOMPARE(readKeepFile(path), std::nullopt);
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY_THROWS_EXCEPTION(FileAccessError, writeKeepFile(path, unusualBoard()));
    }
};

QTEST_GUILESS_MAIN(KeptBoardTest)
#include "test_kept_board.moc"
