#pragma once

#include "controls/EnterKeyFilter.h"
#include "controls/PageDialog.h"

#include <memory>

namespace Ui {
class CUploadSetPage;
}

// This library's unit name, the remote server's address and the upload choice, kept in
// setup.ini, and a test of the connection to the remote server. A page of the upload
// window, or a window of its own.
class CUploadSetPage : public CPageDialog {
    Q_OBJECT
public:
    explicit CUploadSetPage(QWidget* parent = nullptr);
    ~CUploadSetPage() override;

private slots:
    void OnOK();
    void OnTestConnect();

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CUploadSetPage> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
