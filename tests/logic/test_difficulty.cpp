// The difficulty grade of unique puzzles: the simple line rules against enumeration, grades
// against independent definitions built on the reference solver, and hand-made puzzles of
// each grade.
#include "formats/non_format.h"
#include "solve/engine/difficulty.h"
#include "solve/engine/generate.h"
#include "solve/engine/line_state.h"
#include "solve/engine/probing.h"
#include "solve/engine/simple_lines.h"
#include "solve/engine/solver.h"
#include "support/reference_solver.h"

#include <QTest>

#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sstream>

using namespace zumeli::solver;
using zumeli::test::referenceLineLogic;
using zumeli::test::referenceSolve;
using zumeli::test::referenceSolveLine;

namespace {

std::string readFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<Cell> lineFromText(const char* text)
{
    std::vector<Cell> line;
    for (const char* c = text; *c; ++c)
        line.push_back(*c == '#' ? Cell::Filled : *c == '.' ? Cell::Empty : Cell::Unknown);
    return line;
}

std::string lineText(const std::vector<Cell>& line)
{
    std::string out;
    for (const Cell c : line)
        out += c == Cell::Filled ? '#' : c == Cell::Empty ? '.' : '?';
    return out;
}

// Every placement of the runs (start of each run) that agrees with the known cells.
std::vector<std::vector<int>> placements(const std::vector<int>& runs, const std::vector<Cell>& line)
{
    std::vector<std::vector<int>> out;
    std::vector<int> starts;
    const int n = static_cast<int>(line.size());
    std::function<void(std::size_t, int)> place = [&](std::size_t j, int from) {
        if (j == runs.size()) {
            std::vector<bool> filled(static_cast<std::size_t>(n), false);
            for (std::size_t r = 0; r < runs.size(); ++r)
                for (int i = starts[r]; i < starts[r] + runs[r]; ++i)
                    filled[i] = true;
            for (int i = 0; i < n; ++i)
                if ((line[i] == Cell::Filled && !filled[i]) || (line[i] == Cell::Empty && filled[i]))
                    return;
            out.push_back(starts);
            return;
        }
        for (int s = from; s + runs[j] <= n; ++s) {
            starts.push_back(s);
            place(j + 1, s + runs[j] + 1);
            starts.pop_back();
        }
    };
    place(0, 0);
    return out;
}

// The simple rules from the smallest and largest start of each run over all placements.
bool enumeratedSimpleRules(const std::vector<int>& runs, std::vector<Cell>& line)
{
    const auto all = placements(runs, line);
    if (all.empty())
        return false;
    const std::size_t k = runs.size();
    std::vector<int> lo(k, 1 << 20);
    std::vector<int> hi(k, -1);
    for (const auto& starts : all)
        for (std::size_t j = 0; j < k; ++j) {
            lo[j] = std::min(lo[j], starts[j]);
            hi[j] = std::max(hi[j], starts[j]);
        }
    std::vector<bool> reached(line.size(), false);
    for (std::size_t j = 0; j < k; ++j) {
        for (int i = hi[j]; i < lo[j] + runs[j]; ++i)
            line[i] = Cell::Filled;
        for (int i = lo[j]; i < hi[j] + runs[j]; ++i)
            reached[i] = true;
    }
    for (std::size_t i = 0; i < line.size(); ++i)
        if (!reached[i])
            line[i] = Cell::Empty;
    return true;
}

std::vector<Cell> rowOf(const CellGrid& g, int y)
{
    return std::vector<Cell>(g.cells.begin() + y * g.width, g.cells.begin() + (y + 1) * g.width);
}

// Applies a line rule to every row and column until nothing changes; false on a contradiction.
bool toFixedPoint(const Puzzle& puzzle, CellGrid& grid,
                  const std::function<bool(const std::vector<int>&, std::vector<Cell>&)>& rule)
{
    for (bool changed = true; changed;) {
        changed = false;
        for (int y = 0; y < grid.height; ++y) {
            std::vector<Cell> line = rowOf(grid, y);
            if (!rule(puzzle.rows[y], line))
                return false;
            for (int x = 0; x < grid.width; ++x)
                if (grid.at(x, y) != line[x]) {
                    grid.at(x, y) = line[x];
                    changed = true;
                }
        }
        for (int x = 0; x < grid.width; ++x) {
            std::vector<Cell> line;
            for (int y = 0; y < grid.height; ++y)
                line.push_back(grid.at(x, y));
            if (!rule(puzzle.columns[x], line))
                return false;
            for (int y = 0; y < grid.height; ++y)
                if (grid.at(x, y) != line[y]) {
                    grid.at(x, y) = line[y];
                    changed = true;
                }
        }
    }
    return true;
}

bool complete(const CellGrid& g) { return std::find(g.cells.begin(), g.cells.end(), Cell::Unknown) == g.cells.end(); }

// The grade by the definitions, computed with enumeration and the reference line logic.
int referenceGrade(const Puzzle& puzzle)
{
    CellGrid grid(puzzle.width(), puzzle.height());
    if (toFixedPoint(puzzle, grid, enumeratedSimpleRules) && complete(grid))
        return 1;
    grid = CellGrid(puzzle.width(), puzzle.height());
    referenceLineLogic(puzzle, grid);
    if (complete(grid))
        return 2;
    for (bool changed = true; changed && !complete(grid);) {
        changed = false;
        for (std::size_t c = 0; c < grid.cells.size(); ++c) {
            if (grid.cells[c] != Cell::Unknown)
                continue;
            for (const Cell tried : {Cell::Filled, Cell::Empty}) {
                CellGrid probe = grid;
                probe.cells[c] = tried;
                if (!referenceLineLogic(puzzle, probe)) {
                    grid.cells[c] = tried == Cell::Filled ? Cell::Empty : Cell::Filled;
                    referenceLineLogic(puzzle, grid);
                    changed = true;
                    break;
                }
            }
        }
    }
    return complete(grid) ? 3 : 4;
}

// The grade computed after the solve from its result alone, as for a result that did not
// bring one.
std::optional<Difficulty> gradeComputedAfter(const Puzzle& puzzle, SolveResult result)
{
    result.difficulty = 0;
    return gradeDifficulty(puzzle, result);
}

// Solves `puzzle` learning the grade on the way (with `known` as the known solution when
// given) and checks the run against a plain solve: the same verdict, solution, line grid and
// line-solvability, and the grade the plain result gets graded afterwards. The grade learned.
int learnedGradeChecked(const Puzzle& puzzle, const CellGrid* known = nullptr)
{
    SolveOptions options;
    options.knownSolution = known;
    const SolveResult plain = solve(puzzle, options);
    options.learnDifficulty = true;
    const SolveResult learned = solve(puzzle, options);
    const auto fail = [](const char* what) {
        QTest::qFail(what, __FILE__, __LINE__);
        return -1;
    };
    if (plain.verdict != Verdict::Unique || learned.verdict != Verdict::Unique)
        return fail("not unique");
    if (learned.solutions.size() != 1 || learned.solutions[0].cells != plain.solutions[0].cells)
        return fail("another solution");
    if (learned.lineGrid.cells != plain.lineGrid.cells || learned.lineSolvable != plain.lineSolvable)
        return fail("another line grid");
    const std::optional<Difficulty> after = gradeComputedAfter(puzzle, plain);
    if (!after || learned.difficulty != after->grade)
        return fail(qPrintable(QString("learned grade %1, graded after %2")
                                   .arg(learned.difficulty)
                                   .arg(after ? after->grade : 0)));
    const std::optional<Difficulty> reported = gradeDifficulty(puzzle, learned);
    if (!reported || reported->grade != learned.difficulty)
        return fail("the learned grade is not the one reported");
    return learned.difficulty;
}

std::optional<Difficulty> gradeOf(const Puzzle& puzzle)
{
    const SolveResult result = solve(puzzle);
    if (result.verdict != Verdict::Unique)
        return std::nullopt;
    return gradeDifficulty(puzzle, result);
}

// A random picture of 4 to 3 + sizes cells a side, 35 % to 64 % of its cells filled.
CellGrid randomPicture(std::mt19937& random, int sizes)
{
    const int width = 4 + static_cast<int>(random() % static_cast<unsigned>(sizes));
    const int height = 4 + static_cast<int>(random() % static_cast<unsigned>(sizes));
    CellGrid picture(width, height);
    const unsigned density = 35 + random() % 30;
    for (Cell& c : picture.cells)
        c = random() % 100 < density ? Cell::Filled : Cell::Empty;
    return picture;
}

} // namespace

