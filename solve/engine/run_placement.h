// The placements of one line's runs around its known cells, counted position by position.
#pragma once

#include "solve/engine/puzzle.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace zumeli::solver {

// The table every cell-by-cell line reasoning works from: whether (T = std::uint8_t) or in how
// many ways (T = double) the runs can be placed in the line around the cells it knows.
// Positions are 0..n: position i is the boundary before cell i.
//   ahead(j, i)   runs 0..j-1 placed in cells [0, i)
//   behind(j, i)  runs j..k-1 placed in cells [i, n)
// Each direction is filled only when asked for (fillAhead, fillBehind). The table keeps its
// storage from line to line, so a caller that reads many lines keeps one table.
template <typename T>
class RunPlacement {
public:
    static_assert(std::is_same_v<T, std::uint8_t> || std::is_floating_point_v<T>,
                  "a placement table says whether (std::uint8_t) or in how many ways (floating point)");
    static constexpr bool kCounts = std::is_floating_point_v<T>;

    RunPlacement() = default;
    RunPlacement(const std::vector<int>& runs, const std::vector<Cell>& line) { setLine(runs, line); }

    // Takes `runs` (positive lengths) and the known cells of `line`; both must outlive the
    // use of the table. Counts the known cells before each position.
    void setLine(const std::vector<int>& runs, const std::vector<Cell>& line)
    {
        runs_ = &runs;
        line_ = &line;
        n_ = static_cast<int>(line.size());
        k_ = static_cast<int>(runs.size());
        stride_ = static_cast<std::size_t>(n_) + 1;
        emptyBefore_.assign(stride_, 0);
        filledBefore_.assign(stride_, 0);
        for (int i = 0; i < n_; ++i) {
            emptyBefore_[i + 1] = emptyBefore_[i] + (line[i] == Cell::Empty ? 1 : 0);
            filledBefore_[i + 1] = filledBefore_[i] + (line[i] == Cell::Filled ? 1 : 0);
        }
    }

    int length() const { return n_; }
    int runCount() const { return k_; }
    int run(int j) const { return (*runs_)[j]; }
    // Known empty (filled) cells in [0, i).
    int emptyBefore(int i) const { return emptyBefore_[i]; }
    int filledBefore(int i) const { return filledBefore_[i]; }
    bool mayEmpty(int i) const { return (*line_)[i] != Cell::Filled; }
    // No known empty cell in [from, to): a run may cover them.
    bool fits(int from, int to) const { return emptyBefore_[to] == emptyBefore_[from]; }

    T ahead(int j, int i) const { return ahead_[j * stride_ + i]; }
    T behind(int j, int i) const { return behind_[j * stride_ + i]; }

    // Run j may start at s as far as cells [0, s) go.
    T startWays(int j, int s) const
    {
        if (j == 0)
            return ahead(0, s);
        return s >= 1 && mayEmpty(s - 1) ? ahead(j, s - 1) : T(0);
    }
    // Run j may end just before e as far as cells [e, n) go.
    T endWays(int j, int e) const
    {
        if (j == k_ - 1)
            return behind(k_, e);
        return e < n_ && mayEmpty(e) ? behind(j + 1, e + 1) : T(0);
    }
    // Run j may start at s, its cells free of known empty ones (needs both directions).
    T placementWays(int j, int s) const
    {
        const int e = s + run(j);
        if (!fits(s, e))
            return T(0);
        if constexpr (kCounts)
            return startWays(j, s) * endWays(j, e);
        else
            return startWays(j, s) && endWays(j, e);
    }

    // The tables are filled through plain pointers to the rows: the search fills one pair per
    // open line when it starts, and these loops are most of that cost.
    void fillAhead()
    {
        ahead_.assign((static_cast<std::size_t>(k_) + 1) * stride_, T(0));
        T* table = ahead_.data();
        const Cell* cells = line_->data();
        const int* emptyBefore = emptyBefore_.data();
        const int n = n_;
        table[0] = 1;
        for (int i = 1; i <= n; ++i)
            table[i] = cells[i - 1] != Cell::Filled ? table[i - 1] : T(0);
        for (int j = 1; j <= k_; ++j) {
            const int len = run(j - 1);
            T* row = table + static_cast<std::size_t>(j) * stride_;
            const T* before = row - stride_; // ahead(j - 1, ...)
            for (int i = 0; i <= n; ++i) {
                T ways = i > 0 && cells[i - 1] != Cell::Filled ? row[i - 1] : T(0);
                if (i >= len && emptyBefore[i] == emptyBefore[i - len]) {
                    const int s = i - len; // startWays(j - 1, s)
                    add(ways, [&] {
                        if (j == 1)
                            return before[s];
                        return s >= 1 && cells[s - 1] != Cell::Filled ? before[s - 1] : T(0);
                    });
                }
                row[i] = ways;
            }
        }
    }

    void fillBehind()
    {
        behind_.assign((static_cast<std::size_t>(k_) + 1) * stride_, T(0));
        T* table = behind_.data();
        const Cell* cells = line_->data();
        const int* emptyBefore = emptyBefore_.data();
        const int n = n_;
        T* last = table + static_cast<std::size_t>(k_) * stride_;
        last[n] = 1;
        for (int i = n - 1; i >= 0; --i)
            last[i] = cells[i] != Cell::Filled ? last[i + 1] : T(0);
        for (int j = k_ - 1; j >= 0; --j) {
            const int len = run(j);
            T* row = table + static_cast<std::size_t>(j) * stride_;
            const T* after = row + stride_; // behind(j + 1, ...)
            for (int i = n; i >= 0; --i) {
                T ways = i < n && cells[i] != Cell::Filled ? row[i + 1] : T(0);
                if (i + len <= n && emptyBefore[i + len] == emptyBefore[i]) {
                    const int e = i + len; // endWays(j, e)
                    add(ways, [&] {
                        if (j == k_ - 1)
                            return after[e];
                        return e < n && cells[e] != Cell::Filled ? after[e + 1] : T(0);
                    });
                }
                row[i] = ways;
            }
        }
    }

private:
    // Ways by one more kind of placement: counted, or for "whether" only looked at while none
    // is known yet.
    template <typename More>
    static void add(T& ways, More&& more)
    {
        if constexpr (kCounts)
            ways += more();
        else if (!ways)
            ways = more() ? 1 : 0;
    }

    const std::vector<int>* runs_ = nullptr;
    const std::vector<Cell>* line_ = nullptr;
    int n_ = 0;
    int k_ = 0;
    std::size_t stride_ = 1;
    std::vector<int> emptyBefore_;
    std::vector<int> filledBefore_;
    std::vector<T> ahead_;
    std::vector<T> behind_;
};

} // namespace zumeli::solver
