// The puzzle solver: line propagation, then learning search or backtracking with probing.
#include "solve/engine/solver.h"

#include "solve/engine/cdcl_search.h"
#include "solve/engine/line_solver.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <stdexcept>

namespace zumeli::solver {

const char* verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::NoSolution:
        return "none";
    case Verdict::Unique:
        return "unique";
    case Verdict::Multiple:
        return "multiple";
    case Verdict::Stopped:
        break;
    }
    return "timeout";
}

namespace {

using Clock = std::chrono::steady_clock;

// Clue lists with zeros dropped; throws for a negative run length.
std::vector<std::vector<int>> cleanRuns(const std::vector<std::vector<int>>& lines)
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

// The search state. Rows are lines 0..H-1, columns lines H..H+W-1; each line keeps two bit
// masks (known filled, known empty) and every cell lives in one row and one column mask.
// Assignments go on a trail so that probes and search branches undo them.
class Engine {
public:
    Engine(const Puzzle& puzzle, const SolveOptions& options, Clock::time_point start)
        : options_(options), start_(start)
    {
        if (static_cast<long>(puzzle.width()) * puzzle.height() > kMaxSolverCells)
            throw std::invalid_argument("puzzle of " + std::to_string(puzzle.width()) + " x "
                                        + std::to_string(puzzle.height()) + " cells is too large to solve");
        const auto rows = cleanRuns(puzzle.rows);
        const auto columns = cleanRuns(puzzle.columns);
        height_ = static_cast<int>(rows.size());
        width_ = static_cast<int>(columns.size());
        const int lines = height_ + width_;
        runs_.reserve(lines);
        for (const auto& r : rows)
            runs_.push_back(r);
        for (const auto& c : columns)
            runs_.push_back(c);
        length_.resize(lines);
        offset_.resize(lines + 1);
        std::size_t total = 0;
        int widest = 1;
        for (int l = 0; l < lines; ++l) {
            length_[l] = l < height_ ? width_ : height_;
            offset_[l] = total;
            total += static_cast<std::size_t>(wordsForLength(length_[l]));
            widest = std::max(widest, wordsForLength(length_[l]));
        }
        offset_[lines] = total;
        filled_.assign(total, 0);
        empty_.assign(total, 0);
        scratchFilled_.assign(static_cast<std::size_t>(widest), 0);
        scratchEmpty_.assign(static_cast<std::size_t>(widest), 0);
        queued_.assign(static_cast<std::size_t>(lines), 0);
        cellCount_ = static_cast<long>(width_) * height_;
        unknown_ = cellCount_;
        if (options.timeLimitSeconds > 0)
            deadline_ = start + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(options.timeLimitSeconds));
    }

    // Whether some line's runs cannot fit in it at all.
    bool anyLineOverfull() const
    {
        for (std::size_t l = 0; l < runs_.size(); ++l) {
            long need = runs_[l].empty() ? 0 : static_cast<long>(runs_[l].size()) - 1;
            for (const int r : runs_[l])
                need += r;
            if (need > length_[l])
                return true;
        }
        return false;
    }

    // Whether the filled cells the rows ask for and those the columns ask for differ.
    bool totalsDiffer() const
    {
        long rows = 0;
        long columns = 0;
        for (int l = 0; l < height_ + width_; ++l)
            for (const int r : runs_[l])
                (l < height_ ? rows : columns) += r;
        return rows != columns;
    }

    bool propagateAll()
    {
        for (int l = 0; l < height_ + width_; ++l)
            enqueue(l);
        return propagate();
    }

    long unknownCount() const { return unknown_; }
    bool stopped() const { return stopReason_ != StopReason::None; }
    StopReason stopReason() const { return stopReason_; }
    const SolveStats& stats() const { return stats_; }
    std::vector<CellGrid>& solutions() { return solutions_; }

