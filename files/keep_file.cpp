// The keep file through QStandardPaths, QDir and the all-or-nothing file writing.
#include "files/keep_file.h"

#include "files/file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace zumeli {

QString keepFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("kept-board.txt"));
}

void writeKeepFile(const QString& path, const KeptBoard& kept)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw FileAccessError("the folder of the keep file cannot be created");
    writeFileAtomically(path, keptBoardText(kept));
}

std::optional<KeptBoard> readKeepFile(const QString& path)
{
    try {
        return parseKeptBoard(readWholeFile(path, kMaxTextFileBytes));
    } catch (const FileAccessError&) {
    } catch (const FileFormatError&) {
    }
    removeKeepFile(path);  // a foreign or broken file would be refused at every start
    return std::nullopt;
}

void removeKeepFile(const QString& path)
{
    // Removing a file that is not there, or a folder, fails and changes nothing.
    QFile::remove(path);
}

} // namespace zumeli
