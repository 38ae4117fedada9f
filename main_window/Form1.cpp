// The main window's make-up, start-up, zoom box, opacity slider, start-up timer and the
// drawing operations that put the board model on screen.
#include "main_window/Form1.h"

#include "widgets/board_view.h"
#include "widgets/spin_buttons.h"
#include "widgets/tool_button_box.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

#include <algorithm>
#include <utility>

// The icons and the title picture live in the static window library, whose resources must be
// registered by hand before the first use.
static void registerWindowResources() { Q_INIT_RESOURCE(resources); }

namespace zumeli {

namespace {

// Design sizes in twips.
constexpr int kClientWidthTw = 9000;   // smallest client area: the design size
constexpr int kClientHeightTw = 6960;
constexpr int kPanelWidthTw = 1815;     // the tool panel on the right
constexpr int kStartupWidthTw = 4695;   // the start-up picture
constexpr int kStartupHeightTw = 2655;
constexpr int kStartupDelayMs = 2000;

int px(int twips) { return twipsToPixels(twips); }

bool isAcceptableZoom(const QString& text)
{
    try {
        readZoom(text.toStdString());
        return true;
    } catch (const ZoomError&) {
        return false;
    }
}


QPixmap iconResource(int number)
{
    return QPixmap(QStringLiteral(":/icons/%1.xpm").arg(number));
}

// A command button of the tool panel: a 16 x 16 picture above its caption.
QToolButton* commandButton(Retranslation& texts, QGroupBox* frame, const char* caption,
                           const char* toolTip, QStyle::StandardPixmap pixmap, int leftTw, int topTw)
{
    auto* button = new QToolButton(frame);
    texts.add([=] {
        button->setText(Form1::tr(caption));
        button->setToolTip(Form1::tr(toolTip));
    });
    button->setIcon(button->style()->standardIcon(pixmap));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setGeometry(twipsRect(leftTw, topTw, 615, 540));
    return button;
}

QCursor toolCursor(int16 tool)
{
    // The pencil points with its tip at the lower left; the rectangle pointer is a cross
    // whose centre is the point.
    const QPixmap pixmap = iconResource(103 + tool);
    return tool == 0 ? QCursor(pixmap, 1, 30) : QCursor(pixmap, 15, 15);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Main window

Form1::Form1(Desktop& desktop_, BoardModel& model_, QWidget* parent)
    : QMainWindow(parent), desktop(desktop_), model(model_)
{
    registerWindowResources();
    document_ = new BoardDocument(model, translated(kUntitled), this);
    buildControls();
    buildMenus();
    connectDocument();
    Form_Load();
}

Form1::~Form1()
{
    // The widget destructor deletes the document, whose undo stack's clearing announces a
    // change: by then this is no longer a Form1 to tell.
    disconnect(document_, nullptr, this, nullptr);
}

Form1::Parts Form1::parts()
{
    return {Picture1, boardArea, Picture2, Picture3, Picture4, Picture5, Label1, Label2,
            zoomPicture, Frame, Command1, Command2, Command3, Command4, Command5, Command6,
            Command7, Command8, Command9, Slider1, Text1, UpDown1, Timer1, statusPanels,
            undoAction, redoAction, hintAction, mistakesAction, greyFinishedAction,
            everyFiveAction, clockPanel, dragPaintAction, autoCrossAction, checkWindow, layout, picture, play, currentTool, rectStartX,
            rectStartY, dialogFileName, imagePath};
}

void Form1::connectDocument()
{
    connect(document_, &BoardDocument::titleNameChanged, this,
            [this](const QString& name) { setWindowTitle(translated(kTitlePrefix) + name); });
    connect(document_, &BoardDocument::boardReplaced, this, [this](Redraw kind) {
        forgetRectangleStart();
        redrawOrResetZoom(kind);
    });
    connect(document_, &BoardDocument::boardChanged, this, &Form1::playBoardChanged);
}

void Form1::buildControls()
{
    setWindowTitle(translated(kTitlePrefix) + document_->titleName());
    auto* client = new QWidget(this);
    setCentralWidget(client);
    client->installEventFilter(this);  // its controls follow its size
    buildBoardPicture(client);

    Picture2 = new QWidget(client);
    Picture2->setGeometry(twipsRect(7200, 0, kPanelWidthTw, 6495));
    buildPuzzleFrame();
    buildAnswerFrame();
    buildOutputFrame();
    buildAuthorFrame();
    buildToolFrame();
    buildOpacityFrame();
    buildZoomFrame();

    buildStartupPicture(client);
    buildStatusBar();
    setupPlayOverlay();
    setupGame();
}

void Form1::buildBoardPicture(QWidget* client)
{
    // The board picture sits at the top-left corner of the area left of the tool panel; when
    // the window cannot grow to the whole board (the screen is too small for it), that area
    // scrolls. With room enough it shows no scroll bar and no frame of its own.
    boardArea = new QScrollArea(client);
    boardArea->setFrameShape(QFrame::NoFrame);
    boardArea->setFocusPolicy(Qt::NoFocus);  // Tab goes to the board itself
    Picture1 = new BoardView(picture);
    boardArea->setWidget(Picture1);
    connect(Picture1, &BoardView::mouseDown, this, &Form1::boardMouseDown);
}

void Form1::pressBoard(int button, int shift, double xTw, double yTw)
{
    if (std::exchange(dropBoardPress_, false))
        return;
    const QString tool = currentTool == 0 ? tr("鉛筆") : tr("四角");
    runAsStep(tool, [=, this] {
        const std::optional<BoardModel> before =
            autoCrossAction->isChecked() ? std::optional<BoardModel>(model) : std::nullopt;
        Picture1_MouseDown(button, shift, xTw, yTw);
        autoCrossAfter(before);
    });
}

QGroupBox* Form1::addFrame(std::size_t index, const char* caption, int topTw, int heightTw)
{
    Frame.at(index) = new QGroupBox(Picture2);
    texts_.add([this, index, caption] { Frame[index]->setTitle(tr(caption)); });
    Frame[index]->setGeometry(twipsRect(120, topTw, 1575, heightTw));
    return Frame[index];
}

void Form1::buildPuzzleFrame()
{
    QGroupBox* frame = addFrame(0, QT_TR_NOOP("問題エリア"), 120, 855);
    Command1 = commandButton(texts_, frame, QT_TR_NOOP("Load"), QT_TR_NOOP("問題データの読み込み"), QStyle::SP_DialogOpenButton, 120, 240);
    Command3 = commandButton(texts_, frame, QT_TR_NOOP("Save"), QT_TR_NOOP("作成したmondaiファイルを保存します"),
                             QStyle::SP_DialogSaveButton, 840, 240);
}

void Form1::buildAnswerFrame()
{
    QGroupBox* frame = addFrame(1, QT_TR_NOOP("解答エリア"), 1080, 855);
    Command4[0] = commandButton(texts_, frame, QT_TR_NOOP("Load"), QT_TR_NOOP("解答エリアの読み込み"), QStyle::SP_DialogOpenButton, 120, 240);
    Command4[1] = commandButton(texts_, frame, QT_TR_NOOP("Save"), QT_TR_NOOP("解答エリアの保存"), QStyle::SP_DialogSaveButton, 840, 240);
}

void Form1::buildOutputFrame()
{
    QGroupBox* frame = addFrame(2, QT_TR_NOOP("印刷・画像へ出力"), 2040, 855);
    Command5 = commandButton(texts_, frame, QT_TR_NOOP("Print"), QT_TR_NOOP("印刷します(サイズは拡大率で指定可能)"),
                             QStyle::SP_FileDialogDetailedView, 120, 240);
    Command6 = commandButton(texts_, frame, QT_TR_NOOP("Save"), QT_TR_NOOP("BMPとして出力"), QStyle::SP_DriveFDIcon, 840, 240);
}

void Form1::buildAuthorFrame()
{
    QGroupBox* frame = addFrame(3, QT_TR_NOOP("問題作成"), 3000, 1335);
    Command7 = commandButton(texts_, frame, QT_TR_NOOP("New"), QT_TR_NOOP("サイズを指定して新規作成します"), QStyle::SP_FileIcon, 120, 240);
    Command9 = commandButton(texts_, frame, QT_TR_NOOP("Open"), QT_TR_NOOP("画像ファイルから問題を作成します"), QStyle::SP_DirOpenIcon, 840, 240);
    Command8 = commandButton(texts_, frame, QT_TR_NOOP("Make"), QT_TR_NOOP("解答から問題を作成します"), QStyle::SP_ArrowRight, 120, 780);
    Command2 = commandButton(texts_, frame, QT_TR_NOOP("解答"), QT_TR_NOOP("合っているかどうか判定"), QStyle::SP_DialogApplyButton, 840, 780);
}

void Form1::buildToolFrame()
{
    QGroupBox* frame = addFrame(4, QT_TR_NOOP("描画ツール"), 4440, 615);
    static const char* const toolTips[] = {
        QT_TR_NOOP("鉛筆(左クリックで点 or 消去、右クリックで×を打てます)"),
        QT_TR_NOOP("四角(終点指定時に、左クリックで塗りつぶし、右クリックで消去できます)")};
    for (int16 i = 0; i < 2; ++i) {
        Picture3[i] = new ToolButtonBox(frame);
        Picture3[i]->setGeometry(twipsRect(i == 0 ? 120 : 405, 240, 280, 280));
        texts_.add([this, i] { Picture3[i]->setToolTip(tr(toolTips[i])); });
        connect(Picture3[i], &ToolButtonBox::clicked, this, [this, i] { Picture3_Click(i); });
    }
}

void Form1::buildOpacityFrame()
{
    QGroupBox* frame = addFrame(5, QT_TR_NOOP("不透明度"), 5160, 615);
    Slider1 = new QSlider(Qt::Horizontal, frame);
    Slider1->setGeometry(twipsRect(120, 240, 1335, 255));
    Slider1->setRange(64, 255);
    Slider1->setSingleStep(16);
    Slider1->setPageStep(32);
    Slider1->setTickInterval(16);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setValue(255);
    texts_.add([this] { Slider1->setToolTip(tr("このウインドウを半透明にできます(Win2000以降で有効)")); });
    connect(Slider1, &QSlider::valueChanged, this, [this] { Slider1_Change(); });
}

void Form1::buildZoomFrame()
{
    QGroupBox* frame = addFrame(6, QT_TR_NOOP("拡大率"), 5880, 615);
    Text1 = new QLineEdit(QStringLiteral("100"), frame);
    Text1->setGeometry(twipsRect(240, 240, 600, 270));
    texts_.add([this] { Text1->setToolTip(tr("画面の表示サイズと印刷時のサイズを指定します")); });
    UpDown1 = new SpinButtons(Text1, kMinZoom, kMaxZoom, kZoomStep, 100, frame);
    UpDown1->setGeometry(twipsRect(840, 240, 255, 270));
    Label1 = new QLabel(QStringLiteral("%"), frame);
    Label1->setGeometry(twipsRect(1200, 360, 135, 150));
    zoomPicture = new QLabel(frame);
    zoomPicture->setGeometry(twipsRect(1335, 240, 240, 240));
    zoomPicture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(16, 16));
    // A zoom typed key by key passes through texts that are no zoom yet ("1" on the way to
    // "150", or an empty box): while the user is typing such a text waits until the box is
    // left or Enter is pressed. Every acceptable zoom, and every change the program or the
    // spin buttons make, is laid out at once.
    connect(Text1, &QLineEdit::textChanged, this, [this] {
        if (zoomPreset_)
            return;
        if (!Text1->hasFocus() || isAcceptableZoom(Text1->text()))
            Text1_Change();
    });
    connect(Text1, &QLineEdit::textChanged, this, &Form1::zoomTextChanged);
    connect(Text1, &QLineEdit::editingFinished, this, [this] {
        if (isAcceptableZoom(Text1->text()))
            return;
        // A press on the board that ends the edit was aimed at the board as drawn at the
        // refused zoom; once the zoom is back at 100 it would land on another cell, so the
        // board ignores that press.
        dropBoardPress_ = QApplication::focusWidget() == Picture1 &&
                          QGuiApplication::mouseButtons() != Qt::NoButton;
        Text1_Change();
    });
}

void Form1::buildStartupPicture(QWidget* client)
{
    Picture4 = new QFrame(client);
    Picture4->setFrameShape(QFrame::NoFrame);
    Picture4->setAutoFillBackground(true);
    QPalette startupPalette = Picture4->palette();
    startupPalette.setColor(QPalette::Window, QColor(192, 255, 192));
    Picture4->setPalette(startupPalette);
    Picture4->setGeometry(twipsRect(1080, 1320, kStartupWidthTw, kStartupHeightTw));
    Picture5 = new QLabel(Picture4);
    Picture5->setPixmap(QPixmap(QStringLiteral(":/pictures/title.png")));
    Picture5->setGeometry(px(480), px(240), 241, 115);
    Label2 = new QLabel(Picture4);
    texts_.add([this] { Label2->setText(tr("問題をロードしてください...")); });
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont labelFont = BoardPicture::defaultFont();
    labelFont.setPointSizeF(20.25);
    Label2->setFont(labelFont);
    Label2->setGeometry(twipsRect(0, 2160, kStartupWidthTw, 615));
    Picture4->raise();

    Timer1 = new QTimer(this);
    Timer1->setInterval(kStartupDelayMs);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();
}

void Form1::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    statusPanels[0] = new QLabel;
    statusPanels[1] = new QLabel;
    statusPanels[2] = new QLabel;
    texts_.add([this, bar] {
        bar->setToolTip(tr("ここには状態や説明などを表示します"));
        statusPanels[0]->setText(tr("Ready"));
        statusPanels[1]->setText(tr("ボタンやコントロールにあわせると説明が出ます..."));
        statusPanels[2]->setText(tr("ズメリロジック！ Zumeli"));
    });
    statusPanels[0]->setFixedWidth(px(800));
    statusPanels[1]->setMinimumWidth(px(2000));
    statusPanels[2]->setFixedWidth(px(3000));
    for (QLabel* panel : statusPanels)
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(statusPanels[0]);
    bar->addWidget(statusPanels[1], 1);
    bar->addWidget(statusPanels[2]);
}

void Form1::Form_Load()
{
    model.gridWidth = 20;
    model.gridHeight = 20;
    model.clueSize = 5;
    LayoutBoard();
    currentTool = 0;
    rectStartX = -1;
    Picture3[0]->setBorderStyle(1);
    Picture3[1]->setBorderStyle(0);
    DrawToolIcon(0, 1);
    DrawToolIcon(1, 2);
    Picture1->setCursor(toolCursor(0));
    DrawClues();
}

double Form1::zoom() const { return readZoom(Text1->text().toStdString()); }

QString Form1::zoomText() const { return Text1->text(); }

void Form1::presetZoom(const QString& text)
{
    const QScopedValueRollback<bool> preset(zoomPreset_, true);
    Text1->setText(text);
}

void Form1::LayoutBoard()
{
    // Everything is computed first, so a layout that overflows moves nothing.
    const BoardLayout next = computeLayout(zoom(), model);
    const int borderTw = pixelsToTwips(2 * BoardView::kBorderPixels);
    const int statusTw = pixelsToTwips(statusBar()->sizeHint().height());
    const int16 clientWidthTw =
        std::max<int16>(add16(add16(next.boardWidthTw, borderTw), kPanelWidthTw), kClientWidthTw);
    const int16 clientHeightTw =
        std::max<int16>(add16(add16(next.boardHeightTw, borderTw), statusTw), kClientHeightTw);
    layout = next;

    Picture1->resize(px(layout.boardWidthTw) + 2 * BoardView::kBorderPixels,
                     px(layout.boardHeightTw) + 2 * BoardView::kBorderPixels);
    boardClientSize_ = QSize(px(clientWidthTw), px(clientHeightTw));
    fitWindowToScreen();
    placeControls();
    picture.resize(layout.boardWidthTw, layout.boardHeightTw);
    DrawGrid();
}

void Form1::fitWindowToScreen()
{
    QSize client = boardClientSize_;
    const QScreen* shownOn = isVisible() ? screen() : nullptr;
    if (shownOn) {
        // A window on screen grows no further than the screen's free area (its frame
        // included): the board scrolls instead of disappearing under the screen's edge. It
        // never becomes smaller than the designed window.
        const QRect available = shownOn->availableGeometry();
        const QSize frame = frameGeometry().size() - size();
        const QSize largest = available.size() - frame - QSize(0, menuBarHeight());
        // A scroll bar the board needs one way takes room from the other way: the window
        // grows by it where it still can, so that way shows the whole board. (A scroll bar
        // across may call for one down, which may call for more room across: twice covers it.)
        const QSize around(px(kPanelWidthTw), statusBar()->sizeHint().height());
        const QSize room = largest - around;  // the most the board's area can get
        const QSize board = Picture1->size();
        const int downBar = boardArea->verticalScrollBar()->sizeHint().width();
        const int acrossBar = boardArea->horizontalScrollBar()->sizeHint().height();
        bool scrollsDown = false;
        bool scrollsAcross = false;
        for (int pass = 0; pass < 2; ++pass) {
            scrollsDown = board.height() + (scrollsAcross ? acrossBar : 0) > room.height();
            scrollsAcross = board.width() + (scrollsDown ? downBar : 0) > room.width();
        }
        client = client.expandedTo(board + around + QSize(scrollsDown ? downBar : 0, scrollsAcross ? acrossBar : 0));
        client = client.boundedTo(largest).expandedTo(QSize(px(kClientWidthTw), px(kClientHeightTw)));
    }
    // The menu bar sits above all of it: the window grows by its height.
    setFixedSize(client.width(), client.height() + menuBarHeight());
    if (shownOn) {
        // Grown where it stood, the window is moved back as far as needed to lie on the screen.
        const QRect available = shownOn->availableGeometry();
        const QRect outer = frameGeometry();
        const int left = std::max(available.left(),
                                  std::min(outer.left(), available.right() + 1 - outer.width()));
        const int top = std::max(available.top(),
                                 std::min(outer.top(), available.bottom() + 1 - outer.height()));
        if (left != outer.left() || top != outer.top())
            move(left, top);
    }
}

void Form1::placeControls()
{
    // On screen, the area between the menu bar and the status bar as the window's layout
    // made it: a window manager may have given the window less than it asked for. Before the
    // window is shown its layout has not run: the area is the window less both bars.
    const QSize area = isVisible()
                           ? centralWidget()->size()
                           : QSize(width(), height() - menuBarHeight() - statusBar()->sizeHint().height());
    const int clientWidth = area.width();
    const int areaHeight = area.height();
    const int panelLeft = clientWidth - px(kPanelWidthTw);
    boardArea->setGeometry(0, 0, panelLeft, areaHeight);
    Picture2->setGeometry(panelLeft, 0, px(kPanelWidthTw), areaHeight);
    Picture4->move((clientWidth - Picture4->width()) / 2, (areaHeight - Picture4->height()) / 2);
}

void Form1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    fitWindowToScreen();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize && Picture2)
        placeControls();
    return QMainWindow::eventFilter(watched, event);
}

