// The progress file: reading it (a broken one set aside), the records, writing it whole.
#include "files/progress_store.h"

#include "files/file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>

namespace zumeli {

namespace {

const QString kFormat = QStringLiteral("zumeli-progress");
constexpr int kVersion = 1;
// Far more than the progress of every puzzle a person plays; a larger file is no progress file.
constexpr std::size_t kMaxProgressBytes = 64 * 1024 * 1024;

// The puzzles of a progress file's text; nothing when the text is not a progress file.
std::optional<QJsonObject> puzzlesOf(const QByteArray& text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat
        || root.value(QStringLiteral("version")).toInt() != kVersion
        || !root.value(QStringLiteral("puzzles")).isObject())
        return std::nullopt;
    return root.value(QStringLiteral("puzzles")).toObject();
}

} // namespace

QString progressFilePath(const QString& folder) { return QDir(folder).filePath(QStringLiteral("progress.json")); }

ProgressStore::ProgressStore(QString path) : path_(std::move(path)) { load(); }

void ProgressStore::load()
{
    // Another window may have recorded since: its records are kept, not overwritten.
    if (!QFileInfo::exists(path_))
        return;
    std::optional<QJsonObject> puzzles;
    try {
        const std::string text = readWholeFile(path_, kMaxProgressBytes);
        puzzles = puzzlesOf(QByteArray::fromStdString(text));
    } catch (const FileAccessError&) {
        // Unreadable or too large: set aside like a broken one.
    }
    if (puzzles) {
        puzzles_ = *puzzles;
        return;
    }
    // Kept beside under a name of its own rather than overwritten at the next record, so a
    // file of another program or version is never lost.
    const QString aside =
        path_ + QStringLiteral(".broken-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    if (QFile::rename(path_, aside))
        setAsidePath_ = aside;
}

PuzzleProgress ProgressStore::progressOf(const QString& key) const
{
    const QJsonObject entry = puzzles_.value(key).toObject();
    PuzzleProgress progress;
    progress.solved = entry.value(QStringLiteral("solved")).toBool();
    const QJsonValue best = entry.value(QStringLiteral("bestMilliseconds"));
    if (best.isDouble() && best.toDouble() >= 0)
        progress.bestMilliseconds = static_cast<qint64>(best.toDouble());
    progress.lastPlayed = QDateTime::fromString(entry.value(QStringLiteral("lastPlayed")).toString(), Qt::ISODateWithMs);
    return progress;
}

void ProgressStore::recordPlayed(const QString& key, const QDateTime& when)
{
    load();
    QJsonObject entry = puzzles_.value(key).toObject();
    entry.insert(QStringLiteral("solved"), entry.value(QStringLiteral("solved")).toBool());
    entry.insert(QStringLiteral("lastPlayed"), when.toUTC().toString(Qt::ISODateWithMs));
    puzzles_.insert(key, entry);
    write();
}

void ProgressStore::recordSolved(const QString& key, qint64 milliseconds, const QDateTime& when)
{
    load();
    const PuzzleProgress before = progressOf(key);
    QJsonObject entry = puzzles_.value(key).toObject();
    entry.insert(QStringLiteral("solved"), true);
    const qint64 best = before.bestMilliseconds ? std::min(*before.bestMilliseconds, milliseconds) : milliseconds;
    entry.insert(QStringLiteral("bestMilliseconds"), static_cast<double>(best));
    entry.insert(QStringLiteral("lastPlayed"), when.toUTC().toString(Qt::ISODateWithMs));
    puzzles_.insert(key, entry);
    write();
}

void ProgressStore::write()
{
    QJsonObject root;
    root.insert(QStringLiteral("format"), kFormat);
    root.insert(QStringLiteral("version"), kVersion);
    root.insert(QStringLiteral("puzzles"), puzzles_);
    QDir().mkpath(QFileInfo(path_).absolutePath());
    try {
        writeFileAtomically(path_, QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString());
    } catch (const FileAccessError&) {
        // Progress is a comfort, not the player's work: a full disk never interrupts play. The
        // next record tries again with everything.
    }
}

} // namespace zumeli
