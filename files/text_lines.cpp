// Line splitting and 16-bit number reading shared by the puzzle and answer-state files.
#include "files/text_lines.h"

#include "board/number_text.h"

#include <cmath>

namespace zumeli {

std::vector<std::string_view> splitLines(std::string_view text)
{
    if (text.size() > kMaxTextFileBytes)
        throw FileFormatError("the file is too large");
    if (text.find('\0') != std::string_view::npos)
        throw FileFormatError("the file holds binary data");
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.substr(0, bom.size()) == bom)
        text.remove_prefix(bom.size());

    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string_view> splitItems(std::string_view line)
{
    std::vector<std::string_view> items;
    if (line.empty())
        return items;
    for (;;) {
        const std::size_t comma = line.find(',');
        items.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        line.remove_prefix(comma + 1);
    }
    return items;
}

int16 readItem16(std::string_view item)
{
    const auto value = parseDecimal(item);
    if (!value)
        throw FileFormatError("not a number: \"" + std::string(item.substr(0, 20)) + "\"");
    try {
        return roundHalfEven16(*value);
    } catch (const OverflowError&) {
        throw FileFormatError("a number does not fit 16 bits: " + std::string(item.substr(0, 20)));
    }
}

int16 readFloor16(std::string_view item)
{
    const auto value = parseDecimal(item);
    if (!value)
        throw FileFormatError("not a number: \"" + std::string(item.substr(0, 20)) + "\"");
    const double floored = std::floor(*value);
    if (floored < -32768.0 || floored > 32767.0)
        throw FileFormatError("a number does not fit 16 bits: " + std::string(item.substr(0, 20)));
    return static_cast<int16>(floored);
}

void appendNumberLine(std::string& out, const std::vector<int16>& numbers)
{
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            out += ',';
        out += std::to_string(numbers[i]);
    }
    out += kLineEnd;
}

} // namespace zumeli
