// Which known cells of a line its contradiction rests on: the explanation the conflict search
// gives for a line's deduction.
#pragma once

#include "solve/engine/line_solver.h"
#include "solve/engine/line_state.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace zumeli::solver {

// A known cell of a line: its position there and its value.
struct LineCell {
    int position = 0;
    bool filled = false;
};

// Sets or clears the cell's bit in the mask of its value.
inline void toggleLineCell(const LineCell& c, Word* filled, Word* empty)
{
    (c.filled ? filled : empty)[c.position >> 6] ^= Word(1) << (c.position & 63);
}

// The known cells a contradiction needs, by deletion: the cells of `candidates` are dropped
// in their order, each one that the line can do without (it stays contradictory) for good.
// `filled` / `empty` hold the line's known cells, every candidate among them, and are left
// with the kept candidates and the cells that were no candidates. `contradictory()` tells
// whether the masks as they are now leave the line no arrangement; `mustStop()` whether to
// give up, keeping every candidate not yet dropped (keeping cells never makes an explanation
// wrong). Sets kept[i] to 1 for each candidate kept, 0 for each dropped.
//
// One test per candidate. Dropping stretches of candidates at once (doubling while the line
// stays contradictory, then halving the stretch that failed) gives the same answer with about
// a sixth fewer tests on the hardest tournament puzzles, but its branches are harder to
// foresee: the search took as many instructions and more mispredicted branches with it.
template <typename Contradictory, typename MustStop>
void keepNeededCells(const std::vector<LineCell>& candidates, Word* filled, Word* empty,
                     Contradictory&& contradictory, MustStop&& mustStop, std::vector<std::uint8_t>& kept)
{
    kept.assign(candidates.size(), 1);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (mustStop())
            return;
        toggleLineCell(candidates[i], filled, empty);
        if (contradictory())
            kept[i] = 0;
        else
            toggleLineCell(candidates[i], filled, empty);
    }
}

// keepNeededCells on a line of 1 to 63 cells whose runs fit in it, with the known cells
// `filled` / `empty` (every candidate among them), each test the line solver's, as
// shortLineFeasible: in one place with the tests, the masks stay in registers and the line's
// set-up is done once. Stops before a test once `limits` say so. Returns the tests taken.
int keepNeededShortCells(const int* runs, int runCount, int length, const std::vector<LineCell>& candidates,
                         Word filled, Word empty, const RunLimits& limits, std::vector<std::uint8_t>& kept);

// Recent explanations of lines of at most 63 cells, for a search that meets the same
// contradictions again and again: a direct-mapped table keyed by everything keepNeededCells'
// answer depends on, the line (its number stands for its runs, which must not change while
// the table is in use), its known cells and the candidates in their order.
class ExplanationCache {
public:
    // Candidates of a key at most, their positions a byte each.
    static constexpr int kMostCandidates = 32;

    struct Key {
        int line = -1;
        int candidates = 0;
        Word filled = 0;
        Word empty = 0;
        std::uint8_t order[kMostCandidates] = {};
        bool operator==(const Key&) const = default;
    };

    // `entries`: at least 1, rounded up to a power of two; the table is made at the first
    // store (a search that never explains twice pays nothing for it).
    explicit ExplanationCache(std::size_t entries = 1)
    {
        size_ = 1;
        while (size_ < entries)
            size_ *= 2;
    }

    // The key of explaining `line` (1 to 63 cells) with the known cells `filled` / `empty`
    // and `candidates` among them; false when there are too many candidates to keep.
    static bool keyOf(int line, Word filled, Word empty, const std::vector<LineCell>& candidates, Key& key)
    {
        if (candidates.size() > static_cast<std::size_t>(kMostCandidates))
            return false;
        key = Key{line, static_cast<int>(candidates.size()), filled, empty, {}};
        for (std::size_t i = 0; i < candidates.size(); ++i)
            key.order[i] = static_cast<std::uint8_t>(candidates[i].position);
        return true;
    }

    // Whether the table holds the explanation of `key`; if so, sets kept as keepNeededCells
    // did for it.
    bool find(const Key& key, std::vector<std::uint8_t>& kept) const
    {
        if (table_.empty())
            return false;
        const Entry& entry = table_[slot(key)];
        if (!(entry.key == key))
            return false;
        kept.resize(static_cast<std::size_t>(key.candidates));
        for (int i = 0; i < key.candidates; ++i)
            kept[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((entry.kept >> i) & 1);
        return true;
    }

    // Keeps the explanation of `key`: kept[i] for each candidate, every one tested.
    void store(const Key& key, const std::vector<std::uint8_t>& kept)
    {
        if (table_.empty())
            table_.resize(size_);
        Entry& entry = table_[slot(key)];
        entry.key = key;
        entry.kept = 0;
        for (int i = 0; i < key.candidates; ++i)
            entry.kept |= static_cast<Word>(kept[static_cast<std::size_t>(i)] != 0) << i;
    }

private:
    struct Entry {
        Key key;
        Word kept = 0; // bit i: candidate i kept
    };

    std::size_t slot(const Key& key) const
    {
        std::uint64_t h = static_cast<std::uint64_t>(key.line) * 0x165667B19E3779F9ULL;
        h ^= key.filled * 0x9E3779B97F4A7C15ULL;
        h ^= key.empty * 0xC2B2AE3D27D4EB4FULL;
        for (int i = 0; i < kMostCandidates; i += 8) {
            Word w;
            std::memcpy(&w, key.order + i, sizeof w);
            h = (h ^ w) * 0xD6E8FEB86659FD93ULL;
        }
        h ^= h >> 29;
        return static_cast<std::size_t>(h & (size_ - 1));
    }

    std::size_t size_ = 1;
    std::vector<Entry> table_;
};

} // namespace zumeli::solver
