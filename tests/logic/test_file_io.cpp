// Whole-file reading with its size cap and all-or-nothing writing.
#include "files/file_io.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

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
};

QTEST_GUILESS_MAIN(FileIoTest)
#include "test_file_io.moc"
