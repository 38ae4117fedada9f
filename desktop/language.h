// The language Zumeli speaks: chosen from the user's setting and preferred languages, and
// installed as Qt translators (Zumeli's own and Qt's, so standard buttons and file dialogs
// follow it).
#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace zumeli {

// The program's own language: its texts are written in it, so it needs no translation file.
inline const QString kSourceLanguage = QStringLiteral("ja");
// Where the user's choice is kept in the desktop's settings: empty for automatic (the
// default), otherwise a language code ("ja", "en").
inline const QString kLanguageKey = QStringLiteral("ui/language");

// The languages Zumeli speaks: its own Japanese first, then one per translation compiled
// into the program (translations/zumeli_<code>.ts), in the order of their codes.
QStringList availableLanguages();

// The languages the user's environment asks for, most preferred first, from the locale
// variables and the system's UI languages (QLocale::uiLanguages()). Nothing is asked for
// when the messages locale (LC_ALL, else LC_MESSAGES, else LANG) is unset, C, POSIX or C.*,
// and LANGUAGE is unset or empty.
QStringList askedLanguages(const QString& lcAll, const QString& lcMessages, const QString& lang,
                           const QString& languageList, const QStringList& systemUiLanguages);
// The same for the running program's environment.
QStringList askedLanguages();

// The language to speak: the setting when it names an available language; otherwise the
// first asked language ("en-GB" matches "en") that is available; otherwise Japanese.
QString chooseLanguage(const QString& setting, const QStringList& asked, const QStringList& available);

// The user's setting (kLanguageKey), empty for automatic.
QString languageSetting(QSettings& settings);
// The language chosen for this program from its settings and environment.
QString chosenLanguage(QSettings& settings);

// Replaces the translators installed by an earlier call by those of `language`: Zumeli's
// own (none for Japanese, whose texts are the source) and Qt's. Every widget then receives
// QEvent::LanguageChange.
void installLanguage(const QString& language);
// The language last installed; Japanese before any.
QString installedLanguage();

// A language's name in that language, for the language menu: 日本語, English.
QString nativeLanguageName(const QString& language);

} // namespace zumeli
