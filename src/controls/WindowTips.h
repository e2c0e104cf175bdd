#pragma once

#include <QColor>
#include <QObject>

class QProxyStyle;
class QWidget;

// The tooltips of the entry, search and lending windows: blue text, shown 150 ms after the
// mouse comes to rest, instead of the style's longer wait. Applied once to a window, it holds
// for every control in it, also for those added later.
class WindowTips : public QObject {
    Q_OBJECT
public:
    static constexpr int kWakeUpDelay = 150;
    static QColor textColour() { return QColor(0, 0, 255); }

    static void apply(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowTips(QObject* parent);
    static WindowTips& instance();
    void adopt(QWidget* widget);

    // The delay is a hint of the style that Qt asks of the control under the mouse.
    QProxyStyle* m_style = nullptr;
};
