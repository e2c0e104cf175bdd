#include "controls/PageCursor.h"
#include "controls/PagedList.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestPaging : public QObject {
    Q_OBJECT
private slots:
    void cutsPages_data();
    void cutsPages();
    void refusesMovesPastTheEnds();
    void nothingMovesBeforeTheFirstSearch();
    void buttonsAndSelectorTurnPages();
};

void TestPaging::cutsPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("rowsOnLastPage");
    QTest::newRow("no rows") << 0 << 1 << 0;
    QTest::newRow("one row") << 1 << 1 << 1;
    QTest::newRow("exactly one page") << 20 << 1 << 20;
    QTest::newRow("one more row") << 21 << 2 << 1;
    QTest::newRow("three full pages") << 60 << 3 << 20;
}

void TestPaging::cutsPages()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    QFETCH(int, rowsOnLastPage);
    PageCursor cursor(20);
    cursor.Reset(rows);
    QCOMPARE(cursor.GetPageCount(), pages);
    QCOMPARE(cursor.TotalText(), QStringLiteral("共计：%1页  %2条记录").arg(pages).arg(rows));
    QVERIFY(cursor.SetPage(pages));
    QCOMPARE(cursor.GetFirstRow(), (pages - 1) * 20);
    QCOMPARE(cursor.GetRowsOnPage(), rowsOnLastPage);
    QVERIFY(!cursor.SetPage(pages + 1));
    QVERIFY(!cursor.SetPage(0));
}

void TestPaging::refusesMovesPastTheEnds()
{
    PageCursor cursor(100);
    cursor.Reset(150);
    QCOMPARE(cursor.Previous(), PageCursor::Move::AtFirst);
    QCOMPARE(cursor.Next(), PageCursor::Move::Moved);
    QCOMPARE(cursor.GetFirstRow(), 100);
    QCOMPARE(cursor.GetRowsOnPage(), 50);
    QCOMPARE(cursor.Next(), PageCursor::Move::AtLast);
    QCOMPARE(cursor.GetPage(), 2);
    QCOMPARE(PageCursor::RefusalText(PageCursor::Move::AtFirst), QStringLiteral("已是第一页！"));
    QCOMPARE(PageCursor::RefusalText(PageCursor::Move::AtLast), QStringLiteral("已是最后一页！"));
    cursor.Reset(10);
    QCOMPARE(cursor.GetPage(), 1);
}

void TestPaging::nothingMovesBeforeTheFirstSearch()
{
    ScriptedSeams seams;
    QWidget window;
    QPushButton previous;
    QPushButton next;
    PagedList pages(&window, 20, &previous, &next);
    QSignalSpy changed(&pages, &PagedList::pageChanged);
    previous.click();
    next.click();
    QCOMPARE(changed.count(), 0);
    QVERIFY(seams.prompter.messages.isEmpty());
}

void TestPaging::buttonsAndSelectorTurnPages()
{
    ScriptedSeams seams;
    QWidget window;
    auto* previous = new QPushButton(&window);
    auto* next = new QPushButton(&window);
    auto* selector = new QComboBox(&window);
    auto* total = new QLabel(&window);
    PagedList pages(&window, 20, previous, next, selector, total);
    QSignalSpy changed(&pages, &PagedList::pageChanged);

    pages.SetResult(45);
    QCOMPARE(total->text(), QStringLiteral("共计：3页  45条记录"));
    QCOMPARE(selector->count(), 3);
    QCOMPARE(selector->itemText(2), QStringLiteral("3"));
    QCOMPARE(changed.takeFirst().at(0).toInt(), 1);

    previous->click();
    QCOMPARE(seams.prompter.texts(), QStringList{"已是第一页！"});
    QVERIFY(changed.isEmpty());

    next->click();
    QCOMPARE(changed.takeFirst().at(0).toInt(), 2);
    QCOMPARE(selector->currentIndex(), 1);

    emit selector->activated(2);
    QCOMPARE(changed.takeFirst().at(0).toInt(), 3);
    QCOMPARE(pages.Cursor().GetRowsOnPage(), 5);
    next->click();
    QCOMPARE(seams.prompter.lastText(), QStringLiteral("已是最后一页！"));
}

QTEST_MAIN(TestPaging)
#include "test_paging.moc"
