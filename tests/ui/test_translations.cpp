// The languages Zumeli speaks: which one a start chooses, English everywhere once it is
// installed (windows, dialogs, menus, message boxes, file filters), the designed Japanese
// texts wherever no other language is asked for, a change of language in the menu applied to
// the open windows, English captions that fit the designed controls, and a translation file
// that holds a finished English text for every text of the sources.
#include "desktop/language.h"
#include "dialogs/puzzle_check_window.h"
#include "main_window/Form1.h"
#include "main_window/board_keeper.h"
#include "support/image_files.h"
#include "support/scripted_desktop.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zumeli;
using zumeli::test::ScriptedDesktop;

namespace {

bool hasJapanese(const QString& text)
{
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30ff}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(japanese);
}

// Every text a user can read in a menu: its title, its items' texts and tool tips, and its
// submenus. The language menu names each language in that language and is left out of it.
void collectMenu(QMenu* menu, const QString& where, QStringList& texts)
{
    texts << where + QStringLiteral(" menu: ") + menu->title();
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || !action->data().toString().isEmpty())
            continue;
        if (action->menu()) {
            collectMenu(action->menu(), where, texts);
            continue;
        }
        texts << where + QStringLiteral(" item: ") + action->text();
        texts << where + QStringLiteral(" item tip: ") + action->toolTip();
    }
}

// Every text of a window: its title, and each child's text, caption, items and tool tip.
QStringList windowTexts(QWidget* window)
{
    const QString where = QString::fromLatin1(window->metaObject()->className()).remove(QStringLiteral("zumeli::"));
    QStringList texts{where + QStringLiteral(" title: ") + window->windowTitle()};
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        if (widget->window() != window)
            continue;  // a window of its own, such as the puzzle check window
        const QString name = where + QLatin1Char('/') + widget->metaObject()->className();
        if (!widget->toolTip().isEmpty())
            texts << name + QStringLiteral(" tip: ") + widget->toolTip();
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << name + QStringLiteral(": ") + label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << name + QStringLiteral(": ") + button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            texts << name + QStringLiteral(": ") + group->title();
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                texts << name + QStringLiteral(" item: ") + combo->itemText(i);
        else if (auto* bar = qobject_cast<QMenuBar*>(widget))
            for (QAction* action : bar->actions())
                if (action->menu())
                    collectMenu(action->menu(), where, texts);
    }
    return texts;
}

// A small black-and-white picture saved where the image commands can open it.
QString savedPicture(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("cat.bmp"));
    test::pictureFromRows({"#..#", ".##.", "#..#"}).save(path);
    return path;
}

