// Conflict-driven search: line logic explains its deductions, contradictions become clauses.
#include "solve/engine/cdcl_search.h"

#include "solve/engine/cdcl_branching.h"
#include "solve/engine/cdcl_store.h"
#include "solve/engine/line_explain.h"
#include "solve/engine/line_solver.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <optional>
#include <stdexcept>

namespace zumeli::solver {

namespace {

using namespace cdcl;

constexpr int kDecision = -1; // a branch, or a fact known from the start
// Reasons >= 0 are clause indexes; <= -2 name line -(reason + 2).
inline int lineReason(int line) { return -line - 2; }

class ConflictSearch {
public:
    ConflictSearch(LineState& lines, const SolveOptions& options, RunLimits& limits, const SearchScope& scope)
        : options_(options), limits_(limits), lines_(lines), scope_(scope), rhythm_(lines.cellCount())
    {
        width_ = lines.width();
        height_ = lines.height();
        cells_ = lines.cellCount();
        testFilled_.assign(static_cast<std::size_t>(lines.widestWords()), 0);
        testEmpty_.assign(static_cast<std::size_t>(lines.widestWords()), 0);
        value_.assign(static_cast<std::size_t>(cells_), Cell::Unknown);
        litTruth_.assign(static_cast<std::size_t>(2 * cells_), -1);
        trialMark_.assign(static_cast<std::size_t>(2 * cells_), 0);
        level_.assign(static_cast<std::size_t>(cells_), 0);
        reason_.assign(static_cast<std::size_t>(cells_), kDecision);
        trailPos_.assign(static_cast<std::size_t>(cells_), 0);
        seen_.assign(static_cast<std::size_t>(cells_), 0);
        levelSeenAt_.assign(static_cast<std::size_t>(cells_) + 1, 0);
        activity_.assign(static_cast<std::size_t>(cells_), 0.0);
        explained_.assign(static_cast<std::size_t>(cells_), 0);
        explanation_.resize(static_cast<std::size_t>(cells_));
        watches_.resize(static_cast<std::size_t>(2 * cells_));
        scopeLine_.assign(static_cast<std::size_t>(lines.lineCount()), scope.cells ? 0 : 1);
        shortFitting_.assign(static_cast<std::size_t>(lines.lineCount()), 0);
        lineTrailStart_.assign(static_cast<std::size_t>(lines.lineCount()), 0);
        lineTrailSize_.assign(static_cast<std::size_t>(lines.lineCount()), 0);
        for (int line = 1; line < lines.lineCount(); ++line)
            lineTrailStart_[line] = lineTrailStart_[line - 1] + lines.length(line - 1);
        lineTrail_ = std::make_unique_for_overwrite<TrailCell[]>(static_cast<std::size_t>(2 * cells_));
        for (int line = 0; line < lines.lineCount(); ++line) {
            const auto& runs = lines.runs(line);
            long need = runs.empty() ? 0 : static_cast<long>(runs.size()) - 1;
            for (const int r : runs)
                need += r;
            shortFitting_[static_cast<std::size_t>(line)] = lines.length(line) <= 63 && need <= lines.length(line);
        }
        if (scope.cells) {
            for (const int v : *scope.cells)
                scopeLine_[lines.rowLine(v)] = scopeLine_[lines.columnLine(v)] = 1;
        }
        cache_ = ShortLineCache(lines, scopeLine_, kCachePerLine);
        heap_.init(cells_, &activity_);
        if (scope.cells) {
            for (const int v : *scope.cells)
                heap_.insert(v);
        } else {
            for (int v = 0; v < cells_; ++v)
                heap_.insert(v);
        }
    }

    ConflictSearchResult run()
    {
        ConflictSearchResult result;
        // The cells line logic decided are facts of level 0, already in the line masks (and
        // every line is at its fixed point, so nothing is queued).
        for (int v = 0; v < cells_; ++v) {
            const Cell c = lines_.cell(v);
            if (c != Cell::Unknown)
                record(literal(v, c == Cell::Filled), kDecision, false);
        }
        complete_ = scope_.cells ? trail_.size() + scope_.cells->size() : static_cast<std::size_t>(cells_);
        seedHeuristic();
        if (scope_.firstSolution) {
            // As the search would have recorded it: the cells in scope from the picture, the
            // others as known so far.
            CellGrid first(width_, height_);
            for (int v = 0; v < cells_; ++v)
                first.cells[v] = value_[v] != Cell::Unknown || !heap_.contains(v) ? value_[v]
                                                                                  : scope_.firstSolution->cells[v];
            solutions_.push_back(std::move(first));
            // The search runs as without it: a solution it finds other than the picture is
            // the second, the picture itself counts as its first. Should the search drag
            // on, windows around the picture are tried as around any first solution.
            windowsAfterConflicts_ = kConflictsBeforeWindows;
        }
        result.verdict = search();
        result.solutions = std::move(solutions_);
        result.decisions = decisions_;
        result.conflicts = conflicts_;
        return result;
    }

private:
    // Starting guesses and activities (see seedBranching).
    void seedHeuristic()
    {
        passedOdds_ = seedBranching(lines_, scopeLine_, value_, options_.tieBreakSeed, limits_, rhythm_, activity_, heap_);
    }

    int level() const { return static_cast<int>(trailLimit_.size()); }

    bool stopped() const { return limits_.stopped(); }
    bool checkStop() { return limits_.checkNow(); }
    bool tick(int cells) { return limits_.tick(static_cast<std::uint64_t>(cells)); }

    // The literal's truth: 1 true, 0 false, -1 open.
    int truth(Lit p) const { return litTruth_[static_cast<std::size_t>(p)]; }

