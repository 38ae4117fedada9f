// Cell grids: ASCII pictures, goal strings and checking a picture against clues.
#include "solve/engine/puzzle.h"

#include <stdexcept>

namespace zumeli::solver {

std::string CellGrid::toAscii() const
{
    std::string out;
    out.reserve(static_cast<std::size_t>(width + 1) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Cell c = at(x, y);
            out += c == Cell::Filled ? '#' : c == Cell::Empty ? '.' : '?';
        }
        out += '\n';
    }
    return out;
}

CellGrid CellGrid::fromAscii(std::string_view picture)
{
    std::vector<std::string_view> lines;
    while (!picture.empty()) {
        const std::size_t end = picture.find('\n');
        lines.push_back(picture.substr(0, end));
        if (end == std::string_view::npos)
            break;
        picture.remove_prefix(end + 1);
    }
    const int h = static_cast<int>(lines.size());
    const int w = h == 0 ? 0 : static_cast<int>(lines[0].size());
    CellGrid grid(w, h);
    for (int y = 0; y < h; ++y) {
        if (static_cast<int>(lines[y].size()) != w)
            throw std::invalid_argument("picture rows differ in length");
        for (int x = 0; x < w; ++x) {
            const char c = lines[y][x];
            grid.at(x, y) = c == '#' ? Cell::Filled
                : (c == '.' || c == ' ') ? Cell::Empty
                : c == '?' ? Cell::Unknown
                : throw std::invalid_argument(std::string("unexpected picture character '") + c + "'");
        }
    }
    return grid;
}

CellGrid CellGrid::fromGoal(const Puzzle& puzzle)
{
    const int w = puzzle.width();
    const int h = puzzle.height();
    if (puzzle.goal.size() != static_cast<std::size_t>(w) * static_cast<std::size_t>(h))
        return {};
    CellGrid grid(w, h);
    for (std::size_t i = 0; i < puzzle.goal.size(); ++i) {
        const char c = puzzle.goal[i];
        if (c != '0' && c != '1')
            return {};
        grid.cells[i] = c == '1' ? Cell::Filled : Cell::Empty;
    }
    return grid;
}

void runsOfCells(const std::vector<Cell>& cells, int first, int count, int step, std::vector<int>& runs)
{
    runs.clear();
    int current = 0;
    for (int i = 0; i < count; ++i) {
        if (cells[static_cast<std::size_t>(first + i * step)] == Cell::Filled) {
            ++current;
        } else if (current > 0) {
            runs.push_back(current);
            current = 0;
        }
    }
    if (current > 0)
        runs.push_back(current);
}

std::vector<int> runsOfCells(const std::vector<Cell>& cells, int first, int count, int step)
{
    std::vector<int> runs;
    runsOfCells(cells, first, count, step, runs);
    return runs;
}

std::vector<int> runsOfLine(const std::vector<Cell>& line)
{
    return runsOfCells(line, 0, static_cast<int>(line.size()), 1);
}

Puzzle puzzleFromPicture(const CellGrid& picture)
{
    Puzzle puzzle;
    std::vector<Cell> line;
    for (int y = 0; y < picture.height; ++y) {
        line.assign(picture.cells.begin() + static_cast<std::ptrdiff_t>(y) * picture.width,
                    picture.cells.begin() + static_cast<std::ptrdiff_t>(y + 1) * picture.width);
        puzzle.rows.push_back(runsOfLine(line));
    }
    for (int x = 0; x < picture.width; ++x) {
        line.clear();
        for (int y = 0; y < picture.height; ++y)
            line.push_back(picture.at(x, y));
        puzzle.columns.push_back(runsOfLine(line));
    }
    return puzzle;
}

bool satisfiesClues(const Puzzle& puzzle, const CellGrid& picture)
{
    if (picture.width != puzzle.width() || picture.height != puzzle.height())
        return false;
    for (const Cell c : picture.cells)
        if (c == Cell::Unknown)
            return false;
    const Puzzle clues = puzzleFromPicture(picture);
    auto withoutZeros = [](std::vector<int> runs) {
        std::erase(runs, 0);
        return runs;
    };
    for (std::size_t i = 0; i < clues.rows.size(); ++i)
        if (clues.rows[i] != withoutZeros(puzzle.rows[i]))
            return false;
    for (std::size_t i = 0; i < clues.columns.size(); ++i)
        if (clues.columns[i] != withoutZeros(puzzle.columns[i]))
            return false;
    return true;
}

} // namespace zumeli::solver
