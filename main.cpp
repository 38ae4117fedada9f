// Zumeli's entry point: the application and its one main window.
#include "files/qt_desktop.h"
#include "main_window/Form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zumeli"));
    zumeli::QtDesktop desktop;
    zumeli::Form1 window(desktop);
    desktop.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}
