// Checked signed 16-bit arithmetic and board indexing: every board value, dimension and
// layout value goes through these so that an overflow is an error, never a wrap-around.
#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

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

// Narrows any integer (or whole-valued wider result) to 16 bits, throwing when it does not fit.
template <typename T>
constexpr int16 toInt16(T value)
{
    if (value < static_cast<T>(std::numeric_limits<int16>::min())
        || value > static_cast<T>(std::numeric_limits<int16>::max()))
        throw OverflowError("16-bit overflow: " + std::to_string(value));
    return static_cast<int16>(value);
}

constexpr int16 add16(long a, long b) { return toInt16(a + b); }
constexpr int16 sub16(long a, long b) { return toInt16(a - b); }
constexpr int16 mul16(long a, long b) { return toInt16(a * b); }

// Rounds a real number to the nearest integer, halves to even, then narrows to 16 bits.
int16 roundHalfEven16(double value);

} // namespace zumeli
