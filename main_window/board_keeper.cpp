// The keep file kept up to date with the main window's board, and the question at start-up.
#include "main_window/board_keeper.h"

#include "files/file_io.h"
#include "files/keep_file.h"
#include "main_window/Form1.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>
#include <QUndoStack>

namespace zumeli {

BoardKeeper::BoardKeeper(Form1& window, QString path)
    : window_(window), path_(std::move(path)), zoomText_(window.Text1->text())
{
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(kKeepDelayMs);
    connect(timer_, &QTimer::timeout, this, &BoardKeeper::keepNow);

    // Every step, undo and redo moves the stack's index; a save or a load moves its clean state.
    connect(window.undoStack, &QUndoStack::indexChanged, this, &BoardKeeper::changed);
    connect(window.undoStack, &QUndoStack::cleanChanged, this, &BoardKeeper::changed);
    connect(&window, &QWidget::windowTitleChanged, this, &BoardKeeper::changed);
    connect(window.Text1, &QLineEdit::textChanged, this, [this] {
        // A text on its way to a zoom ("1" of "150") is not kept; the board stays laid out at
        // the last zoom the box accepted.
        try {
            readZoom(window_.Text1->text().toStdString());
        } catch (const ZoomError&) {
            return;
        }
        zoomText_ = window_.Text1->text();
        changed();
    });
    window.installEventFilter(this);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &BoardKeeper::keepNow);
}

void BoardKeeper::offerRestoreWhenShown()
{
    QTimer::singleShot(0, this, &BoardKeeper::offerRestore);
}

void BoardKeeper::offerRestore()
{
    const std::optional<KeptBoard> kept = readKeepFile(path_);
    if (kept && window_.desktop.messageBox(kRestoreQuestion, kRestoreCaption, MessageButtons::YesNo,
                                           MessageIcon::Information) == MessageAnswer::Yes) {
        window_.model = kept->model;
        window_.forgetRectangleStart();
        window_.setTitleName(QString::fromStdString(kept->titleName));
        window_.Text1->setText(QString::fromStdString(kept->zoom));
        window_.redrawOrResetZoom(Form1::Redraw::Full);
        // The restored board is not the one on disk, and nothing before it can be undone.
        window_.undoStack->clear();
        window_.undoStack->resetClean();
    }
    // From here on the file is this run's: kept again at once after a restore, gone otherwise.
    ownsFile_ = true;
    keepNow();
}

void BoardKeeper::changed()
{
    if (!window_.hasUnsavedChanges())
        keepNow();
    // Started, not restarted: a stream of changes is still written every kKeepDelayMs.
    else if (!timer_->isActive())
        timer_->start();
}

void BoardKeeper::keepNow()
{
    timer_->stop();
    if (!window_.hasUnsavedChanges()) {
        if (ownsFile_)
            removeKeepFile(path_);
        return;
    }
    KeptBoard kept{window_.model, window_.titleName().toStdString(), zoomText_.toStdString()};
    try {
        writeKeepFile(path_, kept);
        ownsFile_ = true;
    } catch (const FileAccessError&) {
        // The board on screen is unharmed; the next change tries again.
    }
}

bool BoardKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Close)
        keepNow();
    return QObject::eventFilter(watched, event);
}

} // namespace zumeli
