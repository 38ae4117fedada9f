// The detailed picture import (問題 → 画像から問題作成（詳細）...) and the repair of an ambiguous
// picture, in the import dialog and in the puzzle check window: what OK, apply, cancel and
// undo do to the board.
#include "dialogs/picture_import_dialog.h"
#include "author/clue_derivation.h"
#include "author/image_import.h"
#include "author/image_threshold.h"
#include "author/new_puzzle.h"
#include "formats/board_clues.h"
#include "main_window/Form1.h"
#include "dialogs/puzzle_check_window.h"
#include "support/ascii_board.h"
#include "support/image_files.h"
#include "support/reference_solver.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"
#include "widgets/cell_grid_view.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QTest>

using namespace zumeli;
using test::pictureFromRows;

namespace {

const QString kImportItem = QStringLiteral("画像から問題作成（詳細）...");
const QString kUntitledTitle = QStringLiteral("ズメリロジック！ - 名称未指定");

// A 4 x 4 checkerboard: every line has the clue 1 1, which two pictures satisfy.
const std::initializer_list<const char*> kCheckerboard = {"#.#.", ".#.#", "#.#.", ".#.#"};

QAction* menuItem(Form1& form, const QString& text)
{
    for (QAction* action : form.menuBar()->findChildren<QAction*>())
        if (action->text() == text)
            return action;
    return nullptr;
}

solver::CellGrid gridOf(std::initializer_list<const char*> rows)
{
    std::string text;
    for (const char* row : rows)
        text += std::string(row) + '\n';
    return solver::CellGrid::fromAscii(text);
}

// The board's clues decided by the independent reference solver.
test::ReferenceResult referenceVerdict(const BoardModel& model)
{
    return test::referenceSolve(puzzleFromBoard(model));
}

bool waitUntil(const std::function<bool()>& done) { return QTest::qWaitFor(done, 60000); }

// A 5 x 4 picture whose repair, in either mode, fills the middle of row 2 and gives that row a
// third run: more than the two its own clues need.
const std::initializer_list<const char*> kRepairAddsARun = {".##..", "#...#", "...##", "#..#."};

// What the clue band written on the board holds, decided by the independent reference solver:
// exactly one solution, the picture the repair showed, and with `lineSolvable` one that line
// logic alone reaches. A band that dropped runs has no solution or another one.
bool writtenCluesSolveTo(const BoardModel& model, const solver::CellGrid& shown, bool lineSolvable)
{
    const test::ReferenceResult result = referenceVerdict(model);
    return pictureFromBoard(model) == shown && result.verdict == solver::Verdict::Unique
        && result.solutions.at(0) == shown && (!lineSolvable || result.lineSolvable);
}

// A main window whose board holds a drawing, clue numbers, a title and an undo history of
// nothing yet.
struct Session : test::MainWindow {
    QTemporaryDir dir;
    int dialogsRun = 0;

    Session()
    {
        test::drawAnswer(model, {"#.#", "x##"});
        model.board(0, 7) = 3;
        form.document().setTitleName(QStringLiteral("cat.zml"));
        ui.dialogFileName = QStringLiteral("/puzzles/cat.zml");
    }

    QString save(const QString& name, const QImage& image)
    {
        const QString path = dir.filePath(name);
        if (!image.save(path))
            throw std::runtime_error("cannot save the test picture");
        return path;
    }

    // Runs the menu item on `path` with `script` acting in the dialog once its first verdict
    // is in.
    void importPicture(const QString& path, const std::function<void(PictureImportDialog&)>& script)
    {
        desktop.chosenFiles.push_back(path);
        desktop.dialogScript = [this, script](QDialog& dialog) {
            ++dialogsRun;
            auto& importDialog = static_cast<PictureImportDialog&>(dialog);
            if (!waitUntil([&] { return !importDialog.verdictRunning(); }))
                throw std::runtime_error("no verdict");
            script(importDialog);
            return dialog.result();
        };
        menuItem(form, kImportItem)->trigger();
    }
};

void chooseWidth(PictureImportDialog& dialog, int width) { dialog.widthBox->setValue(width); }

// Waits for the dialog's or window's repair and its proposal.
bool waitForDialogProposal(PictureImportDialog& dialog)
{
    return waitUntil([&] { return !dialog.repairRunning(); }) && dialog.hasProposal();
}

} // namespace

