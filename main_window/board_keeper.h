// Resuming after a close or a crash: keeps the main window's board in the keep file while it
// has unsaved changes, and offers it back at the next start.
#pragma once

#include <QObject>
#include <QString>

class QTimer;

namespace zumeli {

class Form1;

// The question asked at start-up when a kept board is found.
inline const QString kRestoreCaption = QStringLiteral("ズメリロジック！");
inline const QString kRestoreQuestion =
    QStringLiteral("前回保存されなかった盤面があります。復元しますか？");

class BoardKeeper : public QObject {
    Q_OBJECT

public:
    // A change is in the keep file at most this long after it was made.
    static constexpr int kKeepDelayMs = 500;

    // Keeps `window`'s board (its cells, dimensions, title and zoom) in the file at `path`
    // from now on: written within kKeepDelayMs of every change while the board has unsaved
    // changes, and at once when the window closes with unsaved changes; removed when the
    // board becomes clean (saved, loaded, undone to the saved board) and when the window
    // closes with nothing unsaved.
    //
    // A keep file left by an earlier run is this keeper's only after offerRestore, or once
    // it wrote its own board over it: until then it is left as it is, so a start that opens
    // a file named on the command line (and never asks) keeps it for the next start.
    //
    // The keeper must go before the window: the window's undo stack, emptied as the window
    // is destroyed, would otherwise look like a board with nothing unsaved.
    BoardKeeper(Form1& window, QString path);

    // Asks through the window's desktop, once, whether to restore the board kept by an
    // earlier run, if there is one: Yes puts it on the board (title, zoom and cells, as
    // unsaved changes with nothing to undo, and kept again at once), No removes it. A file
    // that is no kept board is removed without a question.
    void offerRestore();
    // offerRestore once the event loop runs, so the window is on screen behind the question.
    void offerRestoreWhenShown();

    // Writes or removes the keep file now, as the pending write would.
    void keepNow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void changed();

    Form1& window_;
    QString path_;
    QTimer* timer_ = nullptr;
    QString zoomText_;           // the last zoom the board was laid out at
    bool ownsFile_ = false;      // whether the file at path_ is this run's to replace or remove
};

} // namespace zumeli
