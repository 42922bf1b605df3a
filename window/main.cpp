#include <QApplication>

#include "form1.h"
#include "qt_translation.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets Wayland and the desktop match the window to kalvetra.desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("kalvetra"));
    installQtPolish(app);
    Form1 form;
    form.show();
    return QApplication::exec();
}
