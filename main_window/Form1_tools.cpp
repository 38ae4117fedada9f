// Main-window handlers of the drawing tools, clue derivation (Make) and the answer check.
#include "main_window/Form1.h"

#include "author/clue_derivation.h"
#include "solve/answer_check.h"
#include "solve/drawing_tools.h"

namespace zumeli {

namespace {

const char* const kPromptStart = QT_TRANSLATE_NOOP("zumeli::Form1", "始点を指定してください");
const char* const kPromptEnd = QT_TRANSLATE_NOOP("zumeli::Form1", "終点を指定してください");
const char* const kNotAnswerArea = QT_TRANSLATE_NOOP("zumeli::Form1", "ここは解答エリアではありません");

} // namespace

void Form1::Picture3_Click(int16 index)
{
    currentTool = index;
    forgetRectangleStart();  // also when the selected tool is clicked again
    selectToolAppearance(index);
    if (index == 1)
        setStatusText(tr(kPromptStart));
}

void Form1::Picture1_MouseDown(int button, int /*shift*/, double x, double y)
{
    const BoardPoint hit = cellAt(x, y, layout.cellSize);
    if (!model.isAnswerCell(hit.x, hit.y)) {
        // The clue band (or the picture's frame around the board): only the notice; a
        // pending rectangle corner stays pending.
        setStatusText(tr(kNotAnswerArea));
        return;
    }
    const int16 column = toInt16(hit.x);
    const int16 row = toInt16(hit.y);
    if (currentTool == 0) {
        model.board(column, row) = pencilValue(model.board(column, row), button);
    } else {
        switch (pressRectangle(model, {rectStartX, rectStartY}, column, row, button)) {
        case RectanglePress::StartChosen:
            setStatusText(tr(kPromptEnd));
            break;
        case RectanglePress::Applied:
            RedrawBoard();
            setStatusText(tr(kPromptStart));
            break;
        case RectanglePress::Ignored:
            break;
        }
    }
    DrawCell(column, row);
}

void Form1::Command8_Click()
{
    endPlay();
    deriveClues(model);
    // The clue band and every answer cell; the dimensions did not change, so the layout fits.
    redrawOrResetZoom(Redraw::Full);
}

void Form1::Command2_Click()
{
    if (answerMatchesClues(model)) {
        showCollectionTitleIfSolved();
        desktop.messageBox(tr("答えと一致しました"), tr("大当たり！"),
                           MessageButtons::Ok, MessageIcon::Information);
    } else {
        desktop.messageBox(tr("残念！\r\n答えと一致しませんでした"),
                           tr("間違いです"), MessageButtons::Ok,
                           MessageIcon::Information);
    }
}

} // namespace zumeli