    // Puts the literal on the trail, and when the search sets it on the trails of its row and
    // its column (the line masks are the caller's).
    void record(Lit p, int reason, bool bySearch = true)
    {
        const int v = cellOf(p);
        if (bySearch) {
            const int y = lines_.rowLine(v);
            const int x = lines_.columnLine(v) - height_;
            const int trailPos = static_cast<int>(trail_.size());
            lineTrail_[lineTrailStart_[y] + lineTrailSize_[y]++] = {trailPos, x, saysFilled(p)};
            lineTrail_[lineTrailStart_[height_ + x] + lineTrailSize_[height_ + x]++] = {trailPos, y, saysFilled(p)};
        }
        value_[v] = saysFilled(p) ? Cell::Filled : Cell::Empty;
        litTruth_[static_cast<std::size_t>(p)] = 1;
        litTruth_[static_cast<std::size_t>(opposite(p))] = 0;
        level_[v] = level();
        reason_[v] = reason;
        trailPos_[v] = static_cast<int>(trail_.size());
        explained_[v] = 0;
        trail_.push_back(p);
    }

    void assign(Lit p, int reason)
    {
        const int v = cellOf(p);
        record(p, reason);
        lines_.set(v, saysFilled(p));
        const int row = lines_.rowLine(v);
        const int column = lines_.columnLine(v);
        if (reason != lineReason(row))
            lines_.enqueue(row);
        if (reason != lineReason(column))
            lines_.enqueue(column);
    }

    void backjump(int target)
    {
        if (level() <= target)
            return;
        const std::size_t keep = static_cast<std::size_t>(trailLimit_[target]);
        while (trail_.size() > keep) {
            const Lit p = trail_.back();
            trail_.pop_back();
            const int v = cellOf(p);
            lines_.unset(v, saysFilled(p));
            // Undone from the end of the trail, the cell is the last on its lines' trails.
            --lineTrailSize_[lines_.rowLine(v)];
            --lineTrailSize_[lines_.columnLine(v)];
            value_[v] = Cell::Unknown;
            litTruth_[static_cast<std::size_t>(p)] = litTruth_[static_cast<std::size_t>(opposite(p))] = -1;
            if (!probing_)
                rhythm_.forget(v, saysFilled(p));
            heap_.insert(v);
        }
        trailLimit_.resize(static_cast<std::size_t>(target));
        propagated_ = trail_.size();
        lines_.clearQueue();
    }

    void toggleTest(int line, Lit p)
    {
        const int i = lines_.positionIn(line, cellOf(p));
        (saysFilled(p) ? testFilled_ : testEmpty_)[static_cast<std::size_t>(i >> 6)] ^= Word(1) << (i & 63);
    }

    // Whether `line` with the test masks has no arrangement, counted as line work.
    bool testContradictory(int line)
    {
        lines_.countLineSolve();
        const int n = lines_.length(line);
        limits_.tick(static_cast<std::uint64_t>(n));
        const auto& runs = lines_.runs(line);
        return !lineFeasible(runs.data(), static_cast<int>(runs.size()), n, testFilled_.data(), testEmpty_.data());
    }

    // Loads the test masks with the known cells of `line` assigned before trail position
    // `before`, and `extra`, and candidates_ with those of them not known from the start,
    // latest first, less the ones the line deduced itself: deletion would drop each of them
    // (a quarter of the tests on the contest puzzles), so they go at once. The line's own
    // trail holds the cells the search set in the trail's order; the facts of level 0 come
    // first on the trail.
    void loadExplanation(int line, int before, std::optional<Lit> extra)
    {
        const int words = wordsForLength(lines_.length(line));
        std::copy_n(lines_.filled(line), words, testFilled_.begin());
        std::copy_n(lines_.empty(line), words, testEmpty_.begin());
        const TrailCell* known = lineTrail_.get() + lineTrailStart_[line];
        int count = lineTrailSize_[line];
        for (; count > 0 && known[count - 1].trailPos >= before; --count) {
            const int i = known[count - 1].position;
            const Word keep = ~(Word(1) << (i & 63));
            testFilled_[static_cast<std::size_t>(i >> 6)] &= keep;
            testEmpty_[static_cast<std::size_t>(i >> 6)] &= keep;
        }
        if (extra)
            toggleTest(line, *extra);
        const int firstBranch = trailLimit_.empty() ? before : trailLimit_[0];
        const int first = lines_.cellAt(line, 0);
        const int step = lines_.length(line) > 1 ? lines_.cellAt(line, 1) - first : 1;
        const int ownReason = lineReason(line);
        candidates_.clear();
        for (int k = count - 1; k >= 0 && known[k].trailPos >= firstBranch; --k) {
            const LineCell c{known[k].position, known[k].filled};
            // A cell this line deduced itself is dropped without a test. The cells it was
            // deduced from lie earlier on the trail, so deletion (latest first) has not
            // reached them when its turn comes: without it the line allows the same
            // arrangements, none. Dropping all of them first leaves every other test's
            // answer as it was, by the same argument, so the explanation is the same.
            if (reason_[first + c.position * step] == ownReason)
                toggleLineCell(c, testFilled_.data(), testEmpty_.data());
            else
                candidates_.push_back(c);
        }
        // Still no arrangement, with the cells the line deduced itself dropped.
        assert(!lineFeasible(lines_.runs(line).data(), static_cast<int>(lines_.runs(line).size()),
                             lines_.length(line), testFilled_.data(), testEmpty_.data()));
    }

