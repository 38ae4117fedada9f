// The random-puzzle dialog's rules: reading its boxes, and the board of a freshly generated
// puzzle with exactly one solution.
#pragma once

#include "files/translated_text.h"
#include "board/board_model.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <optional>

namespace zumeli {

// The answer area a random puzzle may have, each way.
constexpr int kMinRandomSide = 5;
constexpr int kRandomSideDefault = 15;
// The message refusing a width or height outside kMinRandomSide..kMaxAnswerSide.
inline const QString kRandomSideRangeMessage = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "幅と高さは5から80までの整数です"));

struct RandomPuzzleSettings {
    int16 clueSize = 5;  // the clue band at least; wider when a line has more clues
    int16 width = kRandomSideDefault;
    int16 height = kRandomSideDefault;
    bool lineSolvable = false;  // line logic alone solves it; otherwise search may be needed
    // The difficulty grade it must have, 1..4 (solve/engine/difficulty.h); 0 for whatever
    // grade lineSolvable gives. A grade overrides lineSolvable.
    int difficulty = 0;
    bool operator==(const RandomPuzzleSettings&) const = default;
};

// Either the settings to use, or the message of the first box that was refused.
struct RandomPuzzleEntry {
    std::optional<RandomPuzzleSettings> settings;
    QString message;
};

// Reads the clue-size, width and height boxes as the new-puzzle dialog reads its own (the
// number rounded down) and checks them in that order, stopping at the first failure: clue
// size 1..20 (kClueSizeRangeMessage), width and height 5..80 (kRandomSideRangeMessage).
// `lineSolvable` and `difficulty` are taken as they are.
RandomPuzzleEntry checkRandomPuzzleEntries(const QString& clueSizeText, const QString& widthText,
                                           const QString& heightText, bool lineSolvable, int difficulty = 0);

// A new board holding the clues of a random puzzle with exactly one solution, drawn from
// `seed`, and an empty answer area; the clue band is settings.clueSize or, when a line has more
// clues, its longest clue line. Nothing when `cancel` became true first. May run on any thread.
// Throws std::runtime_error when no puzzle of the grade asked for turns up (see generatePuzzle).
std::optional<BoardModel> randomPuzzleBoard(const RandomPuzzleSettings& settings, std::uint64_t seed,
                                            const std::atomic<bool>* cancel = nullptr);

} // namespace zumeli
