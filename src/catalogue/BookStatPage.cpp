#include "catalogue/BookStatPage.h"

#include "ui_BookStatPage.h"

#include "controls/ButtonIcons.h"
#include "controls/Prompter.h"
#include "db/AppState.h"
#include "export/SheetExport.h"

namespace {

using Grouping = BookStatistics::Grouping;

// The first column of the list, and of the exported sheet, names the grouping: heading and
// width in the order of Grouping.
const std::pair<QString, int> kFirstColumns[] = {{QStringLiteral("分类号"), 80},
                                                 {QStringLiteral("图书类别"), 120},
                                                 {QStringLiteral("出版处"), 120},
                                                 {QStringLiteral("入库时间"), 120},
                                                 {QStringLiteral("图书总计"), 120}};

const QString kSheet = QStringLiteral("图书信息分类汇总");

} // namespace

CBookStatPage::CBookStatPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::CBookStatPage>())
{
    ui->setupUi(this);
    const std::pair<CSkinButton*, Grouping> radios[] = {
        {ui->m_radioClass, Grouping::ClassNo},         {ui->m_radioType, Grouping::Type},
        {ui->m_radioPublisher, Grouping::Publisher}, {ui->m_radioEntryDate, Grouping::EntryDate},
        {ui->m_radioTotal, Grouping::Total}};
    // The bright lamp while the pointer is over a choice, the dark one otherwise.
    for (const auto& [radio, grouping] : radios) {
        radio->SetIconHandles(resourceIcon(214), resourceIcon(213));
        radio->OffsetColor(CSkinButton::BackIn, 30);
        connect(radio, &QPushButton::clicked, this, [this, g = grouping] { ShowGrouping(g); });
    }
    connect(ui->m_btnExport, &QPushButton::clicked, this, &CBookStatPage::OnExportExcel);
    OnInitDialog();
}

CBookStatPage::~CBookStatPage() = default;

void CBookStatPage::OnInitDialog()
{
    ui->m_radioType->SetCheck(1);
    ui->m_list->SetHeadings(QStringLiteral("图书类别,120;图书数量(册),150;图书总价(元),150"));
    ui->m_list->LoadColumnInfo();
}

// The list shows the sums cut, the sheet gets them whole.
void CBookStatPage::ShowGrouping(Grouping grouping)
{
    QList<QStringList> rows;
    try {
        rows = BookStatistics(theApp().m_ado).rows(grouping, QStringLiteral("图书总量"));
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败！"));
    }
    const auto& [heading, width] = kFirstColumns[static_cast<int>(grouping)];
    m_rows = rows;
    m_strHeading = heading;
    for (QStringList& row : rows)
        row.last() = BookStatistics::shownSum(row.last());
    ui->m_list->ReplaceGroupedRows(heading, width, rows);
}

void CBookStatPage::OnExportExcel()
{
    // A grouping without rows has nothing to write: that export fails, as a total never does.
    exportSummary(this, kSheet, {m_strHeading, QStringLiteral("图书数量(本)"), QStringLiteral("图书总价(元)")}, m_rows,
                  EmptySummary::Fails);
}
