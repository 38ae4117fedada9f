// The explanations the conflict search gives for a line's contradiction, against brute force
// over every arrangement of random short lines.
#include "solve/engine/line_explain.h"
#include "solve/engine/puzzle.h"

#include <QTest>

#include <random>
#include <utility>

using namespace zumeli::solver;

namespace {

// Every filling of n cells (bit i: cell i filled) whose runs are `runs`.
std::vector<Word> arrangements(const std::vector<int>& runs, int n)
{
    std::vector<Word> out;
    std::vector<Cell> cells(static_cast<std::size_t>(n));
    for (Word mask = 0; mask < (Word(1) << n); ++mask) {
        for (int i = 0; i < n; ++i)
            cells[i] = (mask >> i) & 1 ? Cell::Filled : Cell::Empty;
        if (runsOfLine(cells) == runs)
            out.push_back(mask);
    }
    return out;
}

// Whether no arrangement agrees with the known cells.
bool contradictory(const std::vector<Word>& all, Word filled, Word empty)
{
    for (const Word a : all)
        if ((a & empty) == 0 && (filled & ~a) == 0)
            return false;
    return true;
}

// The masks of the cells in `cells` whose flag in `take` is set (all when `take` is empty).
void maskOf(const std::vector<LineCell>& cells, const std::vector<std::uint8_t>& take, Word& filled, Word& empty)
{
    for (std::size_t i = 0; i < cells.size(); ++i)
        if (take.empty() || take[i])
            toggleLineCell(cells[i], &filled, &empty);
}

// A contradictory short line: its length and runs, the arrangements, the known cells that
// are no candidates (the facts) and the candidates, in the order they are to be tried.
struct Case {
    int length = 0;
    std::vector<int> runs;
    std::vector<Word> all;
    std::vector<LineCell> facts;
    std::vector<LineCell> candidates;
};

// Random known cells on a random line; when they leave arrangements, a cell they decide is
// known the other way (as when the search explains a deduction). Nothing when they decide none.
std::optional<Case> randomCase(std::mt19937& random)
{
    const int n = 1 + static_cast<int>(random() % 12);
    std::vector<Cell> picture(static_cast<std::size_t>(n));
    for (Cell& c : picture)
        c = random() % 2 ? Cell::Filled : Cell::Empty;
    Case c;
    c.length = n;
    c.runs = runsOfLine(picture);
    c.all = arrangements(c.runs, n);
    std::vector<LineCell> known;
    Word filled = 0;
    Word empty = 0;
    for (int i = 0; i < n; ++i) {
        if (random() % 3 == 0)
            continue;
        const bool isFilled = random() % 3 == 0 ? picture[i] != Cell::Filled : picture[i] == Cell::Filled;
        known.push_back({i, isFilled});
        toggleLineCell(known.back(), &filled, &empty);
    }
    if (!contradictory(c.all, filled, empty)) {
        // The cells every arrangement agreeing with the known ones shares.
        Word always = ~Word(0);
        Word never = ~Word(0);
        for (const Word a : c.all)
            if ((a & empty) == 0 && (filled & ~a) == 0) {
                always &= a;
                never &= ~a;
            }
        const Word open = ((Word(1) << n) - 1) & ~(filled | empty);
        const Word decided = (always | never) & open;
        if (!decided)
            return std::nullopt;
        const int i = __builtin_ctzll(decided);
        c.facts.push_back({i, ((never >> i) & 1) != 0});
    }
    std::shuffle(known.begin(), known.end(), random);
    for (const LineCell& k : known)
        (random() % 4 == 0 ? c.facts : c.candidates).push_back(k);
    return c;
}

// The masks of the case's facts and of the candidates marked in `kept`: filled, then empty.
std::pair<Word, Word> keptMasks(const Case& c, const std::vector<std::uint8_t>& kept)
{
    Word filled = 0;
    Word empty = 0;
    maskOf(c.facts, {}, filled, empty);
    maskOf(c.candidates, kept, filled, empty);
    return {filled, empty};
}

// The explanation of trying the candidates one by one in order, each dropped for good when
// the line stays contradictory without it.
std::vector<std::uint8_t> oneByOne(const Case& c)
{
    std::vector<std::uint8_t> kept(c.candidates.size(), 1);
    for (std::size_t i = 0; i < c.candidates.size(); ++i) {
        kept[i] = 0;
        const auto [filled, empty] = keptMasks(c, kept);
        if (!contradictory(c.all, filled, empty))
            kept[i] = 1;
    }
    return kept;
}

} // namespace

