#include "controls/EnterKeyFilter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {
const char* const kOwnerProperty = "schoollib_enterKeyFilter";
}

EnterKeyFilter::EnterKeyFilter(QWidget* window)
    : m_window(window)
{
    window->setProperty(kOwnerProperty, true);
    qApp->installEventFilter(this);
}

EnterKeyFilter::~EnterKeyFilter()
{
    if (m_window)
        m_window->setProperty(kOwnerProperty, QVariant());
}

void EnterKeyFilter::onEnter(QWidget* field, std::function<void()> action)
{
    m_fields.push_back({field, std::move(action)});
}

// The nearest window with a filter of its own answers for a widget.
bool EnterKeyFilter::isMine(QWidget* target) const
{
    for (QWidget* w = target; w; w = w->parentWidget()) {
        if (w->property(kOwnerProperty).isValid())
            return w == m_window;
    }
    return false;
}

bool EnterKeyFilter::keepsOwnEnter(QWidget* target) const
{
    if (target->window()->windowType() == Qt::Popup)
        return true;
    for (QWidget* w = target; w && w != m_window; w = w->parentWidget()) {
        if (qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w))
            return true;
        if (w != target && qobject_cast<QAbstractItemView*>(w))
            return true;
    }
    return false;
}

bool EnterKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    auto* target = static_cast<QWidget*>(watched);
    if (!isMine(target) || keepsOwnEnter(target))
        return false;
    for (const Field& field : m_fields) {
        if (field.widget && (field.widget == target || field.widget->isAncestorOf(target))) {
            field.action();
            return true;
        }
    }
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(target, &tab);
    return true;
}
