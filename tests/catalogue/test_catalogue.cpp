#include "ClassPicking.h"

#include "catalogue/BookAddDlg.h"
#include "catalogue/BookTypeDlg.h"
#include "catalogue/EditBookDlg.h"
#include "catalogue/PublisherDlg.h"
#include "catalogue/ShelfSettingDlg.h"
#include "controls/ButtonIcons.h"
#include "controls/EditListCtrl.h"
#include "controls/SkinButton.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QtTest>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

namespace {
int count(const QString& sql, const QVariantList& params = {})
{
    return theApp().m_ado.GetRecordSet(sql, params)->GetValue(0).toInt();
}

void storeBooks(int rows, const QString& title = QStringLiteral("旧书"))
{
    CTransaction t(theApp().m_ado);
    for (int i = 0; i < rows; ++i)
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into bkinfo (条形码, 图书编号, 书名) values ('978', ?, ?)"),
                                          {QStringLiteral("X%1").arg(i, 4, 10, QLatin1Char('0')), title}));
    QVERIFY(t.Commit());
}
}

// The book entry window is open in every test.
class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        seams = std::make_unique<ScriptedSeams>();
        folder = std::make_unique<TestProgramFolder>();
        QVERIFY(folder->isReady());
        dialog = std::make_unique<CBookAddDlg>();
        dialog->show();
    }

    void cleanup()
    {
        dialog.reset();
        folder.reset();
        seams.reset();
    }

    // A publisher without a name is listed as an empty entry, not as a failure.
    void publisherWithoutName()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral(
            "insert into chubansheinfo (ISBN, 出版社名) values ('7-02', '人民文学出版社'), ('7-01', NULL), ('7-10', '中华书局')")));
        dialog = std::make_unique<CBookAddDlg>();
        QComboBox* publishers = find<QComboBox>("m_cmbPublisher");
        QCOMPARE(publishers->count(), 3);
        QCOMPARE(publishers->itemText(0), QString());
        QCOMPARE(publishers->currentText(), QStringLiteral("人民文学出版社"));
        QCOMPARE(text("m_edtEntryDate"), QStringLiteral("2017-04-11"));
        QVERIFY(seams->prompter.messages.isEmpty());
    }

    void multiCopyAdd()
    {
        storeBooks(2, QStringLiteral("红楼梦"));
        fillBook();
        addCopies(QStringLiteral("B0099"), 3);
        QCOMPARE(seams->prompter.texts(), QStringList());
        for (const auto& [number, copy] : {std::pair{"B0099", "3"}, {"B0100", "4"}, {"B0101", "5"}})
            QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 图书编号=? and 复本号=? and 开本='16开'"),
                           {QString::fromLatin1(number), QString::fromLatin1(copy)}), 1);
        QCOMPARE(text("m_edtBookNo"), QStringLiteral("B0102"));
        QCOMPARE(text("m_edtCopyNo"), QStringLiteral("6"));
        QCOMPARE(find<CReportListCtrl>("m_listLocal")->GetItemCount(), 3);
    }

    void duplicateMidwayKeepsEarlierCopies()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into bkinfo (图书编号, 书名) values ('b0100', '别的书')")));
        fillBook();
        addCopies(QStringLiteral("B0099"), 3);
        QCOMPARE(seams->prompter.texts(), QStringList({QStringLiteral("编号B0100已存在，请输入其他编号!")}));
        // The copy stored before stays, and the list shows it.
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 书名='红楼梦'")), 1);
        QCOMPARE(listColumn(find<CReportListCtrl>("m_listLocal"), 1), QStringList{QStringLiteral("B0099")});
        QCOMPARE(text("m_edtBookNo"), QStringLiteral("B0099"));
    }

    void quotesAreStoredAsText()
    {
        const QString title = QStringLiteral("O'Reilly's \"书\"; drop table bkinfo;--");
        fillBook();
        type("m_edtTitle", title);
        addCopies(QStringLiteral("Q'1"), 2);
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 书名=? and 图书编号 in ('Q''1', 'Q''2')"), {title}), 2);
        auto* list = find<CReportListCtrl>("m_listLocal");
        type("m_edtSearch", QStringLiteral("Q'1"));
        click("m_btnSearchLocal");
        QCOMPARE(list->GetItemCount(), 1);
        list->SetSelected(0, true);
        click("m_btnDelete");
        const qsizetype asked = seams->prompter.texts().indexOf(QStringLiteral("确实删除该信息吗？"));
        QVERIFY(asked >= 0);
        QCOMPARE(seams->prompter.messages[asked].caption, QStringLiteral("清除记录"));
        QCOMPARE(seams->prompter.messages[asked].defaultButton, QMessageBox::NoButton);
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 图书编号 <> 'Q''2'")), 0);
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo")), 1);
    }

    // Enter moves on like Tab everywhere but in 图书编号 and the ISBN input: the local search
    // box does not search and 内容简介 takes no line break.
    void enterMovesOn_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("local search box") << "m_edtSearch";
        QTest::newRow("内容简介") << "m_edtSummary";
        QTest::newRow("书籍名称") << "m_edtTitle";
        QTest::newRow("local list") << "m_listLocal";
    }
    void enterMovesOn()
    {
        QFETCH(QString, field);
        storeBooks(1);
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        auto* widget = child<QWidget>(dialog.get(), field);
        widget->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setText(QStringLiteral("旧书"));
        QTest::keyClick(widget, Qt::Key_Return);
        QVERIFY(!widget->hasFocus());
        QCOMPARE(find<CReportListCtrl>("m_listLocal")->GetItemCount(), 0);
        QCOMPARE(find<QPlainTextEdit>("m_edtSummary")->toPlainText(), QString());
        QVERIFY(seams->prompter.messages.isEmpty());
    }

    void enterInBookNoCountsCopies()
    {
        storeBooks(2, QStringLiteral("红楼梦"));
        fillBook();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        auto* bookNo = find<QLineEdit>("m_edtBookNo");
        bookNo->setFocus();
        QTest::keyClick(bookNo, Qt::Key_Return);
        QCOMPARE(text("m_edtCopyNo"), QStringLiteral("3"));
        QVERIFY(bookNo->hasFocus());
    }

    void priceRefused()
    {
        fillBook();
        type("m_edtPrice", QStringLiteral("8.9.0"));
        click("m_btnAdd");
        QCOMPARE(seams->prompter.texts(), QStringList({QStringLiteral("单价里含有非数字!")}));
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo")), 0);
    }

    void nextNumberButton_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("next");
        QTest::newRow("leading zeros") << "B0099" << "B0100";
        QTest::newRow("20 digits") << "12345678901234567899" << "12345678901234567900";
    }
    void nextNumberButton()
    {
        QFETCH(QString, number);
        QFETCH(QString, next);
        type("m_edtBookNo", number);
        click("m_btnIncBookNo");
        QCOMPARE(text("m_edtBookNo"), next);
    }

    // Blanks on the number's left are not stored, a tab as well as a space.
    void blanksBeforeTheNumberGo()
    {
        fillBook();
        type("m_edtBookNo", QStringLiteral("\t B7"));
        click("m_btnAdd");
        QCOMPARE(seams->prompter.texts(), QStringList());
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 图书编号='B7'")), 1);
        QCOMPARE(text("m_edtBookNo"), QStringLiteral("B8"));
    }

    void classificationPicksType_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("classNo");
        QTest::addColumn<QString>("bookType");
        QTest::newRow("I247.5") << "I247.5*长篇小说" << "I247.5" << "I文学";
        QTest::newRow("TP311") << "TP311*程序设计" << "TP311" << "TP自动化技术、计算机技术";
        QTest::newRow("K09, no type holds K0: the last one") << "K09*史学史" << "K09" << "Z综合性图书";
    }
    void classificationPicksType()
    {
        QFETCH(QString, node);
        QFETCH(QString, classNo);
        QFETCH(QString, bookType);
        pickClassNode(*dialog, "m_btnFindClassNo", node);
        QCOMPARE(text("m_edtClassNo"), classNo);
        QCOMPARE(find<QComboBox>("m_cmbBookType")->currentText(), bookType);
    }

    // Pages of 100; where pages are cut is the paged list's own test.
    void paging()
    {
        storeBooks(101);
        auto* list = find<CReportListCtrl>("m_listLocal");
        click("m_btnSearchLocal");
        QCOMPARE(find<QLabel>("m_lblTotal")->text(), QStringLiteral("共计：2页  101条记录"));
        QCOMPARE(list->GetItemCount(), 100);
        click("m_btnPrevPage");
        QCOMPARE(seams->prompter.lastText(), QStringLiteral("已是第一页！"));
        click("m_btnNextPage");
        QCOMPARE(list->GetRowTexts(0).value(1), QStringLiteral("X0100"));
        QCOMPARE(list->GetItemCount(), 1);
        click("m_btnNextPage");
        QCOMPARE(seams->prompter.lastText(), QStringLiteral("已是最后一页！"));
        QCOMPARE(seams->prompter.messages.size(), 2);
    }

    // A search without hits says so and changes nothing: the rows, pages and total stay, and
    // the pages shown are still the ones turned.
    void searchWithoutHitsKeepsTheList()
    {
        storeBooks(101);
        auto* list = find<CReportListCtrl>("m_listLocal");
        click("m_btnSearchLocal");
        type("m_edtSearch", QStringLiteral("zzz"));
        click("m_btnSearchLocal");
        QCOMPARE(seams->prompter.texts(), QStringList{QStringLiteral("图书库没有数据!")});
        QCOMPARE(find<QLabel>("m_lblTotal")->text(), QStringLiteral("共计：2页  101条记录"));
        QCOMPARE(find<QComboBox>("m_cmbPage")->count(), 2);
        QCOMPARE(list->GetItemCount(), 100);
        click("m_btnNextPage");
        QCOMPARE(listColumn(list, 1), QStringList{QStringLiteral("X0100")});
    }

    // A double click on a list's empty part loads nothing and asks for a row.
    void doubleClickOnEmptyPartAsksForARow_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("message");
        QTest::newRow("stored copies") << "m_listLocal" << QStringLiteral("请选定记录！");
        QTest::newRow("lookup results") << "m_listResults" << QStringLiteral("没有选定记录!\n");
    }
    void doubleClickOnEmptyPartAsksForARow()
    {
        QFETCH(QString, listName);
        QFETCH(QString, message);
        storeBooks(1);
        click("m_btnSearchLocal");
        auto* list = child<CReportListCtrl>(dialog.get(), listName);
        if (list->GetItemCount() == 0)
            list->AddItem({QStringLiteral("9787020002207"), QString(), QStringLiteral("红楼梦")});
        list->SetSelected(0, true);
        const QPoint below(10, list->viewport()->height() - 3);
        QVERIFY(!list->itemAt(below));
        // As the window system delivers a double click: press, release, press, release.
        const auto doubleClickAt = [this, list](QPoint at) {
            QTest::mouseDClick(dialog->windowHandle(), Qt::LeftButton, {}, list->viewport()->mapTo(dialog.get(), at));
        };
        doubleClickAt(below);
        QTRY_COMPARE(seams->prompter.texts(), QStringList{message});
        QCOMPARE(text("m_edtTitle"), QString());
        doubleClickAt(list->visualItemRect(list->topLevelItem(0)).center());
        QTRY_VERIFY(!text("m_edtTitle").isEmpty());
        QCOMPARE(seams->prompter.messages.size(), 1);
    }

    // The count of copies is read as C's atoi reads a number.
    void copiesCountReadLikeAtoi_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("a unit behind the number") << "3本" << QStringList{"B1", "B2", "B3"};
        QTest::newRow("blanks before it") << " 2" << QStringList{"B1", "B2"};
        QTest::newRow("no leading number: nothing") << "本3" << QStringList();
    }
    void copiesCountReadLikeAtoi()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, stored);
        fillBook();
        find<QCheckBox>("m_chkAddCopies")->setChecked(true);
        find<QComboBox>("m_cmbCopies")->setCurrentText(typed);
        click("m_btnAdd");
        QCOMPARE(seams->prompter.texts(), QStringList());
        RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select group_concat(图书编号) from bkinfo"));
        QCOMPARE(rs->GetCollect(0), stored.join(QLatin1Char(',')));
    }

    // Reserved copies and copies with a loan row count as lent too.
    void copyOnLoanNotDeleted_data()
    {
        QTest::addColumn<int>("lentFlag");
        QTest::addColumn<bool>("loanRow");
        QTest::newRow("lent") << 1 << true;
        QTest::newRow("reserved") << 2 << false;
        QTest::newRow("loan row only") << 0 << true;
    }
    void copyOnLoanNotDeleted()
    {
        QFETCH(int, lentFlag);
        QFETCH(bool, loanRow);
        storeBooks(1);
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("update bkinfo set 是否借出=?"), {lentFlag}));
        if (loanRow)
            QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into jieyueinfo (图书编号, 借书日期) values ('x0000', '2017-04-01')")));
        click("m_btnSearchLocal");
        find<CReportListCtrl>("m_listLocal")->SetSelected(0, true);
        click("m_btnDelete");
        QCOMPARE(seams->prompter.lastText(), QStringLiteral("图书X0000已借出，不能删除！"));
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo")), 1);
    }

    // 添加 and 删除 of the book type, publisher and shelf windows show icons 210 and 211.
    void referenceWindowIcons()
    {
        CBookTypeDlg types;
        CPublisherDlg publishers;
        CShelfSettingDlg shelves;
        for (QDialog* window : std::initializer_list<QDialog*>{&types, &publishers, &shelves})
            for (const auto& [name, icon] : {std::pair{"m_btnAdd", 210}, {"m_btnDelete", 211}})
                QCOMPARE(child<CSkinButton>(window, name)->icon().pixmap(16).toImage(), resourceIcon(icon).pixmap(16).toImage());
    }

    // A delete the database refuses says nothing; the list, searched again, still shows the copy.
    void failedDeleteSaysNothing()
    {
        storeBooks(1);
        auto* list = find<CReportListCtrl>("m_listLocal");
        click("m_btnSearchLocal");
        list->SetSelected(0, true);
        failOn(QStringLiteral("before delete on bkinfo"));
        click("m_btnDelete");
        QCOMPARE(seams->prompter.texts(), QStringList{QStringLiteral("确实删除该信息吗？")});
        QCOMPARE(listColumn(list, 1), QStringList{QStringLiteral("X0000")});
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo")), 1);
    }

    void duplicateKeyFails()
    {
        CBookTypeDlg window;
        child<QLineEdit>(&window, "m_edtUpper")->setText(QStringLiteral("i"));
        child<QLineEdit>(&window, "m_edtLower")->setText(QStringLiteral("又一个文学"));
        child<QPushButton>(&window, "m_btnAdd")->click();
        QCOMPARE(seams->prompter.texts(), QStringList({QStringLiteral("操作失败")}));
    }

    void nullKeyListsEmpty()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into shujiainfo (存放位置名, 备注) values ('阅览室', NULL)")));
        CShelfSettingDlg window;
        auto* list = child<CReportListCtrl>(&window, "m_list");
        const QList<QTreeWidgetItem*> rows = list->findItems(QStringLiteral("阅览室"), Qt::MatchExactly, 0);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0]->text(1), QString());
        QVERIFY(seams->prompter.messages.isEmpty());
    }

    // The window's controls as they open: the radio button that captions the keyword edit
    // unticked, the keyword edit with the focus, the spare edit built hidden, 查找 the default
    // button and 保存 disabled.
    void editWindowOpens()
    {
        CEditBookDlg window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(!child<QRadioButton>(&window, "m_radBookNo")->isChecked());
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(&window, "m_edtKeyword"));
        QVERIFY(child<QLineEdit>(&window, "m_edtHidden")->isHidden());
        QVERIFY(child<QPushButton>(&window, "m_btnFind")->isDefault());
        QVERIFY(!child<QPushButton>(&window, "m_btnSave")->isEnabled());
    }

    // Cells are changed through the list's own in-place edit; 保存 stays disabled, and when it
    // is enabled the copy is found by the number it was loaded with, an emptied cell empties
    // its column, and a clash is reported.
    void editWindowSavesByNumber()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral(
            "insert into bkinfo (图书编号, 书名, 著译者) values ('E1', '水浒传', '施耐庵'), ('E2', '水浒', '')")));
        auto window = editWindow(QString());
        QCOMPARE(seams->prompter.lastText(), QStringLiteral("请输入用查询信息！"));
        auto* list = child<CEditListCtrl>(window.get(), "m_list");
        auto* save = child<QPushButton>(window.get(), "m_btnSave");
        QVERIFY(!save->isEnabled());
        const auto editCell = [list](int column, const QString& text) {
            list->EditSubItem(true, 0, column);
            auto* edit = child<QLineEdit>(list, "m_edit");
            edit->setText(text);
            QTest::keyClick(edit, Qt::Key_Return);
        };
        findIn(*window, QStringLiteral("e2' or 1=1"));
        QCOMPARE(seams->prompter.lastText(), QStringLiteral("图书库没有数据!"));
        findIn(*window, QStringLiteral("水浒"));
        QCOMPARE(list->GetItemCount(), 2);
        QVERIFY(!save->isEnabled());
        save->setEnabled(true);
        save->click();
        QCOMPARE(seams->prompter.lastText(), QStringLiteral("没有数据！"));
        list->SetSelected(0, true);
        editCell(1, QStringLiteral("E10"));
        editCell(5, QStringLiteral("水浒'全传"));
        editCell(6, QString());
        seams->prompter.messages.clear();
        save->click();
        QCOMPARE(seams->prompter.texts(), QStringList());
        RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select 图书编号, 书名, 著译者 from bkinfo order by 图书编号"));
        QCOMPARE(rs->GetRowTexts(), QStringList({"E10", "水浒'全传", ""}));
        // The row now stands for E10: a further change is saved over it, the publication date
        // as typed.
        editCell(7, QStringLiteral("人民文学出版社"));
        editCell(10, QStringLiteral("1996年秋"));
        save->click();
        QCOMPARE(seams->prompter.texts(), QStringList());
        rs = theApp().m_ado.GetRecordSet(QStringLiteral("select 出版处, 版期 from bkinfo where 图书编号='E10'"));
        QCOMPARE(rs->GetRowTexts(), QStringList({QStringLiteral("人民文学出版社"), QStringLiteral("1996年秋")}));
        editCell(1, QStringLiteral("e2"));
        save->click();
        QCOMPARE(seams->prompter.texts(), QStringList({QStringLiteral("操作失败")}));
    }

    // Changing the number of a copy that is out would leave its loan or reservation without it.
    void lentCopyKeepsItsNumber_data()
    {
        QTest::addColumn<int>("lentFlag");
        QTest::addColumn<QString>("outRow");
        QTest::addColumn<QString>("newNumber");
        QTest::addColumn<QString>("refusal");
        const QString loan = QStringLiteral("insert into jieyueinfo (图书编号, 借书日期) values ('E1', '2017-04-01')");
        const QString reservation = QStringLiteral("insert into jieyue_yuyue (图书编号, 读者编号) values ('E1', 'R1')");
        const QString refused = QStringLiteral("图书E1已借出或预约，不能修改图书编号！");
        QTest::newRow("lent") << 1 << loan << "E9" << refused;
        QTest::newRow("reserved") << 2 << QString() << "E9" << refused;
        QTest::newRow("loan row, flag cleared") << 0 << loan << "E9" << refused;
        QTest::newRow("reservation row only") << 0 << reservation << "E9" << refused;
        QTest::newRow("only the case changes") << 1 << loan << "e1" << refused;
        QTest::newRow("number emptied") << 1 << loan << "" << refused;
        QTest::newRow("lent, number kept") << 1 << loan << "E1" << QString();
        QTest::newRow("in stock") << 0 << QString() << "E9" << QString();
    }
    void lentCopyKeepsItsNumber()
    {
        QFETCH(int, lentFlag);
        QFETCH(QString, outRow);
        QFETCH(QString, newNumber);
        QFETCH(QString, refusal);
        QVERIFY(theApp().m_ado.ExecuteSql(
            QStringLiteral("insert into bkinfo (图书编号, 书名, 单价, 是否借出) values ('E1', '水浒传', '20', ?)"), {lentFlag}));
        if (!outRow.isEmpty())
            QVERIFY(theApp().m_ado.ExecuteSql(outRow));
        auto window = editWindow(QStringLiteral("水浒"));
        auto* list = child<CEditListCtrl>(window.get(), "m_list");
        list->SetSelected(0, true);
        list->SetItemText(0, kBookNo, newNumber);
        list->SetItemText(0, kPrice, QStringLiteral("25"));
        save(*window);
        QCOMPARE(seams->prompter.texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
        RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select 图书编号, 单价 from bkinfo"));
        QCOMPARE(rs->GetRowTexts(), refusal.isEmpty() ? QStringList({newNumber, "25"}) : QStringList({"E1", "20"}));
    }

    void entryDateStoredAsDate_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");  // empty: refused
        QTest::newRow("Chinese") << " 2017年4月1日" << "2017-04-01";
        QTest::newRow("no such day") << "2017-02-30" << "";
    }
    // The entry window's add and its save, and the edit window's save, store one shape (the
    // readings of a date are the date text's own test).
    void entryDateStoredAsDate()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const QString refusal = QStringLiteral("入库时间“%1”不是日期，请按2017-04-11的样式输入!").arg(typed);
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral(
            "insert into bkinfo (条形码, 图书编号, 书名, 入库时间) values ('111', 'S1', '旧书', '2000-01-01'), "
            "('222', 'S2', '旧书', '2000-01-01')")));
        const auto storedDate = [](const char* number) {
            RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select 入库时间 from bkinfo where 图书编号=?"),
                                                          {QString::fromLatin1(number)});
            return rs->IsEOF() ? QString() : rs->GetCollect(0);
        };

        fillBook();
        type("m_edtEntryDate", typed);
        click("m_btnAdd");
        QCOMPARE(storedDate("B1"), stored);
        QCOMPARE(text("m_edtEntryDate"), stored.isEmpty() ? typed : stored);

        type("m_edtBookNo", QStringLiteral("S1"));
        type("m_edtEntryDate", typed);
        click("m_btnEdit");
        click("m_btnSave");
        QCOMPARE(storedDate("S1"), stored.isEmpty() ? QStringLiteral("2000-01-01") : stored);
        QCOMPARE(find<QPushButton>("m_btnSave")->isEnabled(), stored.isEmpty());

        auto window = editWindow(QStringLiteral("S2"));
        auto* list = child<CEditListCtrl>(window.get(), "m_list");
        list->SetSelected(0, true);
        list->SetItemText(0, kEntryDate, typed);
        save(*window);
        QCOMPARE(storedDate("S2"), stored.isEmpty() ? QStringLiteral("2000-01-01") : stored);

        QCOMPARE(seams->prompter.texts(), stored.isEmpty() ? QStringList({refusal, refusal, refusal}) : QStringList());
    }

    // A stored copy is loaded by a double click, changed after 修改 and written by 保存; an
    // emptied field keeps its stored value.
    void editAndSave()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral(
            "insert into bkinfo (条形码, 图书编号, 书名, 著译者, 单价, 入库时间) values "
            "('9787020008735', 'S1', '水浒传', '施耐庵', '20', '2017-01-01'), ('9787020008742', 'S2', '西游记', '吴承恩', '30', '2017-01-01')")));
        auto* list = find<CReportListCtrl>("m_listLocal");
        click("m_btnSearchLocal");
        list->setCurrentItem(list->topLevelItem(0));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
        QTest::qWait(0);
        QCOMPARE(text("m_edtBookNo"), QStringLiteral("S1"));
        QCOMPARE(text("m_edtAuthor"), QStringLiteral("施耐庵"));

        click("m_btnEdit");
        QVERIFY(!find<QLineEdit>("m_edtBookNo")->isEnabled());
        QVERIFY(!find<QPushButton>("m_btnAdd")->isEnabled());
        type("m_edtPrice", QStringLiteral("25.5"));
        type("m_edtAuthor", QString());
        click("m_btnSave");
        QCOMPARE(seams->prompter.texts(), QStringList());
        RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select 单价, 著译者 from bkinfo where 图书编号='S1'"));
        QCOMPARE(rs->GetRowTexts(), QStringList({"25.5", "施耐庵"}));
        QVERIFY(find<QLineEdit>("m_edtBookNo")->isEnabled());
        QVERIFY(!find<QPushButton>("m_btnSave")->isEnabled());
        QCOMPARE(text("m_edtSearch"), QStringLiteral("9787020008735"));
        QCOMPARE(list->GetItemCount(), 1);

        // A number with no copy: nothing is written and the window stays in edit mode.
        type("m_edtBookNo", QStringLiteral("S9"));
        click("m_btnEdit");
        click("m_btnSave");
        QCOMPARE(seams->prompter.texts(), QStringList({QStringLiteral("保存数据失败")}));
        QVERIFY(find<QPushButton>("m_btnSave")->isEnabled());
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 单价=25.5")), 1);
    }

    void localSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("everything, by number") << "(全部)" << QStringList{"L1", "L10", "L2", "L3"};
        QTest::newRow("ISBN exactly") << "9787111" << QStringList{"L1"};
        QTest::newRow("part of an ISBN finds nothing") << "978711" << QStringList();
        QTest::newRow("number exactly, not a part") << "L1" << QStringList{"L1"};
        QTest::newRow("part of a title") << "导论" << QStringList{"L1"};
        QTest::newRow("title in another case") << "c++ primer" << QStringList{"L2"};
        QTest::newRow("part of a publisher") << "清华" << QStringList{"L10"};
        QTest::newRow("part of an author") << "蔚" << QStringList{"L10"};
        QTest::newRow("part of an entry date") << "2017-0" << QStringList{"L1", "L2"};
        QTest::newRow("a percent sign is text") << "%" << QStringList{"L3"};
    }
    void localSearch()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, numbers);
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral(
            "insert into bkinfo (条形码, 图书编号, 书名, 出版处, 著译者, 入库时间) values "
            "('9787111', 'L1', '算法导论', '机械工业出版社', '科尔曼', '2017-04-01'),"
            "('9787302', 'L10', '数据结构', '清华大学出版社', '严蔚敏', '2016-09-01'),"
            "('9787115', 'L2', 'C++ Primer', '人民邮电出版社', 'Lippman', '2017-05-01'),"
            "('9787000', 'L3', '100%好书', '', '', '2016-01-01')")));
        type("m_edtSearch", text);
        click("m_btnSearchLocal");
        auto* list = find<CReportListCtrl>("m_listLocal");
        QStringList found;
        for (int row = 0; row < list->GetItemCount(); ++row)
            found << list->GetItemText(row, kBookNo);
        QCOMPARE(found, numbers);
        QCOMPARE(seams->prompter.texts(), numbers.isEmpty() ? QStringList({QStringLiteral("图书库没有数据!")}) : QStringList());
    }

    // The shelf combo keeps the entries it was opened with.
    void shelfWindowLeavesComboAlone()
    {
        QComboBox* shelves = find<QComboBox>("m_cmbShelf");
        const int entries = shelves->count();
        QCOMPARE(shelves->currentText(), QStringLiteral("2号书架"));
        QTimer::singleShot(0, [] {
            QWidget* window = QApplication::activeModalWidget();
            QVERIFY(window);
            child<QLineEdit>(window, "m_edtUpper")->setText(QStringLiteral("阅览室"));
            child<QPushButton>(window, "m_btnAdd")->click();
            window->close();
        });
        click("m_btnShelfSettings");
        QCOMPARE(count(QStringLiteral("select count(*) from shujiainfo where 存放位置名='阅览室'")), 1);
        QCOMPARE(shelves->count(), entries);
        QCOMPARE(shelves->findText(QStringLiteral("阅览室")), -1);
        QCOMPARE(shelves->currentText(), QStringLiteral("2号书架"));
    }

    // A double click on 添加 is two presses: the first stores the copy and moves the form on
    // to the next number, the second stores a copy under that number.
    void doubleClickOnAddStoresTwoCopies()
    {
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        fillBook();
        type("m_edtBookNo", QStringLiteral("TS0300"));
        doubleClick(find<QPushButton>("m_btnAdd"));
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 书名='红楼梦'")), 2);
        QCOMPARE(count(QStringLiteral("select count(*) from bkinfo where 图书编号 in ('TS0300', 'TS0301')")), 2);
        QCOMPARE(text("m_edtBookNo"), QStringLiteral("TS0302"));
        QVERIFY(seams->prompter.messages.isEmpty());
    }

