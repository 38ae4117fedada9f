// Undo and redo across every kind of board change, the menu bar, the puzzle check window and
// the widely used puzzle formats through the real Load and export commands.
#include "dialogs/Form2.h"
#include "dialogs/Form3.h"
#include "files/file_io.h"
#include "formats/board_clues.h"
#include "main_window/Form1.h"
#include "dialogs/puzzle_check_window.h"
#include "support/ascii_board.h"
#include "support/image_files.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"
#include "support/window_snapshot.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>

using namespace zumeli;

namespace {

QString sharedPuzzle(const char* name)
{
    return QStringLiteral(ZUMELI_SAMPLE_PUZZLES "/") + QString::fromUtf8(name);
}

QAction* findAction(Form1& form, const QString& text)
{
    for (QAction* action : form.menuBar()->findChildren<QAction*>())
        if (action->text() == text)
            return action;
    return nullptr;
}

// Waits for the check window's verdict and returns its text.
QString checkResult(Form1& form)
{
    form.openCheckWindow();
    if (!QTest::qWaitFor([&] { return !form.parts().checkWindow->isRunning(); }, 20000))
        return QStringLiteral("(still running)");
    return form.parts().checkWindow->resultText();
}

} // namespace

class UndoAndCheckTest : public QObject {
    Q_OBJECT

private slots:
    void everyKindOfStepIsUndoneAndRedone()
    {
        QTemporaryDir dir;
        const QString puzzlePath = dir.filePath(QStringLiteral("cat.zml"));
        const QString statePath = dir.filePath(QStringLiteral("cat.sts"));
        const QString imagePath = dir.filePath(QStringLiteral("dot.bmp"));
        writeFileAtomically(puzzlePath, "1,2,2\r\n1\r\n0\r\n1\r\n0\r\n");
        writeFileAtomically(statePath, "1,2\r\n2,0\r\n");
        QVERIFY(test::pictureFromRows({"...", ".#."})
                    .convertToFormat(QImage::Format_RGB32)
                    .save(imagePath, "BMP"));

        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        std::vector<test::Snapshot> snapshots{test::Snapshot(form)};
        QStringList names;
        // Runs a command as its menu item does, or a press on the board as the board does.
        auto step = [&](const QString& name, const std::function<void()>& action) {
            form.document().runAsStep(name, action);
            snapshots.emplace_back(form);
            names << name;
        };

        step(QStringLiteral("鉛筆"), [&] { form.Picture1_MouseDown(1, 0, 6 * 200 + 10, 6 * 200 + 10); });
        step(QStringLiteral("四角"), [&] {
            form.Picture3_Click(1);
            form.Picture1_MouseDown(1, 0, 7 * 200 + 10, 7 * 200 + 10);
            form.Picture1_MouseDown(1, 0, 9 * 200 + 10, 8 * 200 + 10);
        });
        step(QStringLiteral("解答から問題を作成"), [&] { form.Command8_Click(); });
        desktop.dialogScript = [](QDialog& dialog) {
            auto& newPuzzle = static_cast<Form2&>(dialog);
            newPuzzle.Text2->setText(QStringLiteral("4"));
            newPuzzle.Command1_Click();
            return dialog.result();
        };
        step(QStringLiteral("新規作成"), [&] { form.Command7_Click(); });
        desktop.chosenFiles.push_back(puzzlePath);
        step(QStringLiteral("問題を開く"), [&] { form.Command1_Click(); });
        desktop.chosenFiles.push_back(statePath);
        step(QStringLiteral("解答エリアを開く"), [&] { form.Command4_Click(0); });
        desktop.chosenFiles.push_back(imagePath);
        desktop.dialogScript = [](QDialog& dialog) {
            static_cast<Form3&>(dialog).Command1_Click();
            return dialog.result();
        };
        step(QStringLiteral("画像ファイルから問題を作成"), [&] { form.Command9_Click(); });
        QVERIFY(desktop.messages.empty());
        QCOMPARE(form.document().undoStack()->index(), int(snapshots.size()) - 1);
        QCOMPARE(model.gridWidth, 13);  // the image's 3 columns after a band of 10

        for (std::size_t i = snapshots.size() - 1; i-- > 0;) {
            // The menu item names the step it undoes.
            QCOMPARE(ui.undoAction->text(), QStringLiteral("元に戻す(&U) ") + names[int(i)]);
            ui.undoAction->trigger();
            QVERIFY2(model == snapshots[i].model, qPrintable(QStringLiteral("undo to %1").arg(i)));
            QCOMPARE(form.windowTitle(), snapshots[i].title);
        }
        QVERIFY(!ui.undoAction->isEnabled());
        QCOMPARE(ui.undoAction->text(), QStringLiteral("元に戻す(&U)"));
        for (std::size_t i = 1; i < snapshots.size(); ++i) {
            QCOMPARE(ui.redoAction->text(), QStringLiteral("やり直し(&R) ") + names[int(i) - 1]);
            ui.redoAction->trigger();
            QVERIFY(model == snapshots[i].model);
            QCOMPARE(form.windowTitle(), snapshots[i].title);
        }
        QVERIFY(!ui.redoAction->isEnabled());
        // The picture shows the board the undo stack brought back.
        QCOMPARE(ui.picture.image().size(), QSize(13 * 200 / 15, 12 * 200 / 15));
    }

