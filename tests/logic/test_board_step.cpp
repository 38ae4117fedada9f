// Undo and redo of board steps on Qt's undo stack, including whole-board replacements with
// their dimensions and title, and the stack's clean state.
#include "board/drawing/board_step.h"
#include "support/ascii_board.h"

#include <QUndoStack>
#include <QTest>

#include <vector>

using namespace zumeli;

namespace {

// A board and its title as the window holds them, with the undo stack its steps go on.
struct Document {
    BoardState state{test::boardWithAnswer(2, {"...", "..."}), QStringLiteral("名称未指定")};
    QUndoStack stack;
    int restorations = 0;

    // Runs `edit` on the board and records what it changed as one step.
    template <typename Edit>
    bool change(const QString& name, Edit edit)
    {
        const BoardState before = state;
        edit(state);
        auto step = BoardStep::between(name, before, state, state.model,
                                       [this](const QString& title) {
                                           state.titleName = title;
                                           ++restorations;
                                       });
        if (!step)
            return false;
        stack.push(step.release());
        return true;
    }
};

} // namespace

class BoardStepTest : public QObject {
    Q_OBJECT

private slots:
    void undoAndRedoWalkThroughEverySnapshot()
    {
        Document document;
        std::vector<BoardState> snapshots{document.state};
        auto change = [&](const char* name, auto edit) {
            QVERIFY(document.change(QString::fromUtf8(name), edit));
            snapshots.push_back(document.state);
        };
        change("鉛筆", [](BoardState& s) { test::drawAnswer(s.model, {"#.."}); });
        change("四角", [](BoardState& s) { test::drawAnswer(s.model, {"##x", "7.#"}); });
        change("問題を開く", [](BoardState& s) {
            const std::string row(80, '.');
            s.model = test::boardWithAnswer(1, {row.c_str(), row.c_str()});
            test::setRowClues(s.model, 1, {80});
            s.titleName = QStringLiteral("cat.zml");
        });
        QCOMPARE(document.stack.index(), 3);
        QCOMPARE(document.restorations, 0);  // pushing a step changes nothing
        QCOMPARE(document.stack.undoText(), QStringLiteral("問題を開く"));

        for (int i = 2; i >= 0; --i) {
            document.stack.undo();
            QCOMPARE(document.state.model, snapshots[i].model);
            QCOMPARE(document.state.titleName, snapshots[i].titleName);
        }
        QVERIFY(!document.stack.canUndo());
        for (int i = 1; i <= 3; ++i) {
            document.stack.redo();
            QCOMPARE(document.state.model, snapshots[i].model);
            QCOMPARE(document.state.titleName, snapshots[i].titleName);
        }
        QVERIFY(!document.stack.canRedo());
        QCOMPARE(document.restorations, 6);
    }

    void unchangedBoardAndTitleIsNoStep()
    {
        Document document;
        QVERIFY(!document.change(QStringLiteral("鉛筆"), [](BoardState&) {}));
        QVERIFY(document.change(QStringLiteral("名前"),
                                [](BoardState& s) { s.titleName = QStringLiteral("a.zml"); }));
    }

    void newStepAfterUndoDropsTheRedo()
    {
        Document document;
        document.change(QStringLiteral("鉛筆"), [](BoardState& s) { test::drawAnswer(s.model, {"#"}); });
        document.stack.undo();
        QVERIFY(document.stack.canRedo());
        document.change(QStringLiteral("鉛筆"), [](BoardState& s) { test::drawAnswer(s.model, {".x"}); });
        QVERIFY(!document.stack.canRedo());
        QCOMPARE(test::answerPicture(document.state.model), (std::vector<std::string>{".x.", "..."}));
    }

    // The clean state says whether the board is the one last saved or loaded.
    void cleanStateFollowsTheStepsAroundASave()
    {
        Document document;
        document.change(QStringLiteral("鉛筆"), [](BoardState& s) { test::drawAnswer(s.model, {"#"}); });
        QVERIFY(!document.stack.isClean());
        document.stack.setClean();  // saved
        document.change(QStringLiteral("鉛筆"), [](BoardState& s) { test::drawAnswer(s.model, {"##"}); });
        QVERIFY(!document.stack.isClean());
        document.stack.undo();
        QVERIFY(document.stack.isClean());
        document.stack.undo();
        QVERIFY(!document.stack.isClean());
        // A new step where the saved board could have been redone: it never comes back.
        document.change(QStringLiteral("鉛筆"), [](BoardState& s) { test::drawAnswer(s.model, {"x"}); });
        document.stack.undo();
        QVERIFY(!document.stack.isClean());
    }
};

QTEST_GUILESS_MAIN(BoardStepTest)
#include "test_board_step.moc"
