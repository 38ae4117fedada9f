// The puzzle check window: runs the solver engine on the clue band off the event thread and
// tells whether the clues have no solution, one or several, without touching the board. When
// the clues have several solutions, or one that needs search, it offers to repair the picture
// and proposes the changed cells; an accepted proposal goes to the main window by a signal.
#pragma once

#include "author/repair_offer.h"
#include "board/board_model.h"
#include "solve/check_report.h"
#include "solve/engine/make_unique.h"
#include "solve/engine/solver.h"
#include "widgets/cell_grid_view.h"
#include "widgets/retranslation.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QHBoxLayout;
class QVBoxLayout;

namespace zumeli {

class BackgroundTask;
class RepairProposal;

class PuzzleCheckWindow : public QDialog {
    Q_OBJECT

public:
    explicit PuzzleCheckWindow(QWidget* parent = nullptr);
    ~PuzzleCheckWindow() override;

    // Starts checking the clues of `model` (a copy is taken; the board is never changed).
    void startCheck(const BoardModel& model);
    // Stops a check or a repair that is running.
    void cancel();
    bool isRunning() const;

    // Repairs the picture of the last check: the drawn answer cells when they agree with the
    // clues, otherwise the first solution found. Offered after a check that found several
    // solutions or ran out of time (both modes), or found one that needs search
    // (line-solvable only).
    void startRepair(bool lineSolvable);
    bool isRepairing() const;
    bool hasProposal() const;
    const solver::MakeUniqueResult& proposal() const;
    // The proposal accepted (repairAccepted is emitted) or dropped (the check's result shows
    // again).
    void applyProposal();
    void dropProposal();
    // The board changed after the check: its offers and any repair are for a board that is
    // gone, and are withdrawn until the next check.
    void boardChanged();

    QString resultText() const;
    const CheckReport& report() const { return report_; }

    // The longest a check may run before it is given up.
    static constexpr double kTimeLimitSeconds = 120;

    QPushButton* checkButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* makeUniqueButton = nullptr;   // 一意にする
    QPushButton* lineSolvableButton = nullptr; // 線だけで解けるようにする
    QPushButton* applyButton = nullptr;
    QPushButton* dropButton = nullptr;

signals:
    void checkRequested();
    void finished();
    // The author accepted a repair named `stepName`: the answer area should become `picture`.
    void repairAccepted(const QString& stepName, const solver::CellGrid& picture);
    // A repair run ended: a proposal shows, or it was stopped or found nothing.
    void repairFinished();

protected:
    void changeEvent(QEvent* event) override;

private:
    Retranslation texts_;
    void showResult(const solver::SolveResult& result, const solver::CellGrid& drawn,
                    std::optional<solver::Difficulty> difficulty);
    // The last check's sentences and pictures, and the repairs it allows.
    void showReport(const QString& note = {});
    void showPictures(const std::vector<solver::CellGrid>& grids, const QStringList& captions,
                      const std::vector<std::vector<bool>>& marked);
    void showButtons();
    // A repair run ended: its proposal shows, or the check's result with why there is none.
    void showRepairOutcome();

    QLabel* text_ = nullptr;
    // What text_ says while a check or a repair runs, in the language of the moment: a change
    // of language while it runs says it again.
    std::function<QString()> runningText_;
    QProgressBar* progress_ = nullptr;
    QHBoxLayout* pictures_ = nullptr;
    std::vector<QWidget*> pictureWidgets_;
    CheckReport report_;
    QString reportText_;
    // What the last check allows to repair, and the picture a repair starts from.
    RepairOffer offer_;
    solver::CellGrid repairPicture_;
    int checkedClueSize_ = 0;   // the clue band of the board checked last
    bool drawnAgrees_ = false;  // the drawing of the board checked last agrees with its clues
    BackgroundTask* checkTask_ = nullptr;
    RepairProposal* repair_ = nullptr;
};

} // namespace zumeli
