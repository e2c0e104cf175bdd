#include "exchange/BackupProgressDlg.h"
#include "support/TestSupport.h"

#include <QProgressBar>
#include <QtTest>

class TestBackupProgress : public QObject {
    Q_OBJECT

private slots:
    void closesItselfWithTheBarFull()
    {
        CBackupProgressDlg popup;
        auto* bar = popup.findChild<QProgressBar*>(QStringLiteral("progress"));
        QCOMPARE(popup.exec(), int(QDialog::Rejected));
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(popup.windowOpacity() < 1.0);
    }

    void closeRequestBeforeTheTickFillsTheBar()
    {
        CBackupProgressDlg popup;
        auto* bar = popup.findChild<QProgressBar*>(QStringLiteral("progress"));
        popup.show();
        popup.close();
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(!popup.isVisible());
    }
};

QTEST_MAIN(TestBackupProgress)
#include "test_backupprogress.moc"
