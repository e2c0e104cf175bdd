#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

// Enter in a window never closes it: in a field with a search it runs that search, anywhere
// else it moves the focus like Tab. Hold one as a member of the window:
//     EnterKeyFilter m_enterKeys{this};
//     m_enterKeys.onEnter(ui->m_editNumber, [this] { OnSearch(); });
// A window that keeps the usual dialog keys on its buttons lets Enter press the push button
// that has the focus; everywhere else Enter still moves on or runs the field's action:
//     EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
// Such a window with a default button presses it on Enter anywhere but on another button:
//     m_enterKeys.onEnter(this, [this] { ui->m_btnQuery->click(); });
// A window inside another (a tab page) with its own filter handles the keys of its own fields;
// Enter on the tabs goes to the first field of the page they show.
// Multi-line text edits, drop-down lists and the editors inside lists keep their own Enter.
class EnterKeyFilter : public QObject {
    Q_OBJECT
public:
    // What Enter does on a push button that has the focus.
    enum Buttons { ButtonsMoveOn, ButtonsPress };

    explicit EnterKeyFilter(QWidget* window, Buttons buttons = ButtonsMoveOn);
    ~EnterKeyFilter() override;

    // Enter in the field (or in a widget inside it, such as an editable combo's edit) runs action.
    void onEnter(QWidget* field, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isMine(QWidget* target) const;
    bool keepsOwnEnter(QWidget* target) const;
    static QWidget* firstFieldOfShownPage(QWidget* target);

    struct Field {
        QPointer<QWidget> widget;
        std::function<void()> action;
    };
    QPointer<QWidget> m_window;
    const Buttons m_buttons;
    std::vector<Field> m_fields;
};
