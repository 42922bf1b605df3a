#include <QApplication>

#include "form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets Wayland and the desktop match the window to kalvetra.desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("kalvetra"));
    Form1 form;
    form.show();
    return QApplication::exec();
}
