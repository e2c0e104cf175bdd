#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CDbEngineDlg;
}

// Starts or stops the local database service, tests a server address and keeps it in
// setup.ini [Server] id.
class CDbEngineDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDbEngineDlg(QWidget* parent = nullptr);
    ~CDbEngineDlg() override;

private slots:
    void OnTestConnect();
    void OnConnect();

private:
    std::unique_ptr<Ui::CDbEngineDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
