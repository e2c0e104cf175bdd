#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CDbServiceRunDlg;
}

// Starts or stops the local database service.
class CDbServiceRunDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDbServiceRunDlg(QWidget* parent = nullptr);
    ~CDbServiceRunDlg() override;

private:
    std::unique_ptr<Ui::CDbServiceRunDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
