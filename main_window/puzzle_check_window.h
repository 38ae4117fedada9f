// The puzzle check window: runs the solver engine on the clue band off the event thread and
// tells whether the clues have no solution, one or several, without touching the board.
#pragma once

#include "board/board_model.h"
#include "solve/check_report.h"
#include "solve/engine/solver.h"

#include <QDialog>

#include <atomic>
#include <memory>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;
class QHBoxLayout;

namespace zumeli {

// Paints one picture of cells; marked cells get a red frame.
class CellGridView : public QWidget {
    Q_OBJECT

public:
    explicit CellGridView(QWidget* parent = nullptr);
    void setGrid(const solver::CellGrid& grid, const std::vector<bool>& marked);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int cellPixels() const;
    solver::CellGrid grid_;
    std::vector<bool> marked_;
};

class PuzzleCheckWindow : public QDialog {
    Q_OBJECT

public:
    explicit PuzzleCheckWindow(QWidget* parent = nullptr);
    ~PuzzleCheckWindow() override;

    // Starts checking the clues of `model` (a copy is taken; the board is never changed).
    void startCheck(const BoardModel& model);
    void cancel();
    bool isRunning() const { return running_; }

    QString resultText() const;
    const CheckReport& report() const { return report_; }

    // The longest a check may run before it is given up.
    static constexpr double kTimeLimitSeconds = 120;

    QPushButton* checkButton = nullptr;
    QPushButton* cancelButton = nullptr;

signals:
    void checkRequested();
    void finished();

private:
    void showResult(const solver::SolveResult& result, const solver::CellGrid& drawn,
                    std::optional<solver::Difficulty> difficulty);
    void stopWorker();

    QLabel* text_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QHBoxLayout* pictures_ = nullptr;
    std::vector<QWidget*> pictureWidgets_;
    CheckReport report_;
    std::thread worker_;
    std::shared_ptr<std::atomic<bool>> cancelFlag_;
    bool running_ = false;
    unsigned generation_ = 0;
};

} // namespace zumeli
