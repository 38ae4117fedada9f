// The one walk of the board's lines: which cells a column and a row hold, in which order, and
// the conversion between the board and the solver's clue lists that is built on it.
#include "board/board_line.h"
#include "formats/board_clues.h"
#include "support/ascii_board.h"

#include <QTest>

#include <random>
#include <vector>

using namespace zumeli;
using zumeli::test::boardWithAnswer;
using Numbers = std::vector<int>;

namespace {

Numbers numbers(const std::vector<int16>& values) { return Numbers(values.begin(), values.end()); }

// A board whose every cell holds its own address, 100 * x + y, so that a cell read from the
// wrong axis shows at once: board(x, y) and board(y, x) always differ off the diagonal.
BoardModel addressedBoard(int clueSize, int answerWidth, int answerHeight)
{
    BoardModel model;
    model.clueSize = static_cast<int16>(clueSize);
    model.gridWidth = static_cast<int16>(clueSize + answerWidth);
    model.gridHeight = static_cast<int16>(clueSize + answerHeight);
    for (int x = 0; x < model.gridWidth; ++x)
        for (int y = 0; y < model.gridHeight; ++y)
            model.board(x, y) = static_cast<int16>(100 * x + y);
    return model;
}

} // namespace

class TestBoardLine : public QObject {
    Q_OBJECT

private slots:
    // A column keeps its x and walks y from the top edge; a row keeps its y and walks x from
    // the left edge. The board is wider than high so that a swapped axis leaves the board's
    // shape too.
    void columnsWalkDownAndRowsWalkRight()
    {
        const BoardModel model = addressedBoard(2, 3, 1);
        const BoardLine column{BoardLine::Column, 3};
        const BoardLine row{BoardLine::Row, 2};
        QCOMPARE(numbers(clueCells(model, column)), (Numbers{300, 301}));
        QCOMPARE(numbers(answerCells(model, column)), (Numbers{302}));
        QCOMPARE(numbers(clueCells(model, row)), (Numbers{2, 102}));
        QCOMPARE(numbers(answerCells(model, row)), (Numbers{202, 302, 402}));
        QCOMPARE(answerLength(model, column), 1);
        QCOMPARE(answerLength(model, row), 3);
        QCOMPARE(int(lineCell(model, column, 2)), int(answerCell(model, column, 0)));
    }

    void linesAreEveryColumnThenEveryRow()
    {
        const BoardModel model = addressedBoard(1, 2, 3);
        const std::vector<BoardLine> expected{{BoardLine::Column, 1}, {BoardLine::Column, 2},
                                              {BoardLine::Row, 1},    {BoardLine::Row, 2},
                                              {BoardLine::Row, 3}};
        QVERIFY(answerLines(model) == expected);
        QCOMPARE(answerColumns(model).size(), std::size_t(2));
        QCOMPARE(answerRows(model).size(), std::size_t(3));
    }

    // The runs of a column are read top to bottom, those of a row left to right.
    void runsFollowTheLineNotTheTransposedOne()
    {
        const BoardModel model = boardWithAnswer(1, {"##.#",
                                                     "#...",
                                                     "..x#"});
        QCOMPARE(numbers(runsOfLine(model, {BoardLine::Column, 1})), (Numbers{2}));
        QCOMPARE(numbers(runsOfLine(model, {BoardLine::Column, 4})), (Numbers{1, 1}));
        QCOMPARE(numbers(runsOfLine(model, {BoardLine::Row, 1})), (Numbers{2, 1}));
        QCOMPARE(numbers(runsOfLine(model, {BoardLine::Row, 3})), (Numbers{1}));
    }