int Form1::menuBarHeight() const
{
    return menuWidget() ? menuWidget()->sizeHint().height() : 0;
}

void Form1::DrawGrid()
{
    drawGrid(picture, model, layout);
    Picture1->setBorderLines(borderLines(model, layout));
    Picture1->update();
}

void Form1::DrawClues()
{
    LayoutBoard();
    drawClueNumbers(picture, model, layout, zoom());
    Picture1->update();
}

void Form1::RedrawBoard()
{
    DrawClues();
    drawAnswerCells(picture, model, layout);
    Picture1->update();
}

void Form1::DrawCell(int16 x, int16 y)
{
    drawCell(picture, model.board(x, y), x, y, layout);
    // Only the cell's square (outline included) changed: the screen repaints that alone.
    const int left = cellToTwips(x, layout.cellSize);
    const int top = cellToTwips(y, layout.cellSize);
    const QRect cell(QPoint(px(left), px(top)),
                     QPoint(px(left + layout.cellSize), px(top + layout.cellSize)));
    Picture1->update(cell.translated(Picture1->contentsRect().topLeft()));
}

void Form1::DrawToolIcon(int16 index, int16 offset)
{
    // The 32 x 32 icon drawn scaled into a 16 x 16 square at the button's top-left corner.
    const QPixmap icon = iconResource(100 + offset);
    Picture3.at(index)->setPicture(
        icon.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void Form1::showZoomMessageAndReset()
{
    desktop.messageBox(translated(kZoomMessage), translated(kBadValueTitle), MessageButtons::Ok, MessageIcon::Critical);
    if (Text1->text() == QStringLiteral("100"))
        Text1_Change();  // the text does not change, so lay out at 100 here
    else
        Text1->setText(QStringLiteral("100"));  // runs Text1_Change, which lays out at 100
}

void Form1::Text1_Change()
{
    // The board rebuilt at the new cell size; a text that is no zoom, or a zoom at which the
    // board does not fit, is answered with the zoom message and the zoom back at 100.
    redrawOrResetZoom(Redraw::Full);
}

void Form1::redrawOrResetZoom(Redraw kind)
{
    try {
        if (kind == Redraw::Full) {
            LayoutBoard();
            DrawGrid();
            RedrawBoard();
        } else {
            DrawClues();
        }
    } catch (const ZoomError&) {
        showZoomMessageAndReset();
    } catch (const OverflowError&) {
        showZoomMessageAndReset();
    }
}

void Form1::Slider1_Change()
{
    // The slider's byte is the window's opacity: 255 opaque, 64 the most transparent.
    setWindowOpacity(Slider1->value() / 255.0);
}

void Form1::Timer1_Timer()
{
    Picture4->hide();
    Timer1->stop();
}

void Form1::forgetRectangleStart()
{
    // A corner chosen on the old board is abandoned; the prompt asks for a start point again.
    if (rectStartX != -1 && currentTool == 1)
        setStatusText(tr("始点を指定してください"));
    rectStartX = -1;
}

void Form1::setStatusText(const QString& text) { statusPanels[1]->setText(text); }

QString Form1::statusText() const { return statusPanels[1]->text(); }

void Form1::selectToolAppearance(int16 index)
{
    Picture1->setCursor(toolCursor(index));
    Picture3[0]->setBorderStyle(index == 0 ? 1 : 0);
    Picture3[1]->setBorderStyle(index == 0 ? 0 : 1);
}

} // namespace zumeli
