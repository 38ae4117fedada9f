// The canonical text of a puzzle's clues that its progress is kept under.
#include "formats/puzzle_key.h"

#include "formats/board_clues.h"

namespace zumeli {

namespace {

void appendLines(std::string& key, const std::vector<std::vector<int>>& lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            key += ',';
        // A zero some readers keep for an empty line is no run.
        std::string runs;
        for (const int run : lines[i]) {
            if (run == 0)
                continue;
            if (!runs.empty())
                runs += '.';
            runs += std::to_string(run);
        }
        key += runs.empty() ? std::string("0") : runs;
    }
}

} // namespace

std::string puzzleKey(const solver::Puzzle& puzzle)
{
    std::string key = std::to_string(puzzle.width()) + 'x' + std::to_string(puzzle.height()) + ':';
    appendLines(key, puzzle.rows);
    key += '/';
    appendLines(key, puzzle.columns);
    return key;
}

std::string puzzleKey(const BoardModel& model) { return puzzleKey(puzzleFromBoard(model)); }

} // namespace zumeli
