#include "remote/DataUploadDlg.h"

#include "ui_DataUploadDlg.h"

#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "core/Clock.h"
#include "db/AppState.h"
#include "remote/StatExchangeFile.h"

#include <QFileInfo>

CDataUploadDlg::CDataUploadDlg(QWidget* parent) : CFtpExchangeDlg(parent, Account::Fixed), ui(std::make_unique<Ui::CDataUploadDlg>())
{
    ui->setupUi(this);
    InitExchange();
    connect(ui->m_btnBrowseExport, &QPushButton::clicked, this, &CDataUploadDlg::OnBrowseExportFile);
    connect(ui->m_btnExport, &QPushButton::clicked, this, &CDataUploadDlg::OnExport);
    const QDate today = Clock::instance().now().date();
    ui->m_dateFrom->setDate(today);
    ui->m_dateTo->setDate(today);
    OnInitDialog();
}

CDataUploadDlg::~CDataUploadDlg() = default;

void CDataUploadDlg::OnInitDialog()
{
    SetLamp(false);
    FillUnits();
}

void CDataUploadDlg::OnFieldsTaken() { m_exportPath = ui->m_editExportPath->text(); }

void CDataUploadDlg::OnBrowseExportFile()
{
    TakeFields();
    QString path = FileChooser::instance().saveFile(this, QStringLiteral("另存为"), proposedExchangeFile(TakenUnit()),
                                                    QStringLiteral("上传文件(*.dat)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".dat");
    ui->m_editExportPath->setText(path);
    m_exportPath = path;
}

// The unit and the path as last taken: the file's name and its lines name one unit.
void CDataUploadDlg::OnExport()
{
    if (m_exportPath.isEmpty())
        return showMessage(this, QStringLiteral("请设置导出文件的路径!"));
    QString error;
    const bool written = StatExchangeFile::write(theApp().m_ado, m_exportPath, TakenUnit(),
                                                 ui->m_dateFrom->date(), ui->m_dateTo->date(), &error);
    showMessage(this, written ? QStringLiteral("导出数据成功!") : QStringLiteral("导出数据失败!"));
}
