// The puzzle file's text: exact bytes written, the keep rule, reading back, and refusing
// every malformed or oversized file.
#include "formats/puzzle_file.h"
#include "support/ascii_board.h"

#include <QTest>

#include <string>
#include <vector>

using namespace zumeli;
using zumeli::test::columnClueCells;
using zumeli::test::rowClueCells;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::vector<int>)

namespace {

// A puzzle text from lines, each ended with CR LF.
std::string crlfText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

// A 5-thick band and a 3 x 2 answer area, all cells 0.
BoardModel smallPuzzle()
{
    BoardModel model;
    model.clueSize = 5;
    model.gridWidth = 8;
    model.gridHeight = 7;
    return model;
}

} // namespace

class PuzzleFileTest : public QObject {
    Q_OBJECT

private slots:
    void startUpBoardIsWrittenAs31Lines()
    {
        std::string expected = "5,15,15\r\n";
        for (int i = 0; i < 30; ++i)
            expected += "0\r\n";
        QCOMPARE(puzzleText(BoardModel{}), expected);
    }

    void keepRuleWritesNonZeroCellsAndTheInnermostOne_data()
    {
        QTest::addColumn<std::vector<int>>("cells");
        QTest::addColumn<std::string>("line");
        QTest::addColumn<std::vector<int>>("readBack");
        QTest::newRow("packed runs") << std::vector<int>{0, 0, 2, 3, 1} << std::string("2,3,1")
                                     << std::vector<int>{0, 0, 2, 3, 1};
        QTest::newRow("gaps are dropped and packed")
            << std::vector<int>{2, 0, 3, 0, 1} << std::string("2,3,1")
            << std::vector<int>{0, 0, 2, 3, 1};
        QTest::newRow("innermost zero kept")
            << std::vector<int>{0, 0, 0, 4, 0} << std::string("4,0")
            << std::vector<int>{0, 0, 0, 4, 0};
        QTest::newRow("empty line is a single zero")
            << std::vector<int>{0, 0, 0, 0, 0} << std::string("0")
            << std::vector<int>{0, 0, 0, 0, 0};
        QTest::newRow("full band") << std::vector<int>{1, 2, 3, 4, 5} << std::string("1,2,3,4,5")
                                   << std::vector<int>{1, 2, 3, 4, 5};
        QTest::newRow("16-bit extremes")
            << std::vector<int>{0, 0, 0, -32768, 32767} << std::string("-32768,32767")
            << std::vector<int>{0, 0, 0, -32768, 32767};
    }
    void keepRuleWritesNonZeroCellsAndTheInnermostOne()
    {
        QFETCH(std::vector<int>, cells);
        QFETCH(std::string, line);
        QFETCH(std::vector<int>, readBack);

        BoardModel model = smallPuzzle();
        for (int j = 0; j < 5; ++j) {
            model.board(6, j) = static_cast<int16>(cells[j]);  // second answer column
            model.board(j, 6) = static_cast<int16>(cells[j]);  // second answer row
        }
        const std::string text = puzzleText(model);
        QCOMPARE(text, crlfText({"5,3,2", "0", line, "0", "0", line}));

        const BoardModel loaded = parsePuzzleText(text);
        QCOMPARE(columnClueCells(loaded, 6), readBack);
        QCOMPARE(rowClueCells(loaded, 6), readBack);
    }

    void loadedPuzzleHasOnlyTheClueBand()
    {
        // Answer cells, the corner and cells beyond the grid are neither written nor read back.
        BoardModel model = zumeli::test::boardWithAnswer(2, {"#x", ".#"});
        model.board(0, 0) = 9;   // corner
        model.board(3, 1) = 1;   // last column's innermost clue
        model.board(50, 50) = 7; // outside the grid
        const BoardModel loaded = parsePuzzleText(puzzleText(model));

        BoardModel expected;
        expected.clueSize = 2;
        expected.gridWidth = 4;
        expected.gridHeight = 4;
        expected.board(3, 1) = 1;
        QVERIFY(loaded == expected);
    }

