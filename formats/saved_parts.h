// Which parts of the board are in files: the puzzle as last saved or loaded as a puzzle file,
// and the answer area as last saved or loaded as an answer state.
#pragma once

#include "board/board_model.h"

#include <optional>
#include <string>

namespace zumeli {

// A puzzle file holds the dimensions and the clue band, an answer-state file the answer area;
// neither holds the other's part. The board is saved only when each part that holds something
// is in its file as it stands.
class SavedParts {
public:
    // The puzzle file just saved or loaded holds `model`'s puzzle.
    void puzzleSaved(const BoardModel& model);
    // The answer-state file just saved or loaded holds `model`'s answer area.
    void answerSaved(const BoardModel& model);

    // Whether nothing of `model` would be lost without another save: its clue band is blank
    // or what the last puzzle file holds, and its answer area is empty (every cell 0) or what
    // the last answer-state file holds.
    bool allSaved(const BoardModel& model) const;

private:
    std::optional<std::string> puzzle_;  // the text of the last puzzle file
    std::optional<std::string> answer_;  // the text of the last answer-state file
};

// Whether every clue cell of the answer columns and rows is blank (0).
bool clueBandIsBlank(const BoardModel& model);
// Whether every cell of the answer area is 0: no fill, no cross.
bool answerAreaIsEmpty(const BoardModel& model);

} // namespace zumeli