class PictureImportAndRepairTest : public QObject {
    Q_OBJECT

private slots:
    // ------------------------------------------------------------------- the import dialog

    void theItemEndsThePuzzleMenuAndTheSeedImportStays()
    {
        Session s;
        QMenu* puzzle = nullptr;
        for (QAction* action : s.form.menuBar()->actions())
            if (action->text().startsWith(QStringLiteral("問題(")))
                puzzle = action->menu();
        QVERIFY(puzzle);
        // The collection browser (問題集...) came after it, as the menu's last item.
        const QList<QAction*> items = puzzle->actions();
        QCOMPARE(items.at(items.size() - 2)->text(), kImportItem);
        QCOMPARE(items.last()->text(), QStringLiteral("問題集..."));
        QVERIFY(menuItem(s.form, QStringLiteral("画像ファイルから問題を作成(&I)...")));
    }

    void okReplacesTheBoardInOneUndoStep()
    {
        Session s;
        const BoardModel before = s.model;
        // 6 x 4 pixels with a transparent corner, a grey cell and black.
        const QString path = s.save(QStringLiteral("pic.png"),
                                    pictureFromRows({"##..  ", "#g..##", "....##", "#.#.#."}));
        s.importPicture(path, [](PictureImportDialog& dialog) {
            // Default: the longer side 30, the aspect kept, Otsu's threshold on the slider.
            QCOMPARE(dialog.widthBox->value(), 30);
            QCOMPARE(dialog.heightBox->value(), 20);
            QVERIFY(dialog.autoBox->isChecked());
            QCOMPARE(dialog.thresholdSlider->value(), otsuThreshold(dialog.greyPicture()));
            QCOMPARE(dialog.preview->grid(), dialog.picture());
            // One cell a pixel: the height follows the width.
            chooseWidth(dialog, 6);
            QCOMPARE(dialog.heightBox->value(), 4);
            // A threshold of the author's own turns 自動 off; grey (128) is then light.
            dialog.thresholdSlider->setValue(100);
            QVERIFY(!dialog.autoBox->isChecked());
            QCOMPARE(dialog.picture(), gridOf({"##....", "#...##", "....##", "#.#.#."}));
            QCOMPARE(dialog.clueBox->text(), QStringLiteral("3"));  // the most runs of a line
            dialog.clueBox->setText(QStringLiteral("4"));
            dialog.okButton->click();
        });
        QCOMPARE(s.dialogsRun, 1);
        QVERIFY(s.desktop.messages.empty());
        QCOMPARE(s.form.windowTitle(), kUntitledTitle);
        QCOMPARE(s.model.clueSize, int16(4));
        QCOMPARE(test::answerPicture(s.model),
                 (std::vector<std::string>{"##....", "#...##", "....##", "#.#.#."}));
        BoardModel derived = s.model;
        deriveClues(derived);
        QVERIFY(derived == s.model);  // the clue band is what Make derives
        QCOMPARE(test::rowClueCells(s.model, 7), (std::vector<int>{0, 1, 1, 1}));

        QCOMPARE(s.form.document().undoStack()->count(), 1);
        s.form.document().undoStack()->undo();
        QVERIFY(s.model == before);
        QCOMPARE(s.form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));
    }

    void invertAndTheSliderOnlyRethresholdTheScaledPicture()
    {
        Session s;
        const QString path = s.save(QStringLiteral("pic.png"), pictureFromRows({"#g.", "..#"}));
        s.importPicture(path, [](PictureImportDialog& dialog) {
            chooseWidth(dialog, 3);
            const GreyPicture grey = dialog.greyPicture();
            dialog.thresholdSlider->setValue(200);
            QCOMPARE(dialog.picture(), gridOf({"##.", "..#"}));
            dialog.invertBox->setChecked(true);
            QCOMPARE(dialog.picture(), gridOf({"..#", "##."}));
            QCOMPARE(dialog.greyPicture().values, grey.values);
            // 自動 back on puts Otsu's value on the slider again.
            dialog.autoBox->setChecked(true);
            QCOMPARE(dialog.thresholdSlider->value(), otsuThreshold(grey));
            dialog.cancelButton->click();
        });
    }

    void theSidesFollowTheAspectUntilUnlinked()
    {
        Session s;
        // One colour throughout: an image left uninitialised would give 余白を切り取る
        // whatever border the memory happened to hold.
        QImage wide(400, 100, QImage::Format_RGB32);
        wide.fill(Qt::white);
        const QString path = s.save(QStringLiteral("wide.png"), wide);
        s.importPicture(path, [](PictureImportDialog& dialog) {
            QCOMPARE(dialog.heightBox->value(), 8);  // 30 x 7.5, rounded
            dialog.heightBox->setValue(20);
            QCOMPARE(dialog.widthBox->value(), 80);  // 4 x 20, within the limit
            dialog.keepAspectBox->setChecked(false);
            dialog.widthBox->setValue(10);
            QCOMPARE(dialog.heightBox->value(), 20);
            QCOMPARE(dialog.picture().width, 10);
            QCOMPARE(dialog.picture().height, 20);
            dialog.widthBox->setValue(200);
            QCOMPARE(dialog.widthBox->value(), kMaxAnswerSide);
            dialog.cancelButton->click();
        });
    }

    // A side that would push the other past 80 is cut back with it: the aspect holds.
    void theAspectHoldsAtTheSizeLimit()
    {
        Session s;
        QImage page(794, 1123, QImage::Format_RGB32);
        page.fill(Qt::white);
        const QString path = s.save(QStringLiteral("page.png"), page);
        s.importPicture(path, [](PictureImportDialog& dialog) {
            QCOMPARE(dialog.widthBox->value(), 21);
            QCOMPARE(dialog.heightBox->value(), 30);
            chooseWidth(dialog, 80);
            QCOMPARE(dialog.widthBox->value(), 57);
            QCOMPARE(dialog.heightBox->value(), 80);
            QCOMPARE(dialog.picture().width, 57);
            QCOMPARE(dialog.picture().height, 80);
            dialog.heightBox->setValue(70);
            QCOMPARE(dialog.widthBox->value(), 49);
            dialog.cancelButton->click();
        });
    }

    // 余白を切り取る, ticked by default: only the drawing inside the uniform border is scaled,
    // and the aspect is the drawing's. A transparent background stays empty under 反転.
    void theBorderIsTrimmedAndTransparencyStaysBackground()
    {
        Session s;
        // A 2 x 3 drawing in a transparent border of 2 pixels left, 4 right, 1 above and below.
        const QString path = s.save(QStringLiteral("clip.png"),
                                    pictureFromRows({"        ", "  #.    ", "  .#    ", "  ##    ", "        "}));
        s.importPicture(path, [](PictureImportDialog& dialog) {
            QVERIFY(dialog.trimBox->isChecked());
            QCOMPARE(dialog.widthBox->value(), 20);
            QCOMPARE(dialog.heightBox->value(), 30);
            chooseWidth(dialog, 2);
            QCOMPARE(dialog.heightBox->value(), 3);
            QCOMPARE(dialog.picture(), gridOf({"#.", ".#", "##"}));
            dialog.invertBox->setChecked(true);
            QCOMPARE(dialog.picture(), gridOf({".#", "#.", ".."}));

            // Unticked, the whole picture is scaled; the width stays, the height follows.
            dialog.trimBox->setChecked(false);
            QCOMPARE(dialog.widthBox->value(), 2);
            QCOMPARE(dialog.heightBox->value(), 1);
            chooseWidth(dialog, 8);
            QCOMPARE(dialog.heightBox->value(), 5);
            QCOMPARE(dialog.picture(),
                     gridOf({"........", "...#....", "..#.....", "........", "........"}));
            dialog.cancelButton->click();
        });
    }

    void cancelAndARefusedClueSizeChangeNothing()
    {
        Session s;
        const BoardModel before = s.model;
        const QString path = s.save(QStringLiteral("pic.png"), pictureFromRows({"#.", ".#"}));
        s.importPicture(path, [](PictureImportDialog& dialog) {
            dialog.clueBox->setText(QStringLiteral("21"));
            dialog.okButton->click();  // refused: the dialog stays open
            QVERIFY(!dialog.chosenBoard());
            dialog.cancelButton->click();
        });
        QCOMPARE(s.desktop.messages.size(), std::size_t(1));
        QCOMPARE(s.desktop.messages[0].text, kClueSizeRangeMessage);
        QVERIFY(s.model == before);
        QCOMPARE(s.form.document().undoStack()->count(), 0);
        QCOMPARE(s.form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));
        QCOMPARE(s.ui.dialogFileName, QStringLiteral("/puzzles/cat.zml"));

        // Closing the dialog by its close box is a cancel too.
        s.importPicture(path, [](PictureImportDialog& dialog) { dialog.close(); });
        QVERIFY(s.model == before);
        QCOMPARE(s.form.document().undoStack()->count(), 0);
    }

    void aPictureOverTenThousandPixelsIsRefusedWithAMessage()
    {
        Session s;
        const BoardModel before = s.model;
        QImage wide(kMaxSourceImageSide + 1, 1, QImage::Format_RGB32);
        wide.fill(Qt::white);
        const QString path = s.save(QStringLiteral("wide.png"), wide);
        s.importPicture(path, [](PictureImportDialog&) { QFAIL("no dialog for a refused picture"); });
        QCOMPARE(s.dialogsRun, 0);
        QCOMPARE(s.desktop.messages.size(), std::size_t(1));
        QCOMPARE(s.desktop.messages[0].text, kSourceImageTooLargeMessage);
        QCOMPARE(s.desktop.messages[0].icon, MessageIcon::Critical);
        QVERIFY(s.model == before);
        QCOMPARE(s.form.document().undoStack()->count(), 0);
    }

    void makeUniqueInTheDialogRepairsThePreview()
    {
        Session s;
        const QString path = s.save(QStringLiteral("checker.png"), pictureFromRows(kCheckerboard));
        s.importPicture(path, [](PictureImportDialog& dialog) {
            chooseWidth(dialog, 4);
            QVERIFY(waitUntil([&] { return !dialog.verdictRunning(); }));
            QCOMPARE(dialog.picture(), gridOf(kCheckerboard));
            QVERIFY(dialog.makeUniqueButton->isEnabled());

            // A dropped proposal leaves the picture as it was.
            dialog.makeUniqueButton->click();
            QVERIFY(waitForDialogProposal(dialog));
            QVERIFY(!dialog.proposal().changed.empty());
            QCOMPARE(dialog.preview->grid(), dialog.proposal().picture);
            dialog.dropButton->click();
            QCOMPARE(dialog.picture(), gridOf(kCheckerboard));

            dialog.makeUniqueButton->click();
            QVERIFY(waitForDialogProposal(dialog));
            const solver::CellGrid repaired = dialog.proposal().picture;
            dialog.applyButton->click();
            QCOMPARE(dialog.picture(), repaired);
            QVERIFY(waitUntil([&] { return !dialog.verdictRunning(); }));
            QVERIFY(!dialog.makeUniqueButton->isEnabled());  // unique now: nothing to offer
            dialog.okButton->click();
        });
        QCOMPARE(s.model.answerWidth(), 4);
        QCOMPARE(s.model.answerHeight(), 4);
        QCOMPARE(referenceVerdict(s.model).verdict, solver::Verdict::Unique);
        QVERIFY(writtenCluesSolveTo(s.model, pictureFromBoard(s.model), false));
        QCOMPARE(s.form.document().undoStack()->count(), 1);
    }

    // The repair's progress, the proposal's sentences and its buttons have their room from the
    // start: the dialog neither grows nor moves its buttons, so a window manager that keeps its
    // size cannot push OK and キャンセル off it, even when the author made it as small as it goes.
    void okAndCancelStayInTheDialogWhileAProposalShows()
    {
        Session s;
        const QString path = s.save(QStringLiteral("checker.png"), pictureFromRows(kCheckerboard));
        s.importPicture(path, [](PictureImportDialog& dialog) {
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            chooseWidth(dialog, 4);
            QVERIFY(waitUntil([&] { return !dialog.verdictRunning(); }));
            dialog.resize(1, 1);  // held at its minimum size
            QCoreApplication::processEvents();
            const QSize size = dialog.size();
            const QPoint ok = dialog.okButton->mapTo(&dialog, QPoint(0, 0));

            dialog.makeUniqueButton->click();
            QCoreApplication::processEvents();  // the layout with the progress bar shown
            QCOMPARE(dialog.size(), size);
            QVERIFY(waitForDialogProposal(dialog));
            QCoreApplication::processEvents();
            QCOMPARE(dialog.size(), size);
            QCOMPARE(dialog.okButton->mapTo(&dialog, QPoint(0, 0)), ok);
            for (QWidget* button : {static_cast<QWidget*>(dialog.okButton), static_cast<QWidget*>(dialog.cancelButton),
                                    static_cast<QWidget*>(dialog.applyButton), static_cast<QWidget*>(dialog.dropButton)}) {
                QVERIFY(button->isVisible());
                const QRect inDialog(button->mapTo(&dialog, QPoint(0, 0)), button->size());
                QVERIFY2(dialog.rect().contains(inDialog), qPrintable(button->property("text").toString()));
            }
            dialog.cancelButton->click();
        });
    }

    // A dialog closed while its repair runs stops the repair: no proposal turns up afterwards
    // and the board stays as it was.
    void closingTheDialogWhileARepairRunsKeepsNothing()
    {
        Session s;
        const BoardModel before = s.model;
        const QString path = s.save(QStringLiteral("checker.png"), pictureFromRows(kCheckerboard));
        s.importPicture(path, [](PictureImportDialog& dialog) {
            dialog.show();
            chooseWidth(dialog, 4);
            QVERIFY(waitUntil([&] { return !dialog.verdictRunning(); }));
            dialog.makeUniqueButton->click();
            QVERIFY(dialog.repairRunning());
            dialog.close();  // its close box
            QVERIFY(!dialog.repairRunning());
            QTest::qWait(50);
            QVERIFY(!dialog.hasProposal());
        });
        QVERIFY(s.model == before);
        QCOMPARE(s.form.document().undoStack()->count(), 0);
    }

    // ---------------------------------------------------------------- the check window

    void checkWindowRepairIsOneUndoStepAndChecksAgain()
    {
        Session s;
        s.model = test::boardWithAnswer(2, kCheckerboard);
        deriveClues(s.model);
        QCOMPARE(referenceVerdict(s.model).verdict, solver::Verdict::Multiple);
        const BoardModel before = s.model;

        s.form.openCheckWindow();
        PuzzleCheckWindow& window = *s.ui.checkWindow;
        QVERIFY(waitUntil([&] { return !window.isRunning(); }));
        QVERIFY(window.makeUniqueButton->isVisible());
        QVERIFY(window.lineSolvableButton->isVisible());

        // The drawing agrees with the clues, so it is what gets repaired.
        QSignalSpy repaired(&window, &PuzzleCheckWindow::repairFinished);
        window.makeUniqueButton->click();
        QVERIFY(repaired.wait(60000) || repaired.count() == 1);
        QVERIFY(window.hasProposal());
        const solver::MakeUniqueResult proposal = window.proposal();
        const solver::CellGrid drawn = gridOf(kCheckerboard);
        for (std::size_t i = 0; i < drawn.cells.size(); ++i) {
            const bool changed = std::find(proposal.changed.begin(), proposal.changed.end(),
                                           static_cast<int>(i)) != proposal.changed.end();
            QCOMPARE(proposal.picture.cells[i] != drawn.cells[i], changed);
        }
        QVERIFY(s.model == before);  // nothing happens before the author accepts
        QCOMPARE(s.form.document().undoStack()->count(), 0);

        window.applyButton->click();
        QCOMPARE(s.form.document().undoStack()->count(), 1);
        QCOMPARE(s.form.document().undoStack()->undoText(), QStringLiteral("一意にする"));
        QCOMPARE(pictureFromBoard(s.model), proposal.picture);
        BoardModel derived = s.model;
        deriveClues(derived);
        QVERIFY(derived == s.model);
        QCOMPARE(referenceVerdict(s.model).verdict, solver::Verdict::Unique);
        QVERIFY(writtenCluesSolveTo(s.model, proposal.picture, false));
        // The check runs again on the repaired board.
        QVERIFY(window.isRunning() || window.resultText().startsWith(QStringLiteral("解はただ一つです。")));
        QVERIFY(waitUntil([&] { return !window.isRunning(); }));
        QVERIFY(window.resultText().startsWith(QStringLiteral("解はただ一つです。")));

        s.form.document().undoStack()->undo();
        QVERIFY(s.model == before);
    }

    void checkWindowDropAndStopChangeNothing()
    {
        Session s;
        s.model = test::boardWithAnswer(2, kCheckerboard);
        deriveClues(s.model);
        const BoardModel before = s.model;
        s.form.openCheckWindow();
        PuzzleCheckWindow& window = *s.ui.checkWindow;
        QVERIFY(waitUntil([&] { return !window.isRunning(); }));

        QSignalSpy repaired(&window, &PuzzleCheckWindow::repairFinished);
        window.lineSolvableButton->click();
        QVERIFY(repaired.wait(60000) || repaired.count() == 1);
        QVERIFY(window.hasProposal());
        QVERIFY(window.proposal().lineSolvable);
        QVERIFY(test::referenceSolve(solver::puzzleFromPicture(window.proposal().picture)).lineSolvable);
        window.dropButton->click();
        QVERIFY(!window.hasProposal());
        QVERIFY(window.makeUniqueButton->isVisible());  // offered again

        // A stop, whether it comes before or after the end, changes nothing either.
        window.makeUniqueButton->click();
        window.cancelButton->click();
        QVERIFY(waitUntil([&] { return !window.isRepairing(); }));
        window.dropProposal();
        QVERIFY(s.model == before);
        QCOMPARE(s.form.document().undoStack()->count(), 0);
    }

    void aChangeOfTheBoardWithdrawsTheProposal()
    {
        Session s;
        s.model = test::boardWithAnswer(2, kCheckerboard);
        deriveClues(s.model);
        s.form.openCheckWindow();
        PuzzleCheckWindow& window = *s.ui.checkWindow;
        QVERIFY(waitUntil([&] { return !window.isRunning(); }));
        QSignalSpy repaired(&window, &PuzzleCheckWindow::repairFinished);
        window.makeUniqueButton->click();
        QVERIFY(repaired.wait(60000) || repaired.count() == 1);
        QVERIFY(window.hasProposal());

        // The author draws on the board: the proposal was for the board before.
        s.form.document().runAsStep(QStringLiteral("鉛筆"), [&] { s.model.board(2, 3) = kFilled; });
        const BoardModel drawn = s.model;
        QVERIFY(!window.hasProposal());
        QVERIFY(!window.applyButton->isVisible());
        QVERIFY(!window.makeUniqueButton->isVisible());
        window.applyProposal();
        QVERIFY(s.model == drawn);
        QCOMPARE(s.form.document().undoStack()->count(), 1);
    }

    void aPuzzleWithoutItsPictureIsRepairedFromItsFirstSolution()
    {
        Session s;
        s.model = test::boardWithAnswer(2, kCheckerboard);
        deriveClues(s.model);
        for (int y = 2; y < 6; ++y)
            for (int x = 2; x < 6; ++x)
                s.model.board(x, y) = kEmpty;  // the clues alone, as a loaded puzzle
        s.form.openCheckWindow();
        PuzzleCheckWindow& window = *s.ui.checkWindow;
        QVERIFY(waitUntil([&] { return !window.isRunning(); }));
        const solver::CellGrid first = window.report().grids.at(0);

        QSignalSpy repaired(&window, &PuzzleCheckWindow::repairFinished);
        window.makeUniqueButton->click();
        QVERIFY(repaired.wait(60000) || repaired.count() == 1);
        const solver::MakeUniqueResult proposal = window.proposal();
        std::size_t differing = 0;
        for (std::size_t i = 0; i < first.cells.size(); ++i)
            differing += proposal.picture.cells[i] != first.cells[i];
        QCOMPARE(differing, proposal.changed.size());
        window.applyButton->click();
        QCOMPARE(pictureFromBoard(s.model), proposal.picture);
        QCOMPARE(referenceVerdict(s.model).verdict, solver::Verdict::Unique);
        QVERIFY(writtenCluesSolveTo(s.model, proposal.picture, false));
    }

    // ---------------------------------------------------------------- a repair that adds runs

    void aRepairWithMoreRunsThanTheBandWidensIt_data()
    {
        QTest::addColumn<bool>("lineSolvable");
        QTest::newRow("一意にする") << false;
        QTest::newRow("線だけで解けるようにする") << true;
    }

    // The check window: the band of two widens to three, the board's clues are the repaired
    // picture's and the verdict after 適用 is theirs.
    void aRepairWithMoreRunsThanTheBandWidensIt()
    {
        QFETCH(bool, lineSolvable);
        Session s;
        s.model = test::boardWithAnswer(2, kRepairAddsARun);
        deriveClues(s.model);
        s.form.openCheckWindow();
        PuzzleCheckWindow& window = *s.ui.checkWindow;
        QVERIFY(waitUntil([&] { return !window.isRunning(); }));

        QSignalSpy repaired(&window, &PuzzleCheckWindow::repairFinished);
        (lineSolvable ? window.lineSolvableButton : window.makeUniqueButton)->click();
        QVERIFY(repaired.wait(60000) || repaired.count() == 1);
        QVERIFY(window.hasProposal());
        const solver::CellGrid shown = window.proposal().picture;
        QCOMPARE(cluesNeeded(shown), 3);
        QVERIFY(window.resultText().contains(QStringLiteral("問題欄を3に広げます")));
        window.applyButton->click();

        QCOMPARE(int(s.model.clueSize), 3);
        QVERIFY(writtenCluesSolveTo(s.model, shown, lineSolvable));
        QVERIFY(waitUntil([&] { return !window.isRunning(); }));
        QVERIFY(window.resultText().startsWith(QStringLiteral("解はただ一つです。")));
        s.form.document().undoStack()->undo();
        QCOMPARE(int(s.model.clueSize), 2);
        QCOMPARE(pictureFromBoard(s.model), gridOf(kRepairAddsARun));
    }

    // The import dialog: its clue band follows the repaired picture, and OK writes that band.
    void aRepairInTheDialogWidensItsClueBand_data() { aRepairWithMoreRunsThanTheBandWidensIt_data(); }

    void aRepairInTheDialogWidensItsClueBand()
    {
        QFETCH(bool, lineSolvable);
        Session s;
        const QString path = s.save(QStringLiteral("runs.png"), pictureFromRows(kRepairAddsARun));
        solver::CellGrid shown;
        s.importPicture(path, [&](PictureImportDialog& dialog) {
            chooseWidth(dialog, 5);
            QVERIFY(waitUntil([&] { return !dialog.verdictRunning(); }));
            QCOMPARE(dialog.picture(), gridOf(kRepairAddsARun));
            QCOMPARE(dialog.clueBox->text(), QStringLiteral("2"));
            dialog.startMakeUnique(lineSolvable);
            QVERIFY(waitForDialogProposal(dialog));
            shown = dialog.proposal().picture;
            dialog.applyButton->click();
            QCOMPARE(dialog.clueBox->text(), QStringLiteral("3"));
            QVERIFY(dialog.clueNote->text().isEmpty());
            QVERIFY(waitUntil([&] { return !dialog.verdictRunning(); }));
            QVERIFY(dialog.verdictLabel->text().startsWith(QStringLiteral("解はただ一つです。")));
            dialog.okButton->click();
        });
        QCOMPARE(int(s.model.clueSize), 3);
        QVERIFY(writtenCluesSolveTo(s.model, shown, lineSolvable));
    }
};

QTEST_MAIN(PictureImportAndRepairTest)
#include "test_picture_import_and_repair.moc"
