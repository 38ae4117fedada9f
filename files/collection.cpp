// Finding the installed picture-puzzle collection and reading it.
#include "files/collection.h"

#include "files/file_io.h"
#include "formats/board_clues.h"
#include "formats/puzzle_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zumeli {

CollectionProgress nothingSolved(const solver::Puzzle&) { return {}; }

bool sameClues(const solver::Puzzle& a, const solver::Puzzle& b)
{
    return a.rows == b.rows && a.columns == b.columns;
}

QStringList collectionFolderCandidates()
{
    QStringList folders;
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!programFolder.isEmpty())
        folders << QDir::cleanPath(programFolder + QStringLiteral("/../share/Zumeli/collection"));
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
        folders << QDir::cleanPath(data + QStringLiteral("/collection"));
#ifdef ZUMELI_BUILD_TREE_COLLECTION
    folders << QStringLiteral(ZUMELI_BUILD_TREE_COLLECTION);
#endif
    folders.removeDuplicates();
    return folders;
}

QString findCollectionFolder(const QStringList& candidates)
{
    for (const QString& folder : candidates)
        if (QFileInfo(folder + QLatin1Char('/') + kCollectionIndexName).isFile())
            return folder;
    return {};
}

std::vector<CollectionPuzzle> loadCollection(const QString& folder)
{
    const std::vector<CollectionEntry> entries =
        parseCollectionIndex(readWholeFile(folder + QLatin1Char('/') + kCollectionIndexName, kMaxTextFileBytes));
    std::vector<CollectionPuzzle> puzzles;
    puzzles.reserve(entries.size());
    for (const CollectionEntry& entry : entries) {
        const QString path = folder + QLatin1Char('/') + QString::fromStdString(entry.file);
        const BoardModel board = parsePuzzleText(readWholeFile(path, kMaxTextFileBytes));
        solver::Puzzle puzzle = puzzleFromBoard(board);
        if (puzzle.width() != entry.width || puzzle.height() != entry.height)
            throw FileFormatError(entry.file + ": the puzzle's size is not the one the index gives");
        puzzles.push_back({entry, std::move(puzzle), path});
    }
    return puzzles;
}

} // namespace zumeli
