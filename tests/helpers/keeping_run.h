// What a run of the program does to its board before it is killed or closed in the resume
// tests; header-only, shared by the child program and the test that restores its board.
#pragma once

#include "main_window/Form1.h"
#include "support/main_window.h"

#include <QLineEdit>

namespace zumeli::test {

// A 4 x 3 puzzle with a 2-thick band.
inline const QByteArray kKeptPuzzle = "2,4,3\r\n1\r\n1\r\n1,1\r\n0\r\n2\r\n1\r\n1\r\n";
// The same puzzle as a .non file.
inline const QByteArray kKeptNonPuzzle =
    "width 4\nheight 3\nrows\n2\n1\n1\ncolumns\n1\n1\n1,1\n0\n";

// Opens the puzzle as the Load command does, then plays: two fills and a cross with the
// pencil, and a new zoom.
inline void playKeptPuzzle(Form1& form, const QString& puzzlePath)
{
    form.openFromCommandLine(puzzlePath);
    pressCell(form, 2, 2, 1);
    pressCell(form, 3, 2, 2);
    pressCell(form, 5, 4, 1);
    form.parts().Text1->setText(QStringLiteral("150"));
}

} // namespace zumeli::test
