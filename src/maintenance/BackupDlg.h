#pragma once

#include "db/DatabaseBackup.h"

#include <QDialog>

#include <memory>

class QProgressBar;
namespace Ui {
class CBackupDlg;
}

// Copies the open database to a backup file, by default one a day in the backup folder.
class CBackupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBackupDlg(QWidget* parent = nullptr);
    ~CBackupDlg() override;

    // Shows a copy's progress on a bar (range 0 to 1000), painting it at once.
    static CopyProgress ProgressOn(QProgressBar* bar);

private slots:
    void OnBrowse();
    void OnConfirm();

private:
    void OnInitDialog();

    std::unique_ptr<Ui::CBackupDlg> ui;
    QString m_strTarget;
};