// A 2 x 2 puzzle whose answer area is left empty, so that the answer check says it is wrong.
QString savedPuzzle(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("p.zml"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("1,2,2\r\n1\r\n1\r\n1\r\n1\r\n");
    return path;
}

// Everything the program says while a user goes through it: the main window, each dialog
// (captured as it opens), the puzzle check window, the message boxes and the file filters.
QStringList textsOfEveryWindow()
{
    QTemporaryDir dir;
    ScriptedDesktop desktop;
    BoardModel model;
    Form1 form(desktop, model);
    QStringList texts = windowTexts(&form);
    desktop.dialogScript = [&texts](QDialog& dialog) {
        texts << windowTexts(&dialog);
        // A value the dialog refuses: every box holds 0 and the first button confirms.
        for (QLineEdit* box : dialog.findChildren<QLineEdit*>())
            box->setText(QStringLiteral("0"));
        if (const auto buttons = dialog.findChildren<QPushButton*>(); !buttons.isEmpty())
            buttons.first()->click();
        return int(QDialog::Rejected);
    };
    form.Command7_Click();  // 新規作成
    form.randomPuzzle();
    desktop.chosenFiles = {savedPicture(dir), savedPicture(dir)};
    form.Command9_Click();  // the picture through the simple import
    form.importPicture();   // and through the detailed one
    desktop.chosenFiles = {dir.filePath(QStringLiteral("missing.zml")), savedPuzzle(dir)};
    form.Command1_Click();  // 失敗しました
    form.Command1_Click();
    form.Command2_Click();  // a wrong answer
    form.Hint_Click();
    form.Mistakes_Click();
    form.parts().Text1->setText(QStringLiteral("5"));  // a refused zoom
    form.Picture3_Click(1);
    texts << QStringLiteral("status: ") + form.statusText();
    form.openCheckWindow();
    texts << windowTexts(form.parts().checkWindow);
    form.parts().checkWindow->close();
    for (const auto& message : desktop.messages)
        texts << QStringLiteral("message: ") + message.text << QStringLiteral("caption: ") + message.caption;
    for (const auto& call : desktop.fileDialogs)
        texts << QStringLiteral("filter: ") + call.filter;
    texts << QStringLiteral("restore: ") + translated(kRestoreQuestion)
          << QStringLiteral("restore: ") + translated(kRestoreCaption)
          << QStringLiteral("restore: ")
                 + restoreQuestion(1, 2, QStringLiteral("p.zml"), QDateTime(QDate(2026, 12, 8), QTime(11, 48)));
    return texts;
}

QStringList japaneseOnes(const QStringList& texts)
{
    QStringList found;
    for (const QString& text : texts)
        if (hasJapanese(text))
            found << text;
    return found;
}

// The width and height a control needs to show its whole text in its font. A group box's
// title starts after the style's inset of 8 pixels; a tool button's caption under its icon
// may use the whole button less its 2-pixel frame on either side.
QSize neededSize(QWidget* widget)
{
    const QFontMetrics metrics = widget->fontMetrics();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return metrics.boundingRect(QRect(0, 0, 10000, 10000), int(label->alignment()), label->text()).size();
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return {metrics.horizontalAdvance(group->title()) + 8, 0};
    if (auto* button = qobject_cast<QToolButton*>(widget))
        return {metrics.horizontalAdvance(button->text()) + 4, 0};
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->sizeHint();
    return {};
}

QString caption(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return group->title();
    return static_cast<QAbstractButton*>(widget)->text();
}

// The controls placed at fixed designed sizes whose text does not fit them.
QStringList cutCaptions(QWidget* window)
{
    QStringList cut;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QGroupBox*>(widget)
            && !qobject_cast<QAbstractButton*>(widget))
            continue;
        if (widget->inherits("QStatusBar") || widget->parentWidget()->inherits("QStatusBar"))
            continue;  // the status bar's panels grow with the window
        static const QRegularExpression letter(QStringLiteral("\\p{L}"));
        if (!caption(widget).contains(letter))
            continue;  // a sign such as the zoom's "%" is the same in every language
        const QSize needed = neededSize(widget);
        if (needed.width() > widget->width() || needed.height() > widget->height())
            cut << QStringLiteral("%1 needs %2 x %3, has %4 x %5: %6")
                       .arg(QLatin1String(widget->metaObject()->className()))
                       .arg(needed.width()).arg(needed.height()).arg(widget->width()).arg(widget->height())
                       .arg(caption(widget));
    }
    return cut;
}

} // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { installLanguage(kSourceLanguage); }

    void startChoosesTheLanguage_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("languageList");
        QTest::addColumn<QStringList>("systemUi");
        QTest::addColumn<QString>("chosen");
        const QStringList english{QStringLiteral("en-US"), QStringLiteral("en")};
        const QStringList japanese{QStringLiteral("ja-JP"), QStringLiteral("ja")};
        QTest::newRow("no locale at all") << "" << "" << "" << "" << english << "ja";
        QTest::newRow("C") << "" << "" << "C" << "" << english << "ja";
        QTest::newRow("POSIX") << "" << "" << "POSIX" << "" << english << "ja";
        QTest::newRow("C.UTF-8") << "" << "" << "C.UTF-8" << "" << english << "ja";
        QTest::newRow("LC_ALL C over an English LANG") << "" << "C" << "en_US.UTF-8" << "" << english << "ja";
        QTest::newRow("Japanese desktop") << "" << "" << "ja_JP.UTF-8" << "" << japanese << "ja";
        QTest::newRow("English desktop") << "" << "" << "en_US.UTF-8" << "" << english << "en";
        QTest::newRow("British English") << "" << "" << "en_GB.UTF-8" << "" << QStringList{"en-GB"} << "en";
        QTest::newRow("LANGUAGE alone") << "" << "" << "" << "en" << QStringList{"en"} << "en";
        QTest::newRow("first language Zumeli has")
            << "" << "" << "fr_FR.UTF-8" << "fr:en" << QStringList{"fr-FR", "fr", "en"} << "en";
        QTest::newRow("Japanese before English") << "" << "" << "ja_JP.UTF-8" << "ja:en"
                                                 << QStringList{"ja", "en"} << "ja";
        QTest::newRow("a language Zumeli lacks") << "" << "" << "de_DE.UTF-8" << ""
                                                 << QStringList{"de-DE", "de"} << "ja";
        QTest::newRow("setting Japanese on an English desktop")
            << "ja" << "" << "en_US.UTF-8" << "" << english << "ja";
        QTest::newRow("setting English where none is asked") << "en" << "" << "C" << "" << english << "en";
        QTest::newRow("unknown setting is automatic") << "xx" << "" << "en_US.UTF-8" << "" << english << "en";
    }
    void startChoosesTheLanguage()
    {
        QFETCH(QString, setting);
        QFETCH(QString, lcAll);
        QFETCH(QString, lang);
        QFETCH(QString, languageList);
        QFETCH(QStringList, systemUi);
        QFETCH(QString, chosen);
        const QStringList asked = askedLanguages(lcAll, QString(), lang, languageList, systemUi);
        QCOMPARE(chooseLanguage(setting, asked, availableLanguages()), chosen);
    }

    void theProgramSpeaksJapaneseAndEnglish()
    {
        QCOMPARE(availableLanguages(), (QStringList{QStringLiteral("ja"), QStringLiteral("en")}));
        QCOMPARE(nativeLanguageName(QStringLiteral("ja")), QStringLiteral("日本語"));
        QCOMPARE(nativeLanguageName(QStringLiteral("en")), QStringLiteral("English"));
    }

    void englishShowsNoJapaneseAnywhere()
    {
        installLanguage(QStringLiteral("en"));
        const QStringList texts = textsOfEveryWindow();
        QVERIFY(texts.size() > 150);  // every window and dialog was reached
        QCOMPARE(japaneseOnes(texts), QStringList());
        QVERIFY(texts.contains(QStringLiteral("Form1 menu: &File")));
        QVERIFY(texts.contains(QStringLiteral("message: Failed")));
        QVERIFY(texts.contains(QStringLiteral("caption: Invalid Value")));
    }

    void noLanguageAskedKeepsTheDesignedTexts_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QStringList>("systemUi");
        QTest::newRow("C") << "C" << QStringList{"C"};
        QTest::newRow("C.UTF-8") << "C.UTF-8" << QStringList{"en-US"};
        QTest::newRow("ja_JP.UTF-8") << "ja_JP.UTF-8" << QStringList{"ja-JP", "ja"};
    }
    void noLanguageAskedKeepsTheDesignedTexts()
    {
        QFETCH(QString, lang);
        QFETCH(QStringList, systemUi);
        const QStringList designed = textsOfEveryWindow();  // nothing installed: the sources
        QVERIFY(designed.contains(QStringLiteral("Form1 menu: ファイル(&F)")));
        installLanguage(chooseLanguage({}, askedLanguages({}, {}, lang, {}, systemUi), availableLanguages()));
        QCOMPARE(textsOfEveryWindow(), designed);
    }

    void languageMenuRetranslatesTheOpenWindows()
    {
        ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        const QStringList designed = windowTexts(&form);
        form.openCheckWindow();
        QMenu* languages = nullptr;
        for (QMenu* menu : form.menuBar()->findChildren<QMenu*>())
            if (menu->title() == QStringLiteral("表示言語(&L)"))
                languages = menu;
        QVERIFY(languages);
        const auto item = [&](const QString& text) {
            for (QAction* action : languages->actions())
                if (action->text() == text)
                    return action;
            return static_cast<QAction*>(nullptr);
        };
        QVERIFY(item(QStringLiteral("自動"))->isChecked());

        item(QStringLiteral("English"))->trigger();
        QCoreApplication::processEvents();  // the language change reaches each window posted
        QCOMPARE(japaneseOnes(windowTexts(&form)), QStringList());
        QCOMPARE(japaneseOnes(windowTexts(form.parts().checkWindow)), QStringList());
        QCOMPARE(form.windowTitle(), QStringLiteral("Zumeli - Untitled"));
        QCOMPARE(form.parts().undoAction->text(), QStringLiteral("&Undo"));
        QCOMPARE(desktop.settings().value(kLanguageKey).toString(), QStringLiteral("en"));
        QVERIFY(item(QStringLiteral("English"))->isChecked());

        item(QStringLiteral("日本語"))->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(windowTexts(&form), designed);
        QVERIFY(windowTexts(form.parts().checkWindow).contains(QStringLiteral("PuzzleCheckWindow/QPushButton: 閉じる")));
        item(QStringLiteral("自動"))->trigger();
        QVERIFY(!desktop.settings().contains(kLanguageKey));
        form.parts().checkWindow->close();
    }

    // A check still running when the language changes says so in the new language (its
    // report, when it comes, is written in that language too).
    void aRunningCheckFollowsTheLanguage()
    {
        ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        desktop.chosenFiles.push_back(QStringLiteral(ZUMELI_SAMPLE_PUZZLES "/tournament/tournament-0766.non"));
        form.Command1_Click();
        form.openCheckWindow();
        PuzzleCheckWindow* check = form.parts().checkWindow;
        QVERIFY(check->isRunning());
        QVERIFY(windowTexts(check).contains(QStringLiteral("PuzzleCheckWindow/QLabel: 検査しています...")));
        for (QAction* action : form.menuBar()->findChildren<QAction*>())
            if (action->data().toString() == QLatin1String("en"))
                action->trigger();
        QCoreApplication::processEvents();
        QVERIFY(check->isRunning());  // the search takes about a second
        QCOMPARE(japaneseOnes(windowTexts(check)), QStringList());
        check->cancel();
        QVERIFY(QTest::qWaitFor([&] { return !check->isRunning(); }, 20000));
        QCOMPARE(japaneseOnes(windowTexts(check)), QStringList());
        check->close();
    }

    void theMenuShowsTheKeptChoice()
    {
        ScriptedDesktop desktop;
        desktop.settings().setValue(kLanguageKey, QStringLiteral("en"));
        BoardModel model;
        Form1 form(desktop, model);
        bool englishChecked = false;
        for (QAction* action : form.menuBar()->findChildren<QAction*>())
            if (action->data().toString() == QLatin1String("en"))
                englishChecked = action->isChecked();
        QVERIFY(englishChecked);
    }

    void englishCaptionsFitTheDesignedControls()
    {
        ScriptedDesktop desktop;
        BoardModel model;
        Form1 form(desktop, model);
        QStringList designedCut = cutCaptions(&form);
        QStringList cut;
        desktop.dialogScript = [&](QDialog& dialog) {
            (installedLanguage() == kSourceLanguage ? designedCut : cut) << cutCaptions(&dialog);
            return int(QDialog::Rejected);
        };
        QTemporaryDir dir;
        const auto openDialogs = [&] {
            form.Command7_Click();
            form.randomPuzzle();
            desktop.chosenFiles = {savedPicture(dir)};
            form.Command9_Click();
        };
        openDialogs();
        installLanguage(QStringLiteral("en"));
        Form1 english(desktop, model);
        cut << cutCaptions(&english);
        openDialogs();
        QCOMPARE(designedCut, QStringList());  // the measure passes the designed texts
        QCOMPARE(cut, QStringList());
    }

    void theTranslationFileIsCompleteAndCurrent()
    {
        QFile ts(QStringLiteral(ZUMELI_SOURCE_DIR "/translations/zumeli_en.ts"));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        const QByteArray text = ts.readAll();
        QVERIFY2(!text.contains("type=\"unfinished\""), "a text has no finished English translation");
        QVERIFY2(!text.contains("type=\"vanished\"") && !text.contains("type=\"obsolete\""),
                 "a translation of a text no longer in the sources is left");
        // lupdate over the sources, into a copy: nothing new may come of it.
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("zumeli_en.ts"));
        QVERIFY(QFile::copy(ts.fileName(), copy));
        QStringList arguments{QStringLiteral("-silent"), QStringLiteral("-no-obsolete"),
                              QStringLiteral("-locations"), QStringLiteral("none"),
                              QStringLiteral("-I"), QStringLiteral(ZUMELI_SOURCE_DIR)};
        for (const char* folder : {"board", "solve", "author", "files", "tasks", "desktop",
                                   "main_window", "dialogs", "widgets", "app"})
            arguments << QStringLiteral(ZUMELI_SOURCE_DIR "/") + QLatin1String(folder);
        arguments << QStringLiteral("-ts") << copy;
        QProcess lupdate;
        lupdate.start(QStringLiteral(ZUMELI_LUPDATE), arguments);
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        QFile updated(copy);
        QVERIFY(updated.open(QIODevice::ReadOnly));
        const QByteArray after = updated.readAll();
        QVERIFY2(!after.contains("type=\"unfinished\""),
                 "a text of the sources is missing from translations/zumeli_en.ts "
                 "(cmake --build build --target zumeli_lupdate, then translate it)");
        QCOMPARE(after.count("<message>"), text.count("<message>"));
    }
};

QTEST_MAIN(TranslationsTest)
#include "test_translations.moc"
