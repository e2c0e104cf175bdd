#include "PeriodicalFixture.h"

#include "controls/ReportListCtrl.h"
#include "db/AppState.h"
#include "periodicals/PeriodicalLendDlg.h"

#include <QLineEdit>
#include <QtTest>

#include <memory>

namespace {
CReportListCtrl* toLend(QWidget& w) { return child<CReportListCtrl>(&w, "m_listToLend"); }
CReportListCtrl* loans(QWidget& w) { return child<CReportListCtrl>(&w, "m_listLoans"); }

// The window with the reader shown and the search made.
void prepare(QWidget& w, const QString& reader, const QString& search)
{
    scan(w, "m_edtReaderCard", reader);
    scan(w, "m_edtSearch", search);
}

void lendRow(QWidget& w, int row)
{
    toLend(w)->clearSelection();
    toLend(w)->SetSelected(row, true);
    press(w, "m_btnLend");
}

void returnRow(QWidget& w, int row)
{
    loans(w)->clearSelection();
    loans(w)->SetSelected(row, true);
    press(w, "m_btnReturn");
}
}

class TestPeriodicalLend : public QObject {
    Q_OBJECT

    std::unique_ptr<Workplace> m_work;
    QStringList messages() const { return m_work->seams.prompter.texts(); }

private slots:
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
    }
    void cleanup() { m_work.reset(); }

    // Books and periodicals count against one limit, by the loans themselves, whatever the
    // stored count says.
    void limits_data()
    {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("books");
        QTest::addColumn<int>("periodicals");
        QTest::addColumn<bool>("lends");
        QTest::newRow("empty limit") << "" << 0 << 0 << false;
        QTest::newRow("limit 0") << "0" << 0 << 0 << false;
        QTest::newRow("at the limit, a book and a periodical out") << "2" << 1 << 1 << false;
        QTest::newRow("below the limit, a book out") << "2" << 1 << 0 << true;
    }
    void limits()
    {
        QFETCH(QString, limit);
        QFETCH(int, books);
        QFETCH(int, periodicals);
        QFETCH(bool, lends);
        insertReader("R1", "张三", limit);
        for (int i = 0; i < books; ++i)
            insertLoanRow(QString("B%1").arg(i), "R1");
        for (int i = 0; i < periodicals; ++i)
            insertLoanRow(QString("OLD%1").arg(i), "R1", "qkjieyueinfo");
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=0"));
        insertPeriodical("KA1", "读者");
        CPeriodicalLendDlg w;
        prepare(w, "R1", "KA1");
        lendRow(w, 0);
        QCOMPARE(messages(), lends ? QStringList() : QStringList{"对不起！您的借阅数量受限！\n"});
        QCOMPARE(cell("select 是否借出 from qikaninfo"), lends ? "-1" : "0");
        QCOMPARE(cell("select 未还书数 from readerinfo"), QString::number(lends ? books + periodicals + 1 : 0));
        QCOMPARE(lineEdit(w, "m_edtLentCount")->text(), QString::number(books + periodicals + (lends ? 1 : 0)));
    }

    // The loan row as written, the date-only history row with the book words, the flag.
    void lendWrites_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("stored");
        QTest::newRow("30 days, price cut") << QDate(2017, 4, 11) << "30" << "2017-05-11" << "12.80" << "12";
        QTest::newRow("no period: the same day") << QDate(2017, 4, 11) << "" << "2017-04-11" << "8" << "8";
        QTest::newRow("across February") << QDate(2017, 1, 30) << "30" << "2017-03-01" << "" << "0";
    }
    void lendWrites()
    {
        QFETCH(QDate, today);
        QFETCH(QString, days);
        QFETCH(QString, due);
        QFETCH(QString, price);
        QFETCH(QString, stored);
        m_work->seams.clock.set(QDateTime(today, QTime(23, 59)));
        insertReader("R1", "张三", "5", days, "教师");
        insertPeriodical("KA1", "读者", price);
        CPeriodicalLendDlg w;
        prepare(w, "R1", "读者");
        QCOMPARE(listColumn(toLend(w), 4), QStringList{"未借"});
        lendRow(w, 0);
        const QString date = today.toString("yyyy-MM-dd");
        QVERIFY(messages().isEmpty());
        QCOMPARE(tableRows("qkjieyueinfo"),
                 QStringList{QString("1|KA1|读者||R1|张三|教师|%1|%2|%3|超级用户").arg(date, due, stored)});
        QCOMPARE(cell("select typeof(图书价格) from qkjieyueinfo"), "integer");
        QCOMPARE(tableRows("qkjieyuelishiinfo"), QStringList{QString("KA1|读者|R1|张三|教师|图书借阅|%1|超级用户").arg(date)});
        QCOMPARE(cell("select 是否借出 from qikaninfo"), "-1");
        QCOMPARE(toLend(w)->GetItemCount(), 0);
        QCOMPARE(listColumn(loans(w), 5), QStringList{due});
        QCOMPARE(lineEdit(w, "m_edtLentCount")->text(), "1");
    }

    void lentCopyRefused()
    {
        insertReader("R1", "张三", "5");
        insertPeriodical("KA1", "读者", "12.80", -1);
        const QStringList before = periodicalSnapshot();
        CPeriodicalLendDlg w;
        prepare(w, "R1", "KA1");
        QCOMPARE(listColumn(toLend(w), 4), QStringList{"已借"});
        lendRow(w, 0);
        QCOMPARE(messages(), QStringList{"图书不在库!\n"});
        QCOMPARE(periodicalSnapshot(), before);
    }

    // Both windows listed the copy in stock; the second lend finds it gone.
    void twoWindowsLendOneCopy()
    {
        insertReader("R1", "张三", "5");
        insertReader("R2", "李四", "5");
        insertPeriodical("KA1", "读者");
        CPeriodicalLendDlg first;
        CPeriodicalLendDlg second;
        prepare(first, "R1", "KA1");
        prepare(second, "R2", "KA1");
        lendRow(first, 0);
        lendRow(second, 0);
        QCOMPARE(messages(), QStringList{"图书不在库!\n"});
        QCOMPARE(tableRows("qkjieyueinfo").size(), 1);
        QCOMPARE(tableRows("qkjieyuelishiinfo").size(), 1);
        QCOMPARE(cell("select 读者编号 from qkjieyueinfo"), "R1");
        QCOMPARE(cell("select 未还书数 from readerinfo where 编号='R2'"), "");
        QCOMPARE(listColumn(toLend(second), 0), QStringList{"KA1"});
    }

    // A return recounts whatever the column held, writes the return and shows the copy
    // again at the end of the list, whatever search the list holds.
    void returnRecountsAndRelists()
    {
        insertReader("R1", "张三", "5");
        insertPeriodical("KA1", "读者");
        insertPeriodical("KA2", "读者文摘");
        insertPeriodical("KA3", "故事会");
        insertLoanRow("B1", "R1");
        CPeriodicalLendDlg w;
        prepare(w, "R1", "读者");
        lendRow(w, 0);
        lendRow(w, 0);
        QCOMPARE(lineEdit(w, "m_edtLentCount")->text(), "3");
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=9"));
        scan(w, "m_edtSearch", "故事会");
        // The history row names the reader shown, not the name the loan row kept.
        QVERIFY(theApp().m_ado.ExecuteSql("update qkjieyueinfo set 读者姓名='别人', 读者类别='教师'"));
        returnRow(w, 0);
        QVERIFY(messages().isEmpty());
        QCOMPARE(listColumn(toLend(w), 0), (QStringList{"KA3", "KA1"}));
        QCOMPARE(listColumn(toLend(w), 4), (QStringList{"未借", "未借"}));
        QCOMPARE(listColumn(loans(w), 0), QStringList{"KA2"});
        QCOMPARE(cell("select 未还书数 from readerinfo"), "2");
        QCOMPARE(lineEdit(w, "m_edtLentCount")->text(), "2");
        QCOMPARE(tableRows("qkjieyuelishiinfo").last(), "KA1|读者|R1|张三|学生|图书归还|2017-04-11|超级用户");
        QCOMPARE(cell("select 是否借出 from qikaninfo where 期刊编号='KA1'"), "0");
    }

    void returnOfALoanGone()
    {
        insertReader("R1", "张三", "5");
        insertPeriodical("KA1", "读者");
        CPeriodicalLendDlg w;
        prepare(w, "R1", "KA1");
        lendRow(w, 0);
        QVERIFY(theApp().m_ado.ExecuteSql("delete from qkjieyueinfo"));
        const QStringList before = periodicalSnapshot();
        returnRow(w, 0);
        QCOMPARE(messages(), QStringList{"无此记录！"});
        QCOMPARE(periodicalSnapshot(), before);
        QCOMPARE(loans(w)->GetItemCount(), 0);
    }

    void failedWriteChangesNothing_data()
    {
        QTest::addColumn<bool>("returning");
        QTest::addColumn<QString>("trigger");
        for (bool returning : {false, true}) {
            const char* step = returning ? "return" : "lend";
            for (const char* trigger : {"insert on qkjieyueinfo", "delete on qkjieyueinfo",
                                        "insert on qkjieyuelishiinfo", "update on readerinfo", "update on qikaninfo"}) {
                if ((returning && QByteArray(trigger).startsWith("insert on qkj")) ||
                    (!returning && QByteArray(trigger).startsWith("delete")))
                    continue;
                QTest::addRow("%s: %s", step, trigger) << returning << QString(trigger);
            }
        }
    }
    void failedWriteChangesNothing()
    {
        QFETCH(bool, returning);
        QFETCH(QString, trigger);
        insertReader("R1", "张三", "5");
        insertPeriodical("KA1", "读者");
        CPeriodicalLendDlg w;
        prepare(w, "R1", "KA1");
        if (returning)
            lendRow(w, 0);
        failOn("before " + trigger);
        const QStringList before = periodicalSnapshot();
        returning ? returnRow(w, 0) : lendRow(w, 0);
        QCOMPARE(messages(), QStringList{"操作失败"});
        QCOMPARE(periodicalSnapshot(), before);
        QCOMPARE(theApp().m_ado.TransDepth(), 0);
    }

    // The reader shown was deleted meanwhile: the lend fails and writes nothing.
    void lendToAReaderGone()
    {
        insertReader("R1", "张三", "5");
        insertPeriodical("KA1", "读者");
        CPeriodicalLendDlg w;
        prepare(w, "R1", "KA1");
        QVERIFY(theApp().m_ado.ExecuteSql("delete from readerinfo"));
        const QStringList before = periodicalSnapshot();
        lendRow(w, 0);
        QCOMPARE(messages(), QStringList{"操作失败"});
        QCOMPARE(periodicalSnapshot(), before);
    }

    // Every reader field shows its whole value, its first character too, at the window's
    // own size and at the smallest the window can be made.
    void readerFieldsShowWholeValues_data() { addWindowSizes(); }
    void readerFieldsShowWholeValues()
    {
        QFETCH(QSize, size);
        insertLongReader();
        CPeriodicalLendDlg w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        scan(w, "m_edtReaderCard", "2024000000001");
        const QStringList cut = readerFieldsCut(w, w, "m_edt", size);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    }

    void messagesOfTheWindow()
    {
        insertReader("R1", "张三", "5");
        CPeriodicalLendDlg w;
        scan(w, "m_edtReaderCard", "");
        scan(w, "m_edtSearch", "");
        press(w, "m_btnLend");
        scan(w, "m_edtReaderCard", "王五");
        QCOMPARE(lineEdit(w, "m_edtReaderNo")->text(), "");
        scan(w, "m_edtReaderCard", "张");
        QCOMPARE(lineEdit(w, "m_edtReaderNo")->text(), "R1");
        QCOMPARE(lineEdit(w, "m_edtReaderCard")->text(), "");
        press(w, "m_btnLend");
        press(w, "m_btnReturn");
        QCOMPARE(messages(), (QStringList{"请输入用查询信息！", "请输入查询信息！", "没有读者信息!\n", "查无此人！",
                                          "没有选定书目!\n", "没有选定书目!\n"}));
    }
};

QTEST_MAIN(TestPeriodicalLend)
#include "test_periodicallend.moc"
