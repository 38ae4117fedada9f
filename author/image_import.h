// A puzzle from any picture: reading an image of any size Qt can decode, scaling it down (or
// up) to the answer area by area averaging, the grey picture's automatic threshold, and the
// black/white picture and board it becomes.
#pragma once

#include "files/translated_text.h"
#include "board/board_model.h"
#include "solve/engine/puzzle.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <stdexcept>
#include <vector>

namespace zumeli {

// The largest picture read, each side in pixels. The check is made on the size the file
// announces, before anything is decoded.
constexpr int kMaxSourceImageSide = 10000;
// The longer side of the answer area an imported picture gets unless the author chooses.
constexpr int kDefaultImportLongSide = 30;

inline const QString kSourceImageTooLargeMessage = QStringLiteral(QT_TRANSLATE_NOOP("zumeli",
    "画像が大きすぎます。\r\n幅と高さが10000ピクセル以下の画像を選んでください。"));

// Raised when a picture is wider or higher than kMaxSourceImageSide pixels.
class SourceImageTooLargeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads any image format Qt's plugins read (the first frame of an animation). Throws
// SourceImageTooLargeError, without decoding, when the file announces a side above 10000
// pixels, and ImageReadError (author/image_threshold.h) when it cannot be read.
QImage readSourceImage(const QString& path);

// The answer area a picture gets by default: the longer side kDefaultImportLongSide, the other
// in proportion (rounded, at least 1). An empty size gives kDefaultImportLongSide square.
QSize defaultAnswerSize(QSize imageSize);

// The answer area size that keeps the picture's aspect when one side is fixed at `side`:
// the other side in proportion, rounded, within 1..80.
int proportionalSide(QSize imageSize, bool widthFixed, int side);

// The answer area that keeps the picture's aspect when the author sets one side to `side`:
// the other side in proportion, rounded. When that would pass 80, it is 80 and the side set
// shrinks in proportion instead, so that both sides lie within 1..80 and the aspect holds
// (a 794 x 1123 picture at width 80 gets 57 x 80, not 80 x 80).
QSize aspectKeptSize(QSize imageSize, bool widthFixed, int side);

// The part of the picture inside its uniform border: the rows and columns along the edges
// whose every pixel is background are left out. Background is a pixel at most half opaque,
// or one of the top-left pixel's colour (each of red, green and blue within 24, which
// covers the noise of a compressed white) when that pixel is opaque. A picture that is all
// background keeps its whole rectangle.
QRect contentRect(const QImage& image);

// A picture of brightness values, 0 (black) .. 255 (white), row by row, and, for a picture
// with an alpha channel, the opacity of each cell (0 transparent .. 1 opaque; empty when the
// picture has no transparency).
struct GreyPicture {
    int width = 0;
    int height = 0;
    std::vector<double> values;
    std::vector<double> opacity;
    double at(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
    // A cell at most half opaque is background, whatever its brightness and the polarity.
    bool isTransparent(std::size_t i) const { return !opacity.empty() && opacity[i] <= 0.5; }
};

// The brightness of one pixel laid over white by its alpha: a fully transparent pixel is
// white, a half transparent one halfway to white. Brightness weighs red, green and blue as
// the eye does (0.299, 0.587, 0.114), so yellow reads light and blue dark.
double brightnessOverWhite(QRgb pixel);

// Scales `image` to `size` (each side at least 1) by area averaging: each target cell is the
// mean brightness of the source area it covers, every source pixel weighted by the share of
// it that lies in the cell. (QImage::scaled with Qt::SmoothTransformation is bilinear: it
// reads a few pixels around each cell's centre and loses thin lines when shrinking a lot.)
// The image is read in strips, so a large one needs little memory beyond itself. `source`,
// when given, is the part of the image scaled (within the image); otherwise the whole.
GreyPicture areaAverage(const QImage& image, QSize size, QRect source = {});

// Otsu's threshold of the brightness histogram of the picture's cells that are not
// transparent (values binned by their whole part): the t in 1..255 splitting the values into
// below-t and the rest with the largest variance between the two classes; of several equally
// good, the middle one. 128 when every value falls in one bin, or there is none. A
// transparent background counted as white would outweigh the drawing: the split would then
// fall between the background and the drawing's light parts.
int otsuThreshold(const GreyPicture& picture);

// The black/white picture: a cell is filled when its brightness is below `threshold`, or,
// inverted, when it is not; a transparent cell is background (empty) either way.
solver::CellGrid thresholdPicture(const GreyPicture& picture, int threshold, bool invert);

// The largest number of runs in any row or column of the picture: the clue band it needs.
int cluesNeeded(const solver::CellGrid& picture);

// The board a picture becomes: a new puzzle of the picture's size with clue band `clueSize`,
// the picture drawn into the answer area and the clue band derived from it as the "make"
// command does. Throws std::invalid_argument for sizes outside the authoring limits.
BoardModel boardFromImportedPicture(const solver::CellGrid& picture, int clueSize);

// Draws `picture` into the answer area (filled cells 1, every other cell 0) and derives the
// clue band again. Throws std::invalid_argument when the sizes differ.
void replaceAnswerAndClues(BoardModel& model, const solver::CellGrid& picture);

// The clue band a repaired picture is written with on a board whose band is `clueSize`: that
// band when every run of the picture fits in it, otherwise one just wide enough for the line
// with the most runs. Nothing when that is wider than the authoring limit (kMaxClueSize): the
// picture's clues cannot all be written, and a clue band that drops runs would make a puzzle
// whose solution is not the picture, or no solution at all.
std::optional<int> clueBandHolding(const solver::CellGrid& picture, int clueSize);

// A repair written to the board: the answer area becomes `picture` and the clue band its
// clues, widened as clueBandHolding says. Returns false, the board untouched, when the clues
// cannot all be written or the sizes differ.
bool writeRepairedPicture(BoardModel& model, const solver::CellGrid& picture);

} // namespace zumeli
