#include "CirculationFixture.h"
#include "CirculationLists.h"
#include "circulation/LendingService.h"
#include "circulation/ReserveLendPage.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"

#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QtTest>

namespace {
void reserve(const QString& book, const QString& title, const QString& reader, const QString& name)
{
    QVERIFY(theApp().m_ado.ExecuteSql(
        QStringLiteral("insert into jieyue_yuyue values (?, ?, ?, ?, '1号书架', '2017-04-01 10:00:00', ?)"),
        {book, title, reader, name, QStringLiteral("978") + book}));
}

void showReader(CReserveLendPage& page, const QString& input)
{
    lineEdit(page, "m_editReaderInput")->setText(input);
    press(page, "m_btnReaderQuery");
}

void search(CReserveLendPage& page, const QString& key)
{
    lineEdit(page, "m_editBookKey")->setText(key);
    press(page, "m_btnReserveQuery");
}

// Picks the entry of the list's context menu that carries the text.
void chooseFromMenu(CReportListCtrl* l, const QString& entry)
{
    QTimer::singleShot(0, [entry] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions())
            if (action->text() == entry)
                menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    emit l->customContextMenuRequested(QPoint(5, 5));
}
}

// Reservations turned into loans, against a fresh database.
class TestReserveLend : public QObject {
    Q_OBJECT

