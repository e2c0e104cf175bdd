#pragma once

#include <QObject>

#include <functional>

class QAbstractItemView;

// Runs an action after a click or a double click anywhere in a list, on a row or on its
// empty part, once the list has updated its selection.
class ListClicks : public QObject {
    Q_OBJECT
public:
    enum Kind { Click, DoubleClick };

    // The watcher lives as long as the list.
    static void watch(QAbstractItemView* list, Kind kind, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ListClicks(QAbstractItemView* list, Kind kind, std::function<void()> action);

    Kind m_kind;
    std::function<void()> m_action;
};
