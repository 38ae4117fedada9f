// The main window at start-up, the zoom box with its error path, the spin buttons and the slider.
#include "main_window/Form1.h"
#include "widgets/board_view.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"
#include "widgets/spin_buttons.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <QTest>

using namespace zumeli;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheEmpty15By15Board()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        model.board(50, 50) = 9;  // start-up sets the dimensions only
        Form1 form(desktop, model);
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - 名称未指定"));
        QCOMPARE(model.clueSize, 5);
        QCOMPARE(model.gridWidth, 20);
        QCOMPARE(model.gridHeight, 20);
        QCOMPARE(form.parts().layout.cellSize, 200);
        QCOMPARE(form.parts().layout.boardWidthTw, 4000);
        QCOMPARE(form.parts().currentTool, 0);
        QCOMPARE(form.parts().rectStartX, -1);
        QCOMPARE(form.parts().Picture3[0]->borderStyle(), 1);
        QCOMPARE(form.parts().Picture3[1]->borderStyle(), 0);
        QVERIFY(!form.parts().Picture3[0]->picture().isNull());
        QCOMPARE(form.parts().Picture3[0]->picture().size(), QSize(16, 16));
        QCOMPARE(form.parts().picture.image().size(), QSize(266, 266));
        QCOMPARE(form.parts().Text1->text(), QStringLiteral("100"));
        QCOMPARE(form.parts().statusPanels[0]->text(), QStringLiteral("Ready"));
        QCOMPARE(form.statusText(), QStringLiteral("ボタンやコントロールにあわせると説明が出ます..."));
        QVERIFY(desktop.messages.empty());
    }

    void windowIsNeverSmallerThanItsDesignAndGrowsWithTheBoard()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        // 9000 x 6960 twips below the menu bar.
        QCOMPARE(form.size(), QSize(600, 464 + form.menuWidget()->sizeHint().height()));
        ui.Text1->setText(QStringLiteral("300"));
        QCOMPARE(ui.layout.cellSize, 600);
        // 20 cells of 40 pixels, the picture's frame and the 121-pixel tool panel.
        QCOMPARE(form.width(), 800 + 2 * BoardView::kBorderPixels + 121);
        QCOMPARE(ui.Picture2->x() + ui.Picture2->width(), form.width());
        QCOMPARE(form.height(), 800 + 2 * BoardView::kBorderPixels + form.statusBar()->sizeHint().height()
                                    + form.menuWidget()->sizeHint().height());
    }

    // However large the board and the zoom, a window on screen lies on the screen with its
    // tool panel and status bar, and every corner of the board can be scrolled into view
    // between them; a board that fits needs no scrolling and sits where designed.
    void wholeBoardCanBeBroughtIntoViewOnScreen_data()
    {
        QTest::addColumn<int>("cells");  // board cells each way, clue band included
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("zoom");
        QTest::addColumn<bool>("fits");  // on the test platform's screen of 800 x 800 pixels
        QTest::newRow("start-up board at 100") << 20 << 5 << "100" << true;
        QTest::newRow("start-up board at 200") << 20 << 5 << "200" << true;
        QTest::newRow("start-up board at 300") << 20 << 5 << "300" << false;
        QTest::newRow("35 cells at 200") << 35 << 5 << "200" << false;
        QTest::newRow("35 cells at 300") << 35 << 5 << "300" << false;
        QTest::newRow("100 cells at 100") << 100 << 20 << "100" << false;
    }
    void wholeBoardCanBeBroughtIntoViewOnScreen()
    {
        QFETCH(int, cells);
        QFETCH(int, band);
        QFETCH(QString, zoom);
        QFETCH(bool, fits);
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        form.Timer1_Timer();
        model.clueSize = int16(band);
        model.gridWidth = int16(cells);
        model.gridHeight = int16(cells);
        form.redrawOrResetZoom(Form1::Redraw::Full);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ui.Text1->setText(zoom);
        QVERIFY(desktop.messages.empty());
        QCoreApplication::processEvents();

        const QRect available = form.screen()->availableGeometry();
        QVERIFY2(available.contains(form.frameGeometry()),
                 qPrintable(QStringLiteral("window %1 x %2 at %3, %4 on a screen of %5 x %6")
                                .arg(form.frameGeometry().width()).arg(form.frameGeometry().height())
                                .arg(form.frameGeometry().x()).arg(form.frameGeometry().y())
                                .arg(available.width()).arg(available.height())));
        const QRect panel(ui.Picture2->mapTo(&form, QPoint(0, 0)), ui.Picture2->size());
        QCOMPARE(panel.right(), form.width() - 1);
        const QRect bar = form.statusBar()->geometry();
        QCOMPARE(bar.bottom(), form.height() - 1);
        auto* area = form.findChild<QScrollArea*>();
        QVERIFY2(area, "the board lies in an area that scrolls");
        if (fits) {
            QCOMPARE(ui.Picture1->mapTo(&form, QPoint(0, 0)), QPoint(0, form.menuWidget()->height()));
            QVERIFY(!area->horizontalScrollBar()->isVisible() && !area->verticalScrollBar()->isVisible());
        }
        const QRect board = ui.Picture1->rect();
        for (const QPoint corner : {board.topLeft(), board.bottomRight(), board.topRight(), board.bottomLeft()}) {
            area->ensureVisible(corner.x(), corner.y(), 1, 1);  // a margin of 0 stops one short
            const QPoint at = ui.Picture1->mapTo(&form, corner);
            const QString where = QStringLiteral("corner %1, %2 shown at %3, %4")
                                      .arg(corner.x()).arg(corner.y()).arg(at.x()).arg(at.y());
            QVERIFY2(ui.Picture1->visibleRegion().contains(corner), qPrintable(where));
            QVERIFY2(at.y() >= form.menuWidget()->height() && at.y() < bar.top(), qPrintable(where));
            QVERIFY2(at.x() >= 0 && at.x() < panel.left(), qPrintable(where));
        }
    }

    // A window manager may give the window less than it asks for (a screen too small for
    // it): the tool panel keeps to the right edge, and the board scrolls between it and the
    // status bar.
    void windowGivenLessThanItAskedKeepsTheWholeBoardInReach()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        form.Timer1_Timer();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ui.Text1->setText(QStringLiteral("200"));
        QCOMPARE(form.width(), 537 + 121);
        form.windowHandle()->resize(600, 400);  // as the window manager would
        QTRY_COMPARE(form.width(), 600);
        QCoreApplication::processEvents();
        QCOMPARE(ui.Picture2->geometry().right(), form.centralWidget()->width() - 1);
        auto* area = form.findChild<QScrollArea*>();
        QVERIFY(area);
        QCOMPARE(area->geometry(), QRect(0, 0, ui.Picture2->x(), form.centralWidget()->height()));
        const QRect board = ui.Picture1->rect();
        area->ensureVisible(board.right(), board.bottom(), 1, 1);
        QVERIFY(ui.Picture1->visibleRegion().contains(board.bottomRight()));

        // The keyboard cursor brings its cell into view.
        area->ensureVisible(0, 0, 1, 1);
        for (int i = 0; i < 15; ++i) {
            QTest::keyClick(ui.Picture1, Qt::Key_Down);
            QTest::keyClick(ui.Picture1, Qt::Key_Right);
        }
        QCOMPARE(ui.play.cursorCell(model), (BoardPoint{19, 19}));
        const QPoint lastCell(BoardView::kBorderPixels + twipsToPixels(19 * 400 + 200),
                              BoardView::kBorderPixels + twipsToPixels(19 * 400 + 200));
        QVERIFY(ui.Picture1->visibleRegion().contains(lastCell));
    }

    // Boards loaded one after another into the shown window, of several shapes and zooms
    // (cells of whole and of broken pixels): each time, the board with its frame lies wholly
    // between the menu bar, the status bar and the tool panel, or the area's scroll bars
    // reach every pixel of it that the area cannot show at once.
    void everyBoardLiesInViewOrWithinReachOfTheScrollBars_data()
    {
        QTest::addColumn<QList<QList<int>>>("boards");  // columns, rows, clue band, zoom
        QTest::newRow("34 by 34 with a band of 8, then back to the start-up board")
            << QList<QList<int>>{{42, 42, 8, 100}, {20, 20, 5, 100}};
        QTest::newRow("growing boards at 100")
            << QList<QList<int>>{{25, 25, 5, 100}, {30, 40, 6, 100}, {42, 42, 8, 100}, {50, 50, 10, 100}};
        QTest::newRow("cells of broken pixels")
            << QList<QList<int>>{{42, 42, 8, 110}, {31, 23, 4, 130}, {40, 40, 8, 90}, {60, 15, 5, 70}};
        QTest::newRow("tall and narrow, then wide and low")
            << QList<QList<int>>{{15, 70, 5, 100}, {70, 15, 5, 100}, {42, 42, 8, 120}};
        QTest::newRow("taller than the screen, as wide as it allows")
            << QList<QList<int>>{{40, 70, 5, 100}, {45, 42, 8, 120}, {20, 20, 5, 100}};
        QTest::newRow("wider than the screen, as tall as it allows")
            << QList<QList<int>>{{70, 40, 5, 100}, {42, 45, 8, 120}};
        QTest::newRow("larger than the screen") << QList<QList<int>>{{42, 42, 8, 200}, {100, 100, 20, 100}};
    }
    void everyBoardLiesInViewOrWithinReachOfTheScrollBars()
    {
        QFETCH(QList<QList<int>>, boards);
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        form.Timer1_Timer();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* area = form.findChild<QScrollArea*>();
        QVERIFY(area);
        for (const QList<int>& board : boards) {
            model.gridWidth = int16(board[0]);
            model.gridHeight = int16(board[1]);
            model.clueSize = int16(board[2]);
            ui.Text1->setText(QString::number(board[3]));
            form.redrawOrResetZoom(Form1::Redraw::Full);
            QVERIFY(desktop.messages.empty());
            QCoreApplication::processEvents();
            const QString which = QStringLiteral("%1 x %2 at %3").arg(board[0]).arg(board[1]).arg(board[3]);

            const int top = form.menuWidget()->geometry().bottom() + 1;
            const int bottom = form.statusBar()->geometry().top();
            const int right = ui.Picture2->mapTo(&form, QPoint(0, 0)).x();
            const QRect view(ui.Picture1->mapTo(&form, QPoint(0, 0)), ui.Picture1->size());
            const QRect available = form.screen()->availableGeometry();
            QWidget* viewport = area->viewport();
            const QRect shown(viewport->mapTo(&form, QPoint(0, 0)), viewport->size());
            // What the area shows lies between the bars and left of the panel.
            QVERIFY2(shown.top() >= top && shown.bottom() < bottom && shown.left() >= 0 && shown.right() < right,
                     qPrintable(which));
            // Each way the board either fits what the area shows, or the scroll bar is there
            // and reaches its far edge.
            const int hidden[2] = {ui.Picture1->width() - viewport->width(),
                                   ui.Picture1->height() - viewport->height()};
            const QScrollBar* bars[2] = {area->horizontalScrollBar(), area->verticalScrollBar()};
            for (int way = 0; way < 2; ++way) {
                const QString where = QStringLiteral("%1, %2: board %3 x %4 at %5, %6, shown %7 x %8 at %9, %10")
                                          .arg(which, way == 0 ? "across" : "down")
                                          .arg(view.width()).arg(view.height()).arg(view.x()).arg(view.y())
                                          .arg(shown.width()).arg(shown.height()).arg(shown.x()).arg(shown.y());
                if (hidden[way] <= 0) {
                    QVERIFY2(way == 0 ? view.left() >= shown.left() && view.right() <= shown.right()
                                      : view.top() >= shown.top() && view.bottom() <= shown.bottom(),
                             qPrintable(where));
                } else {
                    // Scrolling only where the window has grown as far as the screen lets it.
                    QVERIFY2(way == 0 ? form.frameGeometry().width() >= available.width()
                                      : form.frameGeometry().height() >= available.height(),
                             qPrintable(where + QStringLiteral(" in a window that could grow")));
                    QVERIFY2(bars[way]->isVisible(), qPrintable(where));
                    QVERIFY2(bars[way]->maximum() - bars[way]->minimum() >= hidden[way], qPrintable(where));
                }
            }
            // The board's far corner can be brought into view.
            area->ensureVisible(ui.Picture1->width() - 1, ui.Picture1->height() - 1, 1, 1);
            QVERIFY2(ui.Picture1->visibleRegion().contains(QPoint(ui.Picture1->width() - 1, ui.Picture1->height() - 1)),
                     qPrintable(which));
            area->ensureVisible(0, 0, 1, 1);
        }
    }

    // The tool panel as designed: each control's place (twips, relative to its frame or to
    // the panel), its caption and its tool tip. A pixel is 15 twips, rounded down.
    void toolPanelControlsSitWhereDesigned_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        auto row = [](const char* control, QRect twips, const char* text, const char* toolTip) {
            QTest::newRow(control) << QString::fromUtf8(control) << twips << QString::fromUtf8(text)
                                   << QString::fromUtf8(toolTip);
        };
        row("Frame0", {120, 120, 1575, 855}, "問題エリア", "");
        row("Frame1", {120, 1080, 1575, 855}, "解答エリア", "");
        row("Frame2", {120, 2040, 1575, 855}, "印刷・画像へ出力", "");
        row("Frame3", {120, 3000, 1575, 1335}, "問題作成", "");
        row("Frame4", {120, 4440, 1575, 615}, "描画ツール", "");
        row("Frame5", {120, 5160, 1575, 615}, "不透明度", "");
        row("Frame6", {120, 5880, 1575, 615}, "拡大率", "");
        row("Command1", {120, 240, 615, 540}, "Load", "問題データの読み込み");
        row("Command3", {840, 240, 615, 540}, "Save", "作成したmondaiファイルを保存します");
        row("Command4(0)", {120, 240, 615, 540}, "Load", "解答エリアの読み込み");
        row("Command4(1)", {840, 240, 615, 540}, "Save", "解答エリアの保存");
        row("Command5", {120, 240, 615, 540}, "Print", "印刷します(サイズは拡大率で指定可能)");
        row("Command6", {840, 240, 615, 540}, "Save", "BMPとして出力");
        row("Command7", {120, 240, 615, 540}, "New", "サイズを指定して新規作成します");
        row("Command9", {840, 240, 615, 540}, "Open", "画像ファイルから問題を作成します");
        row("Command8", {120, 780, 615, 540}, "Make", "解答から問題を作成します");
        row("Command2", {840, 780, 615, 540}, "解答", "合っているかどうか判定");
        row("Picture3(0)", {120, 240, 280, 280}, "",
            "鉛筆(左クリックで点 or 消去、右クリックで×を打てます)");
        row("Picture3(1)", {405, 240, 280, 280}, "",
            "四角(終点指定時に、左クリックで塗りつぶし、右クリックで消去できます)");
        row("Slider1", {120, 240, 1335, 255}, "", "このウインドウを半透明にできます(Win2000以降で有効)");
        row("Text1", {240, 240, 600, 270}, "100", "画面の表示サイズと印刷時のサイズを指定します");
        row("UpDown1", {840, 240, 255, 270}, "", "");
        row("Label1", {1200, 360, 135, 150}, "%", "");
    }
    void toolPanelControlsSitWhereDesigned()
    {
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        const QHash<QString, QWidget*> controls{
            {"Frame0", ui.Frame[0]}, {"Frame1", ui.Frame[1]}, {"Frame2", ui.Frame[2]},
            {"Frame3", ui.Frame[3]}, {"Frame4", ui.Frame[4]}, {"Frame5", ui.Frame[5]},
            {"Frame6", ui.Frame[6]}, {"Command1", ui.Command1}, {"Command3", ui.Command3},
            {"Command4(0)", ui.Command4[0]}, {"Command4(1)", ui.Command4[1]},
            {"Command5", ui.Command5}, {"Command6", ui.Command6}, {"Command7", ui.Command7},
            {"Command9", ui.Command9}, {"Command8", ui.Command8}, {"Command2", ui.Command2},
            {"Picture3(0)", ui.Picture3[0]}, {"Picture3(1)", ui.Picture3[1]},
            {"Slider1", ui.Slider1}, {"Text1", ui.Text1}, {"UpDown1", ui.UpDown1},
            {"Label1", ui.Label1}};
        QWidget* widget = controls.value(control);
        QVERIFY(widget);
        const QRect pixels(twips.left() / 15, twips.top() / 15, twips.width() / 15, twips.height() / 15);
        QCOMPARE(widget->geometry(), pixels);
        // Frames sit on the tool panel; every other control sits in one of the frames.
        if (control.startsWith(QLatin1String("Frame")))
            QCOMPARE(widget->parentWidget(), ui.Picture2);
        else
            QVERIFY(std::find(ui.Frame.begin(), ui.Frame.end(), widget->parentWidget()) != ui.Frame.end());
        QString shown;
        if (auto* frame = qobject_cast<QGroupBox*>(widget))
            shown = frame->title();
        else if (auto* button = qobject_cast<QToolButton*>(widget))
            shown = button->text();
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            shown = edit->text();
        else if (auto* label = qobject_cast<QLabel*>(widget))
            shown = label->text();
        QCOMPARE(shown, text);
        QCOMPARE(widget->toolTip(), toolTip);
    }

    void panelStartupPictureAndStatusBarAreAsDesigned()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        QCOMPARE(ui.Picture2->width(), 1815 / 15);  // its height follows the window
        QCOMPARE(form.statusBar()->toolTip(), QStringLiteral("ここには状態や説明などを表示します"));
        QCOMPARE(ui.Label2->text(), QStringLiteral("問題をロードしてください..."));
        QCOMPARE(ui.Label2->font().pointSizeF(), 20.25);
        QCOMPARE(ui.Label2->geometry(), QRect(0, 2160 / 15, 4695 / 15, 615 / 15));
        QCOMPARE(ui.Picture4->size(), QSize(4695 / 15, 2655 / 15));
    }

    void startupPictureDisappearsWhenTheTimerFires()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        form.show();
        QVERIFY(ui.Picture4->isVisible());
        QCOMPARE(ui.Timer1->interval(), 2000);
        QVERIFY(ui.Timer1->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!ui.Picture4->isVisible(), 5000);
        QVERIFY(!ui.Timer1->isActive());
    }

    void typingAZoomRebuildsTheBoard()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        model.board(6, 6) = kFilled;
        Form1 form(desktop, model);
        form.parts().Text1->setText(QStringLiteral("150"));
        QCOMPARE(form.parts().layout.cellSize, 300);
        QCOMPARE(form.parts().picture.image().size(), QSize(400, 400));
        QCOMPARE(form.parts().picture.image().pixel(6 * 20 + 10, 6 * 20 + 10), qRgb(0, 0, 0));
        QVERIFY(desktop.messages.empty());
    }

    void badZoomShowsTheMessageAndGoesBackTo100_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "abc";
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-5";
        QTest::newRow("above 500") << "900";
    }
    void badZoomShowsTheMessageAndGoesBackTo100()
    {
        QFETCH(QString, text);
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        ui.Text1->setText(QStringLiteral("150"));
        ui.Text1->setText(text);
        QCOMPARE(desktop.messages.size(), 1u);
        QCOMPARE(desktop.messages[0].text, QStringLiteral("10以上500以下の数値を入力してください"));
        QCOMPARE(desktop.messages[0].caption, QStringLiteral("正しい値を入力してください"));
        QCOMPARE(desktop.messages[0].icon, MessageIcon::Critical);
        QCOMPARE(ui.Text1->text(), QStringLiteral("100"));
        QCOMPARE(ui.layout.cellSize, 200);
        QCOMPARE(ui.picture.image().size(), QSize(266, 266));
    }

    void clickThatEndsABadZoomEditLeavesTheBoardAlone()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        ui.Text1->setText(QStringLiteral("150"));
        ui.Text1->setFocus();
        ui.Text1->selectAll();
        QTest::keyClicks(ui.Text1, QStringLiteral("abc"));
        QVERIFY(desktop.messages.empty());
        const BoardModel before = model;
        // The middle of cell (7, 7) at zoom 150 is the middle of cell (11, 11) at zoom 100.
        const int middle = BoardView::kBorderPixels + 7 * 20 + 10;
        QTest::mouseClick(ui.Picture1, Qt::LeftButton, {}, QPoint(middle, middle));
        QCOMPARE(desktop.messages.size(), 1u);
        QCOMPARE(ui.Text1->text(), QStringLiteral("100"));
        QVERIFY(model == before);
        // The next click is the player's own again.
        QTest::mouseClick(ui.Picture1, Qt::LeftButton, {}, QPoint(middle, middle));
        QCOMPARE(model.board(11, 11), kFilled);
    }

    void zoomThatOverflowsTheLayoutIsRefusedBeforeAnythingMoves()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        model.clueSize = 20;
        model.gridWidth = 100;
        model.gridHeight = 100;
        form.redrawOrResetZoom(Form1::Redraw::Full);
        QCOMPARE(ui.layout.boardWidthTw, 20000);
        ui.Text1->setText(QStringLiteral("200"));  // 400 * 100 does not fit 16 bits
        QCOMPARE(desktop.messages.size(), 1u);
        QCOMPARE(desktop.lastMessage().text, QStringLiteral("10以上500以下の数値を入力してください"));
        QCOMPARE(ui.Text1->text(), QStringLiteral("100"));
        QCOMPARE(ui.layout.cellSize, 200);
        QCOMPARE(ui.layout.boardWidthTw, 20000);
    }

    void boardThatDoesNotFitTheZoomIsShownAt100()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        ui.Text1->setText(QStringLiteral("200"));
        QCOMPARE(ui.layout.cellSize, 400);
        model.clueSize = 20;
        model.gridWidth = 100;
        model.gridHeight = 100;
        form.redrawOrResetZoom(Form1::Redraw::Clues);
        QCOMPARE(desktop.messages.size(), 1u);
        QCOMPARE(ui.Text1->text(), QStringLiteral("100"));
        QCOMPARE(ui.layout.boardWidthTw, 20000);
        QCOMPARE(ui.picture.image().size(), QSize(1333, 1333));
    }

    void spinButtonsStepBy10Within10To500()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        ui.UpDown1->stepUp();
        QCOMPARE(ui.Text1->text(), QStringLiteral("110"));
        QCOMPARE(ui.layout.cellSize, 220);
        ui.Text1->setText(QStringLiteral("495"));
        ui.UpDown1->stepUp();
        QCOMPARE(ui.Text1->text(), QStringLiteral("500"));
        ui.UpDown1->stepUp();
        QCOMPARE(ui.Text1->text(), QStringLiteral("500"));
        ui.Text1->setText(QStringLiteral("10"));
        ui.UpDown1->stepDown();
        QCOMPARE(ui.Text1->text(), QStringLiteral("10"));
        QTest::mouseClick(ui.UpDown1->upButton(), Qt::LeftButton);
        QCOMPARE(ui.Text1->text(), QStringLiteral("20"));
        QVERIFY(desktop.messages.empty());
    }

    void sliderSetsTheWindowOpacity()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        QCOMPARE(ui.Slider1->minimum(), 64);
        QCOMPARE(ui.Slider1->maximum(), 255);
        QCOMPARE(ui.Slider1->value(), 255);
        QCOMPARE(ui.Slider1->singleStep(), 16);
        QCOMPARE(ui.Slider1->pageStep(), 32);
        QCOMPARE(ui.Slider1->tickInterval(), 16);
        ui.Slider1->setValue(0);  // the range keeps it at 64
        QCOMPARE(ui.Slider1->value(), 64);
        QVERIFY(qAbs(form.windowOpacity() - 64 / 255.0) < 0.01);
        ui.Slider1->setValue(255);
        QCOMPARE(form.windowOpacity(), 1.0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
