#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CBookLabelStubDlg;
}

// A second, larger "打印书标" form holding the spine label window's search controls, which
// no command opens and which does nothing of its own: its start and its mouse handling are
// those of any dialog. The working window is CBookLabelPrintDlg.
class CBookLabelStubDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBookLabelStubDlg(QWidget* parent = nullptr);
    ~CBookLabelStubDlg() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CBookLabelStubDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
