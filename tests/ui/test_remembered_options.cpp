// The options of the プレイ and ツール menus are remembered: the next window starts with them as
// they were left, and a start without settings has every option off and writes nothing.
#include "desktop/qt_desktop.h"
#include "main_window/Form1.h"
#include "support/scripted_desktop.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zumeli;

namespace {

// The checkable items of the プレイ and ツール menus, in menu order.
QList<QAction*> options(Form1& form)
{
    QList<QAction*> found;
    for (QAction* top : form.menuBar()->actions()) {
        if (top->text() != QStringLiteral("プレイ(&G)") && top->text() != QStringLiteral("ツール(&T)"))
            continue;
        for (QAction* item : top->menu()->actions())
            if (item->isCheckable())
                found << item;
    }
    return found;
}

QList<bool> checkedStates(Form1& form)
{
    QList<bool> states;
    for (QAction* option : options(form))
        states << option->isChecked();
    return states;
}

// What the board picture control shows on screen.
QImage screen(Form1& form)
{
    return form.parts().Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A window over a board with something in its clue band and answer area, so that every option
// shows on it.
std::unique_ptr<Form1> window(test::ScriptedDesktop& desktop, BoardModel& model)
{
    auto form = std::make_unique<Form1>(desktop, model);
    form->Timer1_Timer();  // the start-up picture out of the way
    model = BoardModel{};  // 15 x 15 answer cells after a clue band of 5
    for (int16 i = model.clueSize; i < model.gridWidth; ++i) {
        model.board(i, i) = kFilled;
        model.board(model.clueSize - 1, i) = 1;
        model.board(i, model.clueSize - 1) = 1;
    }
    form->redrawOrResetZoom(Form1::Redraw::Full);
    return form;
}

} // namespace

class RememberedOptionsTest : public QObject {
    Q_OBJECT

private slots:
    // No settings: every option is off, as the window was designed, and nothing is written.
    void startWithoutSettingsHasEveryOptionOff()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        auto form = window(desktop, model);
        QVERIFY(options(*form).size() >= 2);
        QCOMPARE(checkedStates(*form), QList<bool>(options(*form).size(), false));
        QVERIFY(!form->parts().play.showsBoardHelp());
        form.reset();
        QVERIFY(desktop.settings().allKeys().isEmpty());
        QVERIFY(!QFile::exists(desktop.settings().fileName()));
    }

    // Each option switched on is on again in the next window (and shows there as it did),
    // the others stay off; switched off again, the next window has it off.
    void eachOptionIsOnAgainInTheNextWindow()
    {
        int count = 0;
        {
            test::ScriptedDesktop desktop;
            BoardModel model;
            count = options(*window(desktop, model)).size();
        }
        for (int i = 0; i < count; ++i) {
            test::ScriptedDesktop desktop;
            BoardModel model;
            auto first = window(desktop, model);
            const QString text = options(*first).at(i)->text();
            options(*first).at(i)->setChecked(true);
            const QImage shown = screen(*first);
            first.reset();

            auto next = window(desktop, model);
            QList<bool> expected(count, false);
            expected[i] = true;
            QVERIFY2(checkedStates(*next) == expected, qPrintable(text));
            QVERIFY2(screen(*next) == shown, qPrintable(text));

            options(*next).at(i)->setChecked(false);
            next.reset();
            auto third = window(desktop, model);
            QVERIFY2(checkedStates(*third) == QList<bool>(count, false), qPrintable(text));
        }
    }

    // The program's settings are one file, Zumeli.conf, in the user's configuration folder;
    // asking for them writes nothing.
    void programSettingsAreZumeliConf()
    {
        QTemporaryDir config;
        QVERIFY(config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QCoreApplication::setApplicationName(QStringLiteral("Zumeli"));
        {
            QtDesktop desktop;
            QCOMPARE(desktop.settings().fileName(), config.filePath(QStringLiteral("Zumeli.conf")));
        }
        QVERIFY(QDir(config.path()).isEmpty());
    }

    // Windows of another desktop (another user) do not see the options.
    void optionsBelongToTheDesktopsSettings()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        auto first = window(desktop, model);
        for (QAction* option : options(*first))
            option->setChecked(true);
        first.reset();
        QSettings& settings = desktop.settings();
        QVERIFY(!settings.allKeys().isEmpty());
        QCOMPARE(settings.status(), QSettings::NoError);

        test::ScriptedDesktop other;
        BoardModel otherModel;
        auto stranger = window(other, otherModel);
        QCOMPARE(checkedStates(*stranger), QList<bool>(options(*stranger).size(), false));
    }
};

QTEST_MAIN(RememberedOptionsTest)
#include "test_remembered_options.moc"
