#include "support/TestSupport.h"

#include "app/AdminSetDlg.h"
#include "app/LoginCheck.h"
#include "controls/ReportListCtrl.h"
#include "core/PasswordHash.h"
#include "db/AppState.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
int adminRows()
{
    return theApp().m_ado.GetRecordSet(QStringLiteral("select * from admin"))->GetRecordCount();
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

class TestAdminSet : public QObject {
    Q_OBJECT
private slots:
    void edits_data();
    void edits();
    void unreadableTableIsReported();
};

// Each row starts from the seed operator 超级用户/123456 and 王五/pw. "listed" clicks the user's
// row first, which puts the "********" placeholder into both password fields.
void TestAdminSet::edits_data()
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
    QTest::newRow("add quotes") << add << "O'Neil" << false << "x'y" << "x'y" << "" << 3 << QStringList{"O'Neil", "x'y"};
    QTest::newRow("add without name") << add << "" << false << "abc" << "abc" << "请输入用户名!\n" << 2 << super;
    QTest::newRow("add without password") << add << "张三" << false << "" << "" << "请输入密码!\n" << 2 << super;
    QTest::newRow("add unconfirmed") << add << "张三" << false << "abc" << "abd" << "请重新确认密码!\n" << 2 << super;
    QTest::newRow("add existing") << add << "超级用户" << false << "abc" << "abc" << "用户名已存在！" << 2 << super;
    QTest::newRow("add placeholder") << add << "李四" << true << "" << "" << "请输入密码!\n" << 2 << super;
    QTest::newRow("change") << change << "超级用户" << false << "n'w" << "n'w" << "密码修改成功！" << 2
                            << QStringList{"超级用户", "n'w"};
    QTest::newRow("change placeholder") << change << "超级用户" << true << "" << "" << "请输入新的密码!\n" << 2 << super;
    QTest::newRow("change missing user") << change << "无此人" << false << "pw" << "pw" << "用户名不存在！" << 2 << super;
    QTest::newRow("delete unselected") << del << "" << true << "" << "" << "请选定用户!\n" << 2 << super;
    QTest::newRow("delete 超级用户") << del << "超级用户" << true << "" << "" << "超级用户不能删除!\n" << 2 << super;
    QTest::newRow("delete") << del << "王五" << true << "" << "" << "" << 1 << super;
}

void TestAdminSet::edits()
{
    QFETCH(QString, button);
    QFETCH(QString, user);
    QFETCH(bool, listed);
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    QFETCH(int, rows);
    QFETCH(QStringList, login);
    TestProgramFolder folder;
    QVERIFY(folder.isReady());
    ScriptedSeams seams;
    QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into admin (用户名, 密码) values (?, ?)"),
                                      {QStringLiteral("王五"), hashPassword(QStringLiteral("pw"))}));
    CAdminSetDlg dlg;
    dlg.show();
    auto* list = dlg.findChild<CReportListCtrl*>(QStringLiteral("m_lstAdmin"));
    auto edit = [&](const char* name) { return dlg.findChild<QLineEdit*>(QString::fromLatin1(name)); };
    if (listed)
        clickUser(list, button == QStringLiteral("m_btnDelete") ? user : QStringLiteral("超级用户"));
    else
        for (auto [name, text] : {std::pair{"m_edtPassword", password}, std::pair{"m_edtConfirm", confirm}})
            QTest::keyClicks(edit(name), text);
    edit("m_edtUser")->setText(user);
    dlg.findChild<QPushButton*>(button)->click();
    QCOMPARE(seams.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(adminRows(), rows);
    QCOMPARE(list->GetItemCount(), rows);
    QCOMPARE(checkLogin(theApp().m_ado, login[0], login[1]), login[0]);
    const QString saved = QStringLiteral("select * from admin where 密码 in (?, ?)");
    QCOMPARE(theApp().m_ado.GetRecordSet(saved, {password, QStringLiteral("********")})->GetRecordCount(), 0);
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
