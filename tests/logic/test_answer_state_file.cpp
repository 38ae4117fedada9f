// The answer-state file's text: one line per answer column, restoring every cell code, and
// refusing states that do not fit the puzzle on the board.
#include "formats/answer_state_file.h"
#include "support/ascii_board.h"

#include <QTest>

#include <string>
#include <vector>

using namespace zumeli;
using zumeli::test::answerPicture;
using zumeli::test::boardWithAnswer;

Q_DECLARE_METATYPE(std::string)

namespace {

std::string crlfText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

// A 2 x 3 answer area (two columns, three rows) with clue numbers in the band.
BoardModel twoByThree()
{
    BoardModel model = boardWithAnswer(2, {"..", "..", ".."});
    model.board(2, 1) = 3;
    model.board(1, 3) = 1;
    return model;
}

} // namespace

class AnswerStateFileTest : public QObject {
    Q_OBJECT

private slots:
    void startUpBoardIsFifteenLinesOfFifteenZeros()
    {
        std::string line = "0";
        for (int i = 1; i < 15; ++i)
            line += ",0";
        QCOMPARE(answerStateText(BoardModel{}), crlfText(std::vector<std::string>(15, line)));
    }

    void oneLinePerColumnTopToBottom()
    {
        // Top row: filled, empty; bottom row: cross, filled.
        const BoardModel model = boardWithAnswer(3, {"#.", "x#"});
        QCOMPARE(answerStateText(model), crlfText({"1,2", "0,1"}));
    }

    void saveThenLoadRestoresEveryCellAndKeepsTheBand()
    {
        BoardModel model = boardWithAnswer(2, {"#x.#", "x..#", "##x."});
        model.board(3, 2) = 7;       // odd codes are kept as they are
        model.board(4, 3) = -32768;
        model.board(5, 0) = 2;       // a clue number
        const std::string text = answerStateText(model);

        BoardModel cleared = model;
        for (int x = 2; x < 6; ++x)
            for (int y = 2; y < 5; ++y)
                cleared.board(x, y) = 0;
        QVERIFY(applyAnswerState(cleared, text) == model);
    }

    void longerLinesAndExtraLinesAreIgnored()
    {
        const BoardModel model = twoByThree();
        const BoardModel restored =
            applyAnswerState(model, crlfText({"1,2,0,1,1", "0,0,1,junk", "1,1,1", "x"}));
        QCOMPARE(answerPicture(restored), (std::vector<std::string>{"#.", "x.", ".#"}));
        QCOMPARE(restored.board(2, 1), int16(3));
        QCOMPARE(restored.board(1, 3), int16(1));
    }

    void lfOnlyLinesAreAccepted()
    {
        const BoardModel restored = applyAnswerState(twoByThree(), "1,1,1\n2,2,2");
        QCOMPARE(answerPicture(restored), (std::vector<std::string>{"#x", "#x", "#x"}));
    }

    void cellsBeyondTheAnswerAreaAreEmptied()
    {
        BoardModel model = twoByThree();
        model.board(100, 3) = 1;  // right of the answer area, from an earlier larger puzzle
        model.board(3, 100) = 2;  // below it
        model.board(0, 100) = 4;  // the row band far below: never touched
        const BoardModel restored = applyAnswerState(model, crlfText({"0,0,0", "0,0,0"}));
        QCOMPARE(restored.board(100, 3), int16(0));
        QCOMPARE(restored.board(3, 100), int16(0));
        QCOMPARE(restored.board(0, 100), int16(4));
    }

    void statesThatDoNotFitAreRefused_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::newRow("empty file") << std::string();
        QTest::newRow("fewer columns") << crlfText({"1,1,1"});
        QTest::newRow("shorter line") << crlfText({"1,1,1", "1,1"});
        QTest::newRow("empty line") << crlfText({"", "1,1,1"});
        QTest::newRow("not a number") << crlfText({"1,a,1", "1,1,1"});
        QTest::newRow("beyond 16 bits") << crlfText({"1,1,32768", "1,1,1"});
        QTest::newRow("empty item") << crlfText({"1,,1", "1,1,1"});
        QTest::newRow("binary data") << std::string("1,1,1\r\n1,\0,1\r\n", 14);
        QTest::newRow("huge file") << crlfText({"1,1,1", "1,1,1"}) + std::string(5 << 20, '1');
    }
    void statesThatDoNotFitAreRefused()
    {
        QFETCH(std::string, text);
        QVERIFY_THROWS_EXCEPTION(FileFormatError, applyAnswerState(twoByThree(), text));
    }
};

QTEST_GUILESS_MAIN(AnswerStateFileTest)
#include "test_answer_state_file.moc"
