#pragma once

#include <QObject>

class QTabWidget;

// Gives a window's tab widget the focus rule of a tab control: clicking a tab, or changing
// the page by Ctrl+Tab, puts the focus on the tabs. The focus never moves into the page
// that comes up, so its search edit keeps "(全部)" rather than emptying as it would on
// gaining the focus.
class TabControl : public QObject {
    Q_OBJECT
public:
    // The helper lives as long as the tab widget.
    static void attach(QTabWidget* tabs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TabControl(QTabWidget* tabs);
};
