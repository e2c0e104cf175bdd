#include "app/LibraryDlg.h"

#include "app/BackgroundPicture.h"
#include "app/MainMenu.h"
#include "controls/ButtonIcons.h"
#include "controls/CommandTable.h"
#include "controls/PageViewer.h"
#include "controls/Prompter.h"
#include "core/Clock.h"
#include "db/AppState.h"
#include "db/DatabaseBackup.h"
#include "maintenance/BackupFiles.h"
#include "maintenance/BackupProgressDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// X11 reports the right Ctrl key with this scan code; the left one and platforms
// without scan codes count as left.
constexpr quint32 kRightCtrlScanCode = 105;
constexpr int kStatusWidth = 300;
}

bool CLibraryDlg::isOwnWidget(QObject* object) const
{
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && (widget == this || isAncestorOf(widget));
}

CLibraryDlg::CLibraryDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CLibraryDlg"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    setWindowIcon(resourceIcon(128));
    OnInitDialog();
}

void CLibraryDlg::OnInitDialog()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenu();
    buildToolBar();
    layout->addWidget(m_wndToolBar);

    m_stcBack = new BackgroundPicture(QStringLiteral("bmp/back.dll"), this);
    m_stcBack->setObjectName(QStringLiteral("m_stcBack"));
    auto* backFrame = new QWidget(this);
    auto* backLayout = new QVBoxLayout(backFrame);
    backLayout->setContentsMargins(5, 5, 10, 20);
    backLayout->addWidget(m_stcBack);
    layout->addWidget(backFrame, 1);

    m_wndStatusBar = new QStatusBar(this);
    m_wndStatusBar->setSizeGripEnabled(false);
    m_statusText = new QLabel(QStringLiteral("          当前用户:") + theApp().m_strOperator, m_wndStatusBar);
    m_statusText->setFixedWidth(kStatusWidth);
    m_wndStatusBar->addWidget(m_statusText);
    layout->addWidget(m_wndStatusBar);

    theApp().m_strAppPath = QDir::currentPath();
    loadCaption();
    qApp->installEventFilter(this);
}

void CLibraryDlg::buildMenu()
{
    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menu139"));
    for (const MainMenu::Popup& popup : MainMenu::popups()) {
        QMenu* menu = menuBar->addMenu(popup.title);
        for (const MainMenu::Entry& entry : popup.entries) {
            if (entry.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* act = menu->addAction(entry.caption);
            const int id = entry.id;
            act->setData(id);
            connect(act, &QAction::triggered, this, [this, id] { OnCommand(id); });
            m_actions[id] = act;
        }
    }
    layout()->setMenuBar(menuBar);
}

void CLibraryDlg::buildToolBar()
{
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("m_wndToolBar"));
    m_wndToolBar->setIconSize(QSize(38, 38));
    m_wndToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const MainMenu::ToolButton& button : MainMenu::toolButtons()) {
        QAction* act = m_wndToolBar->addAction(resourceIcon(button.icon), button.text);
        const int id = button.id;
        act->setData(id);
        act->setToolTip(button.text);
        connect(act, &QAction::triggered, this, [this, id] { OnCommand(id); });
        if (auto* tool = qobject_cast<QToolButton*>(m_wndToolBar->widgetForAction(act)))
            tool->setFixedSize(90, 70);
        m_actions[id] = act;
    }
    // A command whose window is not part of the program yet stays visible but disabled.
    for (auto& [id, act] : m_actions) {
        const int target = MainMenu::target(id);
        const bool ownHandler = target == MainMenu::ExitSystem || target == MainMenu::Help;
        act->setEnabled(ownHandler || CommandTable::instance().has(target));
    }
}

void CLibraryDlg::loadCaption()
{
    QString caption;
    try {
        RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select * from tushuguaninfo "));
        if (!rs->IsEOF())
            caption = rs->GetCollect(QStringLiteral("图书馆名"));
    } catch (const DbError&) {
        caption.clear();
    }
    setWindowTitle(caption);
}

void CLibraryDlg::SetCaption(const QString& caption)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<CLibraryDlg*>(widget))
            main->setWindowTitle(caption);
}

QAction* CLibraryDlg::action(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QString CLibraryDlg::statusText() const { return m_statusText->text(); }

void CLibraryDlg::OnCommand(int id)
{
    if (MainMenu::isEmptyCommand(id))
        return;
    const int target = MainMenu::target(id);
    if (target == MainMenu::ExitSystem)
        OnExit();
    else if (target == MainMenu::Help)
        OnHelp();
    else
        CommandTable::instance().run(target, this);
}

// A help page that is missing or cannot be read is not reported.
void CLibraryDlg::OnHelp()
{
    showPage(this, QDir::current().absoluteFilePath(QStringLiteral("help.html")));
}

bool CLibraryDlg::confirmClose()
{
    const auto answer = askQuestion(this, QStringLiteral("退出之前备份数据吗?"), QStringLiteral("警告！"),
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes)
        runExitBackup();
    return true;
}

void CLibraryDlg::runExitBackup()
{
    const QString target = exitBackupPath(theApp().m_strAppPath, Clock::instance().now().date());
    QString error;
    if (!backupDatabase(theApp().m_ado, target, &error)) {
        showMessage(this, QStringLiteral("数据备份失败：%1").arg(error), QStringLiteral("警告！"));
        return;
    }
    CBackupProgressDlg popup;
    popup.exec();
}

void CLibraryDlg::OnExit()
{
    if (confirmClose()) {
        m_closing = true;
        reject();
    }
}

void CLibraryDlg::closeEvent(QCloseEvent* event)
{
    if (m_closing || confirmClose()) {
        m_closing = true;
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
}

void CLibraryDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter and Esc never close the main window.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool CLibraryDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Control) {
        if (key->nativeScanCode() != kRightCtrlScanCode)
            m_leftCtrlDown = event->type() == QEvent::KeyPress;
        return false;
    }
    // Left Ctrl+L anywhere in the main window opens the lending-history import.
    if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_L && m_leftCtrlDown
        && (key->modifiers() & Qt::ControlModifier) && isOwnWidget(watched)) {
        OnCommand(MainMenu::ImportLendHistory);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
