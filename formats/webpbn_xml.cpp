// The webpbn XML format: a small streaming XML parser, the puzzle reader on it, a writer.
#include "formats/webpbn_xml.h"

#include "formats/text_scan.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

namespace zumeli {

namespace {

using solver::Puzzle;

constexpr int kMaxDepth = 64;

using Attributes = std::vector<std::pair<std::string, std::string>>;

std::string attribute(const Attributes& attributes, std::string_view key, std::string fallback = {})
{
    for (const auto& [k, v] : attributes)
        if (k == key)
            return v;
    return fallback;
}

std::string trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\n' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\n' || s.back() == '\r'))
        s.remove_suffix(1);
    return std::string(s);
}

void appendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

[[noreturn]] void refuse(const std::string& what)
{
    throw PuzzleFormatError("webpbn XML: " + what);
}

int parseCount(const std::string& text)
{
    const std::string t = trimmed(text);
    if (t.empty())
        refuse("empty <count>");
    if (t[0] == '-')
        refuse("negative count " + t);
    long value = 0;
    for (const char c : t) {
        if (c < '0' || c > '9')
            refuse("count is not a whole number: \"" + t + "\"");
        value = value * 10 + (c - '0');
        if (value > kMaxPuzzleLines)
            refuse("count exceeds " + std::to_string(kMaxPuzzleLines));
    }
    return static_cast<int>(value);
}

// Builds the puzzle from the parser's element events, looking only at the first <puzzle>.
class PuzzleBuilder {
public:
    void start(const std::string& name, const Attributes& attributes)
    {
        const std::string parent = path_.empty() ? std::string() : path_.back();
        path_.push_back(name);
        collecting_ = false;
        if (path_.size() == 1) {
            if (name != "puzzleset" && name != "puzzle")
                refuse("root element is <" + name + ">, not <puzzleset>");
        }
        if (name == "puzzle" && !seenPuzzle_ && (path_.size() == 1 || (path_.size() == 2 && parent == "puzzleset"))) {
            seenPuzzle_ = true;
            inPuzzle_ = true;
            puzzleDepth_ = path_.size();
            const std::string type = attribute(attributes, "type", "grid");
            if (type != "grid")
                refuse("puzzle type \"" + type + "\" is not a grid");
            black_ = attribute(attributes, "defaultcolor", "black");
            white_ = attribute(attributes, "backgroundcolor", "white");
            return;
        }
        if (!inPuzzle_)
            return;
        const std::size_t depth = path_.size() - puzzleDepth_; // 1 for children of <puzzle>
        if (depth == 1) {
            if (name == "color") {
                const std::string colour = attribute(attributes, "name");
                if (colour != black_ && colour != white_)
                    refuse("multicolour puzzle (colour \"" + colour + "\"); only black and white puzzles are supported");
                const std::string ch = attribute(attributes, "char");
                if (colour == white_ && ch.size() == 1)
                    background_ = ch[0];
            } else if (name == "clues") {
                const std::string kind = attribute(attributes, "type");
                if (kind == "rows" && !haveRows_) {
                    haveRows_ = true;
                    clues_ = &puzzle_.rows;
                } else if (kind == "columns" && !haveColumns_) {
                    haveColumns_ = true;
                    clues_ = &puzzle_.columns;
                } else {
                    refuse("unexpected <clues type=\"" + kind + "\">");
                }
            } else if (name == "title" || name == "author" || name == "copyright" || name == "source" || name == "id") {
                collect();
            } else if (name == "solution") {
                goalSolution_ = attribute(attributes, "type", "goal") == "goal" && puzzle_.goal.empty();
            }
        } else if (depth == 2 && name == "line" && parent == "clues" && clues_) {
            clues_->emplace_back();
            if (clues_->size() > static_cast<std::size_t>(kMaxPuzzleLines))
                refuse("more than " + std::to_string(kMaxPuzzleLines) + " lines");
        } else if (depth == 3 && name == "count" && parent == "line" && clues_ && !clues_->empty()) {
            const std::string colour = attribute(attributes, "color", black_);
            if (colour != black_)
                refuse("multicolour puzzle (a count in colour \"" + colour + "\"); only black and white puzzles are supported");
            collect();
        } else if (depth == 2 && name == "image" && parent == "solution" && goalSolution_) {
            collect();
        }
    }

    void text(std::string_view chars)
    {
        if (collecting_) {
            text_.append(chars);
            if (text_.size() > kMaxTextBytes)
                refuse("element text longer than " + std::to_string(kMaxTextBytes) + " bytes");
        }
    }

