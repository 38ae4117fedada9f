// Interaction benchmark: the main window's real handlers, headless, at the largest board
// (a 20-cell clue band and an 80 x 80 answer area, every clue cell a two-digit number), at
// zoom 100 and at the largest zoom that fits, each timed up to the window's repaint. Prints
// every median and its ratio to one 60 Hz frame (16.7 ms).
#include "dialogs/Form3.h"
#include "author/clue_derivation.h"
#include "board/board_model.h"
#include "files/file_flow.h"
#include "formats/answer_state_file.h"
#include "formats/puzzle_file.h"
#include "main_window/Form1.h"
#include "widgets/board_view.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

// Under callgrind (scripts/bench --instructions) only the timed part of each loop is counted.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define ZUMELI_TOGGLE_COUNTING() CALLGRIND_TOGGLE_COLLECT
#else
#define ZUMELI_TOGGLE_COUNTING() ((void)0)
#endif

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace zumeli;

namespace {

constexpr double kFrameMs = 1000.0 / 60.0;  // 16.7 ms
constexpr int kClueBand = kMaxClueSize;                  // 20
constexpr int kSide = kMaxClueSize + kMaxAnswerSide;     // 100

// Marks the timed part of one iteration for the instruction count.
struct Counted {
    Counted() { ZUMELI_TOGGLE_COUNTING(); }
    ~Counted() { ZUMELI_TOGGLE_COUNTING(); }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
};

// Lets the window handle what the action left pending: above all the repaint of the board
// picture, which a user waits for as much as for the handler.
void settle() { QCoreApplication::processEvents(); }

// The largest board: every clue cell a two-digit number, the answer area a mix of empty,
// filled and crossed cells (every third cell each), so every kind of cell is drawn.
BoardModel largestBoard()
{
    BoardModel model;
    model.clueSize = kClueBand;
    model.gridWidth = kSide;
    model.gridHeight = kSide;
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y) {
            if (x >= kClueBand && y >= kClueBand)
                model.board(x, y) = static_cast<int16>((x + y) % 3);
            else if (x >= kClueBand || y >= kClueBand)
                model.board(x, y) = static_cast<int16>(10 + (x * 31 + y * 17) % 90);
        }
    return model;
}

// A window showing the largest board at `zoom`.
struct Session {
    test::ScriptedDesktop desktop;
    BoardModel model;
    Form1 form{desktop, model};

    explicit Session(int zoom)
    {
        form.show();
        settle();
        model = largestBoard();
        setZoom(zoom);
        form.redrawOrResetZoom(Form1::Redraw::Full);
        settle();
    }

    void setZoom(int zoom) { form.parts().Text1->setText(QString::number(zoom)); }

    // True when nothing went wrong since the last call: no failure or zoom message shown.
    bool clean(std::string& why)
    {
        for (const auto& message : desktop.messages)
            if (message.text == kFailedMessage || message.text == kZoomMessage) {
                why = message.text.toStdString();
                return false;
            }
        desktop.messages.clear();
        desktop.fileDialogs.clear();
        return true;
    }

    // The pixel of the board picture control at the centre of cell (x, y).
    QPoint cellCentre(int x, int y) { return test::cellPoint(form, x, y); }
};

// The largest whole zoom at which the largest board still lays out, found through the
// window itself: a zoom that does not fit answers with the zoom message and falls back to 100.
int largestFittingZoom()
{
    Session session(100);
    int fits = 100;
    int tooLarge = kMaxZoom + 1;
    while (tooLarge - fits > 1) {
        const int zoom = (fits + tooLarge) / 2;
        session.desktop.messages.clear();
        session.setZoom(zoom);
        if (session.desktop.messages.empty() && session.form.parts().Text1->text() == QString::number(zoom))
            fits = zoom;
        else
            tooLarge = zoom;
    }
    return fits;
}

// Runs `action` once outside the timing and stops the benchmark when it showed a failure.
bool checkedOnce(benchmark::State& state, Session& session, const std::function<void()>& action)
{
    action();
    settle();
    std::string why;
    if (!session.clean(why)) {
        state.SkipWithError(("the action failed: " + why).c_str());
        return false;
    }
    return true;
}

