#include "controls/EditListCtrl.h"
#include "controls/ListSelection.h"
#include "controls/ReportListCtrl.h"
#include "controls/SortClass.h"
#include "support/TestSupport.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

namespace {
QStringList columnTexts(const CReportListCtrl& list, int column = 0)
{
    QStringList texts;
    for (int row = 0; row < list.GetItemCount(); ++row)
        texts.append(list.GetItemText(row, column));
    return texts;
}

// A two-row editing list beside another field the focus can go to.
struct EditWindow {
    QWidget window;
    CEditListCtrl* list = new CEditListCtrl(&window);
    QLineEdit* other = new QLineEdit(&window);

    EditWindow()
    {
        list->setGeometry(0, 0, 300, 200);
        other->setGeometry(0, 210, 100, 20);
        list->SetHeadings("编号,60;书名,120");
        list->AddItem({"2", "乙书"});
        list->AddItem({"10", "甲书"});
        window.resize(300, 240);
        window.show();
    }

    // Clicks a cell, then double-clicks it to open its editor.
    QLineEdit* editCell(int row, int column)
    {
        const int x = list->header()->sectionViewportPosition(column) + list->header()->sectionSize(column) / 2;
        const QPoint centre(x, list->visualItemRect(list->topLevelItem(row)).center().y());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        return list->IsEditing() ? list->findChild<QLineEdit*>("m_edit") : nullptr;
    }
};

void fill(CReportListCtrl& list, const QString& headings, const QStringList& cells)
{
    list.SetHeadings(headings);
    for (const QString& cell : cells)
        list.AddItem({cell});
}
}