    // Sets keptCandidates_ to the candidates of `line` that its contradiction needs (see
    // keepNeededCells), the test masks loaded.
    void dropUnneeded(int line)
    {
        const int n = lines_.length(line);
        if (!shortFitting_[static_cast<std::size_t>(line)]) {
            keepNeededCells(
                candidates_, testFilled_.data(), testEmpty_.data(), [&] { return testContradictory(line); },
                [&] { return stopped(); }, keptCandidates_);
            return;
        }
        // The line work is counted after the tests (the clock is read a little later).
        const auto& runs = lines_.runs(line);
        const auto tests = static_cast<std::uint64_t>(keepNeededShortCells(
            runs.data(), static_cast<int>(runs.size()), n, candidates_, testFilled_[0], testEmpty_[0], limits_,
            keptCandidates_));
        lines_.countLineSolve(tests);
        limits_.tick(tests * static_cast<std::uint64_t>(n));
    }

    // The fewest known cells of `line` (assigned before trail position `before`) that still
    // make it contradictory together with `extra`: dropped one by one, latest first (see
    // keepNeededCells). Cells known from the start stay in the test line but never in the
    // answer.
    //
    // About a fifth of the explanations of a long search repeat one made before (same line,
    // known cells and order of candidates). A table of recent ones keyed by exactly that
    // spared the tournament puzzles 3 % of their instructions but no processor time: its
    // look-ups missed the processor's caches.
    void minimalExplanation(int line, int before, std::optional<Lit> extra, std::vector<Lit>& out)
    {
        loadExplanation(line, before, extra);
        dropUnneeded(line);
        out.clear();
        const int first = lines_.cellAt(line, 0);
        const int step = lines_.length(line) > 1 ? lines_.cellAt(line, 1) - first : 1;
        for (std::size_t i = 0; i < candidates_.size(); ++i)
            if (keptCandidates_[i])
                out.push_back(literal(first + candidates_[i].position * step, candidates_[i].filled));
    }

    // Calls visit(q) for each true literal q that forced cell v (its reason) until visit
    // returns false; false then. A clause is read where it is; a line's explanation is
    // computed once per assignment.
    template <typename Visit> bool forEachAntecedent(int v, Visit&& visit)
    {
        const int reason = reason_[v];
        if (reason >= 0) {
            // The literal the clause forced is its first.
            const Lit* lits = clauses_.lits(reason);
            const int size = clauses_.size(reason);
            for (int i = 1; i < size; ++i)
                if (!visit(opposite(lits[i])))
                    return false;
            return true;
        }
        if (reason == kDecision)
            return true;
        std::vector<Lit>& out = explanation_[v];
        if (!explained_[v]) {
            explained_[v] = 1;
            const Lit flipped = literal(v, value_[v] != Cell::Filled);
            minimalExplanation(-reason - 2, trailPos_[v], flipped, out);
        }
        for (const Lit q : out)
            if (!visit(q))
                return false;
        return true;
    }

    void attach(int ref)
    {
        const Lit* lits = clauses_.lits(ref);
        watches_[lits[0]].push_back({ref, lits[1]});
        watches_[lits[1]].push_back({ref, lits[0]});
    }

    // Clause and line propagation to a fixed point; false on a contradiction, whose true
    // literals are left in conflict_.
    bool propagate()
    {
        for (;;) {
            while (propagated_ < trail_.size()) {
                if (!propagateWatches(opposite(trail_[propagated_++]))) {
                    lines_.clearQueue();
                    return false;
                }
            }
            if (!lines_.hasQueued())
                return true;
            if (!propagateLine(lines_.nextQueued()))
                return false;
        }
    }

    // Visits the clauses watching `falseLit`, which has just become false: each moves its
    // watch to another literal not false, or forces its other watched literal. False on a
    // clause with every literal false, whose negation is left in conflict_.
    bool propagateWatches(Lit falseLit)
    {
        // The list, the truths and the clauses stay where they are while it is visited:
        // watches move only to other lists (a literal not false), and no clause is added.
        std::vector<Watch>& list = watches_[falseLit];
        Watch* const begin = list.data();
        Watch* const end = begin + list.size();
        Watch* keep = begin;
        const std::int8_t* const truth = litTruth_.data();
        for (Watch* at = begin; at != end; ++at) {
            const Watch w = *at;
            // A true blocker settles the clause without reading it.
            if (truth[w.blocker] == 1) {
                *keep++ = w;
                continue;
            }
            Lit* lits = clauses_.lits(w.clause);
            const int size = clauses_.size(w.clause);
            if (lits[0] == falseLit)
                std::swap(lits[0], lits[1]);
            const Lit other = lits[0];
            if (truth[other] == 1) {
                *keep++ = {w.clause, other};
                continue;
            }
            if (moveWatch(lits, size, w.clause, other))
                continue;
            *keep++ = w;
            if (truth[other] == 0) {
                conflict_.clear();
                for (int k = 0; k < size; ++k)
                    conflict_.push_back(opposite(lits[k]));
                keep = std::copy(at + 1, end, keep);
                list.resize(static_cast<std::size_t>(keep - begin));
                return false;
            }
            assign(other, w.clause);
        }
        list.resize(static_cast<std::size_t>(keep - begin));
        return true;
    }

    // Watches the first literal after the two watched ones that is not false, in place of
    // lits[1]; false when there is none.
    bool moveWatch(Lit* lits, int size, int clause, Lit blocker)
    {
        for (int k = 2; k < size; ++k)
            if (truth(lits[k]) != 0) {
                std::swap(lits[1], lits[k]);
                watches_[lits[1]].push_back({clause, blocker});
                return true;
            }
        return false;
    }

