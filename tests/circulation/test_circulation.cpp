#include "CirculationFixture.h"
#include "CirculationLists.h"
#include "circulation/BookLendDlg.h"
#include "circulation/BookLendPage.h"
#include "circulation/BookLoanLossDlg.h"
#include "circulation/LendQueryDlg.h"
#include "circulation/LendingService.h"
#include "circulation/ReaderAddDlg.h"
#include "circulation/ReaderCancelDlg.h"
#include "circulation/ReaderDeptDlg.h"
#include "circulation/ReaderQueryDlg.h"
#include "circulation/ReaderRegister.h"
#include "circulation/ReaderTypeDlg.h"
#include "circulation/ReserveLendPage.h"
#include "circulation/SchoolLendQueryDlg.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

#include <sqlite3.h>

#include <memory>

namespace {

void catalogue()
{
    insertReader("R1", "张三", "2");
    insertReader("R2", "李四", "5");
    insertBook("B1", "红楼梦", "9787020002207");
    insertBook("B2", "红楼梦", "9787020002207");
    insertBook("B3", "红楼梦 脂评本", "9787020002214");
    insertBook("B4", "水浒传", "9787020008735");
    insertBook("B5", "三国演义", "9787020008742", "20", 1);
    insertBook("B6", "西游记", "9787020008759", "20", 2);
    insertBook("B7", "O'Brien 诗选");
    insertBook("B8", "100%好书");
    insertBook("B9", "1000个好书");
}

// R2 borrows B4 through a page of his own.
void lendB4ToR2()
{
    CBookLendPage lend;
    scan(lend, "m_editReaderInput", "R2");
    scan(lend, "m_editBookKey", "B4");
}

} // namespace

using Outcome = LendingService::Outcome;

class TestCirculation : public QObject {
    Q_OBJECT

    LendingService service() { return LendingService(theApp().m_ado, QStringLiteral("管理员")); }
    ReaderCard reader(const QString& number) { return service().readerByNumber(number).value_or(ReaderCard()); }
    BookCopy copy(const QString& number) { return service().findInStock(number).value(0); }