QString writeTempFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

// ---------------------------------------------------------------------------------------------
// The actions

void startUp(benchmark::State& state)
{
    for (auto _ : state) {
        std::optional<test::ScriptedDesktop> desktop(std::in_place);
        std::optional<BoardModel> model(std::in_place);
        std::optional<Form1> form;
        {
            const Counted counted;
            form.emplace(*desktop, *model);
            form->show();
            settle();
        }
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}

void zoomChange(benchmark::State& state, int zoom)
{
    Session session(zoom);
    const int other = zoom == 100 ? 90 : zoom - 10;
    if (!checkedOnce(state, session, [&] { session.setZoom(other); session.setZoom(zoom); }))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        session.setZoom(other);
        settle();
        state.ResumeTiming();
        const Counted counted;
        session.setZoom(zoom);
        settle();
    }
}

void pencilPress(benchmark::State& state, int zoom)
{
    Session session(zoom);
    const QPoint point = session.cellCentre(60, 60);
    // The first press also gives the board the keyboard focus, which repaints it whole.
    QTest::mouseClick(session.form.parts().Picture1, Qt::LeftButton, {}, point);
    settle();
    for (auto _ : state) {
        const Counted counted;
        QTest::mouseClick(session.form.parts().Picture1, Qt::LeftButton, {}, point);
        settle();
    }
}

// Space on the keyboard cursor: the same press as the mouse's, from the keyboard.
void keyPress(benchmark::State& state, int zoom)
{
    Session session(zoom);
    // A mouse press gives the board the focus and puts the cursor on its cell; the first key
    // shows the cursor.
    QTest::mouseClick(session.form.parts().Picture1, Qt::LeftButton, {}, session.cellCentre(60, 60));
    QTest::keyClick(session.form.parts().Picture1, Qt::Key_Space);
    settle();
    for (auto _ : state) {
        const Counted counted;
        QTest::keyClick(session.form.parts().Picture1, Qt::Key_Space);
        settle();
    }
}

// A pencil press while finished clues are greyed: the clue bands are repainted too.
void pencilPressGreyed(benchmark::State& state, int zoom)
{
    Session session(zoom);
    session.form.parts().greyFinishedAction->setChecked(true);
    const QPoint point = session.cellCentre(60, 60);
    QTest::mouseClick(session.form.parts().Picture1, Qt::LeftButton, {}, point);
    settle();
    for (auto _ : state) {
        const Counted counted;
        QTest::mouseClick(session.form.parts().Picture1, Qt::LeftButton, {}, point);
        settle();
    }
}

// The hint on an empty answer area under the clues of a disc: every line solved alone, then
// line logic over the whole board.
void hint(benchmark::State& state, int zoom)
{
    Session session(zoom);
    for (int x = kClueBand; x < kSide; ++x)
        for (int y = kClueBand; y < kSide; ++y)
            session.model.board(x, y) = (x - 60) * (x - 60) + (y - 60) * (y - 60) < 38 * 38 ? kFilled : kEmpty;
    deriveClues(session.model);
    for (int x = kClueBand; x < kSide; ++x)
        for (int y = kClueBand; y < kSide; ++y)
            session.model.board(x, y) = kEmpty;
    session.form.redrawOrResetZoom(Form1::Redraw::Full);
    if (!checkedOnce(state, session, [&] { session.form.Hint_Click(); }))
        return;
    if (!session.form.parts().play.hint) {
        state.SkipWithError(("no hint: " + session.form.statusText().toStdString()).c_str());
        return;
    }
    for (auto _ : state) {
        const Counted counted;
        session.form.Hint_Click();
        settle();
    }
}

