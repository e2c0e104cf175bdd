#include "periodicals/PeriodicalSummaryPage.h"

#include "ui_PeriodicalSummaryPage.h"

#include "controls/Prompter.h"
#include "db/AppState.h"

namespace {

using Grouping = BookStatistics::Grouping;

struct GroupingColumn {
    QString heading;
    int width;
};

GroupingColumn firstColumn(Grouping grouping)
{
    switch (grouping) {
    case Grouping::ClassNo:
        return {QStringLiteral("中图分类"), 120};
    case Grouping::Type:
        return {QStringLiteral("分类名称"), 80};
    case Grouping::Publisher:
        return {QStringLiteral("出版处"), 120};
    case Grouping::EntryDate:
        return {QStringLiteral("入库时间"), 80};
    case Grouping::Total:
        break;
    }
    return {QStringLiteral("期刊总计"), 80};
}

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

// Each click asks again, the same grouping too: the stock may have changed meanwhile.
void CPeriodicalSummaryPage::ShowGrouping(Grouping grouping)
{
    RecordsetPtr result;
    try {
        result = BookStatistics(theApp().m_ado, StatisticsTable::periodicals()).query(grouping);
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败！"));
    }
    const GroupingColumn column = firstColumn(grouping);
    const RowBlock& block = *result->SharedRows();
    ui->m_list->setUpdatesEnabled(false);
    ui->m_list->ReplaceFirstColumn(column.heading, column.width);
    ui->m_list->DeleteAllItems();
    for (int r = 0; r < block.rowCount(); ++r) {
        if (grouping == Grouping::Total)
            ui->m_list->AddItem({QStringLiteral("期刊总量"), block.text(r, 0), block.text(r, 1)});
        else
            ui->m_list->AddItem({block.text(r, 0), block.text(r, 1), block.text(r, 2)});
    }
    ui->m_list->setUpdatesEnabled(true);
}
