// The main window: the board picture, the tool panel, the status bar and every command handler.
#pragma once

#include "board/drawing/board_document.h"
#include "files/translated_text.h"
#include "board/drawing/board_drawing.h"
#include "board/board_model.h"
#include "board/drawing/board_picture.h"
#include "board/drawing/board_step.h"
#include "board/layout.h"
#include "desktop/desktop.h"
#include "files/collection.h"
#include "files/file_flow.h"
#include "formats/saved_parts.h"
#include "main_window/play_overlay.h"
#include "solve/drag_paint.h"
#include "solve/engine/puzzle.h"
#include "solve/play_clock.h"
#include "widgets/board_view.h"
#include "widgets/dialog_shared.h"
#include "widgets/retranslation.h"
#include "widgets/tool_button_box.h"

#include <QFrame>
#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QScrollArea;
class QSlider;
class QAction;
class QTimer;
class QToolButton;
class QUndoStack;
class QWidget;

namespace zumeli {

class ProgressStore;
class PuzzleCheckWindow;
class SpinButtons;

// The message refusing a zoom (titled kBadValueTitle).
inline const QString kZoomMessage = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "10以上500以下の数値を入力してください"));

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(Desktop& desktop, BoardModel& model = theBoard(), QWidget* parent = nullptr);
    ~Form1() override;

    // Drawing operations of the board picture. They throw ZoomError or OverflowError.
    void LayoutBoard();
    void DrawGrid();
    void DrawClues();
    void RedrawBoard();
    void DrawCell(int16 x, int16 y);
    void DrawToolIcon(int16 index, int16 offset);

    // The board shown in the window: the model, the title's file name, undo and redo and
    // whether the board is saved.
    BoardDocument& document() { return *document_; }
    const BoardDocument& document() const { return *document_; }

    // What the board needs after it was changed or replaced: a full rebuild
    // (LayoutBoard, DrawGrid, RedrawBoard) or the clue band (DrawClues). A layout that does
    // not fit at the current zoom is answered like a bad zoom: the zoom message, the zoom back
    // to 100 and the board laid out at 100.
    using Redraw = BoardDocument::Redraw;
    // Runs a handler as one step of the document's undo; a drag still held is recorded first.
    void runAsStep(const QString& stepName, const std::function<void()>& handler);
    void redrawOrResetZoom(Redraw kind);

    // A pending rectangle corner never survives a change of board.
    void forgetRectangleStart();

    // Writes the puzzle as .non or webpbn XML through the shared file flow.
    void exportPuzzle(FileCommand command);
    // Shows the puzzle check window and starts checking the clue band as it stands.
    void openCheckWindow();
    void setStatusText(const QString& text); // the second status-bar panel
    QString statusText() const;
    double zoom() const;                     // the zoom box read as a number
    QString zoomText() const;                // the zoom box as typed
    // Writes `text` into the zoom box without laying the board out: the next redraw (of a
    // board about to replace this one) is the first at the new zoom.
    void presetZoom(const QString& text);

    // Event handlers.
    void Form_Load();
    void Text1_Change();
    void Slider1_Change();
    void Timer1_Timer();
    void Picture3_Click(int16 index);
    void Picture1_MouseDown(int button, int shift, double x, double y);
    void Command1_Click();  // load puzzle
    void Command2_Click();  // answer check
    void Command3_Click();  // save puzzle
    void Command4_Click(int16 index);  // answer state: 0 load, 1 save
    void Command5_Click();  // print
    void Command6_Click();  // bitmap export
    void Command7_Click();  // new puzzle
    void Command8_Click();  // clues from the drawing
    void Command9_Click();  // puzzle from image
    void randomPuzzle();    // 問題 → ランダム問題: clues of a new puzzle on an empty answer area
    // 問題 → 問題集: the collection browser; the puzzle chosen there is loaded as its file
    // would be, its clues on an empty answer area, titled 名称未指定 until it is solved.
    void openCollection();
    // The player's progress on a collection puzzle, shown by the browser; nothing solved
    // unless the program sets a lookup.
    CollectionProgressLookup collectionProgress = nothingSolved;
    // Where 問題集 looks for the collection, first folder first (collection.h).
    QStringList collectionFolders = collectionFolderCandidates();
    // A puzzle from any picture Qt reads, through the detailed import dialog.
    void importPicture();
    // The check window's repair accepted: the answer area becomes `picture`, the clue band is
    // derived from it as Make does, all as one step named `stepName`; then the check runs
    // again. A picture that no longer fits the answer area is ignored.
    void applyRepairedPicture(const QString& stepName, const solver::CellGrid& picture);

    // Opens the files named on the command line as the Load commands would: a puzzle, and
    // then, if given, an answer state for it. Nothing happens when no puzzle is named.
    void openFromCommandLine(const QString& puzzlePath, const QString& statePath = {});

    Desktop& desktop;

    // Help for the player (Form1_play.cpp): the プレイ menu and play from the keyboard.
    void Hint_Click();      // one line that line logic advances, shown over the board
    void Mistakes_Click();  // the marks that differ from the one solution, shown over the board
    // A key pressed on the board picture control: the arrows move the cursor cell, Space and
    // Enter press it as the left button would, X as the right.
    void boardKey(int key, int shift);

    // Play (Form1_game.cpp): a puzzle being solved, timed by the clock in the status bar, its
    // completion told at once over the board, its progress recorded. Starts play on the board
    // as it stands (a puzzle loaded, a random puzzle, a puzzle of a collection); a board with
    // an empty clue band is no puzzle to play. Play ends with New, Open, Make and any change
    // of the clues (undoing the load included).
    void startPlay();
    void endPlay();
    bool inPlay() const { return inPlay_; }
    // Whether the fills agree with the clues since the last completion told in play.
    bool playCompleted() const { return play.completionNotice.has_value(); }
    // Where the progress of every puzzle played is recorded; none (nothing recorded) unless set.
    // The collection browser reads the same store.
    void setProgressStore(ProgressStore* store);
    // The play clock's time source (milliseconds); the tests move it by hand.
    void setPlayClockSource(PlayClock::Source now);
    qint64 playMilliseconds() const { return playClock_.elapsed(); }
    bool playClockRunning() const { return playClock_.running(); }

    // What tests and the benchmark reach inside the window: the controls under their designed
    // names, and what the handlers draw with and remember. A test may set a pending rectangle
    // corner and the file dialog's name, and paint over the picture; the rest is only seen.
    struct Parts {
        BoardView* Picture1;
        QScrollArea* boardArea;
        QWidget* Picture2;
        std::array<ToolButtonBox*, 2> Picture3;
        QFrame* Picture4;
        QLabel* Picture5;
        QLabel* Label1;
        QLabel* Label2;
        QLabel* zoomPicture;
        std::array<QGroupBox*, 7> Frame;
        QToolButton* Command1;
        QToolButton* Command2;
        QToolButton* Command3;
        std::array<QToolButton*, 2> Command4;
        QToolButton* Command5;
        QToolButton* Command6;
        QToolButton* Command7;
        QToolButton* Command8;
        QToolButton* Command9;
        QSlider* Slider1;
        QLineEdit* Text1;
        SpinButtons* UpDown1;
        QTimer* Timer1;
        std::array<QLabel*, 3> statusPanels;
        QAction* undoAction;
        QAction* redoAction;
        QAction* hintAction;
        QAction* mistakesAction;
        QAction* greyFinishedAction;
        QAction* everyFiveAction;
        QLabel* clockPanel;
        QAction* dragPaintAction;
        QAction* autoCrossAction;
        PuzzleCheckWindow* const& checkWindow;  // none until the check window is first opened
        const BoardLayout& layout;
        BoardPicture& picture;
        const PlayOverlay& play;
        const int16& currentTool;
        int16& rectStartX;
        int16& rectStartY;
        QString& dialogFileName;
        const QString& imagePath;
    };
    Parts parts();

