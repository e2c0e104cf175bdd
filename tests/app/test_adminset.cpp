#include "support/TestSupport.h"

#include "app/AdminSetDlg.h"
#include "app/LoginCheck.h"
#include "controls/ReportListCtrl.h"
#include "db/AppState.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QString kSuper = QStringLiteral("超级用户");
const QString kSeedPassword = QStringLiteral("123456");

QString storedHash(const QString& name)
{
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select 密码 from admin where 用户名=?"), {name});
    return rs->IsEOF() ? QString() : rs->GetCollect(0);
}

int adminRows()
{
    return theApp().m_ado.GetRecordSet(QStringLiteral("select * from admin"))->GetRecordCount();
}

// The window on a fresh program folder, shown so that clicks land on rows.
struct Window {
    TestProgramFolder folder;
    ScriptedSeams seams;
    CAdminSetDlg dlg;

    Window() { dlg.show(); }
    QLineEdit* edit(const char* name) { return dlg.findChild<QLineEdit*>(QString::fromLatin1(name)); }
    CReportListCtrl* list() { return dlg.findChild<CReportListCtrl*>(QStringLiteral("m_lstAdmin")); }
    void click(const char* button) { dlg.findChild<QPushButton*>(QString::fromLatin1(button))->click(); }
    void type(const QString& user, const QString& password, const QString& confirm)
    {
        edit("m_edtUser")->setText(user);
        for (auto [name, text] : {std::pair{"m_edtPassword", password}, std::pair{"m_edtConfirm", confirm}}) {
            edit(name)->clear();
            QTest::keyClicks(edit(name), text);
        }
    }
    void clickRow(int row)
    {
        QCoreApplication::processEvents();
        const QRect rect = list()->visualItemRect(list()->topLevelItem(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
        QCoreApplication::processEvents();
    }
    void clickBelowRows()
    {
        const QRect last = list()->visualItemRect(list()->topLevelItem(list()->GetItemCount() - 1));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(last.left() + 5, last.bottom() + 20));
        QCoreApplication::processEvents();
    }
    int rowOf(const QString& name)
    {
        for (int row = 0; row < list()->GetItemCount(); ++row)
            if (list()->GetItemText(row, 0) == name)
                return row;
        return -1;
    }
    QStringList texts() { return seams.prompter.texts(); }
};
}

class TestAdminSet : public QObject {
    Q_OBJECT
private slots:
    void listNeverShowsPasswords();
    void add_data();
    void add();
    void clickFillsPlaceholderThatIsNeverSaved();
    void clickOnEmptyPartClears();
    void deleteUsers();
    void changePassword_data();
    void changePassword();
    void enterMovesFocus();
    void unreadableTableIsReported();
};

void TestAdminSet::listNeverShowsPasswords()
{
    Window w;
    QVERIFY(w.folder.isReady());
    QCOMPARE(w.list()->GetItemCount(), 1);
    QCOMPARE(w.list()->GetRowTexts(0), (QStringList{kSuper, QStringLiteral("**********")}));
}

void TestAdminSet::add_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rows");
    QTest::newRow("new user") << "张三" << "abc" << "abc" << "" << 2;
    QTest::newRow("quote in name") << "O'Neil" << "x'y" << "x'y" << "" << 2;
    QTest::newRow("no name") << "" << "abc" << "abc" << "请输入用户名!\n" << 1;
    QTest::newRow("no password") << "张三" << "" << "" << "请输入密码!\n" << 1;
    QTest::newRow("unconfirmed") << "张三" << "abc" << "abd" << "请重新确认密码!\n" << 1;
    QTest::newRow("existing name") << "超级用户" << "abc" << "abc" << "用户名已存在！" << 1;
}

void TestAdminSet::add()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    QFETCH(int, rows);
    Window w;
    QVERIFY(w.folder.isReady());
    w.type(user, password, confirm);
    w.click("m_btnAdd");
    QCOMPARE(w.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(adminRows(), rows);
    QCOMPARE(w.list()->GetItemCount(), rows);
    QCOMPARE(checkLogin(theApp().m_ado, kSuper, kSeedPassword), kSuper);
    if (!message.isEmpty())
        return;
    QCOMPARE(w.edit("m_edtUser")->text(), QString());
    QVERIFY(storedHash(user) != password);
    QCOMPARE(checkLogin(theApp().m_ado, user, password), user);
}

