#include "catalogue/ReferenceTableDlg.h"

#include "ui_ReferenceTableDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/Prompter.h"
#include "db/AppState.h"

CReferenceTableDlg::CReferenceTableDlg(const ReferenceTable& table, const ReferenceWindowTexts& texts, QWidget* parent)
    : QDialog(parent), ui(new Ui::CReferenceTableDlg), m_store(theApp().m_ado, table), m_texts(texts)
{
    ui->setupUi(this);
    setObjectName(texts.className);
    connect(ui->m_btnAdd, &QPushButton::clicked, this, &CReferenceTableDlg::OnAdd);
    connect(ui->m_btnDelete, &QPushButton::clicked, this, &CReferenceTableDlg::OnDelete);
    OnInitDialog();
}

CReferenceTableDlg::~CReferenceTableDlg() { delete ui; }

void CReferenceTableDlg::OnInitDialog()
{
    setWindowTitle(m_texts.title);
    ui->m_lblUpper->setText(m_texts.upperLabel);
    ui->m_lblLower->setText(m_texts.lowerLabel);
    ui->m_btnAdd->SetIconHandles(resourceIcon(210));
    ui->m_btnDelete->SetIconHandles(resourceIcon(211));
    ui->m_list->SetHeadings(m_texts.headings);
    ui->m_list->LoadColumnInfo();
    FillList();
}

void CReferenceTableDlg::FillList()
{
    ui->m_list->DeleteAllItems();
    try {
        for (const QStringList& row : m_store.rows())
            ui->m_list->AddItem(row);
    } catch (const DbError&) {
        showMessage(this, m_texts.failure);
    }
}

void CReferenceTableDlg::OnAdd()
{
    const QString upper = ui->m_edtUpper->text();
    const QString lower = ui->m_edtLower->text();
    if (upper.isEmpty()) {
        showMessage(this, m_texts.upperMissing);
        return;
    }
    if (lower.isEmpty() && !m_texts.lowerMissing.isEmpty()) {
        showMessage(this, m_texts.lowerMissing);
        return;
    }
    if (!m_store.add(upper, lower)) {
        showMessage(this, m_texts.failure);
        return;
    }
    if (!m_texts.success.isEmpty())
        showMessage(this, m_texts.success);
    FillList();
}

void CReferenceTableDlg::OnDelete()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0) {
        showMessage(this, m_texts.noSelection);
        return;
    }
    m_store.remove(ui->m_list->GetItemText(row, 0));
    ui->m_edtUpper->clear();
    ui->m_edtLower->clear();
    FillList();
}
