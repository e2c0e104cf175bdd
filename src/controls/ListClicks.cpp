#include "controls/ListClicks.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QTimer>

void ListClicks::watch(QAbstractItemView* list, Kind kind, std::function<void()> action)
{
    new ListClicks(list, kind, std::move(action));
}

ListClicks::ListClicks(QAbstractItemView* list, Kind kind, std::function<void()> action)
    : QObject(list), m_kind(kind), m_action(std::move(action))
{
    list->viewport()->installEventFilter(this);
}

bool ListClicks::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type wanted = m_kind == Click ? QEvent::MouseButtonRelease : QEvent::MouseButtonDblClick;
    if (event->type() == wanted && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        QTimer::singleShot(0, this, [this] { m_action(); });
    return QObject::eventFilter(watched, event);
}
