#include "shell/MDImain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MDImain mainWindow;
    mainWindow.MDIForm_Load();
    return app.exec();
}
