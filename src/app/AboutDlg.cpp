#include "app/AboutDlg.h"

#include "ui_AboutDlg.h"

#include "app/LibraryDlg.h"

#include <QAction>
#include <QDir>
#include <QUrl>

namespace {
constexpr int kCounterInterval = 1000;
// Kept for the whole run, so that a box opened again counts on.
int g_nCount = 0;

QAction* command(QWidget* window, const QString& name)
{
    auto* action = new QAction(window);
    action->setObjectName(name);
    window->addAction(action);
    return action;
}
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui(new Ui::CAboutDlg)
{
    ui->setupUi(this);
    connect(ui->m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    m_actStartCounter = command(this, QStringLiteral("m_actStartCounter"));
    m_actStopCounter = command(this, QStringLiteral("m_actStopCounter"));
    m_actStopCounter->setEnabled(false);
    connect(m_actStartCounter, &QAction::triggered, this, &CAboutDlg::OnStartCounter);
    connect(m_actStopCounter, &QAction::triggered, this, &CAboutDlg::OnStopCounter);
    m_counter.setInterval(kCounterInterval);
    connect(&m_counter, &QTimer::timeout, this, &CAboutDlg::WriteCount);
    OnInitDialog();
}

CAboutDlg::~CAboutDlg() { delete ui; }

void CAboutDlg::OnInitDialog()
{
    const QColor link(0, 0, 255);
    const QColor visited(255, 0, 0);
    const QColor hover(125, 125, 0);
    // Both links lead to the help page (the second one stays hidden).
    const QString help = QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("help.html"))).toString();
    ui->m_stcLink->SetLink(help, link, visited, hover, true);
    ui->m_stcLink2->SetLink(help, link, visited, hover, true);
}

void CAboutDlg::SetCounterInterval(int milliseconds) { m_counter.setInterval(milliseconds); }

void CAboutDlg::OnStartCounter()
{
    OnStopCounter();
    m_counter.start();
    m_actStopCounter->setEnabled(true);
}

void CAboutDlg::OnStopCounter() { m_counter.stop(); }

void CAboutDlg::WriteCount() { CLibraryDlg::SetCaption(QString::number(g_nCount++)); }

void CAboutDlg::done(int result)
{
    OnStopCounter();
    QDialog::done(result);
}
