#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CDbServiceDlg;
}

// Starts or stops the local database service.
class CDbServiceDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDbServiceDlg(QWidget* parent = nullptr);
    ~CDbServiceDlg() override;

private:
    std::unique_ptr<Ui::CDbServiceDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
