// The picture-puzzle collection: the level rule, the index format, the lookup of the installed
// or build-tree folder, the picture pipeline that makes the puzzles, and the committed
// collection itself held against the reference solver.
#include "author/collection_maker.h"
#include "files/collection.h"
#include "formats/collection_index.h"
#include "solve/engine/difficulty.h"
#include "support/reference_solver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <set>

using namespace zumeli;
using zumeli::test::referenceSolve;

namespace {

const QString kSourceCollection = QStringLiteral(ZUMELI_SOURCE_DIR "/collection");

// Nodes the reference search may take on one collection puzzle: line logic solves most
// outright, the 達人 ones need a short search.
constexpr std::uint64_t kReferenceNodes = 2'000'000;

bool holdsUnknown(const solver::CellGrid& grid)
{
    return std::find(grid.cells.begin(), grid.cells.end(), solver::Cell::Unknown) != grid.cells.end();
}

// Line logic with the reference line solver, from the lines marked dirty: a line is solved
// again only when a cell of it changed. Returns false on a contradiction.
bool propagateLines(const solver::Puzzle& puzzle, solver::CellGrid& grid, std::vector<bool> rowDirty,
                    std::vector<bool> columnDirty)
{
    const int width = grid.width, height = grid.height;
    for (bool any = true; any;) {
        any = false;
        for (int pass = 0; pass < 2; ++pass) {
            const bool rows = pass == 0;
            std::vector<bool>& dirty = rows ? rowDirty : columnDirty;
            for (int i = 0; i < static_cast<int>(dirty.size()); ++i) {
                if (!dirty[i])
                    continue;
                dirty[i] = false;
                const int length = rows ? width : height;
                std::vector<solver::Cell> line(static_cast<std::size_t>(length));
                for (int k = 0; k < length; ++k)
                    line[k] = rows ? grid.at(k, i) : grid.at(i, k);
                const std::vector<solver::Cell> old = line;
                if (!zumeli::test::referenceSolveLine(rows ? puzzle.rows[i] : puzzle.columns[i], line))
                    return false;
                for (int k = 0; k < length; ++k) {
                    if (line[k] == old[k])
                        continue;
                    (rows ? grid.at(k, i) : grid.at(i, k)) = line[k];
                    (rows ? columnDirty : rowDirty)[k] = true;
                    any = true;
                }
            }
        }
    }
    return true;
}

// Solves by the reference line logic and probing alone: a cell one of whose values makes line
// logic meet a contradiction takes the other, until nothing changes. Each step is forced, so a
// grid filled this way is the clues' only solution, found without search. Returns the grid as
// far as it got (all Unknown when the clues contradict).
solver::CellGrid referenceProbingSolve(const solver::Puzzle& puzzle)
{
    using solver::Cell;
    const int width = puzzle.width(), height = puzzle.height();
    const solver::CellGrid nothing(width, height);
    solver::CellGrid grid(width, height);
    if (!propagateLines(puzzle, grid, std::vector<bool>(height, true), std::vector<bool>(width, true)))
        return nothing;
    const auto around = [&](std::size_t i, std::vector<bool>& rows, std::vector<bool>& columns) {
        rows.assign(height, false);
        columns.assign(width, false);
        rows[i / width] = true;
        columns[i % width] = true;
    };
    std::vector<bool> rows, columns;
    for (bool progress = true; progress && holdsUnknown(grid);) {
        progress = false;
        for (std::size_t i = 0; i < grid.cells.size(); ++i) {
            if (grid.cells[i] != Cell::Unknown)
                continue;
            for (const Cell value : {Cell::Filled, Cell::Empty}) {
                solver::CellGrid trial = grid;
                trial.cells[i] = value;
                around(i, rows, columns);
                if (propagateLines(puzzle, trial, rows, columns))
                    continue;
                grid.cells[i] = value == Cell::Filled ? Cell::Empty : Cell::Filled;
                around(i, rows, columns);
                if (!propagateLines(puzzle, grid, rows, columns))
                    return nothing;
                progress = true;
                break;
            }
        }
    }
    return grid;
}

void writeText(const QString& path, const std::string& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

} // namespace

class CollectionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void levelFollowsGradeAndSize_data();
    void levelFollowsGradeAndSize();
    void indexTextReadsBack();
    void indexRefusesBadLines_data();
    void indexRefusesBadLines();
    void lookupTakesFirstFolderWithIndex();
    void buildTreeLookupFindsCollection();
    void loadRefusesPuzzleOfOtherSize();
    void squaringKeepsPictureCentred();
    void pipelineMakesUniquePuzzleOfPicture();
    void indexAndFilesAgree();
    void everyPuzzleUniqueAndOfItsLevel();
};

