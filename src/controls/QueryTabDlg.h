#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class CQueryTabDlg;
}
class QIcon;

// A query window: its pages on the tabs of one tab widget, the first shown when it opens,
// each keeping its list and result while another is shown. Enter never ends it; on a button
// of a page without keys of its own it moves on or presses that button, as the window says.
// A window may set a rule that refuses to close it, asked for every way out (title bar, Escape).
class CQueryTabDlg : public QDialog {
    Q_OBJECT
public:
    CQueryTabDlg(const QString& title, const QIcon& icon, EnterKeyFilter::Buttons buttons, QWidget* parent = nullptr);
    ~CQueryTabDlg() override;

    // The page goes on a new tab after the others; the window owns it.
    void AddPage(QWidget* page, const QString& tabText);
    // Asked before the window closes; false keeps it open (the rule says why).
    void SetCloseCheck(std::function<bool()> mayClose);

    void reject() override;

private:
    std::unique_ptr<Ui::CQueryTabDlg> ui;
    EnterKeyFilter m_enterKeys;
    std::function<bool()> m_mayClose;
};
