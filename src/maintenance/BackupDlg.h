#pragma once

#include "controls/EnterKeyFilter.h"

#include <QDialog>

#include <memory>

class QProgressBar;
namespace Ui {
class CBackupDlg;
}

// Copies the open database to a backup file, by default one a day in the backup folder.
// The path comes from the window's default or 浏览; what is typed into its edit is not
// read back.
class CBackupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBackupDlg(QWidget* parent = nullptr);
    ~CBackupDlg() override;

    // Runs a bar once from empty to one short of full, as the backup and the restore do
    // after a copy.
    static void SweepBar(QProgressBar* bar);

private slots:
    void OnBrowse();
    void OnConfirm();

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CBackupDlg> ui;
    EnterKeyFilter m_enterKeys{this, EnterKeyFilter::ButtonsPress};
    QString m_strTarget;
};
