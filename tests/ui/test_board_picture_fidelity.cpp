// The board picture the main window draws, compared pixel for pixel with a plain rendering
// that opens one painter for every line, box and text, exactly as the drawing rules read: a
// faster drawing must not change a single pixel of what is shown, printed or exported.
#include "board/drawing/board_drawing.h"
#include "main_window/Form1.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

using namespace zumeli;

Q_DECLARE_METATYPE(zumeli::BoardModel)

namespace {

// The drawing primitives as first written: every call its own painter, pen, brush and font.
class ReferencePicture {
public:
    ReferencePicture(int widthTw, int heightTw)
        : image_(std::max(twipsToPixels(widthTw), 0), std::max(twipsToPixels(heightTw), 0),
                 QImage::Format_RGB32)
    {
        image_.setDotsPerMeterX(3780);
        image_.setDotsPerMeterY(3780);
        image_.fill(Qt::white);
    }

    void line(int x1, int y1, int x2, int y2)
    {
        if (image_.isNull())
            return;
        QPainter painter(&image_);
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(twipsToPixels(x1), twipsToPixels(y1), twipsToPixels(x2), twipsToPixels(y2));
    }

    void box(int left, int top, int width, int height, const QColor& fill)
    {
        if (image_.isNull())
            return;
        const int x1 = twipsToPixels(left);
        const int y1 = twipsToPixels(top);
        const int x2 = twipsToPixels(left + width);
        const int y2 = twipsToPixels(top + height);
        QPainter painter(&image_);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(fill);
        painter.drawRect(x1, y1, x2 - x1, y2 - y1);
    }

    void printText(int x, int y, const QString& text, double pointSize, qreal horizontalScale = 1)
    {
        if (image_.isNull() || pointSize <= 0)
            return;
        QFont font = BoardPicture::defaultFont();
        font.setPointSizeF(pointSize);
        QPainter painter(&image_);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(font, &image_);
        const QPointF origin(twipsToPixels(x), twipsToPixels(y) + metrics.ascent());
        if (horizontalScale == 1) {
            painter.drawText(origin, text);
            return;
        }
        painter.translate(origin);
        painter.scale(horizontalScale, 1);
        painter.drawText(QPointF(0, 0), text);
    }

    const QImage& image() const { return image_; }

