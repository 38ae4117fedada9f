// Tests of the play clock (pauses, stops, the time shown), the puzzle key and the progress
// file (records kept across runs, the best time, a broken or foreign file set aside).
#include "files/progress_store.h"
#include "formats/board_clues.h"
#include "formats/puzzle_key.h"
#include "solve/play_clock.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace zumeli;

namespace {

solver::Puzzle puzzleOf(const char* picture)
{
    return solver::puzzleFromPicture(solver::CellGrid::fromAscii(picture));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class PlayProgressTest : public QObject {
    Q_OBJECT

private slots:
    void clockCountsOnlyWhileRunning()
    {
        qint64 now = 1000;
        PlayClock clock([&] { return now; });
        QVERIFY(!clock.running());
        clock.start();
        now += 5000;
        QCOMPARE(clock.elapsed(), 5000);
        clock.setPaused(true);  // minimised
        now += 60000;
        QCOMPARE(clock.elapsed(), 5000);
        clock.setPaused(false);
        now += 2000;
        QCOMPARE(clock.elapsed(), 7000);
        clock.stop();
        now += 9000;
        QCOMPARE(clock.elapsed(), 7000);
        clock.setPaused(true);
        clock.setPaused(false);  // the end of a pause starts no stopped clock
        now += 1000;
        QCOMPARE(clock.elapsed(), 7000);
        clock.resume();
        now += 500;
        QCOMPARE(clock.elapsed(), 7500);
        clock.start();
        QCOMPARE(clock.elapsed(), 0);
    }

    void clockStartedWhilePausedWaits()
    {
        qint64 now = 0;
        PlayClock clock([&] { return now; });
        clock.setPaused(true);
        clock.start();
        now += 3000;
        QCOMPARE(clock.elapsed(), 0);
        clock.setPaused(false);
        now += 1000;
        QCOMPARE(clock.elapsed(), 1000);
    }

    void playTimeText_data()
    {
        QTest::addColumn<qint64>("milliseconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << qint64(0) << QStringLiteral("0:00");
        QTest::newRow("seconds rounded down") << qint64(59999) << QStringLiteral("0:59");
        QTest::newRow("minutes") << qint64(205000) << QStringLiteral("3:25");
        QTest::newRow("hours") << qint64(3729000) << QStringLiteral("1:02:09");
    }
    void playTimeText()
    {
        QFETCH(qint64, milliseconds);
        QFETCH(QString, text);
        QCOMPARE(zumeli::playTimeText(milliseconds), text);
    }

    // The key is the clues alone: the same from the board as from the puzzle, whatever the
    // band's thickness, title or goal; other clues or another size give another key.
    void keyIsTheCluesAlone()
    {
        solver::Puzzle puzzle = puzzleOf("##.\n#.#\n");
        QCOMPARE(puzzleKey(puzzle), std::string("3x2:2,1.1/2,1,1"));
        QCOMPARE(puzzleKey(boardFromPuzzle(puzzle, 4)), puzzleKey(puzzle));
        solver::Puzzle titled = puzzle;
        titled.title = "t";
        titled.goal = "110101";
        QCOMPARE(puzzleKey(titled), puzzleKey(puzzle));
        solver::Puzzle zeros = puzzleOf("##.\n...\n");
        QCOMPARE(puzzleKey(zeros), std::string("3x2:2,0/1,1,0"));
        zeros.rows[1] = {0};  // a reader that keeps an empty line's 0
        QCOMPARE(puzzleKey(zeros), std::string("3x2:2,0/1,1,0"));
        QVERIFY(puzzleKey(puzzleOf("#.\n.#\n")) != puzzleKey(puzzleOf("#..\n.#.\n")));
        QVERIFY(puzzleKey(puzzleOf("#.\n.#\n")) != puzzleKey(puzzleOf("#.\n##\n")));
    }

    void progressSurvivesTheNextRunWithTheBestTime()
    {
        QTemporaryDir dir;
        const QString path = progressFilePath(dir.filePath(QStringLiteral("not yet made")));
        const QDateTime played(QDate(2026, 12, 8), QTime(14, 0), QTimeZone::utc());
        {
            ProgressStore store(path);
            store.recordPlayed(QStringLiteral("a"), played);
            store.recordSolved(QStringLiteral("b"), 90000, played);
            store.recordSolved(QStringLiteral("b"), 120000, played.addSecs(60));
            store.recordSolved(QStringLiteral("b"), 80000, played.addSecs(120));
        }
        ProgressStore again(path);
        QVERIFY(again.setAsidePath().isEmpty());
        const PuzzleProgress a = again.progressOf(QStringLiteral("a"));
        QVERIFY(!a.solved);
        QVERIFY(!a.bestMilliseconds);
        QCOMPARE(a.lastPlayed, played);
        const PuzzleProgress b = again.progressOf(QStringLiteral("b"));
        QVERIFY(b.solved);
        QCOMPARE(b.bestMilliseconds, std::optional<qint64>(80000));
        QCOMPARE(b.lastPlayed, played.addSecs(120));
        QVERIFY(!again.progressOf(QStringLiteral("c")).lastPlayed.isValid());
    }

    // Two windows record into one file: neither loses the other's records.
    void recordsOfAnotherWindowAreKept()
    {
        QTemporaryDir dir;
        const QString path = progressFilePath(dir.path());
        ProgressStore first(path);
        ProgressStore second(path);
        first.recordSolved(QStringLiteral("a"), 1000, QDateTime::currentDateTime());
        second.recordSolved(QStringLiteral("b"), 2000, QDateTime::currentDateTime());
        ProgressStore third(path);
        QVERIFY(third.progressOf(QStringLiteral("a")).solved);
        QVERIFY(third.progressOf(QStringLiteral("b")).solved);
    }

    void brokenOrForeignFileIsSetAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not JSON") << QByteArray("{\"format\": \"zumeli-prog");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("another program's") << QByteArray("{\"players\": []}");
        QTest::newRow("a later version") << QByteArray(
            "{\"format\": \"zumeli-progress\", \"version\": 2, \"puzzles\": {}}");
        QTest::newRow("an array") << QByteArray("[1, 2]");
    }
    void brokenOrForeignFileIsSetAside()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = progressFilePath(dir.path());
        writeFile(path, bytes);
        ProgressStore store(path);
        QVERIFY(!store.setAsidePath().isEmpty());
        QVERIFY(store.setAsidePath().startsWith(path + QStringLiteral(".broken-")));
        QFile aside(store.setAsidePath());
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), bytes);
        QVERIFY(!QFile::exists(path));
        store.recordSolved(QStringLiteral("a"), 5, QDateTime::currentDateTime());
        QVERIFY(ProgressStore(path).progressOf(QStringLiteral("a")).solved);
    }
};

QTEST_GUILESS_MAIN(PlayProgressTest)
#include "test_play_progress.moc"
