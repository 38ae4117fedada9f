// Print and bitmap export: the print job's drawing, a real print through a CUPS PDF queue,
// and the bitmap file written pixel for pixel.
#include "files/board_output.h"
#include "desktop/qt_desktop.h"
#include "main_window/Form1.h"
#include "support/ascii_board.h"
#include "support/scripted_desktop.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>
#include <QTest>

#include <sys/resource.h>

#include <csignal>

using namespace zumeli;
using namespace zumeli::test;

namespace {

// Puts a 15 x 15 answer with clue numbers, filled cells and crosses on the board (20 x 20
// cells with its clue band) and draws it at `zoom`.
void showTestBoard(Form1& form, int zoom)
{
    drawAnswer(form.document().model(), {
        "###..x.........",
        "#x#..x....#####",
        "###..x.........",
        ".....x...x.x.x.",
        "xxxxxx.........",
        "......#.#.#.#.#",
        "..............#",
        "#.............#",
        "##............#",
        "###...........#",
        "####..........#",
        "#####.........#",
        "######........#",
        "#######xxxxxxx#",
        "###############",
    });
    form.document().model().board(5, 4) = 3;   // clue numbers of the first column and the first row
    form.document().model().board(5, 3) = 12;
    form.document().model().board(4, 5) = 3;
    form.document().model().board(3, 5) = 1;
    form.parts().Text1->setText(QString::number(zoom));
    form.redrawOrResetZoom(Form1::Redraw::Full);
}

// The board picture with the two 3-pixel border lines drawn in by hand: columns and rows
// c - 1 .. c + 1 around the clue band's edge c, over the whole picture.
QImage pictureWithBorderLines(Form1& form)
{
    QImage expected = form.parts().picture.image().convertToFormat(QImage::Format_RGB32);
    const int edge = twipsToPixels(form.parts().layout.clueBandTw);
    for (int d = -1; d <= 1; ++d) {
        for (int i = 0; i < expected.height(); ++i)
            if (edge + d >= 0 && edge + d < expected.width())
                expected.setPixel(edge + d, i, qRgb(0, 0, 0));
        for (int i = 0; i < expected.width(); ++i)
            if (edge + d >= 0 && edge + d < expected.height())
                expected.setPixel(i, edge + d, qRgb(0, 0, 0));
    }
    return expected;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void verifyFailureShown(const ScriptedDesktop& desktop)
{
    QCOMPARE(desktop.messages.size(), std::size_t(1));
    QCOMPARE(desktop.messages[0].text, QStringLiteral("失敗しました"));
    QCOMPARE(desktop.messages[0].caption, QStringLiteral("Zumeli"));
    QCOMPARE(desktop.messages[0].buttons, MessageButtons::Ok);
    QCOMPARE(desktop.messages[0].icon, MessageIcon::None);
}

// ---------------------------------------------------------------------------------------------
// The real printer: a CUPS queue that writes every job as a PDF file, started by the test
// fixture; ctest makes it this process's default printer through LPDEST.

const QString kQueue = QStringLiteral("ZumeliPDF");
// One rendered pixel is 3 twips, a picture pixel 5 x 5 rendered pixels: poppler draws images
// magnified 4 times or more without smoothing, so every picture pixel keeps its sharp edges.
constexpr int kRenderDpi = 480;

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2%3>")
            .arg(program, process.errorString(), QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QStringList pdfFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

// Waits (at most 30 seconds) until the queue has no pending job and a PDF that was not in
// `before` lies in the folder; returns its path, or nothing.
QString waitForNewPdf(const QString& folder, const QStringList& before)
{
    for (int tries = 0; tries < 300; ++tries) {
        const bool pending = !run(QStringLiteral("lpstat"), {QStringLiteral("-o"), kQueue}).trimmed().isEmpty();
        QStringList added = pdfFiles(folder);
        for (const QString& name : before)
            added.removeAll(name);
        if (!pending && added.size() == 1)
            return QDir(folder).filePath(added.first());
        QThread::msleep(100);
    }
    qWarning().noquote() << "no new PDF; queue:" << run(QStringLiteral("lpstat"), {QStringLiteral("-l"), QStringLiteral("-o"), kQueue})
                         << "\nfolder:" << pdfFiles(folder).join(u' ');
    return {};
}

// The top-left corner of the printable area, in twips from the top-left corner of the page,
// as the queue's printer description gives it (its ImageableArea for the default page size).
QPoint printableOrigin(double pageHeightPt)
{
    QFile ppd(QStringLiteral("/etc/cups/ppd/%1.ppd").arg(kQueue));
    if (!ppd.open(QIODevice::ReadOnly))
        return {-1, -1};
    const QString text = QString::fromLatin1(ppd.readAll());
    const auto size = QRegularExpression(QStringLiteral("\\*DefaultPageSize: (\\S+)")).match(text);
    const auto area = QRegularExpression(
        QStringLiteral("\\*ImageableArea %1/[^:]*: \"(\\S+) (\\S+) (\\S+) (\\S+)\"")
            .arg(QRegularExpression::escape(size.captured(1)))).match(text);
    if (!size.hasMatch() || !area.hasMatch())
        return {-1, -1};
    return {qRound(area.captured(1).toDouble() * 20), qRound((pageHeightPt - area.captured(4).toDouble()) * 20)};
}

struct PrintedPage {
    int pages = 0;
    QSizeF sizePt;
    QImage image;  // grey, kRenderDpi
};

PrintedPage readPdf(const QString& path, const QString& workFolder)
{
    PrintedPage page;
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    page.pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    page.sizePt = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    const QString base = QDir(workFolder).filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kRenderDpi), QStringLiteral("-gray"),
                                     QStringLiteral("-singlefile"), path, base});
    page.image = QImage(base + QStringLiteral(".pgm"));
    return page;
}

