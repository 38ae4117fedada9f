// 問題 → ランダム問題 in the main window: the dialog's defaults and refusals, a generated puzzle
// with exactly one solution shown as clues on an empty answer area, untitled, as one undo step;
// and a cancel, in the dialog or during the generation, changes nothing.
#include "dialogs/random_puzzle_dialog.h"
#include "formats/board_clues.h"
#include "solve/engine/difficulty.h"
#include "main_window/Form1.h"
#include "support/ascii_board.h"
#include "support/reference_solver.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"
#include "support/window_snapshot.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QRadioButton>
#include <QUndoStack>
#include <QTest>

using namespace zumeli;

namespace {

QAction* randomPuzzleAction(Form1& form)
{
    for (QAction* action : form.menuBar()->findChildren<QAction*>())
        if (action->text() == QStringLiteral("ランダム問題..."))
            return action;
    return nullptr;
}

// Answers the two dialogs of the command: the settings dialog is filled in by `fill` and
// confirmed (or cancelled when `fill` returns false); the progress box waits for the puzzle,
// or is cancelled at once.
struct Script {
    std::function<bool(RandomPuzzleDialog&)> fill = [](RandomPuzzleDialog&) { return true; };
    bool cancelGeneration = false;
    int progressBoxes = 0;

    int operator()(QDialog& dialog)
    {
        if (auto* settings = qobject_cast<RandomPuzzleDialog*>(&dialog)) {
            if (fill(*settings))
                settings->okClicked();
            else
                settings->cancelClicked();
            return settings->result();
        }
        auto* progress = qobject_cast<QProgressDialog*>(&dialog);
        if (!progress)
            return QDialog::Rejected;
        ++progressBoxes;
        if (cancelGeneration) {
            progress->cancel();
            return QDialog::Rejected;
        }
        if (!QTest::qWaitFor([&] { return progress->result() == QDialog::Accepted; }, 120000))
            qWarning("the generation did not end");
        return progress->result();
    }
};

// A window showing a loaded puzzle with a fill of the player's: what a cancel must leave.
void playSomething(Form1& form)
{
    form.document().model() = test::boardWithAnswer(2, {"#.", ".x"});
    form.document().setTitleName(QStringLiteral("mine.zml"));
    form.redrawOrResetZoom(Form1::Redraw::Full);
}

} // namespace

