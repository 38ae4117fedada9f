// The shared open/save flow of the file commands.
#include "files/file_flow.h"

#include <QCoreApplication>

#include <QFileInfo>
#include <QImageReader>
#include <QStringList>

namespace zumeli {

namespace {

bool isSaveCommand(FileCommand command)
{
    return command == FileCommand::SavePuzzle || command == FileCommand::SaveAnswerState
        || command == FileCommand::ExportBitmap || command == FileCommand::ExportNon
        || command == FileCommand::ExportWebpbnXml;
}

// "*.bmp;*.gif;..." for every format Qt's image plugins read, sorted.
QString readablePicturePatterns()
{
    QStringList patterns;
    for (const QByteArray& suffix : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(suffix).toLower();
    patterns.removeDuplicates();
    patterns.sort();
    return patterns.join(QLatin1Char(';'));
}

QString overwriteQuestion(const QString& path)
{
    return path + QCoreApplication::translate("zumeli::FileFlow", "はすでに存在します。\r\n上書きしますか？");
}

} // namespace

QString fileFilter(FileCommand command)
{
    switch (command) {
    case FileCommand::SavePuzzle: return QCoreApplication::translate("zumeli::FileFlow", "ズメリファイル(*.zml)|*.zml");
    case FileCommand::LoadPuzzle:
        return QCoreApplication::translate("zumeli::FileFlow", "ズメリファイル(*.zml)|*.zml|すべてのファイル(*.*)|*");
    case FileCommand::LoadAnswerState:
    case FileCommand::SaveAnswerState: return QCoreApplication::translate("zumeli::FileFlow", "ズメリ状態ファイル(*.sts)|*.sts");
    case FileCommand::ExportBitmap: return QCoreApplication::translate("zumeli::FileFlow", "ビットマップファイル(*.bmp)|*.bmp");
    case FileCommand::ExportNon: return QCoreApplication::translate("zumeli::FileFlow", "NONファイル(*.non)|*.non");
    case FileCommand::ExportWebpbnXml: return QCoreApplication::translate("zumeli::FileFlow", "webpbn XMLファイル(*.xml)|*.xml");
    case FileCommand::ImportImage:
        return QCoreApplication::translate("zumeli::FileFlow", "画像ファイル(*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif)|"
                              "*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif");
    case FileCommand::ImportPicture: {
        const QString patterns = readablePicturePatterns();
        return QCoreApplication::translate("zumeli::FileFlow", "画像ファイル|") + patterns + QCoreApplication::translate("zumeli::FileFlow", "|すべてのファイル(*.*)|*");
    }
    }
    return {};
}

QString suggestedFileName(FileCommand command, const QString& lastFileName)
{
    QString name = lastFileName;
    auto rewrite = [&name](const char* from, const char* to) {
        name.replace(QLatin1String(from), QLatin1String(to), Qt::CaseSensitive);
    };
    switch (command) {
    case FileCommand::SavePuzzle:
    case FileCommand::LoadPuzzle:
        rewrite(".sts", ".zml");
        rewrite(".bmp", ".zml");
        break;
    case FileCommand::LoadAnswerState:
    case FileCommand::SaveAnswerState:
        rewrite(".zml", ".sts");
        rewrite(".bmp", ".sts");
        break;
    case FileCommand::ExportBitmap:
        rewrite(".zml", ".bmp");
        rewrite(".sts", ".bmp");
        break;
    case FileCommand::ExportNon:
        for (const char* from : {".zml", ".sts", ".bmp", ".xml"})
            rewrite(from, ".non");
        break;
    case FileCommand::ExportWebpbnXml:
        for (const char* from : {".zml", ".sts", ".bmp", ".non"})
            rewrite(from, ".xml");
        break;
    case FileCommand::ImportImage:
    case FileCommand::ImportPicture: name.clear(); break;
    }
    return name;
}

QString fileTitle(const QString& path) { return QFileInfo(path).fileName(); }

void showFailure(Desktop& desktop)
{
    desktop.messageBox(translated(kFailedMessage), kApplicationName, MessageButtons::Ok, MessageIcon::None);
}

FlowResult runFileFlow(Desktop& desktop, FileCommand command, QString& dialogFileName,
                       const std::function<void(const QString& path)>& step)
{
    dialogFileName = suggestedFileName(command, dialogFileName);
    const QString filter = fileFilter(command);
    const bool save = isSaveCommand(command);
    const auto chosen = save ? desktop.chooseSaveFile(filter, dialogFileName)
                             : desktop.chooseOpenFile(filter, dialogFileName);
    if (!chosen) {
        // The bitmap export reports a cancel like any other failure.
        if (command == FileCommand::ExportBitmap)
            showFailure(desktop);
        return FlowResult::Cancelled;
    }
    dialogFileName = *chosen;
    if (save && desktop.fileExists(*chosen)
        && desktop.messageBox(overwriteQuestion(*chosen), QCoreApplication::translate("zumeli::FileFlow", "上書き確認"),
                              MessageButtons::YesNo, MessageIcon::Information)
               == MessageAnswer::No)
        return FlowResult::Declined;
    return runFileStep(desktop, dialogFileName, *chosen, step);
}

FlowResult runFileStep(Desktop& desktop, QString& dialogFileName, const QString& path,
                       const std::function<void(const QString& path)>& step)
{
    dialogFileName = path;
    try {
        step(path);
    } catch (...) {
        // Whatever the step raises ends the command the same way.
        showFailure(desktop);
        return FlowResult::Failed;
    }
    return FlowResult::Done;
}

} // namespace zumeli
