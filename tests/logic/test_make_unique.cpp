// makeUnique and generatePuzzle, held against the reference solver: the changed pictures'
// clues really have one solution (line logic alone where asked), only the reported cells
// change, and the same input always gives the same output.
#include "formats/non_format.h"
#include "solve/engine/difficulty.h"
#include "solve/engine/generate.h"
#include "solve/engine/make_unique.h"
#include "solve/engine/split_mix.h"
#include "support/reference_solver.h"

#include <QTest>

#include <algorithm>
#include <atomic>
#include <optional>
#include <tuple>
#include <set>
#include <stdexcept>

using namespace zumeli::solver;
using zumeli::test::referenceLineLogic;
using zumeli::test::referenceSolve;

namespace {

// Nodes the reference search may take on a test picture; every picture here stays far below.
constexpr std::uint64_t kReferenceNodes = 200000;

// A width x height picture of independent cells, filled with the given percent.
CellGrid noise(int width, int height, int percent, std::uint64_t seed)
{
    SplitMix64 random(seed);
    CellGrid grid(width, height, Cell::Empty);
    for (Cell& c : grid.cells)
        c = static_cast<int>(random.below(100)) < percent ? Cell::Filled : Cell::Empty;
    return grid;
}

// A sparse smoothed field: random values blurred once over 3 x 3 cells, the `percent` highest
// filled. Small blobs and specks far apart: line logic starts with nothing decided.
CellGrid sparseField(int width, int height, int percent, std::uint64_t seed)
{
    SplitMix64 random(seed);
    std::vector<std::uint32_t> value(static_cast<std::size_t>(width) * height);
    for (std::uint32_t& v : value)
        v = random.below(1u << 20);
    std::vector<std::pair<std::uint64_t, int>> blurred; // sum over the 3 x 3 box, cell
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint64_t sum = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = std::clamp(x + dx, 0, width - 1);
                    const int ny = std::clamp(y + dy, 0, height - 1);
                    sum += value[static_cast<std::size_t>(ny) * width + nx];
                }
            blurred.emplace_back(sum, y * width + x);
        }
    std::sort(blurred.rbegin(), blurred.rend());
    CellGrid grid(width, height, Cell::Empty);
    for (std::size_t i = 0; i < blurred.size() * static_cast<std::size_t>(percent) / 100; ++i)
        grid.cells[static_cast<std::size_t>(blurred[i].second)] = Cell::Filled;
    return grid;
}

// Checks that the result is done and what it says: same size, Filled/Empty only, `changed`
// exactly the cells that differ from the input (ascending), and the clues of the picture
// unique by the reference search, or solved by its line logic alone when that was asked.
void checkMadeUnique(const CellGrid& input, const MakeUniqueResult& made, bool lineSolvable)
{
    QVERIFY(made.done);
    QVERIFY(!made.cancelled);
    QCOMPARE(made.picture.width, input.width);
    QCOMPARE(made.picture.height, input.height);
    QCOMPARE(made.picture.cells.size(), input.cells.size());
    std::vector<int> differing;
    for (std::size_t i = 0; i < input.cells.size(); ++i) {
        const Cell c = made.picture.cells[i];
        QVERIFY(c == Cell::Filled || c == Cell::Empty);
        if (c != (input.cells[i] == Cell::Filled ? Cell::Filled : Cell::Empty))
            differing.push_back(static_cast<int>(i));
    }
    QCOMPARE(made.changed, differing);
    QCOMPARE(made.verdict, Verdict::Unique);

    const Puzzle clues = puzzleFromPicture(made.picture);
    const auto reference = referenceSolve(clues, kReferenceNodes);
    QCOMPARE(reference.verdict, Verdict::Unique);
    QCOMPARE(reference.solutions.front(), made.picture);
    QCOMPARE(made.lineSolvable, reference.lineSolvable);
    if (lineSolvable) {
        CellGrid grid(clues.width(), clues.height());
        QVERIFY(referenceLineLogic(clues, grid));
        QCOMPARE(grid, made.picture);
    }
}

} // namespace

