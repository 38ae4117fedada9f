// The main window on a screen with two device pixels to a pixel: the board is drawn at that
// resolution and shown one to one, while print and export keep the picture of one pixel.
#include "main_window/Form1.h"
#include "widgets/board_view.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace zumeli;

class HiDpiBoardTest : public QObject {
    Q_OBJECT

private slots:
    void boardIsDrawnAndShownAtTheScreensResolution()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        model.board(10, 2) = 17;
        model.board(4, 12) = 3;
        model.board(6, 6) = kFilled;
        form.RedrawBoard();
        QCOMPARE(ui.Picture1->devicePixelRatioF(), 2.0);

        // The picture printed and exported: 20 cells of 200 twips at zoom 100, as on any screen.
        QCOMPARE(ui.picture.image().size(), QSize(266, 266));
        QCOMPARE(ui.picture.image().devicePixelRatio(), 1.0);
        // What the screen shows: twice the pixels each way.
        const QImage& screen = ui.picture.screenImage();
        QCOMPARE(screen.size(), QSize(532, 532));
        QCOMPARE(screen.devicePixelRatio(), 2.0);

        // The control paints it device pixel for device pixel inside its frame.
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QImage shown = ui.Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.devicePixelRatio(), 2.0);
        const int frame = 2 * BoardView::kBorderPixels;
        // The border lines lie over the picture: compare a clue cell and an answer cell away from them.
        for (const QRect cell : {QRect(2 * 133, 2 * 26, 26, 26), QRect(2 * 80, 2 * 80, 26, 26)})
            QCOMPARE(shown.copy(cell.translated(frame, frame)),
                     screen.copy(cell).convertToFormat(QImage::Format_RGB32));

        // A new zoom draws at the screen's resolution too.
        ui.Text1->setText(QStringLiteral("150"));
        QCOMPARE(ui.picture.image().size(), QSize(400, 400));
        QCOMPARE(ui.picture.screenImage().size(), QSize(800, 800));
    }
};

int main(int argc, char** argv)
{
    // Every window of this test lives on a screen of two device pixels to a pixel.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HiDpiBoardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_hidpi_board.moc"
