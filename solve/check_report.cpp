// Turning a solver result into the sentences and pictures of the puzzle check window.
#include "solve/check_report.h"

#include <QCoreApplication>

#include <algorithm>

namespace zumeli {

namespace {

bool hasFilledCell(const solver::CellGrid& grid)
{
    return std::find(grid.cells.begin(), grid.cells.end(), solver::Cell::Filled) != grid.cells.end();
}

// Unknown and empty both count as empty when pictures are compared.
bool samePicture(const solver::CellGrid& a, const solver::CellGrid& b)
{
    if (a.width != b.width || a.height != b.height)
        return false;
    for (std::size_t i = 0; i < a.cells.size(); ++i)
        if ((a.cells[i] == solver::Cell::Filled) != (b.cells[i] == solver::Cell::Filled))
            return false;
    return true;
}

std::vector<bool> undecidedCells(const solver::CellGrid& grid)
{
    std::vector<bool> marks(grid.cells.size());
    for (std::size_t i = 0; i < grid.cells.size(); ++i)
        marks[i] = grid.cells[i] == solver::Cell::Unknown;
    return marks;
}

QString lineLogicSentence(const solver::SolveResult& result)
{
    return result.lineSolvable
        ? QCoreApplication::translate("zumeli::CheckReport", "縦と横の数字だけで、順に最後まで解けます。")
        : QCoreApplication::translate("zumeli::CheckReport", "縦と横の数字だけでは解き切れません。印のマスは、仮定を置かないと決まりません。");
}

} // namespace

QString difficultySentence(const solver::Difficulty& difficulty)
{
    QString explanation;
    switch (difficulty.grade) {
    case 1: explanation = QCoreApplication::translate("zumeli::CheckReport", "線の単純な重なりだけで解けます"); break;
    case 2: explanation = QCoreApplication::translate("zumeli::CheckReport", "線の論理だけで解けます"); break;
    case 3: explanation = QCoreApplication::translate("zumeli::CheckReport", "仮定して矛盾を調べると解けます"); break;
    default: explanation = QCoreApplication::translate("zumeli::CheckReport", "探索が必要です"); break;
    }
    return QCoreApplication::translate("zumeli::CheckReport", "難易度: %1（%2）").arg(difficulty.grade).arg(explanation);
}

std::vector<bool> differingCells(const solver::CellGrid& a, const solver::CellGrid& b)
{
    std::vector<bool> marks(a.cells.size());
    for (std::size_t i = 0; i < a.cells.size() && i < b.cells.size(); ++i)
        marks[i] = a.cells[i] != b.cells[i];
    return marks;
}

QString verdictSummary(const solver::SolveResult& result)
{
    switch (result.verdict) {
    case solver::Verdict::NoSolution: return QCoreApplication::translate("zumeli::CheckReport", "この数字には解がありません。");
    case solver::Verdict::Unique:
        return result.lineSolvable
            ? QCoreApplication::translate("zumeli::CheckReport", "解はただ一つです。縦と横の数字だけで解けます。")
            : QCoreApplication::translate("zumeli::CheckReport", "解はただ一つですが、解くには仮定が要ります。");
    case solver::Verdict::Multiple: return QCoreApplication::translate("zumeli::CheckReport", "解が2つ以上あります。");
    case solver::Verdict::Stopped:
        return result.stopReason == solver::StopReason::Cancelled
            ? QCoreApplication::translate("zumeli::CheckReport", "判定を中止しました。")
            : QCoreApplication::translate("zumeli::CheckReport", "制限時間内に判定できませんでした。");
    }
    return {};
}

CheckReport describeCheck(const solver::SolveResult& result, const solver::CellGrid& drawn,
                          std::optional<solver::Difficulty> difficulty)
{
    CheckReport report;
    const bool authorDrew = hasFilledCell(drawn);
    const std::size_t needed = result.verdict == solver::Verdict::Unique     ? 1
                             : result.verdict == solver::Verdict::Multiple ? 2
                                                                            : 0;
    if (result.solutions.size() < needed) {
        report.lines << QCoreApplication::translate("zumeli::CheckReport", "検査の結果を読み取れませんでした。");
        return report;
    }
    switch (result.verdict) {
    case solver::Verdict::NoSolution:
        report.lines << QCoreApplication::translate("zumeli::CheckReport", "この問題には解がありません。数字を見直してください。");
        break;
    case solver::Verdict::Unique:
        report.lines << QCoreApplication::translate("zumeli::CheckReport", "解はただ一つです。") << lineLogicSentence(result);
        if (authorDrew)
            report.lines << (samePicture(result.solutions.front(), drawn)
                                 ? QCoreApplication::translate("zumeli::CheckReport", "その解は、描かれた絵と一致します。")
                                 : QCoreApplication::translate("zumeli::CheckReport", "その解は、描かれた絵と一致しません。"));
        if (difficulty)
            report.lines << difficultySentence(*difficulty);
        report.grids.push_back(result.solutions.front());
        report.gridCaptions << QCoreApplication::translate("zumeli::CheckReport", "解");
        report.marked.emplace_back();
        if (!result.lineSolvable) {
            report.grids.push_back(result.lineGrid);
            report.gridCaptions << QCoreApplication::translate("zumeli::CheckReport", "縦横の数字だけで決まるマス");
            report.marked.push_back(undecidedCells(result.lineGrid));
        }
        break;
    case solver::Verdict::Multiple:
        report.lines << QCoreApplication::translate("zumeli::CheckReport", "解が2つ以上あります。印のマスが、下の2つの解で異なります。");
        if (authorDrew) {
            const bool drawnIsASolution = std::any_of(
                result.solutions.begin(), result.solutions.end(),
                [&drawn](const solver::CellGrid& s) { return samePicture(s, drawn); });
            report.lines << (drawnIsASolution
                                 ? QCoreApplication::translate("zumeli::CheckReport", "描かれた絵はそのうちの1つです。")
                                 : QCoreApplication::translate("zumeli::CheckReport", "描かれた絵は、数字と一致しません。"));
        }
        report.grids = {result.solutions[0], result.solutions[1]};
        report.gridCaptions << QCoreApplication::translate("zumeli::CheckReport", "解 1") << QCoreApplication::translate("zumeli::CheckReport", "解 2");
        report.marked.assign(2, differingCells(result.solutions[0], result.solutions[1]));
        break;
    case solver::Verdict::Stopped:
        report.lines << (result.stopReason == solver::StopReason::Cancelled
                             ? QCoreApplication::translate("zumeli::CheckReport", "検査を中止しました。")
                             : QCoreApplication::translate("zumeli::CheckReport", "制限時間内に判定できませんでした。"));
        break;
    }
    return report;
}

} // namespace zumeli
