// The shared open/save flow: filters, suggested names, cancel, the overwrite question and
// the one failure message.
#include "files/file_flow.h"
#include "support/scripted_desktop.h"

#include <QFile>
#include <QTemporaryDir>
#include <QImageReader>
#include <QTest>

#include <stdexcept>

using namespace zumeli;
using zumeli::test::ScriptedDesktop;

Q_DECLARE_METATYPE(zumeli::FileCommand)

namespace {

const QString kOverwriteCaption = QStringLiteral("上書き確認");

void createFile(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("old");
}

} // namespace

class FileFlowTest : public QObject {
    Q_OBJECT

private slots:
    void suggestedNameRewritesTheWholePathCaseSensitively_data()
    {
        QTest::addColumn<FileCommand>("command");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("suggested");
        using C = FileCommand;
        QTest::newRow("state to puzzle") << C::LoadPuzzle << "/home/u/cat.sts" << "/home/u/cat.zml";
        QTest::newRow("bitmap to puzzle") << C::SavePuzzle << "/home/u/pic.bmp" << "/home/u/pic.zml";
        QTest::newRow("image kept for puzzle") << C::SavePuzzle << "/home/u/pic.jpg" << "/home/u/pic.jpg";
        QTest::newRow("upper case not rewritten") << C::SavePuzzle << "/home/u/CAT.STS" << "/home/u/CAT.STS";
        QTest::newRow("puzzle to state (load)") << C::LoadAnswerState << "/a/cat.zml" << "/a/cat.sts";
        QTest::newRow("puzzle to state (save)") << C::SaveAnswerState << "/a/cat.zml" << "/a/cat.sts";
        QTest::newRow("bitmap to state") << C::SaveAnswerState << "/a/cat.bmp" << "/a/cat.sts";
        QTest::newRow("upper-case puzzle kept for state") << C::LoadAnswerState << "/a/CAT.ZML" << "/a/CAT.ZML";
        QTest::newRow("puzzle to bitmap") << C::ExportBitmap << "/a/cat.zml" << "/a/cat.bmp";
        QTest::newRow("state to bitmap") << C::ExportBitmap << "/a/cat.sts" << "/a/cat.bmp";
        QTest::newRow("folder name rewritten too")
            << C::LoadPuzzle << "/data/old.sts/cat.sts" << "/data/old.zml/cat.zml";
        QTest::newRow("both rules over the path")
            << C::SavePuzzle << "/x.bmp/cat.sts" << "/x.zml/cat.zml";
        QTest::newRow("inside a longer name") << C::LoadPuzzle << "/a/cat.sts.txt" << "/a/cat.zml.txt";
        QTest::newRow("image import starts empty") << C::ImportImage << "/a/cat.zml" << "";
        QTest::newRow("picture import starts empty") << C::ImportPicture << "/a/cat.sts" << "";
        QTest::newRow("nothing chosen yet") << C::SavePuzzle << "" << "";
    }
    void suggestedNameRewritesTheWholePathCaseSensitively()
    {
        QFETCH(FileCommand, command);
        QFETCH(QString, lastName);
        QFETCH(QString, suggested);
        QCOMPARE(suggestedFileName(command, lastName), suggested);

        // The dialog is shown with the rewritten name, and the name stays rewritten after a cancel.
        ScriptedDesktop desktop;
        QString dialogName = lastName;
        runFileFlow(desktop, command, dialogName, [](const QString&) {});
        QCOMPARE(desktop.fileDialogs.size(), std::size_t(1));
        QCOMPARE(desktop.fileDialogs[0].suggestedPath, suggested);
        QCOMPARE(dialogName, suggested);
    }

