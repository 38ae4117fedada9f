// The puzzle check window and the picture view it shows solutions in.
#include "main_window/puzzle_check_window.h"

#include "formats/board_clues.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zumeli {

CellGridView::CellGridView(QWidget* parent) : QWidget(parent) {}

void CellGridView::setGrid(const solver::CellGrid& grid, const std::vector<bool>& marked)
{
    grid_ = grid;
    marked_ = marked;
    setFixedSize(sizeHint());
    update();
}

int CellGridView::cellPixels() const
{
    const int side = std::max(grid_.width, grid_.height);
    return side == 0 ? 8 : std::clamp(320 / side, 3, 16);
}

QSize CellGridView::sizeHint() const
{
    const int c = cellPixels();
    return {grid_.width * c + 1, grid_.height * c + 1};
}

void CellGridView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int c = cellPixels();
    for (int y = 0; y < grid_.height; ++y)
        for (int x = 0; x < grid_.width; ++x) {
            const QRect cell(x * c, y * c, c, c);
            switch (grid_.at(x, y)) {
            case solver::Cell::Filled: painter.fillRect(cell, Qt::black); break;
            case solver::Cell::Empty: painter.fillRect(cell, Qt::white); break;
            case solver::Cell::Unknown: painter.fillRect(cell, QColor(200, 200, 200)); break;
            }
        }
    painter.setPen(QColor(160, 160, 160));
    for (int x = 0; x <= grid_.width; ++x)
        painter.drawLine(x * c, 0, x * c, grid_.height * c);
    for (int y = 0; y <= grid_.height; ++y)
        painter.drawLine(0, y * c, grid_.width * c, y * c);
    painter.setPen(QPen(Qt::red, 2));
    painter.setBrush(Qt::NoBrush);
    for (int y = 0; y < grid_.height; ++y)
        for (int x = 0; x < grid_.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * grid_.width + x;
            if (i < marked_.size() && marked_[i])
                painter.drawRect(QRect(x * c + 1, y * c + 1, c - 2, c - 2));
        }
}

PuzzleCheckWindow::PuzzleCheckWindow(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("問題の検査"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);  // never smaller than its pictures
    text_ = new QLabel(QStringLiteral("「検査する」を押すと、いまの数字で解がいくつあるかを調べます。"), this);
    // One sentence a line, unwrapped: a wrapped label makes the window misjudge its height.
    text_->setWordWrap(false);
    text_->setMinimumWidth(360);
    layout->addWidget(text_);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 0);  // busy: the engine cannot tell how far it is
    progress_->setVisible(false);
    layout->addWidget(progress_);
    pictures_ = new QHBoxLayout;
    layout->addLayout(pictures_);
    auto* buttons = new QHBoxLayout;
    checkButton = new QPushButton(QStringLiteral("検査する(&C)"), this);
    cancelButton = new QPushButton(QStringLiteral("中止(&S)"), this);
    auto* closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    cancelButton->setEnabled(false);
    buttons->addStretch();
    buttons->addWidget(checkButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(checkButton, &QPushButton::clicked, this, &PuzzleCheckWindow::checkRequested);
    connect(cancelButton, &QPushButton::clicked, this, &PuzzleCheckWindow::cancel);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

PuzzleCheckWindow::~PuzzleCheckWindow() { stopWorker(); }

void PuzzleCheckWindow::stopWorker()
{
    if (cancelFlag_)
        cancelFlag_->store(true);
    if (worker_.joinable())
        worker_.join();
}

void PuzzleCheckWindow::cancel()
{
    if (cancelFlag_)
        cancelFlag_->store(true);
}

void PuzzleCheckWindow::startCheck(const BoardModel& model)
{
    stopWorker();
    const solver::Puzzle puzzle = puzzleFromBoard(model);
    const solver::CellGrid drawn = pictureFromBoard(model);
    cancelFlag_ = std::make_shared<std::atomic<bool>>(false);
    const unsigned generation = ++generation_;
    running_ = true;
    text_->setText(QStringLiteral("検査しています..."));
    progress_->setVisible(true);
    checkButton->setEnabled(false);
    cancelButton->setEnabled(true);
    QPointer<PuzzleCheckWindow> self(this);
    worker_ = std::thread([self, puzzle, drawn, generation, flag = cancelFlag_] {
        solver::SolveOptions options;
        options.timeLimitSeconds = kTimeLimitSeconds;
        options.cancel = flag.get();
        options.knownSolution = &drawn; // used when the drawn picture fits the clues
        const solver::SolveResult result = solver::solve(puzzle, options);
        std::optional<solver::Difficulty> difficulty;
        if (result.verdict == solver::Verdict::Unique)
            difficulty = solver::gradeDifficulty(puzzle, result, options);
        // The result is shown on the window's own thread; a newer check or a closed window
        // drops it.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self, result, drawn, difficulty, generation] {
                if (self && self->generation_ == generation)
                    self->showResult(result, drawn, difficulty);
            },
            Qt::QueuedConnection);
    });
}

void PuzzleCheckWindow::showResult(const solver::SolveResult& result, const solver::CellGrid& drawn,
                                   std::optional<solver::Difficulty> difficulty)
{
    if (worker_.joinable())
        worker_.join();
    running_ = false;
    progress_->setVisible(false);
    checkButton->setEnabled(true);
    cancelButton->setEnabled(false);
    report_ = describeCheck(result, drawn, difficulty);
    text_->setText(report_.lines.join(QLatin1Char('\n'))
                   + QStringLiteral("\n(%1 ミリ秒)").arg(result.elapsedMs, 0, 'f', 1));
    for (QWidget* widget : pictureWidgets_)
        widget->deleteLater();
    pictureWidgets_.clear();
    for (std::size_t i = 0; i < report_.grids.size(); ++i) {
        auto* box = new QWidget(this);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->addWidget(new QLabel(report_.gridCaptions.value(static_cast<qsizetype>(i)), box));
        auto* view = new CellGridView(box);
        view->setGrid(report_.grids[i], report_.marked[i]);
        boxLayout->addWidget(view);
        pictures_->addWidget(box);
        pictureWidgets_.push_back(box);
    }
    // The window grows to show the new pictures and sentences.
    layout()->activate();
    resize(sizeHint().expandedTo(size()));
    emit finished();
}

QString PuzzleCheckWindow::resultText() const { return text_->text(); }

} // namespace zumeli
