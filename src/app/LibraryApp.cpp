#include "app/LibraryApp.h"

#include "app/LibraryDlg.h"
#include "app/LoginDlg.h"
#include "app/Windows.h"
#include "controls/CommandTable.h"
#include "controls/Prompter.h"
#include "controls/Resources.h"
#include "controls/WindowDecoration.h"
#include "db/AppState.h"
#include "printing/FontSetup.h"

#include <QScreen>

namespace {
constexpr int kLoginRefused = 1;
constexpr int kNoDatabase = 2;
}

int CLibraryApp::InitInstance()
{
    WindowDecoration::install();
    initResources();
    setUpFonts();
    registerAllWindows(CommandTable::instance());
    CAppState& app = theApp();
    if (!app.m_ado.Connect(CAdoConn::LocalDatabasePath())) {
        showMessage(nullptr, QStringLiteral("ADO连接错误！"));
        return kNoDatabase;
    }
    app.m_strOperator = QStringLiteral("超级用户");
    {
        CLoginDlg login;
        if (login.exec() != QDialog::Accepted)
            return kLoginRefused;
    }
    CLibraryDlg mainWindow;
    // Filling the screen first keeps the window large where no window manager maximises it.
    mainWindow.setGeometry(mainWindow.screen()->availableGeometry());
    mainWindow.setWindowState(Qt::WindowMaximized);
    mainWindow.exec();
    return 0;
}
