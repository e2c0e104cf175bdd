#include "exchange/BookStatPage.h"

#include "ui_BookStatPage.h"

#include "controls/FileChooser.h"
#include "controls/Prompter.h"
#include "db/AppState.h"
#include "exchange/SheetExport.h"

#include <QDir>

namespace {

using Grouping = BookStatistics::Grouping;

struct GroupingColumn {
    QString heading;
    int width;
};

// The first column of the list, and of the exported sheet, names the grouping.
GroupingColumn firstColumn(Grouping grouping)
{
    switch (grouping) {
    case Grouping::ClassNo:
        return {QStringLiteral("分类号"), 80};
    case Grouping::Type:
        return {QStringLiteral("图书类别"), 120};
    case Grouping::Publisher:
        return {QStringLiteral("出版处"), 120};
    case Grouping::EntryDate:
        return {QStringLiteral("入库时间"), 120};
    case Grouping::Total:
        break;
    }
    return {QStringLiteral("图书总计"), 120};
}

const QString kSheet = QStringLiteral("图书信息分类汇总");

} // namespace

CBookStatPage::CBookStatPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::CBookStatPage>())
{
    ui->setupUi(this);
    const std::pair<CSkinButton*, Grouping> radios[] = {
        {ui->m_radioClass, Grouping::ClassNo},         {ui->m_radioType, Grouping::Type},
        {ui->m_radioPublisher, Grouping::Publisher}, {ui->m_radioEntryDate, Grouping::EntryDate},
        {ui->m_radioTotal, Grouping::Total}};
    for (const auto& [radio, grouping] : radios) {
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

void CBookStatPage::ShowGrouping(Grouping grouping)
{
    RecordsetPtr result;
    try {
        result = BookStatistics(theApp().m_ado).query(grouping);
    } catch (const DbError&) {
        return showMessage(this, QStringLiteral("操作失败！"));
    }
    m_pRecordset = result;
    m_grouping = grouping;
    const GroupingColumn column = firstColumn(grouping);
    ui->m_list->setUpdatesEnabled(false);
    ui->m_list->ReplaceFirstColumn(column.heading, column.width);
    ui->m_list->DeleteAllItems();
    for (const QStringList& row : ResultRows(true))
        ui->m_list->AddItem(row);
    ui->m_list->setUpdatesEnabled(true);
}

// The rows of the last result; the total is named "图书总量". The list shows the sums cut,
// the sheet gets them whole.
QList<QStringList> CBookStatPage::ResultRows(bool sumsShown) const
{
    const RowBlock& block = *m_pRecordset->SharedRows();
    const bool total = m_grouping == Grouping::Total;
    const int sumField = block.columnCount() - 1;
    QList<QStringList> rows;
    for (int r = 0; r < block.rowCount(); ++r) {
        QStringList row;
        if (total)
            row << QStringLiteral("图书总量");
        for (int field = 0; field < block.columnCount(); ++field) {
            const QString text = block.text(r, field);
            row << (sumsShown && field == sumField ? BookStatistics::shownSum(text) : text);
        }
        rows << row;
    }
    return rows;
}

void CBookStatPage::OnExportExcel()
{
    if (!m_pRecordset)
        return showMessage(this, QStringLiteral("查询数据为空!"));
    const QString proposed = QDir::current().filePath(kSheet + QStringLiteral(".xls"));
    const QString path = withDefaultExtension(
        FileChooser::instance().saveFile(this, QStringLiteral("另存为"), proposed, QStringLiteral("Excel文件(*.xls)")));
    if (path.isEmpty())
        return;
    const QList<QStringList> rows = ResultRows(false);
    const QStringList header{firstColumn(m_grouping).heading, QStringLiteral("图书数量(本)"), QStringLiteral("图书总价(元)")};
    // A grouping without rows has nothing to write: that export fails, as a total never does.
    QString error;
    if (rows.isEmpty() || !exportSheet(path, kSheet, false, header, rows, &error))
        return showMessage(this, QStringLiteral("导出数据失败!"));
    showMessage(this, QStringLiteral("导出数据成功!"));
}
