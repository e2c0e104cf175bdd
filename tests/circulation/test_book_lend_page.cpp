#include "CirculationFixture.h"
#include "circulation/BookLendPage.h"
#include "controls/ReportListCtrl.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

class TestBookLendPage : public QObject {
    Q_OBJECT

    struct Desk {
        CBookLendPage page;
        QLineEdit* edit(const char* name) { return page.findChild<QLineEdit*>(name); }
        CReportListCtrl* list(const char* name) { return page.findChild<CReportListCtrl*>(name); }
        void enter(const char* name, const QString& text)
        {
            typeText(edit(name), text);
            QTest::keyClick(edit(name), Qt::Key_Return);
        }
        void doubleClickRow(const char* name, int row)
        {
            CReportListCtrl* l = list(name);
            l->SetSelected(row, true);
            const QRect rect = l->visualItemRect(l->topLevelItem(row));
            QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::qWait(0);
        }
        QStringList column(const char* name, int column)
        {
            QStringList texts;
            for (int row = 0; row < list(name)->GetItemCount(); ++row)
                texts << list(name)->GetItemText(row, column);
            return texts;
        }
    };

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
    }

private slots:
    void init();
    void cleanup();
    void uploadBoxIsHidden();
    void bookSearch_data();
    void bookSearch();
    void singleHitAtTheLimitIsRefused();
    void lendAll_data();
    void lendAll();
    void aCopyListedTwiceIsLentOnce();
    void returnByNumberSwitchesToTheBorrower();
    void returnedCopyCanBeLentAgain();
    void bookSearchNeedsAReader();
    void failedLendReportsAndChangesNothing();

private:
    ScriptedSeams* m_seams = nullptr;
    TestProgramFolder* m_folder = nullptr;
};

void TestBookLendPage::init()
{
    m_seams = new ScriptedSeams;
    m_folder = new TestProgramFolder;
    QVERIFY(m_folder->isReady());
    catalogue();
}

void TestBookLendPage::cleanup()
{
    delete m_folder;
    delete m_seams;
}

void TestBookLendPage::uploadBoxIsHidden()
{
    Desk desk;
    desk.page.show();
    QVERIFY(desk.page.findChild<QCheckBox*>("m_checkUpload")->isHidden());
}

void TestBookLendPage::bookSearch_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("lent");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("exact barcode of one copy lends at once")
        << "9787020008735" << QStringList{} << QStringList{"B4"} << QStringList{};
    QTest::newRow("exact number lends at once") << "  B3" << QStringList{} << QStringList{"B3"} << QStringList{};
    QTest::newRow("title fragment lists several")
        << "红楼" << QStringList{"B1", "B2", "B3"} << QStringList{} << QStringList{};
    QTest::newRow("a barcode shared by two copies lists both")
        << "9787020002207" << QStringList{"B1", "B2"} << QStringList{} << QStringList{};
    QTest::newRow("lent copy not found") << "三国" << QStringList{} << QStringList{}
                                         << QStringList{"没有这本书的信息！"};
    QTest::newRow("reserved copy not found") << "B6" << QStringList{} << QStringList{}
                                             << QStringList{"没有这本书的信息！"};
}

void TestBookLendPage::bookSearch()
{
    QFETCH(QString, key);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, lent);
    QFETCH(QStringList, messages);
    Desk desk;
    desk.enter("m_editReaderInput", "R1");

    desk.enter("m_editBookKey", key);
    QCOMPARE(desk.column("m_listBooks", 0), listed);
    QCOMPARE(desk.column("m_listLent", 0), lent);
    QCOMPARE(m_seams->prompter.texts(), messages);
    if (!messages.isEmpty())
        QCOMPARE(m_seams->prompter.messages.first().caption, "提示");
    QCOMPARE(desk.edit("m_editBookKey")->text(), "");
    QCOMPARE(desk.edit("m_editLentCount")->text(), QString::number(lent.size()));
}

void TestBookLendPage::singleHitAtTheLimitIsRefused()
{
    insertLoanRow("X1", "R1");
    insertLoanRow("X2", "R1", "qkjieyueinfo");
    Desk desk;
    desk.enter("m_editReaderInput", "R1");

    desk.enter("m_editBookKey", "B4");
    QCOMPARE(m_seams->prompter.texts(), QStringList{"对不起！您的借阅数量受限！\n"});
    QCOMPARE(cell("select 是否借出 from bkinfo where 图书编号='B4'"), "0");
    desk.enter("m_editBookKey", "红楼");
    desk.doubleClickRow("m_listBooks", 0);
    QCOMPARE(m_seams->prompter.texts().size(), 2);
    QCOMPARE(m_seams->prompter.lastText(), "对不起！您的借阅数量受限！\n");
    QCOMPARE(cell("select count(*) from jieyueinfo where 读者编号='R1'"), "1");
}

