#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

namespace Ui {
class CAdminSetDlg;
}

// Lists the operators, adds one, deletes one and changes a password. The list never shows
// a password; a click on a row fills both password fields with eight asterisks, which are
// the new password unless the user types over them.
class CAdminSetDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAdminSetDlg(QWidget* parent = nullptr);
    ~CAdminSetDlg() override;

private slots:
    void OnAdd();
    void OnDelete();
    void OnChangePassword();

private:
    void OnInitDialog();
    void FillList();
    void OnClickList();
    void UpdateData(bool saveAndValidate);
    void clearTexts();
    // Empty name, empty or unconfirmed password: says so and returns false.
    bool validate(const QString& noPasswordText);

    Ui::CAdminSetDlg* ui;
    EnterKeyFilter m_enterKeys{this};
    QString m_strUser;
    QString m_strPassword;
    QString m_strConfirm;
};
