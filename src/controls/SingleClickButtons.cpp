#include "controls/SingleClickButtons.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>

namespace {
const char* const kKeepsDoubleClicks = "schoollib_keepsDoubleClicks";
}

void SingleClickButtons::install()
{
    static QPointer<SingleClickButtons> installed;
    if (installed)
        return;
    installed = new SingleClickButtons(qApp);
    qApp->installEventFilter(installed);
}

void SingleClickButtons::keepDoubleClicks(QAbstractButton* button) { button->setProperty(kKeepsDoubleClicks, true); }

// The second press of a double click reaches a widget as the double click itself; without it
// the release that follows finds the button up and clicks nothing.
bool SingleClickButtons::eventFilter(QObject* watched, QEvent* event)
{
    return event->type() == QEvent::MouseButtonDblClick && qobject_cast<QPushButton*>(watched)
        && !watched->property(kKeepsDoubleClicks).toBool();
}
