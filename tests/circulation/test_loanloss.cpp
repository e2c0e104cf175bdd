#include "CirculationFixture.h"
#include "CirculationLists.h"

#include "catalogue/BookUnlossDlg.h"
#include "circulation/BookLoanLossDlg.h"
#include "circulation/LendingService.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {
void selectRows(QWidget& w, const QList<int>& rows)
{
    list(w)->clearSelection();
    for (int row : rows)
        list(w)->SetSelected(row, true);
}

void lendThroughTheDesk(const QString& book, const QString& reader)
{
    LendingService desk(theApp().m_ado, "管理员");
    QCOMPARE(desk.lend(*desk.readerByNumber(reader), desk.findInStock(book).value(0)), LendingService::Outcome::Done);
}

// R1 has B1 and B2 and a periodical out but a stored count of 7; R2 has B3.
void twoReaders()
{
    insertReader("R1", "张三", "5");
    insertReader("R2", "李四", "5");
    for (const char* book : {"B1", "B2", "B3"})
        insertBook(book, "红楼梦");
    lendThroughTheDesk("B1", "R1");
    lendThroughTheDesk("B2", "R1");
    lendThroughTheDesk("B3", "R2");
    insertLoanRow("Q1", "R1", "qkjieyueinfo");
    QVERIFY(theApp().m_ado.ExecuteSql("update readerinfo set 未还书数=7 where 编号='R1'"));
}

QStringList lossSnapshot()
{
    return circulationSnapshot() << "bkinfo_diushi" << tableRows("bkinfo_diushi");
}
}

// A reader's lost loan: the copy moves to the loss table under his name, his loan ends and
// his count is recounted.
class TestLoanLoss : public QObject {
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

    void lossEndsTheLoanAndRecounts()
    {
        twoReaders();
        const int history = tableRows("jieyuelishiinfo").size();
        const QString otherReader = tableRows("readerinfo").last();
        CBookLoanLossDlg w;
        scan(w, "m_editReader", "R1");
        QCOMPARE(listedIn(w), (QStringList{"B1", "B2"}));
        lineEdit(w, "m_editReader")->setText("R2");
        selectRows(w, {1, 0});

        press(w, "m_btnReportLoss");
        QVERIFY(messages().isEmpty());
        QCOMPARE(listedIn(w), QStringList{"B2"});
        QCOMPARE(cell("select 未还书数 from readerinfo where 编号='R1'"), "2");
        QCOMPARE(tableRows("readerinfo").last(), otherReader);
        QCOMPARE(cell("select count(*) from bkinfo where 图书编号='B1'"), "0");
        QCOMPARE(cell("select count(*) from jieyueinfo where 图书编号='B1'"), "0");
        QCOMPARE(cell("select 读者编号 || '|' || 读者姓名 || '|' || 挂失日期 || '|' || 操作员 from bkinfo_diushi "
                      "where 图书编号='B1'"),
                 "R1|张三|2017-04-11|超级用户");
        QCOMPARE(tableRows("jieyuelishiinfo").size(), history);
    }

    void lostLoanComesBackWithItsColumns()
    {
        insertReader("R1", "张三", "5");
        QVERIFY(theApp().m_ado.ExecuteSql(
            "insert into bkinfo (条形码, 图书编号, 分类号, 书名, 单价, 入库时间) values ('978''1', 'B1', NULL, '红楼梦 O''Brien', 25.8, '2017-01-01')"));
        const QString columns = "select quote(条形码) || quote(图书编号) || quote(分类号) || quote(书名) || quote(单价) "
                                "|| quote(入库时间) || quote(是否借出) from bkinfo";
        const QString before = cell(columns);
        lendThroughTheDesk("B1", "R1");
        CBookLoanLossDlg w;
        scan(w, "m_editReader", "R1");
        selectRows(w, {0});
        press(w, "m_btnReportLoss");

        CBookUnlossDlg unloss;
        unloss.findChild<QPushButton*>("m_btnQuery")->click();
        selectRows(unloss, {0});
        unloss.findChild<QPushButton*>("m_btnUnloss")->click();
        QVERIFY(messages().isEmpty());
        QCOMPARE(cell(columns), before);
        QCOMPARE(cell("select count(*) from bkinfo_diushi"), "0");
        QCOMPARE(cell("select 未还书数 from readerinfo"), "0");
    }

    // A loan brought in from elsewhere may name a reader who was never registered here.
    void unregisteredReadersLoanIsLost()
    {
        insertBook("B1", "红楼梦", "", "25.80", 1);
        insertLoanRow("B1", "X9");
        QVERIFY(theApp().m_ado.ExecuteSql("update jieyueinfo set 读者姓名='外校读者'"));
        CBookLoanLossDlg w;
        scan(w, "m_editReader", "X9");
        selectRows(w, {0});
        press(w, "m_btnReportLoss");
        QVERIFY(messages().isEmpty());
        QCOMPARE(listedIn(w), QStringList());
        QCOMPARE(cell("select 读者编号 || '|' || 读者姓名 || '|' || 挂失日期 from bkinfo_diushi where 图书编号='B1'"),
                 "X9|外校读者|2017-04-11");
        QCOMPARE(cell("select count(*) from bkinfo") + cell("select count(*) from jieyueinfo"), "00");
        QCOMPARE(cell("select count(*) from readerinfo"), "0");
    }

    // A step that fails, or a loan or copy gone since the list was shown, changes nothing.
    void nothingChanges_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("kept");
        const QStringList both{"B1", "B2"}, failed{"操作失败!"};
        QTest::newRow("insert into the loss table") << "before insert on bkinfo_diushi" << "" << failed << both;
        QTest::newRow("delete from stock") << "before delete on bkinfo" << "" << failed << both;
        QTest::newRow("delete the loan") << "before delete on jieyueinfo" << "" << failed << both;
        QTest::newRow("recount the reader") << "before update on readerinfo" << "" << failed << both;
        QTest::newRow("copy deleted from the catalogue: silent")
            << "" << "delete from bkinfo where 图书编号='B1'" << QStringList() << both;
        QTest::newRow("loan returned") << "" << "delete from jieyueinfo where 图书编号='B1'" << QStringList{"无此记录！"}
                                       << QStringList{"B2"};
    }

    void nothingChanges()
    {
        QFETCH(QString, failing);
        QFETCH(QString, meanwhile);
        QFETCH(QStringList, said);
        QFETCH(QStringList, kept);
        twoReaders();
        CBookLoanLossDlg w;
        scan(w, "m_editReader", "R1");
        selectRows(w, {0});
        if (!failing.isEmpty())
            failOn(failing);
        if (!meanwhile.isEmpty())
            QVERIFY(theApp().m_ado.ExecuteSql(meanwhile));
        const QStringList before = lossSnapshot();

        press(w, "m_btnReportLoss");
        QCOMPARE(messages(), said);
        QCOMPARE(lossSnapshot(), before);
        QCOMPARE(theApp().m_ado.TransDepth(), 0);
        QCOMPARE(listedIn(w), kept);
    }

    void messagesOfTheWindow()
    {
        CBookLoanLossDlg w;
        scan(w, "m_editReader", "");
        press(w, "m_btnReportLoss");
        QCOMPARE(messages(), (QStringList{"请输入借书卡号!\n", "没有选定书目!\n"}));
    }
};

QTEST_MAIN(TestLoanLoss)
#include "test_loanloss.moc"
