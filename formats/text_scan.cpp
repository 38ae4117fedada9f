// The text scanner shared by the .zml, .sts, .non and webpbn XML readers.
#include "formats/text_scan.h"

#include "board/number_text.h"

#include <cmath>

namespace zumeli {

std::string_view withoutByteOrderMark(std::string_view text)
{
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    return text;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isWhiteSpace(char c) { return isBlank(c) || c == '\r' || c == '\n'; }

std::string_view trimWhiteSpace(std::string_view text)
{
    while (!text.empty() && isWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

char firstMeaningfulCharacter(std::string_view text)
{
    const std::string_view rest = trimWhiteSpace(withoutByteOrderMark(text));
    return rest.empty() ? '\0' : rest.front();
}

bool holdsNul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

int firstControlCharacter(std::string_view text)
{
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\n' && c != '\r' && c != '\t')
            return u;
    }
    return -1;
}

std::vector<std::string_view> textLines(std::string_view text)
{
    text = withoutByteOrderMark(text);
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

std::vector<std::string_view> numberFileLines(std::string_view text)
{
    if (text.size() > kMaxTextFileBytes)
        throw FileFormatError("the file is too large");
    if (holdsNul(text))
        throw FileFormatError("the file holds binary data");
    return textLines(text);
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

namespace {

double readDecimal(std::string_view item)
{
    const auto value = parseDecimal(item);
    if (!value)
        throw FileFormatError("not a number: \"" + std::string(item.substr(0, 20)) + "\"");
    return *value;
}

[[noreturn]] void refuseBeyond16Bits(std::string_view item)
{
    throw FileFormatError("a number does not fit 16 bits: " + std::string(item.substr(0, 20)));
}

} // namespace

int16 readItem16(std::string_view item)
{
    const double value = readDecimal(item);
    try {
        return roundHalfEven16(value);
    } catch (const OverflowError&) {
        refuseBeyond16Bits(item);
    }
}

int16 readFloor16(std::string_view item)
{
    const double value = readDecimal(item);
    try {
        return toInt16(std::floor(value));
    } catch (const OverflowError&) {
        refuseBeyond16Bits(item);
    }
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

CountReading readCount(std::string_view text, long max)
{
    text = trimWhiteSpace(text);
    if (text.empty())
        return {0, CountReading::Empty};
    if (text.front() == '-')
        return {0, CountReading::Negative};
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return {value, CountReading::NotWhole};
        value = value * 10 + (c - '0');
        if (value > max)
            return {value, CountReading::TooLarge};
    }
    return {value, CountReading::None};
}

std::size_t utf8Sequence(std::string_view s, std::uint32_t& code)
{
    const auto lead = static_cast<unsigned char>(s[0]);
    std::size_t length = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(s[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}


} // namespace zumeli
