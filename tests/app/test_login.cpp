#include "app/LoginCheck.h"
#include "app/LoginDlg.h"
#include "core/PasswordHash.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestLogin : public QObject {
    Q_OBJECT

private:
    void addOperator(const QString& name, const QString& password)
    {
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("insert into admin (用户名, 密码) values (?, ?)"),
                                          {name, hashPassword(password)}));
    }

    bool tryLogin(CLoginDlg& dlg, const QString& name, const QString& password)
    {
        auto* combo = dlg.findChild<QComboBox*>(QStringLiteral("m_cmbUserName"));
        auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("m_edtPassword"));
        combo->setEditText(name);
        edit->setText(password);
        dlg.findChild<QPushButton*>(QStringLiteral("m_btnLogin"))->click();
        return dlg.result() == QDialog::Accepted;
    }

private slots:
    void loginAttempts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message");
        QTest::newRow("initial operator") << "超级用户" << "123456" << true << "";
        QTest::newRow("wrong password") << "超级用户" << "12345" << false << "用户名或密码错误！";
        QTest::newRow("injection as password") << "超级用户" << "' or '1'='1" << false << "用户名或密码错误！";
        QTest::newRow("injection as name") << "' or '1'='1' --" << "x" << false << "用户名或密码错误！";
        QTest::newRow("quote in name") << "O'Brien" << "pa'ss" << true << "";
        QTest::newRow("quote wrong password") << "O'Brien" << "pass" << false << "用户名或密码错误！";
        QTest::newRow("name not in list but typed") << "张老师" << "秘密" << true << "";
        QTest::newRow("empty password") << "超级用户" << "" << false << "用户名或密码不能为空";
        QTest::newRow("empty name") << "" << "123456" << false << "用户名或密码不能为空";
    }

    void loginAttempts()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        addOperator(QStringLiteral("O'Brien"), QStringLiteral("pa'ss"));
        addOperator(QStringLiteral("张老师"), QStringLiteral("秘密"));
        CLoginDlg dlg;
        QCOMPARE(tryLogin(dlg, name, password), accepted);
        QCOMPARE(seams.prompter.lastText(), message);
        if (accepted)
            QCOMPARE(theApp().m_strOperator, name);
        else
            QCOMPARE(theApp().m_strOperator, QStringLiteral("超级用户"));
    }

    void wrongPasswordEmptiesBothFields()
    {
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        addOperator(QStringLiteral("李四"), QStringLiteral("abc"));
        CLoginDlg dlg;
        QVERIFY(!tryLogin(dlg, QStringLiteral("李四"), QStringLiteral("wrong")));
        auto* combo = dlg.findChild<QComboBox*>(QStringLiteral("m_cmbUserName"));
        QCOMPARE(combo->currentText(), QString());
        QCOMPARE(dlg.findChild<QLineEdit*>(QStringLiteral("m_edtPassword"))->text(), QString());
        QCOMPARE(combo->count(), 2);
        QVERIFY(tryLogin(dlg, QStringLiteral("李四"), QStringLiteral("abc")));
    }

    void namesAreSortedByPinyin()
    {
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        for (const char* name : {"王五", "张三", "admin", "李四"})
            addOperator(QString::fromUtf8(name), QStringLiteral("x"));
        // The zh_CN collation orders Chinese names by pinyin, ahead of Latin ones.
        const QStringList expected = {QStringLiteral("超级用户"), QStringLiteral("李四"), QStringLiteral("王五"),
                                      QStringLiteral("张三"), QStringLiteral("admin")};
        QCOMPARE(operatorNames(theApp().m_ado), expected);
        CLoginDlg dlg;
        auto* combo = dlg.findChild<QComboBox*>(QStringLiteral("m_cmbUserName"));
        QCOMPARE(combo->count(), expected.size());
        QCOMPARE(combo->currentText(), expected.first());
    }

    void emptyAdminTableOffersNoName()
    {
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        QVERIFY(theApp().m_ado.ExecuteSql(QStringLiteral("delete from admin")));
        CLoginDlg dlg;
        QCOMPARE(dlg.findChild<QComboBox*>(QStringLiteral("m_cmbUserName"))->count(), 0);
        QVERIFY(!tryLogin(dlg, QStringLiteral("超级用户"), QStringLiteral("123456")));
    }
};

QTEST_MAIN(TestLogin)
#include "test_login.moc"
