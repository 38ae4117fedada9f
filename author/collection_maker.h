// A collection puzzle from a picture: the picture import's steps (the uniform border cut off,
// area averaging, Otsu's threshold), a square answer area, the make-unique repair and the
// difficulty grade.
#pragma once

#include "solve/engine/puzzle.h"

#include <QImage>

#include <optional>

namespace zumeli {

// What a collection puzzle asks of its repair: a puzzle line logic solves, or one that needs
// probing (達人); when the probing repair gives anything else, the line-logic repair is used.
enum class CollectionAim { Lines, Probing };

struct CollectionPicture {
    solver::CellGrid picture;   // the puzzle's one solution, Filled / Empty
    int grade = 0;              // difficulty grade, 1..3
    int changedCells = 0;       // cells the repair changed
};

// The share of filled cells a collection picture keeps (a thresholded picture outside it shows
// nothing recognisable).
constexpr double kCollectionMinFill = 0.15;
constexpr double kCollectionMaxFill = 0.85;

// The picture inside its uniform border, centred in a transparent square whose side is the
// border's longer side, so that a square answer area keeps the picture's aspect.
QImage squareAroundContent(const QImage& image);

// The black/white picture of `side` x `side` cells the import gives for `image`: the content
// squared, area-averaged, split at Otsu's threshold.
solver::CellGrid collectionThreshold(const QImage& image, int side);

// The collection puzzle of `image` at `side` x `side` cells: nothing when the thresholded
// picture is nearly blank or nearly full, or no repair reaches a grade the collection takes
// (1..3). The same image, side and aim always give the same puzzle.
std::optional<CollectionPicture> makeCollectionPicture(const QImage& image, int side, CollectionAim aim);

} // namespace zumeli
