// Picture import benchmark: what the author waits for in the detailed import dialog. Prints
// the median of repeated runs of each action, and for the live ones their ratio to one 60 Hz
// frame (16.7 ms):
//   - a threshold slider step at an 80 x 80 answer area, up to the repainted preview;
//   - an 自動 / 反転 toggle at 80 x 80, the same way;
//   - the area averaging of a 10000 x 10000 picture into 80 x 80 cells (once per size change).
// With --auto-fill FOLDER... it instead reads every picture under the folders and counts how
// often 自動 gives a nearly blank or nearly full picture (under 10 % or over 90 % of the cells
// filled) at the dialog's default size: with every cell in Otsu's histogram and transparency
// read as white (as 自動 was), with the opaque cells only and transparent cells background
// (as it is), and that with 余白を切り取る as the dialog starts. bench/auto-threshold-bench
// runs it on the pictures bench/corpus/ was made from.
#include "dialogs/picture_import_dialog.h"
#include "author/image_import.h"
#include "support/scripted_desktop.h"
#include "widgets/cell_grid_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QDirIterator>
#include <QPainter>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

using namespace zumeli;

namespace {

constexpr double kFrameMs = 1000.0 / 60;

double medianMs(int runs, const std::function<void(int)>& action)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        action(i);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
}

// A picture with detail at every scale: rings and a diagonal gradient.
QImage detailedPicture(int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, side, side);
    gradient.setColorAt(0, QColor(20, 20, 20));
    gradient.setColorAt(1, QColor(240, 240, 240));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(Qt::black, std::max(1, side / 200)));
    for (int r = side / 40; r < side / 2; r += side / 20)
        painter.drawEllipse(QPoint(side / 2, side / 2), r, r);
    return image;
}

void report(const char* action, double ms, bool live)
{
    if (live)
        std::printf("%-52s %10.2f ms %10.3f frames\n", action, ms, ms / kFrameMs);
    else
        std::printf("%-52s %10.2f ms\n", action, ms);
}

// How 自動 reads pictures: counts of nearly blank and nearly full results.
struct FillCount {
    int blank = 0;  // under 10 % filled
    int full = 0;   // over 90 % filled

    void add(const solver::CellGrid& picture)
    {
        const double share = double(std::count(picture.cells.begin(), picture.cells.end(), solver::Cell::Filled))
            / double(picture.cells.size());
        blank += share < 0.10;
        full += share > 0.90;
    }
    void print(const char* rule, int pictures) const
    {
        std::printf("%-58s %4d under 10 %%, %4d over 90 %%: %5.1f %% of %d\n", rule, blank, full,
                    100.0 * (blank + full) / std::max(1, pictures), pictures);
    }
};

int autoFill(const QStringList& folders)
{
    QStringList paths;
    for (const QString& folder : folders)
        for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            paths.push_back(it.next());
    paths.sort();
    FillCount allCells;
    FillCount opaqueCells;
    FillCount trimmed;
    int pictures = 0;
    for (const QString& path : paths) {
        QImage image;
        try {
            image = readSourceImage(path);
        } catch (const std::exception&) {
            continue;  // not a picture
        }
        ++pictures;
        GreyPicture grey = areaAverage(image, defaultAnswerSize(image.size()));
        opaqueCells.add(thresholdPicture(grey, otsuThreshold(grey), false));
        grey.opacity.clear();  // every cell counts, transparent ones as white
        allCells.add(thresholdPicture(grey, otsuThreshold(grey), false));
        const QRect content = contentRect(image);
        const GreyPicture part = areaAverage(image, defaultAnswerSize(content.size()), content);
        trimmed.add(thresholdPicture(part, otsuThreshold(part), false));
    }
    allCells.print("自動 over every cell, transparency as white", pictures);
    opaqueCells.print("自動 over the opaque cells, transparency background", pictures);
    trimmed.print("the same with 余白を切り取る", pictures);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 2 && std::strcmp(argv[1], "--auto-fill") == 0)
        return autoFill(QCoreApplication::arguments().mid(2));

    test::ScriptedDesktop desktop;
    PictureImportDialog dialog(desktop, detailedPicture(800));
    dialog.keepAspectBox->setChecked(false);
    dialog.widthBox->setValue(80);
    dialog.heightBox->setValue(80);
    dialog.show();
    QCoreApplication::processEvents();

    report("threshold slider step at 80 x 80 (to the repaint)",
           medianMs(101, [&](int i) {
               dialog.thresholdSlider->setValue(60 + i % 120);
               dialog.preview->repaint();
           }),
           true);
    report("反転 toggle at 80 x 80 (to the repaint)",
           medianMs(51, [&](int) {
               dialog.invertBox->toggle();
               dialog.preview->repaint();
           }),
           true);
    report("自動 toggle at 80 x 80 (to the repaint)",
           medianMs(51, [&](int) {
               dialog.autoBox->toggle();
               dialog.preview->repaint();
           }),
           true);

    const QImage huge = detailedPicture(kMaxSourceImageSide);
    report("area averaging 10000 x 10000 -> 80 x 80",
           medianMs(3, [&](int) { areaAverage(huge, QSize(80, 80)); }), false);
    return 0;
}