    std::unique_ptr<Workplace> m_work;

private slots:
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
    }
    void cleanup() { m_work.reset(); }

    // Every reader field of the lending window shows its whole value, its first character
    // too, at the window's own size and at the smallest the window can be made.
    void readerFieldsShowWholeValues_data() { addWindowSizes(); }
    void readerFieldsShowWholeValues()
    {
        QFETCH(QSize, size);
        insertLongReader();
        CBookLendDlg window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* page = window.findChild<CBookLendPage*>();
        scan(*page, "m_editReaderInput", "2024000000001");
        const QStringList cut = readerFieldsCut(window, *page, "m_edit", size);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    }

    void limits_data()
    {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("books");
        QTest::addColumn<int>("periodicals");
        QTest::addColumn<bool>("lends");
        QTest::newRow("empty limit") << "" << 0 << 0 << false;
        QTest::newRow("limit 0") << "0" << 0 << 0 << false;
        QTest::newRow("at the limit") << "2" << 2 << 0 << false;
        QTest::newRow("at the limit with a periodical") << "2" << 1 << 1 << false;
        QTest::newRow("below the limit") << "2" << 1 << 0 << true;
        QTest::newRow("limit past int") << "99999999999" << 1 << 0 << true;
    }

    void limits()
    {
        QFETCH(QString, limit);
        QFETCH(int, books);
        QFETCH(int, periodicals);
        QFETCH(bool, lends);
        insertReader("R1", "张三", limit);
        for (int i = 0; i < books; ++i)
            insertLoanRow(QString("OLD%1").arg(i), "R1");
        for (int i = 0; i < periodicals; ++i)
            insertLoanRow(QString("QK%1").arg(i), "R1", "qkjieyueinfo");
        insertBook("B1", "红楼梦");
        // The stored count is wrong on purpose: the limit must use the loans themselves.
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=0"));

        QCOMPARE(service().lend(reader("R1"), copy("B1")), lends ? Outcome::Done : Outcome::LimitReached);
        QCOMPARE(cell("select 是否借出 from bkinfo where 图书编号='B1'"), lends ? "1" : "0");
        QCOMPARE(cell("select 未还书数 from readerinfo"), QString::number(lends ? books + periodicals + 1 : 0));
    }

    void loanRow_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("stored");
        const QTimeZone berlin("Europe/Berlin");
        QTest::newRow("across February, price cut")
            << QDateTime(QDate(2017, 1, 30), QTime(9, 0)) << "30" << "2017-03-01" << "25.80" << "25";
        QTest::newRow("across the year, no price")
            << QDateTime(QDate(2017, 12, 15), QTime(17, 0)) << "30" << "2018-01-14" << "" << "0";
        QTest::newRow("clocks go forward")
            << QDateTime(QDate(2017, 3, 25), QTime(23, 30), berlin) << "1" << "2017-03-26" << "30" << "30";
        QTest::newRow("clocks go back")
            << QDateTime(QDate(2017, 10, 29), QTime(0, 30), berlin) << "1" << "2017-10-30" << "30" << "30";
        QTest::newRow("no period") << QDateTime(QDate(2017, 4, 11), QTime(9, 30)) << "" << "2017-04-11" << "30" << "30";
    }

    void loanRow()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, days);
        QFETCH(QString, due);
        QFETCH(QString, price);
        QFETCH(QString, stored);
        m_work->seams.clock.set(now);
        insertReader("R1", "张三", "5", days);
        insertBook("B1", "红楼梦", "978", price);

        QCOMPARE(service().lend(reader("R1"), copy("B1")), Outcome::Done);
        QCOMPARE(cell("select 借书日期 || '|' || 应还时间 || '|' || 图书价格 || '|' || typeof(图书价格) from jieyueinfo"),
                 QString("%1|%2|%3|integer").arg(now.date().toString("yyyy-MM-dd"), due, stored));
        QCOMPARE(cell("select 操作时间 from jieyuelishiinfo"), now.date().toString("yyyy-MM-dd"));
    }

    void sameCopyIsNotLentTwice()
    {
        insertReader("R1", "张三", "5");
        insertReader("R2", "李四", "5");
        insertBook("B1", "红楼梦");
        // Both windows listed the copy while it was in stock.
        const BookCopy listed = copy("B1");
        LendingService first = service();
        LendingService second = service();

        QCOMPARE(first.lend(reader("R1"), listed), Outcome::Done);
        QCOMPARE(second.lend(reader("R2"), listed), Outcome::NotAvailable);
        QCOMPARE(first.lend(reader("R1"), listed), Outcome::NotAvailable);
        QCOMPARE(tableRows("jieyueinfo").size(), 1);
        QCOMPARE(tableRows("jieyuelishiinfo").size(), 1);
        QCOMPARE(cell("select 未还书数 from readerinfo where 编号='R2'"), "");
    }

    void readerLookupPrefersTheNumber()
    {
        insertReader("A12", "王A123");
        insertReader("A123", "李四");

        QCOMPARE(service().findReader("A123")->name, "李四");
        QCOMPARE(service().findReader("王")->number, "A12");
        QVERIFY(!service().findReader("赵").has_value());
    }

    void saveKeepsTheLendingCounts()
    {
        insertReader("R'1", "张三");
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=1"));

        ReaderRegister readers(theApp().m_ado);
        QVERIFY(readers.save({"R'1", "张三丰", "男", "教师", "60", "二班", "5", "2017-04-11", "备注'"}));
        QCOMPARE(tableRows("readerinfo"), QStringList{"R'1|张三丰|男|教师|60|二班|7|1|5|2017-04-11||备注'"});
        ReaderForm unknown;
        unknown.number = "R2";
        QVERIFY(!readers.save(unknown));
    }
    void bookSearch_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("lent");
        const QStringList none;
        QTest::newRow("exact barcode of one copy lends at once") << "9787020008735" << none << QStringList{"B4"};
        QTest::newRow("exact number lends at once") << "  B3" << none << QStringList{"B3"};
        QTest::newRow("title fragment lists several") << "红楼" << QStringList{"B1", "B2", "B3"} << none;
        QTest::newRow("a barcode shared by two copies") << "9787020002207" << QStringList{"B1", "B2"} << none;
        QTest::newRow("part of a barcode finds nothing") << "97870" << none << none;
        QTest::newRow("lent copy not found") << "三国" << none << none;
        QTest::newRow("reserved copy not found") << "B6" << none << none;
        QTest::newRow("a quote is text") << "O'Brien" << none << QStringList{"B7"};
        QTest::newRow("a percent sign is text") << "100%" << none << QStringList{"B8"};
    }

    void bookSearch()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, lent);
        catalogue();
        CBookLendPage page;
        scan(page, "m_editReaderInput", "R1");

        scan(page, "m_editBookKey", key);
        QCOMPARE(listedIn(page, "m_listBooks"), listed);
        QCOMPARE(listedIn(page, "m_listLent"), lent);
        const bool found = !listed.isEmpty() || !lent.isEmpty();
        QCOMPARE(m_work->seams.prompter.texts(), found ? QStringList() : QStringList{"没有这本书的信息！"});
        QCOMPARE(lineEdit(page, "m_editBookKey")->text(), "");
        QCOMPARE(lineEdit(page, "m_editLentCount")->text(), QString::number(lent.size()));
    }

    // A return by number switches the card to the borrower, whole or not at all.
    void returnByNumberSwitchesToTheBorrower()
    {
        catalogue();
        lendB4ToR2();
        CBookLendPage page;
        scan(page, "m_editReaderInput", "R1");
        scan(page, "m_editBookKey", "B3");
        // The borrower's card cannot be read: the return must not happen half.
        QVERIFY(theApp().m_ado.ExecuteSql("alter table readerinfo rename to readerinfo_away"));
        scan(page, "m_editReturnKey", "B4");
        QVERIFY(theApp().m_ado.ExecuteSql("alter table readerinfo_away rename to readerinfo"));
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"操作失败"});
        QCOMPARE(lineEdit(page, "m_editReaderNo")->text(), "R1");
        QCOMPARE(lineEdit(page, "m_editReaderName")->text(), "张三");
        QCOMPARE(listedIn(page, "m_listLent"), QStringList{"B3"});
        QCOMPARE(cell("select 读者编号 from jieyueinfo where 图书编号='B4'"), "R2");
        // The next lend goes to the reader the card shows.
        scan(page, "m_editBookKey", "B1");
        QCOMPARE(cell("select 读者编号 from jieyueinfo where 图书编号='B1'"), "R1");

        // A failed key stays for another try.
        QCOMPARE(lineEdit(page, "m_editReturnKey")->text(), "B4");
        lineEdit(page, "m_editReturnKey")->clear();
        scan(page, "m_editReturnKey", "B4");
        QCOMPARE(lineEdit(page, "m_editReaderNo")->text(), "R2");
        QCOMPARE(lineEdit(page, "m_editReaderName")->text(), "李四");
        QCOMPARE(lineEdit(page, "m_editLentCount")->text(), "0");
        QCOMPARE(listedIn(page, "m_listBooks"), QStringList{"B4"});
        QCOMPARE(tableRows("jieyuelishiinfo").last(), "B4|水浒传|R2|李四|学生|图书归还|2017-04-11|超级用户|一班");
        // A second return of the same copy finds no loan and must write nothing.
        const QStringList before = circulationSnapshot();
        scan(page, "m_editReturnKey", "B4");
        QCOMPARE(m_work->seams.prompter.texts(), (QStringList{"操作失败", "无此记录！"}));
        QCOMPARE(circulationSnapshot(), before);
    }

    // The real box, as the librarian sees it: nobody answers, and it goes by itself.
    void notFoundBoxClosesItselfAsNo()
    {
        catalogue();
        CBookLendPage page;
        scan(page, "m_editReaderInput", "R1");
        Prompter::install(nullptr);
        QString caption;
        QMessageBox::StandardButtons buttons;
        QTimer::singleShot(300, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                caption = box->windowTitle();
                buttons = box->standardButtons();
            }
        });
        QElapsedTimer shown;
        shown.start();
        scan(page, "m_editBookKey", "没有的书");
        const qint64 elapsed = shown.elapsed();
        Prompter::install(&m_work->seams.prompter);
        QCOMPARE(caption, "提示");
        QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY2(elapsed >= 1900 && elapsed < 10000, qPrintable(QString::number(elapsed)));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void returnClosesTheLoanOfAMissingCopy()
    {
        insertReader("R1", "张三");
        insertLoanRow("GONE", "R1");
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=1"));
        CBookLendPage page;
        scan(page, "m_editReturnKey", "GONE");

        QCOMPARE(m_work->seams.prompter.texts(), QStringList());
        QCOMPARE(tableRows("jieyueinfo"), QStringList());
        QCOMPARE(cell("select 操作性质 from jieyuelishiinfo where 图书编号='GONE'"), "图书归还");
        QCOMPARE(cell("select 未还书数 from readerinfo"), "0");
        QCOMPARE(listedIn(page, "m_listLent"), QStringList());
    }

    // Every way back names the reader shown in the history, as his card reads now, and
    // leaves the focus where the reader's card puts it, or, after a scanned return, in the
    // return field for the next scan.
    void returnPaths_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QByteArray>("focus");
        QTest::newRow("double-click") << "double-click" << QByteArray("m_editBookKey");
        QTest::newRow("return all") << "return all" << QByteArray("m_editBookKey");
        QTest::newRow("return button") << "button" << QByteArray("m_editBookKey");
        QTest::newRow("scanned return") << "scan" << QByteArray("m_editReturnKey");
    }

    void returnPaths()
    {
        QFETCH(QString, way);
        QFETCH(QByteArray, focus);
        insertReader("R1", "张三", "5");
        insertBook("B1", "红楼梦");
        CBookLendPage page;
        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        scan(page, "m_editReaderInput", "R1");
        scan(page, "m_editBookKey", "B1");
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 姓名='张三丰', 类别='教师', 部门='二班'"));
        scan(page, "m_editReaderInput", "R1");
        lineEdit(page, "m_editReaderInput")->setFocus();

        if (way == "double-click") {
            doubleClickRow(list(page, "m_listLent"), 0);
        } else if (way == "return all") {
            press(page, "m_btnReturnAll");
        } else if (way == "button") {
            lineEdit(page, "m_editReturnKey")->setText("B1");
            press(page, "m_btnReturnQuery");
        } else {
            scan(page, "m_editReturnKey", "B1");
        }
        QCOMPARE(m_work->seams.prompter.texts(), QStringList());
        QCOMPARE(tableRows("jieyuelishiinfo"), (QStringList{"B1|红楼梦|R1|张三|学生|图书借阅|2017-04-11|超级用户|一班",
                                                           "B1|红楼梦|R1|张三丰|教师|图书归还|2017-04-11|超级用户|二班"}));
        QCOMPARE(QApplication::focusWidget(), lineEdit(page, focus.constData()));
    }

    // R1's list still shows B1 after another desk took it back and lent it to R2. Returning
    // it from R1's list closes R2's loan and rewrites both stored counts from the loans.
    void returnFromAStaleListRecountsBothReaders()
    {
        insertReader("R1", "张三", "5");
        insertReader("R2", "李四", "5");
        insertBook("B1", "红楼梦");
        CBookLendPage page;
        scan(page, "m_editReaderInput", "R1");
        scan(page, "m_editBookKey", "B1");
        QVERIFY(theApp().m_ado.ExecuteSql("update jieyueinfo set 读者编号='R2', 读者姓名='李四'"));
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=1"));

        doubleClickRow(list(page, "m_listLent"), 0);
        QCOMPARE(m_work->seams.prompter.texts(), QStringList());
        QCOMPARE(tableRows("jieyueinfo"), QStringList());
        QCOMPARE(cell("select group_concat(编号 || '=' || 未还书数) from readerinfo"), "R1=0,R2=0");
        QCOMPARE(lineEdit(page, "m_editLentCount")->text(), "0");
    }

    // A loan brought in from elsewhere may name a reader not registered here: the history
    // names him as the loan does.
    void returnOfAnUnregisteredReadersLoan()
    {
        insertBook("B9", "红楼梦", "", "25.80", 1);
        insertLoanRow("B9", "X9");
        QVERIFY(theApp().m_ado.ExecuteSql("update jieyueinfo set 书名='红楼梦', 读者姓名='外校读者', 读者类别='学生'"));
        CBookLendPage page;
        scan(page, "m_editReturnKey", "B9");
        QCOMPARE(m_work->seams.prompter.texts(), (QStringList{"查无此人！", "查无此人！"}));
        QCOMPARE(tableRows("jieyuelishiinfo"), QStringList{"B9|红楼梦|X9|外校读者|学生|图书归还|2017-04-11|超级用户|"});
        QCOMPARE(cell("select 是否借出 from bkinfo"), "0");
        QCOMPARE(tableRows("jieyueinfo"), QStringList());
    }

    // R1 has one item out and a limit of two (five where the limit is not the point); two
    // copies of 红楼梦 are listed. Lend-all refuses the batch whole when it would pass the
    // limit, and reaching the limit exactly is allowed; once tried, a row leaves the list
    // whether it was lent or not, and lend-all empties the list.
    void lendFromTheList_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("lent");
        const QString lentB1 = "update bkinfo set 是否借出=1 where 图书编号='B1'";
        const QString lentB2 = "update bkinfo set 是否借出=1 where 图书编号='B2'";
        const QString fails = "create temp trigger fail before insert on jieyueinfo begin select raise(abort, 'disk full'); end";
        const QStringList both{"B1", "B2"}, old{"OLD"};
        QTest::newRow("double-click lends the row") << false << "5" << 2 << "" << QStringList() << QStringList{"B1"}
                                                    << QStringList{"OLD", "B2"};
        QTest::newRow("double-click, lent meanwhile") << false << "5" << 2 << lentB2 << QStringList{"图书B2已经借出！"}
                                                      << QStringList{"B1"} << old;
        QTest::newRow("double-click, database fails") << false << "5" << 2 << fails << QStringList{"操作失败"}
                                                      << QStringList{"B1"} << old;
        QTest::newRow("all: two rows pass the limit") << true << "2" << 2 << ""
                                                      << QStringList{"对不起！您的借阅数量受限！\n"} << both << old;
        QTest::newRow("all: one row reaches it") << true << "2" << 1 << "" << QStringList() << QStringList()
                                                 << QStringList{"OLD", "B1"};
        QTest::newRow("all: a row lent meanwhile") << true << "5" << 2 << lentB1 << QStringList{"图书B1已经借出！"}
                                                   << QStringList() << QStringList{"OLD", "B2"};
    }

    void lendFromTheList()
    {
        QFETCH(bool, all);
        QFETCH(QString, limit);
        QFETCH(int, rows);
        QFETCH(QString, meanwhile);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, lent);
        insertReader("R1", "张三", limit);
        insertLoanRow("OLD", "R1");
        insertBook("B1", "红楼梦", "9787020002207");
        insertBook("B2", "红楼梦", "9787020002207");
        CBookLendPage page;
        page.show();
        scan(page, "m_editReaderInput", "R1");
        scan(page, "m_editBookKey", "红楼梦");
        while (list(page, "m_listBooks")->GetItemCount() > rows)
            list(page, "m_listBooks")->DeleteItem(rows);
        if (!meanwhile.isEmpty())
            QVERIFY(theApp().m_ado.ExecuteSql(meanwhile));

        if (all)
            press(page, "m_btnLendAll");
        else
            doubleClickRow(list(page, "m_listBooks"), 1);
        QCOMPARE(m_work->seams.prompter.texts(), messages);
        QCOMPARE(listedIn(page, "m_listBooks"), listed);
        QCOMPARE(listedIn(page, "m_listLent"), lent);
        QCOMPARE(lineEdit(page, "m_editLentCount")->text(), QString::number(lent.size()));
        QCOMPARE(cell("select count(*) from jieyueinfo"), QString::number(lent.size()));
    }

    void returnFromTheLentList_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<QStringList>("returned");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("double-click returns the row") << false << QStringList{"B4"} << QStringList{"B1"};
        QTest::newRow("return all") << true << QStringList{"B4", "B1"} << QStringList();
    }

    void returnFromTheLentList()
    {
        QFETCH(bool, all);
        QFETCH(QStringList, returned);
        QFETCH(QStringList, kept);
        catalogue();
        CBookLendPage page;
        page.show();
        scan(page, "m_editReaderInput", "R2");
        scan(page, "m_editBookKey", "B4");
        scan(page, "m_editBookKey", "B1");
        scan(page, "m_editBookKey", "没有的书");
        m_work->seams.prompter.messages.clear();

        if (all)
            press(page, "m_btnReturnAll");
        else
            doubleClickRow(list(page, "m_listLent"), 0);
        QCOMPARE(m_work->seams.prompter.texts(), QStringList());
        // Returned copies are listed again, ready to be lent at once.
        QCOMPARE(listedIn(page, "m_listBooks"), returned);
        QCOMPARE(listedIn(page, "m_listLent"), kept);
        QCOMPARE(lineEdit(page, "m_editLentCount")->text(), QString::number(kept.size()));
        QCOMPARE(cell("select count(*) from jieyuelishiinfo where 操作性质='图书归还'"), QString::number(returned.size()));
        QCOMPARE(cell("select group_concat(图书编号) from bkinfo where 图书编号 in ('B1', 'B4') and 是否借出=1"),
                 kept.isEmpty() ? "" : kept.join(','));
    }

    void failedStepReportsAndLeavesEveryTable_data()
    {
        QTest::addColumn<bool>("returning");
        QTest::addColumn<QString>("trigger");
        QTest::newRow("lend: history") << false << "before insert on jieyuelishiinfo";
        QTest::newRow("lend: count") << false << "before update on readerinfo";
        QTest::newRow("lend: loan row") << false << "before insert on jieyueinfo";
        QTest::newRow("return: history") << true << "before insert on jieyuelishiinfo";
        QTest::newRow("return: count") << true << "before update on readerinfo";
        QTest::newRow("return: flag") << true << "before update on bkinfo";
    }

    void failedStepReportsAndLeavesEveryTable()
    {
        QFETCH(bool, returning);
        QFETCH(QString, trigger);
        catalogue();
        CBookLendPage page;
        scan(page, "m_editReaderInput", "R1");
        if (returning)
            scan(page, "m_editBookKey", "B4");
        failOn(trigger);
        const QStringList before = circulationSnapshot();

        scan(page, returning ? "m_editReturnKey" : "m_editBookKey", "B4");
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"操作失败"});
        QCOMPARE(circulationSnapshot(), before);
        QCOMPARE(theApp().m_ado.TransDepth(), 0);
        QCOMPARE(listedIn(page, "m_listLent"), returning ? QStringList{"B4"} : QStringList());
        if (!returning)
            QCOMPARE(listedIn(page, "m_listBooks"), QStringList{"B4"});
    }

    void readerSearch_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("everyone by number") << "" << QStringList{"R1", "R10", "R2", "R3"};
        QTest::newRow("a name fragment") << "明月" << QStringList{"R1"};
        QTest::newRow("the number exactly, not a part") << "R1" << QStringList{"R1"};
        QTest::newRow("a department fragment") << "二班" << QStringList{"R10", "R2"};
        QTest::newRow("a type fragment") << "教" << QStringList{"R3"};
        QTest::newRow("a registration month") << "2016-09" << QStringList{"R3"};
        QTest::newRow("a percent sign is text") << "100%" << QStringList{"R2"};
    }

    void readerSearch()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, found);
        ReaderRegister readers(theApp().m_ado);
        for (const ReaderForm& form : {ReaderForm{"R2", "100%读者", "女", "学生", "30", "三年级二班", "2", "2017-04-01", ""},
                                       ReaderForm{"R1", "欧阳明月", "女", "学生", "30", "一班", "2", "2017-04-01", ""},
                                       ReaderForm{"R10", "张三", "男", "学生", "30", "二班", "2", "2017-04-01", ""},
                                       ReaderForm{"R3", "李老师", "男", "教师", "60", "教务处", "9", "2016-09-01", ""}})
            readers.add(form);

        QStringList numbers;
        for (RecordsetPtr rs = readers.search(filter); !rs->IsEOF(); rs->MoveNext())
            numbers << rs->GetCollect(0);
        QCOMPARE(numbers, found);
    }

    void registrationDate_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("written");
        QTest::newRow("an older register's text") << "2016年秋" << "2016年秋";
        QTest::newRow("no such day") << "2017-02-29" << "2017-02-29";
        QTest::newRow("another date form") << "2016/9/1" << "2016/9/1";
        QTest::newRow("as dates are stored") << "2016-09-01" << "2016-09-01";
    }

    // The date edit is read-only: a new form brings today's date, a reader loaded from the
    // list his own. Neither is refused; each is stored as the form shows it.
    void registrationDate()
    {
        QFETCH(QString, stored);
        QFETCH(QString, written);
        insertReader("R1", "张三");
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 登记日期=?", {stored}));
        CReaderAddDlg dlg;
        lineEdit(dlg, "m_editNo")->setText("R3");
        lineEdit(dlg, "m_editName")->setText("王五");
        press(dlg, "m_btnAdd");
        doubleClickRow(list(dlg), 0);
        QCOMPARE(lineEdit(dlg, "m_editDate")->text(), stored);
        lineEdit(dlg, "m_editName")->setText("张三丰");
        press(dlg, "m_btnEdit");
        press(dlg, "m_btnSave");
        lineEdit(dlg, "m_editNo")->setText("R2");
        press(dlg, "m_btnAdd");

        QCOMPARE(m_work->seams.prompter.texts(), QStringList());
        QCOMPARE(cell("select group_concat(编号 || '=' || 姓名 || '=' || 登记日期) from readerinfo"),
                 QString("R1=张三丰=%1,R3=王五=2017-04-11,R2=张三丰=%1").arg(written));
    }

    // A department's name goes to the table as typed, an empty one too; the table refuses
    // a name it holds.
    void departmentNamesAsTyped()
    {
        CReaderDeptDlg dlg;
        for (const char* name : {"", "  ", ""}) {
            lineEdit(dlg, "m_editDept")->setText(name);
            press(dlg, "m_btnAdd");
        }
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"操作失败"});
        QCOMPARE(tableRows("bumeninfo"), (QStringList{"", "  "}));
        QCOMPARE(listedIn(dlg), (QStringList{"", "  "}));
    }

    // What the "…" windows add reaches the combos when the form is reset, not before.
    void subWindowAdditionsWaitForTheReset_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QByteArray>("combo");
        QTest::addColumn<QStringList>("typed");  // edit name, then text, in turn
        QTest::addColumn<QString>("added");
        QTest::newRow("department") << QByteArray("m_btnDepts") << QByteArray("m_cmbDept")
                                    << QStringList{"m_editDept", "三年级二班"} << "三年级二班";
        QTest::newRow("reader type") << QByteArray("m_btnTypes") << QByteArray("m_cmbType")
                                     << QStringList{"m_editTypeName", "研究生", "m_editPeriod", "45", "m_editLimit", "3"}
                                     << "研究生";
    }

    void subWindowAdditionsWaitForTheReset()
    {
        QFETCH(QByteArray, button);
        QFETCH(QByteArray, combo);
        QFETCH(QStringList, typed);
        QFETCH(QString, added);
        QVERIFY(theApp().m_ado.ExecuteSql("insert into bumeninfo (部门) values ('一班'), ('初一')"));
        CReaderAddDlg dlg;
        dlg.show();
        auto* choice = dlg.findChild<QComboBox*>(combo);
        choice->setCurrentIndex(1);
        const QString chosen = choice->currentText();
        const QStringList terms{lineEdit(dlg, "m_editPeriod")->text(), lineEdit(dlg, "m_editLimit")->text()};

        QTimer::singleShot(0, [&typed] {
            QWidget* sub = QApplication::activeModalWidget();
            QVERIFY(sub);
            for (int i = 0; i + 1 < typed.size(); i += 2)
                lineEdit(*sub, typed[i].toLatin1())->setText(typed[i + 1]);
            press(*sub, "m_btnAdd");
            sub->close();
        });
        press(dlg, button.constData());
        QCOMPARE(choice->findText(added), -1);
        QCOMPARE(choice->currentText(), chosen);
        QCOMPARE((QStringList{lineEdit(dlg, "m_editPeriod")->text(), lineEdit(dlg, "m_editLimit")->text()}), terms);
        doubleClick(list(dlg)->viewport());  // on the list's empty part: the form is reset
        QVERIFY(choice->findText(added) >= 0);
        QCOMPARE(m_work->seams.prompter.texts(), QStringList());
    }

    void nextReaderNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("next");
        QTest::newRow("zeros kept") << "A0099" << "A0100";
        QTest::newRow("other characters move in front") << "0099A" << "A0100";
        QTest::newRow("digits on both sides of a letter") << "A1B2" << "AB13";
        QTest::newRow("a digit more") << "9" << "10";
        QTest::newRow("empty") << "" << "1";
        QTest::newRow("Chinese characters are no digits") << "初三0099" << "初三0100";
        QTest::newRow("past any integer") << "R99999999999999999999" << "R100000000000000000000";
    }

    void nextReaderNumber()
    {
        QFETCH(QString, number);
        QFETCH(QString, next);
        CReaderAddDlg dlg;
        lineEdit(dlg, "m_editNo")->setText(number);
        press(dlg, "m_btnNextNumber");
        QCOMPARE(lineEdit(dlg, "m_editNo")->text(), next);
    }

    // A type deleted since the form was reset cannot give its terms; the form keeps the
    // ones shown.
    void typeDeletedSinceTheReset()
    {
        CReaderAddDlg dlg;
        auto* types = dlg.findChild<QComboBox*>("m_cmbType");
        types->setCurrentIndex(types->findText("学生"));
        QVERIFY(theApp().m_ado.ExecuteSql("delete from duzheleibie where 类别名='教师'"));
        types->setCurrentIndex(types->findText("教师"));
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"操作失败"});
        QCOMPARE((QStringList{lineEdit(dlg, "m_editPeriod")->text(), lineEdit(dlg, "m_editLimit")->text()}),
                 (QStringList{"30", "2"}));
    }

    // A search that finds nobody, and a save, change what the pages are cut from, not the
    // page line: pages walk the empty result, then the saved reader's row alone, and a page
    // past its end cannot be cut from it.
    void pagesAfterNoHitsAndAfterASave()
    {
        for (int i = 51; i >= 1; --i)
            insertReader(QString("R%1").arg(i, 3, 10, QChar('0')), "读者");
        CReaderAddDlg dlg;
        dlg.show();
        auto* total = dlg.findChild<QLabel*>("m_staticPageInfo");
        press(dlg, "m_btnSearch");
        lineEdit(dlg, "m_editSearch")->setText("无此人");
        press(dlg, "m_btnSearch");
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"没有找到相关读者的信息!"});
        QCOMPARE(total->text(), "共计：2页  51条记录");
        QCOMPARE(dlg.findChild<QComboBox*>("m_cmbPage")->count(), 2);
        QCOMPARE(list(dlg)->GetItemCount(), 0);
        press(dlg, "m_btnNext");
        QCOMPARE(list(dlg)->GetItemCount(), 0);
        QCOMPARE(m_work->seams.prompter.lastText(), "操作失败");

        lineEdit(dlg, "m_editSearch")->setText("(全部)");
        press(dlg, "m_btnSearch");
        doubleClickRow(list(dlg), 0);
        press(dlg, "m_btnEdit");
        press(dlg, "m_btnSave");
        QCOMPARE(list(dlg)->GetItemCount(), 51);
        QCOMPARE(list(dlg)->GetItemText(0, 0), "R051");  // every reader, in the table's order
        press(dlg, "m_btnNext");
        QCOMPARE(list(dlg)->GetItemCount(), 0);
        press(dlg, "m_btnPrev");
        QCOMPARE(listedIn(dlg), QStringList{"R001"});
        QCOMPARE(total->text(), "共计：2页  51条记录");
        QCOMPARE(m_work->seams.prompter.texts(), (QStringList{"没有找到相关读者的信息!", "操作失败", "操作失败"}));
    }

    // Each window's own title; the reservation page, a page that also opens as a window,
    // has none.
    void titles()
    {
        const QList<std::pair<QWidget*, QString>> windows{
            {new CBookLendDlg, "图书信息查询"},          {new CBookLoanLossDlg, "图书挂失"},
            {new CReaderAddDlg, "添加读者"},             {new CReaderCancelDlg, "注销读者"},
            {new CReaderTypeDlg, "读者类型设置"},        {new CReaderDeptDlg, "读者部门设置"},
            {new CLendQueryDlg, "借阅信息查询"},         {new CReaderQueryDlg, "读者档案查询"},
            {new CReserveLendPage, ""},                  {new CSchoolLendQueryDlg, "各学校图书借阅信息查询"}};
        for (const auto& [window, title] : windows) {
            QCOMPARE(window->windowTitle(), title);
            delete window;
        }
    }

    void paging_data()
    {
        QTest::addColumn<int>("readers");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("lastPageRows");
        QTest::newRow("50") << 50 << "共计：1页  50条记录" << 50;
        QTest::newRow("101") << 101 << "共计：3页  101条记录" << 1;
    }

    void paging()
    {
        QFETCH(int, readers);
        QFETCH(QString, total);
        QFETCH(int, lastPageRows);
        for (int i = readers; i >= 1; --i)
            insertReader(QString("R%1").arg(i, 3, 10, QChar('0')), "读者");
        CReaderAddDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        press(dlg, "m_btnSearch");
        QCOMPARE(dlg.findChild<QLabel*>("m_staticPageInfo")->text(), total);
        auto* pages = dlg.findChild<QComboBox*>("m_cmbPage");
        QVERIFY(pages->isEditable());
        // A page number typed and left with Enter chooses nothing.
        QTest::mouseClick(pages->lineEdit(), Qt::LeftButton);
        pages->lineEdit()->selectAll();
        QTest::keyClicks(pages, QString::number(pages->count()));
        QTest::keyClick(pages, Qt::Key_Return);
        QVERIFY(!pages->hasFocus());
        QCOMPARE(list(dlg)->GetItemText(0, 0), "R001");
        QCOMPARE(list(dlg)->GetItemCount(), qMin(readers, 50));
        while (pages->currentIndex() < pages->count() - 1)
            press(dlg, "m_btnNext");
        QCOMPARE(list(dlg)->GetItemCount(), lastPageRows);
        QCOMPARE(list(dlg)->GetItemText(lastPageRows - 1, 0), QString("R%1").arg(readers, 3, 10, QChar('0')));
        press(dlg, "m_btnNext");
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"已是最后一页！"});
    }

    // A state button pressed from the keyboard turns grey; the focus goes to the other state's
    // button, and the search edit keeps its "(全部)".
    void editStateButtonsKeepTheFocusInTheirRow_data()
    {
        QTest::addColumn<QStringList>("pressed");
        QTest::addColumn<QByteArray>("focus");
        QTest::newRow("修改") << QStringList{"m_btnEdit"} << QByteArray("m_btnSave");
        QTest::newRow("取消") << QStringList{"m_btnEdit", "m_btnCancel"} << QByteArray("m_btnEdit");
        QTest::newRow("保存") << QStringList{"m_btnEdit", "m_btnSave"} << QByteArray("m_btnEdit");
    }

    void editStateButtonsKeepTheFocusInTheirRow()
    {
        QFETCH(QStringList, pressed);
        QFETCH(QByteArray, focus);
        insertReader("R1", "张三");
        CReaderAddDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        lineEdit(dlg, "m_editNo")->setText("R1");
        lineEdit(dlg, "m_editName")->setText("张三丰");
        for (const QString& name : pressed) {
            auto* button = dlg.findChild<QPushButton*>(name);
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Space);
        }
        QCOMPARE(m_work->seams.prompter.texts(), QStringList());
        QCOMPARE(QApplication::focusWidget(), dlg.findChild<QWidget*>(focus));
        QCOMPARE(lineEdit(dlg, "m_editSearch")->text(), "(全部)");
    }

    void deleteRefusesAReaderWithLoans()
    {
        insertReader("R1", "张三");
        insertReader("R2", "李四");
        insertLoanRow("B1", "R1", "qkjieyueinfo");
        // The stored counts are wrong on purpose: R1 shows nothing out, R2 shows two.
        QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=2 where 编号='R2'"));
        CReaderAddDlg dlg;
        dlg.show();
        press(dlg, "m_btnSearch");
        for (int row : {0, 1}) {
            doubleClickRow(list(dlg), row);
            press(dlg, "m_btnDelete");
        }
        QCOMPARE(m_work->seams.prompter.texts(), (QStringList{"图书还没还清！", "确实删除该信息吗？"}));
        QCOMPARE(m_work->seams.prompter.messages.last().caption, "注销读者");
        QCOMPARE(m_work->seams.prompter.messages.last().defaultButton, QMessageBox::NoButton);
        QCOMPARE(cell("select group_concat(编号) from readerinfo"), "R1");
    }

    void cancelKeepsReadersWithLoans()
    {
        insertReader("R1", "张三");
        insertReader("R2", "李四");
        insertReader("R3", "王五");
        insertReader("R4", "赵六");
        insertLoanRow("B1", "R2");
        CReaderCancelDlg dlg;
        dlg.show();
        lineEdit(dlg, "m_editKeyword")->setText("(全部)");
        press(dlg, "m_btnFind");
        for (int row : {0, 1, 2})
            list(dlg)->SetCheck(row, true);
        press(dlg, "m_btnCancelReaders");
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"有1条读者记录因图书未还清不能清除!"});
        QCOMPARE(tableRows("readerinfo").size(), 2);
        QCOMPARE(list(dlg)->GetItemCount(), 2);
        QCOMPARE(list(dlg)->GetItemText(0, 0), "R2");
    }

    // A delete the database refuses is not said: the list that follows shows the readers
    // still there, every one of them tried.
    void cancelFailureShowsInTheList()
    {
        insertReader("R1", "张三");
        insertReader("R2", "李四");
        CReaderCancelDlg dlg;
        lineEdit(dlg, "m_editKeyword")->setText("(全部)");
        press(dlg, "m_btnFind");
        failOn("before delete on readerinfo");
        for (int row : {0, 1})
            list(dlg)->SetCheck(row, true);
        press(dlg, "m_btnCancelReaders");
        QCOMPARE(m_work->seams.prompter.texts(), QStringList());
        QCOMPARE(listedIn(dlg), (QStringList{"R1", "R2"}));
    }

    // The reader found first cannot be read: said, and the list is filled all the same.
    void firstMatchUnreadable()
    {
        insertReader("R1", "张三");
        insertReader("R2", "李四");
        CReaderCancelDlg dlg;
        lineEdit(dlg, "m_editNo")->setText("R0");
        lineEdit(dlg, "m_editKeyword")->setText("(全部)");
        int refusals = 1;
        // The first statement that reads readerinfo is refused, the next ones are not.
        sqlite3_set_authorizer(
            theApp().m_ado.SqliteHandle(),
            [](void* left, int action, const char* table, const char*, const char*, const char*) {
                int& refusalsLeft = *static_cast<int*>(left);
                if (action != SQLITE_READ || qstrcmp(table, "readerinfo") != 0 || refusalsLeft == 0)
                    return SQLITE_OK;
                --refusalsLeft;
                return SQLITE_DENY;
            },
            &refusals);
        press(dlg, "m_btnFind");
        sqlite3_set_authorizer(theApp().m_ado.SqliteHandle(), nullptr, nullptr);
        QCOMPARE(refusals, 0);
        QCOMPARE(m_work->seams.prompter.texts(), QStringList{"读者信息不完整！"});
        QCOMPARE(listedIn(dlg), (QStringList{"R1", "R2"}));
        QCOMPARE(lineEdit(dlg, "m_editNo")->text(), "R0");
    }
};

QTEST_MAIN(TestCirculation)
#include "test_circulation.moc"
