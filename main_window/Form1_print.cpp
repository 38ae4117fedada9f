// Main-window handlers of the print commands.
#include "main_window/Form1.h"

namespace zumeli {

void Form1::Command5_Click() {}

void Form1::Command6_Click() {}

} // namespace zumeli
