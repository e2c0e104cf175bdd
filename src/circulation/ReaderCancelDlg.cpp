#include "circulation/ReaderCancelDlg.h"

#include "ui_ReaderCancelDlg.h"

#include "controls/ButtonIcons.h"
#include "circulation/ReaderRegister.h"
#include "controls/ListSelection.h"
#include "controls/Prompter.h"
#include "controls/SearchEdit.h"
#include "controls/SearchText.h"
#include "db/AppState.h"

CReaderCancelDlg::CReaderCancelDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CReaderCancelDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnFind, &QPushButton::clicked, this, &CReaderCancelDlg::OnFind);
    connect(ui->m_btnCancelReaders, &QPushButton::clicked, this, &CReaderCancelDlg::OnCancelReaders);
    connect(ui->m_btnSelectAll, &QPushButton::clicked, this, &CReaderCancelDlg::OnSelectAll);
    connect(ui->m_btnClearAll, &QPushButton::clicked, this, &CReaderCancelDlg::OnClearAll);
    connect(ui->m_list, &QTreeWidget::itemClicked, this, &CReaderCancelDlg::OnClickReaderList);
    m_enterKeys.onEnter(ui->m_editKeyword, [this] { OnFind(); });
    OnInitDialog();
}

CReaderCancelDlg::~CReaderCancelDlg() = default;

void CReaderCancelDlg::OnInitDialog()
{
    ui->m_btnFind->SetIconHandles(resourceIcon(192));
    ui->m_btnSelectAll->SetIconHandles(resourceIcon(199));
    ui->m_btnClearAll->SetIconHandles(resourceIcon(216));
    ui->m_btnCancelReaders->SetIconHandles(resourceIcon(211));
    SearchEdit::attach(ui->m_editKeyword);
    ui->m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    ui->m_list->SetCheckBoxes(true);
    ui->m_list->SetHeadings(
        QStringLiteral("编号,100;姓名,80;性别,60;类别,60;借书期限,80;部门,90;未还图书,80;数量限制,80;登记日期,120"));
    ui->m_list->LoadColumnInfo();
}

void CReaderCancelDlg::OnFind()
{
    const SearchText::Filter filter = SearchText::read(ui->m_editKeyword->text());
    if (!filter.accepted)
        return showMessage(this, QStringLiteral("请输入查询信息！"));
    ShowFirstMatch(filter.text);
    FillReaderList(filter.text);
}

// The reader found first, in the box that confirms him; the box empties when none is found.
void CReaderCancelDlg::ShowFirstMatch(const QString& filter)
{
    QString name, number, unreturned;
    try {
        RecordsetPtr rs = ReaderRegister(theApp().m_ado).searchForCancel(filter);
        if (!rs->IsEOF()) {
            name = rs->GetCollect(1);
            number = rs->GetCollect(0);
            unreturned = rs->GetCollect(7);
        }
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("读者信息不完整！"));
    }
    ui->m_editName->setText(name);
    ui->m_editNo->setText(number);
    ui->m_editUnreturned->setText(unreturned);
}

void CReaderCancelDlg::FillReaderList(const QString& filter)
{
    ui->m_list->DeleteAllItems();
    try {
        for (RecordsetPtr rs = ReaderRegister(theApp().m_ado).searchForCancel(filter); !rs->IsEOF(); rs->MoveNext()) {
            QStringList row;
            for (int field : {0, 1, 2, 3, 4, 5, 7, 8, 9})
                row << rs->GetCollect(field);
            ui->m_list->AddItem(row);
        }
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

void CReaderCancelDlg::OnClickReaderList()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0)
        return;
    ui->m_editName->setText(ui->m_list->GetItemText(row, 1));
    ui->m_editNo->setText(ui->m_list->GetItemText(row, 0));
    ui->m_editUnreturned->setText(ui->m_list->GetItemText(row, 6));
}

void CReaderCancelDlg::OnCancelReaders()
{
    ReaderRegister readers(theApp().m_ado);
    int kept = 0;
    for (int row : markedRows(*ui->m_list)) {
        try {
            if (readers.remove(ui->m_list->GetItemText(row, 0)) == ReaderRegister::Removal::HasLoans)
                ++kept;
        } catch (const DbError&) {
            // Not said: the search that follows still lists the reader.
        }
    }
    if (kept > 0)
        showMessage(this, QStringLiteral("有%1条读者记录因图书未还清不能清除!").arg(kept));
    OnFind();
}

void CReaderCancelDlg::OnSelectAll() { checkAllRows(*ui->m_list, true); }

void CReaderCancelDlg::OnClearAll() { checkAllRows(*ui->m_list, false); }
