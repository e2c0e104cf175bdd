#pragma once

#include "controls/ListQuery.h"
#include "controls/PageCursor.h"

#include <QObject>
#include <QPointer>

class CReportListCtrl;
class QAbstractButton;
class QComboBox;
class QLabel;
class QWidget;

// Wires a query window's "上一页" and "下一页" buttons, page selector and total label to a
// PageCursor. The window calls SetResult after each search and fills its list from
// Cursor().GetFirstRow() on whenever pageChanged fires (also for page 1 of a new result).
// The selector and the label may be null. The label keeps, from the start, the width of the
// total of a large result, so that the controls beside it stay where they are.
// A page is chosen from the selector's list (by the mouse, the arrow keys or the wheel). Where
// the selector is editable, what is typed into it chooses nothing and never joins the list:
// it stays until the next page shown writes that page's number there.
class PagedList : public QObject {
    Q_OBJECT
public:
    PagedList(QWidget* window, int pageSize, QAbstractButton* previous, QAbstractButton* next,
              QComboBox* selector = nullptr, QLabel* total = nullptr);

    // The selector lists its pages as texts sort ("1", "10", "11", "2", ...) instead of
    // in number order.
    void SetPagesInTextOrder(bool textOrder) { m_textOrder = textOrder; }

    void SetResult(int rowCount);
    // Pages of another size (see PageCursor::SetPageSize); once there is a result the
    // selector and the total are recounted and pageChanged fires for the page shown.
    void SetPageSize(int pageSize);
    const PageCursor& Cursor() const { return m_cursor; }
    // Empties the list and fills it with the current page's rows of the result, each made by
    // `listRow`; nothing when there is no result. A result that cannot be read says
    // "操作失败"; the rows added so far stay.
    void FillList(CReportListCtrl* list, const RecordsetPtr& result, const ListRow& listRow) const;

signals:
    void pageChanged(int page);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void OnPrevious();
    void OnNext();

private:
    void OnSelect(int index);
    void Moved(PageCursor::Move move);
    void ShowPages();
    void ShowPage();
    void LeaveTypedText(QComboBox* selector, QEvent* event);

    PageCursor m_cursor;
    QPointer<QWidget> m_window;
    QPointer<QComboBox> m_selector;
    QPointer<QLabel> m_total;
    bool m_textOrder = false;
};
