// A puzzle from an image file: decoding the file, the colour value of a pixel, the
// black/white threshold rule, the dialog's entry checks and the board the picture becomes.
#pragma once

#include "files/translated_text.h"
#include "board/board_model.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <stdexcept>

namespace zumeli {

inline const QString kThresholdRangeMessage =
    QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "白と黒のしきい値は0から255までの整数です"));
inline const QString kImageTooLargeMessage =
    QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "画像が大きすぎます。\r\n80×80以下のサイズにしてください。"));
inline const QString kImageTooLargeTitle = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "サイズが大きすぎます"));

// Raised when a file cannot be read as a BMP, GIF, ICO or JPEG image.
class ImageReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when a picture wider or higher than 80 pixels reaches the conversion.
class ImageTooLargeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A colour laid out 0x00BBGGRR: red in bits 0-7, green 8-15, blue 16-23; bits 24-31 unused.
using ColourValue = std::uint32_t;

// The channels of a colour value, 0..255 each; bits 24-31 are ignored, so the all-ones value
// reads as white.
int16 RedFromRGB(ColourValue colour);
int16 GreenFromRGB(ColourValue colour);
int16 BlueFromRGB(ColourValue colour);

// Decodes a BMP, GIF, ICO or JPEG file, recognised by its content. A GIF gives its first
// frame; an icon holding several pictures gives the largest that fits 80 x 80 (the first
// picture when none fits). Throws ImageReadError for anything else, unreadable or corrupt.
QImage decodeImageFile(const QString& path);
// The same for a file's bytes already in memory.
QImage decodeImageBytes(const QByteArray& bytes);

// The picture as it shows on a surface of the given background colour: transparent and
// half-transparent pixels are blended with the background. The result is opaque.
QImage imageOnBackground(const QImage& image, const QColor& background);

// The colour value of pixel (x, y) of an opaque picture; x from the left, y from the top.
ColourValue colourValueAt(const QImage& picture, int x, int y);

// The threshold rule: a pixel is filled exactly when R + G + B < 3 * threshold, i.e. when
// its plain mean brightness is below the threshold.
bool isDarkerThanThreshold(ColourValue colour, int threshold);

// True when the picture is wider or higher than the 80 cells an answer area can hold.
bool imageTooLarge(QSize size);

// The dialog's image information: "★　画像情報　★", "幅:W", "　高さ:H", lines joined by CR LF.
QString imageInfoText(QSize size);

// What the conversion needs from the dialog: clue-band thickness and threshold.
struct ImportSettings {
    int16 clueSize = 10;
    int16 threshold = 128;
    bool operator==(const ImportSettings&) const = default;
};

// Either the settings, or the message of the first box refused.
struct ImportEntry {
    std::optional<ImportSettings> settings;
    QString message;
};

// Reads the clue-size box, then the threshold box, stopping at the first failure: clue size
// rounded down must lie in 1..20; the threshold must not be below 0 and, rounded down, not
// above 255 (255.9 is taken as 255). Text that is not a number is refused with its box's
// range message.
ImportEntry checkImportEntries(const QString& clueSizeText, const QString& thresholdText);

// The board the picture becomes: every cell 0..100 cleared, clueSize = n, the answer area the
// picture's size, and pixel (x, y) filled or empty in board(n + x, n + y). The clue band stays
// empty. Throws ImageTooLargeError for a picture larger than 80 x 80 or an empty one.
BoardModel boardFromPicture(const QImage& picture, const ImportSettings& settings);

} // namespace zumeli
