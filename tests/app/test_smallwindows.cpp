#include "support/TestSupport.h"

#include "app/AboutDlg.h"
#include "app/AdminSetDlg.h"
#include "app/LibraryDlg.h"
#include "app/LibraryInfoDlg.h"
#include "app/LoginCheck.h"
#include "app/LoginDlg.h"
#include "controls/ButtonIcons.h"
#include "app/NoticeBoardDlg.h"
#include "catalogue/BookQueryDlg.h"
#include "circulation/BookLendDlg.h"
#include "circulation/LendQueryDlg.h"
#include "circulation/SchoolLendQueryDlg.h"
#include "controls/HyperLink.h"
#include "controls/ReportListCtrl.h"
#include "controls/SkinButton.h"
#include "core/PasswordHash.h"
#include "db/AppState.h"
#include "maintenance/AssetReportTabDlg.h"
#include "periodicals/PeriodicalQueryDlg.h"
#include "remote/UploadTabDlg.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTextBrowser>
#include <QUrl>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

namespace {
QStringList storedRows(const QString& table)
{
    QStringList rows;
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select * from %1 order by rowid").arg(table));
    for (; !rs->IsEOF(); rs->MoveNext())
        rows << rs->GetRowTexts().join(QLatin1Char('|'));
    return rows;
}

bool storeNotice(const QString& title, const QString& content)
{
    return theApp().m_ado.ExecuteSql(QStringLiteral("insert into gonggao values (?, ?)"), {title, content});
}

// A click on a listed user, as the list answers it once the release has settled the selection.
void clickUser(CReportListCtrl* list, const QString& name)
{
    for (int row = 0; row < list->GetItemCount(); ++row)
        if (list->GetItemText(row, 0) == name) {
            QCoreApplication::processEvents();
            const QRect rect = list->visualItemRect(list->topLevelItem(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
            QCoreApplication::processEvents();
        }
}
}

// The frame's small windows against a fresh program folder.
class TestSmallWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<Workplace> m_work;
    ScriptedPrompter& prompter() { return m_work->seams.prompter; }

private slots:
    void init()
    {
        m_work = std::make_unique<Workplace>();
        QVERIFY(m_work->folder.isReady());
    }
    void cleanup() { m_work.reset(); }

    // Each row starts from the seed operator 超级用户/123456 and 王五/pw. "listed" clicks the user's
    // row first, which puts "********" into both password fields: that is then the password.
    void adminEdits_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("login");  // a name and password that log in afterwards
        const QString add = QStringLiteral("m_btnAdd"), change = QStringLiteral("m_btnChangePassword"),
                      del = QStringLiteral("m_btnDelete");
        const QStringList super = {"超级用户", "123456"};
        QTest::newRow("add") << add << "张三" << false << "abc" << "abc" << "" << 3 << QStringList{"张三", "abc"};
        QTest::newRow("add quotes") << add << "O'Neil" << false << "x'y" << "x'y" << "" << 3
                                    << QStringList{"O'Neil", "x'y"};
        QTest::newRow("add without name") << add << "" << false << "abc" << "abc" << "请输入用户名!\n" << 2 << super;
        QTest::newRow("add without password") << add << "张三" << false << "" << "" << "请输入密码!\n" << 2 << super;
        QTest::newRow("add unconfirmed") << add << "张三" << false << "abc" << "abd" << "请重新确认密码!\n" << 2 << super;
        QTest::newRow("add existing") << add << "超级用户" << false << "abc" << "abc" << "用户名已存在！" << 2 << super;
        QTest::newRow("add placeholder") << add << "李四" << true << "" << "" << "" << 3
                                         << QStringList{"李四", "********"};
        QTest::newRow("change") << change << "超级用户" << false << "n'w" << "n'w" << "密码修改成功！" << 2
                                << QStringList{"超级用户", "n'w"};
        QTest::newRow("change placeholder") << change << "超级用户" << true << "" << "" << "密码修改成功！" << 2
                                            << QStringList{"超级用户", "********"};
        QTest::newRow("change missing user") << change << "无此人" << false << "pw" << "pw" << "用户名不存在！" << 2 << super;
        QTest::newRow("delete unselected") << del << "" << true << "" << "" << "请选定用户!\n" << 2 << super;
        QTest::newRow("delete 超级用户") << del << "超级用户" << true << "" << "" << "超级用户不能删除!\n" << 2 << super;
        QTest::newRow("delete") << del << "王五" << true << "" << "" << "" << 1 << super;
    }

