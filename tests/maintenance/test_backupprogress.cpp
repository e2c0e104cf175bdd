#include "maintenance/BackupProgressDlg.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QtTest>

class TestBackupProgress : public QObject {
    Q_OBJECT

private slots:
    // Built long before it is shown, it still runs its bar only once it is on the screen,
    // then closes itself, fading, with the bar full.
    void tickCountsFromShowing()
    {
        CBackupProgressDlg popup;
        auto* bar = popup.findChild<QProgressBar*>(QStringLiteral("progress"));
        QTest::qWait(300);
        QVERIFY(bar->value() < bar->maximum());
        QElapsedTimer shown;
        shown.start();
        QCOMPARE(popup.exec(), int(QDialog::Rejected));
        QVERIFY(shown.elapsed() >= 90);
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