    // Measures texts for the drawing rules; never drawn into.
    std::unique_ptr<BoardPicture> measure = std::make_unique<BoardPicture>();

private:
    QImage image_;
};

// The drawing rules, step by step, over the reference primitives.
void referenceGrid(ReferencePicture& picture, const BoardModel& model, const BoardLayout& layout)
{
    const int c = layout.cellSize;
    const int band = layout.clueBandTw;
    picture.line(0, 0, band, band);
    for (int i = 0; i < model.gridWidth; ++i) {
        if (i == model.clueSize)
            continue;
        picture.line(i * c, band, i * c, layout.boardHeightTw);
        picture.line(i * c, 0, i * c, band);
    }
    for (int j = 0; j < model.gridHeight; ++j) {
        if (j == model.clueSize)
            continue;
        picture.line(band, j * c, layout.boardWidthTw, j * c);
        picture.line(0, j * c, band, j * c);
    }
}

void referenceClueNumber(ReferencePicture& picture, int value, int x, int y,
                         const BoardLayout& layout, double zoom)
{
    const double s = zoom / 100.0;
    const QString digits = QString::number(value);
    const double left = digits.size() == 1 ? x * layout.cellSize + 15.0 * s
                                           : x * layout.cellSize - 25.0 * s;
    const double top = y * layout.cellSize + 25.0 * s;
    const QString text = value >= 0 ? QStringLiteral(" ") + digits : digits;
    const QPoint origin(qRound(std::nearbyint(left)), qRound(std::nearbyint(top)));
    if (digits.size() > 1) {
        // Where a longer number that does not fit goes and how narrow it is drawn is the
        // drawing rules' own measure; here it is only drawn plainly.
        const CluePrint print = cluePrint(*picture.measure, value, static_cast<int16>(x),
                                          static_cast<int16>(y), layout, zoom);
        if (print.text != text || print.originTw != origin || print.horizontalScale != 1) {
            picture.printText(print.originTw.x(), print.originTw.y(), print.text, 8.0 * s,
                              print.horizontalScale);
            return;
        }
    }
    picture.printText(origin.x(), origin.y(), text, 8.0 * s);
}

void referenceClues(ReferencePicture& picture, const BoardModel& model, const BoardLayout& layout,
                    double zoom)
{
    const int band = model.clueSize;
    for (int x = band; x < model.gridWidth; ++x)
        for (int y = 0; y < band; ++y)
            if (model.board(x, y) != 0 || y == band - 1)
                referenceClueNumber(picture, model.board(x, y), x, y, layout, zoom);
    for (int y = band; y < model.gridHeight; ++y)
        for (int x = 0; x < band; ++x)
            if (model.board(x, y) != 0 || x == band - 1)
                referenceClueNumber(picture, model.board(x, y), x, y, layout, zoom);
}

void referenceCell(ReferencePicture& picture, int value, int x, int y, const BoardLayout& layout)
{
    const int c = layout.cellSize;
    const int left = x * c;
    const int top = y * c;
    picture.box(left, top, c, c, Qt::white);
    if (value == kFilled)
        picture.box(left, top, c, c, Qt::black);
    else if (value == kCross) {
        picture.line(left, top, left + c, top + c);
        picture.line(left, top + c, left + c, top);
    }
}

enum class Content { GridAndClues, Everything };

ReferencePicture referenceBoard(const BoardModel& model, double zoom, Content content)
{
    const BoardLayout layout = computeLayout(zoom, model);
    ReferencePicture picture(layout.boardWidthTw, layout.boardHeightTw);
    referenceGrid(picture, model, layout);
    referenceClues(picture, model, layout, zoom);
    if (content == Content::Everything)
        for (int x = model.clueSize; x < model.gridWidth; ++x)
            for (int y = model.clueSize; y < model.gridHeight; ++y)
                referenceCell(picture, model.board(x, y), x, y, layout);
    return picture;
}

// Where two pictures differ, for the failure message.
QByteArray difference(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width()).arg(actual.height()).arg(expected.width()).arg(expected.height())
            .toUtf8();
    if (actual.format() != expected.format())
        return "another pixel format";
    int count = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                if (count++ == 0)
                    first = {x, y};
            }
    return QStringLiteral("%1 pixels differ, the first at (%2, %3)")
        .arg(count).arg(first.x()).arg(first.y()).toUtf8();
}

#define COMPARE_PICTURE(actual, expected)                                                    \
    do {                                                                                     \
        const QImage a_ = (actual);                                                          \
        const QImage e_ = (expected);                                                        \
        QVERIFY2(a_ == e_, difference(a_, e_).constData());                                  \
    } while (false)

// Boards that exercise every drawing path.
BoardModel largestBoard()
{
    BoardModel model;
    model.clueSize = kMaxClueSize;
    model.gridWidth = kMaxClueSize + kMaxAnswerSide;
    model.gridHeight = kMaxClueSize + kMaxAnswerSide;
    for (int x = 0; x < model.gridWidth; ++x)
        for (int y = 0; y < model.gridHeight; ++y) {
            if (x >= model.clueSize && y >= model.clueSize)
                model.board(x, y) = static_cast<int16>((x + y) % 3);
            else if (x >= model.clueSize || y >= model.clueSize)
                model.board(x, y) = static_cast<int16>(10 + (x * 31 + y * 17) % 90);
        }
    return model;
}

// Clue numbers of every width and sign, answer values beyond the three codes.
BoardModel oddValuesBoard()
{
    BoardModel model;
    model.clueSize = 3;
    model.gridWidth = 9;
    model.gridHeight = 7;
    const int16 clues[] = {-32768, -5, 0, 7, 80, 123, 32767, 1, 9, 10, -1};
    const int16 cells[] = {0, 1, 2, 7, -1, 2, 1};
    int i = 0;
    for (int x = 0; x < model.gridWidth; ++x)
        for (int y = 0; y < model.gridHeight; ++y, ++i) {
            if (x >= model.clueSize && y >= model.clueSize)
                model.board(x, y) = cells[i % std::size(cells)];
            else if (x >= model.clueSize || y >= model.clueSize)
                model.board(x, y) = clues[i % std::size(clues)];
        }
    return model;
}

