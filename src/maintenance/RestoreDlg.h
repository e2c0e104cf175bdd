#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

namespace Ui {
class CRestoreDlg;
}

// Puts a backup back in place of the open database, once it is known to be a sound
// database of ours; a copy of what it replaces is kept in the backup folder. Afterwards the
// librarian may restart the database service, which ends the program. The path comes from
// the window's default or 浏览; what is typed into its edit is not read back.
class CRestoreDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRestoreDlg(QWidget* parent = nullptr);
    ~CRestoreDlg() override;

private slots:
    void OnBrowse();
    void OnConfirm();

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CRestoreDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    QString m_strSource;
};