    std::unique_ptr<Workplace> m_work;
    QStringList texts() const { return m_work->seams.prompter.texts(); }

private slots:
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
        insertReader("R1", "张三", "1");
        insertReader("R2", "李四", "5");
        insertBook("B1", "红楼梦", "9787020002207", "25.80", 2);
        insertBook("B2", "水浒传", "9787020008735", "20", 2);
        insertBook("B3", "三国演义", "9787020008742", "20", 0);
        insertBook("B4", "西游记", "9787020008759", "20", 1);
        insertLoanRow("B4", "R1");  // R1 is at his limit of one
        reserve("B1", "红楼梦", "R1", "张三");
        reserve("B2", "水浒传", "R1", "张三");
        reserve("B2", "水浒传", "R2", "李四");
        reserve("B3", "三国演义", "R2", "李四");
    }
    void cleanup() { m_work.reset(); }

    void readerShowsHisReservationsAndLoans()
    {
        CReserveLendPage page;
        showReader(page, "张");
        QCOMPARE(lineEdit(page, "m_editReaderNo")->text(), QStringLiteral("R1"));
        QCOMPARE(listedIn(page, "m_listReserve"), QStringList({"B1", "B2"}));
        QCOMPARE(list(page, "m_listReserve")->GetRowTexts(0),
                 QStringList({"B1", "红楼梦", "R1", "张三", "1号书架", "2017-04-01 10:00:00", "978B1"}));
        QCOMPARE(listedIn(page, "m_listLent"), QStringList{"B4"});
        QVERIFY(texts().isEmpty());
    }

    void searchFindsReservations_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("books");
        QTest::addColumn<QStringList>("readers");
        QTest::newRow("all") << "" << QStringList{"B1", "B2", "B2", "B3"} << QStringList{"R1", "R1", "R2", "R2"};
        QTest::newRow("book number") << "B2" << QStringList{"B2", "B2"} << QStringList{"R1", "R2"};
        QTest::newRow("reader number") << "R2" << QStringList{"B2", "B3"} << QStringList{"R2", "R2"};
        QTest::newRow("title part") << "楼" << QStringList{"B1"} << QStringList{"R1"};
        QTest::newRow("reader's name part") << "四" << QStringList{"B2", "B3"} << QStringList{"R2", "R2"};
        QTest::newRow("a percent sign is a percent sign") << "%" << QStringList{} << QStringList{};
    }
    void searchFindsReservations()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, books);
        QFETCH(QStringList, readers);
        CReserveLendPage page;
        search(page, key);
        QCOMPARE(listedIn(page, "m_listReserve"), books);
        QCOMPARE(listColumn(list(page, "m_listReserve"), 2), readers);
    }

    // A reader at his limit still gets the book he reserved, under the name his reservation
    // gives; only his reservation goes.
    void reservedCopyIsLent()
    {
        QVERIFY(theApp().m_ado.ExecuteSql("update jieyue_yuyue set 读者姓名='张小三' where 读者编号='R1'"));
        CReserveLendPage page;
        showReader(page, "R1");
        doubleClickRow(list(page, "m_listReserve"), 1);
        QVERIFY(texts().isEmpty());
        QCOMPARE(cell("select 是否借出 from bkinfo where 图书编号='B2'"), QStringLiteral("1"));
        QCOMPARE(tableRows("jieyueinfo").last(),
                 QStringLiteral("2|B2|水浒传|978B2|R1|张小三|学生|2017-04-11|2017-05-11||超级用户|一班"));
        QCOMPARE(tableRows("jieyuelishiinfo"),
                 QStringList{"B2|水浒传|R1|张小三|学生|图书借阅|2017-04-11|超级用户|一班"});
        QCOMPARE(cell("select 未还书数 from readerinfo where 编号='R1'"), QStringLiteral("2"));
        QCOMPARE(tableRows("jieyue_yuyue").size(), 3);
        QCOMPARE(cell("select count(*) from jieyue_yuyue where 图书编号='B2' and 读者编号='R2'"), QStringLiteral("1"));
        QCOMPARE(listedIn(page, "m_listReserve"), QStringList{"B1"});
        QCOMPARE(listedIn(page, "m_listLent"), QStringList({"B4", "B2"}));
        QCOMPARE(lineEdit(page, "m_editLentCount")->text(), QStringLiteral("2"));
    }

    void anotherReadersReservationIsRefused()
    {
        CReserveLendPage page;
        search(page, "");
        const QStringList before = circulationSnapshot();
        doubleClickRow(list(page, "m_listReserve"), 0);  // no reader shown
        showReader(page, "R2");
        search(page, "B1");
        doubleClickRow(list(page, "m_listReserve"), 0);  // R1's reservation
        QCOMPARE(texts(), QStringList({"读者编号不一致!", "读者编号不一致!"}));
        QCOMPARE(circulationSnapshot(), before);
    }

    // Lend-all lends the shown reader's rows up to the first of another reader and stops
    // there at once: the lists stay as they were.
    void lendAllStopsAtAnotherReader()
    {
        CReserveLendPage page;
        showReader(page, "R2");
        search(page, "");
        QCOMPARE(listColumn(list(page, "m_listReserve"), 2), QStringList({"R1", "R1", "R2", "R2"}));
        list(page, "m_listReserve")->SortColumn(2, false);
        const QStringList listed = listedIn(page, "m_listReserve");
        press(page, "m_btnLendAll");
        QCOMPARE(texts(), QStringList{"读者编号不一致!"});
        QCOMPARE(tableRows("jieyueinfo").size(), 3);
        QCOMPARE(cell("select 是否借出 from bkinfo where 图书编号='B3'"), QStringLiteral("1"));
        QCOMPARE(cell("select count(*) from jieyue_yuyue where 读者编号='R1'"), QStringLiteral("2"));
        QCOMPARE(listedIn(page, "m_listReserve"), listed);
        QCOMPARE(listedIn(page, "m_listLent"), QStringList());
    }

    // A row that cannot be lent is said, and lend-all goes on with the next.
    void lendAllGoesOnPastARefusedRow()
    {
        CReserveLendPage page;
        showReader(page, "R1");
        QVERIFY(theApp().m_ado.ExecuteSql("update bkinfo set 是否借出=1 where 图书编号='B1'"));
        press(page, "m_btnLendAll");
        QCOMPARE(texts(), QStringList{"图书B1已经借出！"});
        QCOMPARE(cell("select 读者编号 from jieyueinfo where 图书编号='B2'"), QStringLiteral("R1"));
        QCOMPARE(listedIn(page, "m_listReserve"), QStringList{"B1"});
        QCOMPARE(listedIn(page, "m_listLent"), QStringList({"B4", "B2"}));
    }

    // A lend refused for its copy keeps the reservation and says why.
    void refusedLendKeepsTheReservation_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("said");
        QTest::newRow("copy lent meanwhile") << "update bkinfo set 是否借出=1 where 图书编号='B1'" << "图书B1已经借出！";
        QTest::newRow("copy not in the library") << "delete from bkinfo where 图书编号='B1'" << "图书库中没有图书B1！";
    }
    void refusedLendKeepsTheReservation()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, said);
        CReserveLendPage page;
        showReader(page, "R1");
        QVERIFY(theApp().m_ado.ExecuteSql(meanwhile));
        const QStringList before = circulationSnapshot() + tableRows("jieyue_yuyue");
        doubleClickRow(list(page, "m_listReserve"), 0);
        QCOMPARE(texts(), QStringList{said});
        QCOMPARE(circulationSnapshot() + tableRows("jieyue_yuyue"), before);
        QCOMPARE(theApp().m_ado.TransDepth(), 0);
        QCOMPARE(listedIn(page, "m_listReserve"), QStringList({"B1", "B2"}));
    }

    // A returned copy that another reader reserved stays his: the desk does not lend it,
    // his reservation does.
    void returnKeepsTheCopyReserved()
    {
        CReserveLendPage page;
        showReader(page, "R1");
        press(page, "m_btnLendAll");
        LendingService desk(theApp().m_ado, "管理员");
        QCOMPARE(desk.giveBack("B1"), LendingService::Outcome::Done);
        QCOMPARE(desk.giveBack("B2"), LendingService::Outcome::Done);
        QCOMPARE(cell("select 是否借出 from bkinfo where 图书编号='B1'"), QStringLiteral("0"));
        QCOMPARE(cell("select 是否借出 from bkinfo where 图书编号='B2'"), QStringLiteral("2"));
        QVERIFY(desk.findInStock("B2").isEmpty());
        showReader(page, "R2");
        QCOMPARE(listedIn(page, "m_listReserve"), QStringList({"B2", "B3"}));
        doubleClickRow(list(page, "m_listReserve"), 0);
        QVERIFY(texts().isEmpty());
        QCOMPARE(cell("select 读者编号 || 是否借出 from jieyueinfo join bkinfo using (图书编号) where 图书编号='B2'"),
                 QStringLiteral("R21"));
    }

    // A step that fails undoes the whole lend, or the whole clearing; a failed clearing is
    // not said, as the list filled again shows the reservations still there.
    void injectedFailureChangesNothing_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("clearing");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("lend: reservation delete") << "before delete on jieyue_yuyue" << false << QStringList{"操作失败"};
        QTest::newRow("lend: history insert") << "before insert on jieyuelishiinfo" << false << QStringList{"操作失败"};
        QTest::newRow("clearing: copy put back") << "before update on bkinfo" << true << QStringList();
    }
    void injectedFailureChangesNothing()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, clearing);
        QFETCH(QStringList, said);
        failOn(trigger);
        CReserveLendPage page;
        showReader(page, "R1");
        const QStringList before = circulationSnapshot() + tableRows("jieyue_yuyue");
        if (clearing)
            chooseFromMenu(list(page, "m_listReserve"), QStringLiteral("清空预借记录"));
        else
            doubleClickRow(list(page, "m_listReserve"), 0);
        QCOMPARE(texts(), said);
        QCOMPARE(circulationSnapshot() + tableRows("jieyue_yuyue"), before);
        if (clearing)
            QCOMPARE(listedIn(page, "m_listReserve"), QStringList({"B1", "B2", "B2", "B3"}));
    }

    void clearingPutsReservedCopiesBack()
    {
        CReserveLendPage page;
        showReader(page, "R1");
        chooseFromMenu(list(page, "m_listReserve"), QStringLiteral("清空预借记录"));
        QVERIFY(tableRows("jieyue_yuyue").isEmpty());
        QCOMPARE(tableRows("bkinfo").size(), 4);
        QCOMPARE(cell("select group_concat(是否借出, '') from (select 是否借出 from bkinfo order by ID)"),
                 QStringLiteral("0001"));
        QCOMPARE(list(page, "m_listReserve")->GetItemCount(), 0);
    }

    void menuLendsTheSelectedReservation()
    {
        CReserveLendPage page;
        showReader(page, "R1");
        list(page, "m_listReserve")->SetSelected(0, true);
        chooseFromMenu(list(page, "m_listReserve"), QStringLiteral("借阅选定图书"));
        QCOMPARE(cell("select 读者编号 from jieyueinfo where 图书编号='B1'"), QStringLiteral("R1"));
    }
};

QTEST_MAIN(TestReserveLend)
#include "test_reserve_lend.moc"
