#pragma once

#include <QDialog>
#include <map>

class QAction;
class QLabel;
class QStatusBar;
class QToolBar;
class BackgroundPicture;

// The main window: menu, toolbar, status bar and the background picture. Each command
// opens one window modally; closing offers a backup of the database first.
class CLibraryDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLibraryDlg(QWidget* parent = nullptr);

    // Sets the caption of the application's main window.
    static void SetCaption(const QString& caption);
    // Runs a command as the menu or the toolbar would.
    void OnCommand(int id);
    QAction* action(int id) const;
    QString statusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void buildMenu();
    void buildToolBar();
    void loadCaption();
    void OnHelp();
    // Asks about the backup and takes it; false when the user cancelled closing.
    bool confirmClose();
    void runExitBackup();
    void OnExit();
    bool isOwnWidget(QObject* object) const;

    QToolBar* m_wndToolBar = nullptr;
    QStatusBar* m_wndStatusBar = nullptr;
    QLabel* m_statusText = nullptr;
    BackgroundPicture* m_stcBack = nullptr;
    std::map<int, QAction*> m_actions;
    bool m_closing = false;
    bool m_leftCtrlDown = false;
};
