// What the board picture control paints over the board picture to help a player: the hinted
// line and cells, the mistakes, the finished clues greyed, the thicker line every five cells
// and the keyboard cursor. None of it
// is ever drawn into the board picture, so the printer and the bitmap export never see it.
#pragma once

#include "board/board_model.h"
#include "board/layout.h"
#include "solve/hint.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace zumeli {

struct PlayOverlay {
    // The last hint with a line to show (cells to mark, or a line that contradicts its
    // marks), and the board dimensions and clue numbers it was found on.
    std::optional<Hint> hint;
    BoardModel hintBoard;
    // The marks that differ from the one solution, until the board next changes.
    std::vector<BoardPoint> mistakes;
    // The プレイ menu's option: lines whose filled cells form their clues have them greyed.
    bool greyFinished = false;
    // The プレイ menu's option: a thicker line after every fifth answer column and row, to
    // help counting on a large board.
    bool everyFiveLines = false;
    // Which lines (in the order of answerLines) were finished when last looked at.
    std::vector<bool> finishedLines;
    // Looks at every line again; returns those that became finished or stopped being finished
    // (every line when the board's dimensions changed).
    std::vector<BoardLine> refreshFinished(const BoardModel& model);
    // The keyboard cursor, in answer-area cells from its top-left corner; shown once a key
    // is pressed on the board, hidden again by a mouse press on it or when it loses focus.
    bool cursorShown = false;
    int cursorColumn = 0;
    int cursorRow = 0;

    // The notice of a puzzle completed in play (「完成！ 3:25」), shown over the middle of the
    // answer area until the fills stop agreeing with the clues.
    std::optional<QString> completionNotice;
    // While a drag paints: the length of its run, shown beside the pointer (pixels of the
    // picture).
    struct DragRun {
        QPoint pointer;
        int length = 0;
    };
    std::optional<DragRun> dragRun;

    // The cursor's board cell, kept inside the answer area when the board has shrunk.
    BoardPoint cursorCell(const BoardModel& model) const;
    // Whether anything is painted apart from the cursor.
    bool showsBoardHelp() const { return hint || !mistakes.empty() || greyFinished || everyFiveLines; }
    // The board changed: the mistakes go, the hint keeps only the cells still unmarked (and
    // goes when none are left, or when the dimensions or its line's clues changed).
    void boardChanged(const BoardModel& model);
};

// The pixels of the line's clue cells.
QRect clueStrip(const BoardModel& model, BoardLine line, const BoardLayout& layout);

// Paints the overlay with `painter` placed at the board picture's top-left pixel. A pending
// rectangle corner (rectStartX != -1) is shown as the block up to the cursor while the
// cursor is shown.
void paintPlayOverlay(QPainter& painter, const PlayOverlay& overlay, const BoardModel& model,
                      const BoardLayout& layout, BoardPoint rectangleStart);

} // namespace zumeli