class TestMakeUnique : public QObject {
    Q_OBJECT

private slots:
    void ambiguousPicturesBecomeUnique_data()
    {
        QTest::addColumn<QByteArray>("ascii");
        QTest::addColumn<bool>("lineSolvable");
        const QByteArray diagonal = "#.\n.#\n";
        const QByteArray switches = "#.#.#.\n.#.#.#\n#.#.#.\n.#.#.#\n#.#.#.\n.#.#.#\n";
        const QByteArray ring = "..####..\n.#....#.\n#..##..#\n#.#..#.#\n#.#..#.#\n#..##..#\n.#....#.\n..####..\n";
        for (const bool line : {false, true}) {
            const char* mode = line ? "line logic" : "unique";
            QTest::addRow("diagonal, %s", mode) << diagonal << line;
            QTest::addRow("checkerboard, %s", mode) << switches << line;
            QTest::addRow("rings, %s", mode) << ring << line;
            for (const int percent : {30, 50, 70}) {
                for (std::uint64_t seed = 1; seed <= 3; ++seed)
                    QTest::addRow("noise 12x10 %d%% seed %d, %s", percent, int(seed), mode)
                        << QByteArray::fromStdString(noise(12, 10, percent, seed).toAscii()) << line;
            }
            QTest::addRow("noise 25x20, %s", mode)
                << QByteArray::fromStdString(noise(25, 20, 50, 99).toAscii()) << line;
        }
    }

    void ambiguousPicturesBecomeUnique()
    {
        QFETCH(QByteArray, ascii);
        QFETCH(bool, lineSolvable);
        const CellGrid input = CellGrid::fromAscii(ascii.toStdString());
        MakeUniqueOptions options;
        options.lineSolvable = lineSolvable;
        std::vector<double> reported;
        options.progress = [&](double f) { reported.push_back(f); };
        const MakeUniqueResult made = makeUnique(input, options);
        checkMadeUnique(input, made, lineSolvable);
        QVERIFY(!reported.empty());
        QCOMPARE(reported.back(), 1.0);
        for (std::size_t i = 0; i < reported.size(); ++i) {
            QVERIFY(reported[i] >= 0 && reported[i] <= 1);
            if (i > 0)
                QVERIFY(reported[i] >= reported[i - 1]);
        }
        // The same picture gives the same answer.
        const MakeUniqueResult again = makeUnique(input, options);
        QCOMPARE(again.picture, made.picture);
        QCOMPARE(again.changed, made.changed);
    }

    void uniqueModeNeverChangesMoreThanLineMode_data()
    {
        QTest::addColumn<QByteArray>("ascii");
        // A smiley whose unique-mode repair once changed 31 cells where the line-logic mode
        // changes 16; a puzzle line logic solves is unique too.
        QTest::newRow("smiley 18x18") << QByteArray("......######......\n"
                                                    "....##......##....\n"
                                                    "...#..........#...\n"
                                                    "..#............#..\n"
                                                    ".#...##....##...#.\n"
                                                    ".#...##....##...#.\n"
                                                    "#................#\n"
                                                    "#................#\n"
                                                    "#................#\n"
                                                    "#..#..........#..#\n"
                                                    "#...#........#...#\n"
                                                    ".#...##....##...#.\n"
                                                    ".#.....####.....#.\n"
                                                    "..#............#..\n"
                                                    "...#..........#...\n"
                                                    "....##......##....\n"
                                                    "......######......\n"
                                                    "..................\n");
        // A smaller one the unique mode gave up on after 24 changes; line logic needs 15.
        QTest::newRow("smiley 15x15") << QByteArray(".....#####.....\n"
                                                    "...##.....##...\n"
                                                    "..#.........#..\n"
                                                    ".#...........#.\n"
                                                    ".#..##...##..#.\n"
                                                    "#...##...##...#\n"
                                                    "#.............#\n"
                                                    "#.............#\n"
                                                    "#..#.......#..#\n"
                                                    "#...#.....#...#\n"
                                                    ".#...#####...#.\n"
                                                    ".#...........#.\n"
                                                    "..#.........#..\n"
                                                    "...##.....##...\n"
                                                    ".....#####.....\n");
        // Sparse noise where the unique mode used to change more cells (9, 5, 6 against 7,
        // 3, 3), and pictures where it changes fewer.
        for (const std::uint64_t seed : {8, 29, 30})
            QTest::addRow("noise 10x10 30%% seed %d", int(seed))
                << QByteArray::fromStdString(noise(10, 10, 30, seed).toAscii());
        QTest::newRow("noise 12x10 50%") << QByteArray::fromStdString(noise(12, 10, 50, 2).toAscii());
        QTest::newRow("sparse field 20x20") << QByteArray::fromStdString(sparseField(20, 20, 35, 4).toAscii());
    }

