#include "controls/EnterKeyFilter.h"
#include "controls/PageCursor.h"
#include "controls/PagedList.h"
#include "controls/PagedSearchPage.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"
#include "controls/SearchEdit.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

namespace {
// A window with the buttons, page selector and total line a paged list of 20 rows drives.
struct Pager {
    QWidget window;
    QPushButton* previous = new QPushButton(&window);
    QPushButton* next = new QPushButton(&window);
    QComboBox* selector = new QComboBox(&window);
    QLabel* total = new QLabel(&window);
    PagedList pages{&window, 20, previous, next, selector, total};
};
}

class TestQueryHelpers : public QObject {
    Q_OBJECT
private slots:
    void takesSearchFilter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("filter");
        QTest::newRow("all") << "(全部)" << true << "";
        QTest::newRow("blanks kept") << " 978 " << true << " 978 ";
        QTest::newRow("empty") << "" << false << "old";
        QTest::newRow("only blanks") << "   " << true << "   ";
        QTest::newRow("all with a blank") << "(全部) " << true << "(全部) ";
    }

    void takesSearchFilter()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QString, filter);
        ScriptedSeams seams;
        QLineEdit edit(text);
        QString taken = "old";
        QCOMPARE(SearchEdit::takeFilter(nullptr, &edit, taken), accepted);
        QCOMPARE(taken, filter);
        QCOMPARE(seams.prompter.texts(), accepted ? QStringList{} : QStringList{"请输入用查询信息！"});
    }

    void searchEditShowsAllWhenEmpty()
    {
        QDialog window;
        auto* other = new QLineEdit(&window);
        auto* edit = new QLineEdit(&window);
        SearchEdit::attach(edit);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(edit->text(), QStringLiteral("(全部)"));
        edit->setFocus();
        QCOMPARE(edit->text(), QString());
        other->setFocus();
        QCOMPARE(edit->text(), QStringLiteral("(全部)"));
        edit->setFocus();
        QTest::keyClicks(edit, "978");
        other->setFocus();
        QCOMPARE(edit->text(), QStringLiteral("978"));
        // A message over the window takes the focus; when it comes back the edit is empty
        // for the next scan.
        edit->setFocus();
        QTest::keyClicks(edit, "zzz");
        QDialog message(&window);
        message.show();
        QTRY_VERIFY(!edit->hasFocus());
        QCOMPARE(edit->text(), QStringLiteral("zzz"));
        message.close();
        window.activateWindow();
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), QString());
        // The edit's context menu (paste) leaves its text alone, empty or not.
        for (const QString& typed : {QString(), QStringLiteral("978")}) {
            edit->setText(typed);
            QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
            QApplication::sendEvent(edit, &out);
            QCOMPARE(edit->text(), typed);
            QFocusEvent in(QEvent::FocusIn, Qt::PopupFocusReason);
            QApplication::sendEvent(edit, &in);
            QCOMPARE(edit->text(), typed);
        }
    }

    // Enter runs a field's search or moves the focus; it never closes the window, and a
    // tab page or a window opened over it keeps its own Enter.
    void enterNeverClosesTheWindow()
    {
        QDialog window;
        auto* search = new QLineEdit(&window);
        auto* second = new QLineEdit(&window);
        auto* button = new QPushButton("确定", &window);
        auto* notes = new QTextEdit(&window);
        auto* page = new QWidget(&window);
        auto* pageSearch = new QLineEdit(page);
        button->setDefault(true);
        EnterKeyFilter keys(&window);
        EnterKeyFilter pageKeys(page);
        int searches = 0;
        int pageSearches = 0;
        keys.onEnter(search, [&] { ++searches; });
        pageKeys.onEnter(pageSearch, [&] { ++pageSearches; });
        QSignalSpy clicked(button, &QPushButton::clicked);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        search->setFocus();
        QTest::keyClick(search, Qt::Key_Enter);
        QCOMPARE(searches, 1);
        QVERIFY(search->hasFocus());
        second->setFocus();
        QTest::keyClick(second, Qt::Key_Return);
        QVERIFY(button->hasFocus());
        QTest::keyClick(button, Qt::Key_Return);
        QVERIFY(notes->hasFocus());
        QTest::keyClicks(notes, "a");
        QTest::keyClick(notes, Qt::Key_Return);
        QCOMPARE(notes->toPlainText(), QStringLiteral("a\n"));
        pageSearch->setFocus();
        QTest::keyClick(pageSearch, Qt::Key_Return);
        QCOMPARE(pageSearches, 1);
        QCOMPARE(searches, 1);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(window.isVisible());

        auto* message = new QDialog(&window);
        auto* ok = new QPushButton("确定", message);
        ok->setDefault(true);
        QSignalSpy okClicked(ok, &QPushButton::clicked);
        message->show();
        QVERIFY(QTest::qWaitForWindowActive(message));
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(okClicked.count(), 1);
    }

    // A window that keeps the usual dialog keys on its buttons: Enter presses the button with
    // the focus and still moves on from a field; a page with keys of its own keeps them.
    void enterPressesAFocusedButton()
    {
        QDialog window;
        auto* field = new QLineEdit(&window);
        auto* button = new QPushButton("添加", &window);
        auto* page = new QWidget(&window);
        auto* pageButton = new QPushButton("确定", page);
        new QLineEdit(page);
        EnterKeyFilter keys(&window, EnterKeyFilter::ButtonsPress);
        EnterKeyFilter pageKeys(page);
        QSignalSpy clicked(button, &QPushButton::clicked);
        QSignalSpy pageClicked(pageButton, &QPushButton::clicked);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(button->hasFocus());
        QCOMPARE(clicked.count(), 0);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(button->hasFocus());
        pageButton->setFocus();
        QTest::keyClick(pageButton, Qt::Key_Enter);
        QCOMPARE(pageClicked.count(), 0);
        QVERIFY(!pageButton->hasFocus());
        QVERIFY(window.isVisible());
    }

    void cutsPages_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("rowsOnLastPage");
        QTest::newRow("no rows") << 0 << 1 << 0;
        QTest::newRow("one row") << 1 << 1 << 1;
        QTest::newRow("exactly one page") << 20 << 1 << 20;
        QTest::newRow("one more row") << 21 << 2 << 1;
    }

    void cutsPages()
    {
        QFETCH(int, rows);
        QFETCH(int, pages);
        QFETCH(int, rowsOnLastPage);
        PageCursor cursor(20);
        cursor.Reset(rows);
        QCOMPARE(cursor.TotalText(), QStringLiteral("共计：%1页  %2条记录").arg(pages).arg(rows));
        QVERIFY(cursor.SetPage(pages));
        QCOMPARE(cursor.GetFirstRow(), (pages - 1) * 20);
        QCOMPARE(cursor.GetRowsOnPage(), rowsOnLastPage);
        QVERIFY(!cursor.SetPage(pages + 1));
        QVERIFY(!cursor.SetPage(0));
    }

    // Another page size recounts the pages and keeps the page shown where it still exists.
    void pageSizeChangeKeepsThePage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("newSize");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<QString>("total");
        QTest::newRow("page still there") << 2 << 10 << 2 << 10 << "共计：6页  60条记录";
        QTest::newRow("page gone") << 3 << 50 << 2 << 50 << "共计：2页  60条记录";
        QTest::newRow("one page") << 3 << 100 << 1 << 0 << "共计：1页  60条记录";
    }

    void pageSizeChangeKeepsThePage()
    {
        QFETCH(int, page);
        QFETCH(int, newSize);
        QFETCH(int, shown);
        QFETCH(int, firstRow);
        QFETCH(QString, total);
        ScriptedSeams seams;
        Pager pager;
        auto& [window, previous, next, selector, totalLabel, pages] = pager;
        QSignalSpy changed(&pages, &PagedList::pageChanged);
        pages.SetPageSize(10);  // before a result nothing is shown
        QVERIFY(changed.isEmpty());
        pages.SetPageSize(20);
        pages.SetResult(60);
        emit selector->activated(page - 1);
        changed.clear();
        pages.SetPageSize(newSize);
        QCOMPARE(changed.takeFirst().at(0).toInt(), shown);
        QCOMPARE(pages.Cursor().GetFirstRow(), firstRow);
        QCOMPARE(selector->count(), pages.Cursor().GetPageCount());
        QCOMPARE(selector->currentIndex(), shown - 1);
        QCOMPARE(totalLabel->text(), total);
    }

    // Typing into an editable selector chooses no page, however the box is left; the buttons
    // go on from the page shown and write its number back, and the list still chooses.
    void typedPageChoosesNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("leaving");
        QTest::newRow("a listed page, Enter") << "3" << int(Qt::Key_Return);
        QTest::newRow("a listed page, Tab") << "3" << int(Qt::Key_Tab);
        QTest::newRow("letters, Enter") << "abc" << int(Qt::Key_Return);
        QTest::newRow("no such page, Tab") << "9" << int(Qt::Key_Tab);
        QTest::newRow("emptied, Enter") << "" << int(Qt::Key_Return);
    }

    void typedPageChoosesNothing()
    {
        QFETCH(QString, typed);
        QFETCH(int, leaving);
        ScriptedSeams seams;
        Pager pager;
        auto& [window, previous, next, selector, total, pages] = pager;
        selector->setEditable(true);
        pages.SetResult(100);
        QSignalSpy changed(&pages, &PagedList::pageChanged);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        selector->setFocus();
        selector->lineEdit()->selectAll();
        QTest::keyClick(selector, Qt::Key_Backspace);
        QTest::keyClicks(selector, typed);
        QTest::keyClick(selector, Qt::Key(leaving));
        QVERIFY(changed.isEmpty());
        QCOMPARE(pages.Cursor().GetPage(), 1);
        QCOMPARE(selector->count(), 5);
        QCOMPARE(selector->currentText(), typed);

        next->click();
        QCOMPARE(changed.takeFirst().at(0).toInt(), 2);
        QCOMPARE(selector->currentText(), QStringLiteral("2"));
        selector->setFocus();
        QTest::keyClick(selector, Qt::Key_Down);
        QCOMPARE(changed.takeFirst().at(0).toInt(), 3);
        QCOMPARE(seams.prompter.texts(), QStringList());
    }

    void buttonsAndSelectorTurnPages()
    {
        ScriptedSeams seams;
        Pager pager;
        auto& [window, previous, next, selector, total, pages] = pager;
        QSignalSpy changed(&pages, &PagedList::pageChanged);
        next->click();
        QVERIFY(changed.isEmpty() && seams.prompter.messages.isEmpty());

        pages.SetResult(45);
        QCOMPARE(total->text(), QStringLiteral("共计：3页  45条记录"));
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
        QVERIFY(changed.isEmpty());
        pages.SetResult(45);
        QCOMPARE(changed.takeFirst().at(0).toInt(), 1);
    }

    // A page lists exactly its rows of the result: a full page its page size, the last page
    // the rest; a result without rows, or none, leaves the list empty.
    void pagesListTheirRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("first page") << 45 << 1 << readerNumbers(1, 20);
        QTest::newRow("middle page") << 45 << 2 << readerNumbers(21, 40);
        QTest::newRow("last page") << 45 << 3 << readerNumbers(41, 45);
        QTest::newRow("exactly one page") << 20 << 1 << readerNumbers(1, 20);
        QTest::newRow("no rows") << 0 << 1 << QStringList{};
    }

    void pagesListTheirRows()
    {
        QFETCH(int, rows);
        QFETCH(int, page);
        QFETCH(QStringList, listed);
        Workplace work;
        QVERIFY(work.folder.isReady());
        storeReaders(rows);
        Pager pager;
        auto& [window, previous, next, selector, total, pages] = pager;
        CReportListCtrl list;
        list.SetHeadings(QStringLiteral("编号,100"));
        const ListRow number = [](const CAdoRecordset& rs) { return QStringList{rs.GetCollect(0)}; };
        list.AddItem({QStringLiteral("上次的行")});
        const RecordsetPtr result = theApp().m_ado.GetRecordSet(QStringLiteral("select 编号 from readerinfo order by 编号"));
        pages.SetResult(int(result->GetRecordCount()));
        emit selector->activated(page - 1);
        pages.FillList(&list, result, number);
        QCOMPARE(listColumn(&list), listed);
        pages.FillList(&list, nullptr, number);
        QCOMPARE(list.GetItemCount(), 0);
        QVERIFY(work.seams.prompter.messages.isEmpty());
    }

    // A search without hits says so and empties the list; the page line stays as it was.
    void emptySearchEmptiesTheList()
    {
        Workplace work;
        QVERIFY(work.folder.isReady());
        storeReaders(60);
        CPagedSearchPage::Config config;
        config.headings = QStringLiteral("编号,100");
        config.pageSize = 50;
        config.query = [](const QString& filter) {
            return theApp().m_ado.GetRecordSet(QStringLiteral("select 编号 from readerinfo where 编号 like ? order by 编号"),
                                               {QStringLiteral("%") + filter + QStringLiteral("%")});
        };
        config.listRow = [](const CAdoRecordset& rs) { return QStringList{rs.GetCollect(0)}; };
        CPagedSearchPage page(config);
        auto* list = child<CReportListCtrl>(page, "m_list");
        auto* edit = child<QLineEdit>(page, "m_editSearch");
        auto* total = child<QLabel>(page, "m_staticPageInfo");
        edit->setText(QStringLiteral("R0"));
        page.OnSearch();
        QCOMPARE(listColumn(list), readerNumbers(1, 50));
        QCOMPARE(total->text(), QStringLiteral("共计：2页  60条记录"));
        edit->setText(QStringLiteral("没有的人"));
        page.OnSearch();
        QCOMPARE(list->GetItemCount(), 0);
        QCOMPARE(work.seams.prompter.texts(), QStringList{QStringLiteral("没有找到相关信息的图书!")});
        QCOMPARE(total->text(), QStringLiteral("共计：2页  60条记录"));
    }

private:
    // Readers R001, R002, ... in the register.
    static void storeReaders(int count)
    {
        for (const QString& number : readerNumbers(1, count))
            QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into readerinfo (编号, 姓名) values (?, '读者')"), {number}));
    }
    static QStringList readerNumbers(int first, int last)
    {
        QStringList numbers;
        for (int i = first; i <= last; ++i)
            numbers << QStringLiteral("R%1").arg(i, 3, 10, QLatin1Char('0'));
        return numbers;
    }
};

QTEST_MAIN(TestQueryHelpers)
#include "test_query_helpers.moc"
