// Tests of clue derivation: runs along a line, their packing into the band, the whole board.
#include "author/clue_derivation.h"

#include "support/ascii_board.h"

#include <QTest>

#include <vector>

using namespace zumeli;
using zumeli::test::boardWithAnswer;
using zumeli::test::columnClueCells;
using zumeli::test::rowClueCells;
using Numbers = std::vector<int>;

Q_DECLARE_METATYPE(Numbers)

namespace {

Numbers numbers(const std::vector<int16>& values) { return Numbers(values.begin(), values.end()); }

std::vector<int16> cells(const char* line)
{
    std::vector<int16> result;
    for (const char* c = line; *c != '\0'; ++c)
        result.push_back(*c == '#' ? kFilled : *c == 'x' ? kCross : *c == '.' ? kEmpty
                                                                               : int16(*c - '0'));
    return result;
}

} // namespace

namespace QTest {
template <>
char* toString(const Numbers& list)
{
    QByteArray text = "{";
    for (std::size_t i = 0; i < list.size(); ++i)
        text += (i ? ", " : "") + QByteArray::number(list[i]);
    return qstrdup(text + "}");
}
} // namespace QTest

class TestClueDerivation : public QObject {
    Q_OBJECT

private slots:
    void runsCountOnlyFilledCells_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<Numbers>("runs");
        QTest::newRow("empty") << "....." << Numbers{};
        QTest::newRow("only crosses") << "xxxxx" << Numbers{};
        QTest::newRow("whole line") << "#####" << Numbers{5};
        QTest::newRow("run at the end") << "..x##" << Numbers{2};
        QTest::newRow("cross ends a run") << "##x#." << Numbers{2, 1};
        QTest::newRow("other values end a run") << "#7#3#" << Numbers{1, 1, 1};
        QTest::newRow("order kept") << "#.###" << Numbers{1, 3};
    }
    void runsCountOnlyFilledCells()
    {
        QFETCH(QString, line);
        QFETCH(Numbers, runs);
        QCOMPARE(numbers(runsOfLine(cells(line.toLatin1().constData()))), runs);
    }

    void alignedCluesPackAgainstTheAnswerArea_data()
    {
        QTest::addColumn<Numbers>("runs");
        QTest::addColumn<int>("clueSize");
        QTest::addColumn<Numbers>("clues");
        QTest::newRow("k < clueSize 3") << Numbers{2, 1} << 3 << Numbers{0, 2, 1};
        QTest::newRow("k = clueSize 3") << Numbers{1, 2, 3} << 3 << Numbers{1, 2, 3};
        QTest::newRow("k > clueSize 3 keeps the first") << Numbers{4, 3, 2, 1} << 3 << Numbers{4, 3, 2};
        QTest::newRow("k = 0, clueSize 3") << Numbers{} << 3 << Numbers{0, 0, 0};
        QTest::newRow("k > clueSize 2") << Numbers{1, 1, 1} << 2 << Numbers{1, 1};
        QTest::newRow("k < clueSize 2") << Numbers{6} << 2 << Numbers{0, 6};
        QTest::newRow("k = 0, clueSize 2") << Numbers{} << 2 << Numbers{0, 0};
        QTest::newRow("clueSize 1 keeps the first run") << Numbers{3, 5} << 1 << Numbers{3};
        QTest::newRow("clueSize 1, no run") << Numbers{} << 1 << Numbers{0};
        QTest::newRow("clueSize 5, one run") << Numbers{7} << 5 << Numbers{0, 0, 0, 0, 7};
        QTest::newRow("clueSize 20, two runs") << Numbers{1, 2} << 20
                                               << Numbers{0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                          0, 0, 0, 0, 0, 0, 0, 0, 1, 2};
    }
    void alignedCluesPackAgainstTheAnswerArea()
    {
        QFETCH(Numbers, runs);
        QFETCH(int, clueSize);
        QFETCH(Numbers, clues);
        QCOMPARE(numbers(alignedClues(std::vector<int16>(runs.begin(), runs.end()), clueSize)), clues);
    }

    void linesAreColumnsThenRows()
    {
        const BoardModel model = boardWithAnswer(2, {"...", "..."});
        const std::vector<BoardLine> expected{{BoardLine::Column, 2}, {BoardLine::Column, 3},
                                              {BoardLine::Column, 4}, {BoardLine::Row, 2},
                                              {BoardLine::Row, 3}};
        QVERIFY(answerLines(model) == expected);
    }

    void deriveWritesColumnAndRowClues()
    {
        // clueSize 3; column 3 reads filled, filled, empty, filled from the top.
        BoardModel model = boardWithAnswer(3, {"##..",
                                               "#x##",
                                               "....",
                                               "####"});
        deriveClues(model);
        QCOMPARE(columnClueCells(model, 3), (Numbers{0, 2, 1}));
        QCOMPARE(columnClueCells(model, 4), (Numbers{0, 1, 1}));
        QCOMPARE(columnClueCells(model, 5), (Numbers{0, 1, 1}));
        QCOMPARE(columnClueCells(model, 6), (Numbers{0, 1, 1}));
        QCOMPARE(rowClueCells(model, 3), (Numbers{0, 0, 2}));
        QCOMPARE(rowClueCells(model, 4), (Numbers{0, 1, 2}));
        QCOMPARE(rowClueCells(model, 5), (Numbers{0, 0, 0}));  // a line without runs
        QCOMPARE(rowClueCells(model, 6), (Numbers{0, 0, 4}));  // a run over the whole width
    }

    void deriveKeepsTheFirstRunsOfALongLine()
    {
        BoardModel model = boardWithAnswer(2, {"#.#.#.#"});
        deriveClues(model);
        QCOMPARE(rowClueCells(model, 2), (Numbers{1, 1}));
    }

    void deriveReplacesEveryEarlierClueButNotTheCornerOrTheDrawing()
    {
        BoardModel model = boardWithAnswer(2, {"#.", "x7"});
        // Stale numbers everywhere in the band, as a loaded puzzle would leave them.
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 4; ++j) {
                model.board(i, j) = 9;
                model.board(j, i) = 9;
            }
        const auto drawing = zumeli::test::answerPicture(model);
        deriveClues(model);
        QCOMPARE(columnClueCells(model, 2), (Numbers{0, 1}));
        QCOMPARE(columnClueCells(model, 3), (Numbers{0, 0}));
        QCOMPARE(rowClueCells(model, 2), (Numbers{0, 1}));
        QCOMPARE(rowClueCells(model, 3), (Numbers{0, 0}));
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                QCOMPARE(model.board(i, j), int16(9));
        QVERIFY(zumeli::test::answerPicture(model) == drawing);
    }

    void deriveTwiceGivesTheSameBoard()
    {
        BoardModel model = boardWithAnswer(3, {"#.##.#", "######", "x.x.x.", "#....#"});
        deriveClues(model);
        const BoardModel once = model;
        deriveClues(model);
        QVERIFY(model == once);
    }

    void deriveLeavesCellsBeyondTheBoardAlone()
    {
        BoardModel model = boardWithAnswer(2, {"##", "##"});
        model.board(4, 0) = 5;  // just right of the last column's clue cells
        model.board(0, 4) = 5;  // just below the last row's clue cells
        deriveClues(model);
        QCOMPARE(model.board(4, 0), int16(5));
        QCOMPARE(model.board(0, 4), int16(5));
    }
};

QTEST_GUILESS_MAIN(TestClueDerivation)
#include "test_clue_derivation.moc"
