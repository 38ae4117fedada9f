// The scripted desktop door used by the window tests.
#include "support/scripted_desktop.h"

namespace zumeli::test {

namespace {

class ScriptedPrintJob : public PrintJob {
public:
    explicit ScriptedPrintJob(ScriptedDesktop& desktop) : desktop_(desktop) {}
    void drawImage(int leftTw, int topTw, const QImage& image) override
    {
        desktop_.printCalls.push_back({PrintCall::Image, leftTw, topTw, 0, 0, image});
    }
    void setPenWidth(int dots) override
    {
        desktop_.printCalls.push_back({PrintCall::PenWidth, dots, 0, 0, 0, {}});
    }
    void drawLine(int x1, int y1, int x2, int y2) override
    {
        desktop_.printCalls.push_back({PrintCall::Line, x1, y1, x2, y2, {}});
    }
    void endDoc() override
    {
        if (desktop_.printerFailsAtEnd)
            throw PrintError("the scripted printer failed");
        desktop_.printCalls.push_back({PrintCall::End, 0, 0, 0, 0, {}});
        ++desktop_.documentsEnded;
    }

private:
    ScriptedDesktop& desktop_;
};

} // namespace

MessageAnswer ScriptedDesktop::messageBox(const QString& text, const QString& caption,
                                          MessageButtons buttons, MessageIcon icon)
{
    messages.push_back({text, caption, buttons, icon});
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers.empty())
        return MessageAnswer::Yes;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDesktop::chooseOpenFile(const QString& filter,
                                                       const QString& suggestedPath)
{
    fileDialogs.push_back({false, filter, suggestedPath});
    if (chosenFiles.empty())
        return std::nullopt;
    auto chosen = chosenFiles.front();
    chosenFiles.pop_front();
    return chosen;
}

std::optional<QString> ScriptedDesktop::chooseSaveFile(const QString& filter,
                                                       const QString& suggestedPath)
{
    fileDialogs.push_back({true, filter, suggestedPath});
    if (chosenFiles.empty())
        return std::nullopt;
    auto chosen = chosenFiles.front();
    chosenFiles.pop_front();
    return chosen;
}

bool ScriptedDesktop::fileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

int ScriptedDesktop::execDialog(QDialog& dialog)
{
    return dialogScript ? dialogScript(dialog) : 0;
}

QSettings& ScriptedDesktop::settings()
{
    if (!settings_) {
        settingsFolder_ = std::make_unique<QTemporaryDir>();
        settings_ = std::make_unique<QSettings>(settingsFolder_->filePath(QStringLiteral("Zumeli.conf")),
                                                QSettings::IniFormat);
    }
    return *settings_;
}

std::unique_ptr<PrintJob> ScriptedDesktop::startPrintJob()
{
    if (printerMissing)
        throw PrintError("no scripted printer");
    return std::make_unique<ScriptedPrintJob>(*this);
}

ShownMessage ScriptedDesktop::lastMessage() const
{
    return messages.empty() ? ShownMessage{} : messages.back();
}

QProcessEnvironment childEnvironment(const QString& dataHome)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TMPDIR"), dataHome);
    return environment;
}

} // namespace zumeli::test