    void uniqueModeNeverChangesMoreThanLineMode()
    {
        QFETCH(QByteArray, ascii);
        const CellGrid input = CellGrid::fromAscii(ascii.toStdString());
        MakeUniqueOptions line;
        line.lineSolvable = true;
        const MakeUniqueResult lineMade = makeUnique(input, line);
        checkMadeUnique(input, lineMade, true);
        const MakeUniqueResult made = makeUnique(input);
        checkMadeUnique(input, made, false);
        QVERIFY2(made.changed.size() <= lineMade.changed.size(),
                 qPrintable(QStringLiteral("unique mode %1 cells, line logic %2")
                                .arg(made.changed.size())
                                .arg(lineMade.changed.size())));
        const MakeUniqueResult again = makeUnique(input);
        QCOMPARE(again.changed, made.changed);
        QCOMPARE(again.picture, made.picture);
    }

    void sparseFieldsBecomeLineSolvable()
    {
        // Specks and small blobs far apart: line logic needs many changes here, several of
        // them moves that flip all the open cells of a line at once. Every flip must still be
        // reported and counted, and the result be the same on every run. (Line logic alone,
        // so that the reference check stays quick.)
        for (const auto& [width, height, seed] : std::vector<std::tuple<int, int, std::uint64_t>>{
                 {40, 40, 1}, {45, 45, 2}, {50, 40, 3}}) {
            const CellGrid input = sparseField(width, height, 35, seed);
            MakeUniqueOptions options;
            options.lineSolvable = true;
            const MakeUniqueResult made = makeUnique(input, options);
            checkMadeUnique(input, made, true);
            const MakeUniqueResult again = makeUnique(input, options);
            QCOMPARE(again.changed, made.changed);
        }
    }

    void uniquePicturesComeBackUnchanged()
    {
        // Line logic solves this one, so neither mode changes it.
        const CellGrid easy = CellGrid::fromAscii("###\n#..\n#..\n");
        for (const bool line : {false, true}) {
            MakeUniqueOptions options;
            options.lineSolvable = line;
            const MakeUniqueResult made = makeUnique(easy, options);
            QVERIFY(made.done);
            QVERIFY(made.changed.empty());
            QCOMPARE(made.picture, easy);
            QVERIFY(made.lineSolvable);
        }
        // Pictures with one solution that only a search finds stay as they are in unique mode,
        // and in line-logic mode become line-solvable.
        int found = 0;
        for (std::uint64_t seed = 1; seed < 400 && found < 3; ++seed) {
            const CellGrid p = noise(9, 9, 55, seed);
            const auto reference = referenceSolve(puzzleFromPicture(p), kReferenceNodes);
            if (reference.verdict != Verdict::Unique || reference.lineSolvable)
                continue;
            ++found;
            const MakeUniqueResult kept = makeUnique(p);
            QVERIFY(kept.done);
            QVERIFY(kept.changed.empty());
            QCOMPARE(kept.picture, p);
            QVERIFY(!kept.lineSolvable);
            MakeUniqueOptions line;
            line.lineSolvable = true;
            const MakeUniqueResult made = makeUnique(p, line);
            checkMadeUnique(p, made, true);
            QVERIFY(!made.changed.empty());
        }
        QCOMPARE(found, 3);
    }

