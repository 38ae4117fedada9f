// A desktop door for tests: records every message box and answers dialogs from a script.
#pragma once

#include "desktop/desktop.h"

#include <QFileInfo>
#include <QImage>
#include <QProcessEnvironment>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zumeli::test {

struct ShownMessage {
    QString text;
    QString caption;
    MessageButtons buttons;
    MessageIcon icon;
};

struct FileDialogCall {
    bool save;
    QString filter;
    QString suggestedPath;
};

// What a scripted print job was asked to do, in order.
struct PrintCall {
    enum Kind { Image, PenWidth, Line, End } kind;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // position (Image, Line) or width (PenWidth: x1)
    QImage image;
};

class ScriptedDesktop : public Desktop {
public:
    // Answers given to message boxes with Yes/No, in order; Yes when the queue is empty.
    std::deque<MessageAnswer> answers;
    // Paths returned by file dialogs, in order; nothing (a cancel) when the queue is empty.
    std::deque<std::optional<QString>> chosenFiles;
    // Run instead of showing a dialog; returns the dialog's result code.
    std::function<int(QDialog&)> dialogScript;
    // When set, startPrintJob or the job's calls throw PrintError.
    bool printerMissing = false;
    bool printerFailsAtEnd = false;

    std::vector<ShownMessage> messages;
    std::vector<FileDialogCall> fileDialogs;
    std::vector<PrintCall> printCalls;
    int documentsEnded = 0;

    MessageAnswer messageBox(const QString& text, const QString& caption, MessageButtons buttons,
                             MessageIcon icon) override;
    std::optional<QString> chooseOpenFile(const QString& filter,
                                          const QString& suggestedPath) override;
    std::optional<QString> chooseSaveFile(const QString& filter,
                                          const QString& suggestedPath) override;
    bool fileExists(const QString& path) override;
    int execDialog(QDialog& dialog) override;
    std::unique_ptr<PrintJob> startPrintJob() override;
    // Settings of this desktop alone, in a folder of its own that starts empty: a test never
    // reads or writes the user's settings, and every window made with this desktop shares
    // them, as the windows of one user do.
    QSettings& settings() override;

    // The last message shown, or an empty one.
    ShownMessage lastMessage() const;

private:
    std::unique_ptr<QTemporaryDir> settingsFolder_;
    std::unique_ptr<QSettings> settings_;
};

// The environment of a child program that a test starts and may kill: its data folder is
// `dataHome`, it draws off screen, and its temporary folders (its scripted desktop's settings)
// go under `dataHome` too, so that a killed child, which cannot remove them itself, leaves
// nothing behind in the system's temporary folder.
QProcessEnvironment childEnvironment(const QString& dataHome);

} // namespace zumeli::test
