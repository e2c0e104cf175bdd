#include "app/AboutDlg.h"

#include "ui_AboutDlg.h"

#include <QDir>
#include <QUrl>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui(new Ui::CAboutDlg)
{
    ui->setupUi(this);
    connect(ui->m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    OnInitDialog();
}

CAboutDlg::~CAboutDlg() { delete ui; }

void CAboutDlg::OnInitDialog()
{
    const QColor link(0, 0, 255);
    const QColor visited(255, 0, 0);
    const QColor hover(125, 125, 0);
    const QDir folder = QDir::current();
    ui->m_stcLink->SetLink(QUrl::fromLocalFile(folder.absoluteFilePath(QStringLiteral("help.html"))).toString(), link,
                           visited, hover, true);
    ui->m_stcLink2->SetLink(QUrl::fromLocalFile(folder.absolutePath()).toString(), link, visited, hover, true);
}