    // Solves `line` and assigns the cells it decides, each with the line as its reason. False
    // on a contradiction (its explanation left in conflict_, unless looking ahead) or when
    // the run must stop; the queue is then emptied.
    bool propagateLine(int line)
    {
        if (tick(lines_.length(line))) {
            lines_.clearQueue();
            return false;
        }
        if (!solveCached(line)) {
            // A value tried while looking ahead leaves its contradiction unread: the look-ahead
            // then takes that trial as its branch, and the branch explains the line.
            if (!probing_)
                explainContradiction(line);
            else
                failedLine_ = line;
            lines_.clearQueue();
            return false;
        }
        lines_.forEachNewlySolved(line, [&](int cell, bool isFilled) {
            assign(literal(cell, isFilled), lineReason(line));
        });
        return true;
    }

    // Leaves in conflict_ the fewest known cells of `line` that leave it no arrangement.
    void explainContradiction(int line)
    {
        minimalExplanation(line, static_cast<int>(trail_.size()), std::nullopt, conflict_);
    }

    // Short lines go through a table of recent results: searches meet the same line states
    // again and again.
    bool solveCached(int line) { return cache_.solve(lines_, line); }

    void bump(int v)
    {
        activity_[v] += activityStep_;
        if (activity_[v] > 1e100) {
            for (double& a : activity_)
                a *= 1e-100;
            activityStep_ *= 1e-100;
        }
        heap_.increased(v);
    }

    // First-unique-implication-point learning from conflict_. Leaves the learned clause in
    // learnt_ (asserting literal first) and returns the level to jump back to; -1 when the
    // conflict holds at a lower level already.
    int analyze()
    {
        if (!learnFromConflict())
            return -1;
        dropImpliedLiterals();
        return assertingLevel();
    }

    // Walks the trail back from conflict_ to the first cell of the newest level that every
    // path to the conflict passes, and leaves in learnt_ its negation (first) and the
    // negations of the cells of lower levels met on the way. False when conflict_ has no cell
    // of the newest level.
    bool learnFromConflict()
    {
        learnt_.clear();
        learnt_.push_back(0);
        int open = 0;
        auto consider = [&](Lit q) {
            const int v = cellOf(q);
            if (seen_[v] || level_[v] == 0)
                return;
            seen_[v] = 1;
            bump(v);
            if (level_[v] >= level())
                ++open;
            else
                learnt_.push_back(opposite(q));
        };
        for (const Lit q : conflict_)
            consider(q);
        if (open == 0) {
            // Nothing from the newest level: the conflict already held lower down.
            for (const Lit q : conflict_)
                seen_[cellOf(q)] = 0;
            return false;
        }
        int index = static_cast<int>(trail_.size()) - 1;
        Lit uip = 0;
        for (;;) {
            while (!seen_[cellOf(trail_[index])])
                --index;
            uip = trail_[index--];
            const int v = cellOf(uip);
            seen_[v] = 0;
            if (--open == 0)
                break;
            forEachAntecedent(v, [&](Lit q) {
                consider(q);
                return true;
            });
        }
        learnt_[0] = opposite(uip);
        return true;
    }

    // A literal whose own reason lies wholly in the clause (or in the facts known from the
    // start) adds nothing: drop it. Shorter clauses prune more and propagate sooner, but
    // the reasons cost line work, repaid only in a long search.
    void dropImpliedLiterals()
    {
        const bool minimize = conflicts_ >= kConflictsBeforeLongSearch;
        seen_[cellOf(learnt_[0])] = 1;
        dropped_.clear();
        std::size_t kept = 1;
        for (std::size_t i = 1; i < learnt_.size(); ++i) {
            const int v = cellOf(learnt_[i]);
            const bool implied = minimize && reason_[v] != kDecision && forEachAntecedent(v, [&](Lit q) {
                const int u = cellOf(q);
                return seen_[u] || level_[u] == 0;
            });
            if (implied)
                dropped_.push_back(learnt_[i]);
            else
                learnt_[kept++] = learnt_[i];
        }
        learnt_.resize(kept);
        for (const Lit q : learnt_)
            seen_[cellOf(q)] = 0;
        for (const Lit q : dropped_)
            seen_[cellOf(q)] = 0;
    }

    // The level to jump back to: the highest of the clause's other literals, the one of them
    // that goes second (0 for a clause of one literal).
    int assertingLevel()
    {
        int jump = 0;
        if (learnt_.size() > 1) {
            std::size_t best = 1;
            for (std::size_t i = 2; i < learnt_.size(); ++i)
                if (level_[cellOf(learnt_[i])] > level_[cellOf(learnt_[best])])
                    best = i;
            std::swap(learnt_[1], learnt_[best]);
            jump = level_[cellOf(learnt_[1])];
        }
        return jump;
    }

    int addClause(const std::vector<Lit>& lits, bool learnt)
    {
        int lbd = 0;
        if (learnt) {
            // The distinct levels of its literals, counted by stamping each level met.
            ++levelStamp_;
            for (const Lit p : lits) {
                std::uint64_t& stamp = levelSeenAt_[static_cast<std::size_t>(level_[cellOf(p)])];
                if (stamp != levelStamp_) {
                    stamp = levelStamp_;
                    ++lbd;
                }
            }
        }
        const int ref = clauses_.add(lits, lbd, learnt);
        attach(ref);
        return ref;
    }