    void undoBringsBackABoardReplacedByNewAndForgetsTheRectangleCorner()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        test::pressCell(form, 5, 5);
        form.Picture3_Click(1);
        test::pressCell(form, 6, 6);  // a pending corner: no change, so no step
        QCOMPARE(form.document().undoStack()->index(), 1);
        desktop.dialogScript = [](QDialog& dialog) {
            static_cast<Form2&>(dialog).Command1_Click();
            return dialog.result();
        };
        form.document().runAsStep(QStringLiteral("新規作成"), [&] { form.Command7_Click(); });
        QCOMPARE(model.gridWidth, 15);
        form.document().undoStack()->undo();
        QCOMPARE(model.gridWidth, 20);
        QCOMPARE(model.board(5, 5), kFilled);
        QCOMPARE(ui.rectStartX, -1);
    }

    void saveIsNoStepAndCancelledCommandsRecordNothing()
    {
        QTemporaryDir dir;
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        desktop.chosenFiles.push_back(dir.filePath(QStringLiteral("a.zml")));
        QTest::mouseClick(ui.Command3, Qt::LeftButton);
        QTest::mouseClick(ui.Command1, Qt::LeftButton);  // cancelled
        QTest::mouseClick(ui.Command2, Qt::LeftButton);  // the check changes nothing
        QCOMPARE(desktop.fileDialogs.size(), 2u);
        QVERIFY(!form.document().undoStack()->canUndo());
    }

    void menuBarHoldsTheCommandsWithTheirShortcuts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("open") << "問題を開く(&O)..." << QKeySequence(QKeySequence::Open);
        QTest::newRow("save") << "問題を保存(&S)..." << QKeySequence(QKeySequence::Save);
        QTest::newRow("print") << "印刷(&P)" << QKeySequence(QKeySequence::Print);
        QTest::newRow("new") << "新規作成(&N)..." << QKeySequence(QKeySequence::New);
        QTest::newRow("undo") << "元に戻す(&U)" << QKeySequence(Qt::CTRL | Qt::Key_Z);
        QTest::newRow("redo") << "やり直し(&R)" << QKeySequence(Qt::CTRL | Qt::Key_Y);
    }
    void menuBarHoldsTheCommandsWithTheirShortcuts()
    {
        QFETCH(QString, text);
        QFETCH(QKeySequence, shortcut);
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        QAction* action = findAction(form, text);
        QVERIFY(action);
        QCOMPARE(action->shortcut(), shortcut);
    }

    void menuCommandRunsTheSameHandlerAsAStep()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        test::drawAnswer(model, {"##"});
        findAction(form, QStringLiteral("解答から問題を作成(&M)"))->trigger();
        QCOMPARE(model.board(4, 5), 2);
        // The undo item names the step after its prefix.
        QAction* undo = findAction(form, QStringLiteral("元に戻す(&U) 解答から問題を作成"));
        QVERIFY(undo);
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QCOMPARE(model.board(4, 5), 0);

        // The button runs the same menu item: the same step, with the same name.
        QTest::mouseClick(ui.Command8, Qt::LeftButton);
        QCOMPARE(model.board(4, 5), 2);
        QCOMPARE(ui.undoAction->text(), QStringLiteral("元に戻す(&U) 解答から問題を作成"));
        test::pressCell(form, 7, 7);
        QCOMPARE(ui.undoAction->text(), QStringLiteral("元に戻す(&U) 鉛筆"));
    }

    void undoAndRedoKeysWorkInTheWindow()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        test::pressCell(form, 6, 6);
        QCOMPARE(model.board(6, 6), kFilled);
        const std::pair<QKeyCombination, int16> keys[] = {
            {Qt::CTRL | Qt::Key_Z, kEmpty},
            {Qt::CTRL | Qt::Key_Y, kFilled},
            {Qt::CTRL | Qt::Key_Z, kEmpty},
            {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, kFilled},
        };
        for (const auto& [key, cell] : keys) {
            QTest::keyClick(&form, key.key(), key.keyboardModifiers());
            QCOMPARE(model.board(6, 6), cell);
        }
    }

    // Saving the puzzle and the answer state, and loading a puzzle, make the board the saved
    // one; every step away from it, and undoing it, is an unsaved change.
    void unsavedChangesFollowSavesLoadsAndSteps()
    {
        QTemporaryDir dir;
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        QSignalSpy changes(&form.document(), &BoardDocument::unsavedChangesChanged);
        auto unsaved = [&] { return form.document().hasUnsavedChanges(); };
        QVERIFY(!unsaved());

        test::pressCell(form, 6, 6);
        QVERIFY(unsaved());
        desktop.chosenFiles.push_back(dir.filePath(QStringLiteral("a.zml")));
        QTest::mouseClick(ui.Command3, Qt::LeftButton);  // save the puzzle
        QVERIFY(unsaved());  // the fill is in no file yet
        desktop.chosenFiles.push_back(dir.filePath(QStringLiteral("a.sts")));
        QTest::mouseClick(ui.Command4[1], Qt::LeftButton);  // save the answer state
        QVERIFY(!unsaved());
        QCOMPARE(changes.size(), 2);
        QCOMPARE(changes.at(0).at(0).toBool(), true);
        QCOMPARE(changes.at(1).at(0).toBool(), false);

        test::pressCell(form, 7, 7);
        QVERIFY(unsaved());
        ui.undoAction->trigger();  // back at the saved board
        QVERIFY(!unsaved());
        ui.undoAction->trigger();  // before it
        QVERIFY(unsaved());
        ui.redoAction->trigger();
        QVERIFY(!unsaved());

        test::pressCell(form, 8, 8);
        desktop.chosenFiles.push_back(dir.filePath(QStringLiteral("a.sts")));
        QTest::mouseClick(ui.Command4[1], Qt::LeftButton);  // save the answer state
        QVERIFY(!unsaved());

        // Loading the answer state back over a changed board is a step, not a save.
        test::pressCell(form, 9, 9);
        desktop.chosenFiles.push_back(dir.filePath(QStringLiteral("a.sts")));
        QTest::mouseClick(ui.Command4[0], Qt::LeftButton);
        QVERIFY(unsaved());

        // A save that fails, or is cancelled, saves nothing.
        desktop.chosenFiles.push_back(dir.filePath(QStringLiteral("no-such-folder/b.zml")));
        QTest::mouseClick(ui.Command3, Qt::LeftButton);
        QCOMPARE(desktop.lastMessage().text, QStringLiteral("失敗しました"));
        QTest::mouseClick(ui.Command3, Qt::LeftButton);  // cancelled
        QVERIFY(unsaved());

        // A loaded puzzle is the saved board, itself one undoable step.
        desktop.chosenFiles.push_back(dir.filePath(QStringLiteral("a.zml")));
        QTest::mouseClick(ui.Command1, Qt::LeftButton);
        QVERIFY(!unsaved());
        QCOMPARE(ui.undoAction->text(), QStringLiteral("元に戻す(&U) 問題を開く"));
        ui.undoAction->trigger();
        QVERIFY(unsaved());
        ui.redoAction->trigger();
        QVERIFY(!unsaved());
        QCOMPARE(changes.last().at(0).toBool(), false);
    }

    void checkWindowTellsTheVerdict_data()
    {
        QTest::addColumn<int>("clueSize");
        QTest::addColumn<QStringList>("picture");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unique by line logic") << 1 << QStringList{"#.", "##"}
                                              << "解はただ一つです。\n縦と横の数字だけで、順に最後まで解けます。\n"
                                                 "その解は、描かれた絵と一致します。\n"
                                                 "難易度: 1（線の単純な重なりだけで解けます）";
        QTest::newRow("two solutions") << 1 << QStringList{"#.", ".#"}
                                       << "解が2つ以上あります。印のマスが、下の2つの解で異なります。\n"
                                          "描かれた絵はそのうちの1つです。";
    }
    void checkWindowTellsTheVerdict()
    {
        QFETCH(int, clueSize);
        QFETCH(QStringList, picture);
        QFETCH(QString, expected);
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        model = test::boardWithAnswer(clueSize, {"..", ".."});
        std::vector<std::string> rows;
        for (const QString& row : picture)
            rows.push_back(row.toStdString());
        test::drawAnswer(model, {rows[0].c_str(), rows[1].c_str()});
        form.Command8_Click();
        const BoardModel before = model;
        QVERIFY(checkResult(form).startsWith(expected));
        QVERIFY(model == before);  // the check never changes the board
        if (expected.startsWith(QStringLiteral("解が2つ")))
            QCOMPARE(ui.checkWindow->report().grids.size(), 2u);
    }

    void checkWindowFindsContradictionsAndMarksWhatLineLogicLeavesOpen()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        model = test::boardWithAnswer(1, {"..", ".."});
        test::setColumnClues(model, 1, {2});  // a run of 2 in a column, no run in any row
        QVERIFY(checkResult(form).startsWith(QStringLiteral("この問題には解がありません。")));

        desktop.chosenFiles.push_back(sharedPuzzle("dom/5-Dom.non"));
        form.Command1_Click();
        const QString result = checkResult(form);
        QVERIFY2(result.startsWith(QStringLiteral("解はただ一つです。\n縦と横の数字だけでは解き切れません。"
                                                  "印のマスは、仮定を置かないと決まりません。\n"
                                                  "難易度: 4（探索が必要です）")),
                 qPrintable(result));
        const auto& marks = ui.checkWindow->report().marked;
        QCOMPARE(marks.size(), 2u);
        QVERIFY(std::count(marks[1].begin(), marks[1].end(), true) > 0);
    }

    // A clue longer than its line is loaded like any other; the check says the clues have
    // no solution.
    void checkWindowAnswersNoSolutionForARunLongerThanItsLine()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("long.non"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("width 3\nheight 2\nrows\n4\n1\ncolumns\n1\n1\n1\n");
        file.close();
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        desktop.chosenFiles.push_back(path);
        form.Command1_Click();
        QVERIFY(desktop.messages.empty());
        QCOMPARE(model.answerWidth(), 3);
        QCOMPARE(puzzleFromBoard(model).rows[0], std::vector<int>{4});
        const QString result = checkResult(form);
        QVERIFY2(result.startsWith(QStringLiteral("この問題には解がありません。")), qPrintable(result));
    }

    void sharedPuzzleFormatsLoadThroughTheLoadCommand()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        desktop.chosenFiles.push_back(sharedPuzzle("webpbn/webpbn-00016-knot.non"));
        form.Command1_Click();
        QVERIFY(desktop.messages.empty());
        QCOMPARE(model.answerWidth(), 34);
        QCOMPARE(model.answerHeight(), 34);
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - webpbn-00016-knot.non"));
        // The clue band is as thick as the longest clue line; its numbers are packed inward.
        int longest = 0;
        for (int x = model.clueSize; x < model.gridWidth; ++x) {
            const auto cells = test::columnClueCells(model, x);
            longest = std::max<int>(longest, std::count_if(cells.begin(), cells.end(), [](int v) { return v != 0; }));
            QVERIFY(cells.back() != 0);
        }
        QVERIFY(longest <= model.clueSize);
    }

    void exportedNonAndXmlLoadBackToTheSameClues_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("name");
        QTest::newRow("non") << int(FileCommand::ExportNon) << "heart.non";
        QTest::newRow("xml") << int(FileCommand::ExportWebpbnXml) << "heart.xml";
    }
    void exportedNonAndXmlLoadBackToTheSameClues()
    {
        QFETCH(int, command);
        QFETCH(QString, name);
        QTemporaryDir dir;
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        model = test::boardWithAnswer(2, {"#.#", "###", ".#."});
        form.Command8_Click();
        const BoardModel authored = model;
        ui.dialogFileName = dir.filePath(QStringLiteral("heart.zml"));
        desktop.chosenFiles.push_back(dir.filePath(name));
        form.exportPuzzle(static_cast<FileCommand>(command));
        QCOMPARE(desktop.fileDialogs.back().suggestedPath, dir.filePath(name));
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - 名称未指定"));

        desktop.chosenFiles.push_back(dir.filePath(name));
        form.Command1_Click();
        QVERIFY(desktop.messages.empty());
        for (int x = 2; x < 5; ++x)
            QCOMPARE(test::columnClueCells(model, x), test::columnClueCells(authored, x));
        for (int y = 2; y < 5; ++y)
            QCOMPARE(test::rowClueCells(model, y), test::rowClueCells(authored, y));
    }

    void puzzleTooLargeForTheBoardIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("wide.non"));
        std::string text = "width 81\nheight 1\nrows\n1\ncolumns\n";
        for (int i = 0; i < 81; ++i)
            text += i == 0 ? "1\n" : "0\n";
        writeFileAtomically(path, text);
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        const BoardModel before = model;
        desktop.chosenFiles.push_back(path);
        form.Command1_Click();
        QCOMPARE(desktop.lastMessage().text, QStringLiteral("失敗しました"));
        QVERIFY(model == before);
    }
};

QTEST_MAIN(UndoAndCheckTest)
#include "test_undo_and_check.moc"
