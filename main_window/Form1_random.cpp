// Main-window handler of 問題 → ランダム問題: a fresh puzzle with exactly one solution.
#include "main_window/Form1.h"

#include "dialogs/random_puzzle_dialog.h"

#include <QRandomGenerator>

namespace zumeli {

void Form1::randomPuzzle()
{
    RandomPuzzleDialog dialog(desktop, this);
    desktop.execDialog(dialog);
    // A cancel or a close keeps the board the user had, and so does a cancelled generation.
    if (!dialog.chosenSettings())
        return;
    const std::optional<BoardModel> board = generateWithProgress(
        desktop, this, *dialog.chosenSettings(), QRandomGenerator::global()->generate64());
    if (!board)
        return;
    document_->replaceBoard(*board, translated(kUntitled), Redraw::Full);
    startPlay();
}

} // namespace zumeli