    // Drops the less useful half of the learned clauses that are not reasons right now, then
    // closes the gaps they leave: the clauses still in use stay close together.
    void reduceClauses()
    {
        std::vector<int> candidates;
        clauses_.forEach([&](int ref) {
            if (!clauses_.learnt(ref) || clauses_.lbd(ref) <= 2)
                return;
            const int v = cellOf(clauses_.lits(ref)[0]);
            if (reason_[v] == ref && value_[v] != Cell::Unknown)
                return;
            candidates.push_back(ref);
        });
        std::sort(candidates.begin(), candidates.end(), [&](int a, int b) {
            if (clauses_.lbd(a) != clauses_.lbd(b))
                return clauses_.lbd(a) > clauses_.lbd(b);
            return clauses_.size(a) > clauses_.size(b);
        });
        for (std::size_t i = 0; i < candidates.size() / 2; ++i)
            clauses_.remove(candidates[i]);
        // Clauses are named by place: the reasons on the trail and the watches move along.
        // Each watch list keeps its order, so the search goes on exactly as if the dropped
        // clauses were still there, unread.
        std::vector<int> movedTo(clauses_.words(), -1);
        clauses_.compact([&](int from, int to) { movedTo[static_cast<std::size_t>(from)] = to; });
        for (const Lit p : trail_) {
            int& reason = reason_[cellOf(p)];
            if (reason < 0)
                continue;
            reason = movedTo[static_cast<std::size_t>(reason)];
            // A reason keeps the literal it forced first. One lost would teach the search
            // wrong clauses silently: stop instead.
            if (reason < 0 || clauses_.lits(reason)[0] != p)
                throw std::logic_error("a reason clause was lost when the clauses were compacted");
        }
        for (std::vector<Watch>& list : watches_) {
            std::size_t keep = 0;
            for (const Watch& w : list) {
                const int to = movedTo[static_cast<std::size_t>(w.clause)];
                if (to >= 0)
                    list[keep++] = {to, w.blocker};
            }
            list.resize(keep);
        }
    }

    void recordSolution()
    {
        CellGrid g(width_, height_);
        for (int v = 0; v < cells_; ++v)
            g.cells[v] = value_[v];
        for (const CellGrid& s : solutions_)
            if (s == g)
                return;
        solutions_.push_back(std::move(g));
    }

    Verdict finished() const
    {
        return solutions_.empty() ? Verdict::NoSolution
            : solutions_.size() == 1 ? Verdict::Unique
                                     : Verdict::Multiple;
    }

    // The near search of the scope (see SearchScope::nearSecond), given the cells in scope
    // that were not known from the start; its branches and contradictions count as ours.
    std::optional<CellGrid> secondNearFirst()
    {
        if (!scope_.nearSecond)
            return std::nullopt;
        std::vector<std::uint8_t> open(static_cast<std::size_t>(cells_), 0);
        auto markOpen = [&](int v) {
            if (value_[v] != Cell::Unknown && level_[v] == 0)
                return;
            open[v] = 1;
        };
        if (scope_.cells) {
            for (const int v : *scope_.cells)
                markOpen(v);
        } else {
            for (int v = 0; v < cells_; ++v)
                markOpen(v);
        }
        ConflictSearchResult work;
        std::optional<CellGrid> second =
            scope_.nearSecond(lines_, solutions_.front(), open, options_, limits_, work);
        decisions_ += work.decisions;
        conflicts_ += work.conflicts;
        return second;
    }

    // The branch to take, looking ahead from `first` (see chooseByLookAhead). Trying values
    // leaves the saved phases as they were.
    Lit lookAhead(int first)
    {
        probing_ = true;
        lastTrial_ = -2;
        const Lit choice = chooseByLookAhead(
            first, heap_, value_, rhythm_, lookAheadCells_, [&](Lit p) { return tryBranch(p); },
            [&] { return stopped(); });
        probing_ = false;
        return choice;
    }

    // Takes `p` as a branch, propagates and goes back again: whether it met no contradiction,
    // how many cells it settled (itself included), and when the trial just before was of the
    // other value of the same cell, a value both set (see BranchTrial::implied). That cell is
    // then the next branch after the opposite of the value: either of its values meets a
    // contradiction there, and the two clauses learned from them set the value for good.
    // Measured on the tournament set and 300 puzzles of its rule from other seeds, over six
    // tie-break seeds (with the longer stable spans): 9 % fewer line solves in all, and 1 %
    // fewer on the geometric mean per puzzle.
    // A trial that meets a contradiction is the branch the look-ahead takes, so it is not
    // undone: it stays as that branch, its contradiction ready for analysis (conflictKept_).
    // Going back and propagating the value again cost 6 % of the line solves on the
    // tournament set, and 8 % on the puzzles from other seeds.
    BranchTrial tryBranch(Lit p)
    {
        const std::size_t before = trail_.size();
        trailLimit_.push_back(static_cast<int>(before));
        assign(p, kDecision);
        failedLine_ = -1;
        const bool consistent = propagate();
        const std::size_t settled = trail_.size() - before;
        Lit implied = -1;
        if (consistent) {
            // The values the trial before set carry its stamp: after the other value of the
            // same cell, the first of them this trial sets again is the implied one. Each value
            // set is then stamped with this trial's.
            const bool second = p == opposite(lastTrial_);
            const std::uint64_t stamp = trialStamp_ + 1;
            for (std::size_t i = before + 1; i < trail_.size(); ++i) {
                std::uint64_t& mark = trialMark_[static_cast<std::size_t>(trail_[i])];
                if (second && implied < 0 && mark == trialStamp_)
                    implied = trail_[i];
                mark = stamp;
            }
            trialStamp_ = stamp;
            if (implied >= 0)
                pendingCell_ = cellOf(p);
            lastTrial_ = p;
        } else {
            lastTrial_ = -2;
            if (!stopped()) {
                conflictKept_ = true;
                return {consistent, settled, implied};
            }
        }
        backjump(level() - 1);
        return {consistent, settled, implied};
    }

