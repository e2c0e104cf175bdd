#include "db/AdoConn.h"
#include "db/StatementCache.h"
#include "support/TestSupport.h"

#include <QtTest>
#include <sqlite3.h>

// The connection keeps its prepared statements: each run must behave as a fresh statement.
class TestStatementCache : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("book.db"));
    CAdoConn m_conn;

    QStringList column(const QString& sql, const QVariantList& params = {})
    {
        QStringList texts;
        for (RecordsetPtr rs = m_conn.GetRecordSet(sql, params); !rs->IsEOF(); rs->MoveNext())
            texts << rs->GetRowTexts().join(QLatin1Char('|'));
        return texts;
    }

private slots:
    void init()
    {
        QVERIFY(copyTemplateDatabase(m_path));
        QVERIFY(m_conn.Connect(m_path));
    }
    void cleanup() { m_conn.ExitConnect(); }

    void sameTextWithOtherValues()
    {
        const QString insert = QStringLiteral("insert into readerinfo (编号, 姓名, 借书期限, 备注) values (?, ?, ?, ?)");
        for (int i = 0; i < 40; ++i)
            QVERIFY(m_conn.ExecuteSql(insert, {QStringLiteral("R%1").arg(i), QStringLiteral("读者%1").arg(i),
                                               i % 2 ? QVariant(i) : QVariant(), i % 3 ? QVariant() : QVariant("备注")}));
        // A refused run leaves the statement ready for the next values.
        QVERIFY(!m_conn.ExecuteSql(insert, {"R7", "重复", 1, QVariant()}));
        QVERIFY(m_conn.ExecuteSql(insert, {"R40", "读者40", 1, QVariant()}));
        const QString select = QStringLiteral("select 姓名, 借书期限, 备注 from readerinfo where 编号=?");
        const auto expected = [](int i) {
            const QString days = i % 2 ? QString::number(i) : QString();
            const QString remark = i % 3 ? QString() : QStringLiteral("备注");
            return QStringLiteral("读者%1|%2|%3").arg(QString::number(i), days, remark);
        };
        for (int i = 39; i >= 0; --i)
            QCOMPARE(column(select, {QStringLiteral("R%1").arg(i)}), QStringList{expected(i)});
        QCOMPARE(column(select, {"R40"}), QStringList{"读者40|1|"});
        QCOMPARE(column(select, {"R99"}), QStringList());
    }

    void twoRecordsetsOfOneTextStayApart()
    {
        const QString sql = QStringLiteral("select 类别名 from duzheleibie where 类别名<>? order by rowid");
        RecordsetPtr first = m_conn.GetRecordSet(sql, {"学生"});
        RecordsetPtr second = m_conn.GetRecordSet(sql, {"教师"});
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("delete from duzheleibie")));
        RecordsetPtr third = m_conn.GetRecordSet(sql, {"教师"});
        QCOMPARE(first->GetCollect(0) + second->GetCollect(0), QStringLiteral("教师学生"));
        QVERIFY(third->IsEOF());
    }

    void changedTablesAreCompiledAgain()
    {
        const QString all = QStringLiteral("select * from gonggao");
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into gonggao values (?, ?)"), {"通知", "闭馆"}));
        QCOMPARE(column(all), QStringList{"通知|闭馆"});
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("alter table gonggao add column 日期 TEXT default '2017-04-11'")));
        QCOMPARE(column(all), QStringList{"通知|闭馆|2017-04-11"});
        QCOMPARE(m_conn.GetRecordSet(all)->GetFieldName(2), QStringLiteral("日期"));
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("drop table gonggao")));
        QVERIFY(!m_conn.GetRecordSet(all)->IsOpen());
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("create table gonggao (内容 TEXT)")));
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into gonggao values ('新')")));
        QCOMPARE(column(all), QStringList{"新"});
    }

    void failedTextsAreNotKept_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("missing table") << "select * from 新表";
        QTest::newRow("two statements") << "select 1; delete from admin";
    }
    void failedTextsAreNotKept()
    {
        QFETCH(QString, sql);
        QVERIFY(!m_conn.ExecuteSql(sql));
        QVERIFY(!m_conn.ExecuteSql(sql));
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("create table 新表 (a)")));
        QCOMPARE(m_conn.ExecuteSql(sql), !sql.contains(';'));
        QCOMPARE(column(QStringLiteral("select count(*) from admin")), QStringList{"1"});
    }

    // Kept statements hold no read open between runs, so a checkpoint can empty the log.
    void keptStatementsHoldNoRead()
    {
        QCOMPARE(column(QStringLiteral("select 类别名 from duzheleibie order by rowid limit 1")), QStringList{"学生"});
        QVERIFY(m_conn.ExecuteSql(QStringLiteral("insert into bumeninfo values ('初一')")));
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(m_path.toUtf8().constData(), &other), SQLITE_OK);
        sqlite3_stmt* checkpoint = nullptr;
        sqlite3_prepare_v2(other, "PRAGMA wal_checkpoint(TRUNCATE)", -1, &checkpoint, nullptr);
        QCOMPARE(sqlite3_step(checkpoint), SQLITE_ROW);
        const int busy = sqlite3_column_int(checkpoint, 0);
        sqlite3_finalize(checkpoint);
        sqlite3_close(other);
        QCOMPARE(busy, 0);
    }

    void leastRecentlyUsedGoesFirst()
    {
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
        {
            StatementCache cache(3);
            const auto keep = [&](const QString& sql) {
                sqlite3_stmt* stmt = nullptr;
                sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
                cache.insert(sql, stmt);
                return stmt;
            };
            sqlite3_stmt* one = keep("select 1");
            keep("select 2");
            keep("select 3");
            QCOMPARE(cache.find("select 1")->stmt, one);
            keep("select 4");
            QCOMPARE(cache.size(), 3);
            QVERIFY(!cache.find("select 2"));
            QCOMPARE(cache.find("select 1")->stmt, one);
            QVERIFY(cache.find("select 3") && cache.find("select 4"));
        }
        // Closing succeeds only when every statement of the connection was finalized.
        QCOMPARE(sqlite3_close(db), SQLITE_OK);
    }
};

QTEST_GUILESS_MAIN(TestStatementCache)
#include "test_statementcache.moc"
