// The Load and Save commands of the puzzle and the answer state, through the real handlers
// and real files: round trips, names carried between commands, and no lost work on failure.
#include "main_window/Form1.h"
#include "support/ascii_board.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"
#include "support/window_snapshot.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zumeli;
using zumeli::test::answerPicture;
using zumeli::test::drawAnswer;
using zumeli::test::Snapshot;

namespace {

const QString kFailed = QStringLiteral("失敗しました");

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A 3 x 2 puzzle with a 2-thick band, as a user might type it (LF only).
const QByteArray kCatPuzzle = "2,3,2\n1,1\n2\n0\n1\n3\n";

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> tempDir;  // a fresh folder for every test
    QString folder() const { return tempDir->path(); }
    QString path(const char* name) const { return tempDir->filePath(QString::fromUtf8(name)); }

    // Loads the cat puzzle through the Load command.
    void loadCat(test::ScriptedDesktop& desktop, Form1& form)
    {
        writeFile(path("cat.zml"), kCatPuzzle);
        desktop.chosenFiles.push_back(path("cat.zml"));
        form.Command1_Click();
        QVERIFY(desktop.messages.empty());
    }

private slots:
    void init()
    {
        tempDir = std::make_unique<QTemporaryDir>();
        QVERIFY(tempDir->isValid());
    }

    void loadedPuzzleReplacesBoardAndTitleAndSavesBackAsCrLf()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        model.board(7, 7) = kFilled;  // drawing of the previous puzzle
        ui.rectStartX = 6;          // a pending rectangle corner
        loadCat(desktop, form);

