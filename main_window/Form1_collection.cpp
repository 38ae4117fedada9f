// Main-window handler of 問題 → 問題集: a puzzle of the collection on an empty answer area.
#include "main_window/Form1.h"

#include "dialogs/collection_browser.h"
#include "files/progress_store.h"
#include "formats/board_clues.h"
#include "formats/puzzle_key.h"

namespace zumeli {

void Form1::openCollection()
{
    std::vector<CollectionPuzzle> puzzles;
    try {
        const QString folder = findCollectionFolder(collectionFolders);
        if (!folder.isEmpty())
            puzzles = loadCollection(folder);
    } catch (const std::exception&) {
        puzzles.clear();  // a damaged collection is answered like a missing one
    }
    if (puzzles.empty()) {
        desktop.messageBox(tr("問題集が見つかりませんでした"), QStringLiteral("Zumeli"), MessageButtons::Ok,
                           MessageIcon::Critical);
        return;
    }
    CollectionBrowser browser(std::move(puzzles), collectionProgress, this);
    desktop.execDialog(browser);
    const CollectionPuzzle* chosen = browser.chosenPuzzle();
    if (!chosen)
        return;
    const bool solved = browser.chosenProgress().solved;
    // Loaded as the Load command loads a puzzle file, but the collection's file never becomes
    // the name the file dialogs suggest, and the title names the puzzle only once it is solved.
    QString notCarried;
    runFileStep(desktop, notCarried, chosen->path, [&](const QString& path) {
        loadPuzzleFile(path);
        collectionBoard_ = CollectionBoard{chosen->puzzle, QString::fromStdString(chosen->entry.title)};
        document_->setTitleName(solved ? collectionBoard_->title : kUntitled);
    });
}

void Form1::setProgressStore(ProgressStore* store)
{
    progress_ = store;
    if (!store) {
        collectionProgress = nothingSolved;
        return;
    }
    collectionProgress = [store](const solver::Puzzle& puzzle) {
        const PuzzleProgress progress = store->progressOf(QString::fromStdString(puzzleKey(puzzle)));
        return CollectionProgress{progress.solved, progress.bestMilliseconds};
    };
}

void Form1::showCollectionTitleIfSolved()
{
    if (collectionBoard_ && sameClues(puzzleFromBoard(model), collectionBoard_->clues))
        document_->setTitleName(collectionBoard_->title);
}

} // namespace zumeli
