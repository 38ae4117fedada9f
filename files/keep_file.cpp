// The keep files through QStandardPaths, QDir, QLockFile and the all-or-nothing file writing.
#include "files/keep_file.h"

#include "files/file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

namespace zumeli {

namespace {

const QString kKeepPrefix = QStringLiteral("kept-board");
const QString kKeepSuffix = QStringLiteral(".txt");
const QString kLockSuffix = QStringLiteral(".lock");

// The lock of the keep file at `path`: the same name ending in ".lock" instead of ".txt".
std::unique_ptr<QLockFile> lockOf(const QString& keepPath)
{
    auto lock = std::make_unique<QLockFile>(keepPath.chopped(kKeepSuffix.size()) + kLockSuffix);
    // A window holds its lock for as long as it runs: the lock is stale only when the process
    // that took it is gone (QLockFile checks its id and name), never by its age.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

QString keepFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString legacyKeepFilePath(const QString& folder)
{
    return QDir(folder).filePath(kKeepPrefix + kKeepSuffix);
}

QStringList keepFilePaths(const QString& folder)
{
    const QDir dir(folder);
    QStringList paths;
    for (const QString& name :
         dir.entryList({kKeepPrefix + QLatin1Char('*') + kKeepSuffix}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

OwnKeepFile::OwnKeepFile(const QString& folder)
{
    QDir().mkpath(folder);
    // A new name for every window; a name whose lock is taken (it cannot be, but a lock that
    // cannot be taken is no lock) is not used.
    for (int attempt = 0; attempt < 3; ++attempt) {
        path_ = QDir(folder).filePath(kKeepPrefix + QLatin1Char('-') +
                                      QUuid::createUuid().toString(QUuid::Id128) + kKeepSuffix);
        lock_ = lockOf(path_);
        if (lock_->tryLock(0))
            return;
    }
    // Without a lock the window still keeps its board; a start may then offer it while the
    // window runs, which is the old behaviour, never a loss.
    lock_.reset();
}

OwnKeepFile::~OwnKeepFile() = default;

LeftBoard::LeftBoard() = default;
LeftBoard::LeftBoard(LeftBoard&&) noexcept = default;
LeftBoard& LeftBoard::operator=(LeftBoard&&) noexcept = default;
LeftBoard::~LeftBoard() = default;

void LeftBoard::discard() { removeKeepFile(path); }

std::vector<LeftBoard> takeLeftBoards(const QString& folder)
{
    const QDir dir(folder);
    // Every keep file and every lock, each lock with the keep file it would guard.
    const QStringList keepPaths = keepFilePaths(folder);
    QSet<QString> paths(keepPaths.begin(), keepPaths.end());
    for (const QString& name :
         dir.entryList({kKeepPrefix + QLatin1Char('*') + kLockSuffix}, QDir::Files))
        paths.insert(dir.filePath(name.chopped(kLockSuffix.size()) + kKeepSuffix));

    std::vector<LeftBoard> left;
    for (const QString& path : paths) {
        LeftBoard board;
        board.lock = lockOf(path);
        if (!board.lock->tryLock(0))
            continue;  // its window still runs (or another start is offering it now)
        if (!QFile::exists(path))
            continue;  // a stale lock alone: released, and so removed, right here
        std::optional<KeptBoard> kept = readKeepFile(path);
        if (!kept)
            continue;
        board.path = path;
        board.kept = std::move(*kept);
        board.keptAt = QFileInfo(path).lastModified();
        left.push_back(std::move(board));
    }
    std::sort(left.begin(), left.end(), [](const LeftBoard& a, const LeftBoard& b) {
        return a.keptAt != b.keptAt ? a.keptAt > b.keptAt : a.path < b.path;
    });
    return left;
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
