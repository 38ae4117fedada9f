// The program's one door to the desktop: message boxes, file dialogs, file-existence tests,
// modal dialogs and the printer. The program uses the Qt implementation; tests script it.
#pragma once

#include <QImage>
#include <QString>

#include <memory>
#include <optional>
#include <stdexcept>

class QDialog;
class QSettings;

namespace zumeli {

enum class MessageIcon { None, Information, Critical };
enum class MessageButtons { Ok, YesNo };  // YesNo has Yes as the default button
enum class MessageAnswer { Ok, Yes, No };

// Raised by a print job when the printer cannot be had or a page cannot be sent.
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One document on the default printer. Coordinates are twips from the top-left corner of
// the printable area; the document is sent by endDoc. Every call may throw PrintError.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    // Draws an image at its natural size: each pixel covers 15 x 15 twips on paper.
    virtual void drawImage(int leftTw, int topTw, const QImage& image) = 0;
    virtual void setPenWidth(int dots) = 0;
    // A black line between two points.
    virtual void drawLine(int x1Tw, int y1Tw, int x2Tw, int y2Tw) = 0;
    virtual void endDoc() = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // A modal message box; returns the button pressed.
    virtual MessageAnswer messageBox(const QString& text, const QString& caption,
                                     MessageButtons buttons, MessageIcon icon) = 0;

    // A modal file dialog showing `filter` ("description|pattern|..." pairs, patterns joined
    // by ";") and suggesting `suggestedPath`. Returns the chosen full path, or nothing when
    // the user cancelled. The dialog asks no overwrite question of its own.
    virtual std::optional<QString> chooseOpenFile(const QString& filter,
                                                  const QString& suggestedPath) = 0;
    virtual std::optional<QString> chooseSaveFile(const QString& filter,
                                                  const QString& suggestedPath) = 0;

    // True when an ordinary file (not a folder) exists at the full path.
    virtual bool fileExists(const QString& path) = 0;

    // Shows a dialog modally and returns its result code.
    virtual int execDialog(QDialog& dialog) = 0;

    // Starts a document on the default printer; throws PrintError when there is none.
    virtual std::unique_ptr<PrintJob> startPrintJob() = 0;
    // The user's settings, kept from one run to the next: the options of the menus.
    virtual QSettings& settings() = 0;
};

} // namespace zumeli
