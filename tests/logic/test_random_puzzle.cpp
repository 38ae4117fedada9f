// The random-puzzle rules: the dialog's boxes, and the board of a generated puzzle: clues with
// exactly one solution by an independent search, an empty answer area, the band rule, the
// same seed giving the same board, and a cancel.
#include "author/new_puzzle.h"
#include "author/random_puzzle.h"
#include "formats/board_clues.h"
#include "solve/engine/difficulty.h"
#include "solve/engine/solver.h"
#include "support/ascii_board.h"
#include "support/reference_solver.h"

#include <QTest>

#include <algorithm>

using namespace zumeli;

Q_DECLARE_METATYPE(zumeli::RandomPuzzleSettings)

class RandomPuzzleTest : public QObject {
    Q_OBJECT

private slots:
    void entriesAreCheckedInOrder_data()
    {
        QTest::addColumn<QString>("clue");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("message");
        QTest::newRow("defaults") << "5" << "15" << "15" << QString();
        QTest::newRow("smallest") << "1" << "5" << "5" << QString();
        QTest::newRow("largest, fractions rounded down") << "20.9" << "80.9" << "80" << QString();
        QTest::newRow("no band") << "0" << "15" << "15" << kClueSizeRangeMessage;
        QTest::newRow("band too thick") << "21" << "15" << "15" << kClueSizeRangeMessage;
        QTest::newRow("band before the width") << "x" << "4" << "15" << kClueSizeRangeMessage;
        QTest::newRow("width 4") << "5" << "4.9" << "15" << kRandomSideRangeMessage;
        QTest::newRow("width 81") << "5" << "81" << "15" << kRandomSideRangeMessage;
        QTest::newRow("height empty") << "5" << "15" << "" << kRandomSideRangeMessage;
        QTest::newRow("height 81") << "5" << "15" << "81" << kRandomSideRangeMessage;
    }

    void entriesAreCheckedInOrder()
    {
        QFETCH(QString, clue);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, message);
        const RandomPuzzleEntry entry = checkRandomPuzzleEntries(clue, width, height, true);
        QCOMPARE(entry.message, message);
        QCOMPARE(entry.settings.has_value(), message.isEmpty());
        if (entry.settings) {
            QCOMPARE(entry.settings->clueSize, static_cast<int16>(clue.toDouble()));
            QCOMPARE(entry.settings->width, static_cast<int16>(width.toDouble()));
            QVERIFY(entry.settings->lineSolvable);
        }
    }

    void boardHoldsUniqueCluesOnAnEmptyAnswerArea_data()
    {
        QTest::addColumn<RandomPuzzleSettings>("settings");
        QTest::addColumn<quint64>("seed");
        QTest::newRow("15 x 15, line logic") << RandomPuzzleSettings{5, 15, 15, true} << quint64(1);
        QTest::newRow("smallest, thin band") << RandomPuzzleSettings{1, 5, 5, true} << quint64(7);
        QTest::newRow("20 x 12, search allowed") << RandomPuzzleSettings{2, 20, 12, false} << quint64(42);
        QTest::newRow("12 x 20, search allowed, thick band")
            << RandomPuzzleSettings{20, 12, 20, false} << quint64(0xfeedfacecafebeef);
    }

    void boardHoldsUniqueCluesOnAnEmptyAnswerArea()
    {
        QFETCH(RandomPuzzleSettings, settings);
        QFETCH(quint64, seed);
        const std::optional<BoardModel> board = randomPuzzleBoard(settings, seed);
        QVERIFY(board);
        QCOMPARE(board->answerWidth(), int(settings.width));
        QCOMPARE(board->answerHeight(), int(settings.height));
        for (const std::string& row : test::answerPicture(*board))
            QCOMPARE(row, std::string(settings.width, '.'));

        const solver::Puzzle puzzle = puzzleFromBoard(*board);
        const test::ReferenceResult reference = test::referenceSolve(puzzle);
        QCOMPARE(reference.verdict, solver::Verdict::Unique);
        if (settings.lineSolvable)
            QVERIFY(reference.lineSolvable);

        // The band is the chosen one, or the longest clue line when that is longer.
        std::size_t longest = 0;
        for (const auto* lines : {&puzzle.rows, &puzzle.columns})
            for (const auto& runs : *lines)
                longest = std::max(longest, runs.size());
        QCOMPARE(std::size_t(board->clueSize), std::max<std::size_t>(longest, settings.clueSize));
        // A picture with nothing in it would make a dull puzzle.
        QVERIFY(longest > 0);

        QCOMPARE(randomPuzzleBoard(settings, seed), board);
    }

    void boardHasTheGradeAskedFor_data()
    {
        QTest::addColumn<RandomPuzzleSettings>("settings");
        QTest::addColumn<quint64>("seed");
        // The grade overrides the line-logic choice either way.
        QTest::newRow("simple-lines") << RandomPuzzleSettings{5, 10, 10, false, 1} << quint64(3);
        QTest::newRow("lines") << RandomPuzzleSettings{5, 10, 12, true, 2} << quint64(4);
        QTest::newRow("probing") << RandomPuzzleSettings{2, 12, 10, true, 3} << quint64(5);
        QTest::newRow("search") << RandomPuzzleSettings{5, 15, 15, false, 4} << quint64(6);
    }

    void boardHasTheGradeAskedFor()
    {
        QFETCH(RandomPuzzleSettings, settings);
        QFETCH(quint64, seed);
        const std::optional<BoardModel> board = randomPuzzleBoard(settings, seed);
        QVERIFY(board);
        QCOMPARE(board->answerWidth(), int(settings.width));
        QCOMPARE(board->answerHeight(), int(settings.height));
        const solver::Puzzle puzzle = puzzleFromBoard(*board);
        const solver::SolveResult solved = solver::solve(puzzle);
        const std::optional<solver::Difficulty> grade = solver::gradeDifficulty(puzzle, solved);
        QVERIFY(grade);
        QCOMPARE(grade->grade, settings.difficulty);
        const test::ReferenceResult reference = test::referenceSolve(puzzle);
        QCOMPARE(reference.verdict, solver::Verdict::Unique);
        QCOMPARE(reference.lineSolvable, settings.difficulty <= 2);
    }

    void entriesKeepTheModeAndTheGrade()
    {
        const RandomPuzzleEntry entry = checkRandomPuzzleEntries("3", "20", "25", false, 4);
        QCOMPARE(entry.settings, (RandomPuzzleSettings{3, 20, 25, false, 4}));
        QCOMPARE(checkRandomPuzzleEntries("3", "20", "25", true).settings, (RandomPuzzleSettings{3, 20, 25, true, 0}));
    }

    void cancelledGenerationGivesNothing()
    {
        const std::atomic<bool> cancel = true;
        QCOMPARE(randomPuzzleBoard(RandomPuzzleSettings{}, 3, &cancel), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(RandomPuzzleTest)
#include "test_random_puzzle.moc"
