#include "CirculationFixture.h"
#include "circulation/BookLendDlg.h"
#include "circulation/CirculationWindows.h"
#include "circulation/ReaderAddDlg.h"
#include "circulation/ReaderDeptDlg.h"
#include "circulation/ReaderTypeDlg.h"
#include "controls/CommandTable.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QTabWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

// A librarian registers a reader type, a department and a reader, lends two books by
// scanning and returns one; every table must tell the same story.
class TestLendingRoad : public QObject {
    Q_OBJECT

    template <typename T = QLineEdit>
    static T* field(QWidget& window, const char* name)
    {
        T* widget = window.findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    static void scan(QWidget& window, const char* fieldName, const QString& text)
    {
        QLineEdit* edit = field(window, fieldName);
        edit->setFocus();
        typeText(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    static void choose(QComboBox* combo, const QString& text)
    {
        const int index = combo->findText(text);
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
    }

private slots:
    void theCommandsHaveWindows();
    void registerLendAndReturn();
};

void TestLendingRoad::theCommandsHaveWindows()
{
    CommandTable table;
    registerCirculationWindows(table);
    for (int command : {32801, 32805, 32826, 32807, 32821})
        QVERIFY(table.has(command));
}

void TestLendingRoad::registerLendAndReturn()
{
    ScriptedSeams seams;
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    insertBook("B1", "红楼梦", "9787020002207", "25.80");
    insertBook("B2", "水浒传", "9787020008735", "");
    insertBook("B3", "西游记", "9787020008742", "30");

    CReaderTypeDlg types;
    types.show();
    typeText(field(types, "m_editTypeName"), "研究生");
    typeText(field(types, "m_editPeriod"), "45天");
    typeText(field(types, "m_editLimit"), "3");
    field<CSkinButton>(types, "m_btnAdd")->click();
    QCOMPARE(tableRows("duzheleibie").last(), "研究生|45|3");

    CReaderDeptDlg depts;
    depts.show();
    typeText(field(depts, "m_editDept"), "三年级二班");
    field<CSkinButton>(depts, "m_btnAdd")->click();
    QCOMPARE(tableRows("bumeninfo"), QStringList{"三年级二班"});

    CReaderAddDlg readers;
    readers.show();
    choose(field<QComboBox>(readers, "m_cmbType"), "研究生");
    QCOMPARE(field(readers, "m_editPeriod")->text(), "45");
    QCOMPARE(field(readers, "m_editLimit")->text(), "3");
    choose(field<QComboBox>(readers, "m_cmbDept"), "三年级二班");
    typeText(field(readers, "m_editNo"), "R0099");
    field<CSkinButton>(readers, "m_btnNextNumber")->click();
    typeText(field(readers, "m_editName"), "王'小明");
    field<CSkinButton>(readers, "m_btnAdd")->click();
    QCOMPARE(tableRows("readerinfo"), QStringList{"R0100|王'小明|男|研究生|45|三年级二班|0||3|2017-04-11||"});

    CBookLendDlg lending;
    lending.show();
    auto* tabs = field<QTabWidget>(lending, "m_tab");
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), "图书借阅管理");
    QVERIFY(field<QWidget>(lending, "CReserveLendPage")->isHidden());
    QVERIFY(field<QCheckBox>(lending, "m_checkUpload")->isHidden());
    lending.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&lending));
    scan(lending, "m_editReaderInput", "R0100");
    QCOMPARE(field(lending, "m_editReaderName")->text(), "王'小明");
    QCOMPARE(QApplication::focusWidget(), field(lending, "m_editBookKey"));
    scan(lending, "m_editBookKey", "9787020002207");
    QCOMPARE(QApplication::focusWidget(), field(lending, "m_editBookKey"));
    scan(lending, "m_editBookKey", "B2");
    QCOMPARE(field(lending, "m_editLentCount")->text(), "2");
    scan(lending, "m_editReturnKey", "B1");
    QCOMPARE(QApplication::focusWidget(), field(lending, "m_editReturnKey"));
    QCOMPARE(seams.prompter.texts(), QStringList());

    QCOMPARE(tableRows("bkinfo").size(), 3);
    QCOMPARE(cell("select group_concat(是否借出, ',') from (select 是否借出 from bkinfo order by ID)"), "0,1,0");
    QCOMPARE(cell("select count(*) from jieyueinfo"), "1");
    QCOMPARE(cell("select 图书编号 || '|' || 书名 || '|' || 条形码 || '|' || 读者编号 || '|' || 读者姓名 || '|' || "
                  "读者类别 || '|' || 借书日期 || '|' || 应还时间 || '|' || 图书价格 || '|' || 操作员 || '|' || 部门 "
                  "from jieyueinfo"),
             "B2|水浒传|9787020008735|R0100|王'小明|研究生|2017-04-11|2017-05-26|0|超级用户|三年级二班");
    QCOMPARE(tableRows("jieyuelishiinfo"),
             (QStringList{"B1|红楼梦|R0100|王'小明|研究生|图书借阅|2017-04-11|超级用户|三年级二班",
                          "B2|水浒传|R0100|王'小明|研究生|图书借阅|2017-04-11|超级用户|三年级二班",
                          "B1|红楼梦|R0100|王'小明|研究生|图书归还|2017-04-11|超级用户|三年级二班"}));
    QCOMPARE(cell("select 未还书数 from readerinfo"), "1");
    QCOMPARE(field(lending, "m_editLentCount")->text(), "1");
}

QTEST_MAIN(TestLendingRoad)
#include "test_lending_road.moc"
