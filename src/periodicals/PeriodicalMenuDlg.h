#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CPeriodicalMenuDlg;
}

// "期刊菜单": a small window of buttons that open the periodical windows (entry, lending,
// cancel, query). No command of the main window opens it.
class CPeriodicalMenuDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPeriodicalMenuDlg(QWidget* parent = nullptr);
    ~CPeriodicalMenuDlg() override;

private:
    template <typename Window> void Run();

    std::unique_ptr<Ui::CPeriodicalMenuDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