    void givingUpIsReportedHonestly()
    {
        // Sparse noise is the hard case: whether or not a run succeeds, what it reports must
        // hold, and a run that gives up must not claim one solution.
        for (const bool line : {false, true}) {
            for (std::uint64_t seed = 1; seed <= 3; ++seed) {
                const CellGrid input = noise(30, 30, 30, seed);
                MakeUniqueOptions options;
                options.lineSolvable = line;
                const MakeUniqueResult made = makeUnique(input, options);
                if (made.done) {
                    checkMadeUnique(input, made, line);
                    continue;
                }
                QVERIFY(!made.cancelled);
                QCOMPARE(made.picture.width, 30);
                QCOMPARE(made.picture.height, 30);
                std::vector<int> differing;
                for (std::size_t i = 0; i < input.cells.size(); ++i)
                    if (made.picture.cells[i] != input.cells[i])
                        differing.push_back(static_cast<int>(i));
                QCOMPARE(made.changed, differing);
                QVERIFY(made.changed.size() <= 90);
                if (line)
                    QVERIFY(!made.lineSolvable);
                else
                    QVERIFY(made.verdict != Verdict::Unique);
            }
        }
    }

    void unknownCellsCountAsEmpty()
    {
        const CellGrid withUnknown = CellGrid::fromAscii("##?\n#??\n");
        const MakeUniqueResult made = makeUnique(withUnknown);
        QVERIFY(made.done);
        QVERIFY(made.changed.empty());
        QCOMPARE(made.picture, CellGrid::fromAscii("##.\n#..\n"));
    }

    void degeneratePictures()
    {
        for (const char* ascii : {"#", ".", "#.#.#", "#\n.\n#\n", "....\n....\n"}) {
            const CellGrid p = CellGrid::fromAscii(ascii);
            const MakeUniqueResult made = makeUnique(p);
            QVERIFY2(made.done, ascii);
            QVERIFY2(made.changed.empty(), ascii);
        }
        const MakeUniqueResult none = makeUnique(CellGrid());
        QVERIFY(none.done);
        QCOMPARE(none.picture.cells.size(), std::size_t(0));
    }

    void cancelStopsTheRun()
    {
        const CellGrid p = noise(40, 40, 50, 5);
        std::atomic<bool> cancel{true};
        MakeUniqueOptions options;
        options.cancel = &cancel;
        for (const bool line : {false, true}) {
            options.lineSolvable = line;
            const MakeUniqueResult made = makeUnique(p, options);
            QVERIFY(made.cancelled);
            QVERIFY(!made.done);
            QCOMPARE(made.verdict, Verdict::Stopped);
            QCOMPARE(made.picture.width, 40);
            QCOMPARE(made.picture.height, 40);
        }
        // Cancelled from the progress report, part way through.
        std::atomic<bool> later{false};
        options.cancel = &later;
        options.lineSolvable = true;
        int reports = 0;
        options.progress = [&](double) {
            if (++reports == 2)
                later = true;
        };
        const MakeUniqueResult stopped = makeUnique(p, options);
        QVERIFY(stopped.cancelled);
        QVERIFY(!stopped.done);
        QCOMPARE(reports, 2);
    }

