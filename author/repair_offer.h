// The repair of an ambiguous picture as the check window and the picture import dialog offer
// it: which of 「一意にする」 and 「線だけで解けるようにする」 a verdict allows, the picture it
// starts from, and what the author reads while it runs and once it ends.
#pragma once

#include "solve/engine/make_unique.h"
#include "solve/engine/solver.h"

#include <QString>

#include <optional>

namespace zumeli {

// The repairs a verdict allows. Whatever may be made unique may also be made line-solvable.
struct RepairOffer {
    bool unique = false;        // 一意にする
    bool lineSolvable = false;  // 線だけで解けるようにする
    bool allows(bool lineSolvableMode) const { return lineSolvableMode ? lineSolvable : unique; }
    bool operator==(const RepairOffer&) const = default;
};

// Several solutions: both repairs. One solution that needs search: the line-solvable one.
// Out of time: both, for clues that run out of time most often have several solutions and the
// repair decides; but only with a picture to start from (`haveStart`). Nothing otherwise: no
// solution, one that line logic reaches, a cancelled or node-limited check.
RepairOffer repairOffer(const solver::SolveResult& result, bool haveStart);

// The picture a repair of checked clues starts from: the author's drawing when it fits the
// clues (`drawnFits`), otherwise the first solution the check found; nothing when neither.
std::optional<solver::CellGrid> repairStart(const solver::SolveResult& result,
                                            const solver::CellGrid& drawn, bool drawnFits);

// Where a proposal goes once applied: the board (the check window), or the picture the import
// dialog's preview stands for. Each says it in its own words.
enum class RepairTarget { Board, Preview };

// The sentence shown while a repair runs.
QString repairRunningText(RepairTarget target, bool lineSolvable);

// What a finished repair run comes to.
struct RepairOutcome {
    bool proposed = false;  // a proposal waits to be applied or withdrawn
    int clueSize = 0;       // the clue band that holds every run of the proposal
    QString text;           // the proposal's sentences, or why there is none
};

// Judges the run's `result` for a board whose clue band is `clueSize`: stopped, no repair
// found, a repaired picture with more runs than the widest clue band holds (no repair: its
// clues could not all be written), or a proposal, with the band widened when its runs need it.
RepairOutcome repairOutcome(RepairTarget target, const solver::MakeUniqueResult& result, int clueSize);

} // namespace zumeli
