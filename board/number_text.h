// Reading the number a user typed into a text box: decimal text in, a real number out.
#pragma once

#include <optional>
#include <string_view>

namespace zumeli {

// Reads optional blanks, an optional sign, digits with an optional decimal point and an
// optional exponent, optional blanks. Anything else (empty text, letters) gives nothing.
std::optional<double> parseDecimal(std::string_view text);

// parseDecimal, rounded down to a whole number (20.9 -> 20, -0.5 -> -1); nothing for
// text that is not a number or a value too large to be a whole number at all.
std::optional<long long> parseFloor(std::string_view text);

} // namespace zumeli
