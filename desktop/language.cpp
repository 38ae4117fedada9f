// Choosing and installing the language Zumeli speaks.
#include "desktop/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include <memory>

namespace zumeli {

namespace {

// Where lrelease's files are compiled into the program.
const QString kTranslationFolder = QStringLiteral(":/translations");

std::unique_ptr<QTranslator>& zumeliTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

std::unique_ptr<QTranslator>& qtTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

QString& currentLanguage()
{
    static QString language = kSourceLanguage;
    return language;
}

// "C", "POSIX", "C.UTF-8": the locale of programs that ask for no language.
bool isNeutralLocale(const QString& locale)
{
    return locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX")
        || locale.startsWith(QLatin1String("C."));
}

// "en-GB", "en_GB.UTF-8" -> "en".
QString languagePart(const QString& name)
{
    QString code = name.section(QLatin1Char('.'), 0, 0);
    code = code.section(QLatin1Char('@'), 0, 0);
    code.replace(QLatin1Char('_'), QLatin1Char('-'));
    return code.section(QLatin1Char('-'), 0, 0).toLower();
}

// Replaces `slot`'s translator by one loaded from `file` in `folder`; none if it cannot load.
void replaceTranslator(std::unique_ptr<QTranslator>& slot, const QString& file, const QString& folder)
{
    if (slot)
        QCoreApplication::removeTranslator(slot.get());
    slot.reset();
    auto translator = std::make_unique<QTranslator>();
    if (!file.isEmpty() && translator->load(file, folder)) {
        QCoreApplication::installTranslator(translator.get());
        slot = std::move(translator);
    }
}

} // namespace

QStringList availableLanguages()
{
    QStringList languages{kSourceLanguage};
    const QStringList files = QDir(kTranslationFolder)
                                  .entryList({QStringLiteral("zumeli_*.qm")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        languages << file.mid(7).chopped(3);
    return languages;
}

QStringList askedLanguages(const QString& lcAll, const QString& lcMessages, const QString& lang,
                           const QString& languageList, const QStringList& systemUiLanguages)
{
    const QString messages = !lcAll.isEmpty() ? lcAll : !lcMessages.isEmpty() ? lcMessages : lang;
    if (isNeutralLocale(messages) && languageList.isEmpty())
        return {};
    QStringList asked;
    for (const QString& language : systemUiLanguages)
        if (!isNeutralLocale(language))
            asked << language;
    return asked;
}

QStringList askedLanguages()
{
    return askedLanguages(qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"),
                          qEnvironmentVariable("LANG"), qEnvironmentVariable("LANGUAGE"),
                          QLocale::system().uiLanguages());
}

QString chooseLanguage(const QString& setting, const QStringList& asked, const QStringList& available)
{
    if (available.contains(setting))
        return setting;
    for (const QString& language : asked)
        if (available.contains(languagePart(language)))
            return languagePart(language);
    return kSourceLanguage;
}

QString languageSetting(QSettings& settings)
{
    return settings.value(kLanguageKey).toString();
}

QString chosenLanguage(QSettings& settings)
{
    return chooseLanguage(languageSetting(settings), askedLanguages(), availableLanguages());
}

void installLanguage(const QString& language)
{
    // Qt's own texts first, so that Zumeli's translator, installed last, is asked first.
    replaceTranslator(qtTranslator(), QStringLiteral("qtbase_") + language,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    replaceTranslator(zumeliTranslator(),
                      language == kSourceLanguage ? QString() : QStringLiteral("zumeli_") + language,
                      kTranslationFolder);
    currentLanguage() = language;
}

QString installedLanguage()
{
    return currentLanguage();
}

QString nativeLanguageName(const QString& language)
{
    if (language == QLatin1String("en"))
        return QStringLiteral("English");  // not "American English"
    const QString name = QLocale(language).nativeLanguageName();
    return name.isEmpty() ? language : name.left(1).toUpper() + name.mid(1);
}

} // namespace zumeli
