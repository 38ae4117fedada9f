// The collection browser: a tree of levels, sizes and puzzles, the 未解決のみ filter, and
// Enter or a double-click to choose a puzzle.
#include "dialogs/collection_browser.h"

#include "solve/engine/solver.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

namespace zumeli {

namespace {

constexpr std::array<const char*, kCollectionLevels> kLevelNames{
    QT_TRANSLATE_NOOP("CollectionBrowser", "入門"), QT_TRANSLATE_NOOP("CollectionBrowser", "初級"),
    QT_TRANSLATE_NOOP("CollectionBrowser", "中級"), QT_TRANSLATE_NOOP("CollectionBrowser", "上級"),
    QT_TRANSLATE_NOOP("CollectionBrowser", "達人")};

// The side of a puzzle's picture in the list, in pixels: a 50 x 50 picture at one pixel a cell.
constexpr int kThumbnailSide = 50;
// The data role that holds a puzzle item's index into the collection.
constexpr int kPuzzleIndexRole = Qt::UserRole + 1;

QString sizeText(int width, int height)
{
    return QStringLiteral("%1×%2").arg(width).arg(height);
}

} // namespace

QString collectionLevelName(int level)
{
    if (level < 1 || level > kCollectionLevels)
        return {};
    return QCoreApplication::translate("CollectionBrowser", kLevelNames[static_cast<std::size_t>(level - 1)]);
}

QString bestTimeText(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    const QChar zero(u'0');
    if (seconds < 3600)
        return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, zero);
    return QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, zero).arg(seconds % 60, 2, 10, zero);
}

QImage collectionThumbnail(const solver::Puzzle& puzzle)
{
    const solver::SolveResult result = solver::solve(puzzle);
    if (result.verdict != solver::Verdict::Unique)
        return {};
    const solver::CellGrid& solution = result.solutions.front();
    QImage picture(solution.width, solution.height, QImage::Format_RGB32);
    for (int y = 0; y < solution.height; ++y)
        for (int x = 0; x < solution.width; ++x)
            picture.setPixel(x, y, solution.at(x, y) == solver::Cell::Filled ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return picture;
}

CollectionBrowser::CollectionBrowser(std::vector<CollectionPuzzle> puzzles, CollectionProgressLookup lookup,
                                     QWidget* parent)
    : QDialog(parent), puzzles_(std::move(puzzles))
{
    setWindowTitle(tr("問題集"));
    if (!lookup)
        lookup = nothingSolved;
    for (const CollectionPuzzle& p : puzzles_)
        progress_.push_back(lookup(p.puzzle));

    tree = new QTreeWidget(this);
    tree->setColumnCount(3);
    tree->setHeaderLabels({tr("問題"), tr("大きさ"), tr("ベストタイム")});
    tree->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    tree->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    unsolvedOnly = new QCheckBox(tr("未解決のみ"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree);
    layout->addWidget(unsolvedOnly);
    layout->addWidget(buttons);
    resize(520, 560);

    connect(unsolvedOnly, &QCheckBox::toggled, this, [this] { fillTree(); });
    connect(tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { choose(item); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fillTree();
}

const CollectionPuzzle* CollectionBrowser::chosenPuzzle() const
{
    return chosen_ ? &puzzles_[*chosen_] : nullptr;
}

CollectionProgress CollectionBrowser::chosenProgress() const
{
    return chosen_ ? progress_[*chosen_] : CollectionProgress{};
}

void CollectionBrowser::fillTree()
{
    tree->clear();
    std::vector<CollectionEntry> entries;
    std::vector<bool> shown;
    for (std::size_t i = 0; i < puzzles_.size(); ++i) {
        entries.push_back(puzzles_[i].entry);
        shown.push_back(!(unsolvedOnly->isChecked() && progress_[i].solved));
    }
    QTreeWidgetItem* levelItem = nullptr;
    int level = 0;
    for (const CollectionGroup& group : groupCollection(entries, shown)) {
        if (group.level != level) {
            level = group.level;
            levelItem = new QTreeWidgetItem(tree, {collectionLevelName(level)});
            levelItem->setExpanded(true);
        }
        auto* sizeItem = new QTreeWidgetItem(
            levelItem, {tr("%1（%2 問）").arg(sizeText(group.width, group.height)).arg(group.members.size())});
        sizeItem->setExpanded(true);
        for (const std::size_t index : group.members)
            addPuzzleItem(sizeItem, index);
    }
    if (QTreeWidgetItem* first = tree->topLevelItemCount() ? tree->topLevelItem(0) : nullptr)
        tree->setCurrentItem(first);
}

void CollectionBrowser::addPuzzleItem(QTreeWidgetItem* sizeItem, std::size_t index)
{
    const CollectionPuzzle& p = puzzles_[index];
    const CollectionProgress& progress = progress_[index];
    auto* item = new QTreeWidgetItem(sizeItem);
    item->setData(0, kPuzzleIndexRole, static_cast<qulonglong>(index));
    item->setText(1, sizeText(p.entry.width, p.entry.height));
    if (!progress.solved) {
        item->setText(0, tr("？"));
        return;
    }
    item->setText(0, QString::fromStdString(p.entry.title));
    const QImage picture = collectionThumbnail(p.puzzle);
    if (!picture.isNull())
        item->setIcon(0, QIcon(QPixmap::fromImage(picture.scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio))));
    if (progress.bestMilliseconds)
        item->setText(2, bestTimeText(*progress.bestMilliseconds));
}

void CollectionBrowser::choose(QTreeWidgetItem* item)
{
    const QVariant index = item ? item->data(0, kPuzzleIndexRole) : QVariant();
    if (!index.isValid())
        return;  // a level or a size, not a puzzle
    chosen_ = static_cast<std::size_t>(index.toULongLong());
    accept();
}

} // namespace zumeli