class DifficultyTest : public QObject {
    Q_OBJECT

private slots:
    void simpleRulesOnLines_data()
    {
        QTest::addColumn<QString>("runs");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected"); // "!" when no placement agrees
        QTest::newRow("overlap of a long run") << "4" << "??????" << "??##??";
        QTest::newRow("a full line") << "2,2" << "?????" << "##.##";
        QTest::newRow("an empty line") << "" << "????" << "....";
        QTest::newRow("reach: cells no run gets to") << "2" << "???#???" << "..?#?..";
        QTest::newRow("weaker than full line logic") << "1,1" << "??#??" << "??#??";
        QTest::newRow("no placement") << "3" << "#.???" << "!";
        QTest::newRow("known cells move the extremes") << "2,1" << "?.???#" << "..##.#";
    }
    void simpleRulesOnLines()
    {
        QFETCH(QString, runs);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        std::vector<int> clue;
        for (const QString& n : runs.split(',', Qt::SkipEmptyParts))
            clue.push_back(n.toInt());
        std::vector<Cell> cells = lineFromText(line.toLatin1().constData());
        const bool ok = simpleLineRules(clue, cells);
        if (expected == "!") {
            QVERIFY(!ok);
            QCOMPARE(QString::fromStdString(lineText(cells)), line); // left untouched
        } else {
            QVERIFY(ok);
            QCOMPARE(QString::fromStdString(lineText(cells)), expected);
        }
    }

