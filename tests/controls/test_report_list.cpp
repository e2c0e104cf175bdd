#include "controls/CellOrder.h"
#include "controls/ColumnText.h"
#include "controls/ListSelection.h"
#include "controls/ReportListCtrl.h"
#include "core/IniFile.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QHeaderView>
#include <QtTest>

class TestReportList : public QObject {
    Q_OBJECT
private slots:
    void parsesColumnText_data();
    void parsesColumnText();
    void sortsCells_data();
    void sortsCells();
    void mixedColumnSortsTheSameEveryTime();
    void secondClickReverses();
    void rowsKeepDataAndCheckThroughSort();
    void headerClickSorts();
    void readsSavedWidths_data();
    void readsSavedWidths();
    void bulkAndSingleRows();

private:
    static QStringList columnTexts(const CReportListCtrl& list, int column);
};

QStringList TestReportList::columnTexts(const CReportListCtrl& list, int column)
{
    QStringList texts;
    for (int row = 0; row < list.GetItemCount(); ++row)
        texts.append(list.GetItemText(row, column));
    return texts;
}

void TestReportList::parsesColumnText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("two pairs") << "读者部门,120;借阅人次,150" << QStringList{"读者部门", "借阅人次"} << QList<int>{120, 150};
    QTest::newRow("closing semicolon") << "ISBN,80;出版社名,120;" << QStringList{"ISBN", "出版社名"} << QList<int>{80, 120};
    QTest::newRow("empty") << "" << QStringList{} << QList<int>{};
    QTest::newRow("no comma") << "书名" << QStringList{} << QList<int>{};
    QTest::newRow("width no number") << "书名,abc;编号,40" << QStringList{"书名", "编号"} << QList<int>{0, 40};
    QTest::newRow("extra pair inside width") << "书名,80,编号,90;价格,50"
                                             << QStringList{"书名", "价格"} << QList<int>{80, 50};
    QTest::newRow("blanks kept in heading") << " 书 名 , 70" << QStringList{" 书 名 "} << QList<int>{70};
    QTest::newRow("tail without comma ignored") << "书名,60;备注" << QStringList{"书名"} << QList<int>{60};
    QTest::newRow("negative width") << "书名,-5" << QStringList{"书名"} << QList<int>{0};
}

void TestReportList::parsesColumnText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, headings);
    QFETCH(QList<int>, widths);
    CReportListCtrl list;
    QVERIFY(list.SetHeadings(text));
    QCOMPARE(list.GetColumnCount(), headings.size());
    for (int i = 0; i < headings.size(); ++i) {
        QCOMPARE(list.headerItem()->text(i), headings[i]);
        QCOMPARE(list.header()->sectionSize(i), widths[i]);
    }
}

void TestReportList::sortsCells_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QStringList>("ascending");
    QTest::newRow("numbers") << QStringList{"10", "9", "100"} << QStringList{"9", "10", "100"};
    QTest::newRow("barcodes") << QStringList{"9787111213826", "978711121382", "19787111213826", "9787020002207"}
                              << QStringList{"978711121382", "9787020002207", "9787111213826", "19787111213826"};
    QTest::newRow("leading zeros") << QStringList{"010", "9", "0001"} << QStringList{"0001", "9", "010"};
    QTest::newRow("empty like zero") << QStringList{"5", "", "0"} << QStringList{"", "0", "5"};
    QTest::newRow("day first dates") << QStringList{"05/03/2009", "28/02/2009", "01/01/2010"}
                                     << QStringList{"28/02/2009", "05/03/2009", "01/01/2010"};
    QTest::newRow("iso dates") << QStringList{"2017-04-11", "2009-12-01", "2017-04-02"}
                               << QStringList{"2009-12-01", "2017-04-02", "2017-04-11"};
    QTest::newRow("pinyin") << QStringList{"张三", "李四", "安娜"} << QStringList{"安娜", "李四", "张三"};
    QTest::newRow("numbers before text") << QStringList{"10a", "9", "10"} << QStringList{"9", "10", "10a"};
}

void TestReportList::sortsCells()
{
    QFETCH(QStringList, cells);
    QFETCH(QStringList, ascending);
    CReportListCtrl list;
    list.SetHeadings("值,60");
    for (const QString& cell : cells)
        list.AddItem({cell});
    list.SortColumn(0, true);
    QCOMPARE(columnTexts(list, 0), ascending);
    list.SortColumn(0, false);
    std::reverse(ascending.begin(), ascending.end());
    QCOMPARE(columnTexts(list, 0), ascending);
}

void TestReportList::mixedColumnSortsTheSameEveryTime()
{
    const QStringList cells{"10", "1a", "9", "2017-04-11", "abc", "", "9787111213826", "05/03/2009", "张三", "10"};
    QStringList previous;
    for (int rotation = 0; rotation < cells.size(); ++rotation) {
        CReportListCtrl list;
        list.SetHeadings("值,60");
        for (int i = 0; i < cells.size(); ++i)
            list.AddItem({cells[(i + rotation) % cells.size()]});
        list.SortColumn(0, true);
        const QStringList sorted = columnTexts(list, 0);
        if (!previous.isEmpty())
            QCOMPARE(sorted, previous);
        previous = sorted;
    }
    for (int i = 0; i + 1 < previous.size(); ++i)
        QVERIFY(compareCells(previous[i], previous[i + 1]) <= 0);
}

