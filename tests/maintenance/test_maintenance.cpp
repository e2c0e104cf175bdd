#include "ExchangeFixture.h"

#include "db/AppState.h"
#include "maintenance/DatabaseMaintenance.h"
#include "maintenance/InitSystemDlg.h"
#include "maintenance/RepairDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

namespace {
// Books B1..B5 marked in stock, in stock, in stock, lent and reserved; periodicals Q1 and
// Q2 in stock and lent (as a copy its reader lost stays); readers R1 and R2 who claim five
// loans each. None of it has a loan.
void seedLibrary()
{
    const QList<int> bookFlags = {0, 0, 0, 1, 2};
    for (int i = 0; i < bookFlags.size(); ++i) {
        QVERIFY(insertCopy(QStringLiteral("bkinfo"), QStringLiteral("B%1").arg(i + 1), QStringLiteral("书"), 10));
        QVERIFY(run(QStringLiteral("update bkinfo set 是否借出=? where 图书编号=?"),
                    {bookFlags[i], QStringLiteral("B%1").arg(i + 1)}));
    }
    QVERIFY(insertCopy(QStringLiteral("qikaninfo"), QStringLiteral("Q1"), QStringLiteral("刊"), 5));
    QVERIFY(insertCopy(QStringLiteral("qikaninfo"), QStringLiteral("Q2"), QStringLiteral("刊"), 5));
    QVERIFY(run(QStringLiteral("update qikaninfo set 是否借出=-1 where 期刊编号='Q2'")));
    for (const char* reader : {"R1", "R2"}) {
        QVERIFY(insertReader(QString::fromLatin1(reader)));
        QVERIFY(run(QStringLiteral("update readerinfo set 未还书数=5")));
    }
    QVERIFY(run(QStringLiteral("insert into jieyuelishiinfo (图书编号, 操作性质, 操作时间) values ('B1', '图书借阅', "
                               "'2017-01-01')")));
    QVERIFY(run(QStringLiteral("insert into qkjieyuelishiinfo (期刊编号, 操作性质, 操作时间) values ('Q1', "
                               "'图书借阅', '2017-01-01')")));
}

// Loans written as "B:book:reader" or "Q:periodical:reader"; marking their copies lent
// as lending does, or leaving the marks as they are.
void addLoans(const QStringList& loans, bool markLent = false)
{
    for (const QString& loan : loans) {
        const QStringList part = loan.split(QLatin1Char(':'));
        const bool book = part[0] == QLatin1String("B");
        QVERIFY(insertLoan(book ? QStringLiteral("jieyueinfo") : QStringLiteral("qkjieyueinfo"), part[1], part[2]));
        if (markLent)
            QVERIFY(run(book ? QStringLiteral("update bkinfo set 是否借出=1 where 图书编号=?")
                             : QStringLiteral("update qikaninfo set 是否借出=-1 where 期刊编号=?"),
                        {part[1]}));
    }
}

// "B1=1 B2=0 ... Q1=0 Q2=-1 | R1=3 R2=0".
QString marks()
{
    QStringList copies, readers;
    for (const QString& row : tableRows(QStringLiteral("bkinfo")) + tableRows(QStringLiteral("qikaninfo"))) {
        const QStringList f = row.split(QLatin1Char('|'));
        copies << f[2] + QLatin1Char('=') + f[16];
    }
    for (const QString& row : tableRows(QStringLiteral("readerinfo"))) {
        const QStringList f = row.split(QLatin1Char('|'));
        readers << f[0] + QLatin1Char('=') + f[7];
    }
    return copies.join(QLatin1Char(' ')) + QStringLiteral(" | ") + readers.join(QLatin1Char(' '));
}

QCheckBox* box(QWidget& window, const QString& table)
{
    return window.findChild<QCheckBox*>(QStringLiteral("check_") + table);
}
}

