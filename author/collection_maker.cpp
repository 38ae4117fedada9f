// A collection puzzle from a picture: import, square answer area, repair, grade.
#include "author/collection_maker.h"

#include "author/image_import.h"
#include "solve/engine/difficulty.h"
#include "solve/engine/make_unique.h"

#include <QPainter>

#include <algorithm>

namespace zumeli {

namespace {

double filledShare(const solver::CellGrid& picture)
{
    const auto filled = std::count(picture.cells.begin(), picture.cells.end(), solver::Cell::Filled);
    return picture.cells.empty() ? 0.0 : static_cast<double>(filled) / picture.cells.size();
}

// The repair for `aim` and the grade of its result; nothing when it fails or needs search.
std::optional<CollectionPicture> repaired(const solver::CellGrid& picture, CollectionAim aim)
{
    solver::MakeUniqueOptions options;
    options.lineSolvable = aim == CollectionAim::Lines;
    if (aim == CollectionAim::Probing) {
        options.fewestOfBothModes = false;
        options.keepLineLogicBehind = true;
    }
    const solver::MakeUniqueResult made = solver::makeUnique(picture, options);
    if (!made.done || made.verdict != solver::Verdict::Unique)
        return std::nullopt;
    const solver::Puzzle puzzle = solver::puzzleFromPicture(made.picture);
    solver::SolveOptions solveOptions;
    solveOptions.learnDifficulty = true; // the grade decides whether the picture is taken
    const solver::SolveResult unique = solver::solve(puzzle, solveOptions);
    if (unique.verdict != solver::Verdict::Unique)
        return std::nullopt;
    const std::optional<solver::Difficulty> grade = solver::gradeDifficulty(puzzle, unique);
    if (!grade || grade->grade < 1 || grade->grade > 3)
        return std::nullopt;
    return CollectionPicture{made.picture, grade->grade, static_cast<int>(made.changed.size())};
}

} // namespace

QImage squareAroundContent(const QImage& image)
{
    const QRect content = contentRect(image);
    const int side = std::max(content.width(), content.height());
    QImage square(side, side, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint((side - content.width()) / 2, (side - content.height()) / 2), image, content);
    return square;
}

solver::CellGrid collectionThreshold(const QImage& image, int side)
{
    const GreyPicture grey = areaAverage(squareAroundContent(image), QSize(side, side));
    return thresholdPicture(grey, otsuThreshold(grey), false);
}

std::optional<CollectionPicture> makeCollectionPicture(const QImage& image, int side, CollectionAim aim)
{
    const solver::CellGrid picture = collectionThreshold(image, side);
    const double share = filledShare(picture);
    if (share < kCollectionMinFill || share > kCollectionMaxFill)
        return std::nullopt;
    if (aim == CollectionAim::Probing) {
        const std::optional<CollectionPicture> hard = repaired(picture, CollectionAim::Probing);
        if (hard && hard->grade == 3)
            return hard;
    }
    return repaired(picture, CollectionAim::Lines);
}

} // namespace zumeli
