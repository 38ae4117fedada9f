// The desktop door implemented with Qt: QMessageBox, QFileDialog, QFileInfo, QPrinter.
#pragma once

#include "desktop/desktop.h"

#include <QSettings>

#include <memory>

class QWidget;

namespace zumeli {

class QtDesktop : public Desktop {
public:
    // Message boxes and file dialogs are modal over `parent` once it is set.
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    MessageAnswer messageBox(const QString& text, const QString& caption, MessageButtons buttons,
                             MessageIcon icon) override;
    std::optional<QString> chooseOpenFile(const QString& filter,
                                          const QString& suggestedPath) override;
    std::optional<QString> chooseSaveFile(const QString& filter,
                                          const QString& suggestedPath) override;
    bool fileExists(const QString& path) override;
    int execDialog(QDialog& dialog) override;
    std::unique_ptr<PrintJob> startPrintJob() override;
    // Zumeli.conf in the user's configuration folder (~/.config on Linux), made on the first
    // option changed.
    QSettings& settings() override;

private:
    QWidget* parent_ = nullptr;
    std::unique_ptr<QSettings> settings_;
};

} // namespace zumeli