    void generatedPuzzlesAreUniqueAndReproducible_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("lineSolvable");
        for (const bool line : {false, true}) {
            QTest::addRow("1x1 %d", line) << 1 << 1 << line;
            QTest::addRow("7x1 %d", line) << 7 << 1 << line;
            QTest::addRow("5x5 %d", line) << 5 << 5 << line;
            QTest::addRow("15x15 %d", line) << 15 << 15 << line;
            QTest::addRow("20x12 %d", line) << 20 << 12 << line;
        }
    }

    void generatedPuzzlesAreUniqueAndReproducible()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, lineSolvable);
        std::set<std::string> distinct;
        for (std::uint64_t seed : {1ull, 2ull, 3ull, 18446744073709551615ull}) {
            GenerateOptions options;
            options.width = width;
            options.height = height;
            options.seed = seed;
            options.lineSolvable = lineSolvable;
            const GenerateResult made = generatePuzzle(options);
            QVERIFY(made.done);
            QCOMPARE(made.picture.width, width);
            QCOMPARE(made.picture.height, height);
            QCOMPARE(made.puzzle.width(), width);
            QCOMPARE(made.puzzle.height(), height);
            QVERIFY(satisfiesClues(made.puzzle, made.picture));
            QCOMPARE(CellGrid::fromGoal(made.puzzle), made.picture);
            const auto reference = referenceSolve(made.puzzle, kReferenceNodes);
            QCOMPARE(reference.verdict, Verdict::Unique);
            if (lineSolvable)
                QVERIFY(reference.lineSolvable);
            const std::string bytes = zumeli::nonText(made.puzzle);
            QCOMPARE(zumeli::nonText(generatePuzzle(options).puzzle), bytes);
            distinct.insert(bytes);
        }
        // Different seeds give different puzzles (tiny sizes have next to no choice).
        if (width * height >= 25)
            QCOMPARE(distinct.size(), std::size_t(4));
    }

    void generatedPuzzlesHaveTheGradeAskedFor_data()
    {
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("side");
        QTest::addColumn<quint64>("seed");
        for (const quint64 seed : {1ull, 2ull}) {
            QTest::addRow("simple-lines 10x10 seed %d", int(seed)) << 1 << 10 << seed;
            QTest::addRow("lines 10x10 seed %d", int(seed)) << 2 << 10 << seed;
            QTest::addRow("probing 12x12 seed %d", int(seed)) << 3 << 12 << seed;
            QTest::addRow("search 15x15 seed %d", int(seed)) << 4 << 15 << seed;
        }
    }

    void generatedPuzzlesHaveTheGradeAskedFor()
    {
        QFETCH(int, grade);
        QFETCH(int, side);
        QFETCH(quint64, seed);
        GenerateOptions options;
        options.width = side;
        options.height = side;
        options.seed = seed;
        options.difficulty = grade;
        const GenerateResult made = generatePuzzle(options);
        QVERIFY(made.done);
        QCOMPARE(made.difficulty, grade);
        QVERIFY(made.pictures >= 1);
        QCOMPARE(CellGrid::fromGoal(made.puzzle), made.picture);
        // Graded again from the clues alone, and held against the reference solver: one
        // solution, found by line logic exactly for the two line grades.
        const Puzzle clues = puzzleFromPicture(made.picture);
        const SolveResult solved = solve(clues);
        const std::optional<Difficulty> graded = gradeDifficulty(clues, solved);
        QVERIFY(graded);
        QCOMPARE(graded->grade, grade);
        const auto reference = referenceSolve(clues, kReferenceNodes);
        QCOMPARE(reference.verdict, Verdict::Unique);
        QCOMPARE(reference.solutions.front(), made.picture);
        QCOMPARE(reference.lineSolvable, grade <= 2);
        // The same seed gives the same puzzle.
        QCOMPARE(zumeli::nonText(generatePuzzle(options).puzzle), zumeli::nonText(made.puzzle));
    }

    void generateRefusesUnknownGrades()
    {
        for (const int grade : {-1, 5}) {
            GenerateOptions options;
            options.difficulty = grade;
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, generatePuzzle(options));
        }
        // A 2 x 2 picture never needs a search: the generator says so instead of trying forever.
        GenerateOptions tiny;
        tiny.width = 2;
        tiny.height = 2;
        tiny.difficulty = 4;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, generatePuzzle(tiny));
    }

    void generatedPicturesAreNotNoise()
    {
        // Smoothed fields: most cells share their colour with the cell to their right.
        GenerateOptions options;
        options.width = 30;
        options.height = 30;
        const GenerateResult made = generatePuzzle(options);
        int same = 0;
        int filled = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                filled += made.picture.at(x, y) == Cell::Filled;
                if (x + 1 < 30)
                    same += made.picture.at(x, y) == made.picture.at(x + 1, y);
            }
        QVERIFY2(same > 30 * 29 * 3 / 4, qPrintable(QString::number(same)));
        QVERIFY(filled > 900 * 35 / 100 && filled < 900 * 75 / 100);
    }

    void generateRefusesBadSizes()
    {
        for (const auto& [w, h] : std::vector<std::pair<int, int>>{{0, 5}, {5, 0}, {101, 5}, {5, 101}, {-1, -1}}) {
            GenerateOptions options;
            options.width = w;
            options.height = h;
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, generatePuzzle(options));
        }
    }
};

QTEST_APPLESS_MAIN(TestMakeUnique)
#include "test_make_unique.moc"