    Verdict search()
    {
        if (checkStop())
            return Verdict::Stopped;
        for (;;) {
            std::optional<Verdict> verdict;
            if (conflictKept_ || !propagate()) {
                conflictKept_ = false;
                verdict = afterConflict();
            } else if (stopped()) {
                return Verdict::Stopped;
            } else if (trail_.size() == complete_) {
                verdict = afterSolution();
            } else {
                verdict = branch();
            }
            if (verdict)
                return *verdict;
        }
    }

    // A contradiction: learns a clause from it and jumps back, then looks near the first
    // solution, restarts or drops clauses when due. The verdict when the search ends here.
    std::optional<Verdict> afterConflict()
    {
        if (stopped())
            return Verdict::Stopped;
        // A dive goes on through its first kDiveContradictions contradictions, its next turn
        // passing the odds with what the search knows after each.
        if (diving_ && conflicts_ < diveStart_ + kDiveContradictions)
            divePicks_.clear();
        else
            diving_ = false;
        ++conflicts_;
        if ((conflicts_ & 255) == 0 && checkStop())
            return Verdict::Stopped;
        if (level() == 0)
            return finished();
        rhythm_.noteConsistent(trail_, static_cast<std::size_t>(trailLimit_[level() - 1]));
        const std::optional<int> jump = learnAndJumpLevel();
        if (!jump)
            return finished();
        backjump(*jump);
        assertClause(learnt_, true);
        activityStep_ /= kActivityDecay;
        if (windowsAfterConflicts_ > 0 && conflicts_ >= windowsAfterConflicts_) {
            windowsAfterConflicts_ = 0;
            windowsTried_ = true;
            if (std::optional<CellGrid> second = secondNearFirst()) {
                solutions_.push_back(std::move(*second));
                return Verdict::Multiple;
            }
            if (stopped())
                return Verdict::Stopped;
        }
        if (!dived_ && passedOdds_ && solutions_.empty() && conflicts_ >= kConflictsBeforeDive) {
            startDive();
            return std::nullopt;
        }
        restartOrReduceWhenDue();
        if (!cacheGrown_ && conflicts_ >= kConflictsBeforeLargeCache)
            growCache();
        return std::nullopt;
    }

    // Goes back to the facts and dives: the branches to come take the surest cells by the odds
    // passed between rows and columns with the cells known so far, a few at a time, the odds
    // passed again after each few and after each contradiction (learned from as always),
    // until kDiveContradictions contradictions (the search then goes on as before, its saved
    // values those the dive set) or every cell is set.
    // A search that has not found a solution after kConflictsBeforeDive contradictions is
    // lost in a region of the puzzle with none; the odds, passed again along the way, lead
    // to one directly in many of these searches, or close to one.
    void startDive()
    {
        dived_ = true;
        backjump(0);
        conflictsAtRestart_ = conflicts_;
        diving_ = true;
        diveStart_ = conflicts_;
        diveOdds_ = {};
        divePicks_.clear();
    }

    // The next branch of the dive, or nothing when no open cell is left to it.
    std::optional<Lit> nextDiveBranch()
    {
        while (!divePicks_.empty() && value_[cellOf(divePicks_.back())] != Cell::Unknown)
            divePicks_.pop_back();
        if (divePicks_.empty())
            surestCells(lines_, scopeLine_, value_, limits_, diveOdds_, divePicks_);
        if (divePicks_.empty())
            return std::nullopt;
        const Lit p = divePicks_.back();
        divePicks_.pop_back();
        return p;
    }

    // A search this long keeps returning to line states it met long before: a larger table of
    // line results holds more of them (it starts empty, which changes no result). Up to
    // kLargeCachePerLine entries a line, and the whole well within the processor's
    // second-level cache.
    void growCache()
    {
        cacheGrown_ = true;
        const std::size_t lines = static_cast<std::size_t>(std::count(scopeLine_.begin(), scopeLine_.end(), 1));
        std::size_t perLine = kLargeCachePerLine;
        while (perLine > kCachePerLine && perLine * lines > kLargeCacheEntries)
            perLine /= 2;
        if (perLine > kCachePerLine)
            cache_ = ShortLineCache(lines_, scopeLine_, perLine);
    }

    // Learns from the conflict (at the level it belongs to): the level to jump back to, or
    // nothing when it holds with no branch taken, so no solution is left.
    std::optional<int> learnAndJumpLevel()
    {
        const int jump = analyze();
        if (jump >= 0)
            return jump;
        // The conflict belongs to a lower level: go there and analyse again.
        int highest = 0;
        for (const Lit q : conflict_)
            highest = std::max(highest, level_[cellOf(q)]);
        if (highest == 0)
            return std::nullopt;
        backjump(highest);
        const int again = analyze();
        if (again < 0)
            return std::nullopt;
        return again;
    }

    // Sets lits[0], whose clause `lits` has every other literal false: a clause of one literal
    // is a fact of its own, a longer one is added and is the reason.
    void assertClause(const std::vector<Lit>& lits, bool learnt)
    {
        if (lits.size() == 1) {
            assign(lits[0], kDecision);
        } else {
            const int index = addClause(lits, learnt);
            assign(lits[0], index);
        }
    }

