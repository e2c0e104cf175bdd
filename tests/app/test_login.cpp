#include "app/LibraryApp.h"
#include "app/LoginCheck.h"
#include "app/LoginDlg.h"
#include "core/PasswordHash.h"
#include "db/AppState.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
bool addOperator(const QString& name, const QString& password)
{
    return theApp().m_ado.ExecuteSql(QStringLiteral("insert into admin (用户名, 密码) values (?, ?)"),
                                     {name, hashPassword(password)});
}

QComboBox* nameBox(CLoginDlg& dlg) { return dlg.findChild<QComboBox*>(QStringLiteral("m_cmbUserName")); }
QLineEdit* passwordEdit(CLoginDlg& dlg) { return dlg.findChild<QLineEdit*>(QStringLiteral("m_edtPassword")); }
}

// Start-up runs real modal windows; a timer answers the login window the way a user would.
class TestLogin : public QObject {
    Q_OBJECT

private slots:
    void loginAttempts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        const QString refused = QStringLiteral("用户名或密码错误！");
        const QString empty = QStringLiteral("用户名或密码不能为空");
        QTest::newRow("initial operator") << "超级用户" << "123456" << "";
        QTest::newRow("wrong password") << "超级用户" << "12345" << refused;
        QTest::newRow("injection as password") << "超级用户" << "' or '1'='1" << refused;
        QTest::newRow("injection as name") << "' or '1'='1' --" << "x" << refused;
        QTest::newRow("quote in name") << "O'Brien" << "pa'ss" << "";
        QTest::newRow("empty password") << "超级用户" << "" << empty;
        QTest::newRow("empty name") << "" << "123456" << empty;
    }

    void loginAttempts()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, message);
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        QVERIFY(addOperator(QStringLiteral("O'Brien"), QStringLiteral("pa'ss")));
        CLoginDlg dlg;
        nameBox(dlg)->setEditText(name);
        passwordEdit(dlg)->setText(password);
        dlg.findChild<QPushButton*>(QStringLiteral("m_btnLogin"))->click();
        QCOMPARE(dlg.result() == QDialog::Accepted, message.isEmpty());
        QCOMPARE(seams.prompter.lastText(), message);
        QCOMPARE(theApp().m_strOperator, message.isEmpty() ? name : QStringLiteral("超级用户"));
        if (message != QStringLiteral("用户名或密码错误！"))
            return;
        QCOMPARE(nameBox(dlg)->currentText() + passwordEdit(dlg)->text(), QString());
        QCOMPARE(nameBox(dlg)->count(), 2);
    }

    void namesAreSortedByPinyin()
    {
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        for (const char* name : {"王五", "张三", "admin", "李四"})
            QVERIFY(addOperator(QString::fromUtf8(name), QStringLiteral("x")));
        // The zh_CN collation orders Chinese names by pinyin, ahead of Latin ones.
        QCOMPARE(operatorNames(theApp().m_ado), (QStringList{"超级用户", "李四", "王五", "张三", "admin"}));
        CLoginDlg dlg;
        QCOMPARE(nameBox(dlg)->currentText(), QStringLiteral("超级用户"));
    }

    void missingOrForeignDatabaseEnds_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a database") << QByteArray("just some text\n");
    }

    void missingOrForeignDatabaseEnds()
    {
        QFETCH(QByteArray, content);
        ScriptedSeams seams;
        TestProgramFolder folder;
        theApp().m_ado.ExitConnect();
        QFile::remove(folder.databasePath());
        if (!content.isEmpty()) {
            QFile file(folder.databasePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        CLibraryApp app;
        QVERIFY(app.InitInstance() != 0);
        QCOMPARE(seams.prompter.texts(), QStringList{QStringLiteral("ADO连接错误！")});
        QCOMPARE(QFile::exists(folder.databasePath()), !content.isEmpty());
    }

    void refusedLoginEndsWithCodeOne()
    {
        ScriptedSeams seams;
        TestProgramFolder folder;
        QVERIFY(folder.isReady());
        theApp().m_strOperator.clear();
        QString operatorDuringLogin;
        QTimer::singleShot(0, [&] {
            operatorDuringLogin = theApp().m_strOperator;
            QApplication::activeModalWidget()->close();
        });
        CLibraryApp app;
        QCOMPARE(app.InitInstance(), 1);
        QCOMPARE(operatorDuringLogin, QStringLiteral("超级用户"));
    }
};

QTEST_MAIN(TestLogin)
#include "test_login.moc"