int twipsToRendered(double twips) { return int(std::floor(twips * kRenderDpi / 1440.0)); }
bool darkAt(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// The run of dark pixels along a row (or column) that contains `at`: its first and last index.
std::pair<int, int> darkRun(const QImage& image, bool alongRow, int line, int at)
{
    auto dark = [&](int i) { return alongRow ? darkAt(image, i, line) : darkAt(image, line, i); };
    const int limit = alongRow ? image.width() : image.height();
    int first = at;
    int last = at;
    while (first > 0 && dark(first - 1))
        --first;
    while (last + 1 < limit && dark(last + 1))
        ++last;
    return {first, last};
}

void verifyPdfQueue(const QString& folder)
{
    QVERIFY2(!folder.isEmpty() && QDir(folder).exists(),
             "the PDF queue's output folder is missing: run this test through ctest, whose "
             "fixture starts CUPS and the queue");
    QCOMPARE(QPrinterInfo::defaultPrinterName(), kQueue);
}

// While it lives, files of this process cannot grow beyond `bytes` (0: no change): writes
// past it fail as on a full disk, whoever runs the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        if (bytes == 0 || getrlimit(RLIMIT_FSIZE, &old_) != 0)
            return;
        std::signal(SIGXFSZ, SIG_IGN);  // a failed write instead of the signal
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        if (active_)
            setrlimit(RLIMIT_FSIZE, &old_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    bool active_ = false;
};

// A scripted desktop whose printer is the real default printer: failures are recorded
// instead of blocking in a message box.
class RealPrinterDesktop : public ScriptedDesktop {
public:
    std::unique_ptr<PrintJob> startPrintJob() override { return qt.startPrintJob(); }
    QtDesktop qt;
};

} // namespace

class PrintExportTest : public QObject {
    Q_OBJECT

private slots:
    // -----------------------------------------------------------------------------------------
    // What the print command asks of the printer

