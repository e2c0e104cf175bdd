#include "circulation/LendHistoryPage.h"
#include "circulation/LendQueryDlg.h"
#include "circulation/LendRecordPage.h"
#include "circulation/LendSummaryPage.h"
#include "circulation/OverduePage.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"
#include "sheets/ExcelFile.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest>

namespace {

const QStringList kLoanFields{"图书编号", "书名", "条形码", "读者编号", "读者姓名", "读者类别",
                              "借书日期", "应还时间", "图书价格", "操作员", "部门"};

void addLoan(const QString& book, const QString& title, const QString& reader, const QString& name,
             const QString& due = QStringLiteral("2017-05-01"), const QString& lent = QStringLiteral("2017-04-01"))
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into jieyueinfo (图书编号, 书名, 条形码, 读者编号, 读者姓名, 读者类别, 借书日期, 应还时间, "
                       "图书价格, 操作员, 部门) values (?, ?, ?, ?, ?, '学生', ?, ?, 25, '超级用户', '一班')"),
        {book, title, book == "B1" ? QStringLiteral("9787020002207") : QString(), reader, name, lent, due}));
}

void addHistory(const QString& book, const QString& title, const QString& reader, const QString& name,
                const QString& time, const QString& kind = QStringLiteral("图书借阅"),
                const QString& dept = QStringLiteral("一班"))
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into jieyuelishiinfo values (?, ?, ?, ?, '学生', ?, ?, '超级用户', ?)"),
        {book, title, reader, name, kind, time, dept}));
}

void addRows(bool history, int count, const QString& reader = QStringLiteral("R9"))
{
    CTransaction transaction(theApp().m_ado);
    for (int i = 0; i < count; ++i) {
        const QString book = QStringLiteral("B%1").arg(i, 4, 10, QLatin1Char('0'));
        if (history)
            addHistory(book, QStringLiteral("书"), reader, QStringLiteral("赵六"), QStringLiteral("2017-03-01"));
        else
            addLoan(book, QStringLiteral("书"), reader, QStringLiteral("赵六"));
    }
    QVERIFY(transaction.Commit());
}

} // namespace

class TestLendQuery : public QObject {
    Q_OBJECT

    std::unique_ptr<Workplace> m_work;
    std::unique_ptr<CLendQueryDlg> m_dlg;

