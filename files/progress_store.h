// The player's progress on every puzzle played: solved or not, the best time and when it was
// last played, kept in one JSON file (progress.json) in the data folder.
#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace zumeli {

struct PuzzleProgress {
    bool solved = false;
    std::optional<qint64> bestMilliseconds;  // the shortest time of a solve, once solved
    QDateTime lastPlayed;                     // invalid when never played
};

// The progress file's path in `folder` (keepFolder() for the program).
QString progressFilePath(const QString& folder);

// The progress of every puzzle, keyed by puzzleKey (formats/puzzle_key.h). The file is read
// at construction and again before every record (so the records of other windows are kept),
// and written whole after every record (all or nothing, the folder made when missing), so a
// record is on the disk when the call returns. The file is
//   {"format": "zumeli-progress", "version": 1,
//    "puzzles": {"<key>": {"solved": true, "bestMilliseconds": 205000,
//                          "lastPlayed": "2026-12-08T14:52:54.000Z"}, ...}}
// A file that is no such file (broken, foreign, of a later version) is set aside as
// progress.json.broken-<yyyyMMdd-hhmmss> and the store goes on with what it holds (empty at
// the start); nothing is asked. A record that cannot be written leaves the file as it was and
// is written with the next one.
class ProgressStore {
public:
    explicit ProgressStore(QString path);

    PuzzleProgress progressOf(const QString& key) const;
    void recordPlayed(const QString& key, const QDateTime& when);
    // A solve in `milliseconds`: solved, the best time the shorter one, played at `when`.
    void recordSolved(const QString& key, qint64 milliseconds, const QDateTime& when);

    const QString& path() const { return path_; }
    // Where a file that could not be read was set aside at construction (empty when none was).
    const QString& setAsidePath() const { return setAsidePath_; }

private:
    void load();
    void write();

    QString path_;
    QString setAsidePath_;
    QJsonObject puzzles_;
};

} // namespace zumeli