    // Every line of up to 9 cells with every clue and a sample of known cells: the rules set
    // what the extreme placements say, and never contradict full line logic.
    void simpleRulesAgreeWithEnumeration()
    {
        std::mt19937 random(7);
        int checked = 0;
        for (int n = 1; n <= 9; ++n) {
            for (int bits = 0; bits < (1 << n); ++bits) {
                // the runs of picture `bits` are a clue that has at least one placement
                std::vector<int> runs;
                for (int i = 0, run = 0; i <= n; ++i) {
                    if (i < n && (bits >> i & 1)) {
                        ++run;
                    } else if (run > 0) {
                        runs.push_back(run);
                        run = 0;
                    }
                }
                for (int sample = 0; sample < 6; ++sample) {
                    std::vector<Cell> line(static_cast<std::size_t>(n), Cell::Unknown);
                    for (int i = 0; i < n; ++i) {
                        const unsigned roll = random() % 4;
                        if (roll == 0)
                            line[i] = Cell::Filled;
                        else if (roll == 1)
                            line[i] = Cell::Empty;
                    }
                    std::vector<Cell> expected = line;
                    const bool expectedOk = enumeratedSimpleRules(runs, expected);
                    std::vector<Cell> got = line;
                    const bool ok = simpleLineRules(runs, got);
                    QCOMPARE(ok, expectedOk);
                    if (!ok)
                        continue;
                    QCOMPARE(lineText(got), lineText(expected));
                    std::vector<Cell> full = line;
                    QVERIFY(referenceSolveLine(runs, full));
                    for (int i = 0; i < n; ++i)
                        QVERIFY(got[i] == Cell::Unknown || got[i] == full[i]);
                    ++checked;
                }
            }
        }
        QVERIFY(checked > 1000);
    }

    // Random small unique pictures: the grade is the one the definitions give.
    void gradesAgreeWithTheDefinitions()
    {
        std::mt19937 random(2024);
        int seen[5] = {0, 0, 0, 0, 0};
        for (int trial = 0; trial < 400; ++trial) {
            const CellGrid pictureGrid = randomPicture(random, 5);
            const Puzzle puzzle = puzzleFromPicture(pictureGrid);
            if (referenceSolve(puzzle).verdict != Verdict::Unique)
                continue;
            const std::optional<Difficulty> grade = gradeOf(puzzle);
            QVERIFY(grade);
            const int expected = referenceGrade(puzzle);
            QVERIFY2(grade->grade == expected,
                     qPrintable(QString("grade %1, expected %2 for\n%3")
                                    .arg(grade->grade)
                                    .arg(expected)
                                    .arg(QString::fromStdString(pictureGrid.toAscii()))));
            QCOMPARE(QString(grade->name), QString(difficultyName(expected)));
            ++seen[expected];
        }
        // the sample holds the first three grades
        QVERIFY(seen[1] > 0 && seen[2] > 0 && seen[3] > 0);
    }

