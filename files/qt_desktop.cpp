// Qt implementation of the desktop door used by the running program.
#include "files/qt_desktop.h"

#include "board/layout.h"
#include "files/dialog_filter.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

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

// A document on a QPrinter, twips converted to the printer's dots.
class QtPrintJob : public PrintJob {
public:
    explicit QtPrintJob(const QPrinterInfo& info) : printer_(info, QPrinter::HighResolution)
    {
        printer_.setFullPage(false);  // origin at the printable area's top-left corner
        if (!printer_.isValid() || !painter_.begin(&printer_))
            throw PrintError("the default printer cannot start a document");
    }
    ~QtPrintJob() override
    {
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
        painter_.setPen(QPen(Qt::black, penWidth_, Qt::SolidLine, Qt::SquareCap));
        painter_.drawLine(QPointF(dots(x1Tw), dots(y1Tw)), QPointF(dots(x2Tw), dots(y2Tw)));
    }
    void endDoc() override
    {
        if (!painter_.end() || printer_.printerState() == QPrinter::Error)
            throw PrintError("the printer could not finish the document");
    }

private:
    double dots(int twips) const { return twips * printer_.resolution() / 1440.0; }

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
    // The file commands ask their own overwrite question.
    const QString path = QFileDialog::getSaveFileName(parent_, QString(), suggestedPath,
                                                      qtFileDialogFilter(filter), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool QtDesktop::fileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

int QtDesktop::execDialog(QDialog& dialog) { return dialog.exec(); }

std::unique_ptr<PrintJob> QtDesktop::startPrintJob()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrintError("there is no default printer");
    return std::make_unique<QtPrintJob>(info);
}

} // namespace zumeli
