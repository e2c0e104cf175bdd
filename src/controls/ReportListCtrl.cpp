#include "controls/ReportListCtrl.h"

#include "controls/CellOrder.h"
#include "controls/ColumnText.h"
#include "core/IniFile.h"
#include "db/AppState.h"

#include <QDir>
#include <QHeaderView>

#include <algorithm>

namespace {

constexpr int kDataRole = Qt::UserRole;

// The order of the sort under way; the rows ask for it while the list sorts them.
struct RowOrder {
    CReportListCtrl::CellComparison compare = compareCells;
    bool ascending = true;
};
RowOrder g_rowOrder;

// Rows order by the text they show, so a cell changed later sorts by its new text.
class ReportRow : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return g_rowOrder.compare(text(column), other.text(column), g_rowOrder.ascending) < 0;
    }
};

}

CReportListCtrl::CReportListCtrl(QWidget* parent)
    : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    connect(header(), &QHeaderView::sectionClicked, this, &CReportListCtrl::OnColumnClick);
}

bool CReportListCtrl::SetHeadings(const QString& columnText)
{
    const QList<ColumnSpec> columns = parseColumnText(columnText);
    if (columns.isEmpty())
        return true;
    const int first = m_nColumns;
    m_nColumns += int(columns.size());
    setColumnCount(m_nColumns);
    QTreeWidgetItem* headings = headerItem();
    for (int i = 0; i < columns.size(); ++i)
        headings->setText(first + i, columns[i].heading);
    for (int i = 0; i < columns.size(); ++i) {
        const int given = columns[i].width;
        header()->resizeSection(first + i, given > 0 ? std::max(given, headingWidth(first + i)) : 0);
    }
    return true;
}

void CReportListCtrl::ReplaceGroupedRows(const QString& heading, int width, const QList<QStringList>& rows)
{
    setUpdatesEnabled(false);
    DeleteAllItems();
    RenameFirstColumn(heading, width);
    for (const QStringList& texts : rows)
        AddItem(texts);
    setUpdatesEnabled(true);
}

void CReportListCtrl::RenameFirstColumn(const QString& heading, int width)
{
    if (m_nColumns == 0)
        return;
    headerItem()->setText(0, heading);
    headerItem()->setTextAlignment(0, Qt::AlignLeft | Qt::AlignVCenter);
    if (m_nSortColumn == 0) {
        m_nSortColumn = -1;
        header()->setSortIndicatorShown(false);
    }
    header()->resizeSection(0, width > 0 ? std::max(width, headingWidth(0)) : 0);
}

int CReportListCtrl::headingWidth(int column) const
{
    // Measured as if the list were sorted, so the arrow of a later heading click cuts nothing.
    const bool arrowShown = header()->isSortIndicatorShown();
    header()->setSortIndicatorShown(true);
    const int width = header()->sectionSizeHint(column);
    header()->setSortIndicatorShown(arrowShown);
    return width;
}

QString CReportListCtrl::profilePath()
{
    const QString folder = theApp().m_strAppPath.isEmpty() ? QDir::currentPath() : theApp().m_strAppPath;
    return QDir(folder).filePath(QStringLiteral("schoollib.ini"));
}

void CReportListCtrl::LoadColumnInfo()
{
    const QString saved = IniFile::read(profilePath(), QStringLiteral("ListCtrls"), objectName());
    if (saved.trimmed().isEmpty())
        return;
    const QStringList parts = saved.split(u',');
    if (parts.size() != columnCount())
        return;
    QList<int> widths;
    for (const QString& part : parts) {
        bool ok = false;
        const int width = part.trimmed().toInt(&ok);
        if (!ok || width < 0)
            return;
        widths.append(width);
    }
    for (int i = 0; i < widths.size(); ++i)
        header()->resizeSection(i, widths[i]);
}

bool CReportListCtrl::SaveColumnInfo() const
{
    QStringList widths;
    for (int i = 0; i < columnCount(); ++i)
        widths.append(QString::number(header()->sectionSize(i)));
    return IniFile::write(profilePath(), QStringLiteral("ListCtrls"), objectName(), widths.join(u','));
}

void CReportListCtrl::SetCheckBoxes(bool on)
{
    m_bCheckBoxes = on;
    for (int i = 0; i < GetItemCount(); ++i)
        row(i)->setData(0, Qt::CheckStateRole, on ? QVariant(Qt::Unchecked) : QVariant());
}