    void printDrawsTheBoardImageThenBothBorderLinesOffsetBy100Twips_data()
    {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("edge");   // the clue band's edge, twips
        QTest::addColumn<int>("extent"); // the board's width and height, twips
        QTest::newRow("zoom 100") << 100 << 1000 << 4000;
        QTest::newRow("zoom 150") << 150 << 1500 << 6000;
        QTest::newRow("zoom 200") << 200 << 2000 << 8000;
    }
    void printDrawsTheBoardImageThenBothBorderLinesOffsetBy100Twips()
    {
        QFETCH(int, zoom);
        QFETCH(int, edge);
        QFETCH(int, extent);
        ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        showTestBoard(form, zoom);
        const QImage before = form.parts().picture.image().copy();

        form.Command5_Click();

        QVERIFY(desktop.messages.empty());
        QCOMPARE(desktop.printCalls.size(), std::size_t(5));
        const PrintCall& image = desktop.printCalls[0];
        QCOMPARE(image.kind, PrintCall::Image);
        QCOMPARE(QPoint(image.x1, image.y1), QPoint(100, 100));
        QCOMPARE(image.image, before);
        QCOMPARE(desktop.printCalls[1].kind, PrintCall::PenWidth);
        QCOMPARE(desktop.printCalls[1].x1, 3);
        const PrintCall& vertical = desktop.printCalls[2];
        QCOMPARE(vertical.kind, PrintCall::Line);
        QCOMPARE(QLine(vertical.x1, vertical.y1, vertical.x2, vertical.y2),
                 QLine(edge + 100, 100, edge + 100, extent + 100));
        const PrintCall& horizontal = desktop.printCalls[3];
        QCOMPARE(horizontal.kind, PrintCall::Line);
        QCOMPARE(QLine(horizontal.x1, horizontal.y1, horizontal.x2, horizontal.y2),
                 QLine(100, edge + 100, extent + 100, edge + 100));
        QCOMPARE(desktop.printCalls[4].kind, PrintCall::End);
        // The border lines go to the printer only, never into the board picture.
        QCOMPARE(form.parts().picture.image(), before);
    }