// Calls check(c, filled, empty) on `count` random cases from `seed`, the masks holding each
// case's facts and candidates; stops at the first failed check.
template <typename Check>
void forRandomCases(unsigned seed, int count, Check&& check)
{
    std::mt19937 random(seed);
    for (int cases = 0; cases < count;) {
        const std::optional<Case> c = randomCase(random);
        if (!c)
            continue;
        ++cases;
        Word filled = 0;
        Word empty = 0;
        maskOf(c->facts, {}, filled, empty);
        maskOf(c->candidates, {}, filled, empty);
        check(*c, filled, empty);
        if (QTest::currentTestFailed())
            return;
    }
}

class TestLineExplain : public QObject {
    Q_OBJECT

private slots:
    // On random contradictory lines of up to 12 cells: the explanation is the one of dropping
    // the candidates one by one in their order (the search's steps depend on which one it is),
    // it still contradicts the runs with the facts, every cell it keeps is needed, and the
    // masks are left holding exactly it and the facts.
    void explanationIsTheOneByOneDeletion()
    {
        forRandomCases(2026, 4000, [&](const Case& c, Word filled, Word empty) {
            QVERIFY(contradictory(c.all, filled, empty));
            std::vector<std::uint8_t> kept;
            keepNeededCells(
                c.candidates, &filled, &empty, [&] { return contradictory(c.all, filled, empty); },
                [] { return false; }, kept);
            QCOMPARE(kept, oneByOne(c));
            const auto [keptFilled, keptEmpty] = keptMasks(c, kept);
            QCOMPARE(filled, keptFilled);
            QCOMPARE(empty, keptEmpty);
            QVERIFY(contradictory(c.all, filled, empty));
            for (std::size_t i = 0; i < kept.size(); ++i) {
                if (!kept[i])
                    continue;
                Word f = filled;
                Word e = empty;
                toggleLineCell(c.candidates[i], &f, &e);
                QVERIFY(!contradictory(c.all, f, e));
            }
        });
    }

    // Told to stop after a few tests, it keeps every candidate it has not dropped yet: the
    // explanation is longer but still contradicts the runs.
    void stoppingKeepsTheCandidatesNotDropped_data()
    {
        QTest::addColumn<int>("testsBeforeStop");
        QTest::newRow("at once") << 0;
        QTest::newRow("after one test") << 1;
        QTest::newRow("after three tests") << 3;
    }

    void stoppingKeepsTheCandidatesNotDropped()
    {
        QFETCH(int, testsBeforeStop);
        forRandomCases(99, 500, [&](const Case& c, Word filled, Word empty) {
            int tests = 0;
            std::vector<std::uint8_t> kept;
            keepNeededCells(
                c.candidates, &filled, &empty,
                [&] {
                    ++tests;
                    return contradictory(c.all, filled, empty);
                },
                [&] { return tests >= testsBeforeStop; }, kept);
            QVERIFY(tests <= testsBeforeStop);
            const auto [keptFilled, keptEmpty] = keptMasks(c, kept);
            QCOMPARE(filled, keptFilled);
            QCOMPARE(empty, keptEmpty);
            QVERIFY(contradictory(c.all, filled, empty));
            if (testsBeforeStop == 0)
                QCOMPARE(kept, std::vector<std::uint8_t>(c.candidates.size(), 1));
        });
    }