    void packedCluesEndNextToTheAnswerArea_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<Numbers>("numbers");
        QTest::addColumn<Numbers>("band");
        QTest::newRow("column, two of four") << int(BoardLine::Column) << Numbers{3, 1} << Numbers{0, 0, 3, 1};
        QTest::newRow("row, one of four") << int(BoardLine::Row) << Numbers{7} << Numbers{0, 0, 0, 7};
        QTest::newRow("a full band") << int(BoardLine::Row) << Numbers{1, 2, 3, 4} << Numbers{1, 2, 3, 4};
        QTest::newRow("no numbers blank the band") << int(BoardLine::Column) << Numbers{} << Numbers{0, 0, 0, 0};
    }
    void packedCluesEndNextToTheAnswerArea()
    {
        QFETCH(int, kind);
        QFETCH(Numbers, numbers);
        QFETCH(Numbers, band);
        BoardModel model = addressedBoard(4, 2, 2);
        const BoardLine line{static_cast<BoardLine::Kind>(kind), 5};
        setPackedClues(model, line, std::vector<int16>(numbers.begin(), numbers.end()));
        QCOMPARE(::numbers(clueCells(model, line)), band);
        // Nothing else moved: the answer cells and the crossing line keep their values.
        QCOMPARE(int(answerCell(model, line, 0)), kind == BoardLine::Column ? 504 : 405);
        QVERIFY_THROWS_EXCEPTION(IndexError, setPackedClues(model, line, {1, 1, 1, 1, 1}));
    }

    void clueNumbersSkipBlanksWhereverTheyStand()
    {
        BoardModel model = boardWithAnswer(4, {"."});
        setPackedClues(model, {BoardLine::Column, 4}, {3, 0, 2});
        QCOMPARE(numbers(clueNumbers(model, {BoardLine::Column, 4})), (Numbers{3, 2}));
        QCOMPARE(numbers(clueNumbers(model, {BoardLine::Row, 4})), Numbers{});
    }

    // The solver sees a column's clues top to bottom and a row's left to right, and its picture
    // has x along the row.
    void solverPuzzleKeepsEachAxis()
    {
        BoardModel model = boardWithAnswer(2, {"#..",
                                               "##."});
        setPackedClues(model, {BoardLine::Column, 2}, {2});
        setPackedClues(model, {BoardLine::Column, 3}, {1});
        setPackedClues(model, {BoardLine::Row, 2}, {1});
        setPackedClues(model, {BoardLine::Row, 3}, {2});
        const solver::Puzzle puzzle = puzzleFromBoard(model);
        QCOMPARE(puzzle.columns, (std::vector<Numbers>{{2}, {1}, {}}));
        QCOMPARE(puzzle.rows, (std::vector<Numbers>{{1}, {2}}));
        QCOMPARE(pictureFromBoard(model).toAscii(), std::string("#..\n##.\n"));
        QVERIFY(solver::satisfiesClues(puzzle, pictureFromBoard(model)));
    }

    // Random puzzles of every shape the board holds go to the board and back unchanged, and a
    // board built from a puzzle comes back as the same board.
    void boardAndPuzzleRoundTrip()
    {
        std::mt19937 random(2024);
        int onBoard = 0;
        for (int trial = 0; trial < 200; ++trial) {
            const int width = 1 + static_cast<int>(random() % kMaxAnswerSide);
            const int height = 1 + static_cast<int>(random() % kMaxAnswerSide);
            solver::CellGrid picture(width, height, solver::Cell::Empty);
            const unsigned density = random() % 100;
            for (auto& cell : picture.cells)
                cell = random() % 100 < density ? solver::Cell::Filled : solver::Cell::Empty;
            const solver::Puzzle puzzle = solver::puzzleFromPicture(picture);
            BoardModel model;
            try {
                model = boardFromPuzzle(puzzle);
            } catch (const BoardLimitError&) {
                continue;  // more than 20 clues in a line
            }
            QCOMPARE(model.answerWidth(), width);
            QCOMPARE(model.answerHeight(), height);
            const solver::Puzzle back = puzzleFromBoard(model);
            QCOMPARE(back.rows, puzzle.rows);
            QCOMPARE(back.columns, puzzle.columns);
            QVERIFY(boardFromPuzzle(back) == model);
            ++onBoard;
        }
        QVERIFY(onBoard > 50);
    }
};

QTEST_APPLESS_MAIN(TestBoardLine)
#include "test_board_line.moc"
