// The per-line state of one solve: clue runs, known cells as line masks, the line queue, limits.
#pragma once

#include "solve/engine/line_solver.h"
#include "solve/engine/puzzle.h"
#include "solve/engine/solver.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zumeli::solver {

using Clock = std::chrono::steady_clock;

// The wall-clock time since `start`, in milliseconds, as the engine and the tool report it.
inline double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The time limit and the cancel flag of one run, read after every so much work.
class RunLimits {
public:
    RunLimits(const SolveOptions& options, Clock::time_point start);

    // Reads the cancel flag and the clock; true once the run must stop.
    bool checkNow();
    // Counts `work` (line cells solved) and reads the flag and the clock every
    // kWorkBetweenChecks; true once the run must stop.
    bool tick(std::uint64_t work)
    {
        work_ += work;
        if (work_ < kWorkBetweenChecks)
            return stopped();
        work_ = 0;
        return checkNow();
    }
    void stop(StopReason reason) { reason_ = reason; }
    bool stopped() const { return reason_ != StopReason::None; }
    StopReason reason() const { return reason_; }

private:
    static constexpr std::uint64_t kWorkBetweenChecks = 1 << 16;

    const std::atomic<bool>* cancel_ = nullptr;
    std::optional<Clock::time_point> deadline_;
    std::uint64_t work_ = 0;
    StopReason reason_ = StopReason::None;
};

// The cell at position i of `line` in a grid of `width` x `height` cells numbered row by row,
// the lines numbered as in LineState: the one formula, behind LineState::cellAt, for code
// that keeps a grid's size without a LineState.
inline int cellOfLine(int width, int height, int line, int i)
{
    return line < height ? line * width + i : i * width + (line - height);
}

// Rows are lines 0..H-1 (cells left to right), columns lines H..H+W-1 (cells top to bottom).
// Each line keeps two bit masks, its known filled and known empty cells, so every cell is kept
// twice: in its row's masks and in its column's. Cells are numbered row by row.
class LineState {
public:
    // Clue lists with zeros already dropped.
    LineState(const std::vector<std::vector<int>>& rows, const std::vector<std::vector<int>>& columns);

    int width() const { return width_; }
    int height() const { return height_; }
    int lineCount() const { return width_ + height_; }
    int cellCount() const { return width_ * height_; }
    int length(int line) const { return length_[static_cast<std::size_t>(line)]; }
    const std::vector<int>& runs(int line) const { return runs_[line]; }
    int rowLine(int cell) const { return place_[static_cast<std::size_t>(cell)].y; }
    int columnLine(int cell) const { return height_ + place_[static_cast<std::size_t>(cell)].x; }
    // The cell at position i of `line`, and the position of `cell` in `line`.
    int cellAt(int line, int i) const { return cellOfLine(width_, height_, line, i); }
    int positionIn(int line, int cell) const
    {
        const Place& at = place_[static_cast<std::size_t>(cell)];
        return line < height_ ? at.x : at.y;
    }
    // Words of the longest line's masks.
    int widestWords() const { return widestWords_; }

    const Word* filled(int line) const { return filled_.data() + offset_[line]; }
    const Word* empty(int line) const { return empty_.data() + offset_[line]; }
    Cell cell(int cell) const;
    long unknownCount() const { return unknown_; }
    // Records a cell as known (it must be unknown), or forgets it again.
    void set(int cell, bool isFilled) { mark(cell, isFilled, true); }
    void unset(int cell, bool isFilled) { mark(cell, isFilled, false); }
    CellGrid grid() const;

    // Whether some line's runs cannot fit in it at all.
    bool anyLineOverfull() const;
    // Whether the filled cells the rows ask for and those the columns ask for differ.
    bool totalsDiffer() const;

    // The lines waiting to be solved, each at most once, in the order queued.
    void enqueue(int line)
    {
        if (!queued_[line]) {
            queued_[line] = 1;
            queue_.push_back(line);
        }
    }
    void enqueueAll();
    bool hasQueued() const { return queueHead_ < queue_.size(); }
    int nextQueued()
    {
        const int line = queue_[queueHead_++];
        queued_[line] = 0;
        if (queueHead_ == queue_.size()) {
            queue_.clear();
            queueHead_ = 0;
        }
        return line;
    }
    void clearQueue();

