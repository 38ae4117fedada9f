// The collection browser (問題 → 問題集...): the picture puzzles grouped by level and size, a
// 「？」 for each unsolved one, its picture and best time once solved.
#pragma once

#include "files/collection.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace zumeli {

// The name of a level 1..5 (入門 .. 達人), translated.
QString collectionLevelName(int level);
// A best time as the browser shows it: "m:ss", or "h:mm:ss" from an hour on.
QString bestTimeText(qint64 milliseconds);
// The puzzle's picture, one pixel per cell, black on white: its one solution, as the player
// drew it. Null when the solver finds no unique solution.
QImage collectionThumbnail(const solver::Puzzle& puzzle);

class CollectionBrowser : public QDialog {
    Q_OBJECT

public:
    // Shows `puzzles` with the progress `lookup` gives for each.
    CollectionBrowser(std::vector<CollectionPuzzle> puzzles, CollectionProgressLookup lookup,
                      QWidget* parent = nullptr);

    // The puzzle chosen by Enter or a double-click (the dialog is then accepted); none before.
    const CollectionPuzzle* chosenPuzzle() const;
    // The progress of the chosen puzzle, as the lookup gave it.
    CollectionProgress chosenProgress() const;

    QTreeWidget* tree = nullptr;          // levels, their sizes, and the puzzles
    QCheckBox* unsolvedOnly = nullptr;    // 未解決のみ

private:
    void fillTree();
    void addPuzzleItem(QTreeWidgetItem* sizeItem, std::size_t index);
    void choose(QTreeWidgetItem* item);

    std::vector<CollectionPuzzle> puzzles_;
    std::vector<CollectionProgress> progress_;
    std::optional<std::size_t> chosen_;
};

} // namespace zumeli