void TestReportList::secondClickReverses()
{
    CReportListCtrl list;
    list.SetHeadings("编号,60;书名,100");
    list.AddItem({"2", "乙"});
    list.AddItem({"10", "甲"});
    list.AddItem({"1", "丙"});
    list.OnColumnClick(0);
    QCOMPARE(columnTexts(list, 0), (QStringList{"1", "2", "10"}));
    QVERIFY(list.IsSortAscending());
    list.OnColumnClick(0);
    QCOMPARE(columnTexts(list, 0), (QStringList{"10", "2", "1"}));
    QVERIFY(!list.IsSortAscending());
    list.OnColumnClick(1);
    QVERIFY(list.IsSortAscending());
    QCOMPARE(list.GetSortColumn(), 1);
    QCOMPARE(list.header()->sortIndicatorSection(), 1);
    QCOMPARE(list.header()->sortIndicatorOrder(), Qt::AscendingOrder);
}

void TestReportList::rowsKeepDataAndCheckThroughSort()
{
    CReportListCtrl list;
    list.SetCheckBoxes(true);
    list.SetHeadings("编号,60;书名,100");
    const QStringList numbers{"30", "4", "200", "1"};
    for (int i = 0; i < numbers.size(); ++i) {
        list.AddItem({numbers[i], QStringLiteral("书%1").arg(numbers[i])});
        QVERIFY(list.SetItemData(i, numbers[i].toInt() * 7));
    }
    QVERIFY(list.SetCheck(2, true));
    QVERIFY(!list.SetItemData(4, 1));
    list.SortColumn(0, false);
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const QString number = list.GetItemText(row, 0);
        QCOMPARE(list.GetItemData(row).toInt(), number.toInt() * 7);
        QCOMPARE(list.GetItemText(row, 1), QStringLiteral("书%1").arg(number));
        QCOMPARE(list.GetCheck(row), number == "200");
    }
    QCOMPARE(list.GetCheckedRows(), QList<int>{0});
}

void TestReportList::headerClickSorts()
{
    CReportListCtrl list;
    list.SetHeadings("编号,60;书名,100");
    list.AddItem({"9"});
    list.AddItem({"10"});
    list.AddItem({"100"});
    list.OnColumnClick(0);
    list.resize(300, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QPoint heading(list.header()->sectionPosition(0) + 5, list.header()->height() / 2);
    QTest::mouseClick(list.header()->viewport(), Qt::LeftButton, {}, heading);
    QCOMPARE(columnTexts(list, 0), (QStringList{"100", "10", "9"}));
    QCOMPARE(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    QVERIFY(list.header()->isSortIndicatorShown());
}

void TestReportList::readsSavedWidths_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("saved") << "90,140" << QList<int>{90, 140};
    QTest::newRow("count differs") << "90,140,30" << QList<int>{60, 100};
    QTest::newRow("not numbers") << "90,x" << QList<int>{60, 100};
    QTest::newRow("none") << "" << QList<int>{60, 100};
}

void TestReportList::readsSavedWidths()
{
    QFETCH(QString, saved);
    QFETCH(QList<int>, widths);
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    theApp().m_strAppPath = folder.path();
    const QString profile = QDir(folder.path()).filePath("schoollib.ini");
    QVERIFY(IniFile::write(profile, "ListCtrls", "m_listBooks", saved));
    QCOMPARE(CReportListCtrl::profilePath(), profile);
    CReportListCtrl list;
    list.setObjectName("m_listBooks");
    list.SetHeadings("编号,60;书名,100");
    list.LoadColumnInfo();
    QCOMPARE(list.header()->sectionSize(0), widths[0]);
    QCOMPARE(list.header()->sectionSize(1), widths[1]);
    QCOMPARE(IniFile::read(profile, "ListCtrls", "m_listBooks"), saved);
    theApp().m_strAppPath.clear();
}

void TestReportList::bulkAndSingleRows()
{
    ScriptedSeams seams;
    CReportListCtrl list;
    list.SetCheckBoxes(true);
    list.SetHeadings("编号,60");
    for (const char* number : {"1", "2", "3", "4"})
        list.AddItem({number});
    QCOMPARE(singleSelectedRow(nullptr, list), -1);
    QCOMPARE(seams.prompter.texts(), QStringList{"没有选定书目!\n"});
    list.SetCheck(3, true);
    list.SetSelected(1, true);
    QCOMPARE(markedRows(list), (QList<int>{1, 3}));
    QCOMPARE(singleSelectedRow(nullptr, list), 1);
    QVERIFY(list.DeleteItem(1));
    QCOMPARE(columnTexts(list, 0), (QStringList{"1", "3", "4"}));
    QVERIFY(!list.DeleteItem(3));
    QVERIFY(list.DeleteAllItems());
    QCOMPARE(list.GetItemCount(), 0);
}

QTEST_MAIN(TestReportList)
#include "test_report_list.moc"
