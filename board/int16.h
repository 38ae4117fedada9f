// Checked signed 16-bit arithmetic and board indexing: every board value, dimension and
// layout value goes through these so that an overflow is an error, never a wrap-around.
#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

namespace zumeli {

using int16 = std::int16_t;

// Raised when a 16-bit computation leaves -32768..32767.
class OverflowError : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

// Raised when a board index falls outside 0..100.
class IndexError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// Narrows any integer, signed or unsigned (or a whole-valued real number), to 16 bits,
// throwing when it does not fit.
template <typename T>
constexpr int16 toInt16(T value)
{
    bool fits = false;
    if constexpr (std::is_integral_v<T>)
        fits = std::in_range<int16>(value);
    else  // false for a NaN as well
        fits = value >= std::numeric_limits<int16>::min() && value <= std::numeric_limits<int16>::max();
    if (!fits)
        throw OverflowError("16-bit overflow: " + std::to_string(value));
    return static_cast<int16>(value);
}

constexpr int16 add16(long a, long b) { return toInt16(a + b); }
constexpr int16 sub16(long a, long b) { return toInt16(a - b); }
constexpr int16 mul16(long a, long b) { return toInt16(a * b); }

// Rounds a real number to the nearest integer, halves to even, then narrows to 16 bits.
int16 roundHalfEven16(double value);

} // namespace zumeli
