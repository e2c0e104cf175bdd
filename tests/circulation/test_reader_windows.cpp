#include "CirculationFixture.h"
#include "circulation/ReaderAddDlg.h"
#include "circulation/ReaderCancelDlg.h"
#include "circulation/ReaderDeptDlg.h"
#include "circulation/ReaderTypeDlg.h"
#include "controls/ReportListCtrl.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

QLineEdit* edit(QWidget& w, const char* name) { return w.findChild<QLineEdit*>(name); }
CReportListCtrl* list(QWidget& w) { return w.findChild<CReportListCtrl*>("m_list"); }
void press(QWidget& w, const char* name) { w.findChild<CSkinButton*>(name)->click(); }
void clickRow(CReportListCtrl* l, int row, bool twice)
{
    const QPoint at = row < 0 ? QPoint(5, l->viewport()->height() - 5)
                              : l->visualItemRect(l->topLevelItem(row)).center();
    if (twice)
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
    else
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
    QTest::qWait(0);
}

} // namespace

class TestReaderWindows : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typeFormRefusesEmptyFieldsInOrder_data();
    void typeFormRefusesEmptyFieldsInOrder();
    void departmentClicks();
    void paging_data();
    void paging();
    void nextNumber_data();
    void nextNumber();
    void addRefusesAnExistingNumber();
    void saveKeepsTheLendingCount();
    void deleteRefusesAReaderWithLoans();
    void cancelKeepsReadersWithLoans();

private:
    ScriptedSeams* m_seams = nullptr;
    TestProgramFolder* m_folder = nullptr;
};

void TestReaderWindows::init()
{
    m_seams = new ScriptedSeams;
    m_folder = new TestProgramFolder;
    QVERIFY(m_folder->isReady());
}

void TestReaderWindows::cleanup()
{
    delete m_folder;
    delete m_seams;
}

void TestReaderWindows::typeFormRefusesEmptyFieldsInOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << "" << "30" << "2" << "读者类别不能为空!\n";
    QTest::newRow("no period") << "职工" << "" << "" << "请填借书期限!\n";
    QTest::newRow("no limit") << "职工" << "30" << "" << "请填限制数量!\n";
    QTest::newRow("existing type") << "学生" << "30" << "2" << "操作失败";
}

void TestReaderWindows::typeFormRefusesEmptyFieldsInOrder()
{
    QFETCH(QString, name);
    QFETCH(QString, period);
    QFETCH(QString, limit);
    QFETCH(QString, message);
    CReaderTypeDlg dlg;
    edit(dlg, "m_editTypeName")->setText(name);
    edit(dlg, "m_editPeriod")->setText(period);
    edit(dlg, "m_editLimit")->setText(limit);
    press(dlg, "m_btnAdd");
    QCOMPARE(m_seams->prompter.texts(), QStringList{message});
    QCOMPARE(tableRows("duzheleibie").size(), 2);
    QCOMPARE(list(dlg)->GetItemCount(), 2);
}

void TestReaderWindows::departmentClicks()
{
    QVERIFY(theApp().m_ado.ExecuteSql("insert into bumeninfo values ('一班'), ('二班')"));
    CReaderDeptDlg dlg;
    dlg.show();
    clickRow(list(dlg), 1, false);
    QCOMPARE(edit(dlg, "m_editDept")->text(), "二班");
    press(dlg, "m_btnDelete");
    QCOMPARE(edit(dlg, "m_editDept")->text(), "");
    QCOMPARE(tableRows("bumeninfo"), QStringList{"一班"});
    list(dlg)->clearSelection();
    clickRow(list(dlg), -1, false);
    QCOMPARE(m_seams->prompter.texts(), QStringList{"没有选定项目!\n"});
}

void TestReaderWindows::paging_data()
{
    QTest::addColumn<int>("readers");
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("lastPageRows");
    QTest::newRow("50") << 50 << "共计：1页  50条记录" << 50;
    QTest::newRow("51") << 51 << "共计：2页  51条记录" << 1;
    QTest::newRow("100") << 100 << "共计：2页  100条记录" << 50;
    QTest::newRow("101") << 101 << "共计：3页  101条记录" << 1;
}

