// The per-line state of one solve: clue runs, known cells as line masks, the line queue, limits.
#include "solve/engine/line_state.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace zumeli::solver {

RunLimits::RunLimits(const SolveOptions& options, Clock::time_point start) : cancel_(options.cancel)
{
    if (options.timeLimitSeconds > 0)
        deadline_ = start + std::chrono::duration_cast<Clock::duration>(
                                std::chrono::duration<double>(options.timeLimitSeconds));
}

bool RunLimits::checkNow()
{
    if (stopped())
        return true;
    if (cancel_ && cancel_->load(std::memory_order_relaxed))
        reason_ = StopReason::Cancelled;
    else if (deadline_ && Clock::now() >= *deadline_)
        reason_ = StopReason::TimeLimit;
    return stopped();
}

LineState::LineState(const std::vector<std::vector<int>>& rows, const std::vector<std::vector<int>>& columns)
    : width_(static_cast<int>(columns.size())), height_(static_cast<int>(rows.size()))
{
    if (width_ > 65535 || height_ > 65535)
        throw std::length_error("a puzzle of over 65535 rows or columns");
    const int lines = width_ + height_;
    length_.assign(static_cast<std::size_t>(height_), width_);
    length_.resize(static_cast<std::size_t>(lines), height_);
    runs_.reserve(static_cast<std::size_t>(lines));
    runs_.insert(runs_.end(), rows.begin(), rows.end());
    runs_.insert(runs_.end(), columns.begin(), columns.end());
    offset_.resize(static_cast<std::size_t>(lines) + 1);
    std::size_t total = 0;
    for (int l = 0; l < lines; ++l) {
        offset_[l] = total;
        total += static_cast<std::size_t>(wordsForLength(length(l)));
        widestWords_ = std::max(widestWords_, wordsForLength(length(l)));
    }
    offset_[lines] = total;
    filled_.assign(total, 0);
    empty_.assign(total, 0);
    solvedFilled_.assign(static_cast<std::size_t>(widestWords_), 0);
    solvedEmpty_.assign(static_cast<std::size_t>(widestWords_), 0);
    queued_.assign(static_cast<std::size_t>(lines), 0);
    unknown_ = static_cast<long>(width_) * height_;
    place_.reserve(static_cast<std::size_t>(unknown_));
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            place_.push_back({static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(x)});
}

Cell LineState::cell(int cell) const
{
    const int x = cell % width_;
    const std::size_t w = offset_[cell / width_] + static_cast<std::size_t>(x >> 6);
    const Word bit = Word(1) << (x & 63);
    return (filled_[w] & bit) ? Cell::Filled : (empty_[w] & bit) ? Cell::Empty : Cell::Unknown;
}

ShortLineCache::ShortLineCache(const LineState& state, const std::vector<std::uint8_t>& cached, std::size_t perLine)
{
    while ((std::size_t(2) << shift_) < perLine)
        ++shift_;
    region_.assign(static_cast<std::size_t>(state.lineCount()), -1);
    int regions = 0;
    for (int line = 0; line < state.lineCount(); ++line)
        if (cached[static_cast<std::size_t>(line)] && state.length(line) <= 63)
            region_[static_cast<std::size_t>(line)] = regions++;
    table_.resize(static_cast<std::size_t>(regions) << shift_);
}

CellGrid LineState::grid() const
{
    CellGrid g(width_, height_);
    for (int c = 0; c < cellCount(); ++c)
        g.cells[static_cast<std::size_t>(c)] = cell(c);
    return g;
}

bool LineState::anyLineOverfull() const
{
    for (int l = 0; l < lineCount(); ++l) {
        long need = runs_[l].empty() ? 0 : static_cast<long>(runs_[l].size()) - 1;
        for (const int r : runs_[l])
            need += r;
        if (need > length(l))
            return true;
    }
    return false;
}

bool LineState::totalsDiffer() const
{
    long rows = 0;
    long columns = 0;
    for (int l = 0; l < lineCount(); ++l)
        for (const int r : runs_[l])
            (l < height_ ? rows : columns) += r;
    return rows != columns;
}

void LineState::enqueueAll()
{
    for (int l = 0; l < lineCount(); ++l)
        enqueue(l);
}

void LineState::clearQueue()
{
    for (std::size_t i = queueHead_; i < queue_.size(); ++i)
        queued_[queue_[i]] = 0;
    queue_.clear();
    queueHead_ = 0;
}

namespace {

template <typename Solve>
bool propagateWith(LineState& state, RunLimits& limits, std::vector<int>* trail, Solve&& solve)
{
    while (state.hasQueued()) {
        const int line = state.nextQueued();
        if (limits.tick(static_cast<std::uint64_t>(state.length(line))) || !solve(line)) {
            state.clearQueue();
            return false;
        }
        const bool isRow = line < state.height();
        state.forEachNewlySolved(line, [&](int cell, bool isFilled) {
            state.set(cell, isFilled);
            if (trail)
                trail->push_back(cell);
            state.enqueue(isRow ? state.columnLine(cell) : state.rowLine(cell));
        });
    }
    return true;
}

} // namespace

bool propagateLines(LineState& state, RunLimits& limits, std::vector<int>* trail)
{
    return propagateWith(state, limits, trail, [&](int line) { return state.solve(line); });
}

bool propagateLines(LineState& state, RunLimits& limits, LineSolveCache<2>& cache,
                    const std::vector<std::uint64_t>& clues, std::vector<int>* trail)
{
    return propagateWith(state, limits, trail,
                         [&](int line) { return cache.solve(state, line, clues[static_cast<std::size_t>(line)]); });
}

std::vector<std::vector<int>> independentParts(const LineState& state)
{
    std::vector<int> parent(static_cast<std::size_t>(state.lineCount()));
    for (std::size_t l = 0; l < parent.size(); ++l)
        parent[l] = static_cast<int>(l);
    auto root = [&](int l) {
        while (parent[l] != l)
            l = parent[l] = parent[parent[l]];
        return l;
    };
    for (int v = 0; v < state.cellCount(); ++v)
        if (state.cell(v) == Cell::Unknown)
            parent[root(state.rowLine(v))] = root(state.columnLine(v));
    std::vector<int> partOfRoot(parent.size(), -1);
    std::vector<std::vector<int>> parts;
    for (int v = 0; v < state.cellCount(); ++v) {
        if (state.cell(v) != Cell::Unknown)
            continue;
        int& index = partOfRoot[root(state.rowLine(v))];
        if (index < 0) {
            index = static_cast<int>(parts.size());
            parts.emplace_back();
        }
        parts[index].push_back(v);
    }
    std::stable_sort(parts.begin(), parts.end(),
                     [](const std::vector<int>& a, const std::vector<int>& b) { return a.size() < b.size(); });
    return parts;
}

std::vector<std::vector<int>> positiveRuns(const std::vector<std::vector<int>>& lines)
{
    std::vector<std::vector<int>> out;
    out.reserve(lines.size());
    for (const auto& line : lines) {
        std::vector<int> runs;
        for (const int r : line) {
            if (r < 0)
                throw std::invalid_argument("negative run length " + std::to_string(r));
            if (r > 0)
                runs.push_back(r);
        }
        out.push_back(std::move(runs));
    }
    return out;
}

} // namespace zumeli::solver
