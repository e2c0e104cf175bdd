#include "circulation/ReserveLendPage.h"

#include "ui_ReserveLendPage.h"

#include "circulation/ReservationDesk.h"
#include "controls/ButtonIcons.h"
#include "controls/ListClicks.h"
#include "controls/Prompter.h"
#include "db/AppState.h"

#include <QMenu>

namespace {
const QString kFailText = QStringLiteral("操作失败");
// The reservation list's column of the reader who reserved the book.
constexpr int kReaderColumn = 2;

ReservationDesk desk() { return ReservationDesk(theApp().m_ado, theApp().m_strOperator); }
}

CReserveLendPage::CReserveLendPage(QWidget* parent) : CPageDialog(parent), ui(std::make_unique<Ui::CReserveLendPage>())
{
    ui->setupUi(this);
    connect(ui->m_btnReaderQuery, &QPushButton::clicked, this, &CReserveLendPage::OnReaderQuery);
    connect(ui->m_btnReserveQuery, &QPushButton::clicked, this, &CReserveLendPage::OnReserveQuery);
    connect(ui->m_btnLendAll, &QPushButton::clicked, this, &CReserveLendPage::OnLendAll);
    ListClicks::watch(ui->m_listReserve, ListClicks::DoubleClick, [this] { OnDblclkReserveList(); });
    ui->m_listReserve->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->m_listReserve, &QWidget::customContextMenuRequested, this, &CReserveLendPage::OnRclickReserveList);
    m_enterKeys.onEnter(ui->m_editReaderInput, [this] { OnReaderQuery(); });
    m_enterKeys.onEnter(ui->m_editBookKey, [this] { OnReserveQuery(); });
    OnInitDialog();
}

CReserveLendPage::~CReserveLendPage() = default;

void CReserveLendPage::OnInitDialog()
{
    ui->m_btnReaderQuery->SetIconHandles(resourceIcon(192));
    ui->m_btnReserveQuery->SetIconHandles(resourceIcon(192));
    ui->m_btnLendAll->SetIconHandles(resourceIcon(283));
    ui->m_listReserve->SetHeadings(
        QStringLiteral("图书编号,120;图书名称,150;读者编号,120;读者姓名,120;书架名称,120;预借时间,240;ISBN码,150"));
    ui->m_listReserve->LoadColumnInfo();
    ui->m_listLent->SetHeadings(QStringLiteral(
        "图书编号,120;图书名称,150;读者编号,120;读者姓名,120;借书日期,120;应还日期,120;操作员,90;ISBN码,150"));
    ui->m_listLent->LoadColumnInfo();
    ui->m_editReaderInput->setFocus();
}

void CReserveLendPage::OnReaderQuery()
{
    if (!m_reader.find(ui->m_editReaderInput))
        return;
    FillReaderLists();
}

// The shown reader afresh, with his reservations and his loans.
void CReserveLendPage::Refresh()
{
    m_reader.refresh();
    FillReaderLists();
}

void CReserveLendPage::FillReaderLists()
{
    try {
        FillReserveList(desk().ofReader(m_reader.card().number));
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
    FillLentList();
}

void CReserveLendPage::FillReserveList(const QList<Reservation>& rows)
{
    ui->m_listReserve->DeleteAllItems();
    for (const Reservation& r : rows)
        ui->m_listReserve->AddItem(
            {r.bookNumber, r.title, r.readerNumber, r.readerName, r.shelf, r.reservedAt, r.isbn});
}

void CReserveLendPage::FillLentList()
{
    ui->m_listLent->DeleteAllItems();
    for (const Loan& l : m_reader.loans())
        ui->m_listLent->AddItem({l.bookNumber, l.title, l.readerNumber, l.readerName, l.lendingDate, l.dueDate,
                                 l.operatorName, l.barcode});
}

void CReserveLendPage::OnReserveQuery()
{
    const QString key = ui->m_editBookKey->text();
    try {
        FillReserveList(key.isEmpty() ? desk().all() : desk().search(key));
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
}

bool CReserveLendPage::BelongsToShownReader(int row)
{
    if (ui->m_listReserve->GetItemText(row, kReaderColumn) == m_reader.card().number)
        return true;
    showMessage(this, QStringLiteral("读者编号不一致!"));
    return false;
}

void CReserveLendPage::LendReserved(int row)
{
    const QStringList cells = ui->m_listReserve->GetRowTexts(row);
    const Reservation reservation{cells.value(0), cells.value(1), cells.value(2), cells.value(3),
                                  cells.value(4), cells.value(5), cells.value(6)};
    try {
        switch (desk().lend(m_reader.card(), reservation)) {
        case LendingService::Outcome::Done:
            break;
        case LendingService::Outcome::NoReader:
            showMessage(this, QStringLiteral("查无此人！"));
            break;
        case LendingService::Outcome::CopyMissing:
            showMessage(this, QStringLiteral("图书库中没有图书%1！").arg(reservation.bookNumber));
            break;
        default:
            showMessage(this, QStringLiteral("图书%1已经借出！").arg(reservation.bookNumber));
            break;
        }
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
}

void CReserveLendPage::OnDblclkReserveList()
{
    const int row = ui->m_listReserve->GetFirstSelected();
    if (row < 0 || !BelongsToShownReader(row))
        return;
    LendReserved(row);
    Refresh();
}

// A row of another reader stops the walk at once, the rows before it lent and the lists
// as they were.
void CReserveLendPage::OnLendAll()
{
    for (int row = 0; row < ui->m_listReserve->GetItemCount(); ++row) {
        if (!BelongsToShownReader(row))
            return;
        LendReserved(row);
    }
    Refresh();
}

void CReserveLendPage::OnClearReservations()
{
    try {
        desk().clearAll();
    } catch (const DbError&) {
        // Not said: the list filled again shows the reservations still there.
    }
    try {
        FillReserveList(desk().all());
    } catch (const DbError&) {
        showMessage(this, kFailText);
    }
}

void CReserveLendPage::OnRclickReserveList(const QPoint& position)
{
    QMenu menu(this);
    QAction* lend = menu.addAction(QStringLiteral("借阅选定图书"));
    QAction* clear = menu.addAction(QStringLiteral("清空预借记录"));
    const QPoint global = ui->m_listReserve->viewport()->mapToGlobal(position);
    QAction* chosen = menu.exec(global + QPoint(80 - menu.sizeHint().width(), 0));
    if (chosen == lend)
        OnDblclkReserveList();
    else if (chosen == clear)
        OnClearReservations();
}
