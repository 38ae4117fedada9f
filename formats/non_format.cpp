// The .non puzzle format: a tolerant line-by-line reader and a writer.
#include "formats/non_format.h"

#include "formats/text_scan.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zumeli {

namespace {

using solver::Puzzle;

[[noreturn]] void fail(std::size_t lineNumber, const std::string& what)
{
    if (lineNumber == 0)
        throw PuzzleFormatError(".non: " + what);
    throw PuzzleFormatError(".non line " + std::to_string(lineNumber) + ": " + what);
}

// A number of lines: 0..kMaxPuzzleLines.
int parseCount(std::string_view s, std::size_t lineNumber, const char* what)
{
    const CountReading count = readCount(s, kMaxPuzzleLines);
    switch (count.fault) {
    case CountReading::None: break;
    case CountReading::Empty: fail(lineNumber, std::string(what) + " has no number");
    case CountReading::Negative: fail(lineNumber, std::string(what) + " is negative");
    case CountReading::NotWhole:
        fail(lineNumber, std::string(what) + " is not a whole number: \"" + std::string(trimWhiteSpace(s)) + "\"");
    case CountReading::TooLarge:
        fail(lineNumber, std::string(what) + " exceeds " + std::to_string(kMaxPuzzleLines));
    }
    return static_cast<int>(count.value);
}

bool isClueSeparator(char c) { return c == ',' || isWhiteSpace(c); }

// One clue line: run lengths separated by commas and/or blanks; "0" or nothing for no runs.
std::vector<int> parseClueLine(std::string_view s, std::size_t lineNumber)
{
    std::vector<int> runs;
    std::size_t i = 0;
    while (i < s.size()) {
        if (isClueSeparator(s[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < s.size() && !isClueSeparator(s[end]))
            ++end;
        const std::string_view number = s.substr(i, end - i);
        const CountReading run = readCount(number, kMaxPuzzleLines);
        switch (run.fault) {
        case CountReading::None: break;
        case CountReading::Empty: break; // not reached: a number has a character
        case CountReading::Negative: fail(lineNumber, "negative run length");
        case CountReading::NotWhole: {
            const char c = *std::find_if(number.begin(), number.end(), [](char d) { return d < '0' || d > '9'; });
            if (c == '-')
                fail(lineNumber, "negative run length");
            fail(lineNumber, std::string("unexpected character '") + c + "' in a clue line");
        }
        case CountReading::TooLarge: fail(lineNumber, "run length exceeds " + std::to_string(kMaxPuzzleLines));
        }
        if (run.value > 0)
            runs.push_back(static_cast<int>(run.value));
        if (runs.size() > static_cast<std::size_t>(kMaxPuzzleLines))
            fail(lineNumber, "too many runs in one line");
        i = end;
    }
    return runs;
}

// The text of a property: what lies between the first and last double quote, or the whole
// rest of the line when it is not quoted.
std::string propertyValue(std::string_view rest)
{
    rest = trimWhiteSpace(rest);
    const std::size_t first = rest.find('"');
    const std::size_t last = rest.rfind('"');
    if (first != std::string_view::npos && last > first)
        return std::string(rest.substr(first + 1, last - first - 1));
    return std::string(rest);
}

bool startsClueLine(std::string_view s)
{
    return !s.empty() && (std::isdigit(static_cast<unsigned char>(s.front())) || s.front() == '-'
                          || s.front() == ',');
}

struct Block {
    std::vector<std::vector<int>> lines;
    std::size_t lineNumber = 0;
};

// The clue lines of a rows or columns block whose keyword stands on the line before `next`
// (so `next`, 0-based, is also the keyword's 1-based line number): exactly `expected` lines when the size was given before the block
// (a blank one is a line without runs), otherwise up to the next blank line or keyword.
// Leaves `next` on the first line after the block.
Block readClueBlock(const std::vector<std::string_view>& lines, std::size_t& next,
                    const std::string& keyword, std::optional<int> expected)
{
    std::size_t& i = next;
    Block block;
    block.lineNumber = i;
    if (expected) {
        while (static_cast<int>(block.lines.size()) < *expected) {
            if (i >= lines.size())
                fail(0, keyword + " block ends after " + std::to_string(block.lines.size())
                            + " of " + std::to_string(*expected) + " lines");
            const std::string_view clue = trimWhiteSpace(lines[i]);
            if (!clue.empty() && !startsClueLine(clue))
                fail(i + 1, keyword + " block has " + std::to_string(block.lines.size())
                                + " lines where " + std::to_string(*expected) + " are expected");
            block.lines.push_back(parseClueLine(clue, i + 1));
            ++i;
        }
    } else {
        while (i < lines.size() && startsClueLine(trimWhiteSpace(lines[i]))) {
            block.lines.push_back(parseClueLine(trimWhiteSpace(lines[i]), i + 1));
            ++i;
            if (block.lines.size() > static_cast<std::size_t>(kMaxPuzzleLines))
                fail(i, keyword + " block has more than " + std::to_string(kMaxPuzzleLines) + " lines");
        }
    }
    return block;
}

} // namespace

namespace {

// What the keyword lines of a .non file gave besides the properties: the size and the two
// clue blocks.
struct NonSections {
    std::optional<int> width;
    std::optional<int> height;
    std::optional<Block> rows;
    std::optional<Block> columns;
};

// The line's first word in lower case, and what follows it.
std::pair<std::string, std::string_view> splitKeyword(std::string_view line)
{
    std::size_t wordEnd = 0;
    while (wordEnd < line.size() && !isBlank(line[wordEnd]))
        ++wordEnd;
    std::string keyword(line.substr(0, wordEnd));
    for (char& c : keyword)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return {std::move(keyword), line.substr(wordEnd)};
}

// Reads the keyword lines from line `i` on into `sections` and the puzzle's properties; a
// clue block takes the lines after its keyword with it.
void readSections(const std::vector<std::string_view>& lines, NonSections& sections, Puzzle& puzzle)
{
    std::size_t i = 0;
    while (i < lines.size()) {
        const std::size_t lineNumber = i + 1;
        const std::string_view line = trimWhiteSpace(lines[i++]);
        if (line.empty() || line.front() == '#')
            continue;
        if (startsClueLine(line))
            fail(lineNumber, "clue numbers outside a rows or columns block");
        const auto [keyword, rest] = splitKeyword(line);
        if (keyword == "width") {
            sections.width = parseCount(rest, lineNumber, "width");
        } else if (keyword == "height") {
            sections.height = parseCount(rest, lineNumber, "height");
        } else if (keyword == "rows" || keyword == "columns") {
            const bool isRows = keyword == "rows";
            std::optional<Block>& block = isRows ? sections.rows : sections.columns;
            if (block.has_value())
                fail(lineNumber, "second " + keyword + " block");
            block = readClueBlock(lines, i, keyword, isRows ? sections.height : sections.width);
        } else if (keyword == "title") {
            puzzle.title = propertyValue(rest);
        } else if (keyword == "by" || keyword == "author") {
            puzzle.author = propertyValue(rest);
        } else if (keyword == "copyright") {
            puzzle.copyright = propertyValue(rest);
        } else if (keyword == "catalogue" || keyword == "catalog") {
            puzzle.catalogue = propertyValue(rest);
        } else if (keyword == "goal") {
            puzzle.goal = propertyValue(rest);
        }
        // Anything else is a property this program does not use.
    }
}

// Both blocks are there, hold lines, and agree with the width and height given.
void checkBlocks(const NonSections& sections)
{
    if (!sections.rows)
        fail(0, "no rows block");
    if (!sections.columns)
        fail(0, "no columns block");
    const int rowCount = static_cast<int>(sections.rows->lines.size());
    const int columnCount = static_cast<int>(sections.columns->lines.size());
    if (sections.height && *sections.height != rowCount)
        fail(sections.rows->lineNumber, "rows block has " + std::to_string(rowCount) + " lines but height is "
                                            + std::to_string(*sections.height));
    if (sections.width && *sections.width != columnCount)
        fail(sections.columns->lineNumber, "columns block has " + std::to_string(columnCount)
                                               + " lines but width is " + std::to_string(*sections.width));
    if (rowCount == 0 || columnCount == 0)
        fail(0, "puzzle has no rows or no columns");
}

} // namespace

Puzzle parseNonText(std::string_view text)
{
    if (const int control = firstControlCharacter(text); control >= 0)
        fail(0, "binary data (control character " + std::to_string(control) + ")");
    const std::vector<std::string_view> lines = textLines(text);
    Puzzle puzzle;
    NonSections sections;
    readSections(lines, sections, puzzle);
    checkBlocks(sections);
    // A run longer than its line is read as written: such clues have no solution, and the
    // solver says so.
    puzzle.rows = std::move(sections.rows->lines);
    puzzle.columns = std::move(sections.columns->lines);
    if (!puzzle.goal.empty() && solver::CellGrid::fromGoal(puzzle).cells.empty())
        puzzle.goal.clear(); // a goal that does not fit the size is of no use
    return puzzle;
}

namespace {

// A property value on one line without double quotes.
std::string quoted(const std::string& value)
{
    std::string out = "\"";
    for (const char c : value)
        out += c == '"' ? '\'' : (c == '\n' || c == '\r') ? ' ' : c;
    return out + "\"";
}

void appendBlock(std::string& out, const std::vector<std::vector<int>>& lines)
{
    for (const auto& runs : lines) {
        bool any = false;
        for (const int r : runs) {
            if (r <= 0)
                continue;
            if (any)
                out += ',';
            out += std::to_string(r);
            any = true;
        }
        if (!any)
            out += '0';
        out += '\n';
    }
}

} // namespace

std::string nonText(const Puzzle& puzzle)
{
    std::string out;
    if (!puzzle.catalogue.empty())
        out += "catalogue " + quoted(puzzle.catalogue) + "\n";
    if (!puzzle.title.empty())
        out += "title " + quoted(puzzle.title) + "\n";
    if (!puzzle.author.empty())
        out += "by " + quoted(puzzle.author) + "\n";
    if (!puzzle.copyright.empty())
        out += "copyright " + quoted(puzzle.copyright) + "\n";
    out += "width " + std::to_string(puzzle.width()) + "\n";
    out += "height " + std::to_string(puzzle.height()) + "\n\nrows\n";
    appendBlock(out, puzzle.rows);
    out += "\ncolumns\n";
    appendBlock(out, puzzle.columns);
    if (!solver::CellGrid::fromGoal(puzzle).cells.empty())
        out += "\ngoal " + quoted(puzzle.goal) + "\n";
    return out;
}

} // namespace zumeli
