// The "新規作成" and "画像ファイルから問題作成" dialogs driven through the main window's New
// and Open commands: what a confirm, a refusal, a cancel and each image format do to the board.
#include "dialogs/Form2.h"
#include "dialogs/Form3.h"
#include "author/image_threshold.h"
#include "author/new_puzzle.h"
#include "files/file_flow.h"
#include "main_window/Form1.h"
#include "support/ascii_board.h"
#include "support/image_files.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"
#include "widgets/spin_buttons.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zumeli;
using test::pictureFromRows;

namespace {

const QString kUntitledTitle = QStringLiteral("ズメリロジック！ - 名称未指定");
const QString kImageFilter = QStringLiteral(
    "画像ファイル(*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif)|"
    "*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif");

// The widgets a Tab key visits, starting at `first`.
QList<QWidget*> tabOrder(QWidget* first)
{
    QList<QWidget*> order;
    QWidget* widget = first;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget;
        widget = widget->nextInFocusChain();
    } while (widget != first && order.size() < 50);
    return order;
}

// A main window whose board holds something worth losing: a drawing, clue numbers, a title
// of its own and a pending rectangle corner.
struct Session : test::MainWindow {
    int dialogsRun = 0;

    Session()
    {
        test::drawAnswer(model, {"#.#", "x##"});
        model.board(0, 7) = 3;
        model.board(100, 100) = 9;
        form.document().setTitleName(QStringLiteral("cat.zml"));
        ui.rectStartX = 6;
        ui.rectStartY = 7;
    }

    // Runs New with `script` acting in the dialog.
    void newPuzzle(const std::function<void(Form2&)>& script)
    {
        desktop.dialogScript = [this, script](QDialog& dialog) {
            ++dialogsRun;
            script(static_cast<Form2&>(dialog));
            return dialog.result();
        };
        form.Command7_Click();
    }

    // Runs Open on `path` with `script` acting in the dialog.
    void importImage(const QString& path, const std::function<void(Form3&)>& script)
    {
        desktop.chosenFiles.push_back(path);
        desktop.dialogScript = [this, script](QDialog& dialog) {
            ++dialogsRun;
            script(static_cast<Form3&>(dialog));
            return dialog.result();
        };
        form.Command9_Click();
    }
};

void typeSize(Form2& dialog, const char* clueSize, const char* width, const char* height)
{
    dialog.Text1->setText(QString::fromUtf8(clueSize));
    dialog.Text2->setText(QString::fromUtf8(width));
    dialog.Text3->setText(QString::fromUtf8(height));
}

std::function<void(Form3&)> convertWith(const char* clueSize, const char* threshold)
{
    return [clueSize, threshold](Form3& dialog) {
        dialog.Text1->setText(QString::fromUtf8(clueSize));
        dialog.Text2->setText(QString::fromUtf8(threshold));
        dialog.Command1->click();
    };
}

QImage solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QString savePicture(const QTemporaryDir& dir, const QString& name, const QImage& picture,
                    const char* format)
{
    const QString path = dir.filePath(name);
    if (QByteArray(format) == "GIF")
        test::writeGif(path, picture);
    else if (!picture.save(path, format, 100))
        throw std::runtime_error("cannot save the test picture");
    return path;
}

} // namespace

class AuthorDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // ---------------------------------------------------------------------------- New

    void newPuzzleDialogHasItsControlsTextsAndTabOrder()
    {
        test::ScriptedDesktop desktop;
        Form2 dialog(desktop);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("新規作成"));
        QCOMPARE(dialog.size(), QSize(416, 97));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("問題欄のサイズ"));
        QCOMPARE(dialog.Label4->text(), QStringLiteral("←多めに取ることを推奨"));
        QCOMPARE(dialog.Label2->text(), QStringLiteral("解答エリアの幅"));
        QCOMPARE(dialog.Label3->text(), QStringLiteral("解答エリアの高さ"));
        QCOMPARE(dialog.Command1->text(), QStringLiteral("新規作成"));
        QCOMPARE(dialog.Command2->text(), QStringLiteral("キャンセル"));
        QCOMPARE(dialog.Text1->geometry(), QRect(104, 16, 32, 18));
        QCOMPARE(dialog.UpDown2->geometry(), QRect(136, 40, 17, 18));
        QCOMPARE(dialog.Command2->geometry(), QRect(312, 40, 97, 25));
        QVERIFY(dialog.Command1->isDefault());
        QCOMPARE(tabOrder(dialog.Text1), (QList<QWidget*>{dialog.Text1, dialog.Text2, dialog.Text3,
                                                          dialog.Command1, dialog.Command2}));
        QCOMPARE(dialog.UpDown1->minimum(), 1);
        QCOMPARE(dialog.UpDown1->maximum(), 20);
        QCOMPARE(dialog.UpDown3->maximum(), 80);
        dialog.UpDown1->stepUp();
        QCOMPARE(dialog.Text1->text(), QStringLiteral("6"));
    }

    void confirmedSizeGivesAnEmptyBoardTitledUntitled_data()
    {
        QTest::addColumn<QString>("clueSize");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<int>("expectedClueSize");
        QTest::addColumn<int>("expectedWidth");
        QTest::addColumn<int>("expectedHeight");
        QTest::newRow("defaults") << "5" << "10" << "10" << 5 << 15 << 15;
        QTest::newRow("1 x 1") << "1" << "1" << "1" << 1 << 2 << 2;
        QTest::newRow("20 + 80 x 80") << "20" << "80" << "80" << 20 << 100 << 100;
        QTest::newRow("fractions round down") << "20.9" << "7.5" << "3.99" << 20 << 27 << 23;
    }
    void confirmedSizeGivesAnEmptyBoardTitledUntitled()
    {
        QFETCH(QString, clueSize);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(int, expectedClueSize);
        QFETCH(int, expectedWidth);
        QFETCH(int, expectedHeight);
        Session session;
        session.newPuzzle([&](Form2& dialog) {
            dialog.Text1->setText(clueSize);
            dialog.Text2->setText(width);
            dialog.Text3->setText(height);
            dialog.Command1->click();
        });
        BoardModel expected;
        expected.clueSize = static_cast<int16>(expectedClueSize);
        expected.gridWidth = static_cast<int16>(expectedWidth);
        expected.gridHeight = static_cast<int16>(expectedHeight);
        QCOMPARE(session.model, expected);  // every cell 0, out to index 100
        QCOMPARE(session.form.windowTitle(), kUntitledTitle);
        QCOMPARE(session.ui.rectStartX, -1);
        QVERIFY(session.desktop.messages.empty());
        // Laid out anew at zoom 100: 200 twips, 13 pixels a cell.
        QCOMPARE(session.ui.picture.image().size(),
                 QSize(expectedWidth * 200 / 15, expectedHeight * 200 / 15));
    }

    void cancellingOrClosingNewPuzzleChangesNothing_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("キャンセル button") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("refused entry, then キャンセル") << 2;
    }
    void cancellingOrClosingNewPuzzleChangesNothing()
    {
        QFETCH(int, way);
        Session session;
        const BoardModel before = session.model;
        const QImage pictureBefore = session.ui.picture.image();
        session.newPuzzle([way](Form2& dialog) {
            typeSize(dialog, "8", "12", "12");
            if (way == 0)
                dialog.Command2->click();
            else if (way == 1)
                dialog.reject();  // what the window's close box and Escape do
            else {
                dialog.Text2->setText(QStringLiteral("81"));
                dialog.Command1->click();
                dialog.Command2->click();
            }
        });
        QCOMPARE(session.dialogsRun, 1);
        QCOMPARE(session.model, before);
        QCOMPARE(session.form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));
        QCOMPARE(session.ui.rectStartX, 6);
        QCOMPARE(session.ui.picture.image(), pictureBefore);
    }

    void refusedEntriesShowTheFirstBoxMessageAndKeepTheDialogOpen()
    {
        Session session;
        QStringList seen;
        session.newPuzzle([&](Form2& dialog) {
            const std::pair<std::array<const char*, 3>, QString> attempts[] = {
                {{"21", "81", "0"}, kClueSizeRangeMessage},
                {{"abc", "10", "10"}, kClueSizeRangeMessage},
                {{"0.5", "10", "10"}, kClueSizeRangeMessage},
                {{"3", "0", "81"}, kAnswerSideRangeMessage},
                {{"3", "2", ""}, kAnswerSideRangeMessage},
                {{"3", "2", "80.5"}, QString()},
            };
            for (const auto& [texts, message] : attempts) {
                typeSize(dialog, texts[0], texts[1], texts[2]);
                const std::size_t shown = session.desktop.messages.size();
                dialog.Command1->click();
                if (message.isEmpty()) {
                    QCOMPARE(dialog.result(), int(QDialog::Accepted));
                    continue;
                }
                QCOMPARE(session.desktop.messages.size(), shown + 1);
                const test::ShownMessage box = session.desktop.lastMessage();
                QCOMPARE(box.text, message);
                QCOMPARE(box.caption, QStringLiteral("正しい値を入力してください"));
                QCOMPARE(box.icon, MessageIcon::Critical);
                QCOMPARE(box.buttons, MessageButtons::Ok);
                QCOMPARE(dialog.result(), int(QDialog::Rejected));
                QVERIFY(!dialog.chosenSize());
                seen << dialog.Text1->text() + "," + dialog.Text2->text() + "," + dialog.Text3->text();
            }
        });
        // The texts stay as typed for correction.
        QCOMPARE(seen, (QStringList{"21,81,0", "abc,10,10", "0.5,10,10", "3,0,81", "3,2,"}));
        QCOMPARE(session.model.clueSize, 3);
        QCOMPARE(session.model.gridWidth, 5);
        QCOMPARE(session.model.gridHeight, 83);
    }

    void newPuzzleDialogStartsFromFiveTenTenEveryTime()
    {
        Session session;
        session.newPuzzle([](Form2& dialog) {
            typeSize(dialog, "8", "12", "3");
            dialog.Command1->click();
        });
        QCOMPARE(session.model.gridWidth, 20);
        QStringList texts;
        session.newPuzzle([&](Form2& dialog) {
            texts << dialog.Text1->text() << dialog.Text2->text() << dialog.Text3->text();
            QCOMPARE(dialog.UpDown2->value(), 10);
            dialog.Command2->click();
        });
        QCOMPARE(texts, (QStringList{"5", "10", "10"}));
    }

    void enterInABoxConfirmsThroughTheDefaultButton()
    {
        Session session;
        session.newPuzzle([](Form2& dialog) {
            dialog.show();
            typeSize(dialog, "2", "3", "4");
            QTest::keyClick(dialog.Text3, Qt::Key_Return);
            dialog.hide();
        });
        QCOMPARE(session.model.gridWidth, 5);
        QCOMPARE(session.model.gridHeight, 6);
    }

    void newPuzzleTooLargeForTheZoomIsShownAtZoom100()
    {
        Session session;
        session.ui.Text1->setText(QStringLiteral("200"));
        QCOMPARE(session.ui.layout.cellSize, 400);
        session.newPuzzle([](Form2& dialog) {
            typeSize(dialog, "20", "80", "80");
            dialog.Command1->click();
        });
        // 100 cells of 400 twips overflow 16 bits: the zoom message, and the board at 100.
        QCOMPARE(session.desktop.messages.size(), std::size_t(1));
        QCOMPARE(session.desktop.lastMessage().text, kZoomMessage);
        QCOMPARE(session.ui.Text1->text(), QStringLiteral("100"));
        QCOMPARE(session.ui.layout.cellSize, 200);
        QCOMPARE(session.model.gridWidth, 100);
        QCOMPARE(session.ui.picture.image().width(), 100 * 200 / 15);
    }

    // --------------------------------------------------------------------------- Open

    void imageDialogHasItsControlsAndShowsThePicture()
    {
        QTemporaryDir dir;
        const QString path = savePicture(dir, "p.bmp", solid(64, 48, qRgb(0, 0, 0)), "BMP");
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form3 dialog(desktop, model, path);
        QVERIFY(!dialog.closedAtStartup());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("画像ファイルから問題作成"));
        QCOMPARE(dialog.size(), QSize(417, 167));
        QCOMPARE(dialog.Label1->text(),
                 QString::fromUtf16(u"\u2605\u3000画像情報\u3000\u2605\r\n幅:64\r\n\u3000高さ:48"));
        QCOMPARE(dialog.Command1->text(), QStringLiteral("読み込む"));
        QCOMPARE(dialog.Command2->text(), QStringLiteral("キャンセル"));
        QCOMPARE(dialog.Label2->text(), QStringLiteral("問題欄のサイズ"));
        QCOMPARE(dialog.Label3->text(), QStringLiteral("白と黒のしきい値"));
        QCOMPARE(dialog.Text1->text(), QStringLiteral("10"));
        QCOMPARE(dialog.Text2->text(), QStringLiteral("128"));
        QCOMPARE(dialog.Image1->geometry(), QRect(8, 8, 129, 105));
        QVERIFY(dialog.Image1->hasScaledContents());
        QCOMPARE(dialog.Picture1->geometry(), QRect(288, 88, 64, 48));
        QCOMPARE(dialog.Text2->geometry(), QRect(104, 144, 30, 18));
        QCOMPARE(dialog.UpDown2->minimum(), 0);
        QCOMPARE(dialog.UpDown2->maximum(), 255);
        QCOMPARE(dialog.UpDown1->maximum(), 20);
        QVERIFY(dialog.Command1->isDefault());
        QCOMPARE(tabOrder(dialog.Text1),
                 (QList<QWidget*>{dialog.Text1, dialog.Text2, dialog.Command1, dialog.Command2}));
        QVERIFY(model == BoardModel());  // nothing converted before 読み込む
    }

    // Each offered format, from a file written by a real encoder, through the whole command.
    void eachImageFormatBecomesTheAnswerPicture_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("BMP") << "p.bmp" << QByteArray("BMP");
        QTest::newRow("GIF with transparency") << "p.gif" << QByteArray("GIF");
        QTest::newRow("ICO with transparency") << "p.ico" << QByteArray("ICO");
        QTest::newRow("JPEG") << "p.jpeg" << QByteArray("JPEG");
    }
    void eachImageFormatBecomesTheAnswerPicture()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        QImage picture;
        std::vector<std::string> expected;
        if (format == "JPEG") {
            // 8 x 8 blocks keep a JPEG's black and white apart.
            picture = solid(16, 16, qRgb(255, 255, 255));
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    picture.setPixel(x + 8, y, qRgb(0, 0, 0)), picture.setPixel(x, y + 8, qRgb(0, 0, 0));
            expected.assign(8, "........########");
            expected.resize(16, "########........");
        } else {
            // Transparent cells (' ') show the dialog's light background and stay empty.
            picture = pictureFromRows({
                "#. #",
                " g#.",
                "## .",
            });
            if (format == "BMP")
                picture = picture.convertToFormat(QImage::Format_RGB32);  // no transparency
            // Grey 128 is darker than the threshold 129; a BMP has no transparency, so its
            // transparent cells were saved black.
            expected = format == "BMP" ? std::vector<std::string>{"#.##", "###.", "###."}
                                       : std::vector<std::string>{"#..#", ".##.", "##.."};
        }
        const QString path = savePicture(dir, fileName, picture, format.constData());

        Session session;
        session.importImage(path, convertWith("2", "129"));

        QCOMPARE(session.dialogsRun, 1);
        QVERIFY(session.desktop.messages.empty());
        QCOMPARE(test::answerPicture(session.model), expected);
        QCOMPARE(session.model.clueSize, 2);
        QCOMPARE(session.form.windowTitle(), kUntitledTitle);
        QCOMPARE(session.ui.imagePath, path);
        QCOMPARE(session.ui.rectStartX, -1);
        QCOMPARE(session.desktop.fileDialogs.size(), std::size_t(1));
        QCOMPARE(session.desktop.fileDialogs[0].filter, kImageFilter);
        QVERIFY(!session.desktop.fileDialogs[0].save);
        QCOMPARE(session.ui.picture.image().width(), session.model.gridWidth * 200 / 15);
    }

    void importSuggestsNoFileName()
    {
        Session session;
        session.ui.dialogFileName = QStringLiteral("/somewhere/cat.bmp");
        session.form.Command9_Click();  // cancelled: nothing chosen
        QCOMPARE(session.desktop.fileDialogs.at(0).suggestedPath, QString());
        QCOMPARE(session.form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));
        QCOMPARE(session.ui.imagePath, QString());
        QVERIFY(session.desktop.messages.empty());
        QCOMPARE(session.dialogsRun, 0);
    }

    void transparentPixelsTakeTheDialogBackground()
    {
        QTemporaryDir dir;
        const QString path = savePicture(dir, "t.gif", pictureFromRows({"# .", ". #"}), "GIF");
        const QPalette saved = QApplication::palette();
        QPalette dark = saved;
        dark.setColor(QPalette::Window, QColor(20, 20, 20));
        QApplication::setPalette(dark);
        Session session;
        session.importImage(path, convertWith("1", "128"));
        QApplication::setPalette(saved);
        QCOMPARE(test::answerPicture(session.model), (std::vector<std::string>{"##.", ".##"}));
    }

    void importReplacesEveryCellOfTheBoard()
    {
        QTemporaryDir dir;
        const QString path = savePicture(dir, "p.bmp",
                                         pictureFromRows({"#.", ".#"}).convertToFormat(QImage::Format_RGB32), "BMP");
        Session session;
        for (int x = 0; x <= 100; ++x)
            for (int y = 0; y <= 100; ++y)
                session.model.board(x, y) = 7;
        session.importImage(path, convertWith("3", "128"));
        // The clue band, the corner and all beyond the 2 x 2 answer area are 0 again.
        QCOMPARE(session.model, test::boardWithAnswer(3, {"#.", ".#"}));
    }

    void largestImageIsAcceptedAndOneColumnMoreIsRefused()
    {
        QTemporaryDir dir;
        Session session;
        session.importImage(savePicture(dir, "80.bmp", solid(80, 80, qRgb(0, 0, 0)), "BMP"),
                            convertWith("20", "128"));
        QCOMPARE(session.model.gridWidth, 100);
        QCOMPARE(session.model.gridHeight, 100);
        QCOMPARE(session.model.board(99, 99), kFilled);
        QVERIFY(session.desktop.messages.empty());

        const BoardModel before = session.model;
        const QImage pictureBefore = session.ui.picture.image();
        session.form.document().setTitleName(QStringLiteral("cat.zml"));
        session.importImage(savePicture(dir, "81.bmp", solid(81, 1, qRgb(0, 0, 0)), "BMP"),
                            convertWith("1", "128"));
        QCOMPARE(session.dialogsRun, 1);  // the second dialog was never shown
        QCOMPARE(session.desktop.messages.size(), std::size_t(1));  // no 失敗しました after it
        const test::ShownMessage box = session.desktop.lastMessage();
        QCOMPARE(box.text, QString::fromUtf16(u"画像が大きすぎます。\r\n80\u00D780以下のサイズにしてください。"));
        QCOMPARE(box.caption, QStringLiteral("サイズが大きすぎます"));
        QCOMPARE(box.icon, MessageIcon::Critical);
        QCOMPARE(box.buttons, MessageButtons::Ok);
        QCOMPARE(session.model, before);
        QCOMPARE(session.ui.picture.image(), pictureBefore);
        QCOMPARE(session.form.windowTitle(), kUntitledTitle);  // reset once the file was chosen
    }

    void unreadableImageFailsAndLeavesTheBoard()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.jpg"));
        test::writeBytes(path, QByteArray("\xFF\xD8\xFF\xE0 not really a JPEG", 22));
        Session session;
        const BoardModel before = session.model;
        session.importImage(path, convertWith("1", "128"));
        QCOMPARE(session.dialogsRun, 0);
        QCOMPARE(session.desktop.messages.size(), std::size_t(1));
        QCOMPARE(session.desktop.lastMessage().text, QStringLiteral("失敗しました"));
        QCOMPARE(session.desktop.lastMessage().caption, QStringLiteral("Zumeli"));
        QCOMPARE(session.model, before);
        QCOMPARE(session.ui.rectStartX, 6);
    }

    void refusedImageEntriesKeepTheDialogOpen()
    {
        QTemporaryDir dir;
        QImage picture = solid(2, 1, qRgb(255, 255, 255));
        picture.setPixel(0, 0, qRgb(255, 255, 254));
        const QString path = savePicture(dir, "w.bmp", picture, "BMP");
        Session session;
        const BoardModel before = session.model;
        session.importImage(path, [&](Form3& dialog) {
            const std::pair<std::array<const char*, 2>, QString> attempts[] = {
                {{"0.5", "128"}, kClueSizeRangeMessage},
                {{"21", "-1"}, kClueSizeRangeMessage},  // the threshold is not looked at
                {{"", "128"}, kClueSizeRangeMessage},
                {{"20.9", "-0.5"}, kThresholdRangeMessage},
                {{"20.9", "256"}, kThresholdRangeMessage},
                {{"20.9", "x"}, kThresholdRangeMessage},
            };
            for (const auto& [texts, message] : attempts) {
                dialog.Text1->setText(QString::fromUtf8(texts[0]));
                dialog.Text2->setText(QString::fromUtf8(texts[1]));
                dialog.Command1->click();
                QCOMPARE(session.desktop.lastMessage().text, message);
                QCOMPARE(session.desktop.lastMessage().caption,
                         QStringLiteral("正しい値を入力してください"));
                QCOMPARE(session.desktop.lastMessage().icon, MessageIcon::Critical);
                QVERIFY(!dialog.converted());
                QCOMPARE(dialog.Text1->text(), QString::fromUtf8(texts[0]));
                QVERIFY(session.model == before);
            }
            dialog.Text2->setText(QStringLiteral("255.9"));
            dialog.Command1->click();
        });
        QCOMPARE(session.desktop.messages.size(), std::size_t(6));
        QCOMPARE(session.model.clueSize, 20);
        // Threshold 255: all but pure white is filled.
        QCOMPARE(test::answerPicture(session.model), (std::vector<std::string>{"#."}));
    }

    void cancellingTheImageDialogKeepsTheBoardButNotTheTitle()
    {
        QTemporaryDir dir;
        const QString path = savePicture(dir, "p.gif", pictureFromRows({"##"}), "GIF");
        Session session;
        const BoardModel before = session.model;
        session.importImage(path, [](Form3& dialog) {
            dialog.Text1->setText(QStringLiteral("2"));
            dialog.Command2->click();
        });
        QCOMPARE(session.dialogsRun, 1);
        QCOMPARE(session.model, before);
        QCOMPARE(session.form.windowTitle(), kUntitledTitle);
        QCOMPARE(session.ui.imagePath, path);
        QCOMPARE(session.ui.rectStartX, 6);
        QVERIFY(session.desktop.messages.empty());
    }

    void imageDialogStartsFromTenAnd128EveryTime()
    {
        QTemporaryDir dir;
        const QString path = savePicture(dir, "p.ico", pictureFromRows({"#."}), "ICO");
        Session session;
        session.importImage(path, convertWith("4", "200"));
        QCOMPARE(session.model.clueSize, 4);
        QStringList texts;
        session.importImage(path, [&](Form3& dialog) {
            texts << dialog.Text1->text() << dialog.Text2->text();
            QCOMPARE(dialog.UpDown2->value(), 128);
            dialog.Command2->click();
        });
        QCOMPARE(texts, (QStringList{"10", "128"}));
    }

    void importTooLargeForTheZoomIsShownAtZoom100()
    {
        QTemporaryDir dir;
        const QString path = savePicture(dir, "80.bmp", solid(80, 80, qRgb(0, 0, 0)), "BMP");
        Session session;
        session.ui.Text1->setText(QStringLiteral("300"));
        session.importImage(path, convertWith("20", "128"));
        QCOMPARE(session.desktop.messages.size(), std::size_t(1));
        QCOMPARE(session.desktop.lastMessage().text, kZoomMessage);
        QCOMPARE(session.ui.Text1->text(), QStringLiteral("100"));
        QCOMPARE(session.model.gridWidth, 100);
        QCOMPARE(session.ui.picture.image().width(), 100 * 200 / 15);
    }
};

QTEST_MAIN(AuthorDialogsTest)
#include "test_author_dialogs.moc"
