// Exact line logic by dynamic programming over run placements, bit-parallel up to 1023 cells.
#include "solve/engine/line_solver.h"

#include "solve/engine/line_explain.h"
#include "solve/engine/puzzle.h"
#include "solve/engine/run_placement.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <type_traits>
#include <vector>

namespace zumeli::solver {

namespace {

using U128 = unsigned __int128;

inline int lowestBit(std::uint64_t x) { return __builtin_ctzll(x); }
inline int highestBit(std::uint64_t x) { return 63 - __builtin_clzll(x); }
inline int lowestBit(U128 x)
{
    const auto lo = static_cast<std::uint64_t>(x);
    return lo ? __builtin_ctzll(lo) : 64 + __builtin_ctzll(static_cast<std::uint64_t>(x >> 64));
}
inline int highestBit(U128 x)
{
    const auto hi = static_cast<std::uint64_t>(x >> 64);
    return hi ? 127 - __builtin_clzll(hi) : 63 - __builtin_clzll(static_cast<std::uint64_t>(x));
}

// A fixed-width bit set of N words with the integer operators the bit form uses, for lines
// of 128 to 1023 cells (the n + 1 boundary positions of a line fit in N words).
template <int N>
struct WideMask {
    Word w[N] = {};

    WideMask() = default;
    explicit WideMask(Word low) { w[0] = low; }

    explicit operator bool() const
    {
        Word any = 0;
        for (int i = 0; i < N; ++i)
            any |= w[i];
        return any != 0;
    }
    bool operator==(const WideMask&) const = default;

