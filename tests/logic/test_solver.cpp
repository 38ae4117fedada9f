// Solver verdicts against enumeration and the reference solver, hand-made puzzles, stop
// conditions and the samples.
#include "formats/non_format.h"
#include "solve/engine/cdcl_branching.h"
#include "solve/engine/line_state.h"
#include "solve/engine/solver.h"
#include "support/reference_solver.h"

#include <QTest>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

using namespace zumeli::solver;
using zumeli::test::ReferenceResult;
using zumeli::test::referenceLineLogic;
using zumeli::test::referenceSolve;

namespace {

// Search nodes the reference may spend on a sample puzzle before the comparison is skipped.
constexpr std::uint64_t kReferenceNodes = 1000;

// A contest-format puzzle with several solutions whose first solution takes the search about
// ten thousand contradictions.
const QString kLongSearchPuzzle = QStringLiteral(ZUMELI_SOURCE_DIR "/tests/samples/tournament/tournament-0766.non");

// Clue lists written "rows | columns", lines separated by ';', runs by ','.
Puzzle puzzleFromClues(const QString& text)
{
    const QStringList halves = text.split('|');
    auto lines = [](const QString& half) {
        std::vector<std::vector<int>> out;
        if (half.trimmed().isEmpty())
            return out;
        for (const QString& line : half.split(';')) {
            std::vector<int> runs;
            for (const QString& n : line.split(',', Qt::SkipEmptyParts))
                runs.push_back(n.trimmed().toInt());
            out.push_back(runs);
        }
        return out;
    };
    Puzzle p;
    p.rows = lines(halves.value(0));
    p.columns = lines(halves.value(1));
    return p;
}

CellGrid picture(const char* ascii) { return CellGrid::fromAscii(ascii); }

std::string clueKey(const Puzzle& p)
{
    std::string key;
    for (const auto* lines : {&p.rows, &p.columns}) {
        for (const auto& runs : *lines) {
            for (const int r : runs)
                key += std::to_string(r) + ',';
            key += ';';
        }
        key += '|';
    }
    return key;
}

std::string readFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Checks what any finished verdict must satisfy: solutions match the clues, are distinct,
// and their number agrees with the verdict.
void checkSolutions(const Puzzle& puzzle, Verdict verdict, const std::vector<CellGrid>& solutions)
{
    for (const CellGrid& s : solutions)
        QVERIFY(satisfiesClues(puzzle, s));
    switch (verdict) {
    case Verdict::NoSolution:
        QCOMPARE(solutions.size(), std::size_t(0));
        break;
    case Verdict::Unique:
        QCOMPARE(solutions.size(), std::size_t(1));
        break;
    case Verdict::Multiple:
        QCOMPARE(solutions.size(), std::size_t(2));
        QVERIFY(solutions[0] != solutions[1]);
        break;
    case Verdict::Stopped:
        break;
    }
}

void checkSolutions(const Puzzle& puzzle, const SolveResult& result)
{
    checkSolutions(puzzle, result.verdict, result.solutions);
}

void checkSolutions(const Puzzle& puzzle, const ReferenceResult& result)
{
    checkSolutions(puzzle, result.verdict, result.solutions);
}

// A random picture: each cell empty one time in `density`, filled otherwise (the other way
// round when `inverted`).
CellGrid randomPicture(std::mt19937& random, int width, int height, unsigned density, bool inverted = false)
{
    CellGrid g(width, height);
    for (Cell& c : g.cells)
        c = (random() % density == 0) != inverted ? Cell::Empty : Cell::Filled;
    return g;
}

} // namespace

class TestSolver : public QObject {
    Q_OBJECT

private slots:
    void handMade_data()
    {
        QTest::addColumn<QString>("clues");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<bool>("lineSolvable");

        QTest::newRow("2x2 diagonals") << "1;1|1;1" << "multiple" << false;
        QTest::newRow("full 2x2") << "2;2|2;2" << "unique" << true;
        QTest::newRow("run longer than the row") << "3;1|1;1" << "none" << true;
        QTest::newRow("rows and columns total differently") << "1;1;1|1;1;0" << "none" << false;
        QTest::newRow("lines contradict") << "2;0|1;0" << "none" << true;
        QTest::newRow("corner cross") << "1,1;1;1,1|1,1;1;1,1" << "unique" << true;
        QTest::newRow("permutations of 6") << "1;1;1;1;1;1|1;1;1;1;1;1" << "multiple" << false;
        QTest::newRow("no cells at all") << "|" << "unique" << true;
        QTest::newRow("rows without columns") << "0;0;0|" << "unique" << true;
        QTest::newRow("a run in a row without columns") << "0;1|" << "none" << true;
        QTest::newRow("zero run lengths are ignored") << "0,2;0|2,0;0,0" << "none" << true;
    }

    void handMade()
    {
        QFETCH(QString, clues);
        QFETCH(QString, verdict);
        QFETCH(bool, lineSolvable);
        const Puzzle puzzle = puzzleFromClues(clues);
        const SolveResult result = solve(puzzle);
        QCOMPARE(QString(verdictName(result.verdict)), verdict);
        QCOMPARE(result.lineSolvable, lineSolvable);
        checkSolutions(puzzle, result);
        const ReferenceResult reference = referenceSolve(puzzle);
        QCOMPARE(QString(verdictName(reference.verdict)), verdict);
        QCOMPARE(reference.lineSolvable, lineSolvable);
        checkSolutions(puzzle, reference);
    }

