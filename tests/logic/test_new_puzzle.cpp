// The new-puzzle dialog's rules: reading the boxes, the order of the checks, the empty board.
#include "author/new_puzzle.h"

#include <QTest>

using namespace zumeli;

Q_DECLARE_METATYPE(zumeli::NewPuzzleSize)

namespace {

const NewPuzzleSize kRefused{0, 0, 0};

} // namespace

class NewPuzzleTest : public QObject {
    Q_OBJECT

private slots:
    void entriesAreFlooredAndCheckedInOrder_data()
    {
        QTest::addColumn<QString>("clueSize");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<NewPuzzleSize>("size");  // kRefused when a message is expected
        QTest::addColumn<QString>("message");

        const QString clue = kClueSizeRangeMessage;
        const QString side = kAnswerSideRangeMessage;
        QTest::newRow("defaults") << "5" << "10" << "10" << NewPuzzleSize{5, 10, 10} << "";
        QTest::newRow("smallest") << "1" << "1" << "1" << NewPuzzleSize{1, 1, 1} << "";
        QTest::newRow("largest") << "20" << "80" << "80" << NewPuzzleSize{20, 80, 80} << "";
        QTest::newRow("20.9 is 20") << "20.9" << "80.99" << "1.5" << NewPuzzleSize{20, 80, 1} << "";
        QTest::newRow("blanks around") << " 7 " << "8" << "9" << NewPuzzleSize{7, 8, 9} << "";
        QTest::newRow("0.5 is 0") << "0.5" << "10" << "10" << kRefused << clue;
        QTest::newRow("clue 21") << "21" << "10" << "10" << kRefused << clue;
        QTest::newRow("clue -0.5") << "-0.5" << "10" << "10" << kRefused << clue;
        QTest::newRow("width 0") << "5" << "0" << "10" << kRefused << side;
        QTest::newRow("width 81") << "5" << "81" << "10" << kRefused << side;
        QTest::newRow("height 81") << "5" << "10" << "81" << kRefused << side;
        QTest::newRow("height 0.9") << "5" << "10" << "0.9" << kRefused << side;
        QTest::newRow("clue and width wrong: clue first") << "21" << "81" << "0" << kRefused << clue;
        QTest::newRow("width and height wrong: width") << "5" << "0" << "81" << kRefused << side;
        QTest::newRow("empty clue box") << "" << "10" << "10" << kRefused << clue;
        QTest::newRow("letters in width") << "5" << "abc" << "10" << kRefused << side;
        QTest::newRow("full-width digits") << "5" << "10" << "１０" << kRefused << side;
        QTest::newRow("number then letters") << "5x" << "10" << "10" << kRefused << clue;
        QTest::newRow("huge number") << "1e300" << "10" << "10" << kRefused << clue;
    }
    void entriesAreFlooredAndCheckedInOrder()
    {
        QFETCH(QString, clueSize);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(NewPuzzleSize, size);
        QFETCH(QString, message);
        const NewPuzzleEntry entry = checkNewPuzzleEntries(clueSize, width, height);
        QCOMPARE(entry.message, message);
        if (size == kRefused) {
            QVERIFY(!entry.size);
        } else {
            QVERIFY(entry.size);
            QCOMPARE(*entry.size, size);
        }
    }

    void newBoardIsEmptyEverywhereWithTheChosenDimensions()
    {
        const BoardModel model = newPuzzleBoard({20, 80, 80});
        QCOMPARE(model.clueSize, 20);
        QCOMPARE(model.gridWidth, 100);
        QCOMPARE(model.gridHeight, 100);
        QCOMPARE(model.board, Grid());

        const BoardModel narrow = newPuzzleBoard({3, 1, 7});
        QCOMPARE(narrow.answerWidth(), 1);
        QCOMPARE(narrow.answerHeight(), 7);
        QCOMPARE(narrow.gridWidth, 4);
    }
};

QTEST_GUILESS_MAIN(NewPuzzleTest)
#include "test_new_puzzle.moc"
