// The one open/save flow every file command runs: filter, suggested name, dialog, overwrite
// question, the command's own step, and the single failure message.
#pragma once

#include "files/translated_text.h"
#include "desktop/desktop.h"

#include <QString>

#include <functional>

namespace zumeli {

enum class FileCommand {
    SavePuzzle,
    LoadPuzzle,
    LoadAnswerState,
    SaveAnswerState,
    ExportBitmap,
    ImportImage,
    ImportPicture,    // any picture Qt reads, for the detailed import
    ExportNon,        // the puzzle written in the widely used .non text format
    ExportWebpbnXml,  // the puzzle written as webpbn XML
};

inline const QString kFailedMessage = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "失敗しました"));
inline const QString kApplicationName = QStringLiteral("Zumeli");

// The filter a command shows, exactly as the program writes it.
QString fileFilter(FileCommand command);

// The file name a command suggests, rewritten from the name the last file command left:
// each rule replaces every occurrence of an extension anywhere in the path, case-sensitively.
QString suggestedFileName(FileCommand command, const QString& lastFileName);

// The name of a chosen file without its folder, as the window title shows it.
QString fileTitle(const QString& path);

enum class FlowResult {
    Done,       // the command's step ran to its end
    Cancelled,  // the dialog was cancelled (reported only by the bitmap export)
    Declined,   // "No" to the overwrite question: nothing written
    Failed,     // the step threw; "失敗しました" was shown
};

// Runs the flow of `command`. `dialogFileName` is the file dialog's name carried between
// commands; it is updated to the chosen path. `step` receives the chosen full path; anything
// it throws ends the command with "失敗しました" (caption "Zumeli", OK, no icon).
FlowResult runFileFlow(Desktop& desktop, FileCommand command, QString& dialogFileName,
                       const std::function<void(const QString& path)>& step);

// The end of that flow for a file that is already known (one named on the command line, or
// the one just chosen in the dialog): the file becomes the dialog's name and `step` runs on
// it; anything it throws shows "失敗しました". Returns Done or Failed.
FlowResult runFileStep(Desktop& desktop, QString& dialogFileName, const QString& path,
                       const std::function<void(const QString& path)>& step);

// Shows "失敗しました" the way every file, print and export command reports a failure.
void showFailure(Desktop& desktop);

} // namespace zumeli