void TestAdminSet::clickFillsPlaceholderThatIsNeverSaved()
{
    Window w;
    QVERIFY(w.folder.isReady());
    w.clickRow(0);
    QCOMPARE(w.edit("m_edtUser")->text(), kSuper);
    QCOMPARE(w.edit("m_edtPassword")->text(), QStringLiteral("********"));
    QCOMPARE(w.edit("m_edtConfirm")->text(), QStringLiteral("********"));

    w.click("m_btnChangePassword");
    w.edit("m_edtUser")->setText(QStringLiteral("李四"));
    w.click("m_btnAdd");
    QCOMPARE(w.texts(), (QStringList{QStringLiteral("请输入新的密码!\n"), QStringLiteral("请输入密码!\n")}));
    QCOMPARE(adminRows(), 1);
    QCOMPARE(checkLogin(theApp().m_ado, kSuper, kSeedPassword), kSuper);
}

void TestAdminSet::clickOnEmptyPartClears()
{
    Window w;
    QVERIFY(w.folder.isReady());
    w.clickRow(0);
    QCOMPARE(w.edit("m_edtUser")->text(), kSuper);
    w.clickBelowRows();
    for (const char* name : {"m_edtUser", "m_edtPassword", "m_edtConfirm"})
        QCOMPARE(w.edit(name)->text(), QString());
}

void TestAdminSet::deleteUsers()
{
    Window w;
    QVERIFY(w.folder.isReady());
    w.click("m_btnDelete");
    QCOMPARE(w.texts(), QStringList{QStringLiteral("请选定用户!\n")});

    w.clickRow(0);
    w.click("m_btnDelete");
    QCOMPARE(w.seams.prompter.lastText(), QStringLiteral("超级用户不能删除!\n"));
    QCOMPARE(adminRows(), 1);

    w.type(QStringLiteral("王五"), QStringLiteral("pw"), QStringLiteral("pw"));
    w.click("m_btnAdd");
    w.clickRow(w.rowOf(QStringLiteral("王五")));
    w.click("m_btnDelete");
    QCOMPARE(w.texts().size(), 2);
    QCOMPARE(adminRows(), 1);
    QCOMPARE(w.rowOf(QStringLiteral("王五")), -1);
    QCOMPARE(w.edit("m_edtUser")->text(), QString());
}

void TestAdminSet::changePassword_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message");
    QTest::newRow("changed") << "超级用户" << "new'pw" << "new'pw" << "密码修改成功！";
    QTest::newRow("unknown user") << "无此人" << "pw" << "pw" << "用户名不存在！";
    QTest::newRow("no name") << "" << "pw" << "pw" << "请输入用户名!\n";
    QTest::newRow("no password") << "超级用户" << "" << "" << "请输入新的密码!\n";
    QTest::newRow("unconfirmed") << "超级用户" << "pw" << "" << "请重新确认密码!\n";
}

void TestAdminSet::changePassword()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    Window w;
    QVERIFY(w.folder.isReady());
    w.type(user, password, confirm);
    w.click("m_btnChangePassword");
    QCOMPARE(w.texts(), QStringList{message});
    QCOMPARE(adminRows(), 1);
    const bool changed = message == QStringLiteral("密码修改成功！");
    QCOMPARE(checkLogin(theApp().m_ado, kSuper, password), changed ? kSuper : QString());
    QCOMPARE(checkLogin(theApp().m_ado, kSuper, kSeedPassword), changed ? QString() : kSuper);
}

void TestAdminSet::enterMovesFocus()
{
    Window w;
    QVERIFY(w.folder.isReady());
    QApplication::setActiveWindow(&w.dlg);
    w.edit("m_edtUser")->setFocus();
    QTest::keyClick(w.edit("m_edtUser"), Qt::Key_Return);
    QVERIFY(w.dlg.isVisible());
    QCOMPARE(QApplication::focusWidget(), w.edit("m_edtPassword"));
}

void TestAdminSet::unreadableTableIsReported()
{
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    ScriptedSeams seams;
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("drop table admin")));
    CAdminSetDlg dlg;
    QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("操作失败!")});
}

QTEST_MAIN(TestAdminSet)
#include "test_adminset.moc"
