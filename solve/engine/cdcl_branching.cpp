// How the conflict search chooses its branches (see cdcl_branching.h).
#include "solve/engine/cdcl_branching.h"

#include "solve/engine/run_placement.h"
#include "solve/engine/split_mix.h"

#include <algorithm>
#include <cmath>

namespace zumeli::solver::cdcl {

namespace {

// Each cell's share of `total`, the summed weight of a line's arrangements: the weights of the
// arrangements with a run over the cell. weight(j, s) is the summed weight of those in which
// run j starts at cell s (0 where it cannot).
template <typename Weight>
std::vector<double> coveredShares(const std::vector<int>& runs, int n, double total, Weight&& weight)
{
    std::vector<double> share(static_cast<std::size_t>(n), 0.0);
    if (!(total > 0))
        return share;
    std::vector<double> cover(static_cast<std::size_t>(n) + 1, 0.0);
    for (int j = 0; j < static_cast<int>(runs.size()); ++j) {
        const int len = runs[j];
        for (int s = 0; s + len <= n; ++s) {
            const double w = weight(j, s);
            cover[s] += w;
            cover[s + len] -= w;
        }
    }
    double running = 0;
    for (int c = 0; c < n; ++c) {
        running += cover[c];
        share[c] = std::clamp(running / total, 0.0, 1.0);
    }
    return share;
}

} // namespace

std::vector<double> filledShares(const std::vector<int>& runs, const std::vector<Cell>& line)
{
    const int n = static_cast<int>(line.size());
    RunPlacement<double> table(runs, line);
    table.fillAhead();
    table.fillBehind();
    return coveredShares(runs, n, table.ahead(static_cast<int>(runs.size()), n), [&](int j, int s) {
        return table.fits(s, s + runs[j]) ? table.placementWays(j, s) : 0.0;
    });
}

std::vector<double> weighedFilledShares(const std::vector<int>& runs, const std::vector<double>& odds)
{
    const int n = static_cast<int>(odds.size());
    const int k = static_cast<int>(runs.size());
    const std::size_t stride = static_cast<std::size_t>(n) + 1;
    // ahead[j * stride + i]: runs 0..j-1 in cells [0, i); behind[j * stride + i]: runs j..k-1
    // in cells [i, n); each the summed weight of those arrangements. (RunPlacement counts
    // arrangements alike, so it cannot serve here.)
    std::vector<double> ahead((static_cast<std::size_t>(k) + 1) * stride, 0.0);
    std::vector<double> behind((static_cast<std::size_t>(k) + 1) * stride, 0.0);
    auto empty = [&](int i) { return 1.0 - odds[i]; };
    auto filled = [&](int from, int to) {
        double w = 1;
        for (int i = from; i < to && w > 0; ++i)
            w *= odds[i];
        return w;
    };
    auto start = [&](int j, int s) { // run j starts at s, as far as cells [0, s) go
        if (j == 0)
            return ahead[static_cast<std::size_t>(s)];
        return s >= 1 ? empty(s - 1) * ahead[j * stride + s - 1] : 0.0;
    };
    auto end = [&](int j, int e) { // run j ends before e, as far as cells [e, n) go
        if (j == k - 1)
            return behind[k * stride + e];
        return e < n ? empty(e) * behind[(j + 1) * stride + e + 1] : 0.0;
    };
    ahead[0] = 1;
    for (int i = 1; i <= n; ++i)
        ahead[static_cast<std::size_t>(i)] = ahead[static_cast<std::size_t>(i) - 1] * empty(i - 1);
    for (int j = 1; j <= k; ++j) {
        const int len = runs[j - 1];
        for (int i = 0; i <= n; ++i)
            ahead[j * stride + i] = (i > 0 ? ahead[j * stride + i - 1] * empty(i - 1) : 0.0)
                + (i >= len ? start(j - 1, i - len) * filled(i - len, i) : 0.0);
    }
    behind[k * stride + n] = 1;
    for (int i = n - 1; i >= 0; --i)
        behind[k * stride + i] = behind[k * stride + i + 1] * empty(i);
    for (int j = k - 1; j >= 0; --j) {
        const int len = runs[j];
        for (int i = n; i >= 0; --i)
            behind[j * stride + i] = (i < n ? behind[j * stride + i + 1] * empty(i) : 0.0)
                + (i + len <= n ? filled(i, i + len) * end(j, i + len) : 0.0);
    }
    return coveredShares(runs, n, ahead[k * stride + n], [&](int j, int s) {
        return start(j, s) * filled(s, s + runs[j]) * end(j, s + runs[j]);
    });
}

namespace {

// How likely a cell is to be filled, from the shares its row (a) and its column (b) give it,
// taken as independent.
double bothSay(double a, double b)
{
    const double yes = a * b;
    const double no = (1 - a) * (1 - b);
    return yes + no > 0 ? yes / (yes + no) : 0.5;
}

// Passes the odds between rows and columns: each line weighs its arrangements by the odds
// the crossing lines give its cells, and tells each cell the share it then finds, less the
// cell's own weight (what the line says beyond what the cell was told). Each round's odds
// are half the old and half the new, which keeps the rounds from swinging between two
// answers. `rowShare` and `columnShare` hold each line's plain shares on entry.
void passOdds(const LineState& lines, const std::vector<std::uint8_t>& scopeLine, const std::vector<Cell>& value,
              RunLimits& limits, std::vector<double>& rowShare, std::vector<double>& columnShare)
{
    constexpr int kRounds = 9;
    constexpr double kDamping = 0.5;
    // No odds of 0 or 1 for an open cell: a line would rule out every arrangement through it.
    constexpr double kSurest = 0.99;
    std::vector<double> odds;
    for (int round = 0; round < kRounds; ++round) {
        for (int l = 0; l < lines.lineCount(); ++l) {
            const int n = lines.length(l);
            if (!scopeLine[l] || n > kWeighedLineLength)
                continue; // the longest lines keep their plain shares
            if (limits.tick(static_cast<std::uint64_t>(n * static_cast<int>(lines.runs(l).size() + 1))))
                return;
            const bool isRow = l < lines.height();
            std::vector<double>& told = isRow ? rowShare : columnShare;
            const std::vector<double>& crossing = isRow ? columnShare : rowShare;
            odds.assign(static_cast<std::size_t>(n), 0.5);
            for (int i = 0; i < n; ++i) {
                const int v = lines.cellAt(l, i);
                odds[i] = value[v] == Cell::Filled ? 1.0
                    : value[v] == Cell::Empty      ? 0.0
                                                   : std::clamp(crossing[v], 1 - kSurest, kSurest);
            }
            const std::vector<double> share = weighedFilledShares(lines.runs(l), odds);
            for (int i = 0; i < n; ++i) {
                const int v = lines.cellAt(l, i);
                if (value[v] != Cell::Unknown)
                    continue;
                const double yes = share[i] / odds[i];
                const double no = (1 - share[i]) / (1 - odds[i]);
                const double says = yes + no > 0 ? yes / (yes + no) : 0.5;
                told[v] = kDamping * told[v] + (1 - kDamping) * says;
            }
        }
    }
}

} // namespace

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
    std::vector<double> guess;
    int open = 0;
    for (int v = 0; v < cells; ++v)
        open += value[v] == Cell::Unknown && heap.contains(v);
    if (open >= kOpenCellsForPassedOdds) {
        guess.resize(static_cast<std::size_t>(cells));
        std::vector<double> rowOdds = rowShare;
        std::vector<double> columnOdds = columnShare;
        passOdds(lines, scopeLine, value, limits, rowOdds, columnOdds);
        for (int v = 0; v < cells; ++v)
            guess[v] = bothSay(rowOdds[v], columnOdds[v]);
    }
    for (int v = 0; v < cells; ++v) {
        const double p = bothSay(rowShare[v], columnShare[v]);
        rhythm.seed(v, (guess.empty() ? p : guess[v]) > 0.5);
        activity[v] = (0.5 - std::abs(p - 0.5)) * 1e-3;
        if (tieBreakSeed != 0) // up to a fifth of the activities' range
            activity[v] += static_cast<double>(mix64(tieBreakSeed ^ mix64(static_cast<std::uint64_t>(v))) >> 11)
                * 0x1p-53 * 1e-4;
        heap.increased(v);
    }
}

} // namespace zumeli::solver::cdcl
