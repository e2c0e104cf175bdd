#include "catalogue/StockCancelDlg.h"

#include "ui_StockCancelDlg.h"

#include "controls/ButtonIcons.h"
#include "controls/ListSelection.h"
#include "controls/Prompter.h"
#include "controls/SearchEdit.h"
#include "controls/SearchText.h"

CStockCancelDlg::CStockCancelDlg(StockCancelWindow config, QWidget* parent)
    : QDialog(parent), m_config(std::move(config)), ui(std::make_unique<Ui::CStockCancelDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnFind, &QPushButton::clicked, this, &CStockCancelDlg::OnFind);
    connect(ui->m_btnCancelStock, &QPushButton::clicked, this, &CStockCancelDlg::OnCancelStock);
    connect(ui->m_btnSelectAll, &QPushButton::clicked, this, &CStockCancelDlg::OnSelectAll);
    connect(ui->m_btnClearAll, &QPushButton::clicked, this, &CStockCancelDlg::OnClearAll);
    connect(ui->m_btnExit, &QPushButton::clicked, this, &CStockCancelDlg::OnExit);
    OnInitDialog();
}

CStockCancelDlg::~CStockCancelDlg() = default;

void CStockCancelDlg::OnInitDialog()
{
    setWindowTitle(m_config.caption);
    ui->m_labelKeyword->setText(m_config.keywordLabel);
    ui->m_btnCancelStock->setText(m_config.actionText);
    ui->m_btnFind->SetIconHandles(resourceIcon(192));
    ui->m_btnSelectAll->SetIconHandles(resourceIcon(199));
    ui->m_btnClearAll->SetIconHandles(resourceIcon(216));
    ui->m_btnCancelStock->SetIconHandles(resourceIcon(210));
    ui->m_btnExit->SetIconHandles(resourceIcon(215));
    ui->m_btnFind->setDefault(true);
    if (m_config.editShowsAll)
        SearchEdit::attach(ui->m_editKeyword);
    ui->m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui->m_list->SetCheckBoxes(true);
    ui->m_list->SetHeadings(m_config.headings);
    ui->m_list->LoadColumnInfo();
}

void CStockCancelDlg::OnFind()
{
    QString keyword;
    if (!SearchEdit::takeFilter(this, ui->m_editKeyword, keyword, AllTextMeans()))
        return;
    RecordsetPtr rs = m_config.search(keyword);
    ui->m_list->DeleteAllItems();
    try {
        if (rs->GetRecordCount() == 0) {
            showMessage(this, m_config.notFound);
            return;
        }
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
        return;
    }
    FillBookList(rs);
}

void CStockCancelDlg::FillBookList(const RecordsetPtr& rs)
{
    m_pRecordset = rs;
    ui->m_list->DeleteAllItems();
    try {
        for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext()) {
            QStringList texts;
            for (int field : m_config.fields)
                texts << rs->GetCollect(field);
            ui->m_list->AddItem(texts);
        }
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

void CStockCancelDlg::OnCancelStock()
{
    int deleted = 0;
    QStringList skipped;
    for (int row : markedRows(*ui->m_list)) {
        const QString number = ui->m_list->GetItemText(row, m_config.numberColumn);
        switch (m_config.remove(number)) {
        case DeleteOutcome::Deleted:
            ++deleted;
            break;
        case DeleteOutcome::OnLoan:
            skipped << number;
            break;
        // A delete that failed is not counted and says nothing more: the list, searched
        // again, shows the copy still there.
        case DeleteOutcome::Failed:
        case DeleteOutcome::Missing:
            break;
        }
    }
    const QString keyword = SearchText::read(ui->m_editKeyword->text(), AllTextMeans()).text;
    FillBookList(m_config.refill ? m_config.refill(keyword) : m_config.search(keyword));
    SayKept(skipped);
    if (m_config.reportsCount)
        showMessage(this, QStringLiteral("共删除了%1条记录!").arg(deleted));
}

CReportListCtrl* CStockCancelDlg::List() const { return ui->m_list; }

SearchText::AllText CStockCancelDlg::AllTextMeans() const
{
    return m_config.editShowsAll ? SearchText::AllText::EveryRow : SearchText::AllText::Typed;
}

void CStockCancelDlg::SayKept(const QStringList& out)
{
    if (!out.isEmpty())
        showMessage(this, (QStringList{m_config.skippedLead} + out).join(QLatin1Char('\n')));
}

void CStockCancelDlg::OnSelectAll() { checkAllRows(*ui->m_list, true); }

void CStockCancelDlg::OnClearAll() { checkAllRows(*ui->m_list, false); }

void CStockCancelDlg::OnExit() { reject(); }