    // Restarts after the conflicts of the Luby sequence's budget (scaled up in the stable mode),
    // and drops the less useful learned clauses every few thousand conflicts.
    void restartOrReduceWhenDue()
    {
        if (static_cast<double>(conflicts_ - conflictsAtRestart_) >= restartBudget_) {
            conflictsAtRestart_ = conflicts_;
            rhythm_.restarted(conflicts_);
            restartBudget_ = luby(2, ++restarts_) * 64 * rhythm_.restartScale();
            backjump(0);
        }
        if (conflicts_ >= nextReduce_) {
            // Spaced by the reductions made, not by the restarts: restarts come thick and
            // fast, and the clauses kept would slow every propagation.
            nextReduce_ = conflicts_ + 2000 + 300 * ++reductions_;
            reduceClauses();
        }
    }

    // Every cell in scope is set: a solution. The verdict when it is the last one wanted; else
    // the search goes on, with a clause that rules this one out.
    std::optional<Verdict> afterSolution()
    {
        recordSolution();
        if (solutions_.size() >= 2)
            return Verdict::Multiple;
        if (static_cast<int>(solutions_.size()) >= scope_.solutionsWanted)
            return Verdict::Unique; // one was all the caller asked for
        if (level() == 0)
            return finished();
        // The first solution: any other differs from it in some branch taken. Should
        // that search drag on, windows around the first solution are tried.
        if (windowsAfterConflicts_ == 0 && !windowsTried_)
            windowsAfterConflicts_ = conflicts_ + kConflictsBeforeWindows;
        std::vector<Lit> block;
        for (int l = level(); l >= 1; --l)
            block.push_back(opposite(trail_[static_cast<std::size_t>(trailLimit_[l - 1])]));
        backjump(level() - 1);
        assertClause(block, false);
        return std::nullopt;
    }

    // Takes a branch on the most active open cell (or the one looking ahead prefers). A
    // verdict only when the run must stop.
    std::optional<Verdict> branch()
    {
        ++decisions_;
        if (options_.nodeLimit > 0 && decisions_ > options_.nodeLimit) {
            limits_.stop(StopReason::NodeLimit);
            return Verdict::Stopped;
        }
        if ((decisions_ & 255) == 0 && checkStop())
            return Verdict::Stopped;
        Lit choice;
        const std::optional<Lit> dive = diving_ ? nextDiveBranch() : std::nullopt;
        diving_ = dive.has_value(); // a dive with no open cell left to it is over
        if (dive) {
            choice = *dive;
        } else if (pendingCell_ >= 0 && value_[pendingCell_] == Cell::Unknown) {
            // The cell whose two values both set the value the branch before took the opposite of.
            choice = literal(pendingCell_, rhythm_.preferFilled(pendingCell_));
            pendingCell_ = -1;
        } else {
            pendingCell_ = -1;
            const int v = mostActiveOpenCell();
            if (v < 0)
                return finished(); // cannot happen: open cells are always in the heap
            choice = literal(v, rhythm_.preferFilled(v));
            if (looksAhead()) {
                choice = lookAhead(v);
                if (stopped())
                    return Verdict::Stopped;
                if (conflictKept_) {
                    // The trial that failed is the branch taken; a line's contradiction is
                    // explained now, as propagation explains it outside trials.
                    if (failedLine_ >= 0)
                        explainContradiction(failedLine_);
                    return std::nullopt;
                }
            }
        }
        trailLimit_.push_back(static_cast<int>(trail_.size()));
        assign(choice, kDecision);
        return std::nullopt;
    }

    // Whether the next branch is chosen by looking ahead. While no solution is known, every
    // branch of a search that has met a few thousand contradictions: branches that settle
    // the most cells reach a first solution in fewer contradictions than plain choices, and
    // save more than they cost. Once one is known the search mostly proves there is no other, where
    // looking ahead repays less: only every other run between restarts of a long search, the
    // runs between keep the plain choice.
    bool looksAhead() const
    {
        if (solutions_.empty())
            return conflicts_ >= kConflictsBeforeLookAhead;
        return restarts_ % 2 == 1 && conflicts_ >= kConflictsBeforeLongSearch;
    }

    // The open cell on top of the heap (cells set since they were queued are dropped), or -1.
    int mostActiveOpenCell()
    {
        while (!heap_.empty()) {
            const int v = heap_.pop();
            if (value_[v] == Cell::Unknown)
                return v;
        }
        return -1;
    }

    const SolveOptions& options_;
    RunLimits& limits_;
    LineState& lines_;
    const SearchScope scope_;
    SearchRhythm rhythm_; // restarts and the values branches try first
    std::vector<std::uint8_t> scopeLine_; // lines holding cells of the scope
    // Lines of at most 63 cells whose runs fit: explained by keepNeededShortCells.
    std::vector<std::uint8_t> shortFitting_;
    std::size_t complete_ = 0;            // trail length at which every cell in scope is set
    int width_ = 0;
    int height_ = 0;
    int cells_ = 0;
    std::vector<Word> testFilled_;
    std::vector<Word> testEmpty_;

    std::vector<Cell> value_;
    // Per literal, what truth() answers: the clause watches read it without decoding a cell.
    std::vector<std::int8_t> litTruth_;
    std::vector<int> level_;
    std::vector<int> reason_;
    std::vector<int> trailPos_;
    std::vector<std::uint8_t> seen_;
    std::vector<Lit> trail_;
    std::vector<int> trailLimit_;
    std::size_t propagated_ = 0;

    ClauseStore clauses_;
    std::vector<std::vector<Watch>> watches_;
    std::vector<std::uint64_t> levelSeenAt_; // per level, the stamp of the last clause that met it
    std::uint64_t levelStamp_ = 0;

    std::vector<double> activity_;
    double activityStep_ = 1;
    ActivityHeap heap_;

