// Reading, area-averaging and thresholding a picture of any size for a new puzzle.
#include "author/image_import.h"

#include "author/clue_derivation.h"
#include "author/image_threshold.h"
#include "author/new_puzzle.h"

#include <QImageReader>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace zumeli {

namespace {

// Rows converted to 32-bit colour at a time: a huge picture in another layout is never
// converted in one piece.
constexpr int kStripRows = 64;

// For each target cell along one axis, the source pixels it covers and how much of each.
// Lengths are counted in 1/target of a source pixel, so every overlap is a whole number and
// the weights of one cell add up to `source` exactly.
struct AxisSpan {
    int first = 0;
    std::vector<qint64> weights;
};

std::vector<AxisSpan> axisSpans(int source, int target)
{
    std::vector<AxisSpan> spans(static_cast<std::size_t>(target));
    for (int i = 0; i < target; ++i) {
        const qint64 begin = qint64(i) * source;  // in units of 1/target pixel
        const qint64 end = begin + source;
        AxisSpan& span = spans[static_cast<std::size_t>(i)];
        span.first = static_cast<int>(begin / target);
        for (qint64 x = span.first; x * target < end; ++x) {
            const qint64 overlap = std::min(end, (x + 1) * target) - std::max(begin, x * target);
            span.weights.push_back(overlap);
        }
    }
    return spans;
}

} // namespace

QImage readSourceImage(const QString& path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid()
        && (size.width() > kMaxSourceImageSide || size.height() > kMaxSourceImageSide))
        throw SourceImageTooLargeError("picture larger than 10000 x 10000 pixels");
    // Qt refuses to decode more than 256 MB by default; a picture within the limit may need
    // more (16-bit colour takes 8 bytes a pixel), so the limit follows the announced size.
    const qint64 bytes = size.isValid() ? qint64(size.width()) * size.height() * 8 : 0;
    reader.setAllocationLimit(std::max<int>(256, static_cast<int>(bytes / (1024 * 1024)) + 16));
    QImage image = reader.read();
    if (image.isNull())
        throw ImageReadError((path + QStringLiteral(": ") + reader.errorString()).toStdString());
    // A reader that announced no size is held to the same limit after decoding.
    if (image.width() > kMaxSourceImageSide || image.height() > kMaxSourceImageSide)
        throw SourceImageTooLargeError("picture larger than 10000 x 10000 pixels");
    return image;
}

QSize defaultAnswerSize(QSize imageSize)
{
    if (imageSize.isEmpty())
        return {kDefaultImportLongSide, kDefaultImportLongSide};
    if (imageSize.width() >= imageSize.height())
        return {kDefaultImportLongSide, proportionalSide(imageSize, true, kDefaultImportLongSide)};
    return {proportionalSide(imageSize, false, kDefaultImportLongSide), kDefaultImportLongSide};
}

int proportionalSide(QSize imageSize, bool widthFixed, int side)
{
    if (imageSize.isEmpty())
        return std::clamp(side, 1, kMaxAnswerSide);
    const double ratio = widthFixed ? double(imageSize.height()) / imageSize.width()
                                    : double(imageSize.width()) / imageSize.height();
    return std::clamp(static_cast<int>(std::lround(side * ratio)), 1, kMaxAnswerSide);
}

QSize aspectKeptSize(QSize imageSize, bool widthFixed, int side)
{
    side = std::clamp(side, 1, kMaxAnswerSide);
    int other = proportionalSide(imageSize, widthFixed, side);
    if (!imageSize.isEmpty()) {
        const double ratio = widthFixed ? double(imageSize.height()) / imageSize.width()
                                        : double(imageSize.width()) / imageSize.height();
        // The other side would pass the limit: the limit sets it, and it sets the side.
        if (side * ratio >= kMaxAnswerSide + 0.5) {
            other = kMaxAnswerSide;
            side = proportionalSide(imageSize, !widthFixed, kMaxAnswerSide);
        }
    }
    return widthFixed ? QSize(side, other) : QSize(other, side);
}

