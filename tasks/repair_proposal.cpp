// The repair proposal in flight: its make-unique run, its outcome and its proposal.
#include "tasks/repair_proposal.h"

#include "solve/check_report.h"
#include "tasks/background_task.h"

namespace zumeli {

RepairProposal::RepairProposal(RepairTarget target, QObject* parent)
    : QObject(parent), target_(target), task_(new BackgroundTask(this))
{
    connect(task_, &BackgroundTask::progressed, this, &RepairProposal::progressed);
    connect(task_, &BackgroundTask::finished, this, &RepairProposal::finished);
}

RepairProposal::~RepairProposal() { task_->discard(); }

void RepairProposal::propose(const solver::CellGrid& start, bool lineSolvable, int clueSize)
{
    withdraw();
    start_ = start;
    lineSolvable_ = lineSolvable;
    // A run that fails hands back nothing: it found no repair.
    outcome_ = repairOutcome(target_, solver::MakeUniqueResult{}, clueSize);
    runMakeUnique(*task_, start, lineSolvable, [this, clueSize](const solver::MakeUniqueResult& result) {
        outcome_ = repairOutcome(target_, result, clueSize);
        if (outcome_.proposed)
            proposal_ = result;
    });
}

void RepairProposal::cancel() { task_->cancel(); }

void RepairProposal::withdraw()
{
    task_->discard();
    proposal_.reset();
}

std::optional<solver::CellGrid> RepairProposal::take()
{
    if (!proposal_)
        return std::nullopt;
    const solver::CellGrid picture = proposal_->picture;
    proposal_.reset();
    return picture;
}

bool RepairProposal::isRunning() const { return task_->isRunning(); }

std::vector<bool> RepairProposal::marks() const
{
    return proposal_ ? differingCells(start_, proposal_->picture) : std::vector<bool>{};
}

} // namespace zumeli