    CellGrid grid() const
    {
        CellGrid g(width_, height_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                g.at(x, y) = cellAt(x, y);
        return g;
    }

    const std::vector<std::vector<int>>& runs() const { return runs_; }
    int height() const { return height_; }

    // Depth-first search from the current (propagated, consistent) state.
    Verdict search()
    {
        struct Frame {
            std::size_t mark;
            long cell;
            bool second;
        };
        std::vector<Frame> stack;
        stampOf_.assign(static_cast<std::size_t>(cellCount_), 0);
        stampValue_.assign(static_cast<std::size_t>(cellCount_), 0);
        score_.assign(static_cast<std::size_t>(cellCount_), 0);
        bool alive = true;
        for (;;) {
            if (alive) {
                ++stats_.nodes;
                if (options_.nodeLimit > 0 && stats_.nodes > options_.nodeLimit)
                    stopReason_ = StopReason::NodeLimit;
                if (stopped() || checkStop())
                    return Verdict::Stopped;
                long branch = -1;
                alive = examineNode(branch);
                if (stopped())
                    return Verdict::Stopped;
                if (solutions_.size() >= 2)
                    return Verdict::Multiple;
                if (alive && branch >= 0) {
                    stack.push_back({trail_.size(), branch, false});
                    assignCell(branch, true);
                    alive = propagate();
                    if (stopped())
                        return Verdict::Stopped;
                    continue;
                }
            }
            while (!stack.empty() && stack.back().second) {
                undo(stack.back().mark);
                stack.pop_back();
            }
            if (stack.empty())
                break;
            Frame& frame = stack.back();
            undo(frame.mark);
            frame.second = true;
            assignCell(frame.cell, false);
            alive = propagate();
            if (stopped())
                return Verdict::Stopped;
        }
        return solutions_.empty() ? Verdict::NoSolution
            : solutions_.size() == 1 ? Verdict::Unique
                                     : Verdict::Multiple;
    }

    // Reads the cancel flag and the clock; true once either says stop.
    bool checkStop()
    {
        if (stopped())
            return true;
        if (options_.cancel && options_.cancel->load(std::memory_order_relaxed))
            stopReason_ = StopReason::Cancelled;
        else if (deadline_ && Clock::now() >= *deadline_)
            stopReason_ = StopReason::TimeLimit;
        return stopped();
    }

private:
    static constexpr Word bit(int i) { return Word(1) << (i & 63); }

    Cell cellAt(int x, int y) const
    {
        const std::size_t w = offset_[y] + static_cast<std::size_t>(x >> 6);
        if (filled_[w] & bit(x))
            return Cell::Filled;
        if (empty_[w] & bit(x))
            return Cell::Empty;
        return Cell::Unknown;
    }

    bool known(long cell) const
    {
        const int y = static_cast<int>(cell / width_);
        const int x = static_cast<int>(cell % width_);
        const std::size_t w = offset_[y] + static_cast<std::size_t>(x >> 6);
        return ((filled_[w] | empty_[w]) & bit(x)) != 0;
    }

    void enqueue(int line)
    {
        if (!queued_[line]) {
            queued_[line] = 1;
            queue_.push_back(line);
        }
    }

    void clearQueue()
    {
        for (std::size_t i = queueHead_; i < queue_.size(); ++i)
            queued_[queue_[i]] = 0;
        queue_.clear();
        queueHead_ = 0;
    }

    // Records cell (x, y) in its row and column masks and on the trail.
    void setCell(int x, int y, bool isFilled)
    {
        std::vector<Word>& masks = isFilled ? filled_ : empty_;
        masks[offset_[y] + static_cast<std::size_t>(x >> 6)] |= bit(x);
        masks[offset_[height_ + x] + static_cast<std::size_t>(y >> 6)] |= bit(y);
        trail_.push_back(((static_cast<long>(y) * width_ + x) << 1) | (isFilled ? 1 : 0));
        --unknown_;
    }

    void assignCell(long cell, bool isFilled)
    {
        const int y = static_cast<int>(cell / width_);
        const int x = static_cast<int>(cell % width_);
        setCell(x, y, isFilled);
        enqueue(y);
        enqueue(height_ + x);
    }

    void undo(std::size_t mark)
    {
        while (trail_.size() > mark) {
            const long entry = trail_.back();
            trail_.pop_back();
            const long cell = entry >> 1;
            const int y = static_cast<int>(cell / width_);
            const int x = static_cast<int>(cell % width_);
            std::vector<Word>& masks = (entry & 1) ? filled_ : empty_;
            masks[offset_[y] + static_cast<std::size_t>(x >> 6)] &= ~bit(x);
            masks[offset_[height_ + x] + static_cast<std::size_t>(y >> 6)] &= ~bit(y);
            ++unknown_;
        }
    }

    // Runs queued lines through the line solver until none changes. False on a contradiction
    // or when a limit stopped the run (see stopped()).
    bool propagate()
    {
        while (queueHead_ < queue_.size()) {
            const int line = queue_[queueHead_++];
            queued_[line] = 0;
            ++stats_.lineSolves;
            work_ += static_cast<std::uint64_t>(length_[line]);
            if (work_ >= (1u << 16)) {
                work_ = 0;
                if (checkStop()) {
                    clearQueue();
                    return false;
                }
            }
            const int n = length_[line];
            Word* f = filled_.data() + offset_[line];
            Word* e = empty_.data() + offset_[line];
            const auto& runs = runs_[line];
            if (!solveLine(runs.data(), static_cast<int>(runs.size()), n, f, e,
                           scratchFilled_.data(), scratchEmpty_.data())) {
                clearQueue();
                return false;
            }
            const int words = wordsForLength(n);
            for (int w = 0; w < words; ++w) {
                for (int pass = 0; pass < 2; ++pass) {
                    const bool isFilled = pass == 0;
                    Word fresh = isFilled ? scratchFilled_[w] & ~f[w] : scratchEmpty_[w] & ~e[w];
                    while (fresh) {
                        const int i = w * 64 + __builtin_ctzll(fresh);
                        fresh &= fresh - 1;
                        if (line < height_) {
                            setCell(i, line, isFilled);
                            enqueue(height_ + i);
                        } else {
                            setCell(line - height_, i, isFilled);
                            enqueue(i);
                        }
                    }
                }
            }
        }
        queue_.clear();
        queueHead_ = 0;
        return true;
    }

    void recordSolution()
    {
        CellGrid g = grid();
        for (const CellGrid& s : solutions_)
            if (s == g)
                return;
        solutions_.push_back(std::move(g));
    }

    enum class ProbeOutcome { Nothing, Progress, Conflict, Stop };

    // Tries `cell` filled and empty. A value that leads to a contradiction is refuted (the
    // other one is set); cells both values agree on are set. Leaves the trial sizes as the
    // cell's branching score.
    ProbeOutcome probeCell(long cell)
    {
        const std::size_t mark = trail_.size();
        ++stats_.probes;
        const std::uint32_t stamp = ++stampCounter_;

        assignCell(cell, true);
        const bool filledOk = propagate();
        if (stopped())
            return ProbeOutcome::Stop;
        const std::size_t filledCount = trail_.size() - mark;
        if (filledOk) {
            if (unknown_ == 0)
                recordSolution();
            for (std::size_t i = mark; i < trail_.size(); ++i) {
                const long entry = trail_[i];
                stampOf_[entry >> 1] = stamp;
                stampValue_[entry >> 1] = static_cast<std::uint8_t>(entry & 1);
            }
        }
        undo(mark);
        if (!filledOk) {
            assignCell(cell, false);
            return propagate() ? ProbeOutcome::Progress
                : stopped()    ? ProbeOutcome::Stop
                               : ProbeOutcome::Conflict;
        }
        if (solutions_.size() >= 2)
            return ProbeOutcome::Stop;

        assignCell(cell, false);
        const bool emptyOk = propagate();
        if (stopped())
            return ProbeOutcome::Stop;
        const std::size_t emptyCount = trail_.size() - mark;
        if (!emptyOk) {
            undo(mark);
            assignCell(cell, true);
            return propagate() ? ProbeOutcome::Progress
                : stopped()    ? ProbeOutcome::Stop
                               : ProbeOutcome::Conflict;
        }
        if (unknown_ == 0)
            recordSolution();
        common_.clear();
        for (std::size_t i = mark + 1; i < trail_.size(); ++i) {
            const long entry = trail_[i];
            if (stampOf_[entry >> 1] == stamp && stampValue_[entry >> 1] == (entry & 1))
                common_.push_back(entry);
        }
        undo(mark);
        if (solutions_.size() >= 2)
            return ProbeOutcome::Stop;
        score_[cell] = static_cast<std::uint64_t>(filledCount) * static_cast<std::uint64_t>(emptyCount);
        if (common_.empty())
            return ProbeOutcome::Nothing;
        for (const long entry : common_)
            assignCell(entry >> 1, (entry & 1) != 0);
        return propagate() ? ProbeOutcome::Progress
            : stopped()    ? ProbeOutcome::Stop
                           : ProbeOutcome::Conflict;
    }

    // Probes every open cell until a whole round changes nothing, then picks the cell to
    // branch on. False when the node has no solution (or the run stopped).
    bool examineNode(long& branch)
    {
        branch = -1;
        if (unknown_ == 0) {
            recordSolution();
            return true;
        }
        if (!options_.probing) {
            for (long c = 0; c < cellCount_; ++c)
                if (!known(c)) {
                    branch = c;
                    break;
                }
            return true;
        }
        long sinceProgress = 0;
        long c = 0;
        while (sinceProgress < cellCount_ && unknown_ > 0) {
            const long cell = c;
            if (++c == cellCount_)
                c = 0;
            ++sinceProgress;
            if (known(cell))
                continue;
            switch (probeCell(cell)) {
            case ProbeOutcome::Nothing:
                break;
            case ProbeOutcome::Progress:
                sinceProgress = 0;
                break;
            case ProbeOutcome::Conflict:
            case ProbeOutcome::Stop:
                return false;
            }
        }
        if (unknown_ == 0) {
            recordSolution();
            return true;
        }
        std::uint64_t best = 0;
        for (long cell = 0; cell < cellCount_; ++cell)
            if (!known(cell) && (branch < 0 || score_[cell] > best)) {
                best = score_[cell];
                branch = cell;
            }
        return true;
    }

    const SolveOptions& options_;
    Clock::time_point start_;
    std::optional<Clock::time_point> deadline_;
    int width_ = 0;
    int height_ = 0;
    long cellCount_ = 0;
    long unknown_ = 0;
    std::vector<std::vector<int>> runs_;
    std::vector<int> length_;
    std::vector<std::size_t> offset_;
    std::vector<Word> filled_;
    std::vector<Word> empty_;
    std::vector<Word> scratchFilled_;
    std::vector<Word> scratchEmpty_;
    std::vector<int> queue_;
    std::size_t queueHead_ = 0;
    std::vector<std::uint8_t> queued_;
    std::vector<long> trail_;
    std::vector<std::uint32_t> stampOf_;
    std::vector<std::uint8_t> stampValue_;
    std::uint32_t stampCounter_ = 0;
    std::vector<std::uint64_t> score_;
    std::vector<long> common_;
    std::vector<CellGrid> solutions_;
    StopReason stopReason_ = StopReason::None;
    SolveStats stats_;
    std::uint64_t work_ = 0; // line cells solved since the clock was last read
};

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

SolveResult solve(const Puzzle& puzzle, const SolveOptions& options)
{
    const auto start = Clock::now();
    SolveResult result;
    Engine engine(puzzle, options, start);
    auto finish = [&](Verdict verdict) {
        result.verdict = verdict;
        result.stopReason = engine.stopReason();
        result.stats = engine.stats();
        result.elapsedMs = millisecondsSince(start);
        return result;
    };
    result.lineGrid = CellGrid(puzzle.width(), puzzle.height());
    if (engine.anyLineOverfull()) {
        result.lineSolvable = true;
        return finish(Verdict::NoSolution);
    }
    if (engine.checkStop())
        return finish(Verdict::Stopped);
    const bool consistent = engine.propagateAll();
    if (engine.stopped())
        return finish(Verdict::Stopped);
    if (!consistent) {
        result.lineSolvable = true;
        return finish(Verdict::NoSolution);
    }
    result.lineGrid = engine.grid();
    if (engine.unknownCount() == 0) {
        result.lineSolvable = true;
        result.solutions.push_back(result.lineGrid);
        return finish(Verdict::Unique);
    }
    if (engine.totalsDiffer())
        return finish(Verdict::NoSolution);
    if (options.learning) {
        const auto& runs = engine.runs();
        const std::vector<std::vector<int>> rows(runs.begin(), runs.begin() + engine.height());
        const std::vector<std::vector<int>> columns(runs.begin() + engine.height(), runs.end());
        ConflictSearchResult found = conflictSearch(rows, columns, engine.grid(), options, start, 0);
        result.stopReason = found.stopReason;
        result.stats = engine.stats();
        result.stats.nodes = found.decisions;
        result.stats.conflicts = found.conflicts;
        result.stats.lineSolves += found.lineSolves;
        result.verdict = found.verdict;
        result.solutions = std::move(found.solutions);
        result.elapsedMs = millisecondsSince(start);
        return result;
    }
    const Verdict verdict = engine.search();
    result.solutions = engine.solutions();
    if (result.solutions.size() > 2)
        result.solutions.resize(2);
    return finish(verdict);
}

CellGrid lineSolve(const Puzzle& puzzle, bool* consistent)
{
    SolveOptions options;
    Engine engine(puzzle, options, Clock::now());
    bool ok = !engine.anyLineOverfull() && engine.propagateAll();
    if (consistent)
        *consistent = ok;
    return ok ? engine.grid() : CellGrid(puzzle.width(), puzzle.height());
}

} // namespace zumeli::solver
