#include "core/PasswordHash.h"

#include <QtTest>

class TestPassword : public QObject {
    Q_OBJECT
private slots:
    void verifies_data();
    void verifies();
    void saltedHashesDiffer();
    void refusesMalformedStoredValues_data();
    void refusesMalformedStoredValues();
};

void TestPassword::verifies_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("tried");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("right") << "123456" << "123456" << true;
    QTest::newRow("wrong") << "123456" << "123457" << false;
    QTest::newRow("prefix") << "123456" << "12345" << false;
    QTest::newRow("empty tried") << "123456" << "" << false;
    QTest::newRow("empty password") << "" << "" << true;
    QTest::newRow("chinese") << "图书馆密码" << "图书馆密码" << true;
    QTest::newRow("case") << "Secret" << "secret" << false;
}

void TestPassword::verifies()
{
    QFETCH(QString, password);
    QFETCH(QString, tried);
    QFETCH(bool, accepted);
    QCOMPARE(verifyPassword(tried, hashPassword(password)), accepted);
}

void TestPassword::saltedHashesDiffer()
{
    const QString a = hashPassword("123456");
    const QString b = hashPassword("123456");
    QVERIFY(a != b);
    QVERIFY(!a.contains("123456"));
    QVERIFY(verifyPassword("123456", a) && verifyPassword("123456", b));
}

void TestPassword::refusesMalformedStoredValues_data()
{
    QTest::addColumn<QString>("stored");
    const QStringList parts = hashPassword("123456").split('$');
    QTest::newRow("plain text") << "123456";
    QTest::newRow("empty") << "";
    QTest::newRow("other scheme") << QStringList{"md5", parts[1], parts[2], parts[3]}.join('$');
    QTest::newRow("zero iterations") << QStringList{parts[0], "0", parts[2], parts[3]}.join('$');
    QTest::newRow("no key") << QStringList{parts[0], parts[1], parts[2], ""}.join('$');
    QTest::newRow("short key") << QStringList{parts[0], parts[1], parts[2], parts[3].left(16)}.join('$');
}

void TestPassword::refusesMalformedStoredValues()
{
    QFETCH(QString, stored);
    QVERIFY(!verifyPassword("123456", stored));
}

QTEST_GUILESS_MAIN(TestPassword)
#include "test_password.moc"
