// Undo and redo of board steps, including whole-board replacements with their dimensions.
#include "board/undo_history.h"
#include "support/ascii_board.h"

#include <QtTest>

using namespace zumeli;

class UndoHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void undoAndRedoWalkThroughEverySnapshot()
    {
        UndoHistory history;
        std::vector<BoardState> snapshots;
        BoardState state{test::boardWithAnswer(2, {"...", "..."}), QStringLiteral("名称未指定")};
        snapshots.push_back(state);

        auto change = [&](auto edit) {
            const BoardState before = state;
            edit(state);
            history.record(before, state);
            snapshots.push_back(state);
        };
        change([](BoardState& s) { s.model.board(2, 2) = kFilled; });            // a pencil press
        change([](BoardState& s) { test::drawAnswer(s.model, {"##x", "7.#"}); }); // a rectangle
        change([](BoardState& s) {                                                 // a puzzle load
            s.model = BoardModel{};
            s.model.clueSize = 1;
            s.model.gridWidth = 81;
            s.model.gridHeight = 3;
            s.model.board(0, 1) = 80;
            s.titleName = QStringLiteral("cat.zml");
        });
        QCOMPARE(history.undoDepth(), 3u);

        for (int i = 2; i >= 0; --i) {
            QVERIFY(history.undo(state));
            QCOMPARE(state.model, snapshots[i].model);
            QCOMPARE(state.titleName, snapshots[i].titleName);
        }
        QVERIFY(!history.undo(state));
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(history.redo(state));
            QCOMPARE(state.model, snapshots[i].model);
            QCOMPARE(state.titleName, snapshots[i].titleName);
        }
        QVERIFY(!history.redo(state));
    }

    void unchangedBoardIsNoStep()
    {
        UndoHistory history;
        const BoardState state{BoardModel{}, QStringLiteral("a")};
        history.record(state, state);
        QVERIFY(!history.canUndo());
    }

    void newStepAfterUndoDropsTheRedo()
    {
        UndoHistory history;
        BoardState state{BoardModel{}, QString()};
        BoardState before = state;
        state.model.board(5, 5) = kFilled;
        history.record(before, state);
        history.undo(state);
        QVERIFY(history.canRedo());
        before = state;
        state.model.board(6, 6) = kCross;
        history.record(before, state);
        QVERIFY(!history.canRedo());
        QCOMPARE(state.model.board(5, 5), 0);
    }
};

QTEST_GUILESS_MAIN(UndoHistoryTest)
#include "test_undo_history.moc"