    void writtenLinesAreAsciiNumbersWithCrLf()
    {
        BoardModel model;
        model.clueSize = 3;
        model.gridWidth = 7;
        model.gridHeight = 6;
        for (int x = 3; x < 7; ++x)
            for (int j = 0; j < 3; ++j)
                model.board(x, j) = static_cast<int16>((x * 7 + j * 3) % 5 - 1);
        const std::string text = puzzleText(model);
        QVERIFY(text.size() >= 2 && text.substr(text.size() - 2) == "\r\n");
        for (const char c : text)
            QVERIFY2(std::string("0123456789,-\r\n").find(c) != std::string::npos,
                     "only digits, minus, commas and CR LF");
        QVERIFY(text.find(",\r") == std::string::npos);
        QVERIFY(text.find(",,") == std::string::npos);
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 1 + 4 + 3);
        QCOMPARE(std::count(text.begin(), text.end(), '\r'), 1 + 4 + 3);
    }

    void readerAcceptsWhatHandMadeFilesLookLike_data()
    {
        QTest::addColumn<std::string>("text");
        const std::string crlf = crlfText({"2,2,1", "1", "2,0", "1,1"});
        QTest::newRow("CR LF") << crlf;
        QTest::newRow("LF only") << std::string("2,2,1\n1\n2,0\n1,1\n");
        QTest::newRow("no ending on the last line") << std::string("2,2,1\r\n1\r\n2,0\r\n1,1");
        QTest::newRow("extra lines ignored") << crlf + "junk,line\r\n\r\n9,9,9\r\n";
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + crlf;
        QTest::newRow("fractions in the header dropped")
            << crlfText({"2.9,2.5,1.99", "1", "2,0", "1,1"});
    }
    void readerAcceptsWhatHandMadeFilesLookLike()
    {
        QFETCH(std::string, text);
        const BoardModel loaded = parsePuzzleText(text);
        QCOMPARE(loaded.clueSize, int16(2));
        QCOMPARE(loaded.gridWidth, int16(4));
        QCOMPARE(loaded.gridHeight, int16(3));
        QCOMPARE(columnClueCells(loaded, 2), (std::vector<int>{0, 1}));
        QCOMPARE(columnClueCells(loaded, 3), (std::vector<int>{2, 0}));
        QCOMPARE(rowClueCells(loaded, 2), (std::vector<int>{1, 1}));
    }

    void emptyClueLinesGiveAnEmptyBand()
    {
        const BoardModel loaded = parsePuzzleText(crlfText({"3,2,2", "", "", "", ""}));
        QVERIFY(loaded == (BoardModel{Grid{}, 3, 5, 5}));
    }

    void boardsUpToTheEdgeOfTheBoardLoad()
    {
        // 100 columns in use: the largest the board holds, beyond what authoring makes.
        std::vector<std::string> lines{"20,80,80"};
        lines.insert(lines.end(), 160, "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20");
        const BoardModel big = parsePuzzleText(crlfText(lines));
        QCOMPARE(big.gridWidth, int16(100));
        QCOMPARE(big.board(99, 19), int16(20));
        QCOMPARE(big.board(19, 99), int16(20));

        std::vector<std::string> wideLines{"1,99,1"};
        wideLines.insert(wideLines.end(), 100, "3");
        const BoardModel wide = parsePuzzleText(crlfText(wideLines));
        QCOMPARE(wide.gridWidth, int16(100));
        QCOMPARE(wide.gridHeight, int16(2));
        QCOMPARE(wide.board(99, 0), int16(3));
    }

    void brokenFilesAreRefused_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::newRow("empty file") << std::string();
        QTest::newRow("header with two parts") << crlfText({"5,15"});
        QTest::newRow("header with one part") << crlfText({"5"});
        QTest::newRow("header not a number") << crlfText({"a,1,1", "0", "0"});
        QTest::newRow("header with four parts") << crlfText({"1,1,1,1", "0", "0"});
        QTest::newRow("zero clue size") << crlfText({"0,1,1", "", ""});
        QTest::newRow("negative clue size") << crlfText({"-1,1,1", "", ""});
        QTest::newRow("zero answer width") << crlfText({"1,0,1", "0"});
        QTest::newRow("negative answer height") << crlfText({"1,1,-2", "0"});
        QTest::newRow("wider than the board") << crlfText({"20,81,1"});
        QTest::newRow("taller than the board") << crlfText({"5,1,96"});
        QTest::newRow("header beyond 16 bits") << crlfText({"40000,1,1"});
        QTest::newRow("header sum beyond 16 bits") << crlfText({"32767,32767,1"});
        QTest::newRow("more clue numbers than the band") << crlfText({"2,1,1", "1,2,3", "0"});
        QTest::newRow("clue beyond 16 bits") << crlfText({"2,1,1", "40000", "0"});
        QTest::newRow("clue rounding beyond 16 bits") << crlfText({"2,1,1", "32767.5", "0"});
        QTest::newRow("clue below 16 bits") << crlfText({"2,1,1", "-32769", "0"});
        QTest::newRow("clue not a number") << crlfText({"2,1,1", "x", "0"});
        QTest::newRow("empty item between commas") << crlfText({"2,1,1", "1,,2", "0"});
        QTest::newRow("trailing comma") << crlfText({"3,1,1", "1,2,", "0"});
        QTest::newRow("carriage return inside a line") << std::string("2,1,1\r\n1\r2\r\n0\r\n");
        QTest::newRow("last row line missing") << crlfText({"2,2,2", "1", "1", "1"});
        QTest::newRow("binary data") << std::string("2,1,1\r\n1\0\r\n0\r\n", 13);
        QTest::newRow("header of a binary file") << std::string("\x89PNG\r\n\x1a\n\0\0", 10);
        QTest::newRow("huge file") << crlfText({"1,1,1", "0", "0"}) + std::string(5 << 20, '0');
    }
    void brokenFilesAreRefused()
    {
        QFETCH(std::string, text);
        QVERIFY_THROWS_EXCEPTION(FileFormatError, parsePuzzleText(text));
    }

    void boardWithoutAClueBandIsNotWritten()
    {
        // Such a file could not be read back.
        BoardModel model;
        model.clueSize = 0;
        model.gridWidth = 3;
        model.gridHeight = 3;
        QVERIFY_THROWS_EXCEPTION(FileFormatError, puzzleText(model));
    }
};

QTEST_GUILESS_MAIN(PuzzleFileTest)
#include "test_puzzle_file.moc"