    void end()
    {
        const std::string name = path_.back();
        const bool wasCollecting = collecting_;
        collecting_ = false;
        path_.pop_back();
        if (!inPuzzle_)
            return;
        if (path_.size() + 1 == puzzleDepth_) {
            inPuzzle_ = false; // the first puzzle is complete
            return;
        }
        if (!wasCollecting)
            return;
        if (name == "count") {
            if (const int value = parseCount(text_); value > 0) {
                clues_->back().push_back(value);
                if (clues_->back().size() > static_cast<std::size_t>(kMaxPuzzleLines))
                    refuse("too many counts in one line");
            }
        } else if (name == "image") {
            image_ = text_;
            goalSolution_ = false;
        } else if (name == "title") {
            puzzle_.title = trimmed(text_);
        } else if (name == "author") {
            puzzle_.author = trimmed(text_);
        } else if (name == "copyright") {
            puzzle_.copyright = trimmed(text_);
        } else if (name == "source") {
            source_ = trimmed(text_);
        } else if (name == "id") {
            id_ = trimmed(text_);
        }
    }

    Puzzle finish()
    {
        if (!seenPuzzle_)
            refuse("no <puzzle> in the <puzzleset>");
        if (!haveRows_)
            refuse("no <clues type=\"rows\">");
        if (!haveColumns_)
            refuse("no <clues type=\"columns\">");
        if (puzzle_.rows.empty() || puzzle_.columns.empty())
            refuse("puzzle has no rows or no columns");
        for (std::size_t i = 0; i < puzzle_.rows.size(); ++i)
            for (const int run : puzzle_.rows[i])
                if (run > puzzle_.width())
                    refuse("row " + std::to_string(i + 1) + ": count " + std::to_string(run)
                           + " is longer than the width " + std::to_string(puzzle_.width()));
        for (std::size_t i = 0; i < puzzle_.columns.size(); ++i)
            for (const int run : puzzle_.columns[i])
                if (run > puzzle_.height())
                    refuse("column " + std::to_string(i + 1) + ": count " + std::to_string(run)
                           + " is longer than the height " + std::to_string(puzzle_.height()));
        puzzle_.catalogue = trimmed(source_ + " " + id_);
        puzzle_.goal = readGoal();
        return std::move(puzzle_);
    }

private:
    static constexpr std::size_t kMaxTextBytes = 4 * 1024 * 1024;

    void collect()
    {
        collecting_ = true;
        text_.clear();
    }

    // The goal picture: rows between '|' marks, the background character empty and any other
    // filled; nothing when it does not match the size.
    std::string readGoal() const
    {
        std::string goal;
        bool inRow = false;
        for (const char c : image_) {
            if (c == '|')
                inRow = !inRow;
            else if (inRow)
                goal += c == background_ ? '0' : '1';
        }
        if (goal.size() != static_cast<std::size_t>(puzzle_.width()) * static_cast<std::size_t>(puzzle_.height()))
            return {};
        return goal;
    }

    Puzzle puzzle_;
    std::vector<std::string> path_;
    bool seenPuzzle_ = false;
    bool inPuzzle_ = false;
    std::size_t puzzleDepth_ = 0;
    std::string black_ = "black";
    std::string white_ = "white";
    char background_ = '.';
    bool haveRows_ = false;
    bool haveColumns_ = false;
    std::vector<std::vector<int>>* clues_ = nullptr;
    bool goalSolution_ = false;
    bool collecting_ = false;
    std::string text_;
    std::string image_;
    std::string source_;
    std::string id_;
};

// A well-formedness-checking XML reader that hands elements and text to a PuzzleBuilder.
class XmlParser {
public:
    XmlParser(std::string_view text, PuzzleBuilder& builder) : s_(text), builder_(builder) {}

