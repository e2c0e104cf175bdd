#include "circulation/ReaderTypeDlg.h"

#include "ui_ReaderTypeDlg.h"

#include "controls/ButtonIcons.h"
#include "circulation/ReaderRegister.h"
#include "controls/Prompter.h"
#include "db/AppState.h"

#include <QRegularExpressionValidator>

CReaderTypeDlg::CReaderTypeDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CReaderTypeDlg>())
{
    ui->setupUi(this);
    connect(ui->m_btnAdd, &QPushButton::clicked, this, &CReaderTypeDlg::OnAdd);
    connect(ui->m_btnDelete, &QPushButton::clicked, this, &CReaderTypeDlg::OnDelete);
    OnInitDialog();
}

CReaderTypeDlg::~CReaderTypeDlg() = default;

void CReaderTypeDlg::OnInitDialog()
{
    ui->m_btnAdd->SetIconHandles(resourceIcon(210));
    ui->m_btnDelete->SetIconHandles(resourceIcon(211));
    const QRegularExpression digits(QStringLiteral("[0-9]*"));
    ui->m_editPeriod->setValidator(new QRegularExpressionValidator(digits, this));
    ui->m_editLimit->setValidator(new QRegularExpressionValidator(digits, this));
    ui->m_list->SetHeadings(QStringLiteral("类别名,60;借书期限,80;数量限制,80"));
    ui->m_list->LoadColumnInfo();
    FillList();
}

void CReaderTypeDlg::FillList()
{
    ui->m_list->DeleteAllItems();
    try {
        for (const ReaderType& type : ReaderRegister(theApp().m_ado).types())
            ui->m_list->AddItem({type.name, type.period, type.limit});
    } catch (const DbError&) {
        showMessage(this, QStringLiteral("操作失败"));
    }
}

void CReaderTypeDlg::OnAdd()
{
    const ReaderType type{ui->m_editTypeName->text(), ui->m_editPeriod->text(), ui->m_editLimit->text()};
    if (type.name.isEmpty())
        return showMessage(this, QStringLiteral("读者类别不能为空!\n"));
    if (type.period.isEmpty())
        return showMessage(this, QStringLiteral("请填借书期限!\n"));
    if (type.limit.isEmpty())
        return showMessage(this, QStringLiteral("请填限制数量!\n"));
    try {
        ReaderRegister(theApp().m_ado).addType(type);
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败"));
    }
    FillList();
}

void CReaderTypeDlg::OnDelete()
{
    const int row = ui->m_list->GetFirstSelected();
    if (row < 0)
        return showMessage(this, QStringLiteral("没有选定记录!\n"));
    try {
        ReaderRegister(theApp().m_ado).removeType(ui->m_list->GetItemText(row, 0));
    } catch (const DbError&) {
        // As specified, a failed delete is not reported: the refilled list shows the truth.
    }
    FillList();
}
