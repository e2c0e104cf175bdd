#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

namespace Ui {
class CNoticeBoardDlg;
}

// Lists the notices, adds one under a new title and deletes one. A double click loads a
// notice into the fields; changing it means deleting it and adding it anew. Enter presses the
// button that has the focus and starts a new line in the text; elsewhere it moves on, so that
// it never closes the window over unsaved typing.
class CNoticeBoardDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNoticeBoardDlg(QWidget* parent = nullptr);
    ~CNoticeBoardDlg() override;

private slots:
    void OnAdd();
    void OnDelete();

private:
    void OnInitDialog();
    void FillList();
    void OnDblclkList();
    void UpdateData(bool saveAndValidate);
    void clearTexts();

    Ui::CNoticeBoardDlg* ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    QString m_strTitle;
    QString m_strContent;
};
