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
class CSortHeaderCtrl;

class CReportListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    // The list-view's extended styles, by the values the windows give them: grid lines
    // between rows and columns, a check box in front of each row, the whole row selected
    // (else only its first cell, which alone takes a click), and one-click activation (the
    // row under the mouse shows in the hot-track colour under a hand cursor, and a single
    // click activates it).
    enum ExtendedStyle { GridLines = 0x01, CheckBoxes = 0x04, FullRowSelect = 0x20, OneClickActivate = 0x40 };
    // What the windows give their lists, with and without check boxes (0x61 and 0x65).
    static constexpr int kListStyle = GridLines | FullRowSelect | OneClickActivate;
    static constexpr int kCheckListStyle = kListStyle | CheckBoxes;

    // A new list has the style kListStyle.
    explicit CReportListCtrl(QWidget* parent = nullptr);

    void SetExtendedStyle(int styles);
    int GetExtendedStyle() const { return m_nStyles; }

    // Appends one column per "heading,width" pair, each exactly as wide as its width in
    // pixels; a second call appends behind the first.
    bool SetHeadings(const QString& columnText);
    // The rows of another grouping, which the first column names: every row replaced by these
    // and the first column given a new heading and width, left-aligned, as if it were deleted
    // and inserted again (its heading shows no sort arrow until it is sorted again); the
    // other columns stay as they are. The list is drawn once when all rows are there.
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
    bool HasCheckBoxes() const { return (m_nStyles & CheckBoxes) != 0; }

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
    CSortHeaderCtrl* SortHeader() const { return m_header; }
    bool IsSortAscending() const { return m_bSortAscending; }

    // The row under the mouse while one-click activation is on; -1 when none.
    int GetHotItem() const { return m_nHotItem; }

public slots:
    // A heading click: the same column again reverses, another column starts ascending.
    void OnColumnClick(int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QTreeWidgetItem* row(int index) const { return topLevelItem(index); }
    QTreeWidgetItem* newRow(const QStringList& texts) const;
    void RenameFirstColumn(const QString& heading, int width);
    bool fullRow() const { return (m_nStyles & FullRowSelect) != 0; }
    void SetHotItem(int index);
    void DrawGridLines();
    int gridRowHeight() const;

    CSortHeaderCtrl* m_header;
    int m_nColumns = 0;
    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
    int m_nStyles = 0;
    int m_nHotItem = -1;
};
