#include "CirculationFixture.h"
#include "circulation/BookLendDlg.h"
#include "circulation/ReaderAddDlg.h"
#include "circulation/ReaderDeptDlg.h"
#include "circulation/ReaderTypeDlg.h"
#include "db/AppState.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

// A librarian registers a reader type, a department and a reader, lends two books by
// scanning and returns one; every table must tell the same story.
class TestLendingRoad : public QObject {
    Q_OBJECT

    static void choose(QWidget& window, const char* comboName, const QString& text)
    {
        auto* combo = window.findChild<QComboBox*>(comboName);
        QVERIFY(combo->findText(text) >= 0);
        combo->setCurrentIndex(combo->findText(text));
    }

private slots:

    void registerLendAndReturn()
    {
        Workplace work;
        QVERIFY(work.folder.isReady());
        insertBook("B1", "红楼梦", "9787020002207", "25.80");
        insertBook("B2", "水浒传", "9787020008735", "");
        insertBook("B3", "西游记", "9787020008742", "30");

        CReaderTypeDlg types;
        types.show();
        typeText(lineEdit(types, "m_editTypeName"), "研究生");
        typeText(lineEdit(types, "m_editPeriod"), "45天");
        typeText(lineEdit(types, "m_editLimit"), "3");
        press(types, "m_btnAdd");
        QCOMPARE(tableRows("duzheleibie").last(), "研究生|45|3");

        CReaderDeptDlg depts;
        depts.show();
        typeText(lineEdit(depts, "m_editDept"), "三年级二班");
        press(depts, "m_btnAdd");
        QCOMPARE(tableRows("bumeninfo"), QStringList{"三年级二班"});

        CReaderAddDlg readers;
        readers.show();
        choose(readers, "m_cmbType", "研究生");
        QCOMPARE(lineEdit(readers, "m_editPeriod")->text(), "45");
        QCOMPARE(lineEdit(readers, "m_editLimit")->text(), "3");
        choose(readers, "m_cmbDept", "三年级二班");
        typeText(lineEdit(readers, "m_editNo"), "R0099");
        press(readers, "m_btnNextNumber");
        typeText(lineEdit(readers, "m_editName"), "王'小明");
        press(readers, "m_btnAdd");
        QCOMPARE(tableRows("readerinfo"), QStringList{"R0100|王'小明|男|研究生|45|三年级二班|0||3|2017-04-11||"});

        CBookLendDlg lending;
        lending.show();
        lending.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&lending));
        scan(lending, "m_editReaderInput", "R0100");
        QCOMPARE(lineEdit(lending, "m_editReaderName")->text(), "王'小明");
        QCOMPARE(QApplication::focusWidget(), lineEdit(lending, "m_editBookKey"));
        scan(lending, "m_editBookKey", "9787020002207");
        QCOMPARE(QApplication::focusWidget(), lineEdit(lending, "m_editBookKey"));
        scan(lending, "m_editBookKey", "B2");
        QCOMPARE(lineEdit(lending, "m_editLentCount")->text(), "2");
        scan(lending, "m_editReturnKey", "B1");
        QCOMPARE(QApplication::focusWidget(), lineEdit(lending, "m_editReturnKey"));
        QCOMPARE(work.seams.prompter.texts(), QStringList());

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
        QCOMPARE(lineEdit(lending, "m_editLentCount")->text(), "1");
    }
};

QTEST_MAIN(TestLendingRoad)
#include "test_lending_road.moc"