class RandomPuzzleDialogTest : public QObject {
    Q_OBJECT

private slots:
    void dialogStartsFromItsDefaultsAndRefusesBadBoxes()
    {
        test::ScriptedDesktop desktop;
        RandomPuzzleDialog dialog(desktop);
        QCOMPARE(dialog.clueSizeBox->text(), QStringLiteral("5"));
        QCOMPARE(dialog.widthBox->text(), QStringLiteral("15"));
        QCOMPARE(dialog.heightBox->text(), QStringLiteral("15"));
        QVERIFY(dialog.lineLogicOnly->isChecked());
        QCOMPARE(dialog.searchAllowed->text(), QStringLiteral("探索あり"));
        QCOMPARE(dialog.lineLogicOnly->text(), QStringLiteral("線の論理だけで解ける"));

        dialog.widthBox->setText(QStringLiteral("4"));
        dialog.okClicked();
        QCOMPARE(desktop.lastMessage().text, kRandomSideRangeMessage);
        QCOMPARE(desktop.lastMessage().caption, kBadValueTitle);
        QCOMPARE(dialog.chosenSettings(), std::nullopt);
        QCOMPARE(dialog.widthBox->text(), QStringLiteral("4"));  // left as typed

        dialog.widthBox->setText(QStringLiteral("30"));
        dialog.searchAllowed->setChecked(true);
        dialog.okClicked();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenSettings(), (RandomPuzzleSettings{5, 30, 15, false}));
    }

    void dialogPassesTheChosenGrade_data()
    {
        QTest::addColumn<int>("item");
        QTest::newRow("1 simple-lines") << 0;
        QTest::newRow("2 lines") << 1;
        QTest::newRow("3 probing") << 2;
        QTest::newRow("4 search") << 3;
    }

    void dialogPassesTheChosenGrade()
    {
        QFETCH(int, item);
        test::ScriptedDesktop desktop;
        RandomPuzzleDialog dialog(desktop);
        QVERIFY(!dialog.gradeChosen->isChecked());
        QCOMPARE(dialog.gradeBox->count(), 4);
        // Picking a grade in the list chooses it, as a click on the list would.
        QTest::keyClick(dialog.gradeBox, Qt::Key_End);
        QTest::keyClick(dialog.gradeBox, Qt::Key_Home);
        for (int i = 0; i < item; ++i)
            QTest::keyClick(dialog.gradeBox, Qt::Key_Down);
        QVERIFY(dialog.gradeChosen->isChecked());
        QVERIFY(!dialog.lineLogicOnly->isChecked());
        dialog.okClicked();
        QCOMPARE(dialog.chosenSettings(), (RandomPuzzleSettings{5, 15, 15, false, item + 1}));

        // The line-logic and search choices still ask for no grade.
        RandomPuzzleDialog again(desktop);
        again.gradeBox->setCurrentIndex(item);
        again.searchAllowed->setChecked(true);
        again.okClicked();
        QCOMPARE(again.chosenSettings(), (RandomPuzzleSettings{5, 15, 15, false, 0}));
    }

    void menuMakesAPuzzleOfTheChosenGrade()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        Script script;
        script.fill = [](RandomPuzzleDialog& dialog) {
            dialog.widthBox->setText(QStringLiteral("12"));
            dialog.heightBox->setText(QStringLiteral("10"));
            dialog.gradeBox->setCurrentIndex(2);
            dialog.gradeChosen->setChecked(true);
            return true;
        };
        desktop.dialogScript = std::ref(script);
        randomPuzzleAction(form)->trigger();

        QCOMPARE(script.progressBoxes, 1);
        QCOMPARE(form.document().model().answerWidth(), 12);
        QCOMPARE(form.document().model().answerHeight(), 10);
        const solver::Puzzle puzzle = puzzleFromBoard(form.document().model());
        const solver::SolveResult solved = solver::solve(puzzle);
        QCOMPARE(solved.verdict, solver::Verdict::Unique);
        const std::optional<solver::Difficulty> grade = solver::gradeDifficulty(puzzle, solved);
        QVERIFY(grade);
        QCOMPARE(grade->grade, 3);
        const test::ReferenceResult reference = test::referenceSolve(puzzle);
        QCOMPARE(reference.verdict, solver::Verdict::Unique);
        QVERIFY(!reference.lineSolvable);
    }

    void menuMakesAUniquePuzzleOnAnEmptyAnswerAreaAsOneStep()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        playSomething(form);
        const test::Snapshot before(form);
        Script script;
        script.fill = [](RandomPuzzleDialog& dialog) {
            dialog.widthBox->setText(QStringLiteral("18"));
            dialog.heightBox->setText(QStringLiteral("12"));
            dialog.clueSizeBox->setText(QStringLiteral("3"));
            return true;
        };
        desktop.dialogScript = std::ref(script);
        QAction* action = randomPuzzleAction(form);
        QVERIFY(action);
        const int steps = form.document().undoStack()->count();
        action->trigger();

        QCOMPARE(script.progressBoxes, 1);
        QCOMPARE(form.document().model().answerWidth(), 18);
        QCOMPARE(form.document().model().answerHeight(), 12);
        QVERIFY(form.document().model().clueSize >= 3);
        for (const std::string& row : test::answerPicture(form.document().model()))
            QCOMPARE(row, std::string(18, '.'));
        const test::ReferenceResult reference = test::referenceSolve(puzzleFromBoard(form.document().model()));
        QCOMPARE(reference.verdict, solver::Verdict::Unique);
        QVERIFY(reference.lineSolvable);
        QCOMPARE(form.windowTitle(), kTitlePrefix + kUntitled);
        QVERIFY(!(test::Snapshot(form).picture == before.picture));

        QCOMPARE(form.document().undoStack()->count(), steps + 1);
        QCOMPARE(form.document().undoStack()->undoText(), QStringLiteral("ランダム問題"));
        form.document().undoStack()->undo();
        QVERIFY(before.sameAs(form));
    }

    void cancelChangesNothing_data()
    {
        QTest::addColumn<bool>("inDialog");
        QTest::newRow("in the dialog") << true;
        QTest::newRow("during the generation") << false;
    }

    void cancelChangesNothing()
    {
        QFETCH(bool, inDialog);
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        playSomething(form);
        const test::Snapshot before(form);
        const int steps = form.document().undoStack()->count();
        Script script;
        script.fill = [&](RandomPuzzleDialog& dialog) {
            dialog.widthBox->setText(QStringLiteral("80"));
            dialog.heightBox->setText(QStringLiteral("80"));
            dialog.searchAllowed->setChecked(true);
            return !inDialog;
        };
        script.cancelGeneration = true;
        desktop.dialogScript = std::ref(script);
        randomPuzzleAction(form)->trigger();

        QCOMPARE(script.progressBoxes, inDialog ? 0 : 1);
        QVERIFY(before.sameAs(form));
        QCOMPARE(form.document().undoStack()->count(), steps);
        QVERIFY(desktop.messages.empty());
    }
};

QTEST_MAIN(RandomPuzzleDialogTest)
#include "test_random_puzzle_dialog.moc"
