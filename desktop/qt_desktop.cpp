// Qt implementation of the desktop door used by the running program.
#include "desktop/qt_desktop.h"

#include "board/layout.h"
#include "files/dialog_filter.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#ifdef ZUMELI_PRINT_THROUGH_CUPS
#include <QTemporaryDir>

#include <cups/cups.h>
#endif

#include <string>

namespace zumeli {

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// A document on the default printer through QPrinter.
//
// The device works at the screen's 96 dots per inch, so one dot is one picture pixel (15
// twips): the board image lands on paper pixel for pixel, unscaled, and the 3-dot border pen
// is as wide on paper as the border line objects are on screen, whatever the printer's own
// resolution (Qt hands the printer vector output, so nothing is lost by this choice).
//
// Through CUPS, Qt's printer engine writes the document for this printer (its page size and
// printable area) into a file, and endDoc hands the file to CUPS and checks the answer: Qt's
// own hand-over ignores it, so a queue that refuses the job would look like a finished print.
class QtPrintJob : public PrintJob {
public:
    explicit QtPrintJob(const QPrinterInfo& info) : printer_(info, QPrinter::HighResolution)
    {
        printer_.setResolution(kDotsPerInch);
        printer_.setFullPage(false);  // origin at the printable area's top-left corner
        printer_.setDocName(kDocumentName);
#ifdef ZUMELI_PRINT_THROUGH_CUPS
        if (!spool_.isValid())
            throw PrintError("no temporary folder for the print document");
        // A name without ".pdf" keeps the printer's own engine instead of Qt's plain PDF one.
        printer_.setOutputFileName(spool_.filePath(QStringLiteral("board.prn")));
#endif
        if (!printer_.isValid() || printer_.outputFormat() != QPrinter::NativeFormat
            || !painter_.begin(&printer_))
            throw PrintError("the default printer cannot start a document");
        // One page, nothing scaled: what lies beyond the printable area is cut off. (The
        // printable area in points: QPrinter's pageRect in dots is rounded to whole dots and
        // may reach past the printable edge.)
        const QSizeF printablePt = printer_.pageLayout().paintRect(QPageLayout::Point).size();
        painter_.setClipRect(QRectF(QPointF(0, 0), printablePt * (printer_.resolution() / 72.0)));
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    ~QtPrintJob() override
    {
        // A job that a failure interrupted is withdrawn, never sent half drawn.
        if (painter_.isActive()) {
            printer_.abort();
            painter_.end();
        }
    }

    void drawImage(int leftTw, int topTw, const QImage& image) override
    {
        const QRectF target(dots(leftTw), dots(topTw), dots(pixelsToTwips(image.width())),
                            dots(pixelsToTwips(image.height())));
        painter_.drawImage(target, image);
    }
    void setPenWidth(int dots) override { penWidth_ = dots; }
    void drawLine(int x1Tw, int y1Tw, int x2Tw, int y2Tw) override
    {
        // Flat ends: a border line stops at the board's edge, as the line object on screen.
        painter_.setPen(QPen(Qt::black, penWidth_, Qt::SolidLine, Qt::FlatCap));
        painter_.drawLine(QPointF(dots(x1Tw), dots(y1Tw)), QPointF(dots(x2Tw), dots(y2Tw)));
    }
    void endDoc() override
    {
        if (!painter_.end() || printer_.printerState() == QPrinter::Error)
            throw PrintError("the printer could not finish the document");
#ifdef ZUMELI_PRINT_THROUGH_CUPS
        sendToCups();
#endif
    }

private:
    static constexpr int kDotsPerInch = 1440 / kTwipsPerPixel;  // 96
    static inline const QString kDocumentName = QStringLiteral("Zumeli");

    double dots(int twips) const { return twips * printer_.resolution() / 1440.0; }

#ifdef ZUMELI_PRINT_THROUGH_CUPS
    void sendToCups()
    {
        // The queue's name without a CUPS instance suffix, as CUPS expects it.
        const QByteArray queue = printer_.printerName().section(u'/', 0, 0).toLocal8Bit();
        const QByteArray file = printer_.outputFileName().toLocal8Bit();
        const QByteArray title = kDocumentName.toLocal8Bit();
        const QByteArray media = printer_.pageLayout().pageSize().key().toLocal8Bit();
        cups_option_t* options = nullptr;
        int count = 0;
        count = cupsAddOption("media", media.constData(), count, &options);
        count = cupsAddOption("sides", "one-sided", count, &options);
        count = cupsAddOption("print-scaling", "none", count, &options);
        const int jobId = cupsPrintFile(queue.constData(), file.constData(), title.constData(),
                                        count, options);
        cupsFreeOptions(count, options);
        if (jobId <= 0)
            throw PrintError(std::string("the printer refused the document: ") + cupsLastErrorString());
    }

    QTemporaryDir spool_;  // outlives the printer, which writes into it
#endif
    QPrinter printer_;
    QPainter painter_;
    int penWidth_ = 1;
};

} // namespace

MessageAnswer QtDesktop::messageBox(const QString& text, const QString& caption,
                                    MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(toQtIcon(icon), caption, text, QMessageBox::NoButton, parent_);
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int pressed = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::optional<QString> QtDesktop::chooseOpenFile(const QString& filter, const QString& suggestedPath)
{
    const QString path = QFileDialog::getOpenFileName(parent_, QString(), suggestedPath,
                                                      qtFileDialogFilter(filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtDesktop::chooseSaveFile(const QString& filter, const QString& suggestedPath)
{
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(qtFileDialogFilter(filter));
    // A name typed without an extension gets the command's own.
    dialog.setDefaultSuffix(defaultSuffix(filter));
    // The file commands ask their own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!suggestedPath.isEmpty())
        dialog.selectFile(suggestedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool QtDesktop::fileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

int QtDesktop::execDialog(QDialog& dialog) { return dialog.exec(); }

QSettings& QtDesktop::settings()
{
    // The program names no organisation (that would move its data folder), so the
    // application's name stands in for it: one file, Zumeli.conf, for the user.
    if (!settings_)
        settings_ = std::make_unique<QSettings>(QSettings::UserScope, QCoreApplication::applicationName());
    return *settings_;
}

std::unique_ptr<PrintJob> QtDesktop::startPrintJob()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrintError("there is no default printer");
    return std::make_unique<QtPrintJob>(info);
}

} // namespace zumeli