private:
    // 保存 of the edit window, enabled for the test: nothing in the window enables it.
    static void save(QWidget& window)
    {
        auto* button = child<QPushButton>(&window, "m_btnSave");
        button->setEnabled(true);
        button->click();
    }
    static void findIn(QWidget& window, const QString& keyword)
    {
        child<QLineEdit>(&window, "m_edtKeyword")->setText(keyword);
        child<QPushButton>(&window, "m_btnFind")->click();
    }
    // The edit window, shown, after a search for the keyword.
    static std::unique_ptr<CEditBookDlg> editWindow(const QString& keyword)
    {
        auto window = std::make_unique<CEditBookDlg>();
        window->show();
        findIn(*window, keyword);
        return window;
    }
    template <typename T> T* find(const char* name) { return child<T>(dialog.get(), name); }
    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    void type(const char* name, const QString& value) { find<QLineEdit>(name)->setText(value); }
    void click(const char* name) { find<QPushButton>(name)->click(); }
    void fillBook()
    {
        type("m_edtIsbn", QStringLiteral("9787020002207"));
        type("m_edtBookNo", QStringLiteral("B1"));
        type("m_edtTitle", QStringLiteral("红楼梦"));
        type("m_edtPrice", QStringLiteral("59.70"));
    }

    void addCopies(const QString& number, int copies)
    {
        type("m_edtBookNo", number);
        find<QCheckBox>("m_chkAddCopies")->setChecked(true);
        find<QComboBox>("m_cmbCopies")->setCurrentText(QString::number(copies));
        click("m_btnAdd");
    }

    std::unique_ptr<ScriptedSeams> seams;
    std::unique_ptr<TestProgramFolder> folder;
    std::unique_ptr<CBookAddDlg> dialog;
};

QTEST_MAIN(TestCatalogue)
#include "test_catalogue.moc"