    // Runs the line solver on `line` from its known cells; false on a contradiction. The
    // cells it decides are then in solvedFilled() / solvedEmpty() (the known ones included).
    bool solve(int line)
    {
        const auto& r = runs_[line];
        ++lineSolves_;
        return solveLine(r.data(), static_cast<int>(r.size()), length(line), filled(line), empty(line),
                         solvedFilled_.data(), solvedEmpty_.data());
    }
    Word* solvedFilled() { return solvedFilled_.data(); }
    Word* solvedEmpty() { return solvedEmpty_.data(); }
    // Calls visit(cell, isFilled) for every cell of `line` the last solve decided and the line
    // did not know yet: word by word, the filled cells of a word before its empty ones. (The
    // visit may record the cell.)
    template <typename Visit>
    void forEachNewlySolved(int line, Visit&& visit) const
    {
        const Word* f = filled(line);
        const Word* e = empty(line);
        const int words = wordsForLength(length(line));
        for (int w = 0; w < words; ++w) {
            Word freshFilled = solvedFilled_[w] & ~f[w];
            Word freshEmpty = solvedEmpty_[w] & ~e[w];
            while (freshFilled) {
                const int i = w * 64 + __builtin_ctzll(freshFilled);
                freshFilled &= freshFilled - 1;
                visit(cellAt(line, i), true);
            }
            while (freshEmpty) {
                const int i = w * 64 + __builtin_ctzll(freshEmpty);
                freshEmpty &= freshEmpty - 1;
                visit(cellAt(line, i), false);
            }
        }
    }
    std::uint64_t lineSolves() const { return lineSolves_; }
    void countLineSolve(std::uint64_t solves = 1) { lineSolves_ += solves; }

private:
    void mark(int cell, bool isFilled, bool on)
    {
        const int y = place_[static_cast<std::size_t>(cell)].y;
        const int x = place_[static_cast<std::size_t>(cell)].x;
        std::vector<Word>& masks = isFilled ? filled_ : empty_;
        Word& inRow = masks[offset_[y] + static_cast<std::size_t>(x >> 6)];
        Word& inColumn = masks[offset_[height_ + x] + static_cast<std::size_t>(y >> 6)];
        const Word rowBit = Word(1) << (x & 63);
        const Word columnBit = Word(1) << (y & 63);
        if (on) {
            inRow |= rowBit;
            inColumn |= columnBit;
            --unknown_;
        } else {
            inRow &= ~rowBit;
            inColumn &= ~columnBit;
            ++unknown_;
        }
    }

    int width_ = 0;
    int height_ = 0;
    int widestWords_ = 1;
    long unknown_ = 0;
    std::vector<std::vector<int>> runs_;
    // Each cell's row and column number, side by side (one read of memory): looked up on
    // every cell set or forgotten, where a division would cost more. Two bytes each, so
    // that the table of a large puzzle (read once per cell, mostly in order) costs half the
    // fresh memory.
    struct Place {
        std::uint16_t y;
        std::uint16_t x;
    };
    std::vector<Place> place_;
    // Each line's length, read where a test of row or column would be a branch the
    // processor often guesses wrong (a search solves rows and columns in no fixed order).
    std::vector<int> length_;
    std::vector<std::size_t> offset_;
    std::vector<Word> filled_;
    std::vector<Word> empty_;
    std::vector<Word> solvedFilled_;
    std::vector<Word> solvedEmpty_;
    std::vector<int> queue_;
    std::size_t queueHead_ = 0;
    std::vector<std::uint8_t> queued_;
    std::uint64_t lineSolves_ = 0;
};

// Recent results of the line solver for lines of up to 64 * Words cells: a direct-mapped table
// keyed by the line, a number naming its clue (a caller whose clues never change passes 0) and
// its known cells. Runs that meet the same line states again and again (probing returning to a
// line, make-unique trying flip after flip) solve each of them once while it stays in the table.
template <int Words>
class LineSolveCache {
public:
    // `entries`: at least 1, rounded up to a power of two.
    explicit LineSolveCache(std::size_t entries)
    {
        std::size_t size = 1;
        while (size < entries)
            size *= 2;
        table_.resize(size);
    }

