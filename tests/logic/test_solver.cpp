// Solver verdicts against enumeration, hand-made puzzles, stop conditions and the samples.
#include "formats/non_format.h"
#include "solve/engine/solver.h"

#include <QtTest>

#include <atomic>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

using namespace zumeli::solver;

namespace {

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
void checkSolutions(const Puzzle& puzzle, const SolveResult& result)
{
    for (const CellGrid& s : result.solutions)
        QVERIFY(satisfiesClues(puzzle, s));
    switch (result.verdict) {
    case Verdict::NoSolution:
        QCOMPARE(result.solutions.size(), std::size_t(0));
        break;
    case Verdict::Unique:
        QCOMPARE(result.solutions.size(), std::size_t(1));
        break;
    case Verdict::Multiple:
        QCOMPARE(result.solutions.size(), std::size_t(2));
        QVERIFY(result.solutions[0] != result.solutions[1]);
        break;
    case Verdict::Stopped:
        break;
    }
}

// The search configurations every verdict must agree across.
struct Configuration {
    bool learning;
    bool probing;
};
constexpr Configuration kConfigurations[] = {{true, true}, {true, false}, {false, true}, {false, false}};

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
        for (const Configuration c : kConfigurations) {
            SolveOptions options;
            options.learning = c.learning;
            options.probing = c.probing;
            const SolveResult result = solve(puzzle, options);
            QCOMPARE(QString(verdictName(result.verdict)), verdict);
            QCOMPARE(result.lineSolvable, lineSolvable);
            checkSolutions(puzzle, result);
        }
    }

    // What line logic leaves open: the bottom row and the gap row are decided, the 2 x 2
    // diagonal above them is not.
    void lineGridShowsOpenCells()
    {
        const Puzzle puzzle = puzzleFromClues("1;1;0;2|1,1;1,1");
        const SolveResult result = solve(puzzle);
        QCOMPARE(result.lineGrid.toAscii(), std::string("??\n??\n..\n##\n"));
        QCOMPARE(lineSolve(puzzle).toAscii(), result.lineGrid.toAscii());
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
            for (const Configuration c : kConfigurations) {
                SolveOptions options;
                options.learning = c.learning;
                options.probing = c.probing;
                const SolveResult result = solve(puzzle, options);
                QCOMPARE(result.verdict, expected);
                checkSolutions(puzzle, result);
            }
        }
        QVERIFY(seen[0] > 0 && seen[1] > 0 && seen[2] > 0);
    }

    // Random pictures of 8 to 14 cells a side, sparse ones too so that several solutions
    // come up: the learning search and plain backtracking must reach the same verdict.
    void searchesAgree()
    {
        std::mt19937 random(2024);
        int verdicts[3] = {0, 0, 0};
        for (int trial = 0; trial < 120; ++trial) {
            const int width = 8 + static_cast<int>(random() % 7);
            const int height = 8 + static_cast<int>(random() % 7);
            const unsigned density = 2 + random() % 4;
            CellGrid g(width, height);
            for (Cell& c : g.cells)
                c = random() % density == 0 ? Cell::Empty : Cell::Filled;
            if (trial % 2)
                for (Cell& c : g.cells)
                    c = c == Cell::Filled ? Cell::Empty : Cell::Filled;
            Puzzle puzzle = puzzleFromPicture(g);
            if (trial % 5 == 4)
                std::swap(puzzle.rows[0], puzzle.rows[1]); // often leaves no solution
            SolveOptions backtracking;
            backtracking.learning = false;
            const SolveResult expected = solve(puzzle, backtracking);
            const SolveResult learned = solve(puzzle);
            QCOMPARE(learned.verdict, expected.verdict);
            checkSolutions(puzzle, learned);
            checkSolutions(puzzle, expected);
            QVERIFY(expected.verdict != Verdict::Stopped);
            ++verdicts[static_cast<int>(expected.verdict)];
        }
        QVERIFY(verdicts[0] > 0 && verdicts[1] > 0 && verdicts[2] > 0);
    }

    // Lines past one and two machine words and past the bit form altogether go through the
    // whole solver: both searches agree and their solutions match the clues.
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
            SolveOptions backtracking;
            backtracking.learning = false;
            const SolveResult expected = solve(puzzle, backtracking);
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
        bool consistent = true;
        const CellGrid grid = lineSolve(puzzleFromClues("2;0|1;0"), &consistent);
        QVERIFY(!consistent);
        QCOMPARE(grid.toAscii(), std::string("??\n??\n"));
        const CellGrid partial = lineSolve(puzzleFromClues("1;1;0;2|1,1;1,1"), &consistent);
        QVERIFY(consistent);
        QCOMPARE(partial.toAscii(), std::string("??\n??\n..\n##\n"));
    }

    void limitsStopTheRun_data()
    {
        QTest::addColumn<int>("limit"); // 0 node limit, 1 time limit, 2 cancel flag
        QTest::newRow("node limit") << 0;
        QTest::newRow("time limit") << 1;
        QTest::newRow("cancel flag") << 2;
    }

    // Permutation matrices of 8: line logic and probing decide nothing, so the search must
    // start and the limit ends it.
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
        for (const bool learning : {true, false}) {
            options.learning = learning;
            const SolveResult result = solve(puzzle, options);
            QCOMPARE(result.verdict, Verdict::Stopped);
            QCOMPARE(QString(verdictName(result.verdict)), QString("timeout"));
            const StopReason reasons[] = {StopReason::NodeLimit, StopReason::TimeLimit, StopReason::Cancelled};
            QCOMPARE(result.stopReason, reasons[limit]);
            checkSolutions(puzzle, result);
        }

        const SolveResult free = solve(puzzle);
        QCOMPARE(free.verdict, Verdict::Multiple);
        QCOMPARE(free.stopReason, StopReason::None);
    }

    void negativeRunIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, solve(puzzleFromClues("-1|1")));
    }

    // Every sample puzzle has exactly one solution, the one its file gives as goal (the N-Dom
    // files carry none; their solution must still match every clue).
    void sharedPuzzles_data()
    {
        QTest::addColumn<QString>("path");
        const QString root = QStringLiteral(ZUMELI_SHARED_DATA);
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
