// The keep file on disk: where the kept board lives, and writing, reading and removing it.
#pragma once

#include "formats/kept_board.h"

#include <QString>

#include <optional>

namespace zumeli {

// The keep file in the user's data folder for this program (QStandardPaths'
// AppDataLocation, named after the application).
QString keepFilePath();

// Writes the kept board all or nothing, creating the folder first. Throws FileAccessError.
void writeKeepFile(const QString& path, const KeptBoard& kept);

// The board kept at `path`; nothing when there is none. A file that cannot be read as a kept
// board (broken, truncated, of another version, foreign, too large) is removed and counts as
// none.
std::optional<KeptBoard> readKeepFile(const QString& path);

// Removes the keep file; nothing happens when there is none.
void removeKeepFile(const QString& path);

} // namespace zumeli