signals:
    // The zoom box's text changed, by the user, the spin buttons or the program.
    void zoomTextChanged(const QString& text);
    // The puzzle in play (its key, formats/puzzle_key.h) was just completed, in that time.
    void puzzleSolved(const QString& key, qint64 milliseconds);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    BoardModel& model;

    // The layout values in twips (cellSize, boardWidthTw, boardHeightTw, clueBandTw), set by
    // LayoutBoard and read by every drawing operation and the hit test; and the tool state.
    BoardLayout layout;
    int16 currentTool = 0;
    int16 rectStartX = -1;
    int16 rectStartY = 0;

    // The file dialog's file name, carried from one file command to the next.
    QString dialogFileName;
    // The full path of the image chosen by the Open command.
    QString imagePath;

    BoardPicture picture;  // the board picture's persistent image
    PuzzleCheckWindow* checkWindow = nullptr;

    // Controls.
    BoardView* Picture1 = nullptr;
    QScrollArea* boardArea = nullptr;  // holds Picture1; scrolls when the screen is too small
    QWidget* Picture2 = nullptr;
    std::array<ToolButtonBox*, 2> Picture3{};
    QFrame* Picture4 = nullptr;
    QLabel* Picture5 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* zoomPicture = nullptr;
    std::array<QGroupBox*, 7> Frame{};
    QToolButton* Command1 = nullptr;
    QToolButton* Command2 = nullptr;
    QToolButton* Command3 = nullptr;
    std::array<QToolButton*, 2> Command4{};
    QToolButton* Command5 = nullptr;
    QToolButton* Command6 = nullptr;
    QToolButton* Command7 = nullptr;
    QToolButton* Command8 = nullptr;
    QToolButton* Command9 = nullptr;
    QSlider* Slider1 = nullptr;
    QLineEdit* Text1 = nullptr;
    SpinButtons* UpDown1 = nullptr;
    QTimer* Timer1 = nullptr;
    std::array<QLabel*, 3> statusPanels{};
    QAction* undoAction = nullptr;  // the undo stack's own actions, in the 編集 menu
    QAction* redoAction = nullptr;

    QAction* hintAction = nullptr;
    QAction* mistakesAction = nullptr;
    QAction* greyFinishedAction = nullptr;  // checkable, off at start
    QAction* everyFiveAction = nullptr;     // checkable, off at start
    PlayOverlay play;  // painted by the board picture control over the picture, never into it

    QLabel* clockPanel = nullptr;          // the status bar's clock, shown only in play
    QAction* dragPaintAction = nullptr;    // checkable, off at start
    QAction* autoCrossAction = nullptr;    // checkable, off at start

    // The window follows its document: the title, and the board drawn anew when replaced.
    void connectDocument();
    // The window's make-up, frame by frame down the tool panel.
    void buildControls();
    void buildBoardPicture(QWidget* client);
    QGroupBox* addFrame(std::size_t index, const char* caption, int topTw, int heightTw);
    void buildPuzzleFrame();
    void buildAnswerFrame();
    void buildOutputFrame();
    void buildAuthorFrame();
    void buildToolFrame();
    void buildOpacityFrame();
    void buildZoomFrame();
    void buildStartupPicture(QWidget* client);
    void buildStatusBar();
    void buildMenus();
    void buildFileMenu(QMenuBar* bar);
    void buildEditMenu(QMenuBar* bar);
    void buildPuzzleMenu(QMenuBar* bar);
    void buildToolMenu(QMenuBar* bar);
    QAction* addCommand(QMenu* menu, const char* text, std::function<void()> handler,
                        const QList<QKeySequence>& keys = {});
    // A menu or an item whose text (marked with QT_TR_NOOP) follows the language.
    QMenu* translatedText(QMenu* menu, const char* title);
    QAction* translatedText(QAction* action, const char* text);
    void buildUndoActions(QMenu* edit);
    // ツール → 表示言語: automatic or one of the languages Zumeli speaks, kept in the settings
    // and applied at once.
    void buildLanguageMenu(QMenu* tools);
    void chooseLanguage(const QString& setting);
    // Every text of the window set again in the language now installed.
    void retranslateUi();
    Retranslation texts_;
    QString untitledText_ = translated(kUntitled);  // kUntitled as last shown
    int menuBarHeight() const;
    // The client area (below the menu bar) that shows the whole board and the tool panel,
    // as LayoutBoard last computed it.
    QSize boardClientSize_;
    // Sizes the window to boardClientSize_, or, on screen, to as much of it as the screen
    // holds, and keeps the window on the screen.
    void fitWindowToScreen();
    // Places the board's area, the tool panel and the start-up picture in the window as large
    // as it now is.
    void placeControls();
    // The collection puzzle on the board (its clues and title), until another board replaces
    // it: the answer check that finds it solved shows its title.
    struct CollectionBoard {
        solver::Puzzle clues;
        QString title;
    };
    std::optional<CollectionBoard> collectionBoard_;
    void showCollectionTitleIfSolved();
    // The steps of the two Load commands once the file is known.
    void loadPuzzleFile(const QString& path);
    void loadAnswerStateFile(const QString& path);
    BoardDocument* document_ = nullptr;
    void selectToolAppearance(int16 index);
    void showZoomMessageAndReset();
    bool dropBoardPress_ = false;  // the press that ended a refused zoom edit
    bool zoomPreset_ = false;      // the zoom box is being preset: no layout yet
    // A press on the board, from the mouse or the keyboard, run as one step with the tool.
    void pressBoard(int button, int shift, double xTw, double yTw);
    void buildPlayMenu(QMenuBar* bar);
    // A checkable option of a menu, kept in the desktop's settings under `key`: set as it was
    // left at the last run (off when it was never changed), and stored each time it changes.
    void rememberOption(QAction* option, const QString& key);
    void setupPlayOverlay();
    // A step changed the board, or undo or redo brought another side back.
    void playBoardChanged();
    // A text of the player's help in the status-text panel; it speaks of the board as it was
    // asked about, so the next change of the board takes it away again.
    void showHelpText(const QString& text);
    // The help text on show (none when the panel shows something else), and what the panel
    // showed before it, which comes back when the board changes.
    std::optional<QString> helpText_;
    QString statusBeforeHelp_;
    // Play (Form1_game.cpp).
    void buildGameOptions(QMenu* menu);
    void setupGame();
    // After every change of the board: completion, or the end of play when the clues changed.
    void checkCompletion();
    // The fills agree with the clues now: the baseline of a play started (or an answer state
    // loaded into it), which is no completion.
    void takePlayBaseline();
    void completePlay();
    void updatePlayPause();
    void showPlayClock();
    bool inPlay_ = false;
    bool playAgreed_ = false;
    bool applicationActive_ = false;
    QString playKey_;
    PlayClock playClock_;
    QTimer* playClockTimer_ = nullptr;
    ProgressStore* progress_ = nullptr;
    // A press on the board from the mouse: starts a drag when drag painting is on.
    void boardMouseDown(int button, int shift, double xTw, double yTw);
    bool startDrag(int button, int shift, double xTw, double yTw);
    void dragMove(double xTw, double yTw);
    void finishDrag();
    // With auto-cross on, the lines the change from `before` finished get their crosses.
    void autoCrossAfter(const std::optional<BoardModel>& before);
    std::optional<DragPaint> drag_;
    BoardModel dragBefore_;
    // The unique solution last found for the mistakes, and the clues it was found for.
    std::vector<std::vector<int>> mistakeRows_, mistakeColumns_;
    std::optional<solver::CellGrid> mistakeSolution_;
};

} // namespace zumeli
