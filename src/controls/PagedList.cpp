#include "controls/PagedList.h"

#include "controls/LabelWidth.h"
#include "controls/Prompter.h"
#include "controls/ReportListCtrl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

PagedList::PagedList(QWidget* window, int pageSize, QAbstractButton* previous, QAbstractButton* next,
                     QComboBox* selector, QLabel* total)
    : QObject(window)
    , m_cursor(pageSize)
    , m_window(window)
    , m_selector(selector)
    , m_total(total)
{
    connect(previous, &QAbstractButton::clicked, this, &PagedList::OnPrevious);
    connect(next, &QAbstractButton::clicked, this, &PagedList::OnNext);
    if (selector) {
        selector->setInsertPolicy(QComboBox::NoInsert);
        selector->installEventFilter(this);
        connect(selector, &QComboBox::activated, this, &PagedList::OnSelect);
    }
    if (total)
        reserveLabelWidth(total, {PageCursor::WidestTotalText()});
}

void PagedList::SetResult(int rowCount)
{
    m_cursor.Reset(rowCount);
    ShowPages();
}

void PagedList::SetPageSize(int pageSize)
{
    m_cursor.SetPageSize(pageSize);
    if (m_cursor.HasResult())
        ShowPages();
}

void PagedList::FillList(CReportListCtrl* list, const RecordsetPtr& result, const ListRow& listRow) const
{
    list->DeleteAllItems();
    if (!result)
        return;
    try {
        result->MoveFirst();
        result->Move(m_cursor.GetFirstRow());
        for (int i = 0; i < m_cursor.GetRowsOnPage() && !result->IsEOF(); ++i, result->MoveNext())
            list->AddItem(listRow(*result));
    } catch (const DbError&) {
        showMessage(m_window, QStringLiteral("操作失败"));
    }
}

void PagedList::ShowPages()
{
    if (m_selector) {
        QStringList pages;
        for (int page = 1; page <= m_cursor.GetPageCount(); ++page)
            pages << QString::number(page);
        if (m_textOrder)
            pages.sort();
        m_selector->clear();
        m_selector->addItems(pages);
    }
    if (m_total)
        m_total->setText(m_cursor.TotalText());
    ShowPage();
}

void PagedList::OnPrevious() { Moved(m_cursor.Previous()); }

void PagedList::OnNext() { Moved(m_cursor.Next()); }

void PagedList::OnSelect(int index)
{
    if (m_cursor.SetPage(m_selector->itemText(index).toInt()))
        ShowPage();
}

void PagedList::Moved(PageCursor::Move move)
{
    if (move == PageCursor::Move::Moved) {
        ShowPage();
        return;
    }
    const QString refusal = PageCursor::RefusalText(move);
    if (!refusal.isEmpty())
        showMessage(m_window, refusal);
}

void PagedList::ShowPage()
{
    if (m_selector) {
        const QString page = QString::number(m_cursor.GetPage());
        m_selector->setCurrentIndex(m_selector->findText(page));
        if (m_selector->isEditable())
            m_selector->setEditText(page);
    }
    emit pageChanged(m_cursor.GetPage());
}

// Leaving an editable selector, or Enter in it, would have the combo take a typed page number
// as that page's choice. The filter watches the selector alone; a selector being destroyed is
// no combo any more and is left alone.
bool PagedList::eventFilter(QObject* watched, QEvent* event)
{
    const bool leaves = event->type() == QEvent::FocusOut
        || (event->type() == QEvent::KeyPress
            && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return
                || static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter));
    auto* selector = leaves ? qobject_cast<QComboBox*>(watched) : nullptr;
    if (!selector || !selector->isEditable())
        return false;
    LeaveTypedText(selector, event);
    return true;
}

// The combo handles the event with its signals held back; the page shown stays its current
// entry and the typed text stays in view.
void PagedList::LeaveTypedText(QComboBox* selector, QEvent* event)
{
    const QSignalBlocker quiet(selector);
    const int shown = selector->currentIndex();
    static_cast<QObject*>(selector)->event(event);
    if (selector->currentIndex() != shown) {
        const QString typed = selector->currentText();
        selector->setCurrentIndex(shown);
        selector->setEditText(typed);
    }
}
