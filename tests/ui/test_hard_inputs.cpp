// The faults a user meets: a full or read-only disk on every save, a file that vanishes
// between the dialog and the read, a folder chosen as a file, files of a million lines, and
// boards that overflow the 16-bit layout on every command that lays the board out again.
#include "board/layout.h"
#include "formats/answer_state_file.h"
#include "formats/puzzle_file.h"
#include "main_window/Form1.h"
#include "support/ascii_board.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"
#include "support/window_snapshot.h"
#include "widgets/spin_buttons.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>

#ifdef __linux__
#include <cerrno>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

using namespace zumeli;
using zumeli::test::Snapshot;

namespace {

const QString kFailed = QStringLiteral("失敗しました");

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Every name in a folder, hidden ones too: a temporary file left behind shows here.
QStringList namesIn(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

// The largest board, every clue cell a two-digit number, a mix of cells in the answer area:
// the largest puzzle, answer state and bitmap a user can save.
BoardModel largestBoard()
{
    BoardModel model;
    model.clueSize = kMaxClueSize;
    model.gridWidth = kMaxClueSize + kMaxAnswerSide;
    model.gridHeight = kMaxClueSize + kMaxAnswerSide;
    for (int x = 0; x < model.gridWidth; ++x)
        for (int y = 0; y < model.gridHeight; ++y) {
            if (x >= model.clueSize && y >= model.clueSize)
                model.board(x, y) = static_cast<int16>((x * y) % 3);
            else if (x >= model.clueSize || y >= model.clueSize)
                model.board(x, y) = static_cast<int16>(10 + (x + 2 * y) % 90);
        }
    return model;
}

BoardModel smallBoard()
{
    BoardModel model = test::boardWithAnswer(2, {
        ".#.",
        "...",
    });
    test::setColumnClues(model, 2, {3});
    test::setRowClues(model, 3, {1});
    return model;
}

// A window showing `board` at `zoom`.
struct Session : test::MainWindow {
    explicit Session(const BoardModel& board, const char* zoom = "100")
    {
        model = board;
        ui.Text1->setText(QString::fromUtf8(zoom));
        form.redrawOrResetZoom(Form1::Redraw::Full);
    }
};

// The layout values agree with the board and the zoom box, and the picture has their size.
void verifyLaidOut(Form1& form, int zoom)
{
    QCOMPARE(form.parts().Text1->text(), QString::number(zoom));
    QCOMPARE(int(form.parts().layout.cellSize), 2 * zoom);
    QCOMPARE(int(form.parts().layout.boardWidthTw), form.parts().layout.cellSize * form.document().model().gridWidth);
    QCOMPARE(int(form.parts().layout.boardHeightTw), form.parts().layout.cellSize * form.document().model().gridHeight);
    QCOMPARE(form.parts().picture.image().size(),
             QSize(twipsToPixels(form.parts().layout.boardWidthTw), twipsToPixels(form.parts().layout.boardHeightTw)));
}

// A scripted desktop whose open dialog hands back a file that is gone by the time it is read,
// as when another program deletes it while the dialog closes.
class VanishingFileDesktop : public test::ScriptedDesktop {
public:
    std::optional<QString> chooseOpenFile(const QString& filter, const QString& suggested) override
    {
        auto chosen = ScriptedDesktop::chooseOpenFile(filter, suggested);
        if (chosen)
            QFile::remove(*chosen);
        return chosen;
    }
};

// A small file system of its own for one test, mounted in a mount namespace private to this
// process so that nothing outlives the test. Needs the right to mount (root in a container).
class ScratchFileSystem {
public:
    // Whether this process may mount; decided once.
    static QString unavailableReason()
    {
#ifdef __linux__
        static const QString reason = [] {
            if (unshare(CLONE_NEWNS) != 0)
                return QStringLiteral("cannot get a private mount namespace (needs root)");
            if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                return QStringLiteral("cannot make the mounts private");
            return QString();
        }();
        return reason;
#else
        return QStringLiteral("mounting a scratch file system is done on Linux only");
#endif
    }

    ScratchFileSystem()
    {
#ifdef __linux__
        mounted_ = unavailableReason().isEmpty() && dir_.isValid()
                && mount("zumeli-test", dir_.path().toLocal8Bit().constData(), "tmpfs", 0, "size=8m") == 0;
#endif
    }
    ~ScratchFileSystem()
    {
#ifdef __linux__
        if (mounted_)
            umount2(dir_.path().toLocal8Bit().constData(), MNT_DETACH);
#endif
    }
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QString folder() const { return dir_.path(); }

    // Writes a filler file until not one more byte fits, then frees `room` bytes again (in
    // whole pages of the file system).
    bool fill(qint64 room = 0)
    {
#ifdef __linux__
        const int fd = ::open(path(QStringLiteral("filler")).toLocal8Bit().constData(),
                              O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        const QByteArray block(4096, 'f');
        while (::write(fd, block.constData(), block.size()) > 0) {
        }
        // Then byte by byte into the last partly used page.
        while (::write(fd, "f", 1) == 1) {
        }
        const bool full = errno == ENOSPC;
        const off_t size = ::lseek(fd, 0, SEEK_END);
        const bool freed = room == 0 || ::ftruncate(fd, size - room) == 0;
        ::close(fd);
        return full && freed;
#else
        return false;
#endif
    }
    void empty() { QFile::remove(path(QStringLiteral("filler"))); }

    bool makeReadOnly()
    {
#ifdef __linux__
        return mount("zumeli-test", dir_.path().toLocal8Bit().constData(), "tmpfs",
                     MS_REMOUNT | MS_RDONLY, "size=8m") == 0;
#else
        return false;
#endif
    }
    bool makeWritable()
    {
#ifdef __linux__
        return mount("zumeli-test", dir_.path().toLocal8Bit().constData(), "tmpfs", MS_REMOUNT,
                     "size=8m") == 0;
#else
        return false;
#endif
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

enum class SaveCommand { Puzzle, AnswerState, Bitmap };
// Full: not one byte fits. FillsUp: the disk runs out a few kilobytes before the end of the
// new file. ReadOnly: nothing can be created.
enum class DiskFault { Full, FillsUp, ReadOnly };

void runSave(Form1& form, SaveCommand command)
{
    switch (command) {
    case SaveCommand::Puzzle: form.Command3_Click(); break;
    case SaveCommand::AnswerState: form.Command4_Click(1); break;
    case SaveCommand::Bitmap: form.Command6_Click(); break;
    }
}

} // namespace

Q_DECLARE_METATYPE(SaveCommand)
Q_DECLARE_METATYPE(DiskFault)

class HardInputsTest : public QObject {
    Q_OBJECT

private slots:
    // -----------------------------------------------------------------------------------------
    // Saving onto a disk that cannot take the file

    void saveOnAFullOrReadOnlyDiskKeepsTheOldFileWhole_data()
    {
        QTest::addColumn<SaveCommand>("command");
        QTest::addColumn<QString>("name");
        QTest::addColumn<DiskFault>("fault");
        const std::pair<const char*, DiskFault> faults[] = {
            {"disk full", DiskFault::Full},
            {"disk fills up near the end", DiskFault::FillsUp},
            {"read-only", DiskFault::ReadOnly}};
        for (const auto& [fault, value] : faults) {
            QTest::addRow("puzzle, %s", fault) << SaveCommand::Puzzle << "old.zml" << value;
            QTest::addRow("answer state, %s", fault) << SaveCommand::AnswerState << "old.sts" << value;
            QTest::addRow("bitmap, %s", fault) << SaveCommand::Bitmap << "old.bmp" << value;
        }
    }
    void saveOnAFullOrReadOnlyDiskKeepsTheOldFileWhole()
    {
        QFETCH(SaveCommand, command);
        QFETCH(QString, name);
        QFETCH(DiskFault, fault);
        if (!ScratchFileSystem::unavailableReason().isEmpty())
            QSKIP(qPrintable(ScratchFileSystem::unavailableReason()));
        ScratchFileSystem disk;
        QVERIFY(disk.mounted());
        const QString path = disk.path(name);
        const QByteArray old = "the work of yesterday\r\n";
        QVERIFY(writeBytes(path, old));
        Session session(largestBoard());
        // The size of the new file: a 24-bit bitmap of the picture, or the text.
        const QSize picture = session.ui.picture.image().size();
        const qint64 newSize = command == SaveCommand::Puzzle ? qint64(puzzleText(session.model).size())
                             : command == SaveCommand::AnswerState
                                 ? qint64(answerStateText(session.model).size())
                                 : 54 + qint64((picture.width() * 3 + 3) / 4 * 4) * picture.height();
        switch (fault) {
        case DiskFault::Full: QVERIFY(disk.fill()); break;
        case DiskFault::FillsUp: QVERIFY(disk.fill((newSize - 3000) / 4096 * 4096)); break;
        case DiskFault::ReadOnly: QVERIFY(disk.makeReadOnly()); break;
        }
        const QStringList namesBefore = namesIn(disk.folder());

        session.form.document().setTitleName(QStringLiteral("cat.zml"));
        const BoardModel modelBefore = session.model;
        session.desktop.chosenFiles.push_back(path);
        runSave(session.form, command);  // "Yes" to the overwrite question

        QCOMPARE(session.desktop.lastMessage().text, kFailed);
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(namesIn(disk.folder()), namesBefore);  // no temporary file left behind
        QVERIFY(session.model == modelBefore);
        QCOMPARE(session.form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));

        // Once there is room again, the same save goes through and replaces the file.
        if (fault == DiskFault::ReadOnly)
            QVERIFY(disk.makeWritable());
        else
            disk.empty();
        session.desktop.messages.clear();
        session.desktop.chosenFiles.push_back(path);
        runSave(session.form, command);
        QVERIFY(session.desktop.lastMessage().text != kFailed);
        QVERIFY(fileBytes(path) != old);
        if (command == SaveCommand::Puzzle)
            QCOMPARE(fileBytes(path), QByteArray::fromStdString(puzzleText(modelBefore)));
        if (command == SaveCommand::AnswerState)
            QCOMPARE(fileBytes(path), QByteArray::fromStdString(answerStateText(modelBefore)));
        if (command == SaveCommand::Bitmap)
            QCOMPARE(QImage(path).size(), session.ui.picture.image().size());
    }

    // -----------------------------------------------------------------------------------------
    // Files that are not what the dialog showed

    void fileDeletedAfterTheDialogFailsAndChangesNothing_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("load puzzle") << 1 << "cat.zml" << QByteArray("2,3,2\r\n1\r\n2\r\n0\r\n1\r\n3\r\n");
        QTest::newRow("load answer state") << 4 << "cat.sts" << QByteArray("1,2\r\n0,1\r\n1,1\r\n");
        QByteArray bitmap;
        {
            QImage picture(3, 2, QImage::Format_RGB32);
            picture.fill(Qt::black);
            QBuffer buffer(&bitmap);
            buffer.open(QIODevice::WriteOnly);
            picture.save(&buffer, "BMP");
        }
        QTest::newRow("puzzle from image") << 9 << "cat.bmp" << bitmap;
    }
    void fileDeletedAfterTheDialogFailsAndChangesNothing()
    {
        QFETCH(int, command);
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(writeBytes(path, contents));

        VanishingFileDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        model = smallBoard();
        form.redrawOrResetZoom(Form1::Redraw::Full);
        form.document().setTitleName(QStringLiteral("mine.zml"));
        const Snapshot before(form);
        desktop.chosenFiles.push_back(path);
        switch (command) {
        case 1: form.Command1_Click(); break;
        case 4: form.Command4_Click(0); break;
        case 9: form.Command9_Click(); break;
        }

        QVERIFY(!QFile::exists(path));
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.lastMessage().text, kFailed);
        QVERIFY(model == before.model);
        QCOMPARE(form.parts().picture.image(), before.picture);
        // The image command names the board untitled as soon as a file is chosen.
        QCOMPARE(form.windowTitle(), command == 9 ? QStringLiteral("ズメリロジック！ - 名称未指定")
                                                  : before.title);
    }

    void folderChosenAsTheFileFailsAndStaysAFolder_data()
    {
        // Loading and saving a puzzle onto a folder, and the bitmap export, have tests of their
        // own with their commands.
        QTest::addColumn<int>("command");
        QTest::newRow("load answer state") << 40;
        QTest::newRow("save answer state") << 41;
        QTest::newRow("puzzle from image") << 9;
    }
    void folderChosenAsTheFileFailsAndStaysAFolder()
    {
        QFETCH(int, command);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("folder.sts"));
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(writeBytes(folder + QStringLiteral("/inside.txt"), "keep"));

        Session session(smallBoard());
        const Snapshot before(session.form);
        session.desktop.chosenFiles.push_back(folder);
        switch (command) {
        case 40: session.form.Command4_Click(0); break;
        case 41: session.form.Command4_Click(1); break;
        case 9: session.form.Command9_Click(); break;
        }

        QCOMPARE(session.desktop.lastMessage().text, kFailed);
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(namesIn(folder), QStringList{QStringLiteral("inside.txt")});
        QCOMPARE(namesIn(dir.path()), QStringList{QStringLiteral("folder.sts")});
        QVERIFY(session.model == before.model);
        QCOMPARE(session.ui.picture.image(), before.picture);
    }