void TestReaderWindows::paging()
{
    QFETCH(int, readers);
    QFETCH(QString, total);
    QFETCH(int, lastPageRows);
    for (int i = readers; i >= 1; --i)
        insertReader(QString("R%1").arg(i, 3, 10, QChar('0')), "读者");
    CReaderAddDlg dlg;
    press(dlg, "m_btnSearch");
    QCOMPARE(dlg.findChild<QLabel*>("m_staticPageInfo")->text(), total);
    QCOMPARE(list(dlg)->GetItemText(0, 0), "R001");
    QCOMPARE(list(dlg)->GetItemCount(), qMin(readers, 50));
    auto* pages = dlg.findChild<QComboBox*>("m_cmbPage");
    while (pages->currentIndex() < pages->count() - 1)
        press(dlg, "m_btnNext");
    QCOMPARE(list(dlg)->GetItemCount(), lastPageRows);
    QCOMPARE(list(dlg)->GetItemText(lastPageRows - 1, 0), QString("R%1").arg(readers, 3, 10, QChar('0')));
    press(dlg, "m_btnNext");
    QCOMPARE(m_seams->prompter.texts(), QStringList{"已是最后一页！"});
}

void TestReaderWindows::nextNumber_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("next");
    QTest::newRow("carry keeps zeros") << "A0099" << "A0100";
    QTest::newRow("nine") << "9" << "10";
    QTest::newRow("empty") << "" << "1";
    QTest::newRow("Chinese prefix") << "初一009" << "初一010";
    QTest::newRow("past nine digits") << "R999999999" << "R1000000000";
}

void TestReaderWindows::nextNumber()
{
    QFETCH(QString, number);
    QFETCH(QString, next);
    CReaderAddDlg dlg;
    edit(dlg, "m_editNo")->setText(number);
    press(dlg, "m_btnNextNumber");
    QCOMPARE(edit(dlg, "m_editNo")->text(), next);
}

void TestReaderWindows::addRefusesAnExistingNumber()
{
    insertReader("R1", "张三");
    CReaderAddDlg dlg;
    edit(dlg, "m_editNo")->setText("R1");
    edit(dlg, "m_editName")->setText("李四");
    press(dlg, "m_btnAdd");
    QCOMPARE(m_seams->prompter.texts(), QStringList{"这个编号已存在!\n"});
    QCOMPARE(cell("select 姓名 from readerinfo"), "张三");
}

void TestReaderWindows::saveKeepsTheLendingCount()
{
    insertReader("R1", "张三");
    CReaderAddDlg dlg;
    dlg.show();
    press(dlg, "m_btnSearch");
    list(dlg)->SetSelected(0, true);
    clickRow(list(dlg), 0, true);
    QCOMPARE(edit(dlg, "m_editName")->text(), "张三");
    press(dlg, "m_btnEdit");
    edit(dlg, "m_editName")->setText("张三丰");
    press(dlg, "m_btnSave");
    QCOMPARE(m_seams->prompter.texts(), QStringList{});
    QCOMPARE(cell("select 姓名 || '|' || 借出次数 from readerinfo"), "张三丰|7");
    QVERIFY(edit(dlg, "m_editNo")->isEnabled());
}

void TestReaderWindows::deleteRefusesAReaderWithLoans()
{
    insertReader("R1", "张三");
    insertReader("R2", "李四");
    insertLoanRow("B1", "R1");
    CReaderAddDlg dlg;
    dlg.show();
    press(dlg, "m_btnSearch");
    QCOMPARE(list(dlg)->GetItemText(0, 8), "");  // the stored count says nothing is out
    for (int row : {0, 1}) {
        list(dlg)->clearSelection();
        list(dlg)->SetSelected(row, true);
        clickRow(list(dlg), row, true);
        press(dlg, "m_btnDelete");
    }
    QCOMPARE(m_seams->prompter.texts(), (QStringList{"图书还没还清！", "确实删除该信息吗？"}));
    QCOMPARE(tableRows("readerinfo").size(), 1);
    QCOMPARE(cell("select 编号 from readerinfo"), "R1");
}

void TestReaderWindows::cancelKeepsReadersWithLoans()
{
    insertReader("R1", "张三");
    insertReader("R2", "李四");
    insertReader("R3", "王五");
    insertReader("R4", "赵六");
    insertLoanRow("B1", "R2", "qkjieyueinfo");
    CReaderCancelDlg dlg;
    dlg.show();
    edit(dlg, "m_editKeyword")->setText("(全部)");
    press(dlg, "m_btnFind");
    QCOMPARE(edit(dlg, "m_editName")->text(), "张三");
    for (int row : {0, 1, 2})
        list(dlg)->SetCheck(row, true);
    press(dlg, "m_btnCancelReaders");
    QCOMPARE(m_seams->prompter.texts(), QStringList{"有1条读者记录因图书未还清不能清除!"});
    QCOMPARE(tableRows("readerinfo").size(), 2);
    QCOMPARE(list(dlg)->GetItemCount(), 2);
    QCOMPARE(list(dlg)->GetItemText(0, 0), "R2");
}

QTEST_MAIN(TestReaderWindows)
#include "test_reader_windows.moc"
