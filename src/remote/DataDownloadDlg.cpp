#include "remote/DataDownloadDlg.h"

#include "ui_DataDownloadDlg.h"

#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "export/SheetExport.h"
#include "remote/StatExchangeFile.h"

#include <QDir>

CDataDownloadDlg::CDataDownloadDlg(QWidget* parent) : CFtpExchangeDlg(parent, Account::Fixed), ui(std::make_unique<Ui::CDataDownloadDlg>())
{
    ui->setupUi(this);
    InitExchange();
    connect(ui->m_btnBrowseWorkbook, &QPushButton::clicked, this, &CDataDownloadDlg::OnBrowseExcelFile);
    connect(ui->m_btnMerge, &QPushButton::clicked, this, &CDataDownloadDlg::OnMerge);
    OnInitDialog();
}

CDataDownloadDlg::~CDataDownloadDlg() = default;

void CDataDownloadDlg::OnInitDialog()
{
    SetLamp(false);
}

void CDataDownloadDlg::OnDisconnected() { ui->m_listServer->clear(); }

void CDataDownloadDlg::OnBrowseExcelFile()
{
    const QString path = FileChooser::instance().saveFile(this, QStringLiteral("另存为"),
                                                          QDir::current().filePath(QStringLiteral("卷澜信息汇总.xls")),
                                                          QStringLiteral("Excel文件(*.xls)"));
    if (!path.isEmpty())
        ui->m_editWorkbook->setText(withDefaultExtension(path));
}

void CDataDownloadDlg::OnMerge()
{
    TakeFields();
    const QString workbook = ui->m_editWorkbook->text();
    if (workbook.isEmpty())
        return showMessage(this, QStringLiteral("请设置导出文件目录!"));
    // Without a folder the merge would walk the root folder.
    if (TakenFolder().isEmpty())
        return showMessage(this, QStringLiteral("请设置下载目录!"));
    const StatExchangeFile::MergeResult result = StatExchangeFile::merge(TakenFolder(), workbook);
    if (!result.written)
        return showMessage(this, withReason(QStringLiteral("数据合成失败!"), result.error));
    QString text = QStringLiteral("数据合成成功!");
    if (!result.skipped.isEmpty())
        text += QStringLiteral("\n以下不是统计文件，没有合成：\n") + result.skipped.join(QLatin1Char('\n'));
    showMessage(this, text);
}
