#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CReaderCancelDlg;
}

// Removes readers from the register; readers with items on loan stay and are counted.
class CReaderCancelDlg : public QDialog {
    Q_OBJECT
public:
    explicit CReaderCancelDlg(QWidget* parent = nullptr);
    ~CReaderCancelDlg() override;

private slots:
    void OnFind();
    void OnClickReaderList();
    void OnCancelReaders();
    void OnSelectAll();
    void OnClearAll();

private:
    void OnInitDialog();
    void ShowFirstMatch(const QString& filter);
    void FillReaderList(const QString& filter);

    std::unique_ptr<Ui::CReaderCancelDlg> ui;
    EnterKeyFilter m_enterKeys{this};
};