    void parseDocument()
    {
        pos_ = s_.size() - withoutByteOrderMark(s_).size();
        skipMisc(true);
        if (pos_ >= s_.size() || s_[pos_] != '<')
            fail("no root element");
        parseElement(0);
        skipMisc(false);
        if (pos_ < s_.size())
            fail("text after the root element");
    }

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        long line = 1;
        for (std::size_t i = 0; i < pos_ && i < s_.size(); ++i)
            line += s_[i] == '\n' ? 1 : 0;
        throw PuzzleFormatError("XML line " + std::to_string(line) + ": " + what);
    }

    bool startsWith(std::string_view prefix) const { return s_.substr(pos_, prefix.size()) == prefix; }

    void skipBlanks()
    {
        while (pos_ < s_.size()
               && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
            ++pos_;
    }

    void skipPast(std::string_view end, const char* what)
    {
        const std::size_t found = s_.find(end, pos_);
        if (found == std::string_view::npos)
            fail(std::string("unterminated ") + what);
        pos_ = found + end.size();
    }

    // Blanks, comments, processing instructions and (before the root) a DOCTYPE, which is
    // skipped with its internal subset and never fetched.
    void skipMisc(bool beforeRoot)
    {
        for (;;) {
            skipBlanks();
            if (startsWith("<?")) {
                skipPast("?>", "processing instruction");
            } else if (startsWith("<!--")) {
                skipPast("-->", "comment");
            } else if (beforeRoot && startsWith("<!DOCTYPE")) {
                int brackets = 0;
                for (++pos_;; ++pos_) {
                    if (pos_ >= s_.size())
                        fail("unterminated DOCTYPE");
                    const char c = s_[pos_];
                    if (c == '[')
                        ++brackets;
                    else if (c == ']')
                        --brackets;
                    else if (c == '>' && brackets <= 0)
                        break;
                }
                ++pos_;
            } else {
                return;
            }
        }
    }

    static bool isNameChar(char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
            || c == '-' || c == '.' || c == ':' || static_cast<unsigned char>(c) >= 0x80;
    }

    std::string parseName()
    {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && isNameChar(s_[pos_]))
            ++pos_;
        if (pos_ == start)
            fail("expected a name");
        return std::string(s_.substr(start, pos_ - start));
    }

    // Character data with entities decoded; unknown named entities are kept as written.
    std::string decode(std::string_view raw)
    {
        std::string out;
        out.reserve(raw.size());
        for (std::size_t i = 0; i < raw.size(); ++i) {
            const char c = raw[i];
            if (c == '\0')
                fail("NUL character");
            if (c != '&') {
                out += c;
                continue;
            }
            const std::size_t semi = raw.find(';', i);
            if (semi == std::string_view::npos || semi - i > 12) {
                out += c;
                continue;
            }
            const std::string_view entity = raw.substr(i + 1, semi - i - 1);
            // Only a well-formed name is an entity; anything else is plain text whose
            // characters are checked one by one (a NUL must not slip through as "&\0;").
            const bool nameLike = std::all_of(entity.begin(), entity.end(), [](char e) {
                return std::isalnum(static_cast<unsigned char>(e)) || e == '#' || e == '_'
                    || e == '-' || e == '.';
            });
            if (!nameLike) {
                out += c;
                continue;
            }
            if (entity == "amp") {
                out += '&';
            } else if (entity == "lt") {
                out += '<';
            } else if (entity == "gt") {
                out += '>';
            } else if (entity == "quot") {
                out += '"';
            } else if (entity == "apos") {
                out += '\'';
            } else if (!entity.empty() && entity[0] == '#') {
                const bool hex = entity.size() > 1 && (entity[1] == 'x' || entity[1] == 'X');
                const std::string_view digits = entity.substr(hex ? 2 : 1);
                if (digits.empty())
                    fail("empty character reference");
                std::uint32_t code = 0;
                for (const char d : digits) {
                    int v = -1;
                    if (d >= '0' && d <= '9')
                        v = d - '0';
                    else if (hex && d >= 'a' && d <= 'f')
                        v = d - 'a' + 10;
                    else if (hex && d >= 'A' && d <= 'F')
                        v = d - 'A' + 10;
                    if (v < 0)
                        fail("bad character reference &" + std::string(entity) + ";");
                    code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
                    if (code > 0x10FFFF)
                        fail("character reference out of range");
                }
                if (code == 0)
                    fail("character reference to NUL");
                appendUtf8(out, code);
            } else {
                out.append(raw.substr(i, semi - i + 1));
            }
            i = semi;
        }
        return out;
    }

    void parseElement(int depth)
    {
        if (depth > kMaxDepth)
            fail("elements nested too deeply");
        ++pos_; // '<'
        const std::string name = parseName();
        attributes_.clear();
        for (;;) {
            skipBlanks();
            if (pos_ >= s_.size())
                fail("unterminated <" + name + "> tag");
            if (startsWith("/>")) {
                pos_ += 2;
                builder_.start(name, attributes_);
                builder_.end();
                return;
            }
            if (s_[pos_] == '>') {
                ++pos_;
                break;
            }
            std::string key = parseName();
            skipBlanks();
            if (pos_ >= s_.size() || s_[pos_] != '=')
                fail("attribute " + key + " has no value");
            ++pos_;
            skipBlanks();
            if (pos_ >= s_.size() || (s_[pos_] != '"' && s_[pos_] != '\''))
                fail("attribute " + key + " value is not quoted");
            const char quote = s_[pos_++];
            const std::size_t end = s_.find(quote, pos_);
            if (end == std::string_view::npos)
                fail("unterminated attribute " + key);
            attributes_.emplace_back(std::move(key), decode(s_.substr(pos_, end - pos_)));
            pos_ = end + 1;
        }
        builder_.start(name, attributes_);
        for (;;) {
            if (pos_ >= s_.size())
                fail("element <" + name + "> is not closed");
            if (startsWith("</")) {
                pos_ += 2;
                const std::string closing = parseName();
                if (closing != name)
                    fail("</" + closing + "> closes <" + name + ">");
                skipBlanks();
                if (pos_ >= s_.size() || s_[pos_] != '>')
                    fail("unterminated </" + closing + "> tag");
                ++pos_;
                builder_.end();
                return;
            }
            if (startsWith("<!--")) {
                skipPast("-->", "comment");
            } else if (startsWith("<![CDATA[")) {
                pos_ += 9;
                const std::size_t end = s_.find("]]>", pos_);
                if (end == std::string_view::npos)
                    fail("unterminated CDATA section");
                builder_.text(s_.substr(pos_, end - pos_));
                pos_ = end + 3;
            } else if (startsWith("<?")) {
                skipPast("?>", "processing instruction");
            } else if (s_[pos_] == '<') {
                parseElement(depth + 1);
            } else {
                const std::size_t end = std::min(s_.find('<', pos_), s_.size());
                builder_.text(decode(s_.substr(pos_, end - pos_)));
                pos_ = end;
            }
        }
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    PuzzleBuilder& builder_;
    Attributes attributes_;
};

} // namespace

