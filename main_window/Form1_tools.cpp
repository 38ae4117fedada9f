// Main-window handlers of the tools commands.
#include "main_window/Form1.h"

namespace zumeli {

void Form1::Picture3_Click(int16) {}

void Form1::Picture1_MouseDown(int, int, double, double) {}

void Form1::Command8_Click() {}

void Form1::Command2_Click() {}

} // namespace zumeli