    void eachCommandShowsItsFilterAndDialogKind_data()
    {
        QTest::addColumn<FileCommand>("command");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("save");
        using C = FileCommand;
        QTest::newRow("save puzzle") << C::SavePuzzle << "ズメリファイル(*.zml)|*.zml" << true;
        QTest::newRow("load puzzle")
            << C::LoadPuzzle << "ズメリファイル(*.zml)|*.zml|すべてのファイル(*.*)|*" << false;
        QTest::newRow("load state") << C::LoadAnswerState << "ズメリ状態ファイル(*.sts)|*.sts" << false;
        QTest::newRow("save state") << C::SaveAnswerState << "ズメリ状態ファイル(*.sts)|*.sts" << true;
        QTest::newRow("bitmap export") << C::ExportBitmap << "ビットマップファイル(*.bmp)|*.bmp" << true;
        QTest::newRow("image import")
            << C::ImportImage
            << "画像ファイル(*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif)|"
               "*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif"
            << false;
    }
    void eachCommandShowsItsFilterAndDialogKind()
    {
        QFETCH(FileCommand, command);
        QFETCH(QString, filter);
        QFETCH(bool, save);
        ScriptedDesktop desktop;
        QString dialogName;
        runFileFlow(desktop, command, dialogName, [](const QString&) {});
        QCOMPARE(desktop.fileDialogs.size(), std::size_t(1));
        QCOMPARE(desktop.fileDialogs[0].filter, filter);
        QCOMPARE(desktop.fileDialogs[0].save, save);
    }

    void pictureImportOffersEveryFormatQtReads()
    {
        const QStringList parts = fileFilter(FileCommand::ImportPicture).split(QLatin1Char('|'));
        QCOMPARE(parts.size(), 4);
        QCOMPARE(parts[0], QStringLiteral("画像ファイル"));
        const QStringList patterns = parts[1].split(QLatin1Char(';'));
        for (const QByteArray& format : QImageReader::supportedImageFormats())
            QVERIFY2(patterns.contains(QStringLiteral("*.") + QString::fromLatin1(format)), format);
        QVERIFY(patterns.contains(QStringLiteral("*.png")));
        QCOMPARE(parts.mid(2), (QStringList{QStringLiteral("すべてのファイル(*.*)"), QStringLiteral("*")}));
    }

    void cancelIsSilentExceptForTheBitmapExport_data()
    {
        QTest::addColumn<FileCommand>("command");
        QTest::addColumn<bool>("reported");
        using C = FileCommand;
        QTest::newRow("save puzzle") << C::SavePuzzle << false;
        QTest::newRow("load puzzle") << C::LoadPuzzle << false;
        QTest::newRow("load state") << C::LoadAnswerState << false;
        QTest::newRow("save state") << C::SaveAnswerState << false;
        QTest::newRow("image import") << C::ImportImage << false;
        QTest::newRow("picture import") << C::ImportPicture << false;
        QTest::newRow("bitmap export") << C::ExportBitmap << true;
    }
    void cancelIsSilentExceptForTheBitmapExport()
    {
        QFETCH(FileCommand, command);
        QFETCH(bool, reported);
        ScriptedDesktop desktop;
        desktop.chosenFiles.push_back(std::nullopt);
        QString dialogName = QStringLiteral("/a/cat.zml");
        bool stepRan = false;
        const FlowResult result =
            runFileFlow(desktop, command, dialogName, [&](const QString&) { stepRan = true; });
        QCOMPARE(result, FlowResult::Cancelled);
        QVERIFY(!stepRan);
        if (reported) {
            QCOMPARE(desktop.messages.size(), std::size_t(1));
            QCOMPARE(desktop.messages[0].text, QStringLiteral("失敗しました"));
            QCOMPARE(desktop.messages[0].caption, QStringLiteral("Zumeli"));
            QCOMPARE(desktop.messages[0].icon, MessageIcon::None);
        } else {
            QVERIFY(desktop.messages.empty());
        }
    }