    // What line logic leaves open: the bottom row and the gap row are decided, the 2 x 2
    // diagonal above them is not.
    void lineGridShowsOpenCells()
    {
        const Puzzle puzzle = puzzleFromClues("1;1;0;2|1,1;1,1");
        const SolveResult result = solve(puzzle);
        QCOMPARE(result.lineGrid.toAscii(), std::string("??\n??\n..\n##\n"));
        QCOMPARE(referenceSolve(puzzle).lineGrid.toAscii(), result.lineGrid.toAscii());
        QCOMPARE(result.verdict, Verdict::Multiple);
    }

    // Every 4 x 4 and 5 x 3 picture is enumerated once; sampled puzzles, including mixed clue
    // sets that may have no solution, must get the verdict the enumeration gives.
    void againstEnumeration_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("4x4") << 4 << 4;
        QTest::newRow("5x3") << 5 << 3;
    }

    void againstEnumeration()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        const int cells = width * height;
        std::map<std::string, int> counts;
        std::vector<Puzzle> puzzles;
        for (unsigned mask = 0; mask < (1u << cells); ++mask) {
            CellGrid g(width, height);
            for (int i = 0; i < cells; ++i)
                g.cells[i] = (mask >> i) & 1 ? Cell::Filled : Cell::Empty;
            Puzzle p = puzzleFromPicture(g);
            ++counts[clueKey(p)];
            puzzles.push_back(std::move(p));
        }
        std::mt19937 random(99);
        int seen[3] = {0, 0, 0};
        for (int trial = 0; trial < 400; ++trial) {
            Puzzle puzzle = puzzles[random() % puzzles.size()];
            if (trial % 2 == 1)
                puzzle.columns = puzzles[random() % puzzles.size()].columns;
            const auto found = counts.find(clueKey(puzzle));
            const int count = found == counts.end() ? 0 : found->second;
            const Verdict expected = count == 0 ? Verdict::NoSolution
                : count == 1                    ? Verdict::Unique
                                                : Verdict::Multiple;
            ++seen[std::min(count, 2)];
            const SolveResult result = solve(puzzle);
            QCOMPARE(result.verdict, expected);
            checkSolutions(puzzle, result);
            const ReferenceResult reference = referenceSolve(puzzle);
            QCOMPARE(reference.verdict, expected);
            checkSolutions(puzzle, reference);
        }
        QVERIFY(seen[0] > 0 && seen[1] > 0 && seen[2] > 0);
    }

    // Random pictures of 8 to 14 cells a side, sparse ones too so that several solutions
    // come up: the engine and the reference must reach the same verdict.
    void agreesWithReference()
    {
        std::mt19937 random(2024);
        int verdicts[3] = {0, 0, 0};
        for (int trial = 0; trial < 120; ++trial) {
            const int width = 8 + static_cast<int>(random() % 7);
            const int height = 8 + static_cast<int>(random() % 7);
            const unsigned density = 2 + random() % 4;
            Puzzle puzzle = puzzleFromPicture(randomPicture(random, width, height, density, trial % 2 == 1));
            if (trial % 5 == 4)
                std::swap(puzzle.rows[0], puzzle.rows[1]); // often leaves no solution
            const ReferenceResult expected = referenceSolve(puzzle);
            const SolveResult result = solve(puzzle);
            QCOMPARE(result.verdict, expected.verdict);
            QCOMPARE(result.lineSolvable, expected.lineSolvable);
            QCOMPARE(result.lineGrid.toAscii(), expected.lineGrid.toAscii());
            checkSolutions(puzzle, result);
            checkSolutions(puzzle, expected);
            QVERIFY(expected.verdict != Verdict::Stopped);
            ++verdicts[static_cast<int>(expected.verdict)];
        }
        QVERIFY(verdicts[0] > 0 && verdicts[1] > 0 && verdicts[2] > 0);
    }

    // Random pictures, half of them at the density whose open cells most often fall apart
    // into parts no line links: the engine decides each part on its own and must still give
    // the reference's verdict, with solutions that fit the clues, with and without the
    // picture given as a known solution.
    void partsAgreeWithReference()
    {
        std::mt19937 random(77);
        int split[3] = {0, 0, 0};
        for (int trial = 0; trial < 400; ++trial) {
            const int width = 6 + static_cast<int>(random() % 9);
            const int height = 6 + static_cast<int>(random() % 9);
            const unsigned density = trial % 2 ? 50 : 22;
            CellGrid g(width, height);
            for (Cell& c : g.cells)
                c = random() % 100 < density ? Cell::Filled : Cell::Empty;
            Puzzle puzzle = puzzleFromPicture(g);
            if (trial % 7 == 6)
                std::swap(puzzle.columns[0], puzzle.columns[width - 1]); // may leave no solution
            LineState state(positiveRuns(puzzle.rows), positiveRuns(puzzle.columns));
            RunLimits limits({}, Clock::now());
            state.enqueueAll();
            const bool consistent = !state.anyLineOverfull() && propagateLines(state, limits);
            std::size_t parts = 0;
            if (consistent) {
                // Every open cell in exactly one part, no line holding open cells of two
                // parts, smallest part first.
                const std::vector<std::vector<int>> found = independentParts(state);
                std::vector<int> partOfLine(static_cast<std::size_t>(state.lineCount()), -1);
                long cellsInParts = 0;
                for (std::size_t i = 0; i < found.size(); ++i) {
                    if (i > 0)
                        QVERIFY(found[i - 1].size() <= found[i].size());
                    for (const int v : found[i]) {
                        QCOMPARE(state.cell(v), Cell::Unknown);
                        for (const int line : {state.rowLine(v), state.columnLine(v)}) {
                            QVERIFY(partOfLine[line] < 0 || partOfLine[line] == static_cast<int>(i));
                            partOfLine[line] = static_cast<int>(i);
                        }
                    }
                    cellsInParts += static_cast<long>(found[i].size());
                }
                QCOMPARE(cellsInParts, state.unknownCount());
                parts = found.size();
            }

            const ReferenceResult expected = referenceSolve(puzzle);
            const SolveResult result = solve(puzzle);
            QCOMPARE(result.verdict, expected.verdict);
            checkSolutions(puzzle, result);

            // Given the picture as a known solution, the search only looks for a second one:
            // same verdict, and the picture comes first when it fits (it is ignored otherwise).
            SolveOptions near;
            near.knownSolution = &g;
            const SolveResult fromPicture = solve(puzzle, near);
            QCOMPARE(fromPicture.verdict, expected.verdict);
            checkSolutions(puzzle, fromPicture);
            if (satisfiesClues(puzzle, g))
                QVERIFY(fromPicture.solutions.front() == g);
            if (parts >= 2)
                ++split[static_cast<int>(expected.verdict)];
        }
        QVERIFY2(split[static_cast<int>(Verdict::Multiple)] > 0,
                 qPrintable(QString("split unique %1, multiple %2, none %3")
                                .arg(split[1]).arg(split[2]).arg(split[0])));
    }

    // Larger random pictures given as known solutions: the second solution, which a search in
    // a small window around a local alternative usually finds, fits the clues and differs
    // from the picture; the verdict is the same without the picture and the reference's
    // whenever the reference finishes.
    void secondSolutionNearAKnownPicture()
    {
        std::mt19937 random(5);
        int verdicts[3] = {0, 0, 0};
        for (int trial = 0; trial < 40; ++trial) {
            const int width = 16 + static_cast<int>(random() % 10);
            const int height = 16 + static_cast<int>(random() % 10);
            CellGrid g(width, height);
            for (Cell& c : g.cells)
                c = random() % 100 < (trial % 2 ? 50u : 60u) ? Cell::Filled : Cell::Empty;
            const Puzzle puzzle = puzzleFromPicture(g);
            SolveOptions near;
            near.knownSolution = &g;
            const SolveResult result = solve(puzzle, near);
            checkSolutions(puzzle, result);
            QVERIFY(result.solutions.front() == g);
            QCOMPARE(solve(puzzle).verdict, result.verdict);
            const ReferenceResult reference = referenceSolve(puzzle, 20000);
            if (reference.verdict != Verdict::Stopped)
                QCOMPARE(result.verdict, reference.verdict);
            ++verdicts[static_cast<int>(result.verdict)];
        }
        QVERIFY(verdicts[static_cast<int>(Verdict::Multiple)] > 0 && verdicts[static_cast<int>(Verdict::Unique)] > 0);
    }

    // What line logic decides, on pictures with long lines (one to nine words of line mask,
    // and past the bit form) and on clue sets that contradict: the same as the reference.
    void lineGridAgreesWithReference_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("30 x 25") << 30 << 25;
        QTest::newRow("70 x 12") << 70 << 12;
        QTest::newRow("200 x 8") << 200 << 8;
        QTest::newRow("9 x 513") << 9 << 513;
        QTest::newRow("1030 x 3") << 1030 << 3;
    }

    void lineGridAgreesWithReference()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        std::mt19937 random(static_cast<unsigned>(width * 7 + height));
        for (int trial = 0; trial < 8; ++trial) {
            Puzzle puzzle = puzzleFromPicture(randomPicture(random, width, height, 2 + random() % 5, trial % 2 == 1));
            if (trial % 4 == 3)
                std::swap(puzzle.rows[0], puzzle.rows[puzzle.rows.size() - 1]);
            SolveOptions lineLogicOnly;
            lineLogicOnly.nodeLimit = 1; // the line grid is settled before the search starts
            const SolveResult result = solve(puzzle, lineLogicOnly);
            CellGrid expected(width, height);
            if (!referenceLineLogic(puzzle, expected)) {
                expected = CellGrid(width, height);
                QCOMPARE(result.verdict, Verdict::NoSolution);
            }
            QCOMPARE(result.lineGrid.toAscii(), expected.toAscii());
        }
    }

    // Lines past one and two machine words and past the bit form altogether go through the
    // whole solver: the engine agrees with the reference and the solutions match the clues.
    void wideLines_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("130 wide") << 130 << 6;
        QTest::newRow("260 high") << 5 << 260;
        QTest::newRow("1030 wide") << 1030 << 3;
    }

    void wideLines()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        std::mt19937 random(static_cast<unsigned>(width * 31 + height));
        for (int trial = 0; trial < 4; ++trial) {
            CellGrid g(width, height);
            for (Cell& c : g.cells)
                c = random() % 3 == 0 ? Cell::Empty : Cell::Filled;
            const Puzzle puzzle = puzzleFromPicture(g);
            const ReferenceResult expected = referenceSolve(puzzle);
            const SolveResult learned = solve(puzzle);
            QVERIFY(expected.verdict == Verdict::Unique || expected.verdict == Verdict::Multiple);
            QCOMPARE(learned.verdict, expected.verdict);
            checkSolutions(puzzle, learned);
            checkSolutions(puzzle, expected);
            if (learned.verdict == Verdict::Unique)
                QCOMPARE(learned.solutions[0].toAscii(), g.toAscii());
        }
    }

    void contradictionLeavesNothingDecided()
    {
        const Puzzle contradicting = puzzleFromClues("2;0|1;0");
        const SolveResult none = solve(contradicting);
        QCOMPARE(none.verdict, Verdict::NoSolution);
        QVERIFY(none.lineSolvable);
        QCOMPARE(none.lineGrid.toAscii(), std::string("??\n??\n"));
        CellGrid grid(2, 2);
        QVERIFY(!referenceLineLogic(contradicting, grid));
        QCOMPARE(referenceSolve(contradicting).lineGrid.toAscii(), std::string("??\n??\n"));

        const Puzzle open = puzzleFromClues("1;1;0;2|1,1;1,1");
        QCOMPARE(solve(open).lineGrid.toAscii(), std::string("??\n??\n..\n##\n"));
        CellGrid partial(2, 4);
        QVERIFY(referenceLineLogic(open, partial));
        QCOMPARE(partial.toAscii(), std::string("??\n??\n..\n##\n"));
    }

    // Clues that line logic leaves open but that contradict: setting one cell either way
    // meets a contradiction. Probing at the root says so without any search; the search alone
    // finds it too.
    void probingShowsCluesContradictory()
    {
        const Puzzle puzzle = puzzleFromClues("2;1,3;1,1;1|2;1;1,1;2;2");
        SolveOptions probing;
        probing.learnDifficulty = true;
        const SolveResult probed = solve(puzzle, probing);
        QCOMPARE(probed.verdict, Verdict::NoSolution);
        QVERIFY(!probed.lineSolvable);
        QCOMPARE(probed.stats.nodes, std::uint64_t{0});
        QCOMPARE(probed.stats.conflicts, std::uint64_t{0});
        QCOMPARE(probed.difficulty, 0);
        CellGrid lineGrid(puzzle.width(), puzzle.height());
        QVERIFY(referenceLineLogic(puzzle, lineGrid));
        QVERIFY(std::count(lineGrid.cells.begin(), lineGrid.cells.end(), Cell::Unknown) > 0);
        QCOMPARE(probed.lineGrid.toAscii(), lineGrid.toAscii());
        const SolveResult searched = solve(puzzle);
        QCOMPARE(searched.verdict, Verdict::NoSolution);
        QVERIFY(searched.stats.nodes > 0);
        QCOMPARE(referenceSolve(puzzle).verdict, Verdict::NoSolution);
    }

    // Learning the grade, root line logic runs the simple rules first and full line logic from
    // there: what it decides, whether that is everything and the grade it then tells are those
    // of line logic alone (and of a plain solve), where the simple rules fill the picture,
    // where they leave cells to full line logic, where line logic leaves cells open and where
    // the clues contradict (rows that fill the picture by the simple rules against columns
    // that do not fit).
    void rootLineLogicAsLineLogicAlone_data()
    {
        QTest::addColumn<QString>("clues");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<int>("grade"); // learned by line logic; 0 for none
        QTest::newRow("simple rules fill it") << "3;1,1;3|3;1,1;3" << "unique" << 1;
        QTest::newRow("full line logic after the simple rules")
            << "2;1,1;1;1,2;1;2|1;1,1;3,1;1,2;1" << "unique" << 2;
        QTest::newRow("line logic leaves cells open") << "1;1;0;2|1,1;1,1" << "multiple" << 0;
        QTest::newRow("filled rows against a column") << "3;3;3|3;3;1" << "none" << 0;
        QTest::newRow("filled rows against swapped columns") << "2,1;1,2|1;2;1;2" << "none" << 0;
        QTest::newRow("simple rules contradict") << "2;0|1;0" << "none" << 0;
    }
    void rootLineLogicAsLineLogicAlone()
    {
        QFETCH(QString, clues);
        QFETCH(QString, verdict);
        QFETCH(int, grade);
        const Puzzle puzzle = puzzleFromClues(clues);
        SolveOptions learning;
        learning.learnDifficulty = true;
        const SolveResult result = solve(puzzle, learning);
        QCOMPARE(QString(verdictName(result.verdict)), verdict);
        const SolveResult plain = solve(puzzle);
        QCOMPARE(plain.verdict, result.verdict);
        QCOMPARE(plain.lineGrid.toAscii(), result.lineGrid.toAscii());
        QCOMPARE(plain.lineSolvable, result.lineSolvable);
        QCOMPARE(plain.difficulty, 0);
        CellGrid expected(puzzle.width(), puzzle.height());
        const bool consistent = referenceLineLogic(puzzle, expected);
        if (!consistent)
            expected = CellGrid(puzzle.width(), puzzle.height());
        QCOMPARE(result.lineGrid.toAscii(), expected.toAscii());
        const bool filled = std::count(expected.cells.begin(), expected.cells.end(), Cell::Unknown) == 0;
        QCOMPARE(result.lineSolvable, !consistent || filled);
        QCOMPARE(result.difficulty, grade);
        if (result.verdict == Verdict::Unique)
            checkSolutions(puzzle, result);
    }

    // Random clue sets, many of them contradictory (rows or columns swapped), on pictures the
    // simple rules largely fill: the verdict and the line grid are the reference's.
    void rootLineLogicOnSwappedClues()
    {
        std::mt19937 random(99);
        int verdicts[4] = {0, 0, 0, 0};
        for (int trial = 0; trial < 300; ++trial) {
            const int width = 3 + static_cast<int>(random() % 6);
            const int height = 3 + static_cast<int>(random() % 6);
            Puzzle puzzle = puzzleFromPicture(randomPicture(random, width, height, 6 + random() % 4, false));
            std::swap(puzzle.rows[random() % height], puzzle.rows[random() % height]);
            std::swap(puzzle.columns[random() % width], puzzle.columns[random() % width]);
            const ReferenceResult expected = referenceSolve(puzzle);
            for (const bool learn : {false, true}) {
                SolveOptions options;
                options.learnDifficulty = learn;
                const SolveResult result = solve(puzzle, options);
                QCOMPARE(result.verdict, expected.verdict);
                QCOMPARE(result.lineGrid.toAscii(), expected.lineGrid.toAscii());
                QCOMPARE(result.lineSolvable, expected.lineSolvable);
                checkSolutions(puzzle, result);
            }
            ++verdicts[static_cast<int>(expected.verdict)];
        }
        QVERIFY(verdicts[static_cast<int>(Verdict::NoSolution)] > 10);
        QVERIFY(verdicts[static_cast<int>(Verdict::Unique)] > 10);
    }

    void limitsStopTheRun_data()
    {
        QTest::addColumn<int>("limit"); // 0 node limit, 1 time limit, 2 cancel flag
        QTest::newRow("node limit") << 0;
        QTest::newRow("time limit") << 1;
        QTest::newRow("cancel flag") << 2;
    }

    // Permutation matrices of 8: line logic decides nothing, so the search must start and the
    // limit ends it.
    void limitsStopTheRun()
    {
        QFETCH(int, limit);
        const Puzzle puzzle = puzzleFromClues("1;1;1;1;1;1;1;1|1;1;1;1;1;1;1;1");
        std::atomic<bool> cancel{true};
        SolveOptions options;
        if (limit == 0)
            options.nodeLimit = 1;
        else if (limit == 1)
            options.timeLimitSeconds = 1e-9;
        else
            options.cancel = &cancel;
        const SolveResult result = solve(puzzle, options);
        QCOMPARE(result.verdict, Verdict::Stopped);
        QCOMPARE(QString(verdictName(result.verdict)), QString("timeout"));
        const StopReason reasons[] = {StopReason::NodeLimit, StopReason::TimeLimit, StopReason::Cancelled};
        QCOMPARE(result.stopReason, reasons[limit]);
        checkSolutions(puzzle, result);

        const SolveResult free = solve(puzzle);
        QCOMPARE(free.verdict, Verdict::Multiple);
        QCOMPARE(free.stopReason, StopReason::None);
    }

    void negativeRunIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, solve(puzzleFromClues("-1|1")));
    }

    // Every sample puzzle has exactly one solution, the one its file gives as goal (the N-Dom
    // files carry none; their solution must still match every clue). The reference agrees
    // where it finishes within its node budget.
    void sharedPuzzles_data()
    {
        QTest::addColumn<QString>("path");
        const QString root = QStringLiteral(ZUMELI_SAMPLE_PUZZLES);
        int count = 0;
        for (const QString& folder : {QStringLiteral("webpbn"), QStringLiteral("dom")}) {
            QDir dir(root + "/" + folder);
            for (const QString& name : dir.entryList({"*.non"}, QDir::Files, QDir::Name)) {
                QTest::newRow(name.toUtf8().constData()) << dir.filePath(name);
                ++count;
            }
        }
        QVERIFY2(count >= 17, "the shared sample puzzles are missing");
    }

    void sharedPuzzles()
    {
        QFETCH(QString, path);
        const Puzzle puzzle = zumeli::parseNonText(readFile(path));
        const SolveResult result = solve(puzzle);
        QCOMPARE(result.verdict, Verdict::Unique);
        checkSolutions(puzzle, result);
        const CellGrid goal = CellGrid::fromGoal(puzzle);
        if (!goal.cells.empty())
            QCOMPARE(result.solutions[0].toAscii(), goal.toAscii());
        const ReferenceResult reference = referenceSolve(puzzle, kReferenceNodes);
        QCOMPARE(reference.lineGrid.toAscii(), result.lineGrid.toAscii());
        QCOMPARE(reference.lineSolvable, result.lineSolvable);
        if (reference.verdict != Verdict::Stopped) {
            QCOMPARE(reference.verdict, Verdict::Unique);
            QCOMPARE(reference.solutions[0].toAscii(), result.solutions[0].toAscii());
        }
    }

    // The benchmark's own puzzles (bench/puzzles, written by bench/make-puzzles): the verdict
    // and the line logic each was made for, and the picture it was made from.
    void benchmarkPuzzles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<bool>("lineSolvable");
        QTest::newRow("random-200x200") << "random-200x200" << "unique" << true;
        QTest::newRow("random-512x512") << "random-512x512" << "unique" << true;
        QTest::newRow("broad-59x50") << "broad-59x50" << "multiple" << false;
    }

    void benchmarkPuzzles()
    {
        QFETCH(QString, name);
        QFETCH(QString, verdict);
        QFETCH(bool, lineSolvable);
        const QString path = QStringLiteral(ZUMELI_SOURCE_DIR "/bench/puzzles/") + name + ".non";
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const Puzzle puzzle = zumeli::parseNonText(readFile(path));
        const SolveResult result = solve(puzzle);
        QCOMPARE(QString(verdictName(result.verdict)), verdict);
        QCOMPARE(result.lineSolvable, lineSolvable);
        checkSolutions(puzzle, result);
        if (result.verdict == Verdict::Unique)
            QCOMPARE(result.solutions[0].toAscii(), CellGrid::fromGoal(puzzle).toAscii());
    }

    // A random puzzle of the contest format whose clues keep the search going for thousands
    // of contradictions (past the point where it shortens learned clauses and looks ahead):
    // two different solutions, the same ones on every run, the same verdict with a solution
    // known, and a node limit still ends the run.
    void longSearchIsExactAndRepeatable()
    {
        const Puzzle puzzle = zumeli::parseNonText(readFile(kLongSearchPuzzle));
        const SolveResult first = solve(puzzle);
        QCOMPARE(first.verdict, Verdict::Multiple);
        checkSolutions(puzzle, first);
        QVERIFY2(first.stats.conflicts > 5000, qPrintable(QString::number(first.stats.conflicts)));
        const SolveResult again = solve(puzzle);
        QCOMPARE(again.verdict, first.verdict);
        QVERIFY(again.solutions == first.solutions);
        QCOMPARE(again.stats.nodes, first.stats.nodes);
        QCOMPARE(again.stats.conflicts, first.stats.conflicts);

        SolveOptions near;
        near.knownSolution = &first.solutions[1];
        QCOMPARE(solve(puzzle, near).verdict, Verdict::Multiple);

        SolveOptions limited;
        limited.nodeLimit = first.stats.nodes - 1;
        const SolveResult stopped = solve(puzzle, limited);
        QCOMPARE(stopped.verdict, Verdict::Stopped);
        QCOMPARE(stopped.stopReason, StopReason::NodeLimit);
        checkSolutions(puzzle, stopped);
    }

    // The tie-break seed sends the search down other paths to the same verdict: each seed
    // repeats its own path, and the seeds do not all take the path of the default order.
    void tieBreakSeedKeepsTheVerdict()
    {
        const Puzzle puzzle = zumeli::parseNonText(readFile(kLongSearchPuzzle));
        const std::uint64_t defaultConflicts = solve(puzzle).stats.conflicts;
        bool otherPath = false;
        for (const std::uint64_t seed : {1u, 2u}) {
            SolveOptions options;
            options.tieBreakSeed = seed;
            options.learnDifficulty = seed == 2;
            const SolveResult result = solve(puzzle, options);
            QCOMPARE(result.verdict, Verdict::Multiple);
            checkSolutions(puzzle, result);
            const SolveResult again = solve(puzzle, options);
            QVERIFY(again.solutions == result.solutions);
            QCOMPARE(again.stats.conflicts, result.stats.conflicts);
            otherPath = otherPath || result.stats.conflicts != defaultConflicts;
        }
        QVERIFY(otherPath);
    }

    // Weighing each arrangement by the odds of its cells: even odds count the arrangements
    // alike (the plain shares, known cells as certain odds), uneven ones move the shares
    // towards the likelier arrangements, and a line no arrangement fits gives no share.
    void weighedSharesFollowTheOdds()
    {
        using namespace zumeli::solver::cdcl;
        std::mt19937 random(7);
        for (int round = 0; round < 300; ++round) {
            const int n = 1 + static_cast<int>(random() % 12);
            std::vector<int> runs;
            for (int used = 0; used < n && random() % 3 != 0;) {
                const int run = 1 + static_cast<int>(random() % 3);
                runs.push_back(run);
                used += run + 1;
            }
            std::vector<Cell> line(static_cast<std::size_t>(n), Cell::Unknown);
            std::vector<double> odds(static_cast<std::size_t>(n), 0.5);
            for (int i = 0; i < n; ++i) {
                const unsigned pick = random() % 4;
                if (pick == 0) {
                    line[i] = Cell::Filled;
                    odds[i] = 1.0;
                } else if (pick == 1) {
                    line[i] = Cell::Empty;
                    odds[i] = 0.0;
                }
            }
            const std::vector<double> plain = filledShares(runs, line);
            const std::vector<double> weighed = weighedFilledShares(runs, odds);
            for (int i = 0; i < n; ++i)
                QVERIFY2(std::abs(plain[i] - weighed[i]) < 1e-9, qPrintable(QString("round %1 cell %2").arg(round).arg(i)));
        }
        // One run of 1 in three cells, the first cell likely filled: its arrangement weighs
        // 0.9 * 0.5 * 0.5, each other one 0.1 * 0.5 * 0.5.
        const std::vector<double> leaning = weighedFilledShares({1}, {0.9, 0.5, 0.5});
        QVERIFY(std::abs(leaning[0] - 0.225 / 0.275) < 1e-12);
        QVERIFY(std::abs(leaning[1] - 0.025 / 0.275) < 1e-12);
        QVERIFY(std::abs(leaning[2] - 0.025 / 0.275) < 1e-12);
        // A long line of unlikely cells: the products of the odds vanish below what a double
        // holds, and every placement of the run still weighs the same.
        const std::vector<double> faint = weighedFilledShares({1}, std::vector<double>(128, 1e-3));
        for (const double share : faint)
            QVERIFY2(std::abs(share - 1.0 / 128) < 1e-9, qPrintable(QString::number(share)));
        const std::vector<double> none = weighedFilledShares({2}, {1.0, 0.0, 1.0});
        QVERIFY(std::all_of(none.begin(), none.end(), [](double x) { return x == 0.0; }));
    }

    // The starting guesses: a small search keeps the likelier value by its row and its column
    // taken alone; a large one takes the odds passed between rows and columns, which agree
    // with a solution in more cells.
    void startingGuessesPassOddsOnLargeSearches()
    {
        using namespace zumeli::solver::cdcl;
        auto guesses = [](const Puzzle& puzzle) {
            LineState lines(puzzle.rows, puzzle.columns);
            const int cells = lines.cellCount();
            const std::vector<std::uint8_t> scope(static_cast<std::size_t>(lines.lineCount()), 1);
            const std::vector<Cell> value(static_cast<std::size_t>(cells), Cell::Unknown);
            const SolveOptions options;
            RunLimits limits(options, zumeli::solver::Clock::now());
            SearchRhythm rhythm(cells);
            std::vector<double> activity(static_cast<std::size_t>(cells), 0.0);
            ActivityHeap heap;
            heap.init(cells, &activity);
            for (int v = 0; v < cells; ++v)
                heap.insert(v);
            seedBranching(lines, scope, value, 0, limits, rhythm, activity, heap);
            std::vector<bool> filled(static_cast<std::size_t>(cells));
            for (int v = 0; v < cells; ++v)
                filled[v] = rhythm.preferFilled(v);
            return filled;
        };
        auto linesAlone = [](const Puzzle& puzzle) {
            const int width = static_cast<int>(puzzle.columns.size());
            const int height = static_cast<int>(puzzle.rows.size());
            std::vector<std::vector<double>> rowShares;
            std::vector<std::vector<double>> columnShares;
            for (const auto& runs : puzzle.rows)
                rowShares.push_back(filledShares(runs, std::vector<Cell>(static_cast<std::size_t>(width), Cell::Unknown)));
            for (const auto& runs : puzzle.columns)
                columnShares.push_back(filledShares(runs, std::vector<Cell>(static_cast<std::size_t>(height), Cell::Unknown)));
            std::vector<bool> filled(static_cast<std::size_t>(width * height));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const double a = rowShares[y][x];
                    const double b = columnShares[x][y];
                    filled[y * width + x] = a * b > (1 - a) * (1 - b);
                }
            return filled;
        };
        const Puzzle small = zumeli::parseNonText(readFile(QStringLiteral(ZUMELI_SOURCE_DIR "/tests/samples/dom/9-Dom.non")));
        QVERIFY(guesses(small) == linesAlone(small));

        const Puzzle large = zumeli::parseNonText(readFile(kLongSearchPuzzle));
        const SolveResult result = solve(large);
        QCOMPARE(result.verdict, Verdict::Multiple);
        auto agreement = [&](const std::vector<bool>& filled) {
            int best = 0;
            for (const CellGrid& solution : result.solutions) {
                int same = 0;
                for (std::size_t v = 0; v < filled.size(); ++v)
                    same += filled[v] == (solution.cells[v] == Cell::Filled);
                best = std::max(best, same);
            }
            return best;
        };
        const int passed = agreement(guesses(large));
        const int alone = agreement(linesAlone(large));
        QVERIFY2(passed > alone, qPrintable(QString("%1 against %2").arg(passed).arg(alone)));
    }

    // A dive takes the surest open cells by the passed odds, surest last, each with its
    // likelier value; a later turn starts from the odds the turn before left and passes over
    // the cells known by then; with no cell open there is nothing to take.
    void aDiveTakesTheSurestCells()
    {
        using namespace zumeli::solver::cdcl;
        const Puzzle puzzle = zumeli::parseNonText(readFile(kLongSearchPuzzle));
        const SolveResult result = solve(puzzle);
        QCOMPARE(result.verdict, Verdict::Multiple);
        LineState lines(puzzle.rows, puzzle.columns);
        const int cells = lines.cellCount();
        const std::vector<std::uint8_t> scope(static_cast<std::size_t>(lines.lineCount()), 1);
        std::vector<Cell> value(static_cast<std::size_t>(cells), Cell::Unknown);
        const SolveOptions options;
        RunLimits limits(options, zumeli::solver::Clock::now());
        DiveOdds odds;
        std::vector<Lit> picks;
        auto sureness = [&](int v) {
            const double a = odds.row[v];
            const double b = odds.column[v];
            return std::abs(a * b / (a * b + (1 - a) * (1 - b)) - 0.5);
        };
        auto checkTurn = [&](int open) {
            QCOMPARE(picks.size(), std::max<std::size_t>(1, static_cast<std::size_t>(kDiveShare * open)));
            std::vector<bool> picked(static_cast<std::size_t>(cells), false);
            double least = 1;
            for (std::size_t i = 0; i < picks.size(); ++i) {
                const int v = cellOf(picks[i]);
                QCOMPARE(value[v], Cell::Unknown);
                QVERIFY(!picked[v]);
                picked[v] = true;
                const double a = odds.row[v];
                const double b = odds.column[v];
                QCOMPARE(saysFilled(picks[i]), a * b > (1 - a) * (1 - b));
                if (i > 0)
                    QVERIFY(sureness(v) >= sureness(cellOf(picks[i - 1])));
                least = std::min(least, sureness(v));
            }
            for (int v = 0; v < cells; ++v)
                if (value[v] == Cell::Unknown && !picked[v])
                    QVERIFY(sureness(v) <= least);
        };
        surestCells(lines, scope, value, limits, odds, picks);
        checkTurn(cells);
        // The surest cells agree with a solution: a dive heads for one.
        int agreeing = 0;
        for (const CellGrid& solution : result.solutions) {
            int same = 0;
            for (const Lit p : picks)
                same += (solution.cells[cellOf(p)] == Cell::Filled) == saysFilled(p);
            agreeing = std::max(agreeing, same);
        }
        QCOMPARE(agreeing, static_cast<int>(picks.size()));

        for (const Lit p : picks)
            value[cellOf(p)] = saysFilled(p) ? Cell::Filled : Cell::Empty;
        const int open = cells - static_cast<int>(picks.size());
        surestCells(lines, scope, value, limits, odds, picks);
        checkTurn(open);

        value = result.solutions.front().cells;
        surestCells(lines, scope, value, limits, odds, picks);
        QVERIFY(picks.empty());
    }

    // Looking ahead: a value that fails is the branch; so is the opposite of a value that
    // both values of one cell set, which fails under either of them; otherwise the cell whose
    // values settle the most cells together, with its preferred value.
    void lookAheadTakesTheBranchThatLearns()
    {
        using namespace zumeli::solver::cdcl;
        const int cells = 4;
        std::vector<double> activity = {4, 3, 2, 1};
        const std::vector<Cell> value(cells, Cell::Unknown);
        SearchRhythm rhythm(cells);
        for (int v = 0; v < cells; ++v)
            rhythm.seed(v, true);
        // The trial of each literal, as the search would report it.
        auto choose = [&](const std::map<Lit, BranchTrial>& trials) {
            ActivityHeap heap;
            heap.init(cells, &activity);
            for (int v = 1; v < cells; ++v)
                heap.insert(v);
            std::vector<int> room;
            std::vector<Lit> tried;
            const Lit choice = chooseByLookAhead(
                0, heap, value, rhythm, room,
                [&](Lit p) {
                    tried.push_back(p);
                    const auto it = trials.find(p);
                    return it == trials.end() ? BranchTrial{} : it->second;
                },
                [] { return false; });
            bool allBack = true; // the candidates go back into the heap
            for (int v = 1; v < cells; ++v)
                allBack = allBack && heap.contains(v);
            return std::make_pair(allBack ? choice : Lit(-1), tried.size());
        };
        std::map<Lit, BranchTrial> trials;
        for (int v = 0; v < cells; ++v)
            for (const bool filled : {true, false})
                trials[literal(v, filled)] = BranchTrial{true, static_cast<std::size_t>(v + 1), -1};
        // Cell 3 settles the most: 4 cells either way.
        QCOMPARE(choose(trials).first, literal(3, true));
        QCOMPARE(choose(trials).second, std::size_t(8));

        std::map<Lit, BranchTrial> failing = trials;
        failing[literal(1, false)].consistent = false;
        QCOMPARE(choose(failing).first, literal(1, false));
        QCOMPARE(choose(failing).second, std::size_t(4)); // no cell after it is tried

        std::map<Lit, BranchTrial> merging = trials;
        merging[literal(2, false)].implied = literal(0, true);
        QCOMPARE(choose(merging).first, literal(0, false));
        QCOMPARE(choose(merging).second, std::size_t(6));
    }

    void asciiPictures()
    {
        const CellGrid g = picture("#.\n?#\n");
        QCOMPARE(g.width, 2);
        QCOMPARE(g.height, 2);
        QCOMPARE(g.at(0, 1), Cell::Unknown);
        QCOMPARE(g.toAscii(), std::string("#.\n?#\n"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, picture("##\n#\n"));
    }
};

QTEST_APPLESS_MAIN(TestSolver)
#include "test_solver.moc"
