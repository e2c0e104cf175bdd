#include "controls/TabControl.h"

#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>

TabControl::TabControl(QTabWidget* tabs)
    : QObject(tabs)
{
    tabs->tabBar()->setFocusPolicy(Qt::StrongFocus);
    tabs->installEventFilter(this);
}

void TabControl::attach(QTabWidget* tabs) { new TabControl(tabs); }

bool TabControl::eventFilter(QObject* watched, QEvent* event)
{
    // Ctrl+Tab reaches the tab widget from inside the page it leaves; the tabs take the focus
    // before the page changes, as a click on a tab gives it to them.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && key->modifiers().testFlag(Qt::ControlModifier))
            static_cast<QTabWidget*>(watched)->tabBar()->setFocus(Qt::TabFocusReason);
    }
    return QObject::eventFilter(watched, event);
}
