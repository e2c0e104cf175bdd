#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CReaderTypeDlg;
}

// Keeps the reader types: name, loan period in days and loan limit.
class CReaderTypeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CReaderTypeDlg(QWidget* parent = nullptr);
    ~CReaderTypeDlg() override;

private slots:
    void OnAdd();
    void OnDelete();

private:
    void OnInitDialog();
    void FillList();

    std::unique_ptr<Ui::CReaderTypeDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
};
