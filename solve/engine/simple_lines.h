// The simple line rules (overlap and reach from the extreme placements of a line's runs), for
// one line and over a whole grid to their fixed point.
#pragma once

#include "solve/engine/line_state.h"
#include "solve/engine/puzzle.h"

#include <vector>

namespace zumeli::solver {

// The simple line rules for one line of `runs` (positive lengths) on the known cells of
// `line`: sets the cells they decide and returns false (the line untouched) when no placement
// agrees with the known cells.
bool simpleLineRules(const std::vector<int>& runs, std::vector<Cell>& line);

// The simple line rules over every line of `state` from its known cells until no line
// changes, recording the cells they decide. False when they meet a contradiction (the queue is
// then emptied) or when the limits stop the run (see limits.stopped()). What they decide is
// implied by line logic, so full line logic from here reaches the same fixed point as from
// the start.
bool propagateSimpleLines(LineState& state, RunLimits& limits);

// Whether the filled cells of `line`, every cell of it known, form exactly its runs.
bool lineMatchesRuns(const LineState& state, int line);

} // namespace zumeli::solver