class TestReportList : public QObject {
    Q_OBJECT
private slots:
    void parsesColumnText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("closing semicolon") << "ISBN,80;出版社名,120;" << QStringList{"ISBN", "出版社名"} << QList<int>{80, 120};
        QTest::newRow("empty") << "" << QStringList{} << QList<int>{};
        QTest::newRow("no comma") << "书名" << QStringList{} << QList<int>{};
        QTest::newRow("width no number") << "书名,abc;编号,40" << QStringList{"书名", "编号"} << QList<int>{0, 40};
        QTest::newRow("extra pair inside width") << "书名,80,编号,90;价格,50"
                                                 << QStringList{"书名", "价格"} << QList<int>{80, 50};
        QTest::newRow("tail without comma ignored") << "书名,60;备注" << QStringList{"书名"} << QList<int>{60};
        QTest::newRow("negative width") << "书名,-5" << QStringList{"书名"} << QList<int>{0};
    }

    void parsesColumnText()
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

    void sortsCells_data()
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
        QTest::newRow("stored times") << QStringList{"2017-04-11 09:30:00", "2017-04-11 08:05:00", "2017-04-02 23:00:00"}
                                      << QStringList{"2017-04-02 23:00:00", "2017-04-11 08:05:00", "2017-04-11 09:30:00"};
        QTest::newRow("dates before text") << QStringList{"张三", "2017-02-30", "2017-02-28", "1"}
                                           << QStringList{"1", "2017-02-28", "2017-02-30", "张三"};
        QTest::newRow("pinyin") << QStringList{"张三", "李四", "安娜"} << QStringList{"安娜", "李四", "张三"};
        QTest::newRow("numbers before text") << QStringList{"10a", "9", "10"} << QStringList{"9", "10", "10a"};
        QTest::newRow("mixed") << QStringList{"10", "1a", "9", "2017-04-11", "abc", "", "9787111213826", "05/03/2009", "张三", "10"}
                               << QStringList{"", "9", "10", "10", "9787111213826", "05/03/2009", "2017-04-11", "1a", "张三", "abc"};
    }

    // Every starting order gives the same result: the comparison is a consistent order.
    void sortsCells()
    {
        QFETCH(QStringList, cells);
        QFETCH(QStringList, ascending);
        CReportListCtrl list;
        for (qsizetype rotation = 0; rotation < cells.size(); ++rotation) {
            list.DeleteAllItems();
            fill(list, "值,60", cells);
            list.SortColumn(0, true);
            QCOMPARE(columnTexts(list), ascending);
            cells.move(0, cells.size() - 1);
        }
        list.SortColumn(0, false);
        std::reverse(ascending.begin(), ascending.end());
        QCOMPARE(columnTexts(list), ascending);
    }

    // A second click on a heading reverses the order; each row keeps its data and tick.
    void headerClicksSortKeepingRows()
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
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QPoint heading(list.header()->sectionPosition(0) + 5, list.header()->height() / 2);
        QTest::mouseClick(list.header()->viewport(), Qt::LeftButton, {}, heading);
        QCOMPARE(columnTexts(list), (QStringList{"1", "4", "30", "200"}));
        QTest::mouseClick(list.header()->viewport(), Qt::LeftButton, {}, heading);
        QCOMPARE(columnTexts(list), (QStringList{"200", "30", "4", "1"}));
        QCOMPARE(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
        for (int row = 0; row < list.GetItemCount(); ++row) {
            const QString number = list.GetItemText(row, 0);
            QCOMPARE(list.GetItemData(row).toInt(), number.toInt() * 7);
            QCOMPARE(list.GetItemText(row, 1), QStringLiteral("书%1").arg(number));
            QCOMPARE(list.GetCheck(row), number == "200");
        }
        list.OnColumnClick(1);
        QVERIFY(list.IsSortAscending());
        QCOMPARE(list.header()->sortIndicatorSection(), 1);
    }

    void bulkRowsAreTickedOrSelected()
    {
        ScriptedSeams seams;
        CReportListCtrl list;
        list.SetCheckBoxes(true);
        fill(list, "编号,60", {"1", "2", "3", "4"});
        QCOMPARE(singleSelectedRow(nullptr, list), -1);
        QCOMPARE(seams.prompter.texts(), QStringList{"没有选定书目!\n"});
        list.SetCheck(3, true);
        list.SetSelected(1, true);
        QCOMPARE(markedRows(list), (QList<int>{1, 3}));
        QCOMPARE(singleSelectedRow(nullptr, list), 1);
    }

    // 0 stands for the focus leaving the edit.
    void endingTheEditKeepsTheText_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("focus leaves") << 0;
    }

    void endingTheEditKeepsTheText()
    {
        QFETCH(int, key);
        EditWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QSignalSpy edited(w.list, &CEditListCtrl::cellEdited);
        QLineEdit* edit = w.editCell(1, 1);
        QVERIFY(edit && edit->isVisible());
        QCOMPARE(edit->text(), QStringLiteral("甲书"));
        QTest::keyClicks(edit, "c3");
        if (key)
            QTest::keyClick(edit, Qt::Key(key));
        else
            w.other->setFocus();
        QVERIFY(!w.list->IsEditing());
        QVERIFY(!edit->isVisible());
        QCOMPARE(w.list->GetItemText(1, 1), QStringLiteral("c3"));
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.first(), (QList<QVariant>{1, 1}));
    }

    void editedTextIsWhatSorts()
    {
        EditWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QTest::mouseDClick(w.list->viewport(), Qt::LeftButton, {}, QPoint(30, w.list->viewport()->height() - 5));
        QVERIFY(!w.list->IsEditing());
        QLineEdit* edit = w.editCell(0, 0);
        QTest::keyClicks(edit, "100");
        QTest::keyClick(edit, Qt::Key_Return);
        w.list->OnColumnClick(0);
        QCOMPARE(columnTexts(*w.list), (QStringList{"10", "100"}));
        QCOMPARE(w.list->GetItemText(1, 1), QStringLiteral("乙书"));
    }

    // The sort object compares as text unless told the column holds numbers.
    void sortObjectSortsAsTextOrNumbers()
    {
        CReportListCtrl list;
        fill(list, "键,60", {"9", "abc", "10", "ABD"});
        QVERIFY(CSortClass(list, 0, false).Sort(true));
        QCOMPARE(columnTexts(list), (QStringList{"10", "9", "abc", "ABD"}));
        QVERIFY(CSortClass(list, 0, true).Sort(true));
        QCOMPARE(columnTexts(list), (QStringList{"9", "10", "abc", "ABD"}));
        QVERIFY(!CSortClass(list, 1, true).Sort(true));
    }
};

QTEST_MAIN(TestReportList)
#include "test_report_list.moc"