        QCOMPARE(model.clueSize, int16(2));
        QCOMPARE(model.gridWidth, int16(5));
        QCOMPARE(model.gridHeight, int16(4));
        QCOMPARE(test::columnClueCells(model, 2), (std::vector<int>{1, 1}));
        QCOMPARE(test::rowClueCells(model, 3), (std::vector<int>{0, 3}));
        QCOMPARE(model.board(7, 7), int16(0));
        QCOMPARE(ui.rectStartX, int16(-1));
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));
        QCOMPARE(ui.picture.image().size(), QSize(5 * 200 / 15, 4 * 200 / 15));

        desktop.chosenFiles.push_back(path("copy.zml"));
        form.Command3_Click();
        QVERIFY(desktop.messages.empty());
        QCOMPARE(readFile(path("copy.zml")), QByteArray(kCatPuzzle).replace("\n", "\r\n"));
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - copy.zml"));
    }

    void dialogsSuggestTheLastFileUnderTheirOwnExtension()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        loadCat(desktop, form);
        desktop.chosenFiles.push_back(path("cat.sts"));
        form.Command4_Click(1);
        form.Command3_Click();  // cancelled
        QCOMPARE(desktop.fileDialogs.size(), std::size_t(3));
        QCOMPARE(desktop.fileDialogs[1].suggestedPath, path("cat.sts"));
        QCOMPARE(desktop.fileDialogs[2].suggestedPath, path("cat.zml"));
        QVERIFY(desktop.messages.empty());
    }

    void failedLoadLeavesBoardTitlePictureAndZoomAsTheyWere_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("last row line missing") << QByteArray("2,3,2\n1\n1\n1\n1\n");
        QTest::newRow("header too large for the board") << QByteArray("5,96,1\n");
        QTest::newRow("zero clue size") << QByteArray("0,3,3\n\n\n\n\n\n\n");
        QTest::newRow("too many clue numbers") << QByteArray("1,1,1\n1,1\n1\n");
        QTest::newRow("clue beyond 16 bits") << QByteArray("1,1,1\n99999\n1\n");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("empty") << QByteArray();
    }
    void failedLoadLeavesBoardTitlePictureAndZoomAsTheyWere()
    {
        QFETCH(QByteArray, contents);
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        loadCat(desktop, form);
        drawAnswer(model, {"#x.", ".##"});
        form.redrawOrResetZoom(Form1::Redraw::Full);
        ui.rectStartX = 3;
        const Snapshot before(form);

        writeFile(path("broken.zml"), contents);
        desktop.chosenFiles.push_back(path("broken.zml"));
        form.Command1_Click();
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].text, kFailed);
        QVERIFY(before.sameAs(form));
    }

    void loadOfAMissingFileOrAFolderFails()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        loadCat(desktop, form);
        const Snapshot before(form);
        for (const QString& chosen : {path("nothing-here.zml"), folder()}) {
            desktop.messages.clear();
            desktop.chosenFiles.push_back(chosen);
            form.Command1_Click();
            QCOMPARE(desktop.lastMessage().text, kFailed);
            QVERIFY(before.sameAs(form));
        }
    }

    void failedSaveLeavesTheOldFileAndTheTitle()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        loadCat(desktop, form);
        const QString title = form.windowTitle();
        QDir(folder()).mkdir(QStringLiteral("folder.zml"));

        const QString targets[] = {
            path("no-such-folder/new.zml"),  // the folder does not exist
            path("folder.zml"),              // a folder chosen as the file
            path("cat.zml/inside.zml"),      // a file used as a folder
        };
        for (const QString& target : targets) {
            desktop.messages.clear();
            desktop.chosenFiles.push_back(target);
            form.Command3_Click();
            QCOMPARE(desktop.lastMessage().text, kFailed);
            QCOMPARE(form.windowTitle(), title);
        }
        QVERIFY(QFileInfo(path("folder.zml")).isDir());
        QCOMPARE(readFile(path("cat.zml")), kCatPuzzle);

        // A board the file cannot hold is refused before the old file is touched.
        writeFile(path("old.zml"), "old puzzle");
        model.clueSize = 0;
        desktop.messages.clear();
        desktop.chosenFiles.push_back(path("old.zml"));
        form.Command3_Click();
        QCOMPARE(desktop.lastMessage().text, kFailed);
        QCOMPARE(readFile(path("old.zml")), QByteArray("old puzzle"));
        QCOMPARE(form.windowTitle(), title);
        const QStringList left = QDir(folder()).entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(left.size() == 2, qPrintable(left.join(u' ')));  // no temporary file left
    }

    void noToOverwriteWritesNothing()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        loadCat(desktop, form);
        writeFile(path("keep.zml"), "keep me");
        writeFile(path("keep.sts"), "keep me too");
        const Snapshot before(form);

        desktop.chosenFiles.push_back(path("keep.zml"));
        desktop.answers.push_back(MessageAnswer::No);
        form.Command3_Click();
        desktop.chosenFiles.push_back(path("keep.sts"));
        desktop.answers.push_back(MessageAnswer::No);
        form.Command4_Click(1);

        QCOMPARE(desktop.messages.size(), std::size_t(2));
        QCOMPARE(desktop.messages[1].caption, QStringLiteral("上書き確認"));
        QCOMPARE(readFile(path("keep.zml")), QByteArray("keep me"));
        QCOMPARE(readFile(path("keep.sts")), QByteArray("keep me too"));
        QVERIFY(before.sameAs(form));

        // Yes replaces the file and names it in the title.
        desktop.chosenFiles.push_back(path("keep.zml"));
        form.Command3_Click();
        QCOMPARE(readFile(path("keep.zml")), QByteArray(kCatPuzzle).replace("\n", "\r\n"));
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - keep.zml"));
    }

    void cancelChangesNothing()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        loadCat(desktop, form);
        drawAnswer(model, {"#..", "x.#"});
        const Snapshot before(form);
        form.Command1_Click();
        form.Command3_Click();
        form.Command4_Click(0);
        form.Command4_Click(1);
        QCOMPARE(desktop.fileDialogs.size(), std::size_t(5));
        QVERIFY(desktop.messages.empty());
        QVERIFY(before.sameAs(form));
    }

    void wideLoadedPuzzleIsShownAtZoom100WithTheZoomMessage()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        ui.Text1->setText(QStringLiteral("200"));
        QCOMPARE(ui.layout.cellSize, int16(400));

        QByteArray wide = "20,80,10\r\n";
        for (int i = 0; i < 90; ++i)
            wide += "1\r\n";
        writeFile(path("wide.zml"), wide);
        desktop.chosenFiles.push_back(path("wide.zml"));
        form.Command1_Click();

        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].text, kZoomMessage);
        QCOMPARE(ui.Text1->text(), QStringLiteral("100"));
        QCOMPARE(ui.layout.cellSize, int16(200));
        QCOMPARE(ui.layout.boardWidthTw, int16(20000));
        QCOMPARE(model.gridWidth, int16(100));
        QCOMPARE(ui.picture.image().width(), 20000 / 15);
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - wide.zml"));
    }

    void answerStateRoundTripRestoresTheDrawing()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        loadCat(desktop, form);
        drawAnswer(model, {"#x.", "x##"});
        form.redrawOrResetZoom(Form1::Redraw::Full);
        const QImage drawn = ui.picture.image();
        const QString title = form.windowTitle();

        desktop.chosenFiles.push_back(path("cat.sts"));
        form.Command4_Click(1);
        QCOMPARE(readFile(path("cat.sts")), QByteArray("1,2\r\n2,1\r\n0,1\r\n"));

        drawAnswer(model, {"...", "..."});
        form.redrawOrResetZoom(Form1::Redraw::Full);
        ui.rectStartX = 2;
        desktop.chosenFiles.push_back(path("cat.sts"));
        form.Command4_Click(0);
        QVERIFY(desktop.messages.empty());
        QCOMPARE(answerPicture(model), (std::vector<std::string>{"#x.", "x##"}));
        QCOMPARE(ui.picture.image(), drawn);
        QCOMPARE(ui.rectStartX, int16(-1));
        QCOMPARE(form.windowTitle(), title);
    }

    void stateThatDoesNotFitLeavesTheAnswerArea()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        loadCat(desktop, form);
        drawAnswer(model, {"#x.", "x##"});
        form.redrawOrResetZoom(Form1::Redraw::Full);
        ui.rectStartX = 2;
        const Snapshot before(form);

        writeFile(path("short.sts"), "1,1\r\n1\r\n1,1\r\n");  // second column too short
        desktop.chosenFiles.push_back(path("short.sts"));
        form.Command4_Click(0);
        QCOMPARE(desktop.lastMessage().text, kFailed);
        QVERIFY(before.sameAs(form));
    }
};

QTEST_MAIN(FileCommandsTest)
#include "test_file_commands.moc"
