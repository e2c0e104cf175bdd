#include "controls/EditListCtrl.h"
#include "controls/KestrelMenu.h"
#include "controls/SortClass.h"

#include <QHeaderView>
#include <QtTest>

class TestEditList : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keysEndTheEditKeepingTheText_data();
    void keysEndTheEditKeepingTheText();
    void leavingTheEditKeepsTheText();
    void doubleClickBelowTheRowsOpensNothing();
    void editedTextIsWhatSorts();
    void sortObjectKeepsRowData_data();
    void sortObjectKeepsRowData();
    void menuRegistryAndCharacters();

private:
    QPoint cellCentre(int row, int column) const;
    void doubleClickCell(int row, int column);

    QWidget* m_window = nullptr;
    CEditListCtrl* m_list = nullptr;
    QLineEdit* m_other = nullptr;
};

void TestEditList::init()
{
    m_window = new QWidget;
    m_list = new CEditListCtrl(m_window);
    m_other = new QLineEdit(m_window);
    m_list->setGeometry(0, 0, 300, 200);
    m_other->setGeometry(0, 210, 100, 20);
    m_list->SetHeadings("编号,60;书名,120");
    m_list->AddItem({"2", "乙书"});
    m_list->AddItem({"10", "甲书"});
    m_window->resize(300, 240);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestEditList::cleanup()
{
    delete m_window;
}

QPoint TestEditList::cellCentre(int row, int column) const
{
    const int x = m_list->header()->sectionViewportPosition(column) + m_list->header()->sectionSize(column) / 2;
    return QPoint(x, m_list->visualItemRect(m_list->topLevelItem(row)).center().y());
}

void TestEditList::doubleClickCell(int row, int column)
{
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, cellCentre(row, column));
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, cellCentre(row, column));
}

void TestEditList::keysEndTheEditKeepingTheText_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestEditList::keysEndTheEditKeepingTheText()
{
    QFETCH(int, key);
    QSignalSpy edited(m_list, &CEditListCtrl::cellEdited);
    doubleClickCell(1, 1);
    QVERIFY(m_list->IsEditing());
    auto* edit = m_list->findChild<QLineEdit*>("m_edit");
    QVERIFY(edit && edit->isVisible());
    QCOMPARE(edit->text(), QStringLiteral("甲书"));
    QTest::keyClicks(edit, "c3");
    QTest::keyClick(edit, Qt::Key(key));
    QVERIFY(!m_list->IsEditing());
    QVERIFY(!edit->isVisible());
    QCOMPARE(m_list->GetItemText(1, 1), QStringLiteral("c3"));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.first(), (QList<QVariant>{1, 1}));
}

void TestEditList::leavingTheEditKeepsTheText()
{
    doubleClickCell(0, 0);
    auto* edit = m_list->findChild<QLineEdit*>("m_edit");
    QTest::keyClicks(edit, "7");
    m_other->setFocus();
    QCOMPARE(m_list->GetItemText(0, 0), QStringLiteral("7"));
    QVERIFY(!edit->isVisible());
}

void TestEditList::doubleClickBelowTheRowsOpensNothing()
{
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, QPoint(30, m_list->viewport()->height() - 5));
    QVERIFY(!m_list->IsEditing());
    QCOMPARE(m_list->GetEditRow(), -1);
}

void TestEditList::editedTextIsWhatSorts()
{
    doubleClickCell(0, 0);
    auto* edit = m_list->findChild<QLineEdit*>("m_edit");
    QTest::keyClicks(edit, "100");
    QTest::keyClick(edit, Qt::Key_Return);
    m_list->OnColumnClick(0);
    QCOMPARE(m_list->GetItemText(0, 0), QStringLiteral("10"));
    QCOMPARE(m_list->GetItemText(1, 0), QStringLiteral("100"));
    QCOMPARE(m_list->GetItemText(1, 1), QStringLiteral("乙书"));
}

void TestEditList::sortObjectKeepsRowData_data()
{
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<QStringList>("ascending");
    QTest::newRow("text") << false << QStringList{"10", "9", "abc", "ABD"};
    QTest::newRow("numeric") << true << QStringList{"9", "10", "abc", "ABD"};
}

void TestEditList::sortObjectKeepsRowData()
{
    QFETCH(bool, numeric);
    QFETCH(QStringList, ascending);
    CReportListCtrl list;
    list.SetHeadings("键,60");
    const QStringList keys{"ABD", "10", "abc", "9"};
    for (int i = 0; i < keys.size(); ++i) {
        list.AddItem({keys[i]});
        list.SetItemData(i, keys[i]);
    }
    QVERIFY(CSortClass(list, 0, numeric).Sort(true));
    for (int row = 0; row < list.GetItemCount(); ++row) {
        QCOMPARE(list.GetItemText(row, 0), ascending[row]);
        QCOMPARE(list.GetItemData(row).toString(), ascending[row]);
    }
    QVERIFY(!CSortClass(list, 3, numeric).Sort(true));
    QCOMPARE(list.GetSortColumn(), -1);
}

void TestEditList::menuRegistryAndCharacters()
{
    QPointer<KestrelMenu> popup;
    {
        KestrelMenu menu;
        menu.AppendMenu("打开(&O)", 101);
        menu.AppendMenu(QString(), 0);
        popup = menu.AppendPopup("导出(&E)");
        popup->AppendMenu("表格(&X)", 201);
        QVERIFY(KestrelMenu::IsMenu(&menu));
        QVERIFY(KestrelMenu::IsMenu(popup));
        QCOMPARE(KestrelMenu::FindMenuChar('e', &menu), 2);
        QCOMPARE(KestrelMenu::FindMenuChar('O', &menu), 0);
        QCOMPARE(KestrelMenu::FindMenuChar('z', &menu), -1);
        QCOMPARE(menu.GetSubMenu(2), popup.data());
        QSignalSpy chosen(&menu, &KestrelMenu::commandChosen);
        menu.FindCommand(201)->trigger();
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first().at(0).toInt(), 201);
        QVERIFY(menu.DeleteMenu(201));
        QVERIFY(!menu.FindCommand(201));
    }
    QVERIFY(popup.isNull());
    QMenu plain;
    QVERIFY(!KestrelMenu::IsMenu(&plain));
}

QTEST_MAIN(TestEditList)
#include "test_edit_list.moc"
