#include "catalogue/EditBookDlg.h"

#include "ui_EditBookDlg.h"

#include "controls/Prompter.h"
#include "core/DateText.h"
#include "db/AppState.h"

namespace {
constexpr int kMaxRows = 500;
const QString kHeadings = QStringLiteral(
    "条形码,60;图书编号,80;分类号,60;图书类别,80;书号,50;书名,120;著译者,60;出版处,60;页数,50;开本,50;版期,50;"
    "版次,50;单价,50;书架名称,80;入库时间,80");
}

CEditBookDlg::CEditBookDlg(QWidget* parent) : QDialog(parent), ui(new Ui::CEditBookDlg), m_store(theApp().m_ado)
{
    ui->setupUi(this);
    connect(ui->m_btnFind, &QPushButton::clicked, this, &CEditBookDlg::OnFind);
    connect(ui->m_btnSave, &QPushButton::clicked, this, &CEditBookDlg::OnSave);
    connect(ui->m_btnExit, &QPushButton::clicked, this, &QDialog::accept);
    OnInitDialog();
}

CEditBookDlg::~CEditBookDlg() { delete ui; }

void CEditBookDlg::OnInitDialog()
{
    ui->m_list->SetHeadings(kHeadings);
    ui->m_list->LoadColumnInfo();
    // The radio button only captions the keyword edit, which takes what is typed first.
    ui->m_edtKeyword->setFocus();
}

void CEditBookDlg::OnFind()
{
    const QString keyword = ui->m_edtKeyword->text();
    if (keyword.isEmpty()) {
        showMessage(this, QStringLiteral("请输入用查询信息！"));
        return;
    }
    try {
        RecordsetPtr rs = m_store.findForEdit(keyword);
        if (rs->GetRecordCount() == 0) {
            showMessage(this, QStringLiteral("图书库没有数据!"));
            return;
        }
        FillList(*rs);
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

// Each row remembers the number it was loaded with, so that a changed number still finds
// its copy.
void CEditBookDlg::FillList(CAdoRecordset& rs)
{
    ui->m_list->DeleteAllItems();
    for (rs.MoveFirst(); !rs.IsEOF() && ui->m_list->GetItemCount() < kMaxRows; rs.MoveNext()) {
        const QStringList texts = rs.GetRowTexts().mid(1, kBookFieldCount);
        const int row = ui->m_list->AddItem(texts);
        ui->m_list->SetItemData(row, texts[kBookNo]);
    }
}

void CEditBookDlg::OnSave()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0) {
        showMessage(this, QStringLiteral("没有数据！"));
        return;
    }
    const QStringList values = ui->m_list->GetRowTexts(row).mid(0, kBookFieldCount);
    const QString loadedNo = ui->m_list->GetItemData(row).toString();
    const QString refusal =
        CBookStore::saveRefusal(m_store.save(loadedNo, values, EmptyTexts::Written), loadedNo, values,
                                QStringLiteral("操作失败"));
    if (!refusal.isEmpty())
        return showMessage(this, refusal);
    ui->m_list->SetItemData(row, values[kBookNo]);
    if (!values[kEntryDate].isEmpty())
        ui->m_list->SetItemText(row, kEntryDate, normalizedDateText(values[kEntryDate]));
}