class TestMaintenance : public QObject {
    Q_OBJECT

private slots:
    // The copies follow the book loans, the readers' counts both kinds of loan; the bar
    // runs over the loans, then over the readers who have one.
    void repairFollowsTheLoans_data()
    {
        QTest::addColumn<QStringList>("loans");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QList<int>>("ranges");  // the book loans, the readers with loans
        QTest::newRow("three loans") << QStringList{"B:B1:R1", "B:B2:R1", "B:B3:R1"}
                                     << "B1=1 B2=1 B3=1 B4=0 B5=0 Q1=0 Q2=-1 | R1=3 R2=0" << QList<int>{3, 1};
        QTest::newRow("no loans at all") << QStringList{} << "B1=0 B2=0 B3=0 B4=0 B5=0 Q1=0 Q2=-1 | R1=0 R2=0"
                                         << QList<int>{0, 0};
        QTest::newRow("periodical loans") << QStringList{"B:B1:R1", "Q:Q1:R1", "Q:Q2:R2"}
                                          << "B1=1 B2=0 B3=0 B4=0 B5=0 Q1=0 Q2=-1 | R1=2 R2=1" << QList<int>{1, 2};
        QTest::newRow("duplicate and unknown numbers") << QStringList{"B:B1:R1", "B:B1:R2", "B:X9:R1"}
                                                       << "B1=1 B2=0 B3=0 B4=0 B5=0 Q1=0 Q2=-1 | R1=2 R2=1"
                                                       << QList<int>{3, 2};
    }

