#pragma once

#include <QObject>

class QWidget;

// The window system shows of each window only what the window itself was given: its own
// icon or none (never the icon of the window it opens over, which Qt and the window
// manager would lend it), and an empty title bar for an empty title (where X11 would show
// the program's name).
class WindowDecoration : public QObject {
    Q_OBJECT
public:
    // For every window of the program, from now on.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    static void clearTitleBar(QWidget* window);
};
