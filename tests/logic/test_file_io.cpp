// Whole-file reading with its size cap and all-or-nothing writing.
#include "files/file_io.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zumeli;

class FileIoTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheWholeFileUpToTheCap()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.zml"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("1,2\r\n\0x", 7));
        file.close();
        QCOMPARE(readWholeFile(path, 7), std::string("1,2\r\n\0x", 7));
        QVERIFY_THROWS_EXCEPTION(FileAccessError, readWholeFile(path, 6));
    }

    void refusesWhatIsNoOrdinaryFile()
    {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(FileAccessError, readWholeFile(dir.path(), 100));
        QVERIFY_THROWS_EXCEPTION(FileAccessError,
                                 readWholeFile(dir.filePath(QStringLiteral("missing")), 100));
        if (QFileInfo::exists(QStringLiteral("/dev/zero")))  // endless: must not be read
            QVERIFY_THROWS_EXCEPTION(FileAccessError,
                                     readWholeFile(QStringLiteral("/dev/zero"), 100));
    }

    void writeReplacesTheWholeFileAndLeavesNothingElse()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.sts"));
        writeFileAtomically(path, "a much longer first version\r\n");
        writeFileAtomically(path, "1\r\n");
        QCOMPARE(readWholeFile(path, 100), std::string("1\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("a.sts")});
    }

    void writeRefusesFoldersAndMissingFolders()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub.zml")));
        QVERIFY_THROWS_EXCEPTION(FileAccessError,
                                 writeFileAtomically(dir.filePath(QStringLiteral("sub.zml")), "1"));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sub.zml"))).isDir());
        QVERIFY_THROWS_EXCEPTION(
            FileAccessError, writeFileAtomically(dir.filePath(QStringLiteral("no/a.zml")), "1"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    }

    // A replaced file keeps what the user gave it: its permissions, and a link stays a link
    // to the file that now holds the new bytes. Names outside ASCII reach the same file.
    void writeKeepsPermissionsLinksAndNames()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("問題 1.zml"));
        writeFileAtomically(path, "1\r\n");
        QFile file(path);
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        writeFileAtomically(path, "2\r\n");
        QCOMPARE(QFile(path).permissions() & 0x7077,  // owner, group and others
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(readWholeFile(path, 100), std::string("2\r\n"));

        const QString link = dir.filePath(QStringLiteral("link.zml"));
        QVERIFY(QFile::link(path, link));
        writeFileAtomically(link, "3\r\n");
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readWholeFile(path, 100), std::string("3\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
    }

    // The command-line tool reads a pipe; the windows never do, since it could block them.
    void streamsAreReadOnlyWhenAsked()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/null")))
            QSKIP("no /dev/null here");
        QCOMPARE(readWholeFile(std::filesystem::path("/dev/null"), 100, StreamFiles::Read),
                 std::string());
        QVERIFY_THROWS_EXCEPTION(FileAccessError,
                                 readWholeFile(std::filesystem::path("/dev/zero"), 100, StreamFiles::Read));
        QVERIFY_THROWS_EXCEPTION(FileAccessError, readWholeFile(std::filesystem::path("/dev/null"), 100));
    }
};

QTEST_GUILESS_MAIN(FileIoTest)
#include "test_file_io.moc"