void rectangleOverAnswerArea(benchmark::State& state, int zoom)
{
    Session session(zoom);
    session.form.Picture3_Click(1);
    const QPoint first = session.cellCentre(kClueBand, kClueBand);
    const QPoint last = session.cellCentre(kSide - 1, kSide - 1);
    QTest::mouseClick(session.form.parts().Picture1, Qt::LeftButton, {}, first);  // takes the focus
    QTest::mouseClick(session.form.parts().Picture1, Qt::RightButton, {}, first);
    settle();
    bool fill = true;
    for (auto _ : state) {
        // Both corners: filled with the left button, erased with the right, in turn.
        const Qt::MouseButton button = fill ? Qt::LeftButton : Qt::RightButton;
        const Counted counted;
        QTest::mouseClick(session.form.parts().Picture1, button, {}, first);
        QTest::mouseClick(session.form.parts().Picture1, button, {}, last);
        settle();
        fill = !fill;
    }
}

void make(benchmark::State& state, int zoom)
{
    Session session(zoom);
    if (!checkedOnce(state, session, [&] { session.form.Command8_Click(); }))
        return;
    for (auto _ : state) {
        const Counted counted;
        session.form.Command8_Click();
        settle();
    }
}

void answerCheck(benchmark::State& state, int zoom)
{
    Session session(zoom);
    // Clues that agree with the drawing, so that every line is compared.
    deriveClues(session.model);
    session.form.redrawOrResetZoom(Form1::Redraw::Full);
    session.form.Command2_Click();
    settle();
    if (session.desktop.lastMessage().text != QStringLiteral("答えと一致しました")) {
        state.SkipWithError("the drawing does not agree with its own clues");
        return;
    }
    for (auto _ : state) {
        {
            const Counted counted;
            session.form.Command2_Click();
            settle();
        }
        session.desktop.messages.clear();
    }
}

void loadPuzzle(benchmark::State& state, int zoom)
{
    Session session(zoom);
    QTemporaryDir dir;
    const QString path =
        writeTempFile(dir, "largest.zml", QByteArray::fromStdString(puzzleText(largestBoard())));
    auto load = [&] {
        session.desktop.chosenFiles.push_back(path);
        session.form.Command1_Click();
    };
    if (!checkedOnce(state, session, load))
        return;
    for (auto _ : state) {
        {
            const Counted counted;
            load();
            settle();
        }
        session.desktop.fileDialogs.clear();
    }
}

void loadAnswerState(benchmark::State& state, int zoom)
{
    Session session(zoom);
    QTemporaryDir dir;
    const QString path = writeTempFile(
        dir, "largest.sts", QByteArray::fromStdString(answerStateText(largestBoard())));
    auto load = [&] {
        session.desktop.chosenFiles.push_back(path);
        session.form.Command4_Click(0);
    };
    if (!checkedOnce(state, session, load))
        return;
    for (auto _ : state) {
        {
            const Counted counted;
            load();
            settle();
        }
        session.desktop.fileDialogs.clear();
    }
}

void imageImport(benchmark::State& state, int zoom)
{
    Session session(zoom);
    QTemporaryDir dir;
    QImage picture(kMaxAnswerSide, kMaxAnswerSide, QImage::Format_RGB32);
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 0; y < picture.height(); ++y)
            picture.setPixel(x, y, (x / 2 + y / 3) % 2 ? qRgb(20, 20, 20) : qRgb(240, 240, 240));
    const QString path = dir.filePath(QStringLiteral("picture.bmp"));
    if (!picture.save(path, "BMP")) {
        state.SkipWithError("cannot write the picture");
        return;
    }
    // The dialog's "読み込む" with the widest clue band, as a user clicks it.
    session.desktop.dialogScript = [](QDialog& dialog) {
        auto& form3 = static_cast<Form3&>(dialog);
        form3.Text1->setText(QString::number(kMaxClueSize));
        form3.Command1->click();
        return dialog.result();
    };
    auto import = [&] {
        session.desktop.chosenFiles.push_back(path);
        session.form.Command9_Click();
    };
    if (!checkedOnce(state, session, import))
        return;
    if (session.model.gridWidth != kSide || session.model.gridHeight != kSide) {
        state.SkipWithError("the picture did not become the largest board");
        return;
    }
    for (auto _ : state) {
        {
            const Counted counted;
            import();
            settle();
        }
        session.desktop.fileDialogs.clear();
    }
}

