// The repair offer shared by the check window and the picture import dialog: which repairs a
// verdict allows, where a repair starts, and what a finished run comes to.
#include "author/repair_offer.h"

#include <QTest>

#include <string>

using namespace zumeli;
using solver::Cell;
using solver::CellGrid;
using solver::MakeUniqueResult;
using solver::SolveResult;
using solver::StopReason;
using solver::Verdict;

Q_DECLARE_METATYPE(zumeli::RepairTarget)
Q_DECLARE_METATYPE(zumeli::solver::SolveResult)
Q_DECLARE_METATYPE(zumeli::solver::MakeUniqueResult)

namespace {

CellGrid gridOf(std::initializer_list<const char*> rows)
{
    std::string text;
    for (const char* row : rows)
        text += std::string(row) + '\n';
    return CellGrid::fromAscii(text);
}

SolveResult verdict(Verdict v, StopReason reason = StopReason::None, bool lineSolvable = false,
                    int solutionsFound = 0)
{
    SolveResult result;
    result.verdict = v;
    result.stopReason = reason;
    result.lineSolvable = lineSolvable;
    for (int i = 0; i < solutionsFound; ++i)
        result.solutions.push_back(gridOf({"#."}));
    return result;
}

// A finished repair of `start` into `picture`.
MakeUniqueResult repaired(const CellGrid& start, const CellGrid& picture, bool lineSolvable)
{
    MakeUniqueResult result;
    result.done = true;
    result.picture = picture;
    result.lineSolvable = lineSolvable;
    for (std::size_t i = 0; i < picture.cells.size(); ++i)
        if (picture.cells[i] != start.cells[i])
            result.changed.push_back(static_cast<int>(i));
    return result;
}

} // namespace

class RepairOfferTest : public QObject {
    Q_OBJECT

private slots:
    void aVerdictOffersTheRepairsItAllows_data()
    {
        QTest::addColumn<SolveResult>("result");
        QTest::addColumn<bool>("haveStart");
        QTest::addColumn<bool>("unique");
        QTest::addColumn<bool>("lineSolvable");
        QTest::newRow("several solutions") << verdict(Verdict::Multiple, StopReason::None, false, 2) << true << true << true;
        QTest::newRow("one, needs search") << verdict(Verdict::Unique, StopReason::None, false, 1) << true << false << true;
        QTest::newRow("one, line logic") << verdict(Verdict::Unique, StopReason::None, true, 1) << true << false << false;
        QTest::newRow("no solution") << verdict(Verdict::NoSolution) << true << false << false;
        // Out of time: most often several solutions, and the repair decides, in either mode.
        QTest::newRow("out of time, a start") << verdict(Verdict::Stopped, StopReason::TimeLimit) << true << true << true;
        QTest::newRow("out of time, a solution found")
            << verdict(Verdict::Stopped, StopReason::TimeLimit, false, 1) << true << true << true;
        QTest::newRow("out of time, nothing to start from")
            << verdict(Verdict::Stopped, StopReason::TimeLimit) << false << false << false;
        QTest::newRow("cancelled") << verdict(Verdict::Stopped, StopReason::Cancelled) << true << false << false;
        QTest::newRow("node limit") << verdict(Verdict::Stopped, StopReason::NodeLimit) << true << false << false;
    }

    void aVerdictOffersTheRepairsItAllows()
    {
        QFETCH(SolveResult, result);
        QFETCH(bool, haveStart);
        QFETCH(bool, unique);
        QFETCH(bool, lineSolvable);
        const RepairOffer offer = repairOffer(result, haveStart);
        QCOMPARE(offer.unique, unique);
        QCOMPARE(offer.lineSolvable, lineSolvable);
        QCOMPARE(offer.allows(false), unique);
        QCOMPARE(offer.allows(true), lineSolvable);
    }

