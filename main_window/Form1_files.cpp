// Main-window handlers of the files commands.
#include "main_window/Form1.h"

namespace zumeli {

void Form1::Command1_Click() {}

void Form1::Command3_Click() {}

void Form1::Command4_Click(int16) {}

} // namespace zumeli
