// The conflict search's bookkeeping: literals, the clause store and the watches on it, the
// heap of cells by activity, and the Luby sequence the restarts follow.
#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <vector>

namespace zumeli::solver::cdcl {

// A literal is 2 * cell + 1 for "cell filled" and 2 * cell for "cell empty".
using Lit = int;
inline int cellOf(Lit p) { return p >> 1; }
inline bool saysFilled(Lit p) { return (p & 1) != 0; }
inline Lit opposite(Lit p) { return p ^ 1; }
inline Lit literal(int cell, bool filled) { return 2 * cell + (filled ? 1 : 0); }

// The clauses, one after another in one array: per clause a word with its literal count, a
// word with its glue (the number of levels it spanned when learned) and its flags, then the
// literals. A long search spends about half its time visiting clauses from the watch lists;
// with a vector per clause every visit chased a pointer to memory of its own, here a clause
// is one read. A clause is named by the index of its first word.
class ClauseStore {
public:
    int add(const std::vector<Lit>& lits, int lbd, bool learnt)
    {
        if (words_.size() + lits.size() + 2 > static_cast<std::size_t>(std::numeric_limits<int>::max()))
            throw std::length_error("too many learned clauses");
        const int ref = static_cast<int>(words_.size());
        words_.push_back(static_cast<int>(lits.size()));
        words_.push_back(lbd | (learnt ? kLearnt : 0));
        words_.insert(words_.end(), lits.begin(), lits.end());
        return ref;
    }
    int size(int ref) const { return words_[ref]; }
    std::size_t words() const { return words_.size(); }
    Lit* lits(int ref) { return words_.data() + ref + 2; }
    const Lit* lits(int ref) const { return words_.data() + ref + 2; }
    int lbd(int ref) const { return words_[ref + 1] & kLbdMask; }
    bool learnt(int ref) const { return (words_[ref + 1] & kLearnt) != 0; }
    void remove(int ref) { words_[ref + 1] |= kRemoved; }

    template <typename Visit> void forEach(Visit&& visit) const
    {
        for (int ref = 0; ref < static_cast<int>(words_.size()); ref += 2 + words_[ref])
            if ((words_[ref + 1] & kRemoved) == 0)
                visit(ref);
    }

    // Moves the clauses kept down over the removed ones; `moved(old, now)` hears of each kept
    // clause.
    template <typename Moved> void compact(Moved&& moved)
    {
        std::size_t to = 0;
        for (std::size_t from = 0; from < words_.size();) {
            const std::size_t length = 2 + static_cast<std::size_t>(words_[from]);
            if ((words_[from + 1] & kRemoved) == 0) {
                if (to != from)
                    std::copy(words_.begin() + static_cast<std::ptrdiff_t>(from),
                              words_.begin() + static_cast<std::ptrdiff_t>(from + length),
                              words_.begin() + static_cast<std::ptrdiff_t>(to));
                moved(static_cast<int>(from), static_cast<int>(to));
                to += length;
            }
            from += length;
        }
        words_.resize(to);
    }

private:
    static constexpr int kLbdMask = 0x3fffffff;
    static constexpr int kLearnt = 0x40000000;
    static constexpr int kRemoved = static_cast<int>(0x80000000u);
    std::vector<int> words_;
};

struct Watch {
    int clause;
    Lit blocker;
};

// Max-heap of cells by activity.
class ActivityHeap {
public:
    void init(int n, const std::vector<double>* activity)
    {
        activity_ = activity;
        index_.assign(static_cast<std::size_t>(n), -1);
        heap_.clear();
    }
    bool contains(int v) const { return index_[v] >= 0; }
    bool empty() const { return heap_.empty(); }
    void insert(int v)
    {
        if (contains(v))
            return;
        index_[v] = static_cast<int>(heap_.size());
        heap_.push_back(v);
        up(index_[v]);
    }
    void increased(int v)
    {
        if (contains(v))
            up(index_[v]);
    }
    int pop()
    {
        const int top = heap_[0];
        const int last = heap_.back();
        heap_.pop_back();
        index_[top] = -1;
        if (!heap_.empty()) {
            heap_[0] = last;
            index_[last] = 0;
            down(0);
        }
        return top;
    }

private:
    bool before(int a, int b) const { return (*activity_)[a] > (*activity_)[b]; }
    void up(int i)
    {
        const int v = heap_[i];
        while (i > 0) {
            const int parent = (i - 1) / 2;
            if (!before(v, heap_[parent]))
                break;
            heap_[i] = heap_[parent];
            index_[heap_[i]] = i;
            i = parent;
        }
        heap_[i] = v;
        index_[v] = i;
    }
    void down(int i)
    {
        const int v = heap_[i];
        const int n = static_cast<int>(heap_.size());
        for (;;) {
            int child = 2 * i + 1;
            if (child >= n)
                break;
            if (child + 1 < n && before(heap_[child + 1], heap_[child]))
                ++child;
            if (!before(heap_[child], v))
                break;
            heap_[i] = heap_[child];
            index_[heap_[i]] = i;
            i = child;
        }
        heap_[i] = v;
        index_[v] = i;
    }

    const std::vector<double>* activity_ = nullptr;
    std::vector<int> heap_;
    std::vector<int> index_;
};

// The Luby sequence scaled by powers of `y`: 1, 1, y, 1, 1, y, y^2, ... (index x from 0).
inline double luby(double y, int x)
{
    int size = 1;
    int seq = 0;
    while (size < x + 1) {
        ++seq;
        size = 2 * size + 1;
    }
    while (size - 1 != x) {
        size = (size - 1) >> 1;
        --seq;
        x = x % size;
    }
    double r = 1;
    for (int i = 0; i < seq; ++i)
        r *= y;
    return r;
}

} // namespace zumeli::solver::cdcl
