// Main-window handlers of the author commands.
#include "main_window/Form1.h"

namespace zumeli {

void Form1::Command7_Click() {}

void Form1::Command9_Click() {}

} // namespace zumeli