    void overwriteQuestionNamesTheFullPath()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cat.zml"));
        createFile(path);
        ScriptedDesktop desktop;
        desktop.chosenFiles.push_back(path);
        desktop.answers.push_back(MessageAnswer::Yes);
        QString dialogName;
        QString written;
        const FlowResult result = runFileFlow(desktop, FileCommand::SavePuzzle, dialogName,
                                              [&](const QString& p) { written = p; });
        QCOMPARE(result, FlowResult::Done);
        QCOMPARE(written, path);
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        const auto& question = desktop.messages[0];
        QCOMPARE(question.text, path + QStringLiteral("はすでに存在します。\r\n上書きしますか？"));
        QCOMPARE(question.caption, kOverwriteCaption);
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QCOMPARE(question.icon, MessageIcon::Information);
    }

    void noToTheOverwriteQuestionRunsNothing_data()
    {
        QTest::addColumn<FileCommand>("command");
        QTest::newRow("save puzzle") << FileCommand::SavePuzzle;
        QTest::newRow("save state") << FileCommand::SaveAnswerState;
        QTest::newRow("bitmap export") << FileCommand::ExportBitmap;
    }
    void noToTheOverwriteQuestionRunsNothing()
    {
        QFETCH(FileCommand, command);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cat.any"));
        createFile(path);
        ScriptedDesktop desktop;
        desktop.chosenFiles.push_back(path);
        desktop.answers.push_back(MessageAnswer::No);
        QString dialogName;
        bool stepRan = false;
        const FlowResult result =
            runFileFlow(desktop, command, dialogName, [&](const QString&) { stepRan = true; });
        QCOMPARE(result, FlowResult::Declined);
        QVERIFY(!stepRan);
        QCOMPARE(desktop.messages.size(), std::size_t(1));  // the question only, no failure
        QCOMPARE(desktop.messages[0].caption, kOverwriteCaption);
    }

    void noOverwriteQuestionForNewFilesFoldersOrOpenCommands()
    {
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("cat.zml"));
        createFile(existing);
        const struct {
            FileCommand command;
            QString path;
        } cases[] = {
            {FileCommand::SavePuzzle, dir.filePath(QStringLiteral("new.zml"))},
            {FileCommand::SavePuzzle, dir.path()},  // a folder is no file to overwrite
            {FileCommand::LoadPuzzle, existing},
            {FileCommand::LoadAnswerState, existing},
        };
        for (const auto& c : cases) {
            ScriptedDesktop desktop;
            desktop.chosenFiles.push_back(c.path);
            QString dialogName;
            bool stepRan = false;
            runFileFlow(desktop, c.command, dialogName, [&](const QString&) { stepRan = true; });
            QVERIFY2(stepRan, qPrintable(c.path));
            QVERIFY2(desktop.messages.empty(), qPrintable(c.path));
        }
    }

    void anythingTheStepThrowsIsReportedAsFailure()
    {
        const std::function<void(const QString&)> steps[] = {
            [](const QString&) { throw std::runtime_error("broken file"); },
            [](const QString&) { throw 42; },  // not even a standard exception
        };
        for (const auto& step : steps) {
            ScriptedDesktop desktop;
            desktop.chosenFiles.push_back(QStringLiteral("/nowhere/cat.zml"));
            QString dialogName;
            QCOMPARE(runFileFlow(desktop, FileCommand::LoadPuzzle, dialogName, step),
                     FlowResult::Failed);
            QCOMPARE(desktop.messages.size(), std::size_t(1));
            const auto& failure = desktop.messages[0];
            QCOMPARE(failure.text, QStringLiteral("失敗しました"));
            QCOMPARE(failure.caption, QStringLiteral("Zumeli"));
            QCOMPARE(failure.buttons, MessageButtons::Ok);
            QCOMPARE(failure.icon, MessageIcon::None);
        }
    }

    void chosenNameCarriesToTheNextCommand()
    {
        ScriptedDesktop desktop;
        QString dialogName;
        desktop.chosenFiles.push_back(QStringLiteral("/pz/cat.zml"));
        runFileFlow(desktop, FileCommand::LoadPuzzle, dialogName, [](const QString&) {});
        QCOMPARE(dialogName, QStringLiteral("/pz/cat.zml"));
        desktop.chosenFiles.push_back(std::nullopt);
        runFileFlow(desktop, FileCommand::SaveAnswerState, dialogName, [](const QString&) {});
        desktop.chosenFiles.push_back(std::nullopt);
        runFileFlow(desktop, FileCommand::ExportBitmap, dialogName, [](const QString&) {});
        QCOMPARE(desktop.fileDialogs[1].suggestedPath, QStringLiteral("/pz/cat.sts"));
        QCOMPARE(desktop.fileDialogs[2].suggestedPath, QStringLiteral("/pz/cat.bmp"));
    }

    void fileTitleDropsTheFolder()
    {
        QCOMPARE(fileTitle(QStringLiteral("/home/u/puzzles/cat.zml")), QStringLiteral("cat.zml"));
        QCOMPARE(fileTitle(QStringLiteral("cat.zml")), QStringLiteral("cat.zml"));
    }
};

QTEST_GUILESS_MAIN(FileFlowTest)
#include "test_file_flow.moc"
