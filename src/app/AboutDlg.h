#pragma once

#include <QDialog>
#include <QTimer>

class QAction;

namespace Ui {
class CAboutDlg;
}

// What this program is, with a link to its help page. It also carries a counter that
// writes a running number into the main window's caption each second; no control of the
// window starts it, only its two commands do.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    // How often the counter writes (a second unless a test wants it quicker).
    void SetCounterInterval(int milliseconds);

public slots:
    void done(int result) override;
    // Command 1014: stops a running counter, starts a new one and enables command 1016.
    void OnStartCounter();
    // Command 1016.
    void OnStopCounter();

private:
    void OnInitDialog();
    void WriteCount();

    Ui::CAboutDlg* ui;
    QAction* m_actStartCounter = nullptr;
    QAction* m_actStopCounter = nullptr;
    // A timer of the window thread, not a worker: stopping it never waits for anything.
    QTimer m_counter;
};
