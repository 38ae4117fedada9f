// The picture-puzzle collection's index: writing and reading its lines, and the level rule.
#include "formats/collection_index.h"

#include "formats/text_scan.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <tuple>

namespace zumeli {

namespace {

int sizeClass(int longerSide)
{
    if (longerSide <= 10)
        return 0;
    if (longerSide <= 20)
        return 1;
    return longerSide <= 30 ? 2 : 3;
}

std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

[[noreturn]] void refuse(std::size_t lineNumber, const std::string& what)
{
    throw FileFormatError("collection index line " + std::to_string(lineNumber) + ": " + what);
}

int readNumber(std::string_view text, std::size_t lineNumber, const char* what)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        refuse(lineNumber, std::string("bad ") + what + " \"" + std::string(text) + "\"");
    return value;
}

// A plain file name inside the index's folder: no folder part, no way out of it.
bool isPlainFileName(std::string_view name)
{
    return !name.empty() && name.find('/') == std::string_view::npos
        && name.find('\\') == std::string_view::npos && name != "." && name != "..";
}

CollectionEntry parseEntry(std::string_view line, std::size_t lineNumber)
{
    const std::vector<std::string_view> fields = splitTabs(line);
    if (fields.size() != 6)
        refuse(lineNumber, "expected 6 fields separated by tabs, found " + std::to_string(fields.size()));
    CollectionEntry entry;
    entry.file = std::string(fields[0]);
    if (!isPlainFileName(fields[0]))
        refuse(lineNumber, "the file must be a plain name inside the collection's folder");
    entry.level = readNumber(fields[1], lineNumber, "level");
    const std::size_t x = fields[2].find('x');
    if (x == std::string_view::npos)
        refuse(lineNumber, "the size must be WxH");
    entry.width = readNumber(fields[2].substr(0, x), lineNumber, "width");
    entry.height = readNumber(fields[2].substr(x + 1), lineNumber, "height");
    entry.grade = readNumber(fields[3], lineNumber, "grade");
    entry.title = std::string(fields[4]);
    entry.source = std::string(fields[5]);
    const auto sideOk = [](int side) { return side >= kCollectionMinSide && side <= kCollectionMaxSide; };
    if (!sideOk(entry.width) || !sideOk(entry.height))
        refuse(lineNumber, "each side must lie within 5..50");
    if (entry.level < 1 || entry.level > kCollectionLevels)
        refuse(lineNumber, "the level must lie within 1..5");
    if (entry.level != collectionLevel(entry.grade, entry.width, entry.height))
        refuse(lineNumber, "the level does not follow from the grade and the size");
    if (entry.title.empty())
        refuse(lineNumber, "the title is empty");
    return entry;
}

} // namespace

int collectionLevel(int grade, int width, int height)
{
    if (grade == 3)
        return kCollectionLevels;
    if (grade != 1 && grade != 2)
        return 0;
    const int points = sizeClass(std::max(width, height)) + (grade == 2 ? 1 : 0);
    return std::min(points, 3) + 1;
}

std::vector<CollectionGroup> groupCollection(const std::vector<CollectionEntry>& entries,
                                             const std::vector<bool>& shown)
{
    std::vector<CollectionGroup> groups;
    for (std::size_t i = 0; i < entries.size() && i < shown.size(); ++i) {
        if (!shown[i])
            continue;
        const CollectionEntry& e = entries[i];
        auto group = std::find_if(groups.begin(), groups.end(), [&](const CollectionGroup& g) {
            return g.level == e.level && g.width == e.width && g.height == e.height;
        });
        if (group == groups.end())
            group = groups.insert(groups.end(), CollectionGroup{e.level, e.width, e.height, {}});
        group->members.push_back(i);
    }
    std::stable_sort(groups.begin(), groups.end(), [](const CollectionGroup& a, const CollectionGroup& b) {
        const auto key = [](const CollectionGroup& g) { return std::tuple(g.level, g.width * g.height, g.width); };
        return key(a) < key(b);
    });
    return groups;
}

std::string collectionIndexText(const std::vector<CollectionEntry>& entries)
{
    std::string text(kCollectionIndexHeader);
    text += '\n';
    for (const CollectionEntry& e : entries) {
        text += e.file + '\t' + std::to_string(e.level) + '\t' + std::to_string(e.width) + 'x'
            + std::to_string(e.height) + '\t' + std::to_string(e.grade) + '\t' + e.title + '\t'
            + e.source + '\n';
    }
    return text;
}

std::vector<CollectionEntry> parseCollectionIndex(std::string_view text)
{
    if (holdsNul(text) || text.size() > kMaxTextFileBytes)
        throw FileFormatError("the collection index is not a text file");
    const std::vector<std::string_view> lines = textLines(text);
    if (lines.empty() || trimWhiteSpace(lines[0]) != kCollectionIndexHeader)
        throw FileFormatError("the collection index does not start with \"zumeli-collection 1\"");
    std::vector<CollectionEntry> entries;
    std::set<std::string> files;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (trimWhiteSpace(lines[i]).empty() || lines[i].front() == '#')
            continue;
        CollectionEntry entry = parseEntry(lines[i], i + 1);
        if (!files.insert(entry.file).second)
            refuse(i + 1, "the file " + entry.file + " is named twice");
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace zumeli
