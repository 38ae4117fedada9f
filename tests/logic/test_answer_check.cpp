// Tests of the answer check: clue lists with blanks skipped, runs against clues, first difference.
#include "solve/answer_check.h"

#include "author/clue_derivation.h"
#include "support/ascii_board.h"

#include <QTest>

#include <vector>

using namespace zumeli;
using zumeli::test::boardWithAnswer;
using zumeli::test::drawAnswer;
using Numbers = std::vector<int>;

Q_DECLARE_METATYPE(Numbers)

namespace {

std::vector<int16> values(const Numbers& list) { return std::vector<int16>(list.begin(), list.end()); }

void setColumnClues(BoardModel& model, int x, const Numbers& cells)
{
    for (int y = 0; y < static_cast<int>(cells.size()); ++y)
        model.board(x, y) = static_cast<int16>(cells[y]);
}

void setRowClues(BoardModel& model, int y, const Numbers& cells)
{
    for (int x = 0; x < static_cast<int>(cells.size()); ++x)
        model.board(x, y) = static_cast<int16>(cells[x]);
}

} // namespace

class TestAnswerCheck : public QObject {
    Q_OBJECT

private slots:
    void clueListSkipsBlanksWhereverTheyStand()
    {
        BoardModel model = boardWithAnswer(4, {"."});
        setColumnClues(model, 4, {0, 3, 0, 2});
        setRowClues(model, 4, {5, 0, 0, 0});
        QVERIFY(clueNumbers(model, {BoardLine::Column, 4}) == values({3, 2}));
        QVERIFY(clueNumbers(model, {BoardLine::Row, 4}) == values({5}));
    }

    void lineAgreesOnlyWithTheSameRunsInOrder_data()
    {
        QTest::addColumn<Numbers>("clues");
        QTest::addColumn<Numbers>("runs");
        QTest::addColumn<int>("clueSize");
        QTest::addColumn<bool>("agrees");
        QTest::newRow("same") << Numbers{3, 2} << Numbers{3, 2} << 4 << true;
        QTest::newRow("wrong order") << Numbers{3, 2} << Numbers{2, 3} << 4 << false;
        QTest::newRow("run missing") << Numbers{3, 2} << Numbers{3} << 4 << false;
        QTest::newRow("run too many within the band") << Numbers{3} << Numbers{3, 1} << 4 << false;
        QTest::newRow("run beyond the band not looked at") << Numbers{1, 1} << Numbers{1, 1, 1} << 2 << true;
        QTest::newRow("difference beyond the band") << Numbers{1, 1} << Numbers{1, 1, 4} << 2 << true;
        QTest::newRow("difference in the last place") << Numbers{1, 1} << Numbers{1, 2, 4} << 2 << false;
        QTest::newRow("nothing and nothing") << Numbers{} << Numbers{} << 3 << true;
        QTest::newRow("negative clue never met") << Numbers{-1} << Numbers{} << 3 << false;
    }
    void lineAgreesOnlyWithTheSameRunsInOrder()
    {
        QFETCH(Numbers, clues);
        QFETCH(Numbers, runs);
        QFETCH(int, clueSize);
        QTEST(lineAgrees(values(clues), values(runs), clueSize), "agrees");
    }

    void emptyBandAndEmptyDrawingAgree()
    {
        const BoardModel model = boardWithAnswer(5, {"...............", "..............."});
        QVERIFY(answerMatchesClues(model));
    }

    void crossesAndOtherValuesAreNotFilled()
    {
        BoardModel model = boardWithAnswer(2, {"x7", "3x"});
        QVERIFY(answerMatchesClues(model));
        setColumnClues(model, 2, {0, 1});
        QVERIFY(!answerMatchesClues(model));
    }

    void gappedColumnBandIsSatisfiedByItsRuns()
    {
        BoardModel model = boardWithAnswer(4, {"#", "#", "#", ".", "#", "#"});
        setColumnClues(model, 4, {0, 3, 0, 2});
        for (int y = 4; y < 10; ++y)
            setRowClues(model, y, {0, 0, 0, y == 7 ? 0 : 1});
        QVERIFY(answerMatchesClues(model));
        // The same runs in the other order fail.
        drawAnswer(model, {"#", "#", ".", "#", "#", "#"});
        setRowClues(model, 6, {0, 0, 0, 0});
        setRowClues(model, 7, {0, 0, 0, 1});
        QVERIFY(!answerMatchesClues(model));
    }

    // The derived clues of any drawing are accepted for it; a change in any single cell of
    // the drawing is caught, the first disagreeing line being the one reported.
    void derivedCluesAcceptTheirDrawingAndCatchAnyChange_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("firstKind");
        QTest::addColumn<int>("firstIndex");
        QTest::newRow("first cell") << 3 << 3 << int(BoardLine::Column) << 3;
        QTest::newRow("last cell") << 7 << 6 << int(BoardLine::Column) << 7;
        QTest::newRow("middle") << 5 << 4 << int(BoardLine::Column) << 5;
    }
    void derivedCluesAcceptTheirDrawingAndCatchAnyChange()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        BoardModel model = boardWithAnswer(3, {"##.#.",
                                               ".###x",
                                               "#.#.#",
                                               "x####"});
        deriveClues(model);
        QVERIFY(answerMatchesClues(model));
        model.board(x, y) = model.board(x, y) == kFilled ? kCross : kFilled;
        const std::optional<BoardLine> first = firstDisagreeingLine(model);
        QVERIFY(first.has_value());
        QTEST(int(first->kind), "firstKind");
        QTEST(int(first->index), "firstIndex");
    }

    void firstDisagreeingLineIsColumnsThenRows_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("bottom");
        QTest::addColumn<QString>("first");
        QTest::newRow("diagonal agrees") << "#." << ".#" << "none";
        QTest::newRow("other diagonal agrees") << ".#" << "#." << "none";
        QTest::newRow("columns agree, first row not") << "##" << ".." << "row 1";
        QTest::newRow("first column too long") << "#." << "#." << "column 1";
        QTest::newRow("first column empty, rows also wrong") << ".#" << ".." << "column 1";
        QTest::newRow("only the last column wrong") << "#." << ".x" << "column 2";
    }
    void firstDisagreeingLineIsColumnsThenRows()
    {
        QFETCH(QString, top);
        QFETCH(QString, bottom);
        // clueSize 1: every column and every row asks for one run of 1.
        BoardModel model = boardWithAnswer(1, {"..", ".."});
        setColumnClues(model, 1, {1});
        setColumnClues(model, 2, {1});
        setRowClues(model, 1, {1});
        setRowClues(model, 2, {1});
        drawAnswer(model, {top.toLatin1().constData(), bottom.toLatin1().constData()});
        const std::optional<BoardLine> first = firstDisagreeingLine(model);
        const QString found = !first ? QStringLiteral("none")
                                     : QStringLiteral("%1 %2")
                                           .arg(first->kind == BoardLine::Column ? "column" : "row")
                                           .arg(first->index);
        QTEST(found, "first");
        QCOMPARE(answerMatchesClues(model), !first.has_value());
    }
};

QTEST_GUILESS_MAIN(TestAnswerCheck)
#include "test_answer_check.moc"