void CollectionTest::levelFollowsGradeAndSize_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("level");
    QTest::newRow("small simple lines: 入門") << 1 << 10 << 1;
    QTest::newRow("small full line logic: 初級") << 2 << 5 << 2;
    QTest::newRow("20 simple lines: 初級") << 1 << 20 << 2;
    QTest::newRow("20 full line logic: 中級") << 2 << 20 << 3;
    QTest::newRow("30 simple lines: 中級") << 1 << 30 << 3;
    QTest::newRow("30 full line logic: 上級") << 2 << 30 << 4;
    QTest::newRow("50 simple lines: 上級") << 1 << 50 << 4;
    QTest::newRow("50 full line logic stays 上級") << 2 << 50 << 4;
    QTest::newRow("probing, small: 達人") << 3 << 10 << 5;
    QTest::newRow("probing, large: 達人") << 3 << 50 << 5;
    QTest::newRow("search: not taken") << 4 << 20 << 0;
    QTest::newRow("no grade: not taken") << 0 << 20 << 0;
}

void CollectionTest::levelFollowsGradeAndSize()
{
    QFETCH(int, grade);
    QFETCH(int, side);
    QFETCH(int, level);
    QCOMPARE(collectionLevel(grade, side, side), level);
}

void CollectionTest::indexTextReadsBack()
{
    const std::vector<CollectionEntry> entries{
        {"star-5.zml", 1, 5, 5, 1, "星", "tango-icon-theme:/usr/share/icons/Tango/scalable/emblems/emblem-favorite.svg"},
        {"bus-40.zml", 5, 40, 40, 3, "バス", "openclipart-png:/usr/share/openclipart/png/x.png"},
    };
    const std::string text = collectionIndexText(entries);
    QVERIFY(text.starts_with("zumeli-collection 1\n"));
    QCOMPARE(parseCollectionIndex(text), entries);
    // CR LF, a byte-order mark, comments and blank lines are read as well.
    std::string edited = "\xEF\xBB\xBFzumeli-collection 1\r\n# comment\r\n\r\n";
    edited += "star-5.zml\t1\t5x5\t1\t星\tsrc\r\n";
    QCOMPARE(parseCollectionIndex(edited).size(), std::size_t{1});
    QCOMPARE(parseCollectionIndex(edited)[0].title, std::string("星"));
}

void CollectionTest::indexRefusesBadLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("lineNumber");
    QTest::addColumn<QString>("fault");
    QTest::newRow("five fields") << "a.zml\t1\t5x5\t1\t星" << 2 << "expected 6 fields";
    QTest::newRow("folder in the name") << "../a.zml\t1\t5x5\t1\t星\ts" << 2 << "plain name";
    QTest::newRow("size without x") << "a.zml\t1\t5\t1\t星\ts" << 2 << "WxH";
    QTest::newRow("side below 5") << "a.zml\t1\t4x4\t1\t星\ts" << 2 << "5..50";
    QTest::newRow("side above 50") << "a.zml\t4\t51x51\t1\t星\ts" << 2 << "5..50";
    QTest::newRow("level out of range") << "a.zml\t6\t5x5\t1\t星\ts" << 2 << "1..5";
    QTest::newRow("level against the rule") << "a.zml\t2\t5x5\t1\t星\ts" << 2 << "does not follow";
    QTest::newRow("search grade") << "a.zml\t5\t5x5\t4\t星\ts" << 2 << "does not follow";
    QTest::newRow("no title") << "a.zml\t1\t5x5\t1\t\ts" << 2 << "title";
    QTest::newRow("not a number") << "a.zml\tone\t5x5\t1\t星\ts" << 2 << "bad level";
    QTest::newRow("file twice") << "a.zml\t1\t5x5\t1\t星\ts\na.zml\t1\t5x5\t1\t星\ts" << 3 << "named twice";
}