    // Large line-solvable puzzles, lines of one to three words: the grade keeps each line's
    // extreme placements from visit to visit and moves only what new cells push, and must
    // reach what the simple rules reach when every line is taken from scratch. Dense random
    // pictures up to 165 cells a side give the first grade, generated puzzles both.
    void simpleGradeOnLongLinesMatchesRulesFromScratch()
    {
        std::vector<Puzzle> puzzles;
        std::mt19937 random(31);
        for (int trial = 0; trial < 8; ++trial) {
            CellGrid pictureGrid(65 + static_cast<int>(random() % 100), 65 + static_cast<int>(random() % 100));
            const unsigned density = 72 + random() % 16;
            for (Cell& c : pictureGrid.cells)
                c = random() % 100 < density ? Cell::Filled : Cell::Empty;
            puzzles.push_back(puzzleFromPicture(pictureGrid));
        }
        for (std::uint64_t seed = 1; seed <= 6; ++seed) {
            GenerateOptions options;
            options.width = 70 + static_cast<int>(seed * 5);
            options.height = 100 - static_cast<int>(seed * 4);
            options.seed = seed;
            options.lineSolvable = true;
            puzzles.push_back(generatePuzzle(options).puzzle);
        }
        int graded[3] = {0, 0, 0};
        for (const Puzzle& puzzle : puzzles) {
            const SolveResult result = solve(puzzle);
            if (result.verdict != Verdict::Unique || !result.lineSolvable)
                continue;
            CellGrid grid(puzzle.width(), puzzle.height());
            const bool simple = toFixedPoint(puzzle, grid, simpleLineRules) && complete(grid);
            const std::optional<Difficulty> grade = gradeDifficulty(puzzle, result);
            QVERIFY(grade);
            QCOMPARE(grade->grade, simple ? 1 : 2);
            ++graded[grade->grade];
        }
        QVERIFY(graded[1] > 0 && graded[2] > 0);
    }

