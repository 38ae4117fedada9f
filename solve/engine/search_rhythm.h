// When the learning search restarts and which value it tries first: two modes taken in turns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zumeli::solver {

// A search that has met many contradictions either keeps changing course (the focused mode:
// frequent restarts, each branch tries the value the cell had last) or keeps to one course
// (the stable mode: rare restarts, each branch tries the value the cell had in the longest
// stretch of the trail without a contradiction since the last restart, its target). The first
// finds the contradictions quickly, the second finds solutions: it keeps heading for the
// assignment that came closest. The modes alternate over spans of conflicts that grow (the
// stable ones longer: most first solutions come in the stable mode), and now and then every
// saved value is reset (to the starting guess, to the best assignment seen, or to the
// starting guess inverted) to leave a region that leads nowhere.
//
// Literals are those of the search: 2 * cell + 1 for "cell filled", 2 * cell for "empty".
class SearchRhythm {
public:
    explicit SearchRhythm(int cells);

    // The starting guess for a cell: its likelier value.
    void seed(int cell, bool filled);
    // The value to try first when branching on `cell`.
    bool preferFilled(int cell) const;
    // The cell lost the value it had (a backjump): remember it for the next branch.
    void forget(int cell, bool filled) { saved_[static_cast<std::size_t>(cell)] = filled ? 1 : 0; }
    // trail[0 .. consistent) holds no contradiction: keep it as target (and best) when it is
    // the longest so far.
    void noteConsistent(const std::vector<int>& trail, std::size_t consistent);

    // The search restarts after `conflicts` in all: the mode may change, the saved values may
    // be reset, and the target starts afresh.
    void restarted(std::uint64_t conflicts);
    // How many times longer than in the focused mode the search runs between restarts.
    int restartScale() const { return stable_ ? kStableScale : 1; }
    bool stable() const { return stable_; }

private:
    // With spans of equal length, measured on the slowest tournament puzzles in one order of
    // ties: 16 left some searching for 200000 conflicts, 64 found every solution within
    // 70000. With the stable spans four times as long and over tie-break seeds 1 to 6 (the
    // tournament set and 300 puzzles of its rule from other seeds), 256 took 4.5 % fewer
    // line solves than 64, and the hardest of them half as many on average.
    static constexpr int kStableScale = 256;
    void rephase();

    std::vector<std::uint8_t> seeded_;
    std::vector<std::uint8_t> saved_;
    std::vector<std::uint8_t> target_;
    std::vector<std::uint8_t> best_;
    std::size_t targetSize_ = 0;
    std::size_t bestSize_ = 0;
    bool stable_ = false;
    std::uint64_t modeSpan_;    // conflicts the current mode lasts
    std::uint64_t modeEnd_;     // conflicts at which the mode changes
    std::uint64_t nextRephase_; // conflicts at which the saved values are reset
    int rephases_ = 0;
};

} // namespace zumeli::solver
