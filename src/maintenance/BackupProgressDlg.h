#pragma once

#include <QDialog>

class QProgressBar;

// The small translucent popup after the exit backup: its bar runs once and it closes itself.
class CBackupProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBackupProgressDlg(QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void OnTimer();

private:
    QProgressBar* m_progress;
    bool m_timerStarted = false;
};
