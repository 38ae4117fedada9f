// Parsing of typed numbers shared by the zoom box and the dialogs' number boxes.
#include "board/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace zumeli {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::optional<double> parseDecimal(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty() || text.size() > 64)
        return std::nullopt;

    // Validate the shape by hand: from_chars would accept "inf" and "nan", which are
    // not numbers a user can mean in a size box.
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;

    std::string_view body = text;
    if (body.front() == '+')
        body.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec != std::errc() || end != body.data() + body.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long long> parseFloor(std::string_view text)
{
    const auto value = parseDecimal(text);
    if (!value)
        return std::nullopt;
    const double floored = std::floor(*value);
    if (floored < -9.0e15 || floored > 9.0e15)
        return std::nullopt;
    return static_cast<long long>(floored);
}

} // namespace zumeli