void CollectionTest::indexRefusesBadLines()
{
    QFETCH(QString, line);
    QFETCH(int, lineNumber);
    QFETCH(QString, fault);
    const std::string text = "zumeli-collection 1\n" + line.toStdString() + "\n";
    try {
        parseCollectionIndex(text);
        QFAIL("the index was read");
    } catch (const FileFormatError& e) {
        const QString message = QString::fromUtf8(e.what());
        QVERIFY2(message.contains(fault), e.what());
        QVERIFY2(message.contains(QStringLiteral("line %1:").arg(lineNumber)), e.what());
    }
    QVERIFY_THROWS_EXCEPTION(FileFormatError, parseCollectionIndex("a.zml\t1\t5x5\t1\t星\ts\n"));
}

void CollectionTest::lookupTakesFirstFolderWithIndex()
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty"));
    const QString first = dir.filePath(QStringLiteral("first"));
    const QString second = dir.filePath(QStringLiteral("second"));
    for (const QString& folder : {empty, first, second})
        QVERIFY(QDir().mkpath(folder));
    writeText(first + QStringLiteral("/index.txt"), "zumeli-collection 1\n");
    writeText(second + QStringLiteral("/index.txt"), "zumeli-collection 1\n");
    QCOMPARE(findCollectionFolder({empty, first, second}), first);
    QCOMPARE(findCollectionFolder({empty, dir.filePath(QStringLiteral("missing"))}), QString());
}

void CollectionTest::buildTreeLookupFindsCollection()
{
    // Uninstalled (the test's data folders are Qt's test folders, nothing lies beside the
    // program), the collection of the source tree is found, and read whole.
    const QStringList candidates = collectionFolderCandidates();
    QCOMPARE(candidates.last(), kSourceCollection);
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
        QVERIFY(candidates.contains(QDir::cleanPath(data + QStringLiteral("/collection"))));
    QCOMPARE(QDir(findCollectionFolder()).canonicalPath(), QDir(kSourceCollection).canonicalPath());
    QVERIFY(loadCollection(findCollectionFolder()).size() >= 150);
}

void CollectionTest::loadRefusesPuzzleOfOtherSize()
{
    QTemporaryDir dir;
    writeText(dir.filePath(QStringLiteral("index.txt")), "zumeli-collection 1\na.zml\t1\t6x5\t1\t星\ts\n");
    writeText(dir.filePath(QStringLiteral("a.zml")), "1,5,5\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n");
    QVERIFY_THROWS_EXCEPTION(FileFormatError, loadCollection(dir.path()));
    writeText(dir.filePath(QStringLiteral("index.txt")), "zumeli-collection 1\na.zml\t1\t5x5\t1\t星\ts\n");
    QCOMPARE(loadCollection(dir.path()).size(), std::size_t{1});
}

void CollectionTest::squaringKeepsPictureCentred()
{
    // A 30 x 10 black bar on a transparent 100 x 100 picture becomes a 30 x 30 square with
    // the bar in its middle rows.
    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(QRect(20, 50, 30, 10), Qt::black);
    const QImage square = squareAroundContent(image);
    QCOMPARE(square.size(), QSize(30, 30));
    QCOMPARE(qAlpha(square.pixel(0, 9)), 0);
    QCOMPARE(square.pixel(0, 10), QColor(Qt::black).rgba());
    QCOMPARE(square.pixel(29, 19), QColor(Qt::black).rgba());
    QCOMPARE(qAlpha(square.pixel(29, 20)), 0);
}

void CollectionTest::pipelineMakesUniquePuzzleOfPicture()
{
    // A ring: its thresholded picture at 10 x 10 has several solutions (it is symmetric), the
    // repaired one exactly one, found by line logic; the same image gives the same puzzle.
    QImage image(200, 200, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 40));
        painter.drawEllipse(QRect(30, 30, 140, 140));
    }
    const std::optional<CollectionPicture> made = makeCollectionPicture(image, 10, CollectionAim::Lines);
    QVERIFY(made);
    QCOMPARE(made->picture.width, 10);
    QCOMPARE(made->picture.height, 10);
    const solver::Puzzle puzzle = solver::puzzleFromPicture(made->picture);
    const auto reference = referenceSolve(puzzle, kReferenceNodes);
    QCOMPARE(reference.verdict, solver::Verdict::Unique);
    QVERIFY(reference.lineSolvable);
    QCOMPARE(reference.solutions.front(), made->picture);
    QVERIFY(made->grade == 1 || made->grade == 2);
    QCOMPARE(makeCollectionPicture(image, 10, CollectionAim::Lines)->picture, made->picture);
    // A blank picture gives no puzzle.
    QImage blank(50, 50, QImage::Format_ARGB32);
    blank.fill(Qt::white);
    QVERIFY(!makeCollectionPicture(blank, 10, CollectionAim::Lines));
}

