#include "app/ChineseLocale.h"
#include "app/LibraryApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    ChineseLocale::prepare();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("schoollib"));
    const ChineseLocale chinese;
    CLibraryApp app;
    return app.InitInstance();
}
