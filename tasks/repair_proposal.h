// A repair proposal in flight, for the check window and the picture import dialog alike: the
// make-unique run started on a picture, the proposal it came to, applied or withdrawn.
#pragma once

#include "author/repair_offer.h"
#include "solve/engine/make_unique.h"

#include <QObject>

#include <optional>
#include <vector>

namespace zumeli {

class BackgroundTask;

class RepairProposal : public QObject {
    Q_OBJECT

public:
    explicit RepairProposal(RepairTarget target, QObject* parent = nullptr);
    ~RepairProposal() override;  // a run still going is stopped and its result dropped

    // Starts repairing `start` (line-solvable when asked), to be written with a clue band of
    // `clueSize` at least. A run or a proposal before is withdrawn first.
    void propose(const solver::CellGrid& start, bool lineSolvable, int clueSize);
    // Asks the run to stop: finished() still comes, saying it was stopped.
    void cancel();
    // Stops a run without a word and drops the proposal.
    void withdraw();
    // The proposal's picture for the caller to apply; the proposal is gone afterwards.
    std::optional<solver::CellGrid> take();

    bool isRunning() const;
    bool hasProposal() const { return proposal_.has_value(); }
    const solver::MakeUniqueResult& proposal() const { return *proposal_; }
    // The picture the last run started from, and its mode.
    const solver::CellGrid& start() const { return start_; }
    bool lineSolvable() const { return lineSolvable_; }
    // What the last finished run came to: the proposal's sentences or why there is none.
    const RepairOutcome& outcome() const { return outcome_; }
    // The cells the proposal changes, row by row.
    std::vector<bool> marks() const;

signals:
    // The run's progress, 0..1.
    void progressed(double fraction);
    // A run ended: outcome() says how, hasProposal() whether a proposal waits.
    void finished();

private:
    RepairTarget target_;
    BackgroundTask* task_ = nullptr;
    solver::CellGrid start_;
    bool lineSolvable_ = false;
    std::optional<solver::MakeUniqueResult> proposal_;
    RepairOutcome outcome_;
};

} // namespace zumeli
