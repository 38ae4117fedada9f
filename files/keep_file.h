// The keep files on disk: one for each running window, each with a lock that its window holds
// while it runs, so that a start can tell the boards of windows that are gone from the boards
// of windows still open; writing, reading and removing them.
#pragma once

#include "formats/kept_board.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QLockFile;

namespace zumeli {

// The folder of the keep files: the user's data folder for this program (QStandardPaths'
// AppDataLocation, named after the application).
QString keepFolder();

// The one keep file that earlier versions shared between all their windows, in `folder`.
QString legacyKeepFilePath(const QString& folder);

// Every keep file in `folder`: the windows' own and the legacy one.
QStringList keepFilePaths(const QString& folder);

// A window's own keep file, "kept-board-<unique>.txt" in the folder, and its lock
// "kept-board-<unique>.lock", held from construction until destruction: while it is held, no
// other run offers or removes the file.
class OwnKeepFile {
public:
    explicit OwnKeepFile(const QString& folder);
    ~OwnKeepFile();
    OwnKeepFile(const OwnKeepFile&) = delete;
    OwnKeepFile& operator=(const OwnKeepFile&) = delete;

    const QString& path() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

// A board kept by a window that is gone, and the lock this run holds on it while it is
// offered, so that no other start offers it at the same time. The lock goes with it.
struct LeftBoard {
    QString path;
    KeptBoard kept;
    QDateTime keptAt;  // when it was last kept
    std::unique_ptr<QLockFile> lock;

    LeftBoard();
    LeftBoard(LeftBoard&&) noexcept;
    LeftBoard& operator=(LeftBoard&&) noexcept;
    ~LeftBoard();

    // Removes the keep file (the user said No to it, or its board is kept anew elsewhere).
    void discard();
};

// The boards in `folder` whose windows are gone, newest first: each keep file whose lock no
// living run holds (a run killed or crashed leaves a stale lock, which is taken over), and
// the legacy keep file. The board of a window still running is never read nor touched. A
// file of a gone window that is no kept board is removed, and so are stale locks left
// without a keep file.
std::vector<LeftBoard> takeLeftBoards(const QString& folder);

// Writes the kept board all or nothing, creating the folder first. Throws FileAccessError.
void writeKeepFile(const QString& path, const KeptBoard& kept);

// The board kept at `path`; nothing when there is none. A file that cannot be read as a kept
// board (broken, truncated, of another version, foreign, too large) is removed and counts as
// none.
std::optional<KeptBoard> readKeepFile(const QString& path);

// Removes the keep file; nothing happens when there is none.
void removeKeepFile(const QString& path);

} // namespace zumeli
