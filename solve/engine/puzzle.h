// The puzzle the solver works on (clue lists of any size, properties) and its cell grids.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zumeli::solver {

// Clue lists: rows top to bottom (runs left to right), columns left to right (runs top to
// bottom). A line without runs is an empty vector. The properties are kept for file writers.
struct Puzzle {
    std::vector<std::vector<int>> rows;
    std::vector<std::vector<int>> columns;
    std::string title;
    std::string author;
    std::string copyright;
    std::string catalogue;
    // The intended picture when a file carries one: width*height '0'/'1' characters, row by
    // row. Empty when unknown.
    std::string goal;

    int width() const { return static_cast<int>(columns.size()); }
    int height() const { return static_cast<int>(rows.size()); }
};

enum class Cell : std::uint8_t { Unknown = 0, Filled = 1, Empty = 2 };

// A width x height picture of cells, row by row.
struct CellGrid {
    int width = 0;
    int height = 0;
    std::vector<Cell> cells;

    CellGrid() = default;
    CellGrid(int w, int h, Cell fill = Cell::Unknown)
        : width(w), height(h), cells(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill)
    {
    }

    Cell at(int x, int y) const { return cells[static_cast<std::size_t>(y) * width + x]; }
    Cell& at(int x, int y) { return cells[static_cast<std::size_t>(y) * width + x]; }
    bool operator==(const CellGrid&) const = default;

    // Rows of '#' (filled), '.' (empty) and '?' (unknown), each ended by '\n'.
    std::string toAscii() const;
    // Reads rows written with '#' for filled, '.' or ' ' for empty and '?' for unknown.
    // Rows are separated by '\n' (a trailing one is optional) and must be equally long.
    static CellGrid fromAscii(std::string_view picture);
    // The intended picture of a puzzle built from its '0'/'1' goal string; an empty grid when
    // the puzzle has none or the string does not match the size.
    static CellGrid fromGoal(const Puzzle& puzzle);
};

// The runs of one line of cells (filled stretches, left to right).
std::vector<int> runsOfLine(const std::vector<Cell>& line);
// The runs of the `count` cells cells[first], cells[first + step], ...: a row or a column of
// a grid stored row by row.
std::vector<int> runsOfCells(const std::vector<Cell>& cells, int first, int count, int step);
// The same into `runs` (its room kept), for callers that derive clues over and over.
void runsOfCells(const std::vector<Cell>& cells, int first, int count, int step, std::vector<int>& runs);

// The clues a complete picture gives (unknown cells count as empty); properties left empty.
Puzzle puzzleFromPicture(const CellGrid& picture);

// Whether `picture` is complete and matches every clue of `puzzle`.
bool satisfiesClues(const Puzzle& puzzle, const CellGrid& picture);

} // namespace zumeli::solver
