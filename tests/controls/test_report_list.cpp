#include "controls/ColumnText.h"
#include "controls/EditListCtrl.h"
#include "controls/ListSelection.h"
#include "controls/ReportListCtrl.h"
#include "controls/SortClass.h"
#include "controls/SortHeaderCtrl.h"
#include "core/IniFile.h"
#include "db/AppState.h"
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

// Whether the line from p to q is drawn in the colour: its middle, within a pixel.
bool lineDrawn(const QImage& image, QPoint p, QPoint q, const QColor& colour)
{
    const QPoint middle = (p + q) / 2;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.pixelColor(middle + QPoint(dx, dy)) == colour)
                return true;
    return false;
}

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
        QList<int> parsed;
        for (const ColumnSpec& column : parseColumnText(text))
            parsed.append(column.width);
        QCOMPARE(parsed, widths);
        CReportListCtrl list;
        QVERIFY(list.SetHeadings(text));
        QCOMPARE(list.GetColumnCount(), headings.size());
        for (int i = 0; i < headings.size(); ++i)
            QCOMPARE(list.headerItem()->text(i), headings[i]);
    }

    // Each column is exactly as wide as its width in pixels, however narrow for its heading,
    // also once the list is sorted by it.
    void columnsTakeTheirWidths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("reader list") << "编号,100;姓名,80;借书期限,60;部门,80;数量限制,40;登记日期,120";
        QTest::newRow("long heading") << "图书类型名称与说明,60;备注,300";
        QTest::newRow("hidden column") << "内部编号,0;书名,200";
        QTest::newRow("narrower than a letter") << "页数,5;开本,1";
    }

    void columnsTakeTheirWidths()
    {
        QFETCH(QString, text);
        const QList<ColumnSpec> columns = parseColumnText(text);
        CReportListCtrl list;
        QVERIFY(list.SetHeadings(text));
        list.SortColumn(0, true);
        for (int i = 0; i < columns.size(); ++i)
            QCOMPARE(list.header()->sectionSize(i), columns[i].width);
    }

    // Widths kept by SaveColumnInfo come back through LoadColumnInfo in a list with the same
    // name; an entry that does not fit the columns changes nothing.
    void columnWidthsRoundTrip_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("saved") << "" << QList<int>{150, 260, 70};
        QTest::newRow("blanks") << " 90, 91 ,92" << QList<int>{90, 91, 92};
        QTest::newRow("too few") << "150,260" << QList<int>{100, 200, 80};
        QTest::newRow("too many") << "1,2,3,4" << QList<int>{100, 200, 80};
        QTest::newRow("no number") << "150,abc,70" << QList<int>{100, 200, 80};
        QTest::newRow("negative") << "150,-1,70" << QList<int>{100, 200, 80};
    }

    void columnWidthsRoundTrip()
    {
        QFETCH(QString, stored);
        QFETCH(QList<int>, widths);
        QTemporaryDir folder;
        const QString previous = theApp().m_strAppPath;
        theApp().m_strAppPath = folder.path();
        const QString columns = QStringLiteral("编号,100;书名,200;价格,80");
        {
            CReportListCtrl list;
            list.setObjectName(QStringLiteral("m_listBooks"));
            list.SetHeadings(columns);
            for (int i = 0; i < 3; ++i)
                list.header()->resizeSection(i, QList<int>{150, 260, 70}[i]);
            QVERIFY(list.SaveColumnInfo());
        }
        QCOMPARE(IniFile::read(folder.filePath("schoollib.ini"), "ListCtrls", "m_listBooks"), QStringLiteral("150,260,70"));
        if (!stored.isEmpty())
            QVERIFY(IniFile::write(folder.filePath("schoollib.ini"), "ListCtrls", "m_listBooks", stored));
        CReportListCtrl list;
        list.setObjectName(QStringLiteral("m_listBooks"));
        list.SetHeadings(columns);
        list.LoadColumnInfo();
        theApp().m_strAppPath = previous;
        for (int i = 0; i < 3; ++i)
            QCOMPARE(list.header()->sectionSize(i), widths[i]);
    }

    // A descending sort is the ascending order turned round, also where kinds mix.
    void sortsCells_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("prices") << QStringList{"25.8", "8", "100", "12.5", "-3", "9.9"}
                                << QStringList{"-3", "8", "9.9", "12.5", "25.8", "100"};
        QTest::newRow("signs and decimals") << QStringList{"-0.5", "+2", "-12", ".25", "3.", "-1.75", "0"}
                                            << QStringList{"-12", "-1.75", "-0.5", "0", ".25", "+2", "3."};
        QTest::newRow("equal values") << QStringList{"1.50", "1.5", "01.5", "-0", "0"}
                                      << QStringList{"-0", "0", "01.5", "1.5", "1.50"};
        QTest::newRow("beyond 64 bits") << QStringList{"123456789012345678901234567890.5", "-99999999999999999999999",
                                                        "123456789012345678901234567890.25", "99999999999999999999999"}
                                        << QStringList{"-99999999999999999999999", "99999999999999999999999",
                                                       "123456789012345678901234567890.25", "123456789012345678901234567890.5"};
        QTest::newRow("no number") << QStringList{"1.2.3", "2", "-"} << QStringList{"2", "-", "1.2.3"};
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
        QTest::newRow("numbers with notes") << QStringList{"无", "8", "2017-04-11", "-2.5", "待定", "", "12.5"}
                                            << QStringList{"-2.5", "", "8", "12.5", "2017-04-11", "待定", "无"};
        QTest::newRow("mixed") << QStringList{"10", "1a", "9", "2017-04-11", "abc", "", "9787111213826", "05/03/2009", "张三", "10"}
                               << QStringList{"", "9", "10", "10", "9787111213826", "05/03/2009", "2017-04-11", "1a", "张三", "abc"};
    }

    // Every starting order gives the same result: the comparison is a consistent order.
    void sortsCells()
    {
        QFETCH(QStringList, cells);
        QFETCH(QStringList, ascending);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        CReportListCtrl list;
        for (qsizetype rotation = 0; rotation < cells.size(); ++rotation) {
            list.DeleteAllItems();
            fill(list, "值,60", cells);
            list.SortColumn(0, true);
            QCOMPARE(columnTexts(list), ascending);
            list.SortColumn(0, false);
            QCOMPARE(columnTexts(list), descending);
            cells.move(0, cells.size() - 1);
        }
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
        QVERIFY(!list.SortHeader()->IsSortArrowAscending());
        for (int row = 0; row < list.GetItemCount(); ++row) {
            const QString number = list.GetItemText(row, 0);
            QCOMPARE(list.GetItemData(row).toInt(), number.toInt() * 7);
            QCOMPARE(list.GetItemText(row, 1), QStringLiteral("书%1").arg(number));
            QCOMPARE(list.GetCheck(row), number == "200");
        }
        list.OnColumnClick(1);
        QVERIFY(list.IsSortAscending());
        QCOMPARE(list.SortHeader()->SortArrowColumn(), 1);
    }

    // The sorted column's heading carries a triangle of a light and a dark line, a quarter
    // of the heading's height in from its right; up for ascending, down for descending. A
    // column sorted once stays painted by the header; a first column inserted anew does not.
    void sortedHeadingShowsTheTriangle()
    {
        CReportListCtrl list;
        list.SetHeadings("编号,80;书名,100");
        list.resize(300, 100);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        CSortHeaderCtrl* header = list.SortHeader();
        const QColor light = header->palette().color(QPalette::Light).rgb();
        const QColor dark = header->palette().color(QPalette::Dark).rgb();
        const QRect item = QRect(0, 0, 80, header->height()).adjusted(1, 1, -1, -1);
        const int h = item.height() / 4, r = item.left() + item.width(), t = item.top(), b = item.top() + item.height();
        for (const bool ascending : {true, false}) {
            list.SortColumn(0, ascending);
            const QImage image = header->grab().toImage().convertToFormat(QImage::Format_RGB32);
            if (ascending) {
                QVERIFY(lineDrawn(image, {r - 2 * h, t + h}, {r - h, b - h - 1}, light));
                QVERIFY(lineDrawn(image, {r - h, b - h - 1}, {r - 3 * h - 2, b - h - 1}, light));
                QVERIFY(lineDrawn(image, {r - 3 * h - 1, b - h - 1}, {r - 2 * h, t + h - 1}, dark));
            } else {
                QVERIFY(lineDrawn(image, {r - h - 1, t + h}, {r - 2 * h - 1, b - h}, light));
                QVERIFY(lineDrawn(image, {r - 2 * h - 2, b - h}, {r - 3 * h - 1, t + h}, dark));
                QVERIFY(lineDrawn(image, {r - 3 * h - 1, t + h}, {r - h - 1, t + h}, dark));
            }
        }
        list.SortColumn(1, true);
        QVERIFY(header->IsOwnerDrawn(0) && header->IsOwnerDrawn(1));
        list.ReplaceGroupedRows(QStringLiteral("部门"), 80, {});
        QVERIFY(!header->IsOwnerDrawn(0));
        QCOMPARE(list.GetSortColumn(), 1);
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
        checkAllRows(list, true);
        QCOMPARE(list.GetCheckedRows(), (QList<int>{0, 1, 2, 3}));
        checkAllRows(list, false);
        QVERIFY(list.GetCheckedRows().isEmpty());
        QCOMPARE(markedRows(list), QList<int>{1});
    }

    // Full-row selection lets a click anywhere on a row select it; without it only the first
    // cell takes the click. One-click activation activates the clicked row.
    void styleDecidesWhatAClickDoes_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("activations");
        QTest::newRow("windows' style, second cell") << int(CReportListCtrl::kListStyle) << 1 << 1 << 1;
        QTest::newRow("windows' style, first cell") << int(CReportListCtrl::kListStyle) << 0 << 1 << 1;
        QTest::newRow("plain, second cell") << 0 << 1 << -1 << 0;
        QTest::newRow("plain, first cell") << 0 << 0 << 1 << 0;
    }

    void styleDecidesWhatAClickDoes()
    {
        QFETCH(int, style);
        QFETCH(int, column);
        QFETCH(int, selected);
        QFETCH(int, activations);
        CReportListCtrl list;
        QCOMPARE(list.GetExtendedStyle(), 0x61);
        list.SetExtendedStyle(style);
        list.SetHeadings("编号,60;书名,120");
        list.AddItem({"1", "甲书"});
        list.AddItem({"2", "乙书"});
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy activated(&list, &QAbstractItemView::activated);
        const QRect rowRect = list.visualItemRect(list.topLevelItem(1));
        const QPoint cell(list.header()->sectionViewportPosition(column) + 20, rowRect.center().y());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(list.GetFirstSelected(), selected);
        QCOMPARE(activated.count(), activations);
        QTest::mouseMove(list.viewport(), cell);
        QCOMPARE(list.GetHotItem(), activations > 0 ? 1 : -1);
    }

    // Grid lines run along every column's right edge down the whole list, below the last
    // row too, and under every row's height.
    void gridLinesFillTheList()
    {
        for (const bool grid : {true, false}) {
            CReportListCtrl list;
            list.SetExtendedStyle(grid ? CReportListCtrl::kListStyle : 0);
            list.SetHeadings("编号,60;书名,120");
            list.AddItem({"", ""});
            list.resize(300, 200);
            list.show();
            QVERIFY(QTest::qWaitForWindowExposed(&list));
            const QImage image = list.viewport()->grab().toImage();
            const QRect first = list.visualItemRect(list.topLevelItem(0));
            const int x = list.header()->sectionSize(0) - 1;
            const QColor background = list.viewport()->palette().color(QPalette::Base);
            const QColor belowRows = image.pixelColor(x, image.height() - 5);
            const QColor rowEdge = image.pixelColor(200, first.bottom());
            const QColor nextRowEdge = image.pixelColor(200, first.bottom() + first.height());
            QCOMPARE(belowRows != background, grid);
            QCOMPARE(rowEdge != background, grid);
            QCOMPARE(nextRowEdge != background, grid);
        }
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

    // The sort object compares text keys as GBK bytes with ASCII letters folded to lower case
    // (equal keys keep their order) and numeric keys as atoi reads them.
    void sortObjectSortsAsTextOrNumbers_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<QStringList>("ascending");
        QTest::addColumn<QStringList>("descending");
        QTest::newRow("text") << QStringList{"9", "abc", "10", "ABD"} << false << QStringList{"10", "9", "abc", "ABD"}
                              << QStringList{"ABD", "abc", "9", "10"};
        QTest::newRow("case") << QStringList{"b", "a", "B", "A"} << false << QStringList{"a", "A", "b", "B"}
                              << QStringList{"b", "B", "a", "A"};
        QTest::newRow("case, other start") << QStringList{"A", "B", "a", "b"} << false
                                           << QStringList{"A", "a", "B", "b"} << QStringList{"B", "b", "A", "a"};
        QTest::newRow("Latin before Chinese") << QStringList{"张三", "zebra", "李四", "Apple"} << false
                                              << QStringList{"Apple", "zebra", "李四", "张三"}
                                              << QStringList{"张三", "李四", "zebra", "Apple"};
        QTest::newRow("Chinese in GBK code order") << QStringList{"啊", "丌", "张", "丂"} << false
                                                   << QStringList{"丂", "啊", "张", "丌"}
                                                   << QStringList{"丌", "张", "啊", "丂"};
        QTest::newRow("prefix first") << QStringList{"张三", "张"} << false << QStringList{"张", "张三"}
                                      << QStringList{"张三", "张"};
        QTest::newRow("letters folded to lower case") << QStringList{"b", "_", "A"} << false
                                                      << QStringList{"_", "A", "b"} << QStringList{"b", "A", "_"};
        QTest::newRow("fullwidth letters by upper case") << QStringList{"Ｂ", "ａ", "Ａ"} << false
                                                         << QStringList{"ａ", "Ａ", "Ｂ"} << QStringList{"Ｂ", "ａ", "Ａ"};
        QTest::newRow("tone letters keep their code") << QStringList{"啊", "ā"} << false << QStringList{"ā", "啊"}
                                                      << QStringList{"啊", "ā"};
        QTest::newRow("characters GBK lacks last") << QStringList{"😀", "丂", "한", "a"} << false
                                                   << QStringList{"a", "丂", "한", "😀"}
                                                   << QStringList{"😀", "한", "丂", "a"};
        QTest::newRow("atoi") << QStringList{"12abc", "9", "abc", "-5", " 7", "10"} << true
                              << QStringList{"-5", "abc", " 7", "9", "10", "12abc"}
                              << QStringList{"12abc", "10", "9", " 7", "abc", "-5"};
        QTest::newRow("equal values keep order") << QStringList{"3x", "03", "x", "", "3"} << true
                                                 << QStringList{"x", "", "3x", "03", "3"}
                                                 << QStringList{"3x", "03", "3", "x", ""};
    }

    void sortObjectSortsAsTextOrNumbers()
    {
        QFETCH(QStringList, cells);
        QFETCH(bool, numeric);
        QFETCH(QStringList, ascending);
        QFETCH(QStringList, descending);
        for (bool up : {true, false}) {
            CReportListCtrl list;
            fill(list, "键,60", cells);
            for (int row = 0; row < list.GetItemCount(); ++row)
                list.SetItemData(row, list.GetItemText(row, 0));
            QVERIFY(CSortClass(list, 0, numeric).Sort(up));
            QCOMPARE(columnTexts(list), up ? ascending : descending);
            for (int row = 0; row < list.GetItemCount(); ++row)
                QCOMPARE(list.GetItemData(row).toString(), list.GetItemText(row, 0));
            QVERIFY(!CSortClass(list, 1, numeric).Sort(up));
        }
    }
};

QTEST_MAIN(TestReportList)
#include "test_report_list.moc"
