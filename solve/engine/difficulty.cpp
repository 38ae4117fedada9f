// Grading a unique puzzle by the weakest reasoning that solves it (see difficulty.h).
#include "solve/engine/difficulty.h"

#include "solve/engine/line_state.h"
#include "solve/engine/probing.h"
#include "solve/engine/simple_lines.h"

#include <algorithm>
#include <stdexcept>

namespace zumeli::solver {

namespace {

constexpr Difficulty kGrades[] = {
    {1, "simple-lines"},
    {2, "lines"},
    {3, "probing"},
    {4, "search"},
};

// Whether the simple line rules alone fill the picture; nothing when the limits stop them.
std::optional<bool> simpleRulesSolve(const Puzzle& puzzle, RunLimits& limits)
{
    LineState state(positiveRuns(puzzle.rows), positiveRuns(puzzle.columns));
    const bool consistent = propagateSimpleLines(state, limits);
    if (limits.stopped())
        return std::nullopt;
    return consistent && state.unknownCount() == 0;
}

// Whether probing from what line logic decided fills the picture; nothing when the limits
// stop it. Only the value against the solution is tried for each cell.
std::optional<bool> probingSolves(const Puzzle& puzzle, const SolveResult& unique, RunLimits& limits)
{
    const ProbeOutcome outcome = probeFromLineGrid(puzzle, unique.lineGrid, limits, &unique.solutions.front());
    if (outcome == ProbeOutcome::Stopped)
        return std::nullopt;
    return outcome == ProbeOutcome::Filled;
}

} // namespace

const char* difficultyName(int grade)
{
    return grade >= 1 && grade <= 4 ? kGrades[grade - 1].name : "";
}

std::optional<Difficulty> gradeDifficulty(const Puzzle& puzzle, const SolveResult& unique, const SolveOptions& options)
{
    if (unique.verdict != Verdict::Unique || unique.solutions.empty())
        throw std::invalid_argument("only a puzzle with exactly one solution has a difficulty");
    RunLimits limits(options, Clock::now());
    if (limits.checkNow())
        return std::nullopt;
    if (unique.difficulty >= 1 && unique.difficulty <= 4)
        return kGrades[unique.difficulty - 1]; // the solve learned it on the way
    if (unique.lineSolvable) {
        const std::optional<bool> simple = simpleRulesSolve(puzzle, limits);
        if (!simple)
            return std::nullopt;
        return kGrades[*simple ? 0 : 1];
    }
    const std::optional<bool> probed = probingSolves(puzzle, unique, limits);
    if (!probed)
        return std::nullopt;
    return kGrades[*probed ? 2 : 3];
}

} // namespace zumeli::solver
