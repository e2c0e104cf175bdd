#pragma once

#include <QHeaderView>
#include <QSet>

// The heading row of a report list. A column that has been sorted is painted by the header
// itself from then on: its heading cut with an ellipsis where it does not fit, moved while
// pressed, and, for the column of the last sort, a triangle pointing up (ascending) or down
// drawn with a light and a dark line. Other columns are painted as the style paints them.
class CSortHeaderCtrl : public QHeaderView {
    Q_OBJECT
public:
    explicit CSortHeaderCtrl(QWidget* parent = nullptr);

    void SetSortArrow(int column, bool ascending);
    int SortArrowColumn() const { return m_nSortColumn; }
    bool IsSortArrowAscending() const { return m_bSortAscending; }
    bool IsOwnerDrawn(int column) const { return m_ownerDrawn.contains(column); }
    // A column inserted anew in place of another is painted by the style again.
    void ForgetColumn(int column);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void DrawItem(QPainter& painter, const QRect& item, int column) const;
    void DrawArrow(QPainter& painter, const QRect& item) const;

    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
    int m_nPressed = -1;
    QSet<int> m_ownerDrawn;
};