void CollectionTest::indexAndFilesAgree()
{
    const std::vector<CollectionPuzzle> puzzles = loadCollection(kSourceCollection);
    QVERIFY2(puzzles.size() >= 150, qPrintable(QString::number(puzzles.size())));
    std::set<QString> listed;
    std::set<int> levels, sides;
    for (const CollectionPuzzle& p : puzzles) {
        listed.insert(QString::fromStdString(p.entry.file));
        levels.insert(p.entry.level);
        sides.insert(p.entry.width);
        sides.insert(p.entry.height);
        QVERIFY(!p.entry.source.empty());
    }
    const QStringList files = QDir(kSourceCollection).entryList({QStringLiteral("*.zml")}, QDir::Files);
    QCOMPARE(static_cast<std::size_t>(files.size()), puzzles.size());
    for (const QString& file : files)
        QVERIFY2(listed.count(file), qPrintable(file + " is not in the index"));
    QCOMPARE(levels, (std::set<int>{1, 2, 3, 4, 5}));
    QCOMPARE(*sides.begin(), kCollectionMinSide);
    QCOMPARE(*sides.rbegin(), kCollectionMaxSide);
    // Every puzzle's source is named in the attribution beside it.
    QFile attribution(kSourceCollection + QStringLiteral("/ATTRIBUTION.txt"));
    QVERIFY(attribution.open(QIODevice::ReadOnly));
    const QString credits = QString::fromUtf8(attribution.readAll());
    for (const CollectionPuzzle& p : puzzles) {
        const std::string source = p.entry.source.substr(p.entry.source.find(':') + 1);
        QVERIFY2(credits.contains(QString::fromStdString(p.entry.file + "\t")), p.entry.file.c_str());
        QVERIFY2(credits.contains(QString::fromStdString(source)), source.c_str());
    }
}

void CollectionTest::everyPuzzleUniqueAndOfItsLevel()
{
    // The reference solver decides each puzzle on its own: below 達人 its line logic alone
    // fills the one solution; a 達人 puzzle its line logic with probing fills (its
    // backtracking search, which tries the first open cell, takes far too long on those).
    // Either way the solution is forced, so it is the only one and needs no search. The
    // engine finds the same solution and grades it as the index says.
    QElapsedTimer timer;
    timer.start();
    for (const CollectionPuzzle& p : loadCollection(kSourceCollection)) {
        const char* name = p.entry.file.c_str();
        solver::CellGrid solution;
        if (p.entry.level < kCollectionLevels) {
            const auto reference = referenceSolve(p.puzzle, kReferenceNodes);
            QVERIFY2(reference.verdict == solver::Verdict::Unique && reference.lineSolvable, name);
            solution = reference.solutions.front();
        } else {
            solution = referenceProbingSolve(p.puzzle);
            QVERIFY2(!holdsUnknown(solution), name);
        }
        const solver::SolveResult engine = solver::solve(p.puzzle);
        QVERIFY2(engine.verdict == solver::Verdict::Unique && engine.solutions.front() == solution, name);
        const std::optional<solver::Difficulty> grade = solver::gradeDifficulty(p.puzzle, engine);
        QVERIFY2(grade && grade->grade == p.entry.grade, name);
        QVERIFY2(grade->grade <= 3, name);
        // The grade the solve learns on the way, and the one computed after it from scratch.
        solver::SolveOptions learning;
        learning.learnDifficulty = true;
        const solver::SolveResult learned = solver::solve(p.puzzle, learning);
        QVERIFY2(learned.verdict == solver::Verdict::Unique && learned.solutions.front() == solution, name);
        QVERIFY2(learned.lineGrid == engine.lineGrid && learned.lineSolvable == engine.lineSolvable, name);
        QVERIFY2(learned.difficulty == p.entry.grade, name);
        solver::SolveResult graded = engine;
        graded.difficulty = 0;
        const std::optional<solver::Difficulty> after = solver::gradeDifficulty(p.puzzle, graded);
        QVERIFY2(after && after->grade == p.entry.grade, name);
    }
    qInfo("collection decided in %lld ms", static_cast<long long>(timer.elapsed()));
}

QTEST_GUILESS_MAIN(CollectionTest)
#include "test_collection.moc"
