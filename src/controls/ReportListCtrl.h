#pragma once

#include <QList>
#include <QStringList>
#include <QTreeWidget>
#include <QVariant>

// The list of query results, reference tables and work lists of almost every window.
// Columns come from one column text ("ISBN,80;出版社名,120"), rows are appended as one text
// per column, a click on a heading sorts by that column (ascending, then reversed on a
// second click) and every row keeps its own data value and check state through sorting.
// Column widths can be kept in the profile's section "ListCtrls", entry = the list's
// objectName, value = the widths in pixels separated by commas ("80,120").
class CReportListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit CReportListCtrl(QWidget* parent = nullptr);

    // Appends one column per "heading,width" pair; a second call appends behind the first.
    // The widths were chosen for a smaller font than ours: a column is widened until its
    // heading shows whole, sort arrow included (a width of 0 keeps the column hidden).
    bool SetHeadings(const QString& columnText);
    // The rows of another grouping, which the first column names: every row replaced by these
    // and the first column given a new heading and width, left-aligned, as if it were deleted
    // and inserted again (a sort by it ends); the other columns stay as they are. The list is
    // drawn once when all rows are there.
    void ReplaceGroupedRows(const QString& heading, int width, const QList<QStringList>& rows);
    int GetColumnCount() const { return m_nColumns; }
    // Restores the column widths saved in the profile, when their count matches.
    void LoadColumnInfo();
    // Keeps the current column widths in the profile; false when it cannot be written.
    bool SaveColumnInfo() const;
    // The profile file: "schoollib.ini" in the program folder, else the current directory.
    static QString profilePath();

    // A check box in front of every row (also of rows already in the list).
    void SetCheckBoxes(bool on);
    bool HasCheckBoxes() const { return m_bCheckBoxes; }

    // Appends a row (missing texts are empty); returns its index.
    int AddItem(const QStringList& texts);
    // Inserts a row before the given index (at the end when out of range); returns its index.
    int InsertItem(int row, const QStringList& texts);
    bool DeleteItem(int row);
    bool DeleteAllItems();
    int GetItemCount() const { return topLevelItemCount(); }

    QString GetItemText(int row, int column) const;
    bool SetItemText(int row, int column, const QString& text);
    QStringList GetRowTexts(int row) const;
    // The caller's own value for a row (invalid until set); it moves with the row.
    bool SetItemData(int row, const QVariant& value);
    QVariant GetItemData(int row) const;

    bool GetCheck(int row) const;
    bool SetCheck(int row, bool checked);
    QList<int> GetCheckedRows() const;

    int GetSelectedCount() const;
    // Selected rows in list order.
    QList<int> GetSelectedRows() const;
    // The first selected row in list order; -1 when none.
    int GetFirstSelected() const;
    bool SetSelected(int row, bool selected);

    void SortColumn(int column, bool ascending);
    // How two cells order in a list sorted one way or the other: < 0 puts a above b.
    using CellComparison = int (*)(const QString& a, const QString& b, bool ascending);
    // Sorts by a column with another order of cells, leaving the heading's sort state alone.
    void SortRows(int column, bool ascending, CellComparison compare);
    int GetSortColumn() const { return m_nSortColumn; }
    bool IsSortAscending() const { return m_bSortAscending; }

public slots:
    // A heading click: the same column again reverses, another column starts ascending.
    void OnColumnClick(int column);

private:
    QTreeWidgetItem* row(int index) const { return topLevelItem(index); }
    QTreeWidgetItem* newRow(const QStringList& texts) const;
    void RenameFirstColumn(const QString& heading, int width);
    int headingWidth(int column) const;

    int m_nColumns = 0;
    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
    bool m_bCheckBoxes = false;
};
