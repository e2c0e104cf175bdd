#include "catalogue/LossCancelDlg.h"

#include "ui_LossCancelDlg.h"

#include "controls/ListSelection.h"
#include "controls/Prompter.h"
#include "db/AppState.h"

CLossCancelDlg::CLossCancelDlg(LossCancelWindow config, QWidget* parent)
    : QDialog(parent),
      m_config(std::move(config)),
      ui(std::make_unique<Ui::CLossCancelDlg>()),
      m_mover(theApp().m_ado, *m_config.tables, theApp().m_strOperator),
      m_lists(theApp().m_ado, *m_config.tables)
{
    ui->setupUi(this);
    connect(ui->m_btnQuery, &QPushButton::clicked, this, &CLossCancelDlg::OnQuery);
    connect(ui->m_btnUnloss, &QPushButton::clicked, this, &CLossCancelDlg::OnUnloss);
    OnInitDialog();
}

CLossCancelDlg::~CLossCancelDlg() = default;

void CLossCancelDlg::OnInitDialog()
{
    setWindowTitle(m_config.caption);
    ui->m_group->setTitle(m_config.groupTitle);
    ui->m_labelKey->setText(m_config.keyLabel);
    ui->m_btnUnloss->setText(m_config.actionText);
    ui->m_btnQuery->setDefault(true);
    ui->m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui->m_list->SetHeadings(m_config.headings);
    ui->m_list->LoadColumnInfo();
}

void CLossCancelDlg::OnQuery() { FillLostList(m_lists.outByText(OutKind::Loss, ui->m_editKey->text())); }

void CLossCancelDlg::FillLostList(const RecordsetPtr& rs)
{
    ui->m_list->DeleteAllItems();
    try {
        for (; !rs->IsEOF(); rs->MoveNext()) {
            QStringList texts;
            for (int field : m_config.fields)
                texts << rs->GetCollect(field);
            const int row = ui->m_list->AddItem(texts);
            ui->m_list->SetItemData(row, rs->GetValue(0));
        }
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败!\n"));
    }
}

void CLossCancelDlg::OnUnloss()
{
    const int row = singleSelectedRow(this, *ui->m_list);
    if (row < 0)
        return;
    StockMover::Outcome outcome;
    try {
        outcome = m_mover.restore(OutKind::Loss, ui->m_list->GetItemData(row).toLongLong());
    } catch (const DbError&) {
        showMessage(this, m_config.failure);
        return;
    }
    if (outcome == StockMover::Outcome::AlreadyInStock) {
        showMessage(this, m_config.failure + QStringLiteral("编号已在库中：%1").arg(ui->m_list->GetItemText(row, 0)));
        return;
    }
    if (outcome != StockMover::Outcome::Done)
        return;
    FillLostList(m_lists.outByText(OutKind::Loss, QString()));
    if (!m_config.success.isEmpty())
        showMessage(this, m_config.success);
}