bool looksLikeXml(std::string_view text)
{
    text = trimWhiteSpace(withoutByteOrderMark(text));
    return text.substr(0, 5) == "<?xml" || text.substr(0, 10) == "<puzzleset" || text.substr(0, 9) == "<!DOCTYPE";
}

Puzzle parseWebpbnXml(std::string_view text)
{
    PuzzleBuilder builder;
    XmlParser(text, builder).parseDocument();
    return builder.finish();
}

namespace {

std::string escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void appendClues(std::string& out, const char* kind, const std::vector<std::vector<int>>& lines)
{
    out += "<clues type=\"";
    out += kind;
    out += "\">\n";
    for (const auto& runs : lines) {
        out += "<line>";
        for (const int r : runs)
            if (r > 0)
                out += "<count>" + std::to_string(r) + "</count>";
        out += "</line>\n";
    }
    out += "</clues>\n";
}

} // namespace

std::string webpbnXmlText(const Puzzle& puzzle)
{
    std::string out = "<?xml version=\"1.0\"?>\n<puzzleset>\n<puzzle type=\"grid\" defaultcolor=\"black\">\n";
    if (!puzzle.catalogue.empty())
        out += "<source>" + escaped(puzzle.catalogue) + "</source>\n";
    if (!puzzle.title.empty())
        out += "<title>" + escaped(puzzle.title) + "</title>\n";
    if (!puzzle.author.empty())
        out += "<author>" + escaped(puzzle.author) + "</author>\n";
    if (!puzzle.copyright.empty())
        out += "<copyright>" + escaped(puzzle.copyright) + "</copyright>\n";
    out += "<color name=\"white\" char=\".\">fff</color>\n<color name=\"black\" char=\"X\">000</color>\n";
    appendClues(out, "columns", puzzle.columns);
    appendClues(out, "rows", puzzle.rows);
    const solver::CellGrid goal = solver::CellGrid::fromGoal(puzzle);
    if (!goal.cells.empty()) {
        out += "<solution type=\"goal\">\n<image>\n";
        for (int y = 0; y < goal.height; ++y) {
            out += '|';
            for (int x = 0; x < goal.width; ++x)
                out += goal.at(x, y) == solver::Cell::Filled ? 'X' : '.';
            out += "|\n";
        }
        out += "</image>\n</solution>\n";
    }
    out += "</puzzle>\n</puzzleset>\n";
    return out;
}

} // namespace zumeli
