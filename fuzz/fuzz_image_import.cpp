// Fuzz target: the image import path on arbitrary bytes: decoding as the Open command does,
// the picture as it shows on the dialog, and its conversion into a board.
#include "fuzz_checks.h"

#include "author/image_threshold.h"

#include <QGuiApplication>
#include <QImageReader>

#include <cstdint>

using namespace zumeli;

namespace {

// Image plug-ins (GIF, ICO, JPEG) load through the application object.
void ensureApplication()
{
    static QGuiApplication* application = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_image_import";
        static char* argv[] = {name, nullptr};
        // Pictures past 80 x 80 are refused after decoding anyway; a small decoding budget
        // keeps every run fast without skipping any decoder.
        QImageReader::setAllocationLimit(16);
        // The decoders' warnings about broken files would only slow every run down.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return new QGuiApplication(argc, argv);
    }();
    (void)application;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ensureApplication();
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     static_cast<qsizetype>(size));
    QImage decoded;
    if (!fuzz::readsOrRefuses<ImageReadError>("decodeImageBytes",
                                              [&] { decoded = decodeImageBytes(bytes); }))
        return 0;
    fuzz::check(!decoded.isNull() && decoded.width() >= 1 && decoded.height() >= 1,
                "a decoded picture has pixels");

    const QImage surface = imageOnBackground(decoded, QColor(240, 240, 240));
    fuzz::check(surface.size() == decoded.size(), "the picture on the dialog keeps its size");

    const ImportSettings settings[] = {{1, 0}, {10, 128}, {kMaxClueSize, 255}};
    for (const ImportSettings& setting : settings) {
        BoardModel board;
        if (!fuzz::readsOrRefuses<ImageTooLargeError>(
                "boardFromPicture", [&] { board = boardFromPicture(surface, setting); })) {
            fuzz::check(imageTooLarge(surface.size()), "only a picture past 80 x 80 is refused");
            continue;
        }
        fuzz::check(!imageTooLarge(surface.size()), "a picture past 80 x 80 never becomes a board");
        fuzz::checkAuthoringLimits(board);
        fuzz::check(board.clueSize == setting.clueSize, "the clue band is the chosen one");
        fuzz::check(board.answerWidth() == surface.width() && board.answerHeight() == surface.height(),
                    "the answer area is the picture's size");
        for (int x = 0; x < board.gridWidth; ++x)
            for (int y = 0; y < board.gridHeight; ++y) {
                const int value = board.board(x, y);
                if (x < board.clueSize || y < board.clueSize) {
                    fuzz::check(value == 0, "the clue band starts empty");
                    continue;
                }
                const bool dark = isDarkerThanThreshold(
                    colourValueAt(surface, x - board.clueSize, y - board.clueSize), setting.threshold);
                fuzz::check(value == (dark ? kFilled : kEmpty), "each cell is its pixel's threshold");
            }
    }
    return 0;
}
