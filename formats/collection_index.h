// The picture-puzzle collection's index: one line per puzzle (file, level, size, grade, title,
// source), and the level a puzzle gets from its difficulty grade and size.
#pragma once

#include "formats/format_errors.h"

#include <string>
#include <string_view>
#include <vector>

namespace zumeli {

// The first line of every index file: names the format and its version.
inline constexpr std::string_view kCollectionIndexHeader = "zumeli-collection 1";

// The five levels, easiest first: 入門, 初級, 中級, 上級, 達人.
constexpr int kCollectionLevels = 5;
// The sizes a collection puzzle may have, each side.
constexpr int kCollectionMinSide = 5;
constexpr int kCollectionMaxSide = 50;

struct CollectionEntry {
    std::string file;   // the puzzle file (.zml), relative to the index's folder
    int level = 0;      // 1..kCollectionLevels
    int width = 0;      // the answer area
    int height = 0;
    int grade = 0;      // the difficulty grade of solve/engine/difficulty.h, 1..3
    std::string title;  // UTF-8, shown once the puzzle is solved
    std::string source; // where the picture came from: "package:path"
    bool operator==(const CollectionEntry&) const = default;
};

// The level of a puzzle of difficulty `grade` (1 simple-lines, 2 lines, 3 probing) and
// `width` x `height` cells: probing makes 達人 (5) whatever the size. Below it the level is the
// size class of the longer side (up to 10: 0, up to 20: 1, up to 30: 2, larger: 3), one more
// for full line logic, capped at 3, plus 1: a small picture the simple line rules solve is
// 入門, a large one that needs full line logic 上級. 0 for a grade the collection does not
// take (search, or none).
int collectionLevel(int grade, int width, int height);

// The puzzles of one level and size, as the browser groups them.
struct CollectionGroup {
    int level = 0;
    int width = 0;
    int height = 0;
    std::vector<std::size_t> members;  // indices into the entries, in the index's order
    bool operator==(const CollectionGroup&) const = default;
};

// The entries whose `shown` flag is set, grouped by level (easiest first) and, within a
// level, by size (fewer cells first, then narrower); groups left empty are left out.
// `shown` has one flag per entry.
std::vector<CollectionGroup> groupCollection(const std::vector<CollectionEntry>& entries,
                                             const std::vector<bool>& shown);

// The index text: the header line, then for each entry one line of six fields separated by
// tabs: file, level, WxH, grade, title, source; LF after every line.
std::string collectionIndexText(const std::vector<CollectionEntry>& entries);

// Reads an index text (a byte-order mark, CR LF, blank lines and lines starting with '#' are
// accepted). Throws FileFormatError naming the line for a missing header, a wrong number of
// fields, a file name that leaves the folder, a level, size or grade out of range, a level
// that disagrees with collectionLevel, an empty title or a file named twice.
std::vector<CollectionEntry> parseCollectionIndex(std::string_view text);

} // namespace zumeli