    void adminEdits()
    {
        QFETCH(QString, button);
        QFETCH(QString, user);
        QFETCH(bool, listed);
        QFETCH(QString, password);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        QFETCH(int, rows);
        QFETCH(QStringList, login);
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into admin (用户名, 密码) values (?, ?)"),
                                          {QStringLiteral("王五"), hashPassword(QStringLiteral("pw"))}));
        CAdminSetDlg dlg;
        dlg.show();
        auto* list = child<CReportListCtrl>(dlg, "m_lstAdmin");
        auto edit = [&](const char* name) { return child<QLineEdit>(dlg, name); };
        if (listed) {
            clickUser(list, button == QStringLiteral("m_btnDelete") ? user : QStringLiteral("超级用户"));
            QCOMPARE(edit("m_edtConfirm")->text(), user.isEmpty() ? QString() : QStringLiteral("********"));
        } else
            for (auto [name, text] : {std::pair{"m_edtPassword", password}, std::pair{"m_edtConfirm", confirm}})
                QTest::keyClicks(edit(name), text);
        edit("m_edtUser")->setText(user);
        dlg.findChild<QPushButton*>(button)->click();
        QCOMPARE(prompter().texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(storedRows(QStringLiteral("admin")).size(), rows);
        QCOMPARE(list->GetItemCount(), rows);
        QVERIFY(checkLogin(theApp().m_ado, login[0], login[1]));
        const QString saved = QStringLiteral("select * from admin where 密码 in (?, ?)");
        QCOMPARE(theApp().m_ado.GetRecordSet(saved, {password, QStringLiteral("********")})->GetRecordCount(), 0);
    }

    // Each button shows the picture of the icon number its window gives it.
    void buttonsCarryTheirIcons_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("icon");
        QTest::newRow("添加用户") << "admin" << "m_btnAdd" << 210;
        QTest::newRow("删除用户") << "admin" << "m_btnDelete" << 211;
        QTest::newRow("修改密码") << "admin" << "m_btnChangePassword" << 188;
        QTest::newRow("修改信息") << "library" << "m_btnModify" << 210;
        QTest::newRow("退出") << "library" << "m_btnExit" << 215;
        QTest::newRow("登　录") << "login" << "m_btnLogin" << 199;
        QTest::newRow("退　出") << "login" << "m_btnExit" << 211;
    }

    void buttonsCarryTheirIcons()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(int, icon);
        std::unique_ptr<QDialog> dlg;
        if (window == QStringLiteral("admin"))
            dlg = std::make_unique<CAdminSetDlg>();
        else if (window == QStringLiteral("library"))
            dlg = std::make_unique<CLibraryInfoDlg>();
        else
            dlg = std::make_unique<CLoginDlg>();
        const QSize size(32, 32);
        QCOMPARE(child<CSkinButton>(*dlg, button)->icon().pixmap(size).toImage(),
                 resourceIcon(icon).pixmap(size).toImage());
    }

    // The lists show grid lines, select whole rows and activate on one click.
    void listsHaveTheirStyle()
    {
        CAdminSetDlg admin;
        QCOMPARE(child<CReportListCtrl>(admin, "m_lstAdmin")->GetExtendedStyle(), 0x61);
        CNoticeBoardDlg notices;
        QCOMPARE(child<CReportListCtrl>(notices, "m_lstNotice")->GetExtendedStyle(), 0x61);
    }

    // A delete that the database refuses is not reported: the list, filled again, still
    // shows the row.
    void refusedDeletesAreNotReported()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into admin (用户名, 密码) values ('王五', 'x')")));
        QVERIFY(storeNotice(QStringLiteral("甲"), QStringLiteral("一")));
        for (const char* table : {"admin", "gonggao"})
            QVERIFY(theApp().m_ado.ExecuteSql(
                QStringLiteral("create trigger keep_%1 before delete on %1 begin select raise(abort, 'kept'); end")
                    .arg(QLatin1String(table))));
        CAdminSetDlg admin;
        auto* admins = child<CReportListCtrl>(admin, "m_lstAdmin");
        admins->SetSelected(admins->GetItemText(0, 0) == QStringLiteral("王五") ? 0 : 1, true);
        child<QPushButton>(admin, "m_btnDelete")->click();
        QCOMPARE(admins->GetItemCount(), 2);
        CNoticeBoardDlg notices;
        auto* list = child<CReportListCtrl>(notices, "m_lstNotice");
        list->SetSelected(0, true);
        child<QPushButton>(notices, "m_btnDelete")->click();
        QCOMPARE(list->GetItemCount(), 1);
        QCOMPARE(prompter().texts(), QStringList());
    }

    void unreadableAdminsAreReported()
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("drop table admin")));
        CAdminSetDlg dlg;
        QCOMPARE(prompter().texts(), QStringList{QStringLiteral("操作失败!")});
    }

    void libraryInfoSavesAndLoads_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("message");
        QTest::newRow("all four") << QStringList{"城南中学图书馆", "王老师", "城南路 1 号", "100000"} << "保存成功.";
        QTest::newRow("quotes stay text") << QStringList{"O'Brien's 书屋", "a'b", "'", "''"} << "保存成功.";
        QTest::newRow("no row to update") << QStringList{"新馆", "", "", ""} << "操作失败!";
    }

    void libraryInfoSavesAndLoads()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        const bool saved = message == QStringLiteral("保存成功.");
        if (!saved)
            QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("delete from tushuguaninfo")));
        CLibraryDlg mainWindow;
        const char* edits[] = {"m_edtLibName", "m_edtManager", "m_edtAddress", "m_edtPostcode"};
        CLibraryInfoDlg dlg;
        child<QPushButton>(dlg, "m_btnModify")->click();
        for (int i = 0; i < 4; ++i)
            child<QLineEdit>(dlg, edits[i])->setText(values[i]);
        child<QPushButton>(dlg, "m_btnModify")->click();
        QCOMPARE(prompter().texts(), QStringList{message});
        QCOMPARE(storedRows(QStringLiteral("tushuguaninfo")), saved ? QStringList{values.join('|')} : QStringList());
        QCOMPARE(mainWindow.windowTitle(), saved ? values[0] : QString());
        // A failed save keeps the typed values open for another try.
        QCOMPARE(child<QLineEdit>(dlg, "m_edtLibName")->isEnabled(), !saved);
        CLibraryInfoDlg reopened;
        for (int i = 0; saved && i < 4; ++i)
            QCOMPARE(child<QLineEdit>(reopened, edits[i])->text(), values[i]);
    }

    // Enter presses the button with the focus; in a field it moves on to the next one, and
    // the window stays open with nothing saved.
    void libraryInfoEnter()
    {
        CLibraryInfoDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto* modify = child<QPushButton>(dlg, "m_btnModify");
        QCOMPARE(QApplication::focusWidget(), modify);
        QTest::keyClick(modify, Qt::Key_Return);
        auto* name = child<QLineEdit>(dlg, "m_edtLibName");
        QVERIFY(name->isEnabled());
        QCOMPARE(modify->text(), QStringLiteral("保存信息"));
        const QStringList stored = storedRows(QStringLiteral("tushuguaninfo"));
        name->setFocus();
        name->setText(QStringLiteral("新馆名"));
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(dlg, "m_edtManager"));
        QVERIFY(dlg.isVisible());
        QCOMPARE(storedRows(QStringLiteral("tushuguaninfo")), stored);
        modify->setFocus();
        QTest::keyClick(modify, Qt::Key_Return);
        QCOMPARE(prompter().texts(), QStringList{QStringLiteral("保存成功.")});
        QVERIFY(storedRows(QStringLiteral("tushuguaninfo")).first().startsWith(QStringLiteral("新馆名|")));
        auto* exit = child<QPushButton>(dlg, "m_btnExit");
        exit->setFocus();
        QTest::keyClick(exit, Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
    }

    // Enter in the title moves on to the text, where it starts a new line; on a button it
    // presses that button. The window stays open.
    void noticeBoardEnter()
    {
        CNoticeBoardDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto* title = child<QLineEdit>(dlg, "m_edtTitle");
        auto* text = child<QPlainTextEdit>(dlg, "m_edtContent");
        title->setFocus();
        QTest::keyClicks(title, QStringLiteral("notice"));
        QTest::keyClick(title, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), text);
        QTest::keyClicks(text, QStringLiteral("a"));
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, QStringLiteral("b"));
        auto* add = child<QPushButton>(dlg, "m_btnAdd");
        add->setFocus();
        QTest::keyClick(add, Qt::Key_Return);
        QVERIFY(dlg.isVisible());
        QVERIFY(prompter().texts().isEmpty());
        QCOMPARE(storedRows(QStringLiteral("gonggao")), QStringList{QStringLiteral("notice|a\nb")});
    }

    void addNotice_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("added") << "开馆时间" << "周一至周五 8:00-17:00" << "";
        QTest::newRow("quotes") << "It's" << "a 'quoted' text" << "";
        QTest::newRow("two lines") << "两行" << "第一行\n第二行" << "";
        QTest::newRow("no title") << "" << "内容" << "请输入标题!\n";
        QTest::newRow("no text") << "标题" << "" << "请输入内容!\n";
        QTest::newRow("title taken") << "通知" << "改过的" << "标题已存在！";
    }

    void addNotice()
    {
        QFETCH(QString, title);
        QFETCH(QString, content);
        QFETCH(QString, message);
        QVERIFY(storeNotice(QStringLiteral("通知"), QStringLiteral("第一条")));
        CNoticeBoardDlg dlg;
        child<QLineEdit>(dlg, "m_edtTitle")->setText(title);
        child<QPlainTextEdit>(dlg, "m_edtContent")->setPlainText(content);
        child<QPushButton>(dlg, "m_btnAdd")->click();
        QStringList expected{QStringLiteral("通知|第一条")};
        if (message.isEmpty())
            expected << title + QLatin1Char('|') + content;
        QCOMPARE(prompter().texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(storedRows(QStringLiteral("gonggao")), expected);
        QCOMPARE(child<CReportListCtrl>(dlg, "m_lstNotice")->GetItemCount(), expected.size());
    }

    void deleteNotice()
    {
        QVERIFY(storeNotice(QStringLiteral("甲"), QStringLiteral("一")));
        QVERIFY(storeNotice(QStringLiteral("乙"), QStringLiteral("二")));
        CNoticeBoardDlg dlg;
        auto* list = child<CReportListCtrl>(dlg, "m_lstNotice");
        child<QPushButton>(dlg, "m_btnDelete")->click();
        QCOMPARE(prompter().texts(), QStringList{QStringLiteral("请选定记录!\n")});
        QCOMPARE(storedRows(QStringLiteral("gonggao")).size(), 2);
        list->SetSelected(0, true);
        const QString deleted = list->GetItemText(0, 0);
        child<QPushButton>(dlg, "m_btnDelete")->click();
        QCOMPARE(prompter().texts().size(), 1);
        QCOMPARE(storedRows(QStringLiteral("gonggao")).size(), 1);
        QVERIFY(!storedRows(QStringLiteral("gonggao")).first().startsWith(deleted));
        QCOMPARE(list->GetItemCount(), 1);
    }

    // Command 1014 starts the counter that writes 0, 1, 2 ... into the main window's caption
    // and enables 1016, which stops it, as closing the box does. A second 1014 replaces the
    // running counter; the count goes on in a box opened again.
    void aboutCounterWritesTheCaption()
    {
        CLibraryDlg mainWindow;
        QSignalSpy captions(&mainWindow, &QWidget::windowTitleChanged);
        const auto written = [&] {
            QStringList texts;
            for (const QList<QVariant>& signal : captions)
                texts << signal.first().toString();
            return texts;
        };
        const auto writesNoMore = [&] {
            const qsizetype before = captions.size();
            QTest::qWait(40);
            return captions.size() == before;
        };
        {
            CAboutDlg dlg;
            dlg.SetCounterInterval(5);
            auto* start = child<QAction>(dlg, "m_actStartCounter");
            auto* stop = child<QAction>(dlg, "m_actStopCounter");
            QVERIFY(!stop->isEnabled());
            QVERIFY(writesNoMore());
            QCOMPARE(captions.size(), 0);
            start->trigger();
            QVERIFY(stop->isEnabled());
            QTRY_VERIFY(captions.size() >= 3);
            QCOMPARE(written().mid(0, 3), (QStringList{"0", "1", "2"}));
            start->trigger();
            stop->trigger();
            QVERIFY(writesNoMore());
            start->trigger();
            QTRY_VERIFY(captions.size() >= 5);
            dlg.reject();
            QVERIFY(writesNoMore());
        }
        CAboutDlg again;
        again.SetCounterInterval(5);
        const qsizetype before = captions.size();
        child<QAction>(again, "m_actStartCounter")->trigger();
        QTRY_VERIFY(captions.size() > before);
        // One count across both boxes, each write one more than the last.
        const QStringList texts = written();
        for (qsizetype i = 0; i < texts.size(); ++i)
            QCOMPARE(texts[i], QString::number(i));
        QCOMPARE(mainWindow.windowTitle(), texts.last());
    }

    // In every window with tabs a click on a tab gives the tabs the focus, as a tab control
    // takes it: the focus never falls into the page that comes up.
    void tabClickFocusesTheTabs_data()
    {
        QTest::addColumn<std::function<QDialog*()>>("open");
        QTest::newRow("book query") << std::function<QDialog*()>([] { return new CBookQueryDlg; });
        QTest::newRow("lending") << std::function<QDialog*()>([] { return new CBookLendDlg; });
        QTest::newRow("lending query") << std::function<QDialog*()>([] { return new CLendQueryDlg; });
        QTest::newRow("school lending query") << std::function<QDialog*()>([] { return new CSchoolLendQueryDlg; });
        QTest::newRow("periodical query") << std::function<QDialog*()>([] { return new CPeriodicalQueryDlg; });
        QTest::newRow("asset reports") << std::function<QDialog*()>([] { return new CAssetReportTabDlg; });
        QTest::newRow("upload") << std::function<QDialog*()>([] { return new CUploadTabDlg; });
    }

    void tabClickFocusesTheTabs()
    {
        QFETCH(std::function<QDialog*()>, open);
        const std::unique_ptr<QDialog> window(open());
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* tabs = window->findChild<QTabWidget*>();
        tabs->currentWidget()->nextInFocusChain()->setFocus();
        QVERIFY(tabs->currentWidget()->isAncestorOf(QApplication::focusWidget()));
        const int last = tabs->count() - 1;
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(last).center());
        QCOMPARE(tabs->currentIndex(), last);
        QCOMPARE(QApplication::focusWidget(), tabs->tabBar());
    }

    void missingHelpPageIsReported()
    {
        CAboutDlg dlg;
        QTest::mouseClick(child<CHyperLink>(dlg, "m_stcLink"), Qt::LeftButton);
        QCOMPARE(prompter().texts(), QStringList{QStringLiteral("提供的超级链接或者指定的文件无法执行")});
        QVERIFY(child<CHyperLink>(dlg, "m_stcLink")->IsVisited());
    }

    // A link shows a page of the program folder in the program's viewer and reports it; any
    // other target shows no viewer, is reported to the librarian and gives false.
    void linksReportWhatTheyOpen_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("opens");
        QTest::newRow("page of the program folder") << "page.html" << true;
        QTest::newRow("missing page") << "missing.html" << false;
        QTest::newRow("folder") << "." << false;
        QTest::newRow("web address") << "http://127.0.0.1:9/page.html" << false;
        QTest::newRow("no target") << "" << false;
    }

    void linksReportWhatTheyOpen()
    {
        QFETCH(QString, target);
        QFETCH(bool, opens);
        QVERIFY(writeFile(QStringLiteral("page.html"), "<html><head><title>说明</title></head><body>借书证遗失</body></html>"));
        QString url = target;
        if (!target.isEmpty() && !target.contains(QLatin1Char(':')))
            url = QUrl::fromLocalFile(QDir::current().absoluteFilePath(target)).toString();
        QDialog owner;
        auto* link = new CHyperLink(&owner);
        link->SetLink(url, Qt::blue, Qt::red, Qt::darkYellow, true);
        QCOMPARE(link->GotoURL(), opens);
        QCOMPARE(prompter().texts(), opens ? QStringList{} : QStringList{QStringLiteral("提供的超级链接或者指定的文件无法执行")});
        auto* viewer = owner.findChild<QDialog*>(QStringLiteral("m_dlgPage"));
        QCOMPARE(viewer != nullptr, opens);
        QCOMPARE(pageViewers(), opens ? 1 : 0);
        if (opens) {
            QCOMPARE(viewer->windowTitle(), QStringLiteral("说明"));
            QCOMPARE(viewer->findChild<QTextBrowser*>()->toPlainText(), QStringLiteral("借书证遗失"));
        }
    }

private:
    // The page viewers open anywhere in the program.
    static int pageViewers()
    {
        int count = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            count += window->objectName() == QStringLiteral("m_dlgPage") ? 1 : 0;
        return count;
    }
};

QTEST_MAIN(TestSmallWindows)
#include "test_smallwindows.moc"
