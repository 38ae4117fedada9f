// The answer-state file (.sts): the answer area's cell codes, one line per answer column,
// written from the current board and applied to it.
#pragma once

#include "board/board_model.h"
#include "formats/format_errors.h"

#include <string>
#include <string_view>

namespace zumeli {

// The bytes of the answer-state file for `model`: W lines, one per answer column left to
// right, each holding the column's H answer cells top to bottom, every value written.
// ASCII, "," between numbers, CR LF after every line. Throws FileFormatError for a board
// without an answer area.
std::string answerStateText(const BoardModel& model);

// `current` with its answer area restored from an answer-state text: every cell from
// clueSize to 100 on both axes is emptied (so nothing of a larger earlier puzzle survives
// right of or below the answer area), then the first W lines fill the answer columns with
// their first H values. Longer lines and extra lines are ignored; fewer lines or fewer values
// throw FileFormatError, as do non-numbers and values outside 16 bits. The clue band and the
// dimensions are never changed. The whole text is checked before anything is returned.
BoardModel applyAnswerState(const BoardModel& current, std::string_view text);

} // namespace zumeli