    WideMask operator~() const
    {
        WideMask r;
        for (int i = 0; i < N; ++i)
            r.w[i] = ~w[i];
        return r;
    }
    WideMask& operator&=(const WideMask& o)
    {
        for (int i = 0; i < N; ++i)
            w[i] &= o.w[i];
        return *this;
    }
    WideMask& operator|=(const WideMask& o)
    {
        for (int i = 0; i < N; ++i)
            w[i] |= o.w[i];
        return *this;
    }
    WideMask& operator^=(const WideMask& o)
    {
        for (int i = 0; i < N; ++i)
            w[i] ^= o.w[i];
        return *this;
    }
    friend WideMask operator&(WideMask a, const WideMask& b) { return a &= b; }
    friend WideMask operator|(WideMask a, const WideMask& b) { return a |= b; }
    friend WideMask operator^(WideMask a, const WideMask& b) { return a ^= b; }
    friend WideMask operator+(const WideMask& a, const WideMask& b)
    {
        WideMask r;
        Word carry = 0;
        for (int i = 0; i < N; ++i) {
            const Word sum = a.w[i] + b.w[i];
            const Word c1 = sum < a.w[i] ? 1 : 0;
            r.w[i] = sum + carry;
            carry = c1 | (r.w[i] < sum ? 1 : 0);
        }
        return r;
    }
    friend WideMask operator<<(const WideMask& a, int s)
    {
        WideMask r;
        const int words = s >> 6;
        const int bits = s & 63;
        if (words >= N)
            return r;
        if (bits == 0) {
            for (int i = N - 1; i >= words; --i)
                r.w[i] = a.w[i - words];
            return r;
        }
        for (int i = N - 1; i > words; --i)
            r.w[i] = (a.w[i - words] << bits) | (a.w[i - words - 1] >> (64 - bits));
        r.w[words] = a.w[0] << bits;
        return r;
    }
    friend WideMask operator>>(const WideMask& a, int s)
    {
        WideMask r;
        const int words = s >> 6;
        const int bits = s & 63;
        if (words >= N)
            return r;
        if (bits == 0) {
            for (int i = 0; i + words < N; ++i)
                r.w[i] = a.w[i + words];
            return r;
        }
        for (int i = 0; i + words + 1 < N; ++i)
            r.w[i] = (a.w[i + words] >> bits) | (a.w[i + words + 1] << (64 - bits));
        r.w[N - 1 - words] = a.w[N - 1] >> bits;
        return r;
    }
};

template <int N>
inline int lowestBit(const WideMask<N>& x)
{
    for (int i = 0; i < N; ++i)
        if (x.w[i])
            return 64 * i + __builtin_ctzll(x.w[i]);
    return -1;
}
template <int N>
inline int highestBit(const WideMask<N>& x)
{
    for (int i = N - 1; i >= 0; --i)
        if (x.w[i])
            return 64 * i + 63 - __builtin_clzll(x.w[i]);
    return -1;
}

template <typename M>
inline bool testBit(const M& x, int i)
{
    if constexpr (std::is_integral_v<M> || std::is_same_v<M, U128>)
        return ((x >> i) & 1) != 0;
    else
        return (x.w[i / 64] >> (i % 64)) & 1;
}

template <typename M>
struct MaskTraits {
    static constexpr int bits = static_cast<int>(sizeof(M) * 8);
    static M zero() { return M(0); }
    // Bits 0..n-1 set.
    static M low(int n) { return n >= bits ? ~M(0) : ((M(1) << n) - 1); }
};

template <int N>
struct MaskTraits<WideMask<N>> {
    static constexpr int bits = 64 * N;
    static WideMask<N> zero() { return WideMask<N>(); }
    static WideMask<N> low(int n)
    {
        WideMask<N> r;
        for (int i = 0; i < N; ++i) {
            const int inWord = std::clamp(n - 64 * i, 0, 64);
            r.w[i] = inWord == 64 ? ~Word(0) : ((Word(1) << inWord) - 1);
        }
        return r;
    }
};

// Bit s set when the `len` bits s..s+len-1 of `allowed` are all set.
template <typename M>
inline M stretchStarts(M allowed, int len)
{
    for (int have = 1; have < len;) {
        const int step = std::min(have, len - have);
        allowed &= allowed >> step;
        have += step;
    }
    return allowed;
}

// Every set bit s widened to bits s..s+len-1.
template <typename M>
inline M widenUp(M v, int len)
{
    for (int have = 1; have < len;) {
        const int step = std::min(have, len - have);
        v |= v << step;
        have += step;
    }
    return v;
}

// The per-run masks of the bit form: on the stack for one- and two-word lines (at most 64
// runs), in a reused per-thread buffer for wider ones.
template <typename M>
struct RunMasks {
    static constexpr bool small = MaskTraits<M>::bits <= 128;
    M* ahead;
    M* behind;
    M* firstOk;
    M* lastOk;
};

// The forward pass of the bit form: ahead[], firstOk[], and in lastOk[j] the starts where run
// j fits over cells that may be filled (until the backward pass). Whether all runs fit.
template <typename M>
bool placeAhead(const int* runs, int k, int n, M filled, M mayEmpty, M mayFill, M positions, RunMasks<M> masks)
{
    using T = MaskTraits<M>;
    M* ahead = masks.ahead;
    M* firstOk = masks.firstOk;
    M* lastOk = masks.lastOk;
    // A boundary moves from i-1 to i over cell i-1 when that cell may be empty.
    const M stepUp = (mayEmpty << 1) & positions;
    ahead[0] = filled ? T::low(lowestBit(filled) + 1) : positions;
    for (int j = 1; j <= k; ++j) {
        const int len = runs[j - 1];
        lastOk[j - 1] = stretchStarts(mayFill, len);
        const M starts = (j == 1 ? ahead[0] : ((ahead[j - 1] & mayEmpty) << 1)) & lastOk[j - 1];
        firstOk[j - 1] = starts;
        const M ends = (starts << len) & positions;
        // Carry the ends upward through cells that may be empty: the addition's carry runs
        // through each stretch of allowed steps that a seed enters.
        const M seeds = (ends << 1) & stepUp;
        ahead[j] = ends | seeds | (((stepUp + seeds) ^ stepUp) & stepUp);
    }
    return testBit(ahead[k], n);
}

// The backward pass, the mirror image of placeAhead, spreading downward by doubling steps:
// jumps[t] has bit p when the 2^t cells from p on may all be empty. They run out after the
// longest stretch of such cells, and are the same for every run. Sets behind[] and narrows
// lastOk[] to the starts the cells after each run allow.
template <typename M>
void placeBehind(const int* runs, int k, int n, M filled, M mayEmpty, M positions, RunMasks<M> masks)
{
    using T = MaskTraits<M>;
    M* behind = masks.behind;
    M* lastOk = masks.lastOk;
    M jumps[MaskTraits<M>::bits <= 64 ? 7 : 11];
    int jumpCount = 0;
    for (M allowed = mayEmpty; allowed && (1 << jumpCount) <= n; ++jumpCount) {
        jumps[jumpCount] = allowed;
        allowed &= allowed >> (1 << jumpCount);
    }
    behind[k] = filled ? (positions & ~T::low(highestBit(filled) + 1)) : positions;
    for (int j = k - 1; j >= 0; --j) {
        const int len = runs[j];
        const M endsOk = j == k - 1 ? behind[k] : ((behind[j + 1] >> 1) & mayEmpty);
        const M starts = (endsOk >> len) & lastOk[j];
        lastOk[j] = starts;
        M reach = starts;
        for (int t = 0; t < jumpCount; ++t)
            reach |= (reach >> (1 << t)) & jumps[t];
        behind[j] = reach;
    }
}

// The bit form proper; see solveBits for what the masks mean.
template <typename M>
bool solveBitsWith(const int* runs, int k, int n, M filled, M empty, M& outFilled, M& outEmpty,
                   RunMasks<M> masks)
{
    using T = MaskTraits<M>;
    const M cells = T::low(n);
    const M positions = T::low(n + 1);
    const M mayEmpty = cells & ~filled;
    const M mayFill = cells & ~empty;
    if (!placeAhead(runs, k, n, filled, mayEmpty, mayFill, positions, masks))
        return false;
    placeBehind(runs, k, n, filled, mayEmpty, positions, masks);
    M canEmpty = T::zero();
    for (int j = 0; j <= k; ++j)
        canEmpty |= masks.ahead[j] & (masks.behind[j] >> 1);
    canEmpty &= mayEmpty;
    M canFill = T::zero();
    for (int j = 0; j < k; ++j)
        canFill |= widenUp(masks.firstOk[j] & masks.lastOk[j], runs[j]);
    canFill &= mayFill;
    if ((canFill | canEmpty) != cells)
        return false;
    outFilled = cells & ~canEmpty;
    outEmpty = cells & ~canFill;
    return true;
}

// Positions are 0..n (n+1 bits): position i is the boundary before cell i.
//  ahead[j]  bit i: cells [0, i) can hold exactly runs 0..j-1.
//  behind[j] bit i: cells [i, n) can hold exactly runs j..k-1.
//  firstOk[j] bit s: run j may start at s as far as the cells before it go.
//  lastOk[j]  bit s: run j may start at s as far as its own cells and those after it go.
template <typename M>
bool solveBits(const int* runs, int k, int n, M filled, M empty, M& outFilled, M& outEmpty)
{
    using T = MaskTraits<M>;
    if (filled & empty)
        return false;
    if (k == 0) {
        if (filled)
            return false;
        outFilled = T::zero();
        outEmpty = T::low(n);
        return true;
    }
    long need = k - 1;
    for (int j = 0; j < k; ++j)
        need += runs[j];
    if (need > n)
        return false;
    if constexpr (RunMasks<M>::small) {
        M ahead[65];
        M behind[65];
        M firstOk[64];
        M lastOk[64];
        return solveBitsWith<M>(runs, k, n, filled, empty, outFilled, outEmpty, {ahead, behind, firstOk, lastOk});
    } else {
        thread_local std::vector<M> buffer;
        const std::size_t size = static_cast<std::size_t>(k) + 1;
        if (buffer.size() < 4 * size)
            buffer.resize(4 * size);
        M* base = buffer.data();
        return solveBitsWith<M>(runs, k, n, filled, empty, outFilled, outEmpty,
                                {base, base + size, base + 2 * size, base + 3 * size});
    }
}

// Whether any arrangement agrees with the known cells, for runs that fit in the line: the
// forward half of the bit form. Inline: taken into the loop of keepNeededShortCells (for the
// lines whose pattern is too long for its own tests), the masks stay in registers.
template <typename M>
inline bool fittingRunsFeasible(const int* runs, int k, int n, M filled, M empty)
{
    using T = MaskTraits<M>;
    if (filled & empty)
        return false;
    const M cells = T::low(n);
    const M positions = T::low(n + 1);
    const M mayEmpty = cells & ~filled;
    const M mayFill = cells & ~empty;
    const M stepUp = (mayEmpty << 1) & positions;
    M ahead = filled ? T::low(lowestBit(filled) + 1) : positions;
    for (int j = 1; j <= k; ++j) {
        const int len = runs[j - 1];
        const M starts = (j == 1 ? ahead : ((ahead & mayEmpty) << 1)) & stretchStarts(mayFill, len);
        const M ends = (starts << len) & positions;
        if (!ends)
            return false;
        const M seeds = (ends << 1) & stepUp;
        ahead = ends | seeds | (((stepUp + seeds) ^ stepUp) & stepUp);
    }
    return testBit(ahead, n);
}

// Whether any arrangement agrees with the known cells.
template <typename M>
bool feasibleBits(const int* runs, int k, int n, M filled, M empty)
{
    long need = k > 0 ? k - 1 : 0;
    for (int j = 0; j < k; ++j)
        need += runs[j];
    if (need > n)
        return false;
    return fittingRunsFeasible<M>(runs, k, n, filled, empty);
}

// Whether the runs' lengths, with a gap between each two, fit in n cells.
bool runsFitLength(const std::vector<int>& runs, int n)
{
    long need = runs.empty() ? 0 : static_cast<long>(runs.size()) - 1;
    for (const int r : runs) {
        if (r <= 0)
            return false;
        need += r;
    }
    return need <= n;
}

// Whether cell c can stay empty in some placement: some boundary run count j has runs 0..j-1
// before it and runs j.. after it.
bool canStayEmpty(const RunPlacement<std::uint8_t>& table, int c)
{
    if (!table.mayEmpty(c))
        return false;
    for (int j = 0; j <= table.runCount(); ++j)
        if (table.ahead(j, c) && table.behind(j, c + 1))
            return true;
    return false;
}

// The cell-by-cell table. Same meaning as the bit form, one byte per position.
bool solveTable(const std::vector<int>& runs, std::vector<Cell>& line)
{
    const int n = static_cast<int>(line.size());
    const int k = static_cast<int>(runs.size());
    if (!runsFitLength(runs, n))
        return false;
    RunPlacement<std::uint8_t> table(runs, line);
    table.fillAhead();
    if (!table.ahead(k, n))
        return false;
    table.fillBehind();
    std::vector<int> cover(n + 1, 0);
    for (int j = 0; j < k; ++j)
        for (int s = 0; s + runs[j] <= n; ++s)
            if (table.placementWays(j, s)) {
                ++cover[s];
                --cover[s + runs[j]];
            }
    std::vector<Cell> result(line);
    int covered = 0;
    for (int c = 0; c < n; ++c) {
        covered += cover[c];
        const bool canEmpty = canStayEmpty(table, c);
        const bool canFill = covered > 0;
        if (!canEmpty && !canFill)
            return false;
        result[c] = canEmpty && canFill ? Cell::Unknown : canFill ? Cell::Filled : Cell::Empty;
    }
    line.swap(result);
    return true;
}

template <typename M>
M loadMask(const Word* words, int n)
{
    if constexpr (std::is_same_v<M, std::uint64_t>) {
        (void)n;
        return words[0];
    } else if constexpr (std::is_same_v<M, U128>) {
        return n > 64 ? (M(words[1]) << 64) | M(words[0]) : M(words[0]);
    } else {
        M mask;
        for (int i = 0; i < wordsForLength(n); ++i)
            mask.w[i] = words[i];
        return mask;
    }
}

template <typename M>
void storeMask(const M& mask, int n, Word* words)
{
    if constexpr (std::is_same_v<M, std::uint64_t>) {
        (void)n;
        words[0] = mask;
    } else if constexpr (std::is_same_v<M, U128>) {
        words[0] = static_cast<Word>(mask);
        if (n > 64)
            words[1] = static_cast<Word>(mask >> 64);
    } else {
        for (int i = 0; i < wordsForLength(n); ++i)
            words[i] = mask.w[i];
    }
}

template <typename M>
bool solveWords(const int* runs, int k, int n, const Word* filled, const Word* empty,
                Word* outFilled, Word* outEmpty)
{
    M f{};
    M e{};
    if (!solveBits<M>(runs, k, n, loadMask<M>(filled, n), loadMask<M>(empty, n), f, e))
        return false;
    storeMask(f, n, outFilled);
    storeMask(e, n, outEmpty);
    return true;
}

template <typename M>
bool feasibleWords(const int* runs, int k, int n, const Word* filled, const Word* empty)
{
    return feasibleBits<M>(runs, k, n, loadMask<M>(filled, n), loadMask<M>(empty, n));
}

using SolveWordsFn = bool (*)(const int*, int, int, const Word*, const Word*, Word*, Word*);
using FeasibleWordsFn = bool (*)(const int*, int, int, const Word*, const Word*);

constexpr int kLongestBitLine = 1023;
constexpr int kWidestMask = wordsForLength(kLongestBitLine + 1);

// The bit form for lines of 128 cells and more, by the words their n + 1 positions need (3 to
// 16): a 512-cell line takes nine words, not sixteen.
template <int... I>
constexpr auto wideSolvers(std::integer_sequence<int, I...>)
{
    return std::array<SolveWordsFn, sizeof...(I)>{&solveWords<WideMask<I + 3>>...};
}
template <int... I>
constexpr auto wideFeasibles(std::integer_sequence<int, I...>)
{
    return std::array<FeasibleWordsFn, sizeof...(I)>{&feasibleWords<WideMask<I + 3>>...};
}
constexpr auto kWideSolvers = wideSolvers(std::make_integer_sequence<int, kWidestMask - 2>());
constexpr auto kWideFeasibles = wideFeasibles(std::make_integer_sequence<int, kWidestMask - 2>());

// Line of at most kLongestBitLine cells.
bool solveBitLine(const int* runs, int k, int n, const Word* filled, const Word* empty, Word* outFilled,
                  Word* outEmpty)
{
    if (n <= 63)
        return solveWords<std::uint64_t>(runs, k, n, filled, empty, outFilled, outEmpty);
    if (n <= 127)
        return solveWords<U128>(runs, k, n, filled, empty, outFilled, outEmpty);
    return kWideSolvers[static_cast<std::size_t>(wordsForLength(n + 1) - 3)](runs, k, n, filled, empty, outFilled,
                                                                             outEmpty);
}

bool feasibleBitLine(const int* runs, int k, int n, const Word* filled, const Word* empty)
{
    if (n <= 63)
        return feasibleWords<std::uint64_t>(runs, k, n, filled, empty);
    if (n <= 127)
        return feasibleWords<U128>(runs, k, n, filled, empty);
    return kWideFeasibles[static_cast<std::size_t>(wordsForLength(n + 1) - 3)](runs, k, n, filled, empty);
}

// Lines longer than the bit form takes, through the cell-by-cell table.
bool solveTableLine(const int* runs, int k, int n, const Word* filled, const Word* empty, Word* outFilled,
                    Word* outEmpty)
{
    std::vector<Cell> line(static_cast<std::size_t>(n), Cell::Unknown);
    for (int i = 0; i < n; ++i) {
        const Word bit = Word(1) << (i % 64);
        line[i] = (filled[i / 64] & bit) ? Cell::Filled : (empty[i / 64] & bit) ? Cell::Empty : Cell::Unknown;
    }
    if (!solveTable(std::vector<int>(runs, runs + k), line))
        return false;
    const int words = wordsForLength(n);
    std::fill(outFilled, outFilled + words, Word(0));
    std::fill(outEmpty, outEmpty + words, Word(0));
    for (int i = 0; i < n; ++i) {
        const Word bit = Word(1) << (i % 64);
        if (line[i] == Cell::Filled)
            outFilled[i / 64] |= bit;
        else if (line[i] == Cell::Empty)
            outEmpty[i / 64] |= bit;
    }
    return true;
}

// Whether the filled cells of [from, to), all known, form exactly `count` runs equal to
// runs[0..count-1].
bool knownRunsAre(const Word* filled, int from, int to, const int* runs, int count)
{
    int i = from;
    for (int j = 0; j < count; ++j) {
        const int start = nextBit(filled, i, to, true);
        if (start == to)
            return false;
        const int end = nextBit(filled, start, to, false);
        if (end - start != runs[j])
            return false;
        i = end;
    }
    return nextBit(filled, i, to, true) == to;
}

// Counts the runs of the filled cells in [from, to).
int countKnownRuns(const Word* filled, int from, int to)
{
    int count = 0;
    int i = from;
    for (;;) {
        const int start = nextBit(filled, i, to, true);
        if (start == to)
            return count;
        ++count;
        i = nextBit(filled, start, to, false);
    }
}

// Copies bits [from, from + count) of `source` to bits 0.. of `target` (wordsForLength(count)
// words, the bits past count cleared).
void extractBits(const Word* source, int from, int count, Word* target)
{
    const int words = wordsForLength(count);
    const int shift = from & 63;
    const Word* s = source + (from >> 6);
    const int sourceWords = wordsForLength(from + count) - (from >> 6);
    for (int i = 0; i < words; ++i) {
        Word v = s[i] >> shift;
        if (shift != 0 && i + 1 < sourceWords)
            v |= s[i + 1] << (64 - shift);
        target[i] = v;
    }
    if (count & 63)
        target[words - 1] &= (Word(1) << (count & 63)) - 1;
}

// Replaces bits [from, from + count) of `target` by bits 0..count-1 of `source`.
void insertBits(const Word* source, int from, int count, Word* target)
{
    for (int done = 0; done < count;) {
        const int at = from + done;
        const int take = std::min({64 - (at & 63), 64 - (done & 63), count - done});
        const Word mask = take == 64 ? ~Word(0) : ((Word(1) << take) - 1);
        const Word bits = (source[done >> 6] >> (done & 63)) & mask;
        Word& t = target[at >> 6];
        t = (t & ~(mask << (at & 63))) | (bits << (at & 63));
        done += take;
    }
}

// The part of a line that still needs solving: cells [from, to) holding runs [firstRun, lastRun).
struct OpenPart {
    int from = 0;
    int to = 0;
    int firstRun = 0;
    int lastRun = 0;
};

// Sets the known stretches at the ends of the line aside. A stretch of known cells that
// starts the line and ends with an empty cell holds exactly the first runs of the clue (and
// the mirror image at the end), so only the cells between need solving. Returns false when
// the known cells contradict the runs; `open` is empty (from == to) when every cell is known.
bool openPartOf(const int* runs, int k, int n, const Word* filled, const Word* empty, OpenPart& open)
{
    const int words = wordsForLength(n);
    Word onStack[kWidestMask];
    std::vector<Word> onHeap(words <= kWidestMask ? 0 : static_cast<std::size_t>(words));
    Word* known = words <= kWidestMask ? onStack : onHeap.data();
    for (int i = 0; i < words; ++i) {
        if (filled[i] & empty[i])
            return false;
        known[i] = filled[i] | empty[i];
    }
    const int firstOpen = nextBit(known, 0, n, false);
    if (firstOpen == n) {
        open = {n, n, k, k};
        return knownRunsAre(filled, 0, n, runs, k);
    }
    const int lastOpen = lastBit(known, firstOpen, n, false);
    open.from = lastBit(empty, 0, firstOpen, true) + 1;
    open.firstRun = countKnownRuns(filled, 0, open.from);
    if (open.firstRun > k || !knownRunsAre(filled, 0, open.from, runs, open.firstRun))
        return false;
    open.to = nextBit(empty, lastOpen + 1, n, true);
    const int after = countKnownRuns(filled, open.to, n);
    open.lastRun = k - after;
    if (open.lastRun < open.firstRun || !knownRunsAre(filled, open.to, n, runs + open.lastRun, after))
        return false;
    return true;
}

} // namespace

bool solveLine(const int* runs, int runCount, int length, const Word* filled, const Word* empty,
               Word* outFilled, Word* outEmpty)
{
    if (length <= 0)
        return runCount == 0;
    if (length <= 63) // one word: the whole line costs no more than setting its ends aside
        return solveWords<std::uint64_t>(runs, runCount, length, filled, empty, outFilled, outEmpty);
    OpenPart open;
    if (!openPartOf(runs, runCount, length, filled, empty, open))
        return false;
    const int words = wordsForLength(length);
    if (open.from == 0 && open.to == length) {
        return length <= kLongestBitLine
            ? solveBitLine(runs, runCount, length, filled, empty, outFilled, outEmpty)
            : solveTableLine(runs, runCount, length, filled, empty, outFilled, outEmpty);
    }
    std::copy(filled, filled + words, outFilled);
    std::copy(empty, empty + words, outEmpty);
    const int n = open.to - open.from;
    if (n == 0)
        return true;
    const int partWords = wordsForLength(n);
    Word stack[4 * kWidestMask];
    std::vector<Word> heap(partWords <= kWidestMask ? 0 : static_cast<std::size_t>(4 * partWords));
    Word* part = partWords <= kWidestMask ? stack : heap.data();
    const int stride = partWords <= kWidestMask ? kWidestMask : partWords;
    Word* partFilled = part;
    Word* partEmpty = part + stride;
    Word* partOutFilled = part + 2 * stride;
    Word* partOutEmpty = part + 3 * stride;
    extractBits(filled, open.from, n, partFilled);
    extractBits(empty, open.from, n, partEmpty);
    const int* partRuns = runs + open.firstRun;
    const int partRunCount = open.lastRun - open.firstRun;
    const bool ok = n <= kLongestBitLine
        ? solveBitLine(partRuns, partRunCount, n, partFilled, partEmpty, partOutFilled, partOutEmpty)
        : solveTableLine(partRuns, partRunCount, n, partFilled, partEmpty, partOutFilled, partOutEmpty);
    if (!ok)
        return false;
    insertBits(partOutFilled, open.from, n, outFilled);
    insertBits(partOutEmpty, open.from, n, outEmpty);
    return true;
}

bool shortLineFeasible(const int* runs, int runCount, int length, Word filled, Word empty)
{
    return fittingRunsFeasible<std::uint64_t>(runs, runCount, length, filled, empty);
}

namespace {

// The line read as a pattern of symbols: an empty cell, each run's cells, an empty cell
// between each two runs and one after the last, the empty ones repeatable. Bit i of a state
// set: the cells read so far can end on symbol i. The line is pictured with an empty cell
// before and after it: reading starts on symbol 0 and must end on the last.
struct RunPattern {
    Word emptySymbols = 0; // the symbols an empty cell matches, each repeatable
    Word fillSymbols = 0;  // the symbols a filled cell matches
    Word accepting = 0;    // where the line may end: the last symbol, or the last run's end before it
};

// The pattern of `runs` (at least one), or nothing when its symbols need more than 64 bits.
std::optional<RunPattern> runPattern(const int* runs, int k)
{
    int symbols = 1 + k;
    for (int j = 0; j < k; ++j)
        symbols += runs[j];
    if (symbols > 64)
        return std::nullopt;
    RunPattern p;
    int at = 0;
    p.emptySymbols = 1;
    for (int j = 0; j < k; ++j) {
        at += runs[j] + 1;
        p.emptySymbols |= Word(1) << at;
    }
    const Word all = symbols == 64 ? ~Word(0) : (Word(1) << symbols) - 1;
    p.fillSymbols = all & ~p.emptySymbols;
    p.accepting = Word(3) << (symbols - 2);
    return p;
}

// The symbols cell i may match: any, less those of the value it is known not to have.
inline Word allowedSymbols(const RunPattern& p, Word filled, Word empty, int i)
{
    const Word isFilled = Word(0) - ((filled >> i) & 1);
    const Word isEmpty = Word(0) - ((empty >> i) & 1);
    return ~((isFilled & p.emptySymbols) | (isEmpty & p.fillSymbols));
}

// From the states before a cell to those after it, the cell matching `allowed`.
inline Word stepAhead(const RunPattern& p, Word states, Word allowed)
{
    return ((states << 1) | (states & p.emptySymbols)) & allowed;
}

// The mirror image: from the states that can finish the line after a cell to those that can
// finish it before the cell.
inline Word stepBack(const RunPattern& p, Word states, Word allowed)
{
    const Word matched = states & allowed;
    return (matched >> 1) | (matched & p.emptySymbols);
}

} // namespace

// Each test asks whether the line has an arrangement with one more cell open. The states
// reachable from the line's start up to that cell, and those that reach the line's end from
// just after it, answer it in a step: the open cell joins any state of the first to any next
// one of the second. Both tables follow the known cells as candidates are dropped, brought up
// to date only as far as the next test needs (a drop changes the states after its cell in
// the first, before it in the second). The answers are those of the bit form's feasibility
// test, which walks every run for each.
int keepNeededShortCells(const int* runs, int runCount, int length, const std::vector<LineCell>& candidates,
                         Word filled, Word empty, const RunLimits& limits, std::vector<std::uint8_t>& kept)
{
    int tests = 0;
    // Setting up the states costs about a step per cell; a test of the bit form about one per
    // run. With few candidates, or a pattern too long for a word, the tests are cheaper.
    const bool fewTests =
        candidates.size() * static_cast<std::size_t>(runCount + 1) < static_cast<std::size_t>(length);
    const std::optional<RunPattern> pattern =
        runCount > 0 && !fewTests ? runPattern(runs, runCount) : std::nullopt;
    if (!pattern) {
        keepNeededCells(
            candidates, &filled, &empty,
            [&] {
                ++tests;
                return !fittingRunsFeasible<std::uint64_t>(runs, runCount, length, filled, empty);
            },
            [&] { return limits.stopped(); }, kept);
        return tests;
    }
    const RunPattern& p = *pattern;
    // allowed[i]: the symbols cell i may match as the masks are now. ahead[i]: the states
    // after cells 0..i-1, up to date for i <= aheadDone. behind[i]: the states from which
    // cells i..n-1 finish the line, up to date for i >= behindDone.
    std::array<Word, 64> allowed;
    for (int i = 0; i < length; ++i)
        allowed[static_cast<std::size_t>(i)] = allowedSymbols(p, filled, empty, i);
    std::array<Word, 64> ahead;
    std::array<Word, 64> behind;
    ahead[0] = 1;
    int aheadDone = 0;
    behind[static_cast<std::size_t>(length)] = p.accepting;
    int behindDone = length;
    kept.assign(candidates.size(), 1);
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        if (limits.stopped())
            break;
        ++tests;
        const int i = candidates[c].position;
        for (Word states = ahead[aheadDone]; aheadDone < i; ++aheadDone) {
            states = stepAhead(p, states, allowed[aheadDone]);
            ahead[aheadDone + 1] = states;
        }
        for (Word states = behind[behindDone]; behindDone > i + 1; --behindDone) {
            states = stepBack(p, states, allowed[behindDone - 1]);
            behind[behindDone - 1] = states;
        }
        // With the cell open, is there an arrangement? Then the contradiction needs the cell.
        const bool needed = (stepAhead(p, ahead[i], ~Word(0)) & behind[i + 1]) != 0;
        kept[c] = needed ? 1 : 0;
        // Dropped, the cell is open for good: the states after it and before it change.
        // (Without branches: which way it goes is hard to foresee.)
        allowed[i] = needed ? allowed[i] : ~Word(0);
        aheadDone = needed ? aheadDone : std::min(aheadDone, i);
        behindDone = needed ? behindDone : std::max(behindDone, i + 1);
    }
    return tests;
}

bool lineFeasible(const int* runs, int runCount, int length, const Word* filled, const Word* empty)
{
    if (length <= 0)
        return runCount == 0;
    if (length <= kLongestBitLine)
        return feasibleBitLine(runs, runCount, length, filled, empty);
    std::vector<Word> outFilled(static_cast<std::size_t>(wordsForLength(length)));
    std::vector<Word> outEmpty(outFilled.size());
    return solveLine(runs, runCount, length, filled, empty, outFilled.data(), outEmpty.data());
}

} // namespace zumeli::solver
