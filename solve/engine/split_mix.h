// The engine's own pseudo-random numbers (splitmix64): the same sequence on every machine and
// standard library, so that anything drawn from them is reproducible.
#pragma once

#include <cstdint>

namespace zumeli::solver {

// One splitmix64 step applied to `x`: a well-mixed 64-bit value, also usable as a hash.
constexpr std::uint64_t mix64(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        const std::uint64_t out = mix64(state_);
        state_ += 0x9E3779B97F4A7C15ull;
        return out;
    }
    // A value in 0..bound-1 (bound > 0), by multiply-shift: no modulo bias worth mentioning
    // and no library distribution whose results differ between implementations.
    std::uint32_t below(std::uint32_t bound)
    {
        return static_cast<std::uint32_t>(((next() >> 32) * bound) >> 32);
    }

private:
    std::uint64_t state_;
};

} // namespace zumeli::solver