BoardModel randomBoard(quint32 seed, int clueSize, int width, int height)
{
    QRandomGenerator random(seed);
    BoardModel model;
    model.clueSize = static_cast<int16>(clueSize);
    model.gridWidth = static_cast<int16>(clueSize + width);
    model.gridHeight = static_cast<int16>(clueSize + height);
    for (int x = 0; x < model.gridWidth; ++x)
        for (int y = 0; y < model.gridHeight; ++y) {
            if (x >= clueSize && y >= clueSize)
                model.board(x, y) = static_cast<int16>(random.bounded(4));
            else if (x >= clueSize || y >= clueSize)
                model.board(x, y) = static_cast<int16>(random.bounded(3) ? random.bounded(100) : 0);
        }
    return model;
}

BoardModel oneCellBoard()
{
    BoardModel model;
    model.clueSize = 1;
    model.gridWidth = 2;
    model.gridHeight = 2;
    model.board(1, 0) = 1;
    model.board(0, 1) = 12;
    model.board(1, 1) = kCross;
    return model;
}

} // namespace

class BoardPictureFidelityTest : public QObject {
    Q_OBJECT

private slots:
    void everyRedrawDrawsWhatThePlainRulesDraw_data()
    {
        QTest::addColumn<BoardModel>("board");
        QTest::addColumn<QString>("zoom");
        QTest::newRow("largest at 100") << largestBoard() << QStringLiteral("100");
        QTest::newRow("largest at the largest zoom that fits") << largestBoard() << QStringLiteral("154");
        QTest::newRow("largest at 10") << largestBoard() << QStringLiteral("10");
        QTest::newRow("largest at 33.3") << largestBoard() << QStringLiteral("33.3");
        QTest::newRow("odd values at 100") << oddValuesBoard() << QStringLiteral("100");
        QTest::newRow("odd values at 275") << oddValuesBoard() << QStringLiteral("275");
        QTest::newRow("odd values at 12.5") << oddValuesBoard() << QStringLiteral("12.5");
        QTest::newRow("random at 75") << randomBoard(7, 7, 25, 18) << QStringLiteral("75");
        QTest::newRow("random at 150") << randomBoard(11, 4, 12, 30) << QStringLiteral("150");
        QTest::newRow("random at 400") << randomBoard(13, 2, 20, 9) << QStringLiteral("400");
        QTest::newRow("one cell at 500") << oneCellBoard() << QStringLiteral("500");
        QTest::newRow("one cell at 10") << oneCellBoard() << QStringLiteral("10");
    }
    void everyRedrawDrawsWhatThePlainRulesDraw()
    {
        QFETCH(BoardModel, board);
        QFETCH(QString, zoom);
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        model = board;
        ui.Text1->setText(zoom);
        form.redrawOrResetZoom(Form1::Redraw::Full);
        QVERIFY(desktop.messages.empty());
        const double z = form.zoom();

        // A full rebuild: zoom change, new puzzle, image, answer state.
        COMPARE_PICTURE(ui.picture.image(), referenceBoard(model, z, Content::Everything).image());

        // The clue band alone: a loaded puzzle.
        form.redrawOrResetZoom(Form1::Redraw::Clues);
        COMPARE_PICTURE(ui.picture.image(),
                        referenceBoard(model, z, Content::GridAndClues).image());

        // Pencil presses redraw one cell over the full picture.
        form.RedrawBoard();
        ReferencePicture expected = referenceBoard(model, z, Content::Everything);
        const BoardLayout layout = computeLayout(z, model);
        const QPoint pressed[] = {{model.clueSize, model.clueSize},
                                  {model.gridWidth - 1, model.gridHeight - 1},
                                  {model.clueSize, model.gridHeight - 1}};
        int button = 1;
        for (const QPoint cell : pressed) {
            const int c = ui.layout.cellSize;
            form.Picture1_MouseDown(button, 0, cell.x() * c + c / 2, cell.y() * c + c / 2);
            referenceCell(expected, model.board(cell.x(), cell.y()), cell.x(), cell.y(), layout);
            button = 3 - button;
        }
        COMPARE_PICTURE(ui.picture.image(), expected.image());
    }
};

QTEST_MAIN(BoardPictureFidelityTest)
#include "test_board_picture_fidelity.moc"