QRect contentRect(const QImage& image)
{
    if (image.isNull())
        return {};
    const QRgb corner = image.pixel(0, 0);
    const bool opaqueCorner = qAlpha(corner) > 127;
    constexpr int kColourTolerance = 24;
    const auto isBackground = [&](QRgb pixel) {
        if (qAlpha(pixel) <= 127)
            return true;
        return opaqueCorner && std::abs(qRed(pixel) - qRed(corner)) <= kColourTolerance
            && std::abs(qGreen(pixel) - qGreen(corner)) <= kColourTolerance
            && std::abs(qBlue(pixel) - qBlue(corner)) <= kColourTolerance;
    };
    int left = image.width();
    int right = -1;
    int top = image.height();
    int bottom = -1;
    for (int stripTop = 0; stripTop < image.height(); stripTop += kStripRows) {
        const int rows = std::min(kStripRows, image.height() - stripTop);
        const QImage strip =
            image.copy(0, stripTop, image.width(), rows).convertToFormat(QImage::Format_ARGB32);
        for (int r = 0; r < rows; ++r) {
            const auto* line = reinterpret_cast<const QRgb*>(strip.constScanLine(r));
            int first = 0;
            while (first < image.width() && isBackground(line[first]))
                ++first;
            if (first == image.width())
                continue;
            int last = image.width() - 1;
            while (isBackground(line[last]))
                --last;
            left = std::min(left, first);
            right = std::max(right, last);
            top = std::min(top, stripTop + r);
            bottom = stripTop + r;
        }
    }
    if (right < 0)
        return image.rect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

double brightnessOverWhite(QRgb pixel)
{
    const double luma = 0.299 * qRed(pixel) + 0.587 * qGreen(pixel) + 0.114 * qBlue(pixel);
    const double alpha = qAlpha(pixel) / 255.0;
    return luma * alpha + 255.0 * (1.0 - alpha);
}

namespace {

// Across: each source row becomes `width` weighted sums (in units of 1/width pixel) of the
// brightness, and, with `alpha`, of the opacity: one plane each, row after row.
std::vector<std::vector<double>> sumsAcross(const QImage& image, QRect source, int width, bool alpha)
{
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();
    const int planes = alpha ? 2 : 1;
    const std::vector<AxisSpan> across = axisSpans(sourceWidth, width);
    std::vector<std::vector<double>> rowSums(planes, std::vector<double>(static_cast<std::size_t>(sourceHeight) * width));
    std::vector<std::vector<double>> pixels(planes, std::vector<double>(static_cast<std::size_t>(sourceWidth)));
    for (int top = 0; top < sourceHeight; top += kStripRows) {
        const int rows = std::min(kStripRows, sourceHeight - top);
        const QImage strip = image.copy(source.left(), source.top() + top, sourceWidth, rows)
                                 .convertToFormat(QImage::Format_ARGB32);
        for (int r = 0; r < rows; ++r) {
            const auto* line = reinterpret_cast<const QRgb*>(strip.constScanLine(r));
            for (int x = 0; x < sourceWidth; ++x) {
                pixels[0][static_cast<std::size_t>(x)] = brightnessOverWhite(line[x]);
                if (alpha)
                    pixels[1][static_cast<std::size_t>(x)] = qAlpha(line[x]) / 255.0;
            }
            for (int plane = 0; plane < planes; ++plane) {
                double* sums = &rowSums[plane][static_cast<std::size_t>(top + r) * width];
                for (int i = 0; i < width; ++i) {
                    const AxisSpan& span = across[static_cast<std::size_t>(i)];
                    double sum = 0;
                    for (std::size_t k = 0; k < span.weights.size(); ++k)
                        sum += double(span.weights[k]) * pixels[plane][span.first + k];
                    sums[i] = sum;
                }
            }
        }
    }
    return rowSums;
}

// Down: the weighted row sums of each cell of `out` (width x height), divided by the whole
// area it covers.
void averageDown(const std::vector<double>& rowSums, QSize sourceSize, int width, int height,
                 std::vector<double>& out)
{
    const std::vector<AxisSpan> down = axisSpans(sourceSize.height(), height);
    const double area = double(sourceSize.width()) * double(sourceSize.height());
    for (int j = 0; j < height; ++j) {
        const AxisSpan& span = down[static_cast<std::size_t>(j)];
        for (int i = 0; i < width; ++i) {
            double sum = 0;
            for (std::size_t k = 0; k < span.weights.size(); ++k)
                sum += double(span.weights[k]) * rowSums[(span.first + k) * width + i];
            out[static_cast<std::size_t>(j) * width + i] = sum / area;
        }
    }
}

} // namespace

GreyPicture areaAverage(const QImage& image, QSize size, QRect source)
{
    source = source.isValid() ? source.intersected(image.rect()) : image.rect();
    const int width = std::max(1, size.width());
    const int height = std::max(1, size.height());
    const std::size_t cells = static_cast<std::size_t>(width) * height;
    GreyPicture grey{width, height, std::vector<double>(cells, 255.0), {}};
    if (image.isNull() || source.isEmpty())
        return grey;
    // The opacity is averaged as the brightness is, only for a picture that has any.
    const bool alpha = image.hasAlphaChannel();
    const std::vector<std::vector<double>> rowSums = sumsAcross(image, source, width, alpha);
    averageDown(rowSums[0], source.size(), width, height, grey.values);
    if (alpha) {
        grey.opacity.assign(cells, 1.0);
        averageDown(rowSums[1], source.size(), width, height, grey.opacity);
    }
    return grey;
}

int otsuThreshold(const GreyPicture& picture)
{
    std::array<double, 256> histogram{};
    double total = 0;
    for (std::size_t i = 0; i < picture.values.size(); ++i) {
        if (picture.isTransparent(i))
            continue;
        histogram[static_cast<std::size_t>(std::clamp(static_cast<int>(picture.values[i]), 0, 255))] += 1;
        total += 1;
    }
    double totalSum = 0;
    for (int v = 0; v < 256; ++v)
        totalSum += v * histogram[static_cast<std::size_t>(v)];

    // Between-class variance (up to the constant 1/total^2) for each split "below t | rest".
    double best = -1;
    int firstBest = 128;
    int lastBest = 128;
    double below = 0;
    double belowSum = 0;
    for (int t = 1; t < 256; ++t) {
        below += histogram[static_cast<std::size_t>(t - 1)];
        belowSum += (t - 1) * histogram[static_cast<std::size_t>(t - 1)];
        const double above = total - below;
        if (below == 0 || above == 0)
            continue;
        const double difference = belowSum / below - (totalSum - belowSum) / above;
        const double variance = below * above * difference * difference;
        // Splits inside an empty stretch of the histogram score the same; equal within
        // rounding counts as the same.
        if (variance > best * (1 + 1e-12)) {
            best = variance;
            firstBest = lastBest = t;
        } else if (variance >= best * (1 - 1e-12)) {
            lastBest = t;
        }
    }
    return (firstBest + lastBest) / 2;
}

solver::CellGrid thresholdPicture(const GreyPicture& picture, int threshold, bool invert)
{
    solver::CellGrid grid(picture.width, picture.height, solver::Cell::Empty);
    for (std::size_t i = 0; i < picture.values.size(); ++i)
        if (!picture.isTransparent(i) && (picture.values[i] < threshold) != invert)
            grid.cells[i] = solver::Cell::Filled;
    return grid;
}

int cluesNeeded(const solver::CellGrid& picture)
{
    const solver::Puzzle clues = solver::puzzleFromPicture(picture);
    std::size_t most = 0;
    for (const auto* lines : {&clues.rows, &clues.columns})
        for (const std::vector<int>& line : *lines)
            most = std::max(most, line.size());
    return static_cast<int>(most);
}

BoardModel boardFromImportedPicture(const solver::CellGrid& picture, int clueSize)
{
    if (clueSize < 1 || clueSize > kMaxClueSize || picture.width < 1 || picture.height < 1
        || picture.width > kMaxAnswerSide || picture.height > kMaxAnswerSide)
        throw std::invalid_argument("imported picture or clue band out of range");
    BoardModel model = newPuzzleBoard(NewPuzzleSize{static_cast<int16>(clueSize),
                                                    static_cast<int16>(picture.width),
                                                    static_cast<int16>(picture.height)});
    replaceAnswerAndClues(model, picture);
    return model;
}

void replaceAnswerAndClues(BoardModel& model, const solver::CellGrid& picture)
{
    if (picture.width != model.answerWidth() || picture.height != model.answerHeight())
        throw std::invalid_argument("picture and answer area differ in size");
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            model.board(model.clueSize + x, model.clueSize + y) =
                picture.at(x, y) == solver::Cell::Filled ? kFilled : kEmpty;
    deriveClues(model);
}

std::optional<int> clueBandHolding(const solver::CellGrid& picture, int clueSize)
{
    const int needed = cluesNeeded(picture);
    if (needed <= clueSize)
        return clueSize;
    if (needed > kMaxClueSize)
        return std::nullopt;
    return needed;
}

bool writeRepairedPicture(BoardModel& model, const solver::CellGrid& picture)
{
    if (picture.width != model.answerWidth() || picture.height != model.answerHeight())
        return false;
    const std::optional<int> band = clueBandHolding(picture, model.clueSize);
    if (!band)
        return false;
    if (*band == model.clueSize)
        replaceAnswerAndClues(model, picture);
    else
        model = boardFromImportedPicture(picture, *band);
    return true;
}

} // namespace zumeli
