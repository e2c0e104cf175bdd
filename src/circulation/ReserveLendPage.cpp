#include "circulation/ReserveLendPage.h"

#include "ui_ReserveLendPage.h"

#include "controls/ButtonIcons.h"

CReserveLendPage::CReserveLendPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::CReserveLendPage>())
{
    ui->setupUi(this);
    OnInitDialog();
}

CReserveLendPage::~CReserveLendPage() = default;

void CReserveLendPage::OnInitDialog()
{
    ui->m_btnReaderQuery->SetIconHandles(buttonIcon(ButtonIcon::Search));
    ui->m_btnReserveQuery->SetIconHandles(buttonIcon(ButtonIcon::Search));
    ui->m_btnLendAll->SetIconHandles(buttonIcon(ButtonIcon::MoveDown));
    ui->m_listReserve->SetHeadings(
        QStringLiteral("图书编号,120;图书名称,150;读者编号,120;读者姓名,120;书架名称,120;预借时间,240;ISBN码,150"));
    ui->m_listReserve->LoadColumnInfo();
    ui->m_listLent->SetHeadings(QStringLiteral(
        "图书编号,120;图书名称,150;读者编号,120;读者姓名,120;借书日期,120;应还日期,120;操作员,90;ISBN码,150"));
    ui->m_listLent->LoadColumnInfo();
    ui->m_editReaderInput->setFocus();
}
