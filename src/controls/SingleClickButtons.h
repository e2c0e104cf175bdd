#pragma once

#include <QObject>

class QAbstractButton;

// Librarians double-click buttons out of habit. A double click on a push button counts as one
// click, so that a button that stores a form (添加, 保存) stores it once, and not once more
// for the form that the first click moved on to. Installed once for the whole program.
class SingleClickButtons : public QObject {
    Q_OBJECT
public:
    static void install();
    // For keys whose every click is an input of its own (a calculator's): both clicks count.
    static void keepDoubleClicks(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