    QWidget* page(int tab) const
    {
        switch (tab) {
        case 0:
            return m_dlg->findChild<CLendRecordPage*>();
        case 1:
            return m_dlg->findChild<CLendHistoryPage*>();
        case 2:
            return m_dlg->findChild<COverduePage*>();
        }
        return m_dlg->findChild<CLendSummaryPage*>();
    }
    CReportListCtrl* list(int tab) const { return page(tab)->findChild<CReportListCtrl*>(QStringLiteral("m_list")); }
    template <typename T>
    T* child(int tab, const char* name) const
    {
        return page(tab)->findChild<T*>(QLatin1String(name));
    }
    QStringList messages() const { return m_work->seams.prompter.texts(); }
    QString file(const QString& name) const { return m_work->folder.path() + QLatin1Char('/') + name; }
    void exportTo(int tab, const QString& path)
    {
        m_work->seams.chooser.answers << path;
        child<QPushButton>(tab, "m_btnExport")->click();
    }
    void summarise(const char* radio, std::optional<std::pair<QString, QString>> period)
    {
        child<QCheckBox>(3, "m_checkDates")->click();
        if (!period)
            child<QCheckBox>(3, "m_checkDates")->click();
        QCOMPARE(child<QLineEdit>(3, "m_editFrom")->isEnabled(), period.has_value());
        if (period) {
            child<QLineEdit>(3, "m_editFrom")->setText(period->first);
            child<QLineEdit>(3, "m_editTo")->setText(period->second);
        }
        child<QRadioButton>(3, radio)->click();
    }

private slots:
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
        m_dlg = std::make_unique<CLendQueryDlg>();
    }

    void cleanup()
    {
        m_dlg.reset();
        m_work.reset();
    }

    // Current loans (tab 0) and history (tab 1): keywords match literally, in the table's order.
    void search_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("books");
        QTest::addColumn<QString>("message");
        const QString none = QStringLiteral("没有找到相关信息的图书!");
        QTest::newRow("loans: all") << 0 << "(全部)" << QStringList{"B3", "B1", "B2", "B4"} << "";
        QTest::newRow("loans: percent") << 0 << "%" << QStringList{"B2"} << "";
        QTest::newRow("loans: underscore") << 0 << "_" << QStringList{"B3"} << "";
        QTest::newRow("loans: quote") << 0 << "'" << QStringList{"B4"} << "";
        QTest::newRow("loans: reader number") << 0 << "R1" << QStringList{"B3", "B1"} << "";
        QTest::newRow("loans: part of a reader number") << 0 << "R" << QStringList{"B4"} << "";
        QTest::newRow("loans: name fragment") << 0 << "张" << QStringList{"B3", "B1"} << "";
        QTest::newRow("loans: book number") << 0 << "b2" << QStringList{"B2"} << "";
        QTest::newRow("loans: barcode") << 0 << "9787020002207" << QStringList{"B1"} << "";
        QTest::newRow("loans: lending month") << 0 << "2017-03" << QStringList{"B1", "B2"} << "";
        QTest::newRow("loans: nothing") << 0 << "图书_2" << QStringList{} << none;
        QTest::newRow("loans: empty") << 0 << "" << QStringList{} << "请输入用查询信息！";
        QTest::newRow("history: all") << 1 << "(全部)" << QStringList{"B1", "B1", "B2"} << "";
        QTest::newRow("history: percent") << 1 << "%" << QStringList{"B2"} << "";
        QTest::newRow("history: reader number") << 1 << "R1" << QStringList{"B1", "B1"} << "";
        QTest::newRow("history: time") << 1 << "2017-04" << QStringList{"B2"} << "";
        QTest::newRow("history: quote") << 1 << "'" << QStringList{} << none;
        QTest::newRow("history: empty") << 1 << "" << QStringList{} << "请输入用查询信息！";
    }

    void search()
    {
        QFETCH(int, tab);
        QFETCH(QString, keyword);
        QFETCH(QStringList, books);
        QFETCH(QString, message);
        addLoan("B3", "图书_1", "R1", "张三", "2017-05-01", "2017-04-01");
        addLoan("B1", "红楼梦", "R1", "张三", "2017-04-01", "2017-03-01");
        addLoan("B2", "100%好书", "R2", "李四", "2017-04-05", "2017-03-05");
        addLoan("B4", "O'Brien 诗选", "R3", "王五");
        addHistory("B1", "红楼梦", "R1", "张三", "2017-03-01");
        addHistory("B1", "红楼梦", "R1", "张三", "2017-03-10", "图书归还");
        addHistory("B2", "100%好书", "R2", "李四", "2017-04-01 09:30");
        searchFor(page(tab), keyword);
        QCOMPARE(listColumn(list(tab), 0), books);
        QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    void paging_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("lastPageRows");
        QTest::newRow("loans 31") << 0 << 31 << 2 << 1;
        QTest::newRow("loans 310") << 0 << 310 << 11 << 10;
        QTest::newRow("history 200") << 1 << 200 << 2 << 100;
        QTest::newRow("history 1150") << 1 << 1150 << 12 << 50;
    }

    // Each tab's page size; the selector takes typing and lists its pages as texts sort
    // (1, 10, 11, 12, 2, ...); a chosen page shows its rows.
    void paging()
    {
        QFETCH(int, tab);
        QFETCH(int, rows);
        QFETCH(int, pages);
        QFETCH(int, lastPageRows);
        addRows(tab == 1, rows);
        child<QPushButton>(tab, "m_btnNext")->click();
        QCOMPARE(messages(), QStringList());
        searchFor(page(tab), QStringLiteral("(全部)"));
        QCOMPARE(child<QLabel>(tab, "m_staticPageInfo")->text(), QStringLiteral("共计：%1页  %2条记录").arg(pages).arg(rows));
        auto* selector = child<QComboBox>(tab, "m_cmbPage");
        QVERIFY(selector->isEditable());
        QStringList numbers;
        for (int i = 0; i < selector->count(); ++i)
            numbers << selector->itemText(i);
        QStringList expected;
        for (int p = 1; p <= pages; ++p)
            expected << QString::number(p);
        expected.sort();
        QCOMPARE(numbers, expected);
        const int last = selector->findText(QString::number(pages));
        selector->setCurrentIndex(last);
        emit selector->activated(last);
        QCOMPARE(list(tab)->GetItemCount(), lastPageRows);
        QCOMPARE(selector->currentText(), QString::number(pages));
        QCOMPARE(list(tab)->GetItemText(lastPageRows - 1, 0), QStringLiteral("B%1").arg(rows - 1, 4, 10, QLatin1Char('0')));
        child<QPushButton>(tab, "m_btnNext")->click();
        QCOMPARE(messages(), QStringList{"已是最后一页！"});
        child<QPushButton>(tab, "m_btnPrev")->click();
        QCOMPARE(selector->currentText(), QString::number(pages - 1));
    }

    // By the fixed clock today is 2017-04-11: a loan is overdue from the day after its due day.
    void overdue_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("books");
        QTest::addColumn<QString>("message");
        QTest::newRow("all") << "(全部)" << QStringList{"O1", "O2", "O6"} << "";
        QTest::newRow("reader number") << "R1" << QStringList{"O1"} << "";
        QTest::newRow("book number") << "o2" << QStringList{"O2"} << "";
        QTest::newRow("book due today") << "O3" << QStringList{} << "";
        QTest::newRow("name fragment") << "张三" << QStringList{"O1", "O6"} << "";
        QTest::newRow("percent") << "%" << QStringList{} << "";
        QTest::newRow("quote") << "'" << QStringList{} << "";
        QTest::newRow("empty") << "" << QStringList{} << "请输入用查询信息！";
    }

    void overdue()
    {
        QFETCH(QString, keyword);
        QFETCH(QStringList, books);
        QFETCH(QString, message);
        addLoan("O1", "红楼梦", "R1", "张三", "2017-04-10");
        addLoan("O2", "水浒传", "R2", "李四", "2017-04-10 18:00");
        addLoan("O3", "西游记", "R1", "张三", "2017-04-11");
        addLoan("O4", "三国演义", "R2", "李四", "2017-04-11 08:00");
        addLoan("O5", "诗经", "R1", "张三", "2017-04-12");
        addLoan("O6", "楚辞", "R3", "张三丰", "2017-03-01");
        searchFor(page(2), keyword);
        QCOMPARE(listColumn(list(2), 0), books);
        QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    // After a search in the history, a click on 到期未还查询 leaves its "(全部)", and Enter
    // lists every overdue loan.
    void tabChangeKeepsAll()
    {
        addLoan("O1", "红楼梦", "R1", "张三", "2017-04-10");
        addHistory("O1", "红楼梦", "R1", "张三", "2017-03-01");
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
        auto* tabs = m_dlg->findChild<QTabBar*>();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        auto* historyEdit = child<QLineEdit>(1, "m_editSearch");
        historyEdit->setFocus();
        QTest::keyClicks(historyEdit, "r1");
        QTest::keyClick(historyEdit, Qt::Key_Return);
        QCOMPARE(listColumn(list(1), 0), QStringList{"O1"});
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        QCOMPARE(child<QLineEdit>(2, "m_editSearch")->text(), QStringLiteral("(全部)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(listColumn(list(2), 0), QStringList{"O1"});
        QCOMPARE(messages(), QStringList());
    }

    // The export asks the last query again, by the day it was first asked on: the sheet holds
    // the loans overdue by that day when the export runs, eleven fields in the table's order.
    void overdueExport()
    {
        const QString name = QStringLiteral("到期.xls");
        child<QPushButton>(2, "m_btnExport")->click();
        QCOMPARE(m_work->seams.chooser.proposals.size(), 0);
        addLoan("O1", "红楼梦", "R1", "张三", "2017-04-10");
        addLoan("O2", "水浒传", "R2", "李四", "2017-04-20");
        addLoan("O3", "西游记", "R3", "王五", "2017-04-09");
        searchFor(page(2), QStringLiteral("R1"));
        QCOMPARE(listColumn(list(2), 0), QStringList{"O1"});
        QVERIFY(theApp().m_ado.ExecuteSql("update jieyueinfo set 图书价格=30 where 图书编号='O1'"));
        addLoan("O4", "诗经", "R1", "张三", "2017-04-01");
        addLoan("O5", "楚辞", "R1", "张三", "2017-04-15");
        m_work->seams.clock.set(QDateTime(QDate(2017, 4, 30), QTime(8, 0)));
        exportTo(2, file(name));
        QCOMPARE(messages(), QStringList{"导出文件成功!"});
        QCOMPARE(fileRows(file(name), QStringLiteral("到期未还读者信息")),
                 (Rows{{"图书编号", "书名", "条形码", "读者编号", "读者姓名", "读者类别", "借书日期", "应还日期", "图书价格", "操作员", "部门"},
                       {"O1", "红楼梦", "", "R1", "张三", "学生", "2017-04-01", "2017-04-10", "30", "超级用户", "一班"},
                       {"O4", "诗经", "", "R1", "张三", "学生", "2017-04-01", "2017-04-01", "25", "超级用户", "一班"}}));
    }

    // The bounds are compared with the stored times as typed, both included; returns never count.
    void summaryBounds_data()
    {
        QTest::addColumn<bool>("usePeriod");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<Rows>("rows");
        QTest::newRow("no period: every lending") << false << "" << "" << Rows{{"一班", "6"}};
        QTest::newRow("April") << true << "2017-04-01" << "2017-04-30" << Rows{{"一班", "3"}};
        QTest::newRow("a time after the last day's text") << true << "2017-04-30" << "2017-04-30" << Rows{{"一班", "1"}};
        QTest::newRow("a time is inside a longer text") << true << "2017-04-30" << "2017-04-30 23:59" << Rows{{"一班", "2"}};
        QTest::newRow("typed without zeros") << true << "2017-4-1" << "2017-4-30" << Rows{};
        QTest::newRow("from after to") << true << "2017-05-01" << "2017-04-01" << Rows{};
    }

    void summaryBounds()
    {
        QFETCH(bool, usePeriod);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(Rows, rows);
        QCOMPARE(child<QLineEdit>(3, "m_editFrom")->text(), QStringLiteral("2017-04-11"));
        QCOMPARE(child<QLineEdit>(3, "m_editTo")->text(), QStringLiteral("2017-04-11"));
        QVERIFY(!child<QLineEdit>(3, "m_editFrom")->isEnabled());
        for (const char* time : {"2017-03-31", "2017-04-01", "2017-04-01 08:00", "2017-04-30", "2017-04-30 23:59", "2017-05-01"})
            addHistory("B1", "红楼梦", "R1", "张三", QString::fromLatin1(time));
        addHistory("B1", "红楼梦", "R1", "张三", "2017-04-15", "图书归还");
        summarise("m_radioDept", usePeriod ? std::optional(std::pair(from, to)) : std::nullopt);
        QCOMPARE(listRows(list(3)), rows);
    }

    // A grouping whose counts cannot be read leaves the last one listed under its own
    // heading, and that one is what an export writes.
    void summaryFailure()
    {
        addHistory("B1", "红楼梦", "R1", "张三", "2017-04-01");
        summarise("m_radioDept", std::nullopt);
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("alter table jieyuelishiinfo rename to gone")));
        summarise("m_radioReader", std::nullopt);
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("alter table gone rename to jieyuelishiinfo")));
        QCOMPARE(messages(), QStringList{"操作失败！"});
        QCOMPARE(list(3)->headerItem()->text(0), QStringLiteral("读者部门"));
        QCOMPARE(listRows(list(3)), (Rows{{"一班", "1"}}));
        exportTo(3, file(QStringLiteral("汇总.xlsx")));
        QCOMPARE(messages().last(), QStringLiteral("导出数据成功!"));
        QCOMPARE(fileRows(file(QStringLiteral("汇总.xlsx"))), (Rows{{"读者部门", "借阅人次"}, {"一班", "1"}}));
    }

    void summaryGrouping_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<Rows>("rows");
        QTest::newRow("department") << "m_radioDept" << "读者部门" << Rows{{"一班", "2"}, {"二班", "1"}};
        QTest::newRow("reader type") << "m_radioType" << "读者类别" << Rows{{"学生", "3"}};
        QTest::newRow("reader") << "m_radioReader" << "读者姓名" << Rows{{"张三", "2"}, {"李四", "1"}};
        QTest::newRow("title") << "m_radioTitle" << "图书名称" << Rows{{"水浒传", "1"}, {"红楼梦", "2"}};
    }

    // The first heading names the grouping, in the list and in the exported sheet.
    void summaryGrouping()
    {
        QFETCH(QString, radio);
        QFETCH(QString, heading);
        QFETCH(Rows, rows);
        child<QPushButton>(3, "m_btnExport")->click();
        QCOMPARE(messages(), QStringList{"查询数据为空!"});
        addHistory("B1", "红楼梦", "R1", "张三", "2017-04-01");
        addHistory("B1", "红楼梦", "R1", "张三", "2017-04-02");
        addHistory("B2", "水浒传", "R2", "李四", "2017-04-03", "图书借阅", "二班");
        summarise(qPrintable(radio), std::nullopt);
        QCOMPARE(list(3)->headerItem()->text(0), heading);
        QCOMPARE(list(3)->headerItem()->text(1), QStringLiteral("借阅人次"));
        QCOMPARE(listRows(list(3)).size(), rows.size());
        for (const QStringList& row : rows)
            QVERIFY(listRows(list(3)).contains(row));
        exportTo(3, file(QStringLiteral("汇总.xlsx")));
        QCOMPARE(messages().last(), QStringLiteral("导出数据成功!"));
        QCOMPARE(fileRows(file(QStringLiteral("汇总.xlsx"))), (Rows{QStringList{heading, "借阅人次"}} + listRows(list(3))));
    }

    void loansExport_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("xls") << "借阅.xls";
        QTest::newRow("xlsx") << "借阅.xlsx";
    }

    // One reader's 45 loans among others, page 2 shown: the file holds those 45 rows, in the
    // list's order, under the field names.
    void loansExport()
    {
        QFETCH(QString, name);
        CTransaction transaction(theApp().m_ado);
        for (int i = 0; i < 60; ++i)
            addLoan(QStringLiteral("B%1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("书"), i % 4 ? "R7" : "R8", "赵六");
        QVERIFY(transaction.Commit());
        searchFor(page(0), QStringLiteral("R7"));
        child<QPushButton>(0, "m_btnNext")->click();
        QCOMPARE(list(0)->GetItemCount(), 15);
        exportTo(0, file(name));
        QTRY_COMPARE_WITH_TIMEOUT(messages(), QStringList{"导出数据成功!"}, 20000);
        const Rows rows = fileRows(file(name));
        QCOMPARE(rows.size(), 46);
        QCOMPARE(rows[0], kLoanFields);
        QStringList books;
        for (const QStringList& row : rows.mid(1))
            books << row[0];
        QStringList expected;
        for (int i = 0; i < 60; ++i)
            if (i % 4)
                expected << QStringLiteral("B%1").arg(i, 4, 10, QLatin1Char('0'));
        QCOMPARE(books, expected);
        QCOMPARE(rows[1], (QStringList{"B0001", "书", "", "R7", "赵六", "学生", "2017-04-01", "2017-05-01", "25", "超级用户", "一班"}));
    }

    // The history sheet keeps the table's order of fields: 部门 last.
    void historyExport()
    {
        addHistory("B1", "红楼梦", "R1", "张三", "2017-04-01");
        searchFor(page(1), QStringLiteral("(全部)"));
        exportTo(1, file(QStringLiteral("历史.xls")));
        QTRY_COMPARE_WITH_TIMEOUT(messages(), QStringList{"导出数据成功!"}, 20000);
        QCOMPARE(fileRows(file(QStringLiteral("历史.xls"))),
                 (Rows{{"图书编号", "书名", "读者编号", "读者姓名", "读者类别", "操作性质", "操作时间", "操作员", "部门"},
                       {"B1", "红楼梦", "R1", "张三", "学生", "图书借阅", "2017-04-01", "超级用户", "一班"}}));
    }

    void closeRefusedDuringExport_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("close box") << false;
        QTest::newRow("escape") << true;
    }

    void closeRefusedDuringExport()
    {
        QFETCH(bool, escape);
        addRows(false, 5);
        m_dlg->show();
        searchFor(page(0), QStringLiteral("(全部)"));
        exportTo(0, file(QStringLiteral("借阅.xls")));
        if (escape)
            QTest::keyClick(list(0), Qt::Key_Escape);
        else
            m_dlg->close();
        QVERIFY(m_dlg->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(messages(), (QStringList{"导出数据进程没结束！", "导出数据成功!"}), 20000);
        m_dlg->close();
        QVERIFY(!m_dlg->isVisible());
    }
};

QTEST_MAIN(TestLendQuery)
#include "test_lendquery.moc"
