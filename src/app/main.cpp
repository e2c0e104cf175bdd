#include "app/LibraryApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("schoollib"));
    CLibraryApp app;
    return app.InitInstance();
}
