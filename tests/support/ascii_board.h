// Boards written as ASCII pictures in tests: '#' filled, 'x' cross, '.' empty, a digit that
// value; clue numbers written as the runs of a line.
#pragma once

#include "board/board_model.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <string>
#include <vector>

namespace zumeli::test {

// A model with the given clue band and an answer area drawn from `rows` (all the same width).
BoardModel boardWithAnswer(int clueSize, std::initializer_list<const char*> rows);

// Draws `rows` into the answer area of `model` (the dimensions are left as they are).
void drawAnswer(BoardModel& model, std::initializer_list<const char*> rows);

// Writes the runs of answer column x (top to bottom) or answer row y (left to right) into its
// clue cells, packed against the answer area as a puzzle holds them; the cells farther out
// become 0.
void setColumnClues(BoardModel& model, int x, std::initializer_list<int> runs);
void setRowClues(BoardModel& model, int y, std::initializer_list<int> runs);

// The answer area as rows of '#', 'x' and '.' ('?' for any other value).
std::vector<std::string> answerPicture(const BoardModel& model);

// Clue cells of answer column x, top to bottom, and of answer row y, left to right.
std::vector<int> columnClueCells(const BoardModel& model, int x);
std::vector<int> rowClueCells(const BoardModel& model, int y);

} // namespace zumeli::test
