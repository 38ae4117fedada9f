// The hint, the mistakes and the finished lines, over the board model's clue band and marks.
#include "solve/hint.h"

#include "formats/board_clues.h"
#include "solve/engine/line_state.h"

#include <algorithm>

namespace zumeli {

namespace {

using solver::LineState;

// The line logic over the engine's state to a fixed point; false on a contradiction.
bool propagatesCleanly(LineState state)
{
    solver::RunLimits limits(solver::SolveOptions{}, solver::Clock::now());
    state.enqueueAll();
    return solver::propagateLines(state, limits);
}

Hint contradiction(const LineState& blank, std::optional<BoardLine> line)
{
    Hint hint;
    hint.kind = propagatesCleanly(blank) ? Hint::Kind::MarksContradict : Hint::Kind::CluesContradict;
    if (hint.kind == Hint::Kind::MarksContradict)
        hint.line = line;
    return hint;
}

// Why the clues give no hint at all, if they give none: a negative number (no run has that
// length), or no number anywhere.
std::optional<Hint::Kind> unusableClues(const solver::Puzzle& puzzle)
{
    bool anyNumber = false;
    for (const auto* lines : {&puzzle.columns, &puzzle.rows}) {
        for (const std::vector<int>& runs : *lines) {
            if (std::any_of(runs.begin(), runs.end(), [](int number) { return number < 0; }))
                return Hint::Kind::BadClues;
            anyNumber = anyNumber || !runs.empty();
        }
    }
    if (!anyNumber)
        return Hint::Kind::NoClues;
    return std::nullopt;
}

// The engine's state with the player's marks: filled cells known filled, crosses known empty.
LineState markedState(const BoardModel& model, const LineState& blank)
{
    LineState marked = blank;
    for (int y = 0; y < model.answerHeight(); ++y) {
        for (int x = 0; x < model.answerWidth(); ++x) {
            const int16 value = model.board(model.clueSize + x, model.clueSize + y);
            if (value == kFilled || value == kCross)
                marked.set(y * model.answerWidth() + x, value == kFilled);
        }
    }
    return marked;
}

} // namespace

Hint findHint(const BoardModel& model)
{
    Hint hint;
    const solver::Puzzle puzzle = puzzleFromBoard(model);
    if (const std::optional<Hint::Kind> unusable = unusableClues(puzzle)) {
        hint.kind = *unusable;
        return hint;
    }
    const std::vector<BoardLine> lines = answerLines(model);
    if (std::all_of(lines.begin(), lines.end(), [&](BoardLine line) { return lineFinished(model, line); })) {
        hint.kind = Hint::Kind::Finished;
        return hint;
    }

    const LineState blank(puzzle.rows, puzzle.columns);
    LineState marked = markedState(model, blank);
    // Each line alone, in the fixed order; the first line that cannot hold its marks is the
    // one reported.
    std::size_t bestCount = 0;
    for (const BoardLine line : lines) {
        const int engine = solverLine(model, line);
        if (!marked.solve(engine))
            return contradiction(blank, line);
        std::vector<BoardPoint> fill;
        std::vector<BoardPoint> cross;
        marked.forEachNewlySolved(engine, [&](int cell, bool isFilled) {
            const BoardPoint point = linePoint(line, model.clueSize + marked.positionIn(engine, cell));
            (isFilled ? fill : cross).push_back(point);
        });
        if (fill.size() + cross.size() > bestCount) {
            bestCount = fill.size() + cross.size();
            hint.line = line;
            hint.toFill = std::move(fill);
            hint.toCross = std::move(cross);
        }
    }
    // Every line holds its marks, but together they may still lead to a contradiction.
    if (!propagatesCleanly(marked))
        return contradiction(blank, std::nullopt);
    hint.kind = bestCount > 0 ? Hint::Kind::Cells : Hint::Kind::NeedsSearch;
    if (bestCount == 0)
        hint.line.reset();
    return hint;
}

std::vector<BoardPoint> mistakeCells(const BoardModel& model, const solver::CellGrid& solution)
{
    std::vector<BoardPoint> mistakes;
    for (int y = 0; y < model.answerHeight(); ++y) {
        for (int x = 0; x < model.answerWidth(); ++x) {
            const int16 bx = toInt16(model.clueSize + x);
            const int16 by = toInt16(model.clueSize + y);
            const int16 value = model.board(bx, by);
            const solver::Cell right = solution.at(x, y);
            if ((value == kFilled && right == solver::Cell::Empty)
                || (value == kCross && right == solver::Cell::Filled))
                mistakes.push_back({bx, by});
        }
    }
    return mistakes;
}

bool lineFinished(const BoardModel& model, BoardLine line)
{
    return runsOfLine(model, line) == clueNumbers(model, line);
}

} // namespace zumeli
