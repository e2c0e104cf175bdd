#include "db/AdoConn.h"
#include "support/TestSupport.h"

#include <QtTest>

// Runs against the MariaDB server that the CTest fixture starts on 127.0.0.1.
class TestRemote : public QObject {
    Q_OBJECT
    // The fixture writes the port it took into this run's folder.
    int m_port = fixturePort("SCHOOLLIB_MARIADB_DIR");
    CAdoConn m_conn;
    std::unique_ptr<ScriptedSeams> m_seams;

    RemoteServer server(const QString& password) const
    {
        return {QStringLiteral("127.0.0.1"), m_port, QStringLiteral("schoollib"), password, QStringLiteral("books")};
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_port > 0, "the test server wrote no port");
        QVERIFY2(m_conn.ConnectRemote(server(QStringLiteral("secret"))), qPrintable(m_conn.LastError()));
    }
    void init()
    {
        m_seams = std::make_unique<ScriptedSeams>();
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("delete from table1")));
    }

    void wrongPasswordIsRefused()
    {
        CAdoConn conn;
        QVERIFY(!conn.ConnectRemote(server(QStringLiteral("wrong"))));
        QVERIFY(!conn.IsConnected() && conn.LastError().contains(QStringLiteral("schoollib")));
    }

    void insertThroughRecordset_data()
    {
        QTest::addColumn<QString>("school");
        QTest::newRow("quotes") << QStringLiteral("O'Brien \"第一中学\" `x` \\ 100%");
        QTest::newRow("injection") << QStringLiteral("' or '1'='1");
        // Longer than the first fetch buffer, so the value is fetched again whole.
        QTest::newRow("long name") << QString(90, QChar(0x4E2D));
    }
    void insertThroughRecordset()
    {
        QFETCH(QString, school);
        RecordsetPtr table = m_conn.GetRecordSet(QStringLiteral("select* from table1"));
        table->AddNew();
        table->PutCollect(QStringLiteral("学校名称"), school);
        table->PutCollect(QStringLiteral("报表时间"), QStringLiteral("2017-04-11"));
        table->Update();
        QVERIFY(m_conn.LastInsertId() > 0);
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into table1 (学校名称) values (?)"), {"其他学校"}));
        RecordsetPtr rs = m_conn.GetRecordSet(
            QStringLiteral("select 学校名称, 报表时间, 报表人, 在馆图书数量 from table1 where 学校名称=?"), {school});
        QCOMPARE(rs->GetRecordCount(), 1L);
        QCOMPARE(rs->GetRowTexts(), QStringList({school, "2017-04-11", "", "0"}));
        QVERIFY(rs->GetValue(2).isNull());
    }

    void updateCountsTheRowsItNames()
    {
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into table1 (学校名称) values (?)"), {"第二中学"}));
        const QString update = QStringLiteral("update table1 set 在馆图书数量=?, 学生读者数量=? where 学校名称=?");
        QVERIFY(m_conn.ExecuteSql(update, {1234, qlonglong(2000000000), "第二中学"}));
        QCOMPARE(m_conn.ChangedRows(), 1);
        // The same values again still name the row: callers ask whether the row was there.
        QVERIFY(m_conn.ExecuteSql(update, {1234, qlonglong(2000000000), "第二中学"}));
        QCOMPARE(m_conn.ChangedRows(), 1);
        QVERIFY(m_conn.ExecuteSql(update, {1, 1, "没有的学校"}));
        QCOMPARE(m_conn.ChangedRows(), 0);
        RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select 在馆图书数量, 学生读者数量 from table1"));
        QCOMPARE(rs->GetValue(0).typeId(), QMetaType::LongLong);
        QCOMPARE(rs->GetRowTexts(), QStringList({"1234", "2000000000"}));
    }

    void failuresAreSilent()
    {
        QVERIFY(!m_conn.ExecuteSql(QStringLiteral("update nosuchtable set a=1")));
        QVERIFY(!m_conn.LastError().isEmpty());
        QVERIFY(!m_conn.ExecuteSql(QStringLiteral("insert into table1 (学校名称) values (?)"), {QVariant()}));
        QVERIFY_THROWS_EXCEPTION(DbError, m_conn.GetRecordSet(QStringLiteral("select * from nosuchtable"))->IsEOF());
        QVERIFY(m_seams->prompter.messages.isEmpty());
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("select 1")));
    }
};

QTEST_GUILESS_MAIN(TestRemote)
#include "test_remote.moc"
