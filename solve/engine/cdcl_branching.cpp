// How the conflict search chooses its branches (see cdcl_branching.h).
#include "solve/engine/cdcl_branching.h"

#include "solve/engine/run_placement.h"
#include "solve/engine/split_mix.h"

#include <algorithm>
#include <cmath>

namespace zumeli::solver::cdcl {

std::vector<double> filledShares(const std::vector<int>& runs, const std::vector<Cell>& line)
{
    const int n = static_cast<int>(line.size());
    const int k = static_cast<int>(runs.size());
    std::vector<double> share(static_cast<std::size_t>(n), 0.0);
    RunPlacement<double> table(runs, line);
    table.fillAhead();
    table.fillBehind();
    const double total = table.ahead(k, n);
    if (!(total > 0))
        return share;
    std::vector<double> cover(static_cast<std::size_t>(n) + 1, 0.0);
    for (int j = 0; j < k; ++j) {
        const int len = runs[j];
        for (int s = 0; s + len <= n; ++s) {
            if (!table.fits(s, s + len))
                continue;
            const double ways = table.placementWays(j, s);
            cover[s] += ways;
            cover[s + len] -= ways;
        }
    }
    double running = 0;
    for (int c = 0; c < n; ++c) {
        running += cover[c];
        share[c] = std::clamp(running / total, 0.0, 1.0);
    }
    return share;
}

void seedBranching(const LineState& lines, const std::vector<std::uint8_t>& scopeLine, const std::vector<Cell>& value,
                   std::uint64_t tieBreakSeed, RunLimits& limits, SearchRhythm& rhythm, std::vector<double>& activity,
                   ActivityHeap& heap)
{
    const int cells = lines.cellCount();
    std::vector<double> rowShare(static_cast<std::size_t>(cells), 0.5);
    std::vector<double> columnShare(static_cast<std::size_t>(cells), 0.5);
    std::vector<Cell> line;
    for (int l = 0; l < lines.lineCount(); ++l) {
        const int n = lines.length(l);
        if (!scopeLine[l])
            continue;
        if (n > 1023 || limits.tick(static_cast<std::uint64_t>(n * static_cast<int>(lines.runs(l).size() + 1))))
            continue; // very long lines (or a run out of time) keep the even odds
        line.assign(static_cast<std::size_t>(n), Cell::Unknown);
        for (int i = 0; i < n; ++i)
            line[i] = value[lines.cellAt(l, i)];
        const std::vector<double> share = filledShares(lines.runs(l), line);
        for (int i = 0; i < n; ++i)
            (l < lines.height() ? rowShare : columnShare)[lines.cellAt(l, i)] = share[i];
    }
    for (int v = 0; v < cells; ++v) {
        const double a = rowShare[v];
        const double b = columnShare[v];
        const double yes = a * b;
        const double no = (1 - a) * (1 - b);
        const double p = yes + no > 0 ? yes / (yes + no) : 0.5;
        rhythm.seed(v, p > 0.5);
        activity[v] = (0.5 - std::abs(p - 0.5)) * 1e-3;
        if (tieBreakSeed != 0) // up to a fifth of the activities' range
            activity[v] += static_cast<double>(mix64(tieBreakSeed ^ mix64(static_cast<std::uint64_t>(v))) >> 11)
                * 0x1p-53 * 1e-4;
        heap.increased(v);
    }
}

} // namespace zumeli::solver::cdcl
