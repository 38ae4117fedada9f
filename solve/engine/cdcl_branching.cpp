// How the conflict search chooses its branches (see cdcl_branching.h).
#include "solve/engine/cdcl_branching.h"

#include "solve/engine/run_placement.h"
#include "solve/engine/split_mix.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

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

// runWeight[j * stride + s]: the odds that run j covers the cells from s on, all filled (0
// where it would leave the line); empty[i]: the odds that cell i is empty. The run weights
// come from products of the odds from the line's start, the certain empties (odds 0) left
// out and counted instead: a stretch can be all filled only without one, and then weighs the
// quotient of two products (worked out cell by cell once the products fall below the
// doubles of full precision).
void fillRunWeights(const std::vector<int>& runs, const std::vector<double>& odds, std::size_t stride,
                    std::vector<double>& runWeight, std::vector<double>& empty)
{
    const int n = static_cast<int>(odds.size());
    empty.resize(static_cast<std::size_t>(n));
    runWeight.assign(runs.size() * stride, 0.0);
    thread_local std::vector<double> product;
    thread_local std::vector<int> certainEmpties;
    product.resize(stride);
    certainEmpties.resize(stride);
    product[0] = 1;
    certainEmpties[0] = 0;
    for (int i = 0; i < n; ++i) {
        empty[i] = 1.0 - odds[i];
        const bool certain = !(odds[i] > 0);
        certainEmpties[i + 1] = certainEmpties[i] + (certain ? 1 : 0);
        product[i + 1] = certain ? product[i] : product[i] * odds[i];
    }
    for (int j = 0; j < static_cast<int>(runs.size()); ++j) {
        const int len = runs[j];
        for (int s = 0; s + len <= n; ++s) {
            double w = 0;
            if (certainEmpties[s + len] == certainEmpties[s]) {
                if (product[s + len] >= std::numeric_limits<double>::min()) {
                    w = product[s + len] / product[s];
                } else {
                    w = 1;
                    for (int i = s; i < s + len; ++i)
                        w *= odds[i];
                }
            }
            runWeight[j * stride + s] = w;
        }
    }
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

// ahead[j * stride + i]: runs 0..j-1 in cells [0, i); behind[j * stride + i]: runs j..k-1 in
// cells [i, n); each the summed weight of those arrangements. (RunPlacement counts
// arrangements alike, so it cannot serve here.) The tables are kept between calls: passing
// the odds weighs each line many times over.
std::vector<double> weighedFilledShares(const std::vector<int>& runs, const std::vector<double>& odds)
{
    const int n = static_cast<int>(odds.size());
    const int k = static_cast<int>(runs.size());
    const std::size_t stride = static_cast<std::size_t>(n) + 1;
    thread_local std::vector<double> ahead;
    thread_local std::vector<double> behind;
    thread_local std::vector<double> runWeight;
    thread_local std::vector<double> empty;
    thread_local std::vector<double> fresh; // a row's new arrangements, ahead's then behind's
    ahead.assign((static_cast<std::size_t>(k) + 1) * stride, 0.0);
    behind.assign((static_cast<std::size_t>(k) + 1) * stride, 0.0);
    fresh.resize(2 * stride);
    fillRunWeights(runs, odds, stride, runWeight, empty);
    double* const newAhead = fresh.data();
    double* const newBehind = fresh.data() + stride;
    auto start = [&](int j, int s) { // run j starts at s, as far as cells [0, s) go
        if (j == 0)
            return ahead[static_cast<std::size_t>(s)];
        return s >= 1 ? empty[s - 1] * ahead[j * stride + s - 1] : 0.0;
    };
    auto end = [&](int j, int e) { // run j ends before e, as far as cells [e, n) go
        if (j == k - 1)
            return behind[k * stride + e];
        return e < n ? empty[e] * behind[(j + 1) * stride + e + 1] : 0.0;
    };
    ahead[0] = 1;
    for (int i = 1; i <= n; ++i)
        ahead[static_cast<std::size_t>(i)] = ahead[static_cast<std::size_t>(i) - 1] * empty[i - 1];
    behind[k * stride + n] = 1;
    for (int i = n - 1; i >= 0; --i)
        behind[k * stride + i] = behind[k * stride + i + 1] * empty[i];
    // Row m of `ahead` and row k - m of `behind` together: each is a chain of multiplications
    // and additions, and two independent chains run in about the time of one.
    for (int m = 1; m <= k; ++m) {
        const int lenAhead = runs[m - 1];
        const int jBehind = k - m;
        const int lenBehind = runs[jBehind];
        for (int i = 0; i <= n; ++i) {
            newAhead[i] = i >= lenAhead ? start(m - 1, i - lenAhead) * runWeight[(m - 1) * stride + i - lenAhead] : 0.0;
            newBehind[i] = i + lenBehind <= n ? runWeight[jBehind * stride + i] * end(jBehind, i + lenBehind) : 0.0;
        }
        double* const rowAhead = ahead.data() + m * stride;
        double* const rowBehind = behind.data() + jBehind * stride;
        // The running sums stay in registers: written back only, never read back.
        double sumAhead = rowAhead[0] = newAhead[0];
        double sumBehind = rowBehind[n] = newBehind[n];
        for (int i = 1; i <= n; ++i) {
            rowAhead[i] = sumAhead = sumAhead * empty[i - 1] + newAhead[i];
            rowBehind[n - i] = sumBehind = sumBehind * empty[n - i] + newBehind[n - i];
        }
    }
    return coveredShares(runs, n, ahead[k * stride + n], [&](int j, int s) {
        return start(j, s) * runWeight[j * stride + s] * end(j, s + runs[j]);
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

// The odds line `l` weighs its arrangements with: 1 or 0 for a known cell, the crossing
// line's odds for an open one. Whether none moved by more than a thousandth since the line
// was last weighed (`with`): it then says what it said then, which saves a quarter of the
// weighings (40 rounds weighing every line took 937 and 255, see passOdds).
bool oddsOfLine(const LineState& lines, int l, const std::vector<Cell>& value, const std::vector<double>& crossing,
                const std::vector<double>& with, std::vector<double>& odds)
{
    constexpr double kSame = 1e-3;
    // No odds of 0 or 1 for an open cell: a line would rule out every arrangement through it.
    constexpr double kSurest = 0.99;
    const int n = lines.length(l);
    odds.assign(static_cast<std::size_t>(n), 0.5);
    bool same = true;
    for (int i = 0; i < n; ++i) {
        const int v = lines.cellAt(l, i);
        odds[i] = value[v] == Cell::Filled ? 1.0
            : value[v] == Cell::Empty      ? 0.0
                                           : std::clamp(crossing[v], 1 - kSurest, kSurest);
        same = same && std::abs(odds[i] - with[v]) <= kSame;
    }
    return same;
}

// The most rounds of passing the odds from the lines alone.
constexpr int kRounds = 40;

// Passes the odds between rows and columns: each line weighs its arrangements by the odds
// the crossing lines give its cells, and tells each cell the share it then finds, less the
// cell's own weight (what the line says beyond what the cell was told). Each round moves the
// odds seven tenths of the way to what the lines say, which keeps the rounds from swinging
// between two answers, until no odds move by a thousandth or `rounds` rounds are done.
// `rowShare` and `columnShare` hold each line's plain shares on entry.
// Measured over tie-break seeds 1 to 6 on the tournament set and on 300 puzzles of its rule
// from other seeds (line solves in millions; geometric mean per puzzle in thousands):
//   9 rounds, half the way      1312 (21.0)  299 (20.7)
//   20 rounds, half the way     1151 (15.8)  262 (16.4)
//   20 rounds, seven tenths      976 (14.1)  296 (13.7)
//   40 rounds, seven tenths      948 (13.0)  256 (12.8)   (settled lines not weighed again)
//   100 rounds, seven tenths     907 (12.8)  243 (12.6)
// A round costs about a tenth of a millisecond on a 25 x 25 board; past 40 the rounds cost
// more time than the searches save.
void passOdds(const LineState& lines, const std::vector<std::uint8_t>& scopeLine, const std::vector<Cell>& value,
              RunLimits& limits, std::vector<double>& rowShare, std::vector<double>& columnShare,
              int rounds = kRounds)
{
    constexpr double kDamping = 0.3; // the share of the old odds kept in a round
    constexpr double kSettled = 1e-3;
    const std::size_t cells = rowShare.size();
    // Per cell and direction, the odds its line was last weighed with and what it said then.
    std::vector<double> weighedWith[2] = {std::vector<double>(cells, -1.0), std::vector<double>(cells, -1.0)};
    std::vector<double> said[2] = {std::vector<double>(cells, 0.5), std::vector<double>(cells, 0.5)};
    std::vector<double> odds;
    for (int round = 0; round < rounds; ++round) {
        double moved = 0;
        for (int l = 0; l < lines.lineCount(); ++l) {
            const int n = lines.length(l);
            if (!scopeLine[l] || n > kWeighedLineLength)
                continue; // the longest lines keep their plain shares
            const bool isRow = l < lines.height();
            std::vector<double>& told = isRow ? rowShare : columnShare;
            const std::vector<double>& crossing = isRow ? columnShare : rowShare;
            std::vector<double>& with = weighedWith[isRow ? 0 : 1];
            std::vector<double>& says = said[isRow ? 0 : 1];
            if (!oddsOfLine(lines, l, value, crossing, with, odds)) {
                if (limits.tick(static_cast<std::uint64_t>(n * static_cast<int>(lines.runs(l).size() + 1))))
                    return;
                const std::vector<double> share = weighedFilledShares(lines.runs(l), odds);
                for (int i = 0; i < n; ++i) {
                    const int v = lines.cellAt(l, i);
                    with[v] = odds[i];
                    if (value[v] != Cell::Unknown)
                        continue;
                    const double yes = share[i] / odds[i];
                    const double no = (1 - share[i]) / (1 - odds[i]);
                    says[v] = yes + no > 0 ? yes / (yes + no) : 0.5;
                }
            }
            for (int i = 0; i < n; ++i) {
                const int v = lines.cellAt(l, i);
                if (value[v] != Cell::Unknown)
                    continue;
                const double next = kDamping * told[v] + (1 - kDamping) * says[v];
                moved = std::max(moved, std::abs(next - told[v]));
                told[v] = next;
            }
        }
        if (moved < kSettled)
            return;
    }
}

// Each cell's share by its row and by its column taken alone, the cells of `value` known (even
// odds for the cells of lines not marked in `scopeLine`).
void plainShares(const LineState& lines, const std::vector<std::uint8_t>& scopeLine, const std::vector<Cell>& value,
                 RunLimits& limits, std::vector<double>& rowShare, std::vector<double>& columnShare)
{
    const auto cells = static_cast<std::size_t>(lines.cellCount());
    rowShare.assign(cells, 0.5);
    columnShare.assign(cells, 0.5);
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
}

} // namespace

bool seedBranching(const LineState& lines, const std::vector<std::uint8_t>& scopeLine, const std::vector<Cell>& value,
                   std::uint64_t tieBreakSeed, RunLimits& limits, SearchRhythm& rhythm, std::vector<double>& activity,
                   ActivityHeap& heap)
{
    const int cells = lines.cellCount();
    std::vector<double> rowShare;
    std::vector<double> columnShare;
    plainShares(lines, scopeLine, value, limits, rowShare, columnShare);
    std::vector<double> guess;
    int open = 0;
    for (int v = 0; v < cells; ++v)
        open += value[v] == Cell::Unknown && heap.contains(v);
    const bool passed = open >= kOpenCellsForPassedOdds;
    if (passed) {
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
    return passed;
}

void surestCells(const LineState& lines, const std::vector<std::uint8_t>& scopeLine, const std::vector<Cell>& value,
                 RunLimits& limits, DiveOdds& odds, std::vector<Lit>& picks)
{
    // Later turns start from the odds of the turn before, where a few cells more are known:
    // a few rounds move them far enough. With dives that ended at their first contradiction,
    // over tie-break seeds 1 to 12 on the 35 puzzles that take the most work (see
    // kConflictsBeforeDive), line solves: 1 round 990 M, 3 rounds 522 M, 5 rounds 737 M, 10
    // rounds 863 M, 20 rounds 918 M; over seeds 1 to 6 on the whole tournament set, 3 rounds
    // 487 M, 10 rounds 687 M.
    constexpr int kLaterRounds = 3;
    const bool first = odds.row.empty();
    if (first)
        plainShares(lines, scopeLine, value, limits, odds.row, odds.column);
    passOdds(lines, scopeLine, value, limits, odds.row, odds.column, first ? kRounds : kLaterRounds);
    std::vector<std::pair<double, int>> open; // how unsure, and the cell
    for (int v = 0; v < lines.cellCount(); ++v)
        if (value[v] == Cell::Unknown && scopeLine[lines.rowLine(v)])
            open.push_back({0.5 - std::abs(bothSay(odds.row[v], odds.column[v]) - 0.5), v});
    std::sort(open.begin(), open.end());
    const auto share = static_cast<std::size_t>(kDiveShare * static_cast<double>(open.size()));
    const std::size_t take = std::min(open.size(), std::max<std::size_t>(1, share));
    picks.clear();
    for (std::size_t i = take; i-- > 0;) {
        const int v = open[i].second;
        picks.push_back(literal(v, bothSay(odds.row[v], odds.column[v]) > 0.5));
    }
}

} // namespace zumeli::solver::cdcl
