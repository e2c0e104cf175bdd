#include "periodicals/PeriodicalSummaryPage.h"

#include "ui_PeriodicalSummaryPage.h"

#include "controls/Prompter.h"
#include "db/AppState.h"

namespace {

using Grouping = BookStatistics::Grouping;

// The first column of the list names the grouping: heading and width in the order of Grouping.
const std::pair<QString, int> kFirstColumns[] = {{QStringLiteral("中图分类"), 120},
                                                 {QStringLiteral("分类名称"), 80},
                                                 {QStringLiteral("出版处"), 120},
                                                 {QStringLiteral("入库时间"), 80},
                                                 {QStringLiteral("期刊总计"), 80}};

} // namespace

CPeriodicalSummaryPage::CPeriodicalSummaryPage(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::CPeriodicalSummaryPage>())
{
    ui->setupUi(this);
    const std::pair<QAbstractButton*, Grouping> radios[] = {
        {ui->m_radioClass, Grouping::ClassNo},         {ui->m_radioClassName, Grouping::Type},
        {ui->m_radioPublisher, Grouping::Publisher}, {ui->m_radioEntryDate, Grouping::EntryDate},
        {ui->m_radioTotal, Grouping::Total}};
    for (const auto& [radio, grouping] : radios)
        connect(radio, &QAbstractButton::clicked, this, [this, g = grouping] { ShowGrouping(g); });
    OnInitDialog();
}

CPeriodicalSummaryPage::~CPeriodicalSummaryPage() = default;

void CPeriodicalSummaryPage::OnInitDialog()
{
    ui->m_list->SetHeadings(QStringLiteral("期刊类别,100;期刊数量(册),100;期刊总价(元),100"));
    ui->m_list->LoadColumnInfo();
}

// Each click asks again, the same grouping too: the stock may have changed meanwhile. A
// query that fails leaves the heading and the rows of the last grouping together, as the
// other summary pages do, so that no counts stand under another grouping's heading.
void CPeriodicalSummaryPage::ShowGrouping(Grouping grouping)
{
    QList<QStringList> rows;
    try {
        rows = BookStatistics(theApp().m_ado, StatisticsTable::periodicals()).rows(grouping, QStringLiteral("期刊总量"));
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败！"));
    }
    const auto& [heading, width] = kFirstColumns[static_cast<int>(grouping)];
    ui->m_list->ReplaceGroupedRows(heading, width, rows);
}
