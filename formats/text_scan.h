// The one scanner of the program's puzzle and answer-state texts: byte-order marks, blanks,
// lines, comma-separated items and checked numbers, shared by every reader.
#pragma once

#include "board/int16.h"
#include "formats/format_errors.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zumeli {

// A UTF-8 byte-order mark, which editors put at the start of a text.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The line ending of every .zml and .sts file the program writes.
inline constexpr std::string_view kLineEnd = "\r\n";

// The text without a byte-order mark at its start.
std::string_view withoutByteOrderMark(std::string_view text);

// Blanks inside a line are spaces and tabs; white space adds the line ends CR and LF.
bool isBlank(char c);
bool isWhiteSpace(char c);
std::string_view trimWhiteSpace(std::string_view text);

// The first character after the byte-order mark that is not white space; '\0' for none.
char firstMeaningfulCharacter(std::string_view text);

// Whether a text holds a NUL byte, which no text file the program reads does.
bool holdsNul(std::string_view text);

// The first control character of a text other than tab, CR and LF (a sign of a binary file),
// as an unsigned value; -1 when there is none.
int firstControlCharacter(std::string_view text);

// The lines of a text after its byte-order mark. Lines end in CR LF or LF alone, neither being
// part of the line; a last line without an ending counts; an empty text has no lines.
std::vector<std::string_view> textLines(std::string_view text);

// textLines of a .zml or .sts text, refusing with FileFormatError a text over
// kMaxTextFileBytes or one holding a NUL byte (a binary file).
std::vector<std::string_view> numberFileLines(std::string_view text);

// The items of one line split at ","; an empty line has no items, "1,,2" has three.
std::vector<std::string_view> splitItems(std::string_view line);

// One .zml or .sts item as a 16-bit value: a decimal number, rounded to the nearest whole
// number (halves to even). Throws FileFormatError for a non-number or a value outside
// -32768..32767.
int16 readItem16(std::string_view item);

// One .zml header number: a decimal number with its fractional part dropped (rounded down).
// Throws FileFormatError for a non-number or a value outside -32768..32767.
int16 readFloor16(std::string_view item);

// Numbers joined by "," with no spaces and no trailing comma, followed by CR LF.
void appendNumberLine(std::string& out, const std::vector<int16>& numbers);

// A count of the .non and webpbn XML formats (a size or a run length): a whole number from 0
// to a limit, digits only, with white space around it.
struct CountReading {
    enum Fault { None, Empty, Negative, NotWhole, TooLarge };
    long value = 0;
    Fault fault = None;
};
// Reads the count, stopping at the first fault in reading order: an empty text, a leading
// "-", a character that is not a digit, or a value past `max`.
CountReading readCount(std::string_view text, long max);

// The length of the UTF-8 sequence at the start of `s` (1 to 4) and its code point, or 0 when
// the bytes there are not UTF-8: a stray continuation byte, a cut sequence, an overlong form,
// a surrogate, or a value past U+10FFFF.
std::size_t utf8Sequence(std::string_view s, std::uint32_t& code);

} // namespace zumeli
