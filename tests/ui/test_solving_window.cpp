// The main window's drawing tools, Make and the answer check, driven with mouse presses.
#include "main_window/Form1.h"
#include "widgets/board_view.h"
#include "support/ascii_board.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"

#include <QFrame>
#include <QLabel>
#include <QStringList>
#include <QToolButton>
#include <QTest>

using namespace zumeli;

namespace {

const QString kStart = QStringLiteral("始点を指定してください");
const QString kEnd = QStringLiteral("終点を指定してください");
const QString kNotAnswer = QStringLiteral("ここは解答エリアではありません");

// The answer area as the board picture shows it: '#' black box, 'x' cross, '.' white.
QStringList shownAnswer(Form1& form)
{
    const QImage& image = form.parts().picture.image();
    QStringList rows;
    for (int y = form.document().model().clueSize; y < form.document().model().gridHeight; ++y) {
        QString row;
        for (int x = form.document().model().clueSize; x < form.document().model().gridWidth; ++x) {
            const QPoint centre(twipsToPixels(x * form.parts().layout.cellSize + form.parts().layout.cellSize / 2),
                                twipsToPixels(y * form.parts().layout.cellSize + form.parts().layout.cellSize / 2));
            const bool centreBlack = image.pixelColor(centre) == Qt::black;
            const bool besideBlack = image.pixelColor(centre + QPoint(3, 0)) == Qt::black;
            row += besideBlack ? '#' : centreBlack ? 'x' : '.';
        }
        rows << row;
    }
    return rows;
}

QStringList modelAnswer(const BoardModel& model)
{
    QStringList rows;
    for (const std::string& row : test::answerPicture(model))
        rows << QString::fromStdString(row);
    return rows;
}

// A window on a 4 x 3 answer area with a clue band of 2 (columns and rows 2.. are answer).
struct SmallBoard : test::MainWindow {
    SmallBoard()
    {
        form.Timer1_Timer();  // the start-up picture out of the way
        model.clueSize = 2;
        model.gridWidth = 6;
        model.gridHeight = 5;
        form.forgetRectangleStart();
        form.redrawOrResetZoom(Form1::Redraw::Full);
    }
};

} // namespace

class SolvingWindowTest : public QObject {
    Q_OBJECT

private slots:
    void toolButtonsShowTheSelectedToolAndItsPointer()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        const QString before = form.statusText();

        form.Picture3_Click(1);
        QCOMPARE(ui.currentTool, 1);
        QCOMPARE(ui.Picture3[0]->borderStyle(), 0);
        QCOMPARE(ui.Picture3[1]->borderStyle(), 1);
        QCOMPARE(ui.Picture1->cursor().pixmap().toImage(),
                 QPixmap(QStringLiteral(":/icons/104.xpm")).toImage());
        QCOMPARE(form.statusText(), kStart);

