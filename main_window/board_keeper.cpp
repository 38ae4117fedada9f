// The window's keep file kept up to date with its board, and the questions at start-up.
#include "main_window/board_keeper.h"

#include "files/file_io.h"
#include "main_window/Form1.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QUndoStack>

namespace zumeli {

QString restoreQuestion(int number, int count, const QString& titleName, const QDateTime& keptAt)
{
    return BoardKeeper::tr("前回保存されなかった盤面が %1 つあります（%2 つ目: %3、%4）。復元しますか？")
        .arg(count)
        .arg(number)
        .arg(titleName, keptAt.toString(BoardKeeper::tr("M月d日 H:mm")));
}

BoardKeeper::BoardKeeper(Form1& window, const QString& folder)
    : window_(window), folder_(folder), file_(std::make_unique<OwnKeepFile>(folder)),
      zoomText_(window.zoomText())
{
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(kKeepDelayMs);
    connect(timer_, &QTimer::timeout, this, &BoardKeeper::keepNow);

    // Every step, undo and redo moves the stack's index; a save or a load moves its clean state.
    BoardDocument& document = window.document();
    connect(document.undoStack(), &QUndoStack::indexChanged, this, &BoardKeeper::changed);
    connect(document.undoStack(), &QUndoStack::cleanChanged, this, &BoardKeeper::changed);
    connect(&document, &BoardDocument::titleNameChanged, this, &BoardKeeper::changed);
    connect(&window, &Form1::zoomTextChanged, this, [this](const QString& text) {
        // A text on its way to a zoom ("1" of "150") is not kept; the board stays laid out at
        // the last zoom the box accepted.
        try {
            readZoom(text.toStdString());
        } catch (const ZoomError&) {
            return;
        }
        zoomText_ = text;
        changed();
    });
    window.installEventFilter(this);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &BoardKeeper::keepNow);
}

void BoardKeeper::offerRestoreWhenShown()
{
    QTimer::singleShot(0, this, &BoardKeeper::offerRestore);
}

BoardKeeper::~BoardKeeper() = default;

const QString& BoardKeeper::path() const { return file_->path(); }

void BoardKeeper::offerRestore()
{
    std::vector<LeftBoard> left = takeLeftBoards(folder_);
    const int count = static_cast<int>(left.size());
    for (int i = 0; i < count; ++i) {
        LeftBoard& board = left[static_cast<std::size_t>(i)];
        const QString question =
            count == 1 ? translated(kRestoreQuestion)
                       : restoreQuestion(i + 1, count, QString::fromStdString(board.kept.titleName),
                                         board.keptAt);
        if (window_.desktop.messageBox(question, translated(kRestoreCaption), MessageButtons::YesNo,
                                       MessageIcon::Information) == MessageAnswer::Yes) {
            restore(board.kept);
            // The board leaves its old file only once this window keeps it.
            if (keepNow())
                board.discard();
            return;  // the boards not asked about stay for the next start
        }
        board.discard();
    }
}

void BoardKeeper::restore(const KeptBoard& kept)
{
    // The board is laid out once, at the zoom it was kept at.
    window_.presetZoom(QString::fromStdString(kept.zoom));
    BoardDocument& document = window_.document();
    document.replaceBoard(kept.model, QString::fromStdString(kept.titleName), BoardDocument::Redraw::Full);
    // The restored board is not the one on disk, and nothing before it can be undone.
    document.forgetHistory();
}

void BoardKeeper::changed()
{
    if (!window_.document().hasUnsavedChanges())
        keepNow();
    // Started, not restarted: a stream of changes is still written every kKeepDelayMs.
    else if (!timer_->isActive())
        timer_->start();
}

bool BoardKeeper::keepNow()
{
    timer_->stop();
    const BoardDocument& document = window_.document();
    if (!document.hasUnsavedChanges()) {
        removeKeepFile(path());
        return true;
    }
    KeptBoard kept{document.model(), document.titleName().toStdString(), zoomText_.toStdString()};
    try {
        writeKeepFile(path(), kept);
        return true;
    } catch (const FileAccessError&) {
        // The board on screen is unharmed; the next change tries again.
        return false;
    }
}

bool BoardKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Close)
        keepNow();
    return QObject::eventFilter(watched, event);
}

} // namespace zumeli
