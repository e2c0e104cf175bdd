#include "controls/WindowDecoration.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {
bool hasTitleBar(const QWidget* window)
{
    const Qt::WindowType kind = window->windowType();
    return kind == Qt::Window || kind == Qt::Dialog || kind == Qt::Tool;
}

QIcon blankIcon()
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, qstrlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}
}

void WindowDecoration::install() { qApp->installEventFilter(new WindowDecoration(qApp)); }

bool WindowDecoration::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::WindowTitleChange) || !watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || !hasTitleBar(window))
        return false;
    // An icon set on a window is lent to the windows opened over it, and window managers
    // draw the owner's icon for a window without one; a blank icon shows none.
    if (type == QEvent::Show && !window->testAttribute(Qt::WA_SetWindowIcon))
        window->setWindowIcon(blankIcon());
    if (window->windowTitle().isEmpty())
        clearTitleBar(window);
    return false;
}

// Qt names a window without title after the program; the title bar reads what the window's
// X properties say, so they are emptied after Qt has written them.
void WindowDecoration::clearTitleBar(QWidget* window)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window->windowHandle())
        return;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    xcb_connection_t* connection = x11->connection();
    static const xcb_atom_t netName = internAtom(connection, "_NET_WM_NAME");
    static const xcb_atom_t utf8 = internAtom(connection, "UTF8_STRING");
    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netName, utf8, 8, 0, nullptr);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
}
