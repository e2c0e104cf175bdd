#include "controls/WindowTips.h"

#include <QApplication>
#include <QChildEvent>
#include <QLabel>
#include <QProxyStyle>

namespace {
class TipDelayStyle : public QProxyStyle {
public:
    TipDelayStyle() : QProxyStyle(QApplication::style()->name()) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return WindowTips::kWakeUpDelay;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Qt shows a tip as a label of the tooltip window type, a child of the control it explains.
bool isTipLabel(const QObject* object)
{
    const auto* label = qobject_cast<const QLabel*>(object);
    return label && label->windowType() == Qt::ToolTip;
}
}

WindowTips::WindowTips(QObject* parent) : QObject(parent), m_style(new TipDelayStyle)
{
    m_style->setParent(this);
}

WindowTips& WindowTips::instance()
{
    static auto* tips = new WindowTips(qApp);
    return *tips;
}

void WindowTips::apply(QWidget* window) { instance().adopt(window); }

// The windows opened over this one (message boxes, chosen files) keep their own style: a
// message box lays itself out anew when its style changes, losing its room for the caption.
void WindowTips::adopt(QWidget* widget)
{
    QList<QWidget*> widgets = widget->findChildren<QWidget*>();
    widgets.prepend(widget);
    for (QWidget* each : widgets) {
        if (isTipLabel(each) || each->style() == m_style || (each != widget && each->window() != widget->window()))
            continue;
        each->setStyle(m_style);
        each->installEventFilter(this);
    }
}

bool WindowTips::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ChildPolished)
        return QObject::eventFilter(watched, event);
    QObject* child = static_cast<QChildEvent*>(event)->child();
    if (isTipLabel(child)) {
        auto* label = static_cast<QLabel*>(child);
        QPalette palette = label->palette();
        palette.setColor(QPalette::ToolTipText, textColour());
        label->setPalette(palette);
    } else if (child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow()) {
        adopt(static_cast<QWidget*>(child));
    }
    return QObject::eventFilter(watched, event);
}