    void repairFollowsTheLoans()
    {
        QFETCH(QStringList, loans);
        QFETCH(QString, after);
        QFETCH(QList<int>, ranges);
        Workplace work;
        seedLibrary();
        addLoans(loans);
        const QStringList loanRows = tableRows(QStringLiteral("jieyueinfo")) + tableRows(QStringLiteral("qkjieyueinfo"));
        CRepairDlg window;
        window.findChild<QPushButton*>(QStringLiteral("m_btnOK"))->click();
        QCOMPARE(work.seams.prompter.texts(), QStringList{QStringLiteral("修复完毕！")});
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("m_staticStatus"))->text(),
                 QStringLiteral("正在修复读者信息库......"));
        auto* bar = window.findChild<QProgressBar*>(QStringLiteral("m_progress"));
        QCOMPARE(bar->maximum(), std::max(ranges.last(), 1));
        QCOMPARE(bar->value(), ranges.last());
        QCOMPARE(marks(), after);
        // Each stage is told over its rows, one step a row.
        QList<QList<int>> told;
        QVERIFY(!DatabaseMaintenance(theApp().m_ado).Repair([&told](DatabaseMaintenance::Stage stage, int done, int total) {
            told << QList<int>{int(stage), done, total};
        }));
        QList<QList<int>> expected;
        for (int stage = 0; stage < 2; ++stage)
            for (int done = 0; done <= ranges[stage]; ++done)
                expected << QList<int>{stage, done, ranges[stage]};
        QCOMPARE(told, expected);
        QCOMPARE(marks(), after);
        QCOMPARE(tableRows(QStringLiteral("jieyueinfo")) + tableRows(QStringLiteral("qkjieyueinfo")), loanRows);
    }

    void failedRepairChangesNothing()
    {
        Workplace work;
        seedLibrary();
        addLoans({QStringLiteral("B:B1:R1")});
        QVERIFY(run(QStringLiteral("create trigger refuse before update of 未还书数 on readerinfo "
                                   "begin select raise(abort, '读者表只读'); end")));
        const QStringList before = databaseSnapshot();
        CRepairDlg window;
        window.findChild<QPushButton*>(QStringLiteral("m_btnOK"))->click();
        QCOMPARE(work.seams.prompter.messages.size(), 1);
        QVERIFY(work.seams.prompter.lastText().startsWith(QStringLiteral("修复失败！")));
        QVERIFY(work.seams.prompter.lastText().contains(QStringLiteral("读者表只读")));
        QCOMPARE(databaseSnapshot(), before);
    }

    // The boxes ticked empty their tables and no others. A loan table emptied puts the
    // copies it held back in stock and recounts the readers; a periodical its reader lost
    // stays marked lent.
    void initialisationEmptiesTheTicked_data()
    {
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<QString>("after");
        QTest::newRow("history only") << QStringList{"jieyuelishiinfo", "qkjieyuelishiinfo"}
                                      << "B1=1 B2=0 B3=0 B4=1 B5=2 Q1=-1 Q2=-1 | R1=5 R2=5";
        QTest::newRow("books") << QStringList{"bkinfo"} << "Q1=-1 Q2=-1 | R1=5 R2=5";
        QTest::newRow("periodicals") << QStringList{"qikaninfo"} << "B1=1 B2=0 B3=0 B4=1 B5=2 | R1=5 R2=5";
        QTest::newRow("readers") << QStringList{"readerinfo"} << "B1=1 B2=0 B3=0 B4=1 B5=2 Q1=-1 Q2=-1 | ";
        QTest::newRow("book loans") << QStringList{"jieyueinfo"} << "B1=0 B2=0 B3=0 B4=0 B5=2 Q1=-1 Q2=-1 | R1=1 R2=0";
        QTest::newRow("periodical loans") << QStringList{"qkjieyueinfo"}
                                          << "B1=1 B2=0 B3=0 B4=1 B5=2 Q1=0 Q2=-1 | R1=1 R2=0";
    }

    void initialisationEmptiesTheTicked()
    {
        QFETCH(QStringList, ticked);
        QFETCH(QString, after);
        Workplace work;
        seedLibrary();
        addLoans({QStringLiteral("B:B1:R1"), QStringLiteral("Q:Q1:R1")}, true);
        QStringList tables;
        for (const InitItem& item : DatabaseMaintenance::initItems())
            tables << item.table;
        QMap<QString, QStringList> before;
        for (const QString& table : tables)
            before[table] = tableRows(table);

        CInitSystemDlg window;
        QVERIFY(!box(window, QStringLiteral("tushuleixing"))->isEnabled());
        QVERIFY(!box(window, QStringLiteral("chubansheinfo"))->isEnabled());
        for (const QString& table : ticked)
            box(window, table)->click();
        window.findChild<QPushButton*>(QStringLiteral("m_btnConfirm"))->click();
        QCOMPARE(work.seams.prompter.messages[0].text, QStringLiteral("初始化将数据彻底清除，确定吗？"));
        QCOMPARE(work.seams.prompter.messages[0].caption, QStringLiteral("警告！"));
        QCOMPARE(work.seams.prompter.messages[0].defaultButton, QMessageBox::NoButton);
        // The window closes on its own: no message follows.
        QCOMPARE(work.seams.prompter.messages.size(), 1);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        for (const QString& table : tables) {
            if (ticked.contains(table))
                QVERIFY2(tableRows(table).isEmpty(), qPrintable(table));
            else if (table != QLatin1String("bkinfo") && table != QLatin1String("qikaninfo")
                     && table != QLatin1String("readerinfo"))
                QCOMPARE(tableRows(table), before[table]);
        }
        QCOMPARE(marks(), after);
    }

    void initialisationCancelledOrFailedChangesNothing_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("cancelled") << false;
        QTest::newRow("failed") << true;
    }

    void initialisationCancelledOrFailedChangesNothing()
    {
        QFETCH(bool, confirm);
        Workplace work;
        seedLibrary();
        addLoans({QStringLiteral("B:B1:R1")});
        QVERIFY(run(QStringLiteral("create trigger refuse before delete on bkinfo "
                                   "begin select raise(abort, '图书表只读'); end")));
        const QStringList before = databaseSnapshot();
        CInitSystemDlg window;
        box(window, QStringLiteral("bkinfo"))->click();
        work.seams.prompter.answers.enqueue(confirm ? QMessageBox::Ok : QMessageBox::Cancel);
        window.findChild<QPushButton*>(QStringLiteral("m_btnConfirm"))->click();
        QCOMPARE(work.seams.prompter.messages.size(), confirm ? 2 : 1);
        if (confirm)
            QVERIFY(work.seams.prompter.lastText().startsWith(QStringLiteral("初始化失败！")));
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QCOMPARE(databaseSnapshot(), before);
        QVERIFY(box(window, QStringLiteral("bkinfo"))->isChecked());
    }

    // Nothing ticked: confirmed, the window empties nothing and closes without a word.
    void nothingTickedEmptiesNothing()
    {
        Workplace work;
        seedLibrary();
        addLoans({QStringLiteral("B:B1:R1"), QStringLiteral("Q:Q1:R1")}, true);
        const QStringList before = databaseSnapshot();
        CInitSystemDlg window;
        window.findChild<QPushButton*>(QStringLiteral("m_btnConfirm"))->click();
        QCOMPARE(work.seams.prompter.texts(), QStringList{QStringLiteral("初始化将数据彻底清除，确定吗？")});
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(databaseSnapshot(), before);
    }

    // Ticking a box ticks, holds or frees no other.
    void boxesAreIndependent()
    {
        Workplace work;
        CInitSystemDlg window;
        box(window, QStringLiteral("bkinfo"))->click();
        box(window, QStringLiteral("readerinfo"))->click();
        box(window, QStringLiteral("qikaninfo"))->click();
        for (const InitItem& item : DatabaseMaintenance::initItems()) {
            const bool ticked = item.table == QLatin1String("bkinfo") || item.table == QLatin1String("readerinfo")
                || item.table == QLatin1String("qikaninfo");
            QCOMPARE(box(window, item.table)->isChecked(), ticked);
            QCOMPARE(box(window, item.table)->isEnabled(), item.offered);
        }
    }
};

QTEST_MAIN(TestMaintenance)
#include "test_maintenance.moc"
