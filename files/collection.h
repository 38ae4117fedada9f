// The picture-puzzle collection as installed: finding its folder (installed data folders, or
// the source tree when running uninstalled) and reading its index and puzzles.
#pragma once

#include "formats/collection_index.h"
#include "solve/engine/puzzle.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <vector>

namespace zumeli {

// The index file every collection folder holds.
inline const QString kCollectionIndexName = QStringLiteral("index.txt");

struct CollectionPuzzle {
    CollectionEntry entry;
    solver::Puzzle puzzle;  // the clues of entry.file
    QString path;           // entry.file in its folder
};

// What the player has done with one collection puzzle: whether it was solved, and the best
// time it was solved in.
struct CollectionProgress {
    bool solved = false;
    std::optional<qint64> bestMilliseconds;
};
// The player's progress on the puzzle with these clues.
using CollectionProgressLookup = std::function<CollectionProgress(const solver::Puzzle&)>;
// The lookup of a player who has solved nothing yet.
CollectionProgress nothingSolved(const solver::Puzzle&);

// Two clue lists are the same puzzle when their rows and columns agree (titles and the other
// properties of a file aside).
bool sameClues(const solver::Puzzle& a, const solver::Puzzle& b);

// The folders the collection may be in, searched in this order: beside the program as an
// install lays it out (<prefix>/bin/../share/Zumeli/collection), the application's data
// folders (QStandardPaths::AppDataLocation: ~/.local/share/Zumeli, /usr/local/share/Zumeli,
// /usr/share/Zumeli on Linux), and last the source tree the program was built from, so that
// a build runs with the collection before it is installed.
QStringList collectionFolderCandidates();

// The first of `candidates` that holds an index file; empty when none does.
QString findCollectionFolder(const QStringList& candidates = collectionFolderCandidates());

// Every puzzle of the collection in `folder`, in the index's order. Throws FileFormatError
// for an index or puzzle file that cannot be read as such, or a puzzle whose size is not the
// one the index gives, and FileAccessError for a file that cannot be read.
std::vector<CollectionPuzzle> loadCollection(const QString& folder);

} // namespace zumeli
