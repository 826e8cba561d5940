#include "shell/MDImain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Ties the windows to the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("com.northharborradio.kvd9programmer"));
    MDImain mainWindow;
    mainWindow.MDIForm_Load();
    return app.exec();
}
