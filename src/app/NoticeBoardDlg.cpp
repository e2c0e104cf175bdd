#include "app/NoticeBoardDlg.h"

#include "ui_NoticeBoardDlg.h"

#include "app/NoticeBoard.h"
#include "controls/ListClicks.h"
#include "controls/Prompter.h"
#include "db/AppState.h"

namespace {
const QString kFailed = QStringLiteral("操作失败!");

// The list shows a notice on one line; the row keeps the text with its line breaks.
QString oneLine(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
}
}

CNoticeBoardDlg::CNoticeBoardDlg(QWidget* parent) : QDialog(parent), ui(new Ui::CNoticeBoardDlg)
{
    ui->setupUi(this);
    connect(ui->m_btnAdd, &QPushButton::clicked, this, &CNoticeBoardDlg::OnAdd);
    connect(ui->m_btnDelete, &QPushButton::clicked, this, &CNoticeBoardDlg::OnDelete);
    ListClicks::watch(ui->m_lstNotice, ListClicks::DoubleClick, [this] { OnDblclkList(); });
    OnInitDialog();
}

CNoticeBoardDlg::~CNoticeBoardDlg() { delete ui; }

void CNoticeBoardDlg::OnInitDialog()
{
    ui->m_lstNotice->SetExtendedStyle(CReportListCtrl::kListStyle);
    ui->m_lstNotice->SetHeadings(QStringLiteral("主题,150;内容,600"));
    ui->m_lstNotice->LoadColumnInfo();
    FillList();
}

void CNoticeBoardDlg::FillList()
{
    ui->m_lstNotice->DeleteAllItems();
    try {
        for (const Notice& notice : CNoticeBoard(theApp().m_ado).Notices()) {
            const int row = ui->m_lstNotice->AddItem({notice.title, oneLine(notice.content)});
            ui->m_lstNotice->SetItemData(row, notice.content);
        }
    } catch (const DbError&) {
        showMessage(this, kFailed);
    }
}

void CNoticeBoardDlg::OnDblclkList()
{
    const int row = ui->m_lstNotice->GetFirstSelected();
    if (row < 0) {
        clearTexts();
        return;
    }
    m_strTitle = ui->m_lstNotice->GetItemText(row, 0);
    m_strContent = ui->m_lstNotice->GetItemData(row).toString();
    UpdateData(false);
}

void CNoticeBoardDlg::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_strTitle = ui->m_edtTitle->text();
        m_strContent = ui->m_edtContent->toPlainText();
        return;
    }
    ui->m_edtTitle->setText(m_strTitle);
    ui->m_edtContent->setPlainText(m_strContent);
}

void CNoticeBoardDlg::clearTexts()
{
    m_strTitle.clear();
    m_strContent.clear();
    UpdateData(false);
}

void CNoticeBoardDlg::OnAdd()
{
    UpdateData(true);
    if (m_strTitle.isEmpty()) {
        showMessage(this, QStringLiteral("请输入标题!\n"));
        return;
    }
    if (m_strContent.isEmpty()) {
        showMessage(this, QStringLiteral("请输入内容!\n"));
        return;
    }
    switch (CNoticeBoard(theApp().m_ado).Add({m_strTitle, m_strContent})) {
    case CNoticeBoard::Result::Done:
        clearTexts();
        FillList();
        break;
    case CNoticeBoard::Result::TitleExists:
        showMessage(this, QStringLiteral("标题已存在！"));
        break;
    case CNoticeBoard::Result::Failed:
        showMessage(this, kFailed);
        break;
    }
}

void CNoticeBoardDlg::OnDelete()
{
    const int row = ui->m_lstNotice->GetFirstSelected();
    if (row < 0) {
        showMessage(this, QStringLiteral("请选定记录!\n"));
        return;
    }
    // A delete that fails is not reported: the refreshed list still shows the notice.
    CNoticeBoard(theApp().m_ado).Remove(ui->m_lstNotice->GetItemText(row, 0));
    clearTexts();
    FillList();
}