    void printFailureShowsTheMessageAndLeavesTheBoardAlone_data()
    {
        QTest::addColumn<bool>("missing");
        QTest::addColumn<bool>("failsAtEnd");
        QTest::newRow("no printer") << true << false;
        QTest::newRow("printer error at the end") << false << true;
    }
    void printFailureShowsTheMessageAndLeavesTheBoardAlone()
    {
        QFETCH(bool, missing);
        QFETCH(bool, failsAtEnd);
        ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        showTestBoard(form, 100);
        form.document().setTitleName(QStringLiteral("cat.zml"));
        const BoardModel modelBefore = model;
        const QImage pictureBefore = form.parts().picture.image().copy();
        desktop.printerMissing = missing;
        desktop.printerFailsAtEnd = failsAtEnd;

        form.Command5_Click();

        verifyFailureShown(desktop);
        QCOMPARE(desktop.documentsEnded, 0);
        QVERIFY(model == modelBefore);
        QCOMPARE(form.parts().picture.image(), pictureBefore);
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));
    }

    // -----------------------------------------------------------------------------------------
    // The real print

    void printedPageHoldsTheBoardAtItsScreenSizeInsideThePrintableArea_data()
    {
        QTest::addColumn<int>("zoom");
        QTest::newRow("zoom 100") << 100;
        QTest::newRow("zoom 500, cut off at the printable area") << 500;
    }
    void printedPageHoldsTheBoardAtItsScreenSizeInsideThePrintableArea()
    {
        QFETCH(int, zoom);
        const QString folder = qEnvironmentVariable("ZUMELI_PDF_DIR");
        verifyPdfQueue(folder);
        if (QTest::currentTestFailed())
            return;
        QTemporaryDir work;
        QVERIFY(work.isValid());

        RealPrinterDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        showTestBoard(form, zoom);
        const BoardModel modelBefore = model;
        const QStringList before = pdfFiles(folder);

        form.Command5_Click();

        QVERIFY(desktop.messages.empty());
        QVERIFY(model == modelBefore);
        const QString pdf = waitForNewPdf(folder, before);
        QVERIFY2(!pdf.isEmpty(), "no PDF arrived from the print queue");
        const PrintedPage page = readPdf(pdf, work.path());
        QFile::remove(pdf);
        QCOMPARE(page.pages, 1);
        QVERIFY2(!page.image.isNull(), "the PDF could not be rendered");
        const QPoint origin = printableOrigin(page.sizePt.height());
        QVERIFY2(origin.x() > 0 && origin.y() > 0, "the queue's printable area is unknown");
        const QRect printable(origin, QPoint(int(page.sizePt.width() * 20) - origin.x(),
                                             int(page.sizePt.height() * 20) - origin.y()));

        // Every pixel of the picture (with the border lines) lands on the 15 x 15 twips it
        // covers on screen, 100 twips inside the printable area; looked at in its middle.
        const QImage expected = pictureWithBorderLines(form);
        const int boardLeftTw = origin.x() + 100;
        const int boardTopTw = origin.y() + 100;
        int compared = 0;
        int wrong = 0;
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                const double xTw = boardLeftTw + 15 * x + 7.5;
                const double yTw = boardTopTw + 15 * y + 7.5;
                const int px = twipsToRendered(xTw);
                const int py = twipsToRendered(yTw);
                // Grey edges of antialiased clue digits, and pixels cut by the printable
                // area's edge, may go either way.
                const int grey = qGray(expected.pixel(x, y));
                const bool nearCut = std::abs(xTw - printable.right()) < 10
                    || std::abs(yTw - printable.bottom()) < 10;
                if (px >= page.image.width() || py >= page.image.height() || nearCut
                    || (grey > 64 && grey < 192))
                    continue;
                const bool onPaper = xTw < printable.right() && yTw < printable.bottom();
                const bool wantDark = onPaper && grey <= 64;
                ++compared;
                if (darkAt(page.image, px, py) != wantDark) {
                    if (wrong < 20)
                        qWarning() << "differs at picture pixel" << x << y << "want dark" << wantDark;
                    ++wrong;
                }
            }
        }
        QVERIFY(compared > 10000);
        QVERIFY2(wrong == 0, qPrintable(QStringLiteral("%1 of %2 pixels differ").arg(wrong).arg(compared)));

        // The horizontal border line runs the board's full width from its left edge (up to
        // the printable area's edge), the vertical one its full height; both are 3 picture
        // pixels (45 twips) thick. Positions within one rendered pixel (3 twips).
        const int edgeTw = form.parts().layout.clueBandTw;
        const int cellTw = form.parts().layout.cellSize;
        const int rightTw = std::min(boardLeftTw + int(form.parts().layout.boardWidthTw), printable.right());
        const int bottomTw = std::min(boardTopTw + int(form.parts().layout.boardHeightTw), printable.bottom());
        const int lineRow = twipsToRendered(boardTopTw + edgeTw);
        const int lineColumn = twipsToRendered(boardLeftTw + edgeTw);
        auto verifyNear = [](int measured, int expectedTw, const char* what) {
            const int expected = twipsToRendered(expectedTw);
            return QTest::qVerify(std::abs(measured - expected) <= 1, what,
                                  qPrintable(QStringLiteral("%1: %2 rendered pixels, expected %3")
                                                 .arg(QLatin1String(what)).arg(measured).arg(expected)),
                                  __FILE__, __LINE__);
        };
        const auto across = darkRun(page.image, true, lineRow, lineColumn + 20);
        const auto down = darkRun(page.image, false, lineColumn, lineRow + 20);
        QVERIFY(verifyNear(across.first, boardLeftTw, "horizontal border, left end"));
        QVERIFY(verifyNear(across.second + 1, rightTw, "horizontal border, right end"));
        QVERIFY(verifyNear(down.first, boardTopTw, "vertical border, top end"));
        QVERIFY(verifyNear(down.second + 1, bottomTw, "vertical border, bottom end"));
        // Thickness where both sides of a border are blank: below the clue cell of answer
        // column 3 (its digit sits in the cell's left part), right of answer row 6's clue cell.
        const auto horizontalWidth = darkRun(page.image, false,
            twipsToRendered(boardLeftTw + edgeTw + 3 * cellTw + cellTw * 7 / 8), lineRow);
        const auto verticalWidth = darkRun(page.image, true,
            twipsToRendered(boardTopTw + edgeTw + 6 * cellTw + cellTw / 2), lineColumn);
        QVERIFY(verifyNear(horizontalWidth.second - horizontalWidth.first + 1, 45, "horizontal border width"));
        QVERIFY(verifyNear(verticalWidth.second - verticalWidth.first + 1, 45, "vertical border width"));

        // Nothing outside the board, and nothing beyond the printable area.
        for (int y = 0; y < page.image.height(); ++y) {
            for (int x = 0; x < page.image.width(); ++x) {
                const bool inBoard = x >= twipsToRendered(boardLeftTw) - 1
                    && x <= twipsToRendered(rightTw) + 1 && y >= twipsToRendered(boardTopTw) - 1
                    && y <= twipsToRendered(bottomTw) + 1;
                if (!inBoard && darkAt(page.image, x, y))
                    QFAIL(qPrintable(QStringLiteral("ink outside the board at %1, %2").arg(x).arg(y)));
            }
        }
    }

    void printRefusedByTheQueueShowsTheMessage()
    {
        const QString folder = qEnvironmentVariable("ZUMELI_PDF_DIR");
        verifyPdfQueue(folder);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!run(QStringLiteral("cupsreject"), {kQueue}).startsWith(u'<'));
        const auto acceptAgain = qScopeGuard([] { run(QStringLiteral("cupsaccept"), {kQueue}); });
        RealPrinterDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        showTestBoard(form, 100);
        const BoardModel modelBefore = model;
        const QImage pictureBefore = form.parts().picture.image().copy();

        form.Command5_Click();

        verifyFailureShown(desktop);
        QVERIFY(model == modelBefore);
        QCOMPARE(form.parts().picture.image(), pictureBefore);
    }

    // -----------------------------------------------------------------------------------------
    // The bitmap export

    void exportWritesThePicturePlusBorderLinesPixelForPixel_data()
    {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QSize>("size");
        QTest::newRow("zoom 100") << 100 << QSize(266, 266);
        QTest::newRow("zoom 150") << 150 << QSize(400, 400);
        QTest::newRow("zoom 70") << 70 << QSize(186, 186);
    }
    void exportWritesThePicturePlusBorderLinesPixelForPixel()
    {
        QFETCH(int, zoom);
        QFETCH(QSize, size);
        QTemporaryDir dir;
        ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        showTestBoard(form, zoom);
        const QImage expected = pictureWithBorderLines(form);
        const QString path = dir.filePath(QStringLiteral("board.bmp"));
        desktop.chosenFiles.push_back(path);

        form.Command6_Click();

        QVERIFY(desktop.messages.empty());
        QCOMPARE(fileBytes(path).left(2), QByteArray("BM"));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        const QImage written = reader.read().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(written.size(), size);
        QCOMPARE(written, expected);
        // 96 dots per inch, as on screen.
        QCOMPARE(written.dotsPerMeterX(), 3780);
        // The lines are now part of the picture too; every later drawing is 1 pixel wide.
        QCOMPARE(form.parts().picture.image().convertToFormat(QImage::Format_RGB32), expected);
        const int left = form.parts().layout.clueBandTw + 3 * form.parts().layout.cellSize;  // answer column 3, row 0: empty
        form.DrawCell(8, 5);
        QCOMPARE(form.parts().picture.image().pixel(twipsToPixels(left), twipsToPixels(form.parts().layout.clueBandTw) + 5),
                 qRgb(0, 0, 0));
        QCOMPARE(form.parts().picture.image().pixel(twipsToPixels(left) + 1, twipsToPixels(form.parts().layout.clueBandTw) + 5),
                 qRgb(255, 255, 255));
    }

    void exportingTwiceGivesTheSameFileAndChangesNeitherBoardNorTitle()
    {
        QTemporaryDir dir;
        ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        showTestBoard(form, 100);
        form.document().setTitleName(QStringLiteral("cat.zml"));
        form.parts().dialogFileName = dir.filePath(QStringLiteral("cat.zml"));
        const BoardModel modelBefore = model;
        const QString path = dir.filePath(QStringLiteral("cat.bmp"));
        desktop.chosenFiles = {path, path};

        form.Command6_Click();
        const QByteArray first = fileBytes(path);
        desktop.answers.push_back(MessageAnswer::Yes);  // overwrite
        form.Command6_Click();

        QCOMPARE(desktop.fileDialogs.size(), std::size_t(2));
        QVERIFY(desktop.fileDialogs[0].save);
        QCOMPARE(desktop.fileDialogs[0].filter, QStringLiteral("ビットマップファイル(*.bmp)|*.bmp"));
        QCOMPARE(desktop.fileDialogs[0].suggestedPath, path);
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].caption, QStringLiteral("上書き確認"));
        QVERIFY(!first.isEmpty());
        QCOMPARE(fileBytes(path), first);
        QVERIFY(model == modelBefore);
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("cat.bmp")});
    }

    void cancelledExportShowsTheFailureAndWritesNothing()
    {
        QTemporaryDir dir;
        ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        showTestBoard(form, 100);
        form.parts().dialogFileName = dir.filePath(QStringLiteral("cat.sts"));
        const QImage pictureBefore = form.parts().picture.image().copy();

        form.Command6_Click();  // no file chosen: the dialog was cancelled

        verifyFailureShown(desktop);
        QCOMPARE(desktop.fileDialogs.at(0).suggestedPath, dir.filePath(QStringLiteral("cat.bmp")));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
        QCOMPARE(form.parts().picture.image(), pictureBefore);
    }

    void unwritableFileShowsTheFailureAndKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("oldFile");
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("folder that does not exist") << QStringLiteral("missing/board.bmp") << false << false;
        QTest::newRow("a folder in the way") << QStringLiteral("folder.bmp") << false << false;
        QTest::newRow("disk full halfway through") << QStringLiteral("old.bmp") << true << true;
    }
    void unwritableFileShowsTheFailureAndKeepsTheOldFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, oldFile);
        QFETCH(bool, diskFull);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.bmp")));
        const QString path = dir.filePath(name);
        if (oldFile)
            QVERIFY(writeFile(path, "old bitmap"));
        ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        showTestBoard(form, 100);
        form.document().setTitleName(QStringLiteral("cat.zml"));
        const BoardModel modelBefore = model;
        desktop.chosenFiles.push_back(path);

        {
            const FileSizeLimit limit(diskFull ? 4096 : 0);
            form.Command6_Click();
        }

        QCOMPARE(desktop.lastMessage().text, QStringLiteral("失敗しました"));
        QCOMPARE(desktop.lastMessage().caption, QStringLiteral("Zumeli"));
        if (oldFile)
            QCOMPARE(fileBytes(path), QByteArray("old bitmap"));
        else
            QVERIFY(!QFileInfo(path).isFile());
        // No half-written file is left behind either.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), oldFile ? QStringList{name} : QStringList{});
        QVERIFY(model == modelBefore);
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));
    }

    void failedWriteKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.bmp"));
        QVERIFY(writeFile(path, "old bitmap"));
        QVERIFY_THROWS_EXCEPTION(BitmapWriteError, writeBitmapAtomically(QImage(), path));
        QCOMPARE(fileBytes(path), QByteArray("old bitmap"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.bmp")});
    }
};

QTEST_MAIN(PrintExportTest)
#include "test_print_export.moc"