    // -----------------------------------------------------------------------------------------
    // Files of a million lines

    void millionLineFilesLoadOrFailWithoutHarm_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("loads");
        const int million = 1000000;
        QTest::newRow("puzzle followed by a million lines")
            << 1 << "long.zml" << QByteArray("1,1,1\r\n1\r\n1\r\n") + QByteArray("1\r\n").repeated(million)
            << true;
        QTest::newRow("a million lines too many for the reader")
            << 1 << "long.zml" << QByteArray("1,1,1\r\n") + QByteArray("12345\r\n").repeated(million)
            << false;
        QTest::newRow("a million empty lines") << 1 << "empty.zml" << QByteArray("\r\n").repeated(million)
                                               << false;
        QTest::newRow("a .non puzzle of a million clue lines")
            << 1 << "long.non" << QByteArray("rows\n") + QByteArray("1\n").repeated(million) << false;
        QTest::newRow("a webpbn XML puzzle of a million lines")
            << 1 << "long.xml" << QByteArray("<puzzleset>\n") + QByteArray("<a/>\n").repeated(million)
                                      + QByteArray("</puzzleset>\n")
            << false;
        QTest::newRow("answer state followed by a million lines")
            << 4 << "long.sts" << QByteArray("1,2\n").repeated(million) << true;
        QTest::newRow("answer state of one line of a million cells")
            << 4 << "wide.sts" << QByteArray("1,").repeated(million) + QByteArray("1\r\n") << false;
    }
    void millionLineFilesLoadOrFailWithoutHarm()
    {
        QFETCH(int, command);
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(bool, loads);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(writeBytes(path, contents));

        Session session(smallBoard());
        const Snapshot before(session.form);
        session.desktop.chosenFiles.push_back(path);
        if (command == 1)
            session.form.Command1_Click();
        else
            session.form.Command4_Click(0);

        if (!loads) {
            QCOMPARE(session.desktop.lastMessage().text, kFailed);
            QVERIFY(before.sameAs(session.form));
            return;
        }
        QVERIFY(session.desktop.messages.empty());
        verifyLaidOut(session.form, 100);
        if (command == 1) {
            QCOMPARE(int(session.model.gridWidth), 2);
            QCOMPARE(int(session.model.board(1, 0)), 1);
        } else {
            // The first W lines, and the first H values of each, are the answer area.
            for (int x = session.model.clueSize; x < session.model.gridWidth; ++x)
                for (int y = session.model.clueSize; y < session.model.gridHeight; ++y)
                    QCOMPARE(int(session.model.board(x, y)), (y - session.model.clueSize) == 1 ? 2 : 1);
        }
    }

    // -----------------------------------------------------------------------------------------
    // Layouts that overflow 16 bits

    void largestBoardLaysOutUpToTheZoomWhoseWindowStillFits()
    {
        // 100 cells of 308 twips, the picture's frame and the tool panel fit 32767 twips;
        // at 155 the cells alone fit (31000) but the window does not.
        Session session(largestBoard());
        session.ui.Text1->setText(QStringLiteral("154"));
        QVERIFY(session.desktop.messages.empty());
        verifyLaidOut(session.form, 154);
        session.ui.Text1->setText(QStringLiteral("155"));
        QCOMPARE(session.desktop.messages.size(), std::size_t(1));
        QCOMPARE(session.desktop.lastMessage().text, kZoomMessage);
        verifyLaidOut(session.form, 100);
        // The spin buttons go the same way.
        session.desktop.messages.clear();
        session.ui.Text1->setText(QStringLiteral("150"));
        session.ui.UpDown1->stepUp();
        QCOMPARE(session.desktop.lastMessage().text, kZoomMessage);
        verifyLaidOut(session.form, 100);
    }

    void undoAndRedoToABoardTooLargeForTheZoomShowItAt100()
    {
        Session session(largestBoard());
        session.form.document().runAsStep(QStringLiteral("新規作成"), [&] {
            session.model = smallBoard();
            session.form.redrawOrResetZoom(Form1::Redraw::Full);
        });
        session.ui.Text1->setText(QStringLiteral("300"));
        verifyLaidOut(session.form, 300);
        QVERIFY(session.desktop.messages.empty());

        session.form.document().undoStack()->undo();
        QCOMPARE(session.desktop.lastMessage().text, kZoomMessage);
        QVERIFY(session.model == largestBoard());
        verifyLaidOut(session.form, 100);

        session.form.document().undoStack()->redo();
        session.ui.Text1->setText(QStringLiteral("300"));
        session.desktop.messages.clear();
        session.form.document().undoStack()->undo();
        QCOMPARE(session.desktop.messages.size(), std::size_t(1));
        verifyLaidOut(session.form, 100);
    }

    void everyRedrawAfterAnOverflowKeepsTheLayoutItShows()
    {
        // After the fall-back to 100 the tools, Make, the answer state and the export all work
        // on the layout the window shows.
        Session session(smallBoard(), "500");
        verifyLaidOut(session.form, 500);
        QTemporaryDir dir;
        const QString wide = dir.filePath(QStringLiteral("wide.zml"));
        QVERIFY(writeBytes(wide, QByteArray::fromStdString(puzzleText(largestBoard()))));
        session.desktop.chosenFiles.push_back(wide);
        session.form.Command1_Click();
        QCOMPARE(session.desktop.lastMessage().text, kZoomMessage);
        verifyLaidOut(session.form, 100);

        session.desktop.messages.clear();
        session.form.Picture3_Click(1);
        const int c = session.ui.layout.cellSize;
        session.form.Picture1_MouseDown(1, 0, 20 * c + 1, 20 * c + 1);
        session.form.Picture1_MouseDown(1, 0, 99 * c + 1, 99 * c + 1);
        QCOMPARE(int(session.model.board(99, 99)), int(kFilled));
        session.form.Command8_Click();
        session.desktop.chosenFiles.push_back(dir.filePath(QStringLiteral("wide.sts")));
        session.form.Command4_Click(1);
        session.desktop.chosenFiles.push_back(dir.filePath(QStringLiteral("wide.bmp")));
        session.form.Command6_Click();
        QVERIFY(session.desktop.messages.empty());
        verifyLaidOut(session.form, 100);
        QCOMPARE(QImage(dir.filePath(QStringLiteral("wide.bmp"))).size(), QSize(1333, 1333));
    }
};

QTEST_MAIN(HardInputsTest)
#include "test_hard_inputs.moc"
