// The webpbn XML format: the first puzzle of the document pugixml parses, and the writer.
#include "formats/webpbn_xml.h"

#include "formats/text_scan.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <vector>

namespace zumeli {

namespace {

using solver::Puzzle;

constexpr int kMaxDepth = 64;                           // element levels below the root
constexpr std::size_t kMaxTextBytes = 4 * 1024 * 1024;  // the text of one element

// Comments, processing instructions, the declaration and the DOCTYPE are kept as nodes only
// to check where they stand; a DOCTYPE is never fetched or expanded. Character references
// are decoded here rather than by pugixml, which keeps a malformed one ("&#6z;") as text and
// cuts a string at "&#0;". Text outside the root element is kept so that it can be refused.
constexpr unsigned kParseOptions = (pugi::parse_default | pugi::parse_fragment | pugi::parse_doctype
                                    | pugi::parse_declaration | pugi::parse_comments | pugi::parse_pi)
    & ~pugi::parse_escapes;

[[noreturn]] void refuse(const std::string& what)
{
    throw PuzzleFormatError("webpbn XML: " + what);
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
        || c == '-' || c == '.' || c == ':' || static_cast<unsigned char>(c) >= 0x80;
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

// Reads the puzzle from a parsed document. Errors name the line of the text they concern.
class PuzzleReader {
public:
    explicit PuzzleReader(std::string_view text) : text_(text) {}

    Puzzle read()
    {
        // pugixml skips a byte-order mark itself; the scanner's is taken off so that offsets
        // and line numbers count from the text that is parsed.
        text_ = withoutByteOrderMark(text_);
        if (const std::size_t nul = text_.find('\0'); nul != std::string_view::npos)
            failAt(static_cast<std::ptrdiff_t>(nul), "NUL character (binary data)");
        const pugi::xml_parse_result result
            = document_.load_buffer(text_.data(), text_.size(), kParseOptions, pugi::encoding_utf8);
        if (!result) {
            // A document that is not a puzzle set is named so even when it is also broken
            // further on: its root element is the first thing a reader sees.
            checkRootName(document_.find_child([](const pugi::xml_node& node) {
                return node.type() == pugi::node_element;
            }));
            failParse(result);
        }
        const pugi::xml_node root = rootElement();
        checkDepth(root);
        checkRootName(root);
        return readPuzzleSet(root);
    }

private:
    [[noreturn]] void failAt(std::ptrdiff_t offset, const std::string& what) const
    {
        const auto end = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(offset, 0, text_.size()));
        const long line = 1 + static_cast<long>(std::count(text_.begin(), text_.begin() + end, '\n'));
        throw PuzzleFormatError("XML line " + std::to_string(line) + ": " + what);
    }

    [[noreturn]] void failAt(const pugi::xml_node& node, const std::string& what) const
    {
        failAt(node.offset_debug(), what);
    }

    [[noreturn]] void failParse(const pugi::xml_parse_result& result) const
    {
        if (result.status == pugi::status_end_element_mismatch) {
            // pugixml points at the last character of a document that ends inside an element,
            // and at the name of a closing tag that does not match.
            const std::string_view rest = text_.substr(std::min<std::size_t>(result.offset, text_.size()));
            if (trimWhiteSpace(rest.substr(std::min<std::size_t>(1, rest.size()))).empty())
                failAt(result.offset, "an element is not closed at the end of the document");
            const auto nameEnd = std::find_if_not(rest.begin(), rest.end(), isNameChar);
            if (nameEnd == rest.begin())
                failAt(result.offset, "a closing tag closes an element of another name");
            failAt(result.offset, "</" + std::string(rest.begin(), nameEnd) + "> closes an element of another name");
        }
        std::string what = result.description();
        std::transform(what.begin(), what.begin() + std::min<std::size_t>(1, what.size()), what.begin(),
                       [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
        failAt(result.offset, what);
    }

    // The one root element; before it only the declaration, a DOCTYPE, comments and processing
    // instructions, after it only comments and processing instructions.
    pugi::xml_node rootElement() const
    {
        pugi::xml_node root;
        for (const pugi::xml_node node : document_.children()) {
            switch (node.type()) {
            case pugi::node_element:
            case pugi::node_doctype:
                if (root)
                    failAt(node, "text after the root element");
                if (node.type() == pugi::node_element)
                    root = node;
                break;
            case pugi::node_pcdata:
            case pugi::node_cdata:
                failAt(node, root ? "text after the root element" : "no root element");
            default:
                break;
            }
        }
        if (!root)
            failAt(static_cast<std::ptrdiff_t>(text_.size()), "no root element");
        return root;
    }

    // Walks the tree without recursion, so that no depth of input can exhaust the stack.
    void checkDepth(const pugi::xml_node& root) const
    {
        pugi::xml_node node = root;
        int depth = 0;
        for (;;) {
            if (const pugi::xml_node child = node.first_child()) {
                node = child;
                if (++depth > kMaxDepth && node.type() == pugi::node_element)
                    failAt(node, "elements nested too deeply");
                continue;
            }
            while (node != root && !node.next_sibling()) {
                node = node.parent();
                --depth;
            }
            if (node == root)
                return;
            node = node.next_sibling();
        }
    }

    // Character data with its references decoded; unknown named entities are kept as written.
    std::string decode(std::string_view raw, const pugi::xml_node& node) const
    {
        std::string out;
        out.reserve(raw.size());
        for (std::size_t i = 0; i < raw.size(); ++i) {
            const char c = raw[i];
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
            const bool nameLike = std::all_of(entity.begin(), entity.end(), [](char e) {
                return std::isalnum(static_cast<unsigned char>(e)) || e == '#' || e == '_' || e == '-'
                    || e == '.';
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
                appendUtf8(out, characterReference(entity, node));
            } else {
                out.append(raw.substr(i, semi - i + 1));
            }
            i = semi;
        }
        return out;
    }

    std::uint32_t characterReference(std::string_view entity, const pugi::xml_node& node) const
    {
        const bool hex = entity.size() > 1 && (entity[1] == 'x' || entity[1] == 'X');
        const std::string_view digits = entity.substr(hex ? 2 : 1);
        if (digits.empty())
            failAt(node, "empty character reference");
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
                failAt(node, "bad character reference &" + std::string(entity) + ";");
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
            if (code > 0x10FFFF)
                failAt(node, "character reference out of range");
        }
        if (code == 0)
            failAt(node, "character reference to NUL");
        return code;
    }

    std::string attribute(const pugi::xml_node& node, const char* name, std::string fallback = {}) const
    {
        const pugi::xml_attribute found = node.attribute(name);
        return found ? decode(found.value(), node) : fallback;
    }

    // The text of an element: its character data decoded and its CDATA sections as written.
    // Nothing for an element holding other elements, whose text the format never uses.
    std::optional<std::string> textOf(const pugi::xml_node& element) const
    {
        std::string text;
        for (const pugi::xml_node child : element.children()) {
            if (child.type() == pugi::node_element)
                return std::nullopt;
            if (child.type() == pugi::node_pcdata)
                text += decode(child.value(), child);
            else if (child.type() == pugi::node_cdata)
                text += child.value();
            if (text.size() > kMaxTextBytes)
                refuse("element text longer than " + std::to_string(kMaxTextBytes) + " bytes");
        }
        return text;
    }

    static int countValue(const std::string& text)
    {
        const std::string t(trimWhiteSpace(text));
        const CountReading count = readCount(t, kMaxPuzzleLines);
        switch (count.fault) {
        case CountReading::None: break;
        case CountReading::Empty: refuse("empty <count>");
        case CountReading::Negative: refuse("negative count " + t);
        case CountReading::NotWhole: refuse("count is not a whole number: \"" + t + "\"");
        case CountReading::TooLarge: refuse("count exceeds " + std::to_string(kMaxPuzzleLines));
        }
        return static_cast<int>(count.value);
    }

    static void checkRootName(const pugi::xml_node& root)
    {
        const std::string_view name = root.name();
        if (root.type() == pugi::node_element && name != "puzzleset" && name != "puzzle")
            refuse("root element is <" + std::string(name) + ">, not <puzzleset>");
    }

    Puzzle readPuzzleSet(const pugi::xml_node& root)
    {
        const pugi::xml_node puzzle = std::string_view(root.name()) == "puzzle" ? root : root.child("puzzle");
        if (!puzzle)
            refuse("no <puzzle> in the <puzzleset>");
        return readPuzzle(puzzle);
    }

    Puzzle readPuzzle(const pugi::xml_node& element)
    {
        const std::string type = attribute(element, "type", "grid");
        if (type != "grid")
            refuse("puzzle type \"" + type + "\" is not a grid");
        black_ = attribute(element, "defaultcolor", "black");
        white_ = attribute(element, "backgroundcolor", "white");

        std::string source;
        std::string id;
        std::string image;
        for (const pugi::xml_node child : element.children()) {
            if (child.type() != pugi::node_element)
                continue;
            const std::string_view name = child.name();
            if (name == "color") {
                readColour(child);
            } else if (name == "clues") {
                readClues(child);
            } else if (name == "title" || name == "author" || name == "copyright" || name == "source"
                       || name == "id") {
                const std::optional<std::string> text = textOf(child);
                if (!text)
                    continue;
                if (name == "title")
                    puzzle_.title = webpbnPropertyText(*text);
                else if (name == "author")
                    puzzle_.author = webpbnPropertyText(*text);
                else if (name == "copyright")
                    puzzle_.copyright = webpbnPropertyText(*text);
                else if (name == "source")
                    source = *text;
                else
                    id = *text;
            } else if (name == "solution" && attribute(child, "type", "goal") == "goal") {
                // The first image of a goal solution; a later goal solution replaces it.
                for (const pugi::xml_node picture : child.children("image"))
                    if (const std::optional<std::string> text = textOf(picture)) {
                        image = *text;
                        break;
                    }
            }
        }

        if (!haveRows_)
            refuse("no <clues type=\"rows\">");
        if (!haveColumns_)
            refuse("no <clues type=\"columns\">");
        if (puzzle_.rows.empty() || puzzle_.columns.empty())
            refuse("puzzle has no rows or no columns");
        // A count longer than its line is read as written: such clues have no solution.
        puzzle_.catalogue = webpbnPropertyText(source + " " + id);
        puzzle_.goal = goalOf(image);
        return std::move(puzzle_);
    }

    void readColour(const pugi::xml_node& element)
    {
        const std::string colour = attribute(element, "name");
        if (colour != black_ && colour != white_)
            refuse("multicolour puzzle (colour \"" + colour + "\"); only black and white puzzles are supported");
        const std::string ch = attribute(element, "char");
        if (colour == white_ && ch.size() == 1)
            background_ = ch[0];
    }

    void readClues(const pugi::xml_node& element)
    {
        const std::string kind = attribute(element, "type");
        std::vector<std::vector<int>>* lines = nullptr;
        if (kind == "rows" && !haveRows_) {
            haveRows_ = true;
            lines = &puzzle_.rows;
        } else if (kind == "columns" && !haveColumns_) {
            haveColumns_ = true;
            lines = &puzzle_.columns;
        } else {
            refuse("unexpected <clues type=\"" + kind + "\">");
        }
        for (const pugi::xml_node line : element.children("line")) {
            std::vector<int>& runs = lines->emplace_back();
            if (lines->size() > static_cast<std::size_t>(kMaxPuzzleLines))
                refuse("more than " + std::to_string(kMaxPuzzleLines) + " lines");
            for (const pugi::xml_node count : line.children("count")) {
                const std::string colour = attribute(count, "color", black_);
                if (colour != black_)
                    refuse("multicolour puzzle (a count in colour \"" + colour
                           + "\"); only black and white puzzles are supported");
                const std::optional<std::string> text = textOf(count);
                if (!text)
                    continue;
                if (const int value = countValue(*text); value > 0) {
                    runs.push_back(value);
                    if (runs.size() > static_cast<std::size_t>(kMaxPuzzleLines))
                        refuse("too many counts in one line");
                }
            }
        }
    }

    // The goal picture: rows between '|' marks, the background character empty and any other
    // filled; nothing when it does not match the size.
    std::string goalOf(const std::string& image) const
    {
        std::string goal;
        bool inRow = false;
        for (const char c : image) {
            if (c == '|')
                inRow = !inRow;
            else if (inRow)
                goal += c == background_ ? '0' : '1';
        }
        if (goal.size() != static_cast<std::size_t>(puzzle_.width()) * static_cast<std::size_t>(puzzle_.height()))
            return {};
        return goal;
    }

    std::string_view text_;
    pugi::xml_document document_;
    Puzzle puzzle_;
    std::string black_ = "black";
    std::string white_ = "white";
    char background_ = '.';
    bool haveRows_ = false;
    bool haveColumns_ = false;
};

// Characters XML 1.0 cannot hold, even as a reference.
bool forbiddenInXml(std::uint32_t code)
{
    return (code < 0x20 && code != '\t' && code != '\n' && code != '\r') || code == 0xFFFE || code == 0xFFFF;
}

std::string escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        // A reader turns a carriage return written as it is into a line feed.
        case '\r': out += "&#13;"; break;
        default: out += c;
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

void appendProperty(std::string& out, const char* element, const std::string& value)
{
    const std::string text = webpbnPropertyText(value);
    if (text.empty())
        return;
    out += std::string("<") + element + ">" + escaped(text) + "</" + element + ">\n";
}

} // namespace

std::string webpbnPropertyText(std::string_view text)
{
    constexpr std::string_view replacement = "\xEF\xBF\xBD"; // U+FFFD
    std::string out;
    out.reserve(std::min(text.size(), kMaxTextBytes));
    while (!text.empty()) {
        std::uint32_t code = 0;
        const std::size_t length = utf8Sequence(text, code);
        if (length == 0 || forbiddenInXml(code))
            out += replacement;
        else
            out.append(text.substr(0, length));
        text.remove_prefix(std::max<std::size_t>(length, 1));
        if (out.size() > kMaxTextBytes + replacement.size())
            break;
    }
    if (out.size() > kMaxTextBytes) {
        std::size_t cut = kMaxTextBytes;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    return std::string(trimWhiteSpace(out));
}

bool looksLikeXml(std::string_view text)
{
    text = trimWhiteSpace(withoutByteOrderMark(text));
    return text.starts_with("<?xml") || text.starts_with("<puzzleset") || text.starts_with("<!DOCTYPE");
}

Puzzle parseWebpbnXml(std::string_view text)
{
    return PuzzleReader(text).read();
}

std::string webpbnXmlText(const Puzzle& puzzle)
{
    std::string out = "<?xml version=\"1.0\"?>\n<puzzleset>\n<puzzle type=\"grid\" defaultcolor=\"black\">\n";
    appendProperty(out, "source", puzzle.catalogue);
    appendProperty(out, "title", puzzle.title);
    appendProperty(out, "author", puzzle.author);
    appendProperty(out, "copyright", puzzle.copyright);
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