        form.setStatusText(before);
        form.Picture3_Click(0);
        QCOMPARE(ui.currentTool, 0);
        QCOMPARE(ui.Picture3[0]->borderStyle(), 1);
        QCOMPARE(ui.Picture3[1]->borderStyle(), 0);
        QCOMPARE(ui.Picture1->cursor().pixmap().toImage(),
                 QPixmap(QStringLiteral(":/icons/103.xpm")).toImage());
        QCOMPARE(form.statusText(), before);  // the pencil leaves the status text alone
        QVERIFY(desktop.messages.empty());
    }

    void clickingAToolButtonSelectsIt()
    {
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        QTest::mouseClick(ui.Picture3[1], Qt::LeftButton);
        QCOMPARE(ui.currentTool, 1);
        QTest::mouseClick(ui.Picture3[0], Qt::LeftButton);
        QCOMPARE(ui.currentTool, 0);
    }

    void pencilPressesChangeAndShowTheCell()
    {
        SmallBoard b;
        test::clickCell(b.form, Qt::LeftButton, 2, 2);
        test::clickCell(b.form, Qt::RightButton, 3, 2);
        test::clickCell(b.form, Qt::LeftButton, 4, 3);
        test::clickCell(b.form, Qt::LeftButton, 4, 3);  // filled back to empty
        test::clickCell(b.form, Qt::RightButton, 5, 4);
        test::clickCell(b.form, Qt::LeftButton, 5, 4);  // cross to filled
        const QStringList expected{"#x..", "....", "...#"};
        QCOMPARE(modelAnswer(b.model), expected);
        QCOMPARE(shownAnswer(b.form), expected);
    }

    void pencilLeavesOtherValuesAlone()
    {
        SmallBoard b;
        b.model.board(3, 3) = 7;
        test::clickCell(b.form, Qt::LeftButton, 3, 3);
        test::clickCell(b.form, Qt::RightButton, 3, 3);
        QCOMPARE(b.model.board(3, 3), 7);
    }

    void clueBandPressOnlyShowsTheNotice_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("column clues") << 3 << 1;
        QTest::newRow("row clues") << 0 << 4;
        QTest::newRow("corner") << 1 << 1;
    }
    void clueBandPressOnlyShowsTheNotice()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        SmallBoard b;
        for (int tool = 0; tool < 2; ++tool) {
            b.form.Picture3_Click(tool);
            const BoardModel before = b.model;
            const QImage shown = b.ui.picture.image();
            for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
                b.form.setStatusText(QString());
                test::clickCell(b.form, button, x, y);
                QCOMPARE(b.form.statusText(), kNotAnswer);
            }
            QVERIFY(b.model == before);
            QCOMPARE(b.ui.picture.image(), shown);
            QCOMPARE(b.ui.rectStartX, -1);
        }
        QVERIFY(b.desktop.messages.empty());
    }

    void pressOnThePictureFrameIsNotAnAnswerCell()
    {
        SmallBoard b;
        const BoardModel before = b.model;
        // Just right of and just below the last cell: the picture's own frame.
        const QPoint corner(BoardView::kBorderPixels + twipsToPixels(b.ui.layout.boardWidthTw),
                            BoardView::kBorderPixels + twipsToPixels(b.ui.layout.boardHeightTw));
        QTest::mousePress(b.ui.Picture1, Qt::LeftButton, {}, corner);
        QCOMPARE(b.form.statusText(), kNotAnswer);
        QVERIFY(b.model == before);
    }

    void rectangleWithReversedCornersAndABandPressBetween()
    {
        SmallBoard b;
        b.model.board(3, 3) = kCross;
        b.model.board(4, 4) = 7;
        b.form.RedrawBoard();
        b.form.Picture3_Click(1);
        QCOMPARE(b.form.statusText(), kStart);

        test::clickCell(b.form, Qt::RightButton, 5, 4);  // either button sets the first corner
        QCOMPARE(b.form.statusText(), kEnd);
        QCOMPARE(b.ui.rectStartX, 5);
        QCOMPARE(modelAnswer(b.model), (QStringList{"....", ".x..", "..?."}));

        test::clickCell(b.form, Qt::LeftButton, 0, 3);  // the clue band: only the notice
        QCOMPARE(b.form.statusText(), kNotAnswer);
        QCOMPARE(b.ui.rectStartX, 5);

        test::clickCell(b.form, Qt::LeftButton, 3, 3);  // above and left of the first corner
        QCOMPARE(b.form.statusText(), kStart);
        QCOMPARE(b.ui.rectStartX, -1);
        const QStringList filled{"....", ".###", ".###"};
        QCOMPARE(modelAnswer(b.model), filled);
        QCOMPARE(shownAnswer(b.form), filled);

        test::clickCell(b.form, Qt::LeftButton, 2, 2);
        test::clickCell(b.form, Qt::RightButton, 4, 4);  // right at the end erases
        const QStringList erased{"....", "...#", "...#"};
        QCOMPARE(modelAnswer(b.model), erased);
        QCOMPARE(shownAnswer(b.form), erased);
    }

    void toolClickAbandonsAPendingCorner()
    {
        SmallBoard b;
        b.form.Picture3_Click(1);
        test::clickCell(b.form, Qt::LeftButton, 2, 2);
        b.form.Picture3_Click(1);  // the same tool again
        QCOMPARE(b.ui.rectStartX, -1);
        QCOMPARE(b.form.statusText(), kStart);
        test::clickCell(b.form, Qt::LeftButton, 5, 4);  // a new first corner, not an end
        QCOMPARE(b.form.statusText(), kEnd);
        b.form.Picture3_Click(0);
        QCOMPARE(b.ui.rectStartX, -1);
        QCOMPARE(b.form.statusText(), kEnd);  // the pencil leaves the last prompt
        QCOMPARE(modelAnswer(b.model), (QStringList{"....", "....", "...."}));
    }

    void middleButtonChangesNothingButRedrawsTheCell()
    {
        SmallBoard b;
        b.model.board(3, 3) = kFilled;
        b.form.RedrawBoard();
        // Something else painted over the cell; the middle press shows the cell again.
        b.ui.picture.box(3 * b.ui.layout.cellSize, 3 * b.ui.layout.cellSize, b.ui.layout.cellSize,
                           b.ui.layout.cellSize, Qt::white);
        QCOMPARE(shownAnswer(b.form)[1], QStringLiteral("...."));
        const BoardModel before = b.model;
        for (int tool = 0; tool < 2; ++tool) {
            b.form.Picture3_Click(tool);
            b.form.setStatusText(QStringLiteral("-"));
            test::clickCell(b.form, Qt::MiddleButton, 3, 3);
            QVERIFY(b.model == before);
            QCOMPARE(b.ui.rectStartX, -1);
            QCOMPARE(b.form.statusText(), QStringLiteral("-"));
            QCOMPARE(shownAnswer(b.form)[1], QStringLiteral(".#.."));
        }
        // A middle press between the corners leaves the first corner pending.
        test::clickCell(b.form, Qt::LeftButton, 2, 2);
        test::clickCell(b.form, Qt::MiddleButton, 4, 4);
        QCOMPARE(b.ui.rectStartX, 2);
        QCOMPARE(b.form.statusText(), kEnd);
    }

    void staleCornerNeverWritesOutsideTheAnswerArea()
    {
        SmallBoard b;
        b.form.Picture3_Click(1);
        // A corner left over from a bigger board, as if the board had been replaced while
        // it was pending without being forgotten.
        b.ui.rectStartX = 40;
        b.ui.rectStartY = 0;
        test::clickCell(b.form, Qt::LeftButton, 4, 3);
        QCOMPARE(modelAnswer(b.model), (QStringList{"..##", "..##", "...."}));
        for (int x = 0; x < kBoardSide; ++x)
            for (int y = 0; y < kBoardSide; ++y)
                if (!b.model.isAnswerCell(x, y))
                    QCOMPARE(b.model.board(x, y), 0);
    }

    void forgottenCornerStartsANewRectangle()
    {
        SmallBoard b;
        b.form.Picture3_Click(1);
        test::clickCell(b.form, Qt::LeftButton, 2, 2);
        b.form.forgetRectangleStart();
        test::clickCell(b.form, Qt::LeftButton, 5, 4);
        QCOMPARE(b.ui.rectStartX, 5);
        QCOMPARE(modelAnswer(b.model), (QStringList{"....", "....", "...."}));
    }

    // Author a picture by hand, derive its clues, erase it, draw it again with both tools
    // and ask for the check; then spoil one cell and ask again.
    void drawMakeEraseSolveAndCheck()
    {
        SmallBoard b;
        Form1& form = b.form;
        const QStringList picture{"##.#", "#..#", "####"};
        for (int y = 0; y < picture.size(); ++y)
            for (int x = 0; x < picture[y].size(); ++x)
                if (picture[y][x] == '#')
                    test::clickCell(form, Qt::LeftButton, 2 + x, 2 + y);
        QCOMPARE(modelAnswer(b.model), picture);

        QTest::mouseClick(form.parts().Command8, Qt::LeftButton);  // Make
        QCOMPARE(test::columnClueCells(b.model, 2), (std::vector<int>{0, 3}));
        QCOMPARE(test::columnClueCells(b.model, 3), (std::vector<int>{1, 1}));
        QCOMPARE(test::columnClueCells(b.model, 4), (std::vector<int>{0, 1}));
        QCOMPARE(test::columnClueCells(b.model, 5), (std::vector<int>{0, 3}));
        QCOMPARE(test::rowClueCells(b.model, 2), (std::vector<int>{2, 1}));
        QCOMPARE(test::rowClueCells(b.model, 3), (std::vector<int>{1, 1}));
        QCOMPARE(test::rowClueCells(b.model, 4), (std::vector<int>{0, 4}));
        QCOMPARE(shownAnswer(form), picture);  // Make redraws the drawing as well

        // Erase everything with one right-button rectangle.
        form.Picture3_Click(1);
        test::clickCell(form, Qt::LeftButton, 5, 4);
        test::clickCell(form, Qt::RightButton, 2, 2);
        QCOMPARE(modelAnswer(b.model), (QStringList{"....", "....", "...."}));

        // Solve again: the bottom row as a rectangle, the rest with the pencil, one cross.
        test::clickCell(form, Qt::RightButton, 2, 4);
        test::clickCell(form, Qt::LeftButton, 5, 4);
        form.Picture3_Click(0);
        for (auto [x, y] : {std::pair{2, 2}, {3, 2}, {5, 2}, {2, 3}, {5, 3}})
            test::clickCell(form, Qt::LeftButton, x, y);
        test::clickCell(form, Qt::RightButton, 4, 2);
        QCOMPARE(modelAnswer(b.model), (QStringList{"##x#", "#..#", "####"}));

        QTest::mouseClick(form.parts().Command2, Qt::LeftButton);  // the check
        QCOMPARE(b.desktop.messages.size(), std::size_t(1));
        const test::ShownMessage success = b.desktop.lastMessage();
        QCOMPARE(success.text, QStringLiteral("答えと一致しました"));
        QCOMPARE(success.caption, QStringLiteral("大当たり！"));
        QCOMPARE(success.buttons, MessageButtons::Ok);
        QCOMPARE(success.icon, MessageIcon::Information);

        test::clickCell(form, Qt::LeftButton, 3, 3);  // one cell too many
        QTest::mouseClick(form.parts().Command2, Qt::LeftButton);
        QCOMPARE(b.desktop.messages.size(), std::size_t(2));
        const test::ShownMessage failure = b.desktop.lastMessage();
        QCOMPARE(failure.text, QStringLiteral("残念！\r\n答えと一致しませんでした"));
        QCOMPARE(failure.caption, QStringLiteral("間違いです"));
        QCOMPARE(failure.buttons, MessageButtons::Ok);
        QCOMPARE(failure.icon, MessageIcon::Information);
        QCOMPARE(modelAnswer(b.model), (QStringList{"##x#", "##.#", "####"}));  // unchanged
    }

    void makeShowsTheDerivedNumbers()
    {
        SmallBoard b;
        const QImage blankBand = b.ui.picture.image().copy(0, 0, b.ui.picture.image().width(),
                                                              twipsToPixels(b.ui.layout.clueBandTw));
        test::clickCell(b.form, Qt::LeftButton, 3, 2);
        b.form.Command8_Click();
        const QImage band = b.ui.picture.image().copy(0, 0, b.ui.picture.image().width(),
                                                         twipsToPixels(b.ui.layout.clueBandTw));
        QVERIFY(band != blankBand);
    }
};

QTEST_MAIN(SolvingWindowTest)
#include "test_solving_window.moc"