    // The deletion with the line solver's own tests, on random short lines: the explanation of
    // the one-by-one deletion, one test per candidate; none once the run is stopped, every
    // candidate kept.
    void shortLinesAreExplainedByTheLineSolver_data()
    {
        QTest::addColumn<bool>("stopped");
        QTest::newRow("running") << false;
        QTest::newRow("stopped") << true;
    }

    void shortLinesAreExplainedByTheLineSolver()
    {
        QFETCH(bool, stopped);
        RunLimits limits(SolveOptions{}, Clock::now());
        if (stopped)
            limits.stop(StopReason::Cancelled);
        forRandomCases(31, 4000, [&](const Case& c, Word filled, Word empty) {
            std::vector<std::uint8_t> kept;
            const int tests = keepNeededShortCells(c.runs.data(), static_cast<int>(c.runs.size()), c.length,
                                                   c.candidates, filled, empty, limits, kept);
            if (stopped) {
                QCOMPARE(tests, 0);
                QCOMPARE(kept, std::vector<std::uint8_t>(c.candidates.size(), 1));
            } else {
                QCOMPARE(tests, static_cast<int>(c.candidates.size()));
                QCOMPARE(kept, oneByOne(c));
            }
        });
    }

    // Lines of 13 to 63 cells, too long for brute force: the explanation is the one of the
    // deletion with the line solver's general feasibility test. Among them lines whose runs
    // leave no cell to spare, where the pattern of cells the short-line test follows needs
    // 64 and 65 bits (the second is explained the slower way).
    void longShortLinesAreExplainedAsByDeletion()
    {
        std::mt19937 random(7);
        RunLimits limits(SolveOptions{}, Clock::now());
        int checked = 0;
        for (int round = 0; round < 3000; ++round) {
            // Every 50th: runs of one with single gaps, 63 cells (65 symbols) or 62 (64).
            const bool packed = round % 50 == 0;
            const int n = packed ? 62 + round / 50 % 2 : 13 + static_cast<int>(random() % 51);
            std::vector<Cell> picture(static_cast<std::size_t>(n));
            const unsigned density = 2 + random() % 4; // a filled cell in 2 to 5 of 6
            for (int i = 0; i < n; ++i)
                picture[i] = (packed ? i % 2 == 0 : random() % 6 < density) ? Cell::Filled : Cell::Empty;
            const std::vector<int> runs = runsOfLine(picture);
            const int k = static_cast<int>(runs.size());
            Word filled = 0;
            Word empty = 0;
            std::vector<LineCell> candidates;
            for (int i = 0; i < n; ++i) {
                if (random() % 3 == 0)
                    continue;
                const bool wrong = random() % 8 == 0;
                const LineCell c{i, (picture[i] == Cell::Filled) != wrong};
                toggleLineCell(c, &filled, &empty);
                if (random() % 5 != 0)
                    candidates.push_back(c);
            }
            if (lineFeasible(runs.data(), k, n, &filled, &empty))
                continue;
            std::shuffle(candidates.begin(), candidates.end(), random);
            Word expectFilled = filled;
            Word expectEmpty = empty;
            std::vector<std::uint8_t> expected;
            keepNeededCells(
                candidates, &expectFilled, &expectEmpty,
                [&] { return !lineFeasible(runs.data(), k, n, &expectFilled, &expectEmpty); }, [] { return false; },
                expected);
            std::vector<std::uint8_t> kept;
            const int tests = keepNeededShortCells(runs.data(), k, n, candidates, filled, empty, limits, kept);
            QCOMPARE(tests, static_cast<int>(candidates.size()));
            QCOMPARE(kept, expected);
            ++checked;
        }
        QVERIFY(checked > 1000);
    }
};

QTEST_APPLESS_MAIN(TestLineExplain)
#include "test_line_explain.moc"