    // The drawing when it fits the clues, else the first solution found, else nothing.
    void aRepairStartsFromTheDrawingOrTheFirstSolution()
    {
        const CellGrid drawn = gridOf({".#"});
        SolveResult found = verdict(Verdict::Stopped, StopReason::TimeLimit, false, 1);
        QVERIFY(repairStart(found, drawn, true) == drawn);
        QVERIFY(repairStart(found, drawn, false) == gridOf({"#."}));
        QVERIFY(!repairStart(verdict(Verdict::Stopped, StopReason::TimeLimit), drawn, false));
    }

    void aFinishedRunComesToAProposalOrARefusal_data()
    {
        QTest::addColumn<RepairTarget>("target");
        QTest::addColumn<MakeUniqueResult>("result");
        QTest::addColumn<int>("clueSize");
        QTest::addColumn<bool>("proposed");
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("text");

        const CellGrid start = gridOf({"##..#", "#...#"});
        // One cell of row 1 changed: the row gains a run, three where the band holds two.
        const CellGrid threeRuns = gridOf({"##..#", "#.#.#"});
        const MakeUniqueResult unique = repaired(start, threeRuns, false);
        const MakeUniqueResult lines = repaired(start, threeRuns, true);
        MakeUniqueResult cancelled;
        cancelled.cancelled = true;
        // 21 runs in one row: more than the widest clue band.
        const CellGrid tooMany = CellGrid::fromAscii("#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#.#\n");
        const MakeUniqueResult overfull = repaired(CellGrid(tooMany.width, 1, Cell::Empty), tooMany, false);

        QTest::newRow("board, band widened")
            << RepairTarget::Board << unique << 2 << true << 3
            << QStringLiteral("印の1マスを変える案です。解がただ一つになります。\n"
                              "数字が入るように問題欄を3に広げます。\n"
                              "「適用」で盤面の絵と数字を書き換えます（元に戻せます）。");
        QTest::newRow("board, band holds it")
            << RepairTarget::Board << lines << 4 << true << 4
            << QStringLiteral("印の1マスを変える案です。縦と横の数字だけで解けるようになります。\n"
                              "「適用」で盤面の絵と数字を書き換えます（元に戻せます）。");
        QTest::newRow("preview")
            << RepairTarget::Preview << lines << 2 << true << 3
            << QStringLiteral("印の1マスを変える案です。\n縦と横の数字だけで解けるようになります。\n"
                              "「適用」で採用、「取消」で元の絵に戻します。");
        QTest::newRow("board, stopped") << RepairTarget::Board << cancelled << 2 << false << 0
                                        << QStringLiteral("絵を直すのを中止しました。");
        QTest::newRow("preview, stopped") << RepairTarget::Preview << cancelled << 2 << false << 0
                                          << QStringLiteral("直すのを中止しました。");
        QTest::newRow("board, none found") << RepairTarget::Board << MakeUniqueResult{} << 2 << false << 0
                                           << QStringLiteral("絵を直す方法が見つかりませんでした。");
        QTest::newRow("preview, none found") << RepairTarget::Preview << MakeUniqueResult{} << 2 << false << 0
                                             << QStringLiteral("直す方法が見つかりませんでした。");
        for (const RepairTarget target : {RepairTarget::Board, RepairTarget::Preview})
            QTest::newRow(target == RepairTarget::Board ? "board, too many runs" : "preview, too many runs")
                << target << overfull << 5 << false << 0
                << QStringLiteral("直した絵は数字が多すぎて問題欄に入りません（最大20）。");
    }

    void aFinishedRunComesToAProposalOrARefusal()
    {
        QFETCH(RepairTarget, target);
        QFETCH(MakeUniqueResult, result);
        QFETCH(int, clueSize);
        QFETCH(bool, proposed);
        QFETCH(int, band);
        QFETCH(QString, text);
        const RepairOutcome outcome = repairOutcome(target, result, clueSize);
        QCOMPARE(outcome.proposed, proposed);
        if (proposed)
            QCOMPARE(outcome.clueSize, band);
        QCOMPARE(outcome.text, text);
    }
};

QTEST_MAIN(RepairOfferTest)
#include "test_repair_offer.moc"
