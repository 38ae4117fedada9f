// Tests of the player's help: the hint against independent line logic on random boards, its
// answers on contradictory or unusable clues and marks, the mistakes against the one solution
// and the finished lines.
#include "solve/hint.h"

#include "formats/board_clues.h"
#include "support/ascii_board.h"
#include "support/reference_solver.h"

#include <QTest>

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

using namespace zumeli;
using solver::Cell;
using solver::CellGrid;
using test::drawAnswer;
using test::setColumnClues;
using test::setRowClues;

namespace {

// A board with the clues of `picture` and an empty answer area.
BoardModel boardFor(const CellGrid& picture)
{
    return boardFromPuzzle(solver::puzzleFromPicture(picture));
}

// A side x side picture with exactly one filled cell in each row and column.
CellGrid permutationPicture(std::mt19937& random, int side)
{
    std::vector<int> columns(side);
    for (int i = 0; i < side; ++i)
        columns[i] = i;
    std::shuffle(columns.begin(), columns.end(), random);
    CellGrid picture(side, side, Cell::Empty);
    for (int y = 0; y < side; ++y)
        picture.at(columns[y], y) = Cell::Filled;
    return picture;
}

// A random picture with about `filledPercent` of its cells filled; by default a share
// between 1/3 and 5/7, as pictures to solve have.
CellGrid randomPicture(std::mt19937& random, int width, int height, unsigned filledPercent = 0)
{
    if (filledPercent == 0)
        filledPercent = 33 + random() % 39;
    CellGrid picture(width, height);
    for (Cell& c : picture.cells)
        c = random() % 100 < filledPercent ? Cell::Filled : Cell::Empty;
    return picture;
}

// The marks of the board's answer area as the solver's cells: filled, crossed, unknown.
CellGrid marksOf(const BoardModel& model)
{
    CellGrid marks(model.answerWidth(), model.answerHeight());
    for (int y = 0; y < marks.height; ++y)
        for (int x = 0; x < marks.width; ++x) {
            const int16 v = model.board(model.clueSize + x, model.clueSize + y);
            marks.at(x, y) = v == kFilled ? Cell::Filled : v == kCross ? Cell::Empty : Cell::Unknown;
        }
    return marks;
}

// The answer cells of a board line as the solver's cells, and the board cell at a position.
std::vector<Cell> lineOf(const CellGrid& marks, const BoardModel& model, BoardLine line)
{
    std::vector<Cell> cells;
    const int along = line.index - model.clueSize;
    for (int i = 0; i < answerLength(model, line); ++i)
        cells.push_back(line.kind == BoardLine::Row ? marks.at(i, along) : marks.at(along, i));
    return cells;
}

BoardPoint pointOf(const BoardModel& model, BoardLine line, int i)
{
    const int16 a = toInt16(model.clueSize + i);
    return line.kind == BoardLine::Row ? BoardPoint{a, line.index} : BoardPoint{line.index, a};
}

std::vector<int> runsOf(const BoardModel& model, BoardLine line)
{
    const std::vector<int16> numbers = clueNumbers(model, line);
    return std::vector<int>(numbers.begin(), numbers.end());
}

// What the reference line logic decides on one line alone from the marks: the cells to fill
// and to cross, or false when the line cannot hold its marks.
bool referenceLineHint(const BoardModel& model, const CellGrid& marks, BoardLine line,
                       std::vector<BoardPoint>& fill, std::vector<BoardPoint>& cross)
{
    const std::vector<Cell> before = lineOf(marks, model, line);
    std::vector<Cell> after = before;
    if (!test::referenceSolveLine(runsOf(model, line), after))
        return false;
    fill.clear();
    cross.clear();
    for (std::size_t i = 0; i < after.size(); ++i)
        if (before[i] == Cell::Unknown && after[i] != Cell::Unknown)
            (after[i] == Cell::Filled ? fill : cross).push_back(pointOf(model, line, static_cast<int>(i)));
    return true;
}

bool samePoints(std::vector<BoardPoint> a, std::vector<BoardPoint> b)
{
    auto order = [](const BoardPoint& p, const BoardPoint& q) { return std::pair(p.y, p.x) < std::pair(q.y, q.x); };
    std::sort(a.begin(), a.end(), order);
    std::sort(b.begin(), b.end(), order);
    return a == b;
}

} // namespace

