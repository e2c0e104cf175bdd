#include "circulation/LendSummaryPage.h"

#include "ui_LendSummaryPage.h"

#include "controls/Prompter.h"
#include "core/DateText.h"
#include "db/AppState.h"
#include "export/SheetExport.h"

namespace {

using Grouping = LoanQueries::Grouping;

constexpr int kHeadingWidth = 120;
const QString kSheet = QStringLiteral("借阅信息分类汇总");

// The first column of the list, and of the exported sheet, names the grouping.
QString heading(Grouping grouping)
{
    switch (grouping) {
    case Grouping::Department:
        return QStringLiteral("读者部门");
    case Grouping::ReaderType:
        return QStringLiteral("读者类别");
    case Grouping::ReaderName:
        return QStringLiteral("读者姓名");
    case Grouping::Title:
        break;
    }
    return QStringLiteral("图书名称");
}

} // namespace

CLendSummaryPage::CLendSummaryPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::CLendSummaryPage>())
{
    ui->setupUi(this);
    const std::pair<QAbstractButton*, Grouping> radios[] = {{ui->m_radioDept, Grouping::Department},
                                                           {ui->m_radioType, Grouping::ReaderType},
                                                           {ui->m_radioReader, Grouping::ReaderName},
                                                           {ui->m_radioTitle, Grouping::Title}};
    for (const auto& [radio, grouping] : radios)
        connect(radio, &QAbstractButton::clicked, this, [this, g = grouping] { ShowGrouping(g); });
    connect(ui->m_checkDates, &QCheckBox::clicked, this, &CLendSummaryPage::OnUseDates);
    connect(ui->m_btnExport, &QPushButton::clicked, this, &CLendSummaryPage::OnExportExcel);
    OnInitDialog();
}

CLendSummaryPage::~CLendSummaryPage() = default;

void CLendSummaryPage::OnInitDialog()
{
    ui->m_editFrom->setText(todayText());
    ui->m_editTo->setText(todayText());
    m_strHeading = heading(Grouping::Department);
    ui->m_list->SetHeadings(m_strHeading + QStringLiteral(",120;借阅人次,150"));
    ui->m_list->LoadColumnInfo();
}

void CLendSummaryPage::OnUseDates()
{
    const bool useDates = ui->m_checkDates->isChecked();
    ui->m_editFrom->setEnabled(useDates);
    ui->m_editTo->setEnabled(useDates);
}

std::optional<LoanQueries::Period> CLendSummaryPage::ChosenPeriod() const
{
    if (!ui->m_checkDates->isChecked())
        return std::nullopt;
    return LoanQueries::Period{ui->m_editFrom->text(), ui->m_editTo->text()};
}

// A grouping whose counts cannot be read leaves the list, and what an export writes, as
// they were: the rows stay under the heading they belong to.
void CLendSummaryPage::ShowGrouping(Grouping grouping)
{
    QList<QStringList> rows;
    try {
        RecordsetPtr result = LoanQueries(theApp().m_ado).summary(grouping, ChosenPeriod());
        const RowBlock& block = *result->SharedRows();
        for (int r = 0; r < block.rowCount(); ++r)
            rows << QStringList{block.text(r, 0), block.text(r, 1)};
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败！"));
    }
    m_rows = rows;
    m_strHeading = heading(grouping);
    ui->m_list->ReplaceGroupedRows(m_strHeading, kHeadingWidth, rows);
}

// Writes the last result, whatever the list shows now.
void CLendSummaryPage::OnExportExcel()
{
    exportSummary(this, kSheet, {m_strHeading, QStringLiteral("借阅人次")}, m_rows, EmptySummary::Written);
}