    std::vector<std::uint8_t> explained_;
    std::vector<std::vector<Lit>> explanation_;
    // A cell the search set, on the trail of one of its lines: where it is on the trail,
    // where in the line, and its value.
    struct TrailCell {
        int trailPos;
        int position;
        bool filled;
    };
    // The cells of each line that the search set (the cells known from the start are not
    // there), in the order it set them: line l's are the first lineTrailSize_[l] from
    // lineTrailStart_[l] on.
    std::unique_ptr<TrailCell[]> lineTrail_;
    std::vector<int> lineTrailStart_;
    std::vector<int> lineTrailSize_;
    std::vector<LineCell> candidates_;
    std::vector<std::uint8_t> keptCandidates_;
    std::vector<Lit> dropped_;
    std::vector<int> lookAheadCells_;
    bool probing_ = false; // trying values ahead of a branch: the saved phases stay
    // Per literal, the stamp of the last trial that set it; the literal that trial took (-2:
    // none, or it met a contradiction); the cell to branch on next (-1: none).
    std::vector<std::uint64_t> trialMark_;
    std::uint64_t trialStamp_ = 1;
    Lit lastTrial_ = -2;
    int pendingCell_ = -1;
    // A trial met a contradiction and stays as the branch (conflict_ or failedLine_ holds it).
    bool conflictKept_ = false;
    int failedLine_ = -1;
    std::vector<Lit> conflict_;
    std::vector<Lit> learnt_;

    ShortLineCache cache_;
    // The results of line solves kept per line: a few at first (fresh memory costs page
    // faults, which easy puzzles do not repay), more once the search is long. On the
    // tournament puzzles, 16 a line found 57 % of the solves in the table, 64 a line 66 %,
    // 256 a line 70 % (but its look-ups wait on memory for as long as the solves saved take).
    static constexpr std::size_t kCachePerLine = 16;
    static constexpr std::size_t kLargeCachePerLine = 64;
    static constexpr std::size_t kLargeCacheEntries = 8192; // 256 KB
    static constexpr std::uint64_t kConflictsBeforeLargeCache = 500;
    bool cacheGrown_ = false;
    std::vector<CellGrid> solutions_;
    // Conflicts after the first solution before the windows are tried (0: not pending).
    static constexpr std::uint64_t kConflictsBeforeWindows = 500;
    // Conflicts after which the search counts as long: learned clauses are shortened and,
    // once a solution is known, the branches of every other run chosen by looking ahead
    // (both cost line work that short searches do not repay).
    static constexpr std::uint64_t kConflictsBeforeLongSearch = 5000;
    // Conflicts after which every branch is chosen by looking ahead while no solution is
    // known. Measured on the tournament set (line solves; conflicts of the slowest puzzle):
    // from 5000 on every other run 405 M, 63000; from 2000 on every run 378 M, 27000; from
    // 1000 364 M, 34000, but the hard small puzzles that find their one solution late paid
    // half as much again; from the start (or from 300) more again: looking ahead costs easy
    // searches more than it saves them.
    static constexpr std::uint64_t kConflictsBeforeLookAhead = 2000;
    // How fast the activities of cells forget the contradictions they met: each one counts
    // 1 / kActivityDecay times more than the one before. 0.9 (the branches follow the latest
    // contradictions closely) took a fifth fewer contradictions than 0.95 on the tournament
    // puzzles outside the ten slowest; 0.99 and 0.85 were worse.
    static constexpr double kActivityDecay = 0.95;
    std::uint64_t windowsAfterConflicts_ = 0;
    // Restarts so far, and when the next restart and the next dropping of clauses are due.
    int restarts_ = 0;
    double restartBudget_ = luby(2, 0) * 64;
    std::uint64_t conflictsAtRestart_ = 0;
    std::uint64_t nextReduce_ = 2000;
    std::uint64_t reductions_ = 0;
    bool windowsTried_ = false;
    // The starting guesses came from passed odds (a large search): it may dive once (see
    // startDive), after this many contradictions without a solution. Over tie-break seeds 1
    // to 12 on the 35 puzzles of the tournament set and of 300 puzzles of its rule from other
    // seeds that take the most work (line solves, seconds, runs over 2 s):
    //   no dive            1647 M  269 s  27
    //   dive after 1500     808 M  180 s   9
    //   dive after 2000     863 M  180 s  11
    //   dive after 3000     851 M  159 s  12
    // (dives of 10 rounds a turn that ended at their first contradiction). After 2000, over
    // seeds 1 to 6, the whole tournament set took 687 M line solves instead of 948 M, the 300
    // others 161 M instead of 354 M; one puzzle of the set lost, its dives leading away from
    // its few solutions.
    static constexpr std::uint64_t kConflictsBeforeDive = 2000;
    // The contradictions a dive goes on through. Over tie-break seeds 1 to 24 on the same 35
    // puzzles (3 rounds a turn; line solves, seconds, runs over 2 s): ending at the first
    // 1224 M 267 s 7, going on through 50 799 M 130 s 6, through 200 816 M 159 s 6. The
    // puzzle that lost took 4.5 to 108 s when the dive ended at its first contradiction.
    static constexpr std::uint64_t kDiveContradictions = 50;
    std::uint64_t diveStart_ = 0; // the contradictions met when the dive began
    bool passedOdds_ = false;
    bool dived_ = false;
    bool diving_ = false;
    DiveOdds diveOdds_;
    std::vector<Lit> divePicks_;
    std::uint64_t decisions_ = 0;
    std::uint64_t conflicts_ = 0;
};

} // namespace

ConflictSearchResult conflictSearch(LineState& lines, const SolveOptions& options, RunLimits& limits,
                                    const SearchScope& scope)
{
    ConflictSearch search(lines, options, limits, scope);
    return search.run();
}

} // namespace zumeli::solver
