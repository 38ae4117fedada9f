// The main window at start-up, the zoom box with its error path, the spin buttons and the slider.
#include "main_window/Form1.h"
#include "support/scripted_desktop.h"
#include "widgets/spin_buttons.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

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
        QCOMPARE(form.layout.cellSize, 200);
        QCOMPARE(form.layout.boardWidthTw, 4000);
        QCOMPARE(form.currentTool, 0);
        QCOMPARE(form.rectStartX, -1);
        QCOMPARE(form.Picture3[0]->borderStyle(), 1);
        QCOMPARE(form.Picture3[1]->borderStyle(), 0);
        QVERIFY(!form.Picture3[0]->picture().isNull());
        QCOMPARE(form.Picture3[0]->picture().size(), QSize(16, 16));
        QCOMPARE(form.picture.image().size(), QSize(266, 266));
        QCOMPARE(form.Text1->text(), QStringLiteral("100"));
        QCOMPARE(form.statusPanels[0]->text(), QStringLiteral("Ready"));
        QCOMPARE(form.statusText(), QStringLiteral("ボタンやコントロールにあわせると説明が出ます..."));
        QVERIFY(desktop.messages.empty());
    }

    void windowIsNeverSmallerThanItsDesignAndGrowsWithTheBoard()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        // 9000 x 6960 twips below the menu bar.
        QCOMPARE(form.size(), QSize(600, 464 + form.menuWidget()->sizeHint().height()));
        form.Text1->setText(QStringLiteral("300"));
        QCOMPARE(form.layout.cellSize, 600);
        // 20 cells of 40 pixels, the picture's frame and the 121-pixel tool panel.
        QCOMPARE(form.width(), 800 + 2 * BoardView::kBorderPixels + 121);
        QCOMPARE(form.Picture2->x() + form.Picture2->width(), form.width());
        QCOMPARE(form.height(), 800 + 2 * BoardView::kBorderPixels + form.statusBar()->sizeHint().height()
                                    + form.menuWidget()->sizeHint().height());
    }

    void toolPanelControlsSitWhereDesigned()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        QCOMPARE(form.Frame[0]->title(), QStringLiteral("問題エリア"));
        QCOMPARE(form.Frame[3]->geometry(), QRect(8, 200, 105, 89));
        QCOMPARE(form.Command8->geometry(), QRect(8, 52, 41, 36));
        QCOMPARE(form.Command2->text(), QStringLiteral("解答"));
        QCOMPARE(form.Command2->toolTip(), QStringLiteral("合っているかどうか判定"));
        QCOMPARE(form.Command5->toolTip(), QStringLiteral("印刷します(サイズは拡大率で指定可能)"));
        QCOMPARE(form.Picture3[1]->geometry(), QRect(27, 16, 18, 18));
        QCOMPARE(form.Text1->geometry(), QRect(16, 16, 40, 18));
        QCOMPARE(form.statusBar()->toolTip(), QStringLiteral("ここには状態や説明などを表示します"));
        QCOMPARE(form.Label2->text(), QStringLiteral("問題をロードしてください..."));
        QCOMPARE(form.Label2->font().pointSizeF(), 20.25);
    }

    void startupPictureDisappearsWhenTheTimerFires()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        form.show();
        QVERIFY(form.Picture4->isVisible());
        QCOMPARE(form.Timer1->interval(), 2000);
        QVERIFY(form.Timer1->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!form.Picture4->isVisible(), 5000);
        QVERIFY(!form.Timer1->isActive());
    }

    void typingAZoomRebuildsTheBoard()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        model.board(6, 6) = kFilled;
        Form1 form(desktop, model);
        form.Text1->setText(QStringLiteral("150"));
        QCOMPARE(form.layout.cellSize, 300);
        QCOMPARE(form.picture.image().size(), QSize(400, 400));
        QCOMPARE(form.picture.image().pixel(6 * 20 + 10, 6 * 20 + 10), qRgb(0, 0, 0));
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
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        form.Text1->setText(QStringLiteral("150"));
        form.Text1->setText(text);
        QCOMPARE(desktop.messages.size(), 1u);
        QCOMPARE(desktop.messages[0].text, QStringLiteral("10以上500以下の数値を入力してください"));
        QCOMPARE(desktop.messages[0].caption, QStringLiteral("正しい値を入力してください"));
        QCOMPARE(desktop.messages[0].icon, MessageIcon::Critical);
        QCOMPARE(form.Text1->text(), QStringLiteral("100"));
        QCOMPARE(form.layout.cellSize, 200);
        QCOMPARE(form.picture.image().size(), QSize(266, 266));
    }

    void clickThatEndsABadZoomEditLeavesTheBoardAlone()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Text1->setText(QStringLiteral("150"));
        form.Text1->setFocus();
        form.Text1->selectAll();
        QTest::keyClicks(form.Text1, QStringLiteral("abc"));
        QVERIFY(desktop.messages.empty());
        const BoardModel before = model;
        // The middle of cell (7, 7) at zoom 150 is the middle of cell (11, 11) at zoom 100.
        const int middle = BoardView::kBorderPixels + 7 * 20 + 10;
        QTest::mouseClick(form.Picture1, Qt::LeftButton, {}, QPoint(middle, middle));
        QCOMPARE(desktop.messages.size(), 1u);
        QCOMPARE(form.Text1->text(), QStringLiteral("100"));
        QVERIFY(model == before);
        // The next click is the player's own again.
        QTest::mouseClick(form.Picture1, Qt::LeftButton, {}, QPoint(middle, middle));
        QCOMPARE(model.board(11, 11), kFilled);
    }

    void zoomThatOverflowsTheLayoutIsRefusedBeforeAnythingMoves()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        model.clueSize = 20;
        model.gridWidth = 100;
        model.gridHeight = 100;
        form.redrawOrResetZoom(Form1::Redraw::Full);
        QCOMPARE(form.layout.boardWidthTw, 20000);
        form.Text1->setText(QStringLiteral("200"));  // 400 * 100 does not fit 16 bits
        QCOMPARE(desktop.messages.size(), 1u);
        QCOMPARE(desktop.lastMessage().text, QStringLiteral("10以上500以下の数値を入力してください"));
        QCOMPARE(form.Text1->text(), QStringLiteral("100"));
        QCOMPARE(form.layout.cellSize, 200);
        QCOMPARE(form.layout.boardWidthTw, 20000);
    }

    void boardThatDoesNotFitTheZoomIsShownAt100()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        form.Text1->setText(QStringLiteral("200"));
        QCOMPARE(form.layout.cellSize, 400);
        model.clueSize = 20;
        model.gridWidth = 100;
        model.gridHeight = 100;
        form.redrawOrResetZoom(Form1::Redraw::Clues);
        QCOMPARE(desktop.messages.size(), 1u);
        QCOMPARE(form.Text1->text(), QStringLiteral("100"));
        QCOMPARE(form.layout.boardWidthTw, 20000);
        QCOMPARE(form.picture.image().size(), QSize(1333, 1333));
    }

    void spinButtonsStepBy10Within10To500()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        form.UpDown1->stepUp();
        QCOMPARE(form.Text1->text(), QStringLiteral("110"));
        QCOMPARE(form.layout.cellSize, 220);
        form.Text1->setText(QStringLiteral("495"));
        form.UpDown1->stepUp();
        QCOMPARE(form.Text1->text(), QStringLiteral("500"));
        form.UpDown1->stepUp();
        QCOMPARE(form.Text1->text(), QStringLiteral("500"));
        form.Text1->setText(QStringLiteral("10"));
        form.UpDown1->stepDown();
        QCOMPARE(form.Text1->text(), QStringLiteral("10"));
        QTest::mouseClick(form.UpDown1->upButton(), Qt::LeftButton);
        QCOMPARE(form.Text1->text(), QStringLiteral("20"));
        QVERIFY(desktop.messages.empty());
    }

    void sliderSetsTheWindowOpacity()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        QCOMPARE(form.Slider1->minimum(), 64);
        QCOMPARE(form.Slider1->maximum(), 255);
        QCOMPARE(form.Slider1->value(), 255);
        QCOMPARE(form.Slider1->singleStep(), 16);
        QCOMPARE(form.Slider1->pageStep(), 32);
        QCOMPARE(form.Slider1->tickInterval(), 16);
        form.Slider1->setValue(0);  // the range keeps it at 64
        QCOMPARE(form.Slider1->value(), 64);
        QVERIFY(qAbs(form.windowOpacity() - 64 / 255.0) < 0.01);
        form.Slider1->setValue(255);
        QCOMPARE(form.windowOpacity(), 1.0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
