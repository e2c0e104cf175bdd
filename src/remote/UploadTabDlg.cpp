#include "remote/UploadTabDlg.h"

#include "ui_UploadTabDlg.h"

#include "controls/TabControl.h"
#include "remote/UnitInfoUploadDlg.h"
#include "remote/UploadSetPage.h"

CUploadTabDlg::CUploadTabDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CUploadTabDlg>())
{
    ui->setupUi(this);
    OnInitDialog();
}

CUploadTabDlg::~CUploadTabDlg() = default;

void CUploadTabDlg::OnInitDialog()
{
    TabControl::attach(ui->m_tab);
    m_pageSet = new CUploadSetPage(ui->m_tab);
    m_pageUnit = new CUnitInfoUploadDlg(ui->m_tab);
    m_pageSet->EmbedAsPage();
    m_pageUnit->EmbedAsPage();
    ui->m_tab->addTab(m_pageSet, QStringLiteral("数据上传设置"));
    ui->m_tab->addTab(m_pageUnit, QStringLiteral("基本数据上传"));
    ui->m_tab->setCurrentIndex(0);
}
