#include "controls/EnterKeyFilter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QWidget>

namespace {
const char* const kOwnerProperty = "schoollib_enterKeyFilter";
}

EnterKeyFilter::EnterKeyFilter(QWidget* window, Buttons buttons)
    : m_window(window), m_buttons(buttons)
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

// The nearest widget with a filter of its own answers for a widget, within its own window:
// a message box or dialog opened over this window keeps its own Enter.
bool EnterKeyFilter::isMine(QWidget* target) const
{
    for (QWidget* w = target; w; w = w->parentWidget()) {
        if (w->property(kOwnerProperty).isValid())
            return w == m_window;
        if (w->isWindow())
            return false;
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

// Enter on the tabs of a tab widget answers for the page they show, as Enter in the page's
// first field: a query page runs its search with the text the edit shows.
QWidget* EnterKeyFilter::firstFieldOfShownPage(QWidget* target)
{
    auto* tabs = qobject_cast<QTabWidget*>(target->parentWidget());
    if (!qobject_cast<QTabBar*>(target) || !tabs || !tabs->currentWidget())
        return nullptr;
    QWidget* page = tabs->currentWidget();
    for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && w->isVisibleTo(page) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            return w;
    }
    return nullptr;
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
    if (auto* button = qobject_cast<QPushButton*>(target); button && m_buttons == ButtonsPress) {
        button->click();
        return true;
    }
    for (const Field& field : m_fields) {
        if (field.widget && (field.widget == target || field.widget->isAncestorOf(target))) {
            field.action();
            return true;
        }
    }
    if (QWidget* field = firstFieldOfShownPage(target)) {
        QKeyEvent enter(QEvent::KeyPress, key->key(), key->modifiers());
        QApplication::sendEvent(field, &enter);
        return true;
    }
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(target, &tab);
    return true;
}