    // Does what state.solve(line) does, from the table when the same state was solved before.
    bool solve(LineState& state, int line, std::uint64_t clue = 0)
    {
        const int words = wordsForLength(state.length(line));
        if (words > Words)
            return state.solve(line);
        const Word* f = state.filled(line);
        const Word* e = state.empty(line);
        std::uint64_t h = (static_cast<std::uint64_t>(line) * 0x165667B19E3779F9ULL) ^ (clue * 0xD6E8FEB86659FD93ULL);
        for (int w = 0; w < words; ++w)
            h ^= (f[w] * 0x9E3779B97F4A7C15ULL) ^ (e[w] * 0xC2B2AE3D27D4EB4FULL);
        h ^= h >> 29;
        Entry& entry = table_[h & (table_.size() - 1)];
        bool same = entry.line == line && entry.clue == clue;
        for (int w = 0; same && w < words; ++w)
            same = entry.filled[w] == f[w] && entry.empty[w] == e[w];
        if (same) {
            state.countLineSolve();
            for (int w = 0; w < words; ++w) {
                state.solvedFilled()[w] = entry.outFilled[w];
                state.solvedEmpty()[w] = entry.outEmpty[w];
            }
            return entry.consistent;
        }
        const bool ok = state.solve(line);
        entry.line = line;
        entry.clue = clue;
        entry.consistent = ok;
        for (int w = 0; w < Words; ++w) {
            const bool used = w < words;
            entry.filled[w] = used ? f[w] : 0;
            entry.empty[w] = used ? e[w] : 0;
            entry.outFilled[w] = used ? state.solvedFilled()[w] : 0;
            entry.outEmpty[w] = used ? state.solvedEmpty()[w] : 0;
        }
        return ok;
    }

private:
    struct Entry {
        Word filled[Words] = {};
        Word empty[Words] = {};
        Word outFilled[Words] = {};
        Word outEmpty[Words] = {};
        std::uint64_t clue = 0;
        int line = -1;
        bool consistent = false;
    };
    std::vector<Entry> table_;
};

// Recent results of the line solver for the short lines (at most 63 cells) of one search,
// whose clues never change: a table of its own per line, keyed by the line's known cells,
// with two entries to a slot (the newer first). An entry is four words, a slot one line of
// the processor's cache, so a look-up reads one line of memory; the table above keeps the
// line and the clue beside each entry.
class ShortLineCache {
public:
    ShortLineCache() = default;
    // Keeps results for the short lines among those marked in `cached`, `perLine` of them for
    // each (rounded up to a power of two, at least 4); other lines are solved afresh each time.
    ShortLineCache(const LineState& state, const std::vector<std::uint8_t>& cached, std::size_t perLine);

    // Does what state.solve(line) does, from the table when the same state was solved before.
    // (Only a consistent result leaves the cells it decides in state.solvedFilled() /
    // solvedEmpty(); after a contradiction they mean nothing.)
    bool solve(LineState& state, int line)
    {
        const int region = region_[static_cast<std::size_t>(line)];
        if (region < 0)
            return state.solve(line);
        const Word f = state.filled(line)[0];
        const Word e = state.empty(line)[0];
        const std::size_t set = ((f ^ (e * 0xC2B2AE3D27D4EB4FULL)) * 0x9E3779B97F4A7C15ULL) >> (64 - shift_);
        Entry* const pair = table_[(static_cast<std::size_t>(region) << shift_) + set].way;
        const Word key = f | kMark;
        for (int way = 0; way < 2; ++way) {
            const Entry& entry = pair[way];
            if (entry.filled == key && entry.empty == e) {
                state.countLineSolve();
                if (entry.outFilled & kMark)
                    return false;
                state.solvedFilled()[0] = entry.outFilled;
                state.solvedEmpty()[0] = entry.outEmpty;
                return true;
            }
        }
        const bool ok = state.solve(line);
        pair[1] = pair[0];
        pair[0] = {key, e, ok ? state.solvedFilled()[0] : kMark, ok ? state.solvedEmpty()[0] : 0};
        return ok;
    }

private:
    // The top bit, never a cell of a short line: set in `filled` of every entry in use (a
    // fresh entry is all zeros and matches nothing), and alone in `outFilled` for a
    // contradiction.
    static constexpr Word kMark = Word(1) << 63;
    struct Entry {
        Word filled = 0;
        Word empty = 0;
        Word outFilled = 0;
        Word outEmpty = 0;
    };
    struct alignas(64) Slot {
        Entry way[2];
    };
    std::vector<int> region_; // per line, its part of the table, or -1
    int shift_ = 1;           // log2 of the slots per line
    std::vector<Slot> table_;
};

// Line propagation to a fixed point: solves each queued line, records the cells it decides
// and queues the lines crossing them. False on a contradiction (the queue is then emptied),
// or when the limits stop the run (see limits.stopped()). With `trail`, every cell recorded
// is appended to it, so that the caller can forget them again.
bool propagateLines(LineState& state, RunLimits& limits, std::vector<int>* trail = nullptr);
// The same, solving each line through `cache`; clues[line] names the line's clue there.
bool propagateLines(LineState& state, RunLimits& limits, LineSolveCache<2>& cache,
                    const std::vector<std::uint64_t>& clues, std::vector<int>* trail = nullptr);

// The open cells in groups that no line links (two open cells in one line are in the same
// group), each in cell order; smallest group first (ties: the one whose first cell comes first).
// Each group can be searched on its own.
std::vector<std::vector<int>> independentParts(const LineState& state);

// Clue lists with zeros dropped; throws std::invalid_argument for a negative run length.
std::vector<std::vector<int>> positiveRuns(const std::vector<std::vector<int>>& lines);

} // namespace zumeli::solver
