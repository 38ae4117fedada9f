// Which parts of the board are in files: a puzzle file keeps the clues and an answer state the
// fills and crosses, so the board is saved only when each part that holds something is in its
// own file as it stands.
#include "formats/saved_parts.h"
#include "support/ascii_board.h"

#include <QTest>

#include <string>
#include <vector>

using namespace zumeli;

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

// A 3 x 2 answer area with a 1-thick band, drawn from `rows`, with clues or a blank band.
BoardModel board(const std::vector<std::string>& rows, bool clues)
{
    BoardModel model = test::boardWithAnswer(1, {"...", "..."});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            model.board(1 + x, 1 + y) = rows[y][x] == '#'   ? kFilled
                                        : rows[y][x] == 'x' ? kCross
                                                            : kEmpty;
    if (clues) {
        test::setColumnClues(model, 1, {2});
        test::setRowClues(model, 1, {1});
    }
    return model;
}

} // namespace

class SavedPartsTest : public QObject {
    Q_OBJECT

private slots:
    // The board at the saves (`saves`: P a puzzle file, A an answer state, in that order),
    // then the board now; whether everything on it is in a file.
    void boardIsSavedWhenEveryPartThatHoldsSomethingIs_data()
    {
        QTest::addColumn<std::vector<std::string>>("atSave");
        QTest::addColumn<bool>("cluesAtSave");
        QTest::addColumn<QString>("saves");
        QTest::addColumn<std::vector<std::string>>("now");
        QTest::addColumn<bool>("cluesNow");
        QTest::addColumn<bool>("saved");
        using Rows = std::vector<std::string>;
        const Rows empty{"...", "..."}, fills{"#.#", ".#."}, crosses{"x..", "..."};
        QTest::newRow("nothing on the board, nothing saved") << empty << false << "" << empty << false << true;
        QTest::newRow("fills kept in the puzzle file alone") << fills << true << "P" << fills << true << false;
        QTest::newRow("crosses kept in the puzzle file alone") << crosses << true << "P" << crosses << true << false;
        QTest::newRow("fills in the puzzle file and an answer state") << fills << true << "PA" << fills << true << true;
        QTest::newRow("clues saved, answer area empty") << empty << true << "P" << empty << true << true;
        QTest::newRow("fills saved, clue band blank") << fills << false << "A" << fills << false << true;
        QTest::newRow("clues in no file") << fills << true << "A" << fills << true << false;
        QTest::newRow("fills changed after the answer state") << fills << true << "PA" << crosses << true << false;
        QTest::newRow("fills emptied after the puzzle save") << fills << true << "P" << empty << true << true;
        QTest::newRow("clues made after the puzzle save") << fills << false << "PA" << fills << true << false;
        QTest::newRow("clues removed after the puzzle save") << empty << true << "P" << empty << false << true;
    }

    void boardIsSavedWhenEveryPartThatHoldsSomethingIs()
    {
        QFETCH(std::vector<std::string>, atSave);
        QFETCH(bool, cluesAtSave);
        QFETCH(QString, saves);
        QFETCH(std::vector<std::string>, now);
        QFETCH(bool, cluesNow);
        QFETCH(bool, saved);
        SavedParts parts;
        const BoardModel atSaveBoard = board(atSave, cluesAtSave);
        for (const QChar save : saves) {
            if (save == QLatin1Char('P'))
                parts.puzzleSaved(atSaveBoard);
            else
                parts.answerSaved(atSaveBoard);
        }
        QCOMPARE(parts.allSaved(board(now, cluesNow)), saved);
    }

    // Another size is another puzzle and another answer area, even with the same cells.
    void anotherSizeIsNotTheSavedBoard()
    {
        SavedParts parts;
        BoardModel model = board({"#..", "..."}, true);
        parts.puzzleSaved(model);
        parts.answerSaved(model);
        QVERIFY(parts.allSaved(model));
        model.gridWidth = 5;
        QVERIFY(!parts.allSaved(model));
    }
};

QTEST_GUILESS_MAIN(SavedPartsTest)
#include "test_saved_parts.moc"