void TestBookLendPage::lendAll_data()
{
    QTest::addColumn<int>("listedCopies");
    QTest::addColumn<int>("loansAfter");
    QTest::newRow("one on loan, two listed: refused whole") << 2 << 1;
    QTest::newRow("one on loan, one listed: up to the limit") << 1 << 2;
}

void TestBookLendPage::lendAll()
{
    QFETCH(int, listedCopies);
    QFETCH(int, loansAfter);
    insertLoanRow("X1", "R1");
    Desk desk;
    desk.enter("m_editReaderInput", "R1");
    desk.enter("m_editBookKey", "9787020002207");
    if (listedCopies == 1)
        desk.list("m_listBooks")->DeleteItem(1);

    desk.page.findChild<CSkinButton*>("m_btnLendAll")->click();
    QCOMPARE(cell("select count(*) from jieyueinfo where 读者编号='R1'"), QString::number(loansAfter));
    QCOMPARE(desk.edit("m_editLentCount")->text(), QString::number(loansAfter));
    QCOMPARE(m_seams->prompter.texts().isEmpty(), loansAfter == 2);
}

void TestBookLendPage::aCopyListedTwiceIsLentOnce()
{
    Desk desk;
    desk.enter("m_editReaderInput", "R2");
    desk.enter("m_editBookKey", "红楼");
    desk.list("m_listBooks")->AddItem(desk.list("m_listBooks")->GetRowTexts(0));

    desk.page.findChild<CSkinButton*>("m_btnLendAll")->click();
    QCOMPARE(desk.column("m_listLent", 0), (QStringList{"B1", "B2", "B3"}));
    QCOMPARE(m_seams->prompter.texts(), QStringList{"图书B1已经借出！"});
    QCOMPARE(cell("select 未还书数 from readerinfo where 编号='R2'"), "3");
    QCOMPARE(cell("select count(*) from jieyuelishiinfo"), "3");
}

void TestBookLendPage::returnByNumberSwitchesToTheBorrower()
{
    {
        Desk lend;
        lend.enter("m_editReaderInput", "R2");
        lend.enter("m_editBookKey", "B4");
    }
    Desk desk;
    desk.enter("m_editReaderInput", "R1");
    desk.enter("m_editReturnKey", "B4");

    QCOMPARE(desk.edit("m_editReaderNo")->text(), "R2");
    QCOMPARE(desk.edit("m_editReaderName")->text(), "李四");
    QCOMPARE(desk.edit("m_editLentCount")->text(), "0");
    QCOMPARE(desk.column("m_listBooks", 0), QStringList{"B4"});
    QCOMPARE(tableRows("jieyuelishiinfo").last(), "B4|水浒传|R2|李四|学生|图书归还|2017-04-11|超级用户|一班");
    desk.enter("m_editReturnKey", "B4");
    QCOMPARE(m_seams->prompter.texts(), QStringList{"无此记录！"});
}

void TestBookLendPage::returnedCopyCanBeLentAgain()
{
    Desk desk;
    desk.enter("m_editReaderInput", "张");
    desk.enter("m_editBookKey", "B4");
    desk.doubleClickRow("m_listLent", 0);

    QCOMPARE(desk.column("m_listLent", 0), QStringList{});
    QCOMPARE(desk.column("m_listBooks", 0), QStringList{"B4"});
    QCOMPARE(desk.column("m_listBooks", 6), QStringList{"未借"});
    desk.doubleClickRow("m_listBooks", 0);
    QCOMPARE(desk.column("m_listLent", 0), QStringList{"B4"});
    QCOMPARE(desk.column("m_listBooks", 0), QStringList{});
    QCOMPARE(m_seams->prompter.texts(), QStringList{});
}

void TestBookLendPage::bookSearchNeedsAReader()
{
    Desk desk;
    desk.enter("m_editReaderInput", "nobody");
    desk.enter("m_editBookKey", "B4");
    QCOMPARE(m_seams->prompter.texts(), (QStringList{"查无此人！", "请输入读者信息!\n"}));
    QCOMPARE(cell("select count(*) from jieyueinfo"), "0");
}

void TestBookLendPage::failedLendReportsAndChangesNothing()
{
    Desk desk;
    desk.enter("m_editReaderInput", "R1");
    QVERIFY(theApp().m_ado.ExecuteSql(
        "create temp trigger fail before update on readerinfo begin select raise(abort, 'disk full'); end"));
    QStringList before;
    for (const QString& table : circulationTables())
        before << tableRows(table);

    desk.enter("m_editBookKey", "B4");
    QCOMPARE(m_seams->prompter.texts(), QStringList{"操作失败"});
    QStringList after;
    for (const QString& table : circulationTables())
        after << tableRows(table);
    QCOMPARE(after, before);
    QCOMPARE(desk.column("m_listLent", 0), QStringList{});
    QCOMPARE(desk.column("m_listBooks", 0), QStringList{"B4"});
}

QTEST_MAIN(TestBookLendPage)
#include "test_book_lend_page.moc"
