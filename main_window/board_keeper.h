// Resuming after a close or a crash: keeps the main window's board in a keep file of its own
// while it has unsaved changes, and offers the boards of windows that are gone at a start.
#pragma once

#include "files/translated_text.h"
#include "files/keep_file.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>

class QTimer;

namespace zumeli {

class Form1;

// The question asked at start-up for a kept board, when one board is found.
inline const QString kRestoreCaption = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "ズメリロジック！"));
inline const QString kRestoreQuestion =
    QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "前回保存されなかった盤面があります。復元しますか？"));

// The question for board `number` (from 1) of `count` found at start-up, when there are
// several: it names the board's title and when it was last kept.
QString restoreQuestion(int number, int count, const QString& titleName, const QDateTime& keptAt);

class BoardKeeper : public QObject {
    Q_OBJECT

public:
    // A change is in the keep file at most this long after it was made.
    static constexpr int kKeepDelayMs = 500;

    // Keeps `window`'s board (its cells, dimensions, title and zoom) in a keep file of its own
    // in `folder`, locked for as long as the keeper lives so that no other run takes it for
    // the board of a window that is gone: written within kKeepDelayMs of every change while
    // the board has unsaved changes, and at once when the window closes with unsaved
    // changes; removed when the board becomes clean (saved, loaded, undone to the saved
    // board) and when the window closes with nothing unsaved. The keep files of other
    // windows, running or gone, are never written nor removed, except as offerRestore says.
    //
    // The keeper must go before the window: the window's undo stack, emptied as the window
    // is destroyed, would otherwise look like a board with nothing unsaved.
    BoardKeeper(Form1& window, const QString& folder);
    ~BoardKeeper() override;

    // Asks through the window's desktop about each board left by a window that is gone
    // (takeLeftBoards), newest first, until one is restored: Yes puts it on the board (title,
    // zoom and cells, as unsaved changes with nothing to undo), keeps it in this window's
    // keep file and removes the one it came from; the boards not yet asked about stay for the
    // next start. No removes the board asked about. A file that is no kept board is removed
    // without a question. The boards of windows still running are never offered.
    void offerRestore();
    // offerRestore once the event loop runs, so the window is on screen behind the question.
    void offerRestoreWhenShown();

    // Writes or removes the keep file now, as the pending write would. Returns whether the
    // board is where it should be: kept when it has unsaved changes.
    bool keepNow();

    // This window's own keep file.
    const QString& path() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void changed();
    void restore(const KeptBoard& kept);

    Form1& window_;
    QString folder_;
    std::unique_ptr<OwnKeepFile> file_;
    QTimer* timer_ = nullptr;
    QString zoomText_;  // the last zoom the board was laid out at
};

} // namespace zumeli
