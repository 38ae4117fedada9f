// The repair offers and sentences shared by the check window and the picture import dialog.
#include "author/repair_offer.h"

#include "author/image_import.h"

#include <QCoreApplication>

namespace zumeli {

namespace {


// The mode the repaired picture reached, in one sentence.
QString reachedText(const solver::MakeUniqueResult& result)
{
    return result.lineSolvable ? QCoreApplication::translate("RepairOffer", "縦と横の数字だけで解けるようになります。")
                               : QCoreApplication::translate("RepairOffer", "解がただ一つになります。");
}

QString proposalText(RepairTarget target, const solver::MakeUniqueResult& result, int band,
                     int clueSize)
{
    if (target == RepairTarget::Preview)
        return QCoreApplication::translate("RepairOffer", "印の%1マスを変える案です。\n%2\n「適用」で採用、「取消」で元の絵に戻します。")
            .arg(result.changed.size())
            .arg(reachedText(result));
    const QString widened =
        band == clueSize ? QString() : QCoreApplication::translate("RepairOffer", "数字が入るように問題欄を%1に広げます。\n").arg(band);
    return QCoreApplication::translate("RepairOffer", "印の%1マスを変える案です。%2\n%3"
                "「適用」で盤面の絵と数字を書き換えます（元に戻せます）。")
        .arg(result.changed.size())
        .arg(reachedText(result))
        .arg(widened);
}

} // namespace

RepairOffer repairOffer(const solver::SolveResult& result, bool haveStart)
{
    const bool timedOut = result.verdict == solver::Verdict::Stopped
        && result.stopReason == solver::StopReason::TimeLimit && haveStart;
    RepairOffer offer;
    offer.unique = result.verdict == solver::Verdict::Multiple || timedOut;
    offer.lineSolvable =
        offer.unique || (result.verdict == solver::Verdict::Unique && !result.lineSolvable);
    return offer;
}

std::optional<solver::CellGrid> repairStart(const solver::SolveResult& result,
                                            const solver::CellGrid& drawn, bool drawnFits)
{
    if (drawnFits)
        return drawn;
    if (!result.solutions.empty())
        return result.solutions.front();
    return std::nullopt;
}

QString repairRunningText(RepairTarget target, bool lineSolvable)
{
    if (target == RepairTarget::Board)
        return lineSolvable ? QCoreApplication::translate("RepairOffer", "線だけで解けるように絵を直しています...")
                            : QCoreApplication::translate("RepairOffer", "解が一つになるように絵を直しています...");
    return lineSolvable ? QCoreApplication::translate("RepairOffer", "線だけで解けるように直しています...")
                        : QCoreApplication::translate("RepairOffer", "解が一つになるように直しています...");
}

RepairOutcome repairOutcome(RepairTarget target, const solver::MakeUniqueResult& result, int clueSize)
{
    const bool board = target == RepairTarget::Board;
    RepairOutcome outcome;
    if (result.cancelled) {
        outcome.text = board ? QCoreApplication::translate("RepairOffer", "絵を直すのを中止しました。") : QCoreApplication::translate("RepairOffer", "直すのを中止しました。");
        return outcome;
    }
    if (!result.done) {
        outcome.text = board ? QCoreApplication::translate("RepairOffer", "絵を直す方法が見つかりませんでした。")
                             : QCoreApplication::translate("RepairOffer", "直す方法が見つかりませんでした。");
        return outcome;
    }
    // The clues written are the repaired picture's, all of them: a picture whose runs do not
    // fit even the widest clue band is no repair.
    const std::optional<int> band = clueBandHolding(result.picture, clueSize);
    if (!band) {
        outcome.text = QCoreApplication::translate("RepairOffer", "直した絵は数字が多すぎて問題欄に入りません（最大%1）。").arg(kMaxClueSize);
        return outcome;
    }
    outcome.proposed = true;
    outcome.clueSize = *band;
    outcome.text = proposalText(target, result, *band, clueSize);
    return outcome;
}

} // namespace zumeli
