// File-dialog filters translated for Qt, and the extension a typed name gets.
#include "files/dialog_filter.h"
#include "files/file_flow.h"

#include <QTest>

using namespace zumeli;

class DialogFilterTest : public QObject {
    Q_OBJECT

private slots:
    void filtersBecomeQtFiltersWithoutRepeatingTheirPattern_data()
    {
        QTest::addColumn<FileCommand>("command");
        QTest::addColumn<QString>("qtFilter");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("save puzzle") << FileCommand::SavePuzzle << "ズメリファイル(*.zml)" << "zml";
        QTest::newRow("load puzzle") << FileCommand::LoadPuzzle
                                     << "ズメリファイル(*.zml);;すべてのファイル(*.*) (*)" << "zml";
        QTest::newRow("answer state") << FileCommand::SaveAnswerState << "ズメリ状態ファイル(*.sts)" << "sts";
        QTest::newRow("bitmap") << FileCommand::ExportBitmap << "ビットマップファイル(*.bmp)" << "bmp";
        QTest::newRow("image") << FileCommand::ImportImage
                               << "画像ファイル(*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif) "
                                  "(*.bmp *.gif *.ico *.jpg *.jpeg *.jpe *.jfif)"
                               << "bmp";
    }
    void filtersBecomeQtFiltersWithoutRepeatingTheirPattern()
    {
        QFETCH(FileCommand, command);
        QFETCH(QString, qtFilter);
        QFETCH(QString, suffix);
        QCOMPARE(qtFileDialogFilter(fileFilter(command)), qtFilter);
        QCOMPARE(defaultSuffix(fileFilter(command)), suffix);
    }

    void anyFilePatternGivesNoSuffix()
    {
        QCOMPARE(defaultSuffix(QStringLiteral("すべて|*")), QString());
        QCOMPARE(defaultSuffix(QStringLiteral("すべて|*.*")), QString());
    }
};

QTEST_GUILESS_MAIN(DialogFilterTest)
#include "test_dialog_filter.moc"