class TestHint : public QObject {
    Q_OBJECT

private slots:
    // On random boards with random marks (mostly right, some wrong), the hint is exactly what
    // one line decides on its own (the line deciding the most, the first of equals), every
    // cell it reveals is one the reference line logic over the whole board decides the same
    // way, and it reports a contradiction exactly when that line logic meets one.
    void hintAgreesWithIndependentLineLogic()
    {
        std::mt19937 random(20261207);
        int cellsHints = 0, contradictions = 0, stuck = 0;
        for (int round = 0; round < 1500; ++round) {
            const int side = 2 + random() % 8;
            // Now and then one filled cell in every row and column, on which line logic is
            // stuck until enough is marked.
            const CellGrid picture = round % 5 == 0 ? permutationPicture(random, side)
                                                    : randomPicture(random, side, 2 + random() % 8);
            const int width = picture.width;
            const int height = picture.height;
            BoardModel model = boardFor(picture);
            const int markShare = random() % 4;   // 0: no marks, up to most cells marked
            const bool withWrongMarks = random() % 3 == 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    if (random() % 4 >= static_cast<unsigned>(markShare))
                        continue;
                    bool filled = picture.at(x, y) == Cell::Filled;
                    if (withWrongMarks && random() % 6 == 0)
                        filled = !filled;
                    model.board(model.clueSize + x, model.clueSize + y) = filled ? kFilled : kCross;
                }
            const Hint hint = findHint(model);
            const CellGrid marks = marksOf(model);
            CellGrid fixpoint = marks;
            const bool consistent = test::referenceLineLogic(solver::puzzleFromPicture(picture), fixpoint);
            const QByteArray where = QByteArray::number(round);

            if (picture.cells == std::vector<Cell>(picture.cells.size(), Cell::Empty)) {
                QVERIFY2(hint.kind == Hint::Kind::NoClues, where);  // not one clue number
                continue;
            }
            bool finished = true;
            for (const BoardLine line : answerLines(model))
                finished = finished && runsOfLine(model, line) == clueNumbers(model, line);
            if (finished) {
                QVERIFY2(hint.kind == Hint::Kind::Finished, where);
                continue;
            }
            if (!consistent) {
                // The clues come from a picture, so only the marks can be wrong.
                QVERIFY2(hint.kind == Hint::Kind::MarksContradict, where);
                ++contradictions;
                if (hint.line) {
                    std::vector<BoardPoint> fill, cross;
                    QVERIFY2(!referenceLineHint(model, marks, *hint.line, fill, cross), where);
                }
                continue;
            }
            QVERIFY2(hint.kind == Hint::Kind::Cells || hint.kind == Hint::Kind::NeedsSearch, where);
            std::size_t most = 0;
            std::optional<BoardLine> first;
            for (const BoardLine line : answerLines(model)) {
                std::vector<BoardPoint> fill, cross;
                QVERIFY2(referenceLineHint(model, marks, line, fill, cross), where);
                if (fill.size() + cross.size() > most) {
                    most = fill.size() + cross.size();
                    first = line;
                }
                if (hint.line && line == *hint.line) {
                    QVERIFY2(samePoints(fill, hint.toFill), where);
                    QVERIFY2(samePoints(cross, hint.toCross), where);
                }
            }
            if (most == 0) {
                QVERIFY2(hint.kind == Hint::Kind::NeedsSearch && !hint.line, where);
                ++stuck;
                continue;
            }
            QVERIFY2(hint.kind == Hint::Kind::Cells && hint.line == first, where);
            ++cellsHints;
            for (const BoardPoint& p : hint.toFill)
                QVERIFY2(fixpoint.at(p.x - model.clueSize, p.y - model.clueSize) == Cell::Filled, where);
            for (const BoardPoint& p : hint.toCross)
                QVERIFY2(fixpoint.at(p.x - model.clueSize, p.y - model.clueSize) == Cell::Empty, where);
            for (const BoardPoint& p : hint.toFill)
                QCOMPARE(model.board(p.x, p.y), int16(kEmpty));
            for (const BoardPoint& p : hint.toCross)
                QCOMPARE(model.board(p.x, p.y), int16(kEmpty));
        }
        // Every kind of answer was met often enough to mean something.
        QVERIFY(cellsHints > 300);
        QVERIFY(contradictions > 50);
        QVERIFY(stuck > 30);
    }

    // Following the hints one after the other never marks a cell against the picture the
    // clues came from (line logic holds in every solution), and solves every puzzle that line
    // logic alone solves.
    void followingTheHintsSolvesLineSolvablePuzzles()
    {
        std::mt19937 random(7);
        int solved = 0;
        for (int round = 0; round < 150; ++round) {
            const CellGrid picture = randomPicture(random, 4 + random() % 9, 4 + random() % 9);
            BoardModel model = boardFor(picture);
            const bool lineSolvable =
                test::referenceSolve(solver::puzzleFromPicture(picture)).lineSolvable;
            Hint hint = findHint(model);
            for (int hints = 0; hint.kind == Hint::Kind::Cells; hint = findHint(model)) {
                QVERIFY(++hints <= picture.width * picture.height);
                for (const BoardPoint& p : hint.toFill) {
                    QCOMPARE(picture.at(p.x - model.clueSize, p.y - model.clueSize), Cell::Filled);
                    model.board(p.x, p.y) = kFilled;
                }
                for (const BoardPoint& p : hint.toCross) {
                    QCOMPARE(picture.at(p.x - model.clueSize, p.y - model.clueSize), Cell::Empty);
                    model.board(p.x, p.y) = kCross;
                }
            }
            if (lineSolvable) {
                QCOMPARE(hint.kind, Hint::Kind::Finished);
                QCOMPARE(pictureFromBoard(model), picture);
                ++solved;
            } else {
                QVERIFY(hint.kind == Hint::Kind::Finished || hint.kind == Hint::Kind::NeedsSearch);
            }
        }
        QVERIFY(solved > 30);
    }

    void contradictionsAreReportedNotHinted()
    {
        // One line alone cannot hold its marks: that line is named.
        BoardModel model = boardFor(CellGrid::fromAscii("##..\n...#\n"));
        drawAnswer(model, {"#..#", "...."});
        Hint hint = findHint(model);
        QCOMPARE(hint.kind, Hint::Kind::MarksContradict);
        QVERIFY(hint.line == (BoardLine{BoardLine::Row, 1}));
        QVERIFY(hint.toFill.empty() && hint.toCross.empty());

        // A cross where the clue leaves no room: every line holds its marks on its own, but
        // line logic over the board meets a contradiction. No line is named.
        BoardModel crossed = test::boardWithAnswer(1, {"...", "...", "..."});
        setRowClues(crossed, 1, {1});
        setRowClues(crossed, 2, {3});
        setRowClues(crossed, 3, {1});
        setColumnClues(crossed, 1, {1});
        setColumnClues(crossed, 2, {3});
        setColumnClues(crossed, 3, {1});
        // The full middle row would make a run of 2 in the first column.
        drawAnswer(crossed, {"#..", "...", "..."});
        hint = findHint(crossed);
        QCOMPARE(hint.kind, Hint::Kind::MarksContradict);
        QVERIFY(!hint.line);

        // Clues no arrangement can meet, with or without marks.
        BoardModel impossible = test::boardWithAnswer(1, {"...", "..."});
        setRowClues(impossible, 1, {4});
        QCOMPARE(findHint(impossible).kind, Hint::Kind::CluesContradict);
        drawAnswer(impossible, {"#..", "x.."});
        QCOMPARE(findHint(impossible).kind, Hint::Kind::CluesContradict);
    }

    void unusableCluesAndFinishedBoards()
    {
        BoardModel blank = test::boardWithAnswer(2, {"...", "..."});
        QCOMPARE(findHint(blank).kind, Hint::Kind::NoClues);
        drawAnswer(blank, {"#..", "..."});
        QCOMPARE(findHint(blank).kind, Hint::Kind::NoClues);

        BoardModel negative = test::boardWithAnswer(1, {"...", "..."});
        setRowClues(negative, 1, {2});
        negative.board(2, 0) = -1;
        QCOMPARE(findHint(negative).kind, Hint::Kind::BadClues);

        // Finished: the filled cells form every clue; crosses and empty cells alike are empty.
        BoardModel done = test::boardWithAnswer(1, {"#x", ".#"});
        setRowClues(done, 1, {1});
        setRowClues(done, 2, {1});
        setColumnClues(done, 1, {1});
        setColumnClues(done, 2, {1});
        QCOMPARE(findHint(done).kind, Hint::Kind::Finished);
        // More filled cells than the clues allow contradict them.
        drawAnswer(done, {"##", ".#"});
        QCOMPARE(findHint(done).kind, Hint::Kind::MarksContradict);
    }

    // Mistakes: filled cells the solution leaves empty and crosses on cells it fills; empty
    // cells, right marks and other values are never mistakes.
    void mistakesAreExactlyTheMarksAgainstTheSolution()
    {
        const CellGrid solution = CellGrid::fromAscii("#.#\n.#.\n");
        BoardModel model = boardFor(solution);
        drawAnswer(model, {"##x", "x.#"});
        model.board(model.clueSize + 1, model.clueSize + 1) = 3;
        const int16 c = model.clueSize;
        QVERIFY(mistakeCells(model, solution) == (std::vector<BoardPoint>{
                    {toInt16(c + 1), c}, {toInt16(c + 2), c}, {toInt16(c + 2), toInt16(c + 1)}}));

        std::mt19937 random(99);
        for (int round = 0; round < 200; ++round) {
            const CellGrid picture = randomPicture(random, 1 + random() % 9, 1 + random() % 9);
            BoardModel board = boardFor(picture);
            int expected = 0;
            for (int y = 0; y < picture.height; ++y)
                for (int x = 0; x < picture.width; ++x) {
                    const int16 value = static_cast<int16>(random() % 4);
                    board.board(board.clueSize + x, board.clueSize + y) = value;
                    const bool filled = picture.at(x, y) == Cell::Filled;
                    expected += (value == kFilled && !filled) || (value == kCross && filled);
                }
            const std::vector<BoardPoint> mistakes = mistakeCells(board, picture);
            QCOMPARE(static_cast<int>(mistakes.size()), expected);
            for (const BoardPoint& p : mistakes) {
                const bool filled = picture.at(p.x - board.clueSize, p.y - board.clueSize) == Cell::Filled;
                QCOMPARE(board.board(p.x, p.y), filled ? int16(kCross) : int16(kFilled));
            }
        }
    }

    void lineIsFinishedOnlyWithExactlyItsRuns()
    {
        BoardModel model = test::boardWithAnswer(2, {"##.#.", "#x#..", ".....", "#.#.#"});
        setRowClues(model, 2, {2, 1});
        setRowClues(model, 3, {1, 1});
        setRowClues(model, 4, {1});
        setRowClues(model, 5, {1, 1});  // three runs drawn, beyond what the band holds
        QVERIFY(lineFinished(model, {BoardLine::Row, 2}));
        QVERIFY(lineFinished(model, {BoardLine::Row, 3}));  // a cross ends a run as empty does
        QVERIFY(!lineFinished(model, {BoardLine::Row, 4}));
        QVERIFY(!lineFinished(model, {BoardLine::Row, 5}));
        // A line without clues is finished only while it has no filled cell.
        setColumnClues(model, 3, {1});
        QVERIFY(lineFinished(model, {BoardLine::Column, 3}));
        QVERIFY(!lineFinished(model, {BoardLine::Column, 5}));
        BoardModel empty = test::boardWithAnswer(1, {"..", "x."});
        QVERIFY(lineFinished(empty, {BoardLine::Row, 2}));
    }
};

QTEST_APPLESS_MAIN(TestHint)
#include "test_hint.moc"