void bitmapExport(benchmark::State& state, int zoom)
{
    Session session(zoom);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("board.bmp"));
    auto save = [&] {
        session.desktop.chosenFiles.push_back(path);
        session.form.Command6_Click();  // the overwrite question is answered Yes
    };
    if (!checkedOnce(state, session, save))
        return;
    if (!QFile::exists(path)) {
        state.SkipWithError("no bitmap was written");
        return;
    }
    for (auto _ : state) {
        {
            const Counted counted;
            save();
            settle();
        }
        session.desktop.messages.clear();
        session.desktop.fileDialogs.clear();
    }
}

// ---------------------------------------------------------------------------------------------
// The summary: each median against the frame budget

class FrameBudgetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                rows_[run.run_name.function_name] = {-1, -1};
                continue;
            }
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (median || single)
                rows_[run.run_name.function_name] = {toMs(run.GetAdjustedRealTime(), run.time_unit),
                                                     toMs(run.GetAdjustedCPUTime(), run.time_unit)};
            if (std::find(order_.begin(), order_.end(), run.run_name.function_name) == order_.end())
                order_.push_back(run.run_name.function_name);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-44s %12s %12s %10s\n", "action (median)", "wall ms", "cpu ms", "/ 16.7 ms");
        for (const std::string& name : order_) {
            const auto [wall, cpu] = rows_[name];
            if (wall < 0)
                std::printf("%-44s %12s %12s %10s\n", name.c_str(), "failed", "", "");
            else
                std::printf("%-44s %12.2f %12.2f %10.3f\n", name.c_str(), wall, cpu, wall / kFrameMs);
        }
        std::fflush(stdout);
    }

private:
    static double toMs(double value, benchmark::TimeUnit unit)
    {
        return value * benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond)
               / benchmark::GetTimeUnitMultiplier(unit);
    }

    std::map<std::string, std::pair<double, double>> rows_;
    std::vector<std::string> order_;
};

void registerAction(const std::string& name, int zoom,
                    const std::function<void(benchmark::State&, int)>& action)
{
    benchmark::RegisterBenchmark((name + "/zoom:" + std::to_string(zoom)).c_str(),
                                 [action, zoom](benchmark::State& state) { action(state, zoom); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

// The offscreen platform warns on every window resize that it keeps no size hints.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    // Five repetitions unless told otherwise, so that each figure is a median.
    std::vector<char*> args(argv, argv + argc);
    static char repetitions[] = "--benchmark_repetitions=5";
    bool repetitionsGiven = false;
    for (char* arg : args)
        repetitionsGiven = repetitionsGiven || std::strncmp(arg, "--benchmark_repetitions", 23) == 0;
    if (!repetitionsGiven)
        args.insert(args.begin() + 1, repetitions);
    int count = static_cast<int>(args.size());
    QApplication app(count, args.data());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;

    // ZUMELI_BENCH_ZOOM skips the search (handy under callgrind, where it is slow).
    const int largest = qEnvironmentVariableIsSet("ZUMELI_BENCH_ZOOM")
                            ? qEnvironmentVariableIntValue("ZUMELI_BENCH_ZOOM")
                            : largestFittingZoom();
    std::printf("largest board: %d x %d cells (clue band %d); largest zoom that fits: %d\n", kSide,
                kSide, kClueBand, largest);

    benchmark::RegisterBenchmark("start-up to a drawn window/zoom:100", startUp)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    const std::pair<const char*, std::function<void(benchmark::State&, int)>> actions[] = {
        {"zoom change (full rebuild)", zoomChange},
        {"pencil press", pencilPress},
        {"key press (Space on the cursor)", keyPress},
        {"pencil press, finished clues greyed", pencilPressGreyed},
        {"hint", hint},
        {"rectangle over the answer area", rectangleOverAnswerArea},
        {"Make", make},
        {"answer check", answerCheck},
        {"load puzzle file", loadPuzzle},
        {"load answer state", loadAnswerState},
        {"image import 80 x 80", imageImport},
        {"bitmap export", bitmapExport},
    };
    for (const auto& [name, action] : actions)
        for (int zoom : {100, largest})
            registerAction(name, zoom, action);

    FrameBudgetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
