// The main window's language: ツール → 表示言語, and every text set again when it changes.
#include "main_window/Form1.h"

#include "desktop/language.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMenu>
#include <QSettings>

namespace zumeli {

void Form1::buildLanguageMenu(QMenu* tools)
{
    tools->addSeparator();
    QMenu* menu = translatedText(tools->addMenu(QString()), QT_TR_NOOP("表示言語(&L)"));
    auto* group = new QActionGroup(menu);
    const QString setting = languageSetting(desktop.settings());
    // 自動 first, then each language by its own name, which no language change alters.
    QAction* automatic = translatedText(menu->addAction(QString()), QT_TR_NOOP("自動"));
    automatic->setData(QString());
    group->addAction(automatic);
    for (const QString& language : availableLanguages())
        group->addAction(menu->addAction(nativeLanguageName(language)))->setData(language);
    for (QAction* action : group->actions()) {
        action->setCheckable(true);
        action->setChecked(action->data().toString() == setting);
    }
    if (!group->checkedAction())
        automatic->setChecked(true);
    connect(group, &QActionGroup::triggered, this,
            [this](QAction* action) { chooseLanguage(action->data().toString()); });
}

void Form1::chooseLanguage(const QString& setting)
{
    QSettings& settings = desktop.settings();
    if (setting.isEmpty())
        settings.remove(kLanguageKey);
    else
        settings.setValue(kLanguageKey, setting);
    settings.sync();
    const QString language = chosenLanguage(settings);
    if (language != installedLanguage())
        installLanguage(language);  // every window hears of it through LanguageChange
}

// A change of language retranslates the window; a change of its state (minimised or not)
// pauses or resumes the play clock.
void Form1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        updatePlayPause();
}

void Form1::retranslateUi()
{
    texts_.apply();
    // A board without a file is named in the new language; a file's name stays.
    const QString titleName = document_->titleName();
    const bool untitled = titleName == untitledText_;
    untitledText_ = translated(kUntitled);
    document_->setTitleName(untitled ? untitledText_ : titleName);
}

} // namespace zumeli