    // Pictures of each grade (the last a shared sample, whose clues need search); each grade
    // is also checked against the definitions.
    void handMadePuzzles_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<int>("grade");
        QTest::addColumn<QString>("name");
        QTest::newRow("a frame") << "###\n#.#\n###\n" << 1 << "simple-lines";
        QTest::newRow("overlaps and reach, line after line")
            << ".#..#.#\n..###.#\n####.#.\n.#.#..#\n...#..#\n##.##..\n" << 1 << "simple-lines";
        QTest::newRow("full line logic") << "..##.\n#.#..\n..#..\n.#.##\n...#.\n.##..\n" << 2 << "lines";
        QTest::newRow("probing") << ".##.\n#.#.\n....\n##..\n...#\n" << 3 << "probing";
        // A cell decided late in the first round of probing lets a cell before it be decided
        // in the second.
        QTest::newRow("probing, a second round")
            << "#.#....\n..##...\n#...###\n.#.#...\n#.....#\n...##..\n##.#.#.\n#..##.#\n.....#.\n.##.#..\n"
               ".#...##\n....#..\n"
            << 3 << "probing";
        QTest::newRow("search") << "dom/5-Dom.non" << 4 << "search";
    }
    void handMadePuzzles()
    {
        QFETCH(QString, picture);
        QFETCH(int, grade);
        QFETCH(QString, name);
        const Puzzle puzzle = picture.endsWith(".non")
            ? zumeli::parseNonText(readFile(QStringLiteral(ZUMELI_SAMPLE_PUZZLES "/") + picture))
            : puzzleFromPicture(CellGrid::fromAscii(picture.toStdString()));
        const std::optional<Difficulty> difficulty = gradeOf(puzzle);
        QVERIFY(difficulty);
        QCOMPARE(difficulty->grade, grade);
        QCOMPARE(QString(difficulty->name), name);
        QCOMPARE(referenceGrade(puzzle), grade);
        QCOMPARE(learnedGradeChecked(puzzle), grade);
        const CellGrid solution = solve(puzzle).solutions.front();
        QCOMPARE(learnedGradeChecked(puzzle, &solution), grade);
    }

    // Random small unique pictures: the grade the solve learns on the way is the one the
    // definitions give, whether it probes both values of a cell or, knowing the picture, only
    // the one against it.
    void learnedGradesAgreeWithTheDefinitions()
    {
        std::mt19937 random(77);
        int seen[5] = {0, 0, 0, 0, 0};
        for (int trial = 0; trial < 500; ++trial) {
            const CellGrid pictureGrid = randomPicture(random, 6);
            const Puzzle puzzle = puzzleFromPicture(pictureGrid);
            if (referenceSolve(puzzle).verdict != Verdict::Unique)
                continue;
            const int expected = referenceGrade(puzzle);
            const QString picture = QString::fromStdString(pictureGrid.toAscii());
            const int learned = learnedGradeChecked(puzzle);
            QVERIFY2(learned == expected, qPrintable(QString("learned %1, expected %2 for\n%3").arg(learned).arg(expected).arg(picture)));
            const int learnedKnowing = learnedGradeChecked(puzzle, &pictureGrid);
            QVERIFY2(learnedKnowing == expected, qPrintable(QString("picture known: learned %1, expected %2 for\n%3").arg(learnedKnowing).arg(expected).arg(picture)));
            ++seen[expected];
        }
        QVERIFY(seen[1] > 0 && seen[2] > 0 && seen[3] > 5);
    }

    // The shared sample puzzles and generated puzzles of each grade: the grade learned on the
    // way equals the grade computed after the solve, with and without the known picture.
    void learnedGradeMatchesGradeComputedAfter_data()
    {
        QTest::addColumn<QString>("source"); // a sample file, or "generated W H GRADE SEED"
        QTest::addColumn<int>("grade");
        const QString root = QStringLiteral(ZUMELI_SAMPLE_PUZZLES);
        for (const QString& folder : {QStringLiteral("webpbn"), QStringLiteral("dom")}) {
            QDir dir(root + "/" + folder);
            for (const QString& name : dir.entryList({"*.non"}, QDir::Files, QDir::Name))
                QTest::newRow(qPrintable(name)) << dir.filePath(name) << 0;
        }
        QTest::newRow("generated simple-lines") << "generated 14 12 1 3" << 1;
        QTest::newRow("generated lines") << "generated 12 14 2 4" << 2;
        QTest::newRow("generated probing") << "generated 12 10 3 5" << 3;
        QTest::newRow("generated probing, larger") << "generated 20 20 3 8" << 3;
        QTest::newRow("generated search") << "generated 15 15 4 6" << 4;
    }
    void learnedGradeMatchesGradeComputedAfter()
    {
        QFETCH(QString, source);
        QFETCH(int, grade);
        Puzzle puzzle;
        if (source.startsWith("generated")) {
            const QStringList words = source.split(' ');
            GenerateOptions options;
            options.width = words[1].toInt();
            options.height = words[2].toInt();
            options.difficulty = words[3].toInt();
            options.seed = words[4].toULongLong();
            puzzle = generatePuzzle(options).puzzle;
        } else {
            puzzle = zumeli::parseNonText(readFile(source));
        }
        const CellGrid goal = CellGrid::fromGoal(puzzle);
        const int learned = learnedGradeChecked(puzzle);
        QVERIFY(learned >= 1);
        if (grade != 0)
            QCOMPARE(learned, grade);
        if (!goal.cells.empty())
            QCOMPARE(learnedGradeChecked(puzzle, &goal), learned);
    }

    // Probing that gives up after a few fruitless probes, then goes on from the cells it
    // decided, reaches the same fixed point as probing to the end at once (the solve does so
    // when it gives up before the search and grades after it).
    void probingResumedReachesTheSameFixedPoint_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::newRow("probing")
            << "#.#....\n..##...\n#...###\n.#.#...\n#.....#\n...##..\n##.#.#.\n#..##.#\n.....#.\n.##.#..\n"
               ".#...##\n....#..\n";
        QTest::newRow("search") << "dom/5-Dom.non";
        QTest::newRow("search, larger") << "dom/7-Dom.non";
    }
    void probingResumedReachesTheSameFixedPoint()
    {
        QFETCH(QString, picture);
        const Puzzle puzzle = picture.endsWith(".non")
            ? zumeli::parseNonText(readFile(QStringLiteral(ZUMELI_SAMPLE_PUZZLES "/") + picture))
            : puzzleFromPicture(CellGrid::fromAscii(picture.toStdString()));
        const SolveResult plain = solve(puzzle);
        QCOMPARE(plain.verdict, Verdict::Unique);
        const auto lineStateOf = [&](const CellGrid& grid) {
            LineState state(positiveRuns(puzzle.rows), positiveRuns(puzzle.columns));
            for (int c = 0; c < state.cellCount(); ++c)
                if (grid.cells[c] != Cell::Unknown)
                    state.set(c, grid.cells[c] == Cell::Filled);
            return state;
        };
        for (const CellGrid* solution : {static_cast<const CellGrid*>(nullptr), &plain.solutions.front()}) {
            LineState whole = lineStateOf(plain.lineGrid);
            RunLimits limits({}, Clock::now());
            const ProbeOutcome expected = probeToFixedPoint(whole, limits, solution);
            QVERIFY(expected == ProbeOutcome::Filled || expected == ProbeOutcome::Open);
            int gaveUp = 0;
            for (const long patience : {1L, 3L, 10L}) {
                LineState part = lineStateOf(plain.lineGrid);
                const ProbeOutcome first = probeToFixedPoint(part, limits, nullptr, patience);
                if (first != ProbeOutcome::GaveUp) {
                    QCOMPARE(part.grid().toAscii(), whole.grid().toAscii());
                    continue;
                }
                ++gaveUp;
                QVERIFY(part.unknownCount() >= whole.unknownCount());
                QCOMPARE(probeFromLineGrid(puzzle, part.grid(), limits, solution), expected);
                LineState resumed = lineStateOf(part.grid());
                probeToFixedPoint(resumed, limits, solution);
                QCOMPARE(resumed.grid().toAscii(), whole.grid().toAscii());
            }
            QVERIFY(gaveUp > 0);
        }
    }

    // The check that replaces the full line solver on lines the simple rules completed.
    void completedLineMatchesItsRuns_data()
    {
        QTest::addColumn<QString>("runs");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("matches");
        QTest::newRow("runs as drawn") << "2,1" << "##..#." << true;
        QTest::newRow("an empty line") << "" << "....." << true;
        QTest::newRow("a full line") << "5" << "#####" << true;
        QTest::newRow("a run too short") << "3,1" << "##..#." << false;
        QTest::newRow("a run too long") << "2,1" << "###.#." << false;
        QTest::newRow("runs joined") << "2,1" << "###..." << false;
        QTest::newRow("a run too many") << "2" << "##..#." << false;
        QTest::newRow("a run missing") << "2,1,1" << "##..#." << false;
        QTest::newRow("filled where none is asked") << "" << "..#.." << false;
        QTest::newRow("runs in the wrong order") << "1,2" << "##..#." << false;
        QTest::newRow("past one word") << "64,1" << QString(64, '#') + ".#" << true;
        QTest::newRow("past one word, a cell short") << "64,1" << "." + QString(63, '#') + ".#" << false;
    }
    void completedLineMatchesItsRuns()
    {
        QFETCH(QString, runs);
        QFETCH(QString, line);
        QFETCH(bool, matches);
        std::vector<int> clue;
        for (const QString& n : runs.split(',', Qt::SkipEmptyParts))
            clue.push_back(n.toInt());
        // One row; each column asks for whatever the row holds there.
        std::vector<std::vector<int>> columns;
        for (const QChar c : line)
            columns.push_back(c == '#' ? std::vector<int>{1} : std::vector<int>{});
        LineState state({clue}, columns);
        for (int i = 0; i < static_cast<int>(line.size()); ++i)
            state.set(i, line[i] == '#');
        QCOMPARE(lineMatchesRuns(state, 0), matches);
        for (int column = 1; column < state.lineCount(); ++column)
            QVERIFY(lineMatchesRuns(state, column));
    }

    void onlyUniquePuzzlesAreGraded()
    {
        const Puzzle two = puzzleFromPicture(CellGrid::fromAscii("#.\n.#\n"));
        const SolveResult result = solve(two);
        QCOMPARE(result.verdict, Verdict::Multiple);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, gradeDifficulty(two, result));
        QCOMPARE(QString(difficultyName(0)), QString());
        QCOMPARE(QString(difficultyName(5)), QString());
    }

    void cancelledGradingGivesNothing()
    {
        std::atomic<bool> cancel{true};
        SolveOptions options;
        options.cancel = &cancel;
        const Puzzle puzzle = puzzleFromPicture(CellGrid::fromAscii("##\n#.\n"));
        QVERIFY(!gradeDifficulty(puzzle, solve(puzzle), options));
    }
};

QTEST_APPLESS_MAIN(DifficultyTest)
#include "test_difficulty.moc"
