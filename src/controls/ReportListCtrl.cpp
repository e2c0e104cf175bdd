#include "controls/ReportListCtrl.h"

#include "controls/CellOrder.h"
#include "controls/ColumnText.h"
#include "controls/SortHeaderCtrl.h"
#include "core/IniFile.h"
#include "db/AppState.h"

#include <QDir>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

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

// The hot row of one-click activation shows its texts in the hot-track colour.
class HotRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto* list = static_cast<const CReportListCtrl*>(parent());
        if (index.row() == list->GetHotItem() && !(option->state & QStyle::State_Selected))
            option->palette.setColor(QPalette::Text, option->palette.color(QPalette::Link));
    }
};

}

CReportListCtrl::CReportListCtrl(QWidget* parent)
    : QTreeWidget(parent)
    , m_header(new CSortHeaderCtrl(this))
{
    setHeader(m_header);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new HotRowDelegate(this));
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setMinimumSectionSize(0);
    // Every column is inserted left-aligned, its heading too.
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header(), &QHeaderView::sectionClicked, this, &CReportListCtrl::OnColumnClick);
    SetExtendedStyle(kListStyle);
}

void CReportListCtrl::SetExtendedStyle(int styles)
{
    const bool checkBoxes = (styles & CheckBoxes) != 0;
    const bool checkBoxesChanged = checkBoxes != HasCheckBoxes();
    m_nStyles = styles;
    setSelectionBehavior(fullRow() ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setAllColumnsShowFocus(fullRow());
    const bool oneClick = (styles & OneClickActivate) != 0;
    setMouseTracking(oneClick);
    if (!oneClick)
        SetHotItem(-1);
    if (checkBoxesChanged) {
        for (int i = 0; i < GetItemCount(); ++i)
            row(i)->setData(0, Qt::CheckStateRole, checkBoxes ? QVariant(Qt::Unchecked) : QVariant());
    }
    viewport()->update();
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
    for (int i = 0; i < columns.size(); ++i) {
        headings->setText(first + i, columns[i].heading);
        header()->resizeSection(first + i, columns[i].width);
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
    m_header->ForgetColumn(0);
    header()->resizeSection(0, width);
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
    SetExtendedStyle(on ? m_nStyles | CheckBoxes : m_nStyles & ~CheckBoxes);
}

QTreeWidgetItem* CReportListCtrl::newRow(const QStringList& texts) const
{
    auto* item = new ReportRow();
    for (int i = 0; i < std::max<int>(m_nColumns, columnCount()); ++i)
        item->setText(i, texts.value(i));
    if (HasCheckBoxes())
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
    return HasCheckBoxes() && item && item->checkState(0) == Qt::Checked;
}

bool CReportListCtrl::SetCheck(int index, bool checked)
{
    QTreeWidgetItem* item = row(index);
    if (!HasCheckBoxes() || !item)
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
    const QItemSelectionModel::SelectionFlags rows = fullRow() ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate;
    selectionModel()->select(indexFromItem(item), (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) | rows);
    return true;
}

void CReportListCtrl::SortColumn(int column, bool ascending)
{
    if (column < 0 || column >= columnCount())
        return;
    m_nSortColumn = column;
    m_bSortAscending = ascending;
    m_header->SetSortArrow(column, ascending);
    SortRows(column, ascending, compareCells);
}

void CReportListCtrl::SortRows(int column, bool ascending, CellComparison compare)
{
    // The comparison already gives the final order of either direction (a descending sort
    // need not be the ascending one turned round), so the list sorts "ascending" by it.
    g_rowOrder = {compare, ascending};
    sortItems(column, Qt::AscendingOrder);
    g_rowOrder = {};
}

void CReportListCtrl::OnColumnClick(int column)
{
    SortColumn(column, column == m_nSortColumn ? !m_bSortAscending : true);
}

void CReportListCtrl::SetHotItem(int index)
{
    if (index == m_nHotItem)
        return;
    m_nHotItem = index;
    if (index >= 0)
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->unsetCursor();
    viewport()->update();
}

void CReportListCtrl::mousePressEvent(QMouseEvent* event)
{
    // Without full-row selection only the first cell of a row takes a click; the rest of
    // the row is as empty space.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!fullRow() && index.isValid() && index.column() > 0) {
        clearSelection();
        return;
    }
    QTreeWidget::mousePressEvent(event);
    if ((m_nStyles & OneClickActivate) && index.isValid() && event->button() == Qt::LeftButton)
        emit activated(index);
}

void CReportListCtrl::mouseMoveEvent(QMouseEvent* event)
{
    QTreeWidget::mouseMoveEvent(event);
    if (m_nStyles & OneClickActivate)
        SetHotItem(indexAt(event->position().toPoint()).row());
}

void CReportListCtrl::leaveEvent(QEvent* event)
{
    QTreeWidget::leaveEvent(event);
    SetHotItem(-1);
}

void CReportListCtrl::paintEvent(QPaintEvent* event)
{
    QTreeWidget::paintEvent(event);
    if (m_nStyles & GridLines)
        DrawGridLines();
}

int CReportListCtrl::gridRowHeight() const
{
    if (GetItemCount() > 0)
        return std::max(1, rowHeight(indexFromItem(row(0))));
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return std::max(1, itemDelegate()->sizeHint(option, QModelIndex()).height());
}

// The grid fills the whole list, below the last row too, as the list-view draws it.
void CReportListCtrl::DrawGridLines()
{
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    painter.setPen(QColor(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    const int height = viewport()->height();
    const int width = viewport()->width();
    for (int i = 0; i < header()->count(); ++i) {
        if (header()->isSectionHidden(i) || header()->sectionSize(i) == 0)
            continue;
        const int x = header()->sectionViewportPosition(i) + header()->sectionSize(i) - 1;
        painter.drawLine(x, 0, x, height);
    }
    const int step = gridRowHeight();
    int y = (GetItemCount() > 0 ? visualItemRect(row(0)).top() : 0) + step - 1;
    if (y < 0)
        y += (-y + step - 1) / step * step;
    for (; y < height; y += step)
        painter.drawLine(0, y, width, y);
}