QTreeWidgetItem* CReportListCtrl::newRow(const QStringList& texts) const
{
    auto* item = new ReportRow();
    for (int i = 0; i < std::max<int>(m_nColumns, columnCount()); ++i)
        item->setText(i, texts.value(i));
    if (m_bCheckBoxes)
        item->setCheckState(0, Qt::Unchecked);
    return item;
}

int CReportListCtrl::AddItem(const QStringList& texts)
{
    addTopLevelItem(newRow(texts));
    return GetItemCount() - 1;
}

int CReportListCtrl::InsertItem(int index, const QStringList& texts)
{
    if (index < 0 || index > GetItemCount())
        index = GetItemCount();
    insertTopLevelItem(index, newRow(texts));
    return index;
}

bool CReportListCtrl::DeleteItem(int index)
{
    QTreeWidgetItem* item = row(index);
    if (!item)
        return false;
    delete item;
    return true;
}

bool CReportListCtrl::DeleteAllItems()
{
    clear();
    return true;
}

QString CReportListCtrl::GetItemText(int index, int column) const
{
    const QTreeWidgetItem* item = row(index);
    return item ? item->text(column) : QString();
}

bool CReportListCtrl::SetItemText(int index, int column, const QString& text)
{
    QTreeWidgetItem* item = row(index);
    if (!item || column < 0 || column >= columnCount())
        return false;
    item->setText(column, text);
    return true;
}

QStringList CReportListCtrl::GetRowTexts(int index) const
{
    QStringList texts;
    if (const QTreeWidgetItem* item = row(index)) {
        for (int i = 0; i < columnCount(); ++i)
            texts.append(item->text(i));
    }
    return texts;
}

bool CReportListCtrl::SetItemData(int index, const QVariant& value)
{
    QTreeWidgetItem* item = row(index);
    if (!item)
        return false;
    item->setData(0, kDataRole, value);
    return true;
}

QVariant CReportListCtrl::GetItemData(int index) const
{
    const QTreeWidgetItem* item = row(index);
    return item ? item->data(0, kDataRole) : QVariant();
}

bool CReportListCtrl::GetCheck(int index) const
{
    const QTreeWidgetItem* item = row(index);
    return m_bCheckBoxes && item && item->checkState(0) == Qt::Checked;
}

bool CReportListCtrl::SetCheck(int index, bool checked)
{
    QTreeWidgetItem* item = row(index);
    if (!m_bCheckBoxes || !item)
        return false;
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    return true;
}

QList<int> CReportListCtrl::GetCheckedRows() const
{
    QList<int> rows;
    for (int i = 0; i < GetItemCount(); ++i) {
        if (GetCheck(i))
            rows.append(i);
    }
    return rows;
}

int CReportListCtrl::GetSelectedCount() const
{
    return int(GetSelectedRows().size());
}

QList<int> CReportListCtrl::GetSelectedRows() const
{
    QList<int> rows;
    for (int i = 0; i < GetItemCount(); ++i) {
        if (row(i)->isSelected())
            rows.append(i);
    }
    return rows;
}

int CReportListCtrl::GetFirstSelected() const
{
    const QList<int> rows = GetSelectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

bool CReportListCtrl::SetSelected(int index, bool selected)
{
    QTreeWidgetItem* item = row(index);
    if (!item)
        return false;
    item->setSelected(selected);
    return true;
}

void CReportListCtrl::SortColumn(int column, bool ascending)
{
    if (column < 0 || column >= columnCount())
        return;
    m_nSortColumn = column;
    m_bSortAscending = ascending;
    header()->setSortIndicatorShown(true);
    SortRows(column, ascending, compareCells);
}

void CReportListCtrl::SortRows(int column, bool ascending, CellComparison compare)
{
    // The comparison already gives the final order of either direction (a descending sort
    // need not be the ascending one turned round), so the list sorts "ascending" by it.
    g_rowOrder = {compare, ascending};
    sortItems(column, Qt::AscendingOrder);
    g_rowOrder = {};
    header()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CReportListCtrl::OnColumnClick(int column)
{
    SortColumn(column, column == m_nSortColumn ? !m_bSortAscending : true);
}
