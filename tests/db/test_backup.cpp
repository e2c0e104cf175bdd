#include "db/AdoConn.h"
#include "db/DatabaseBackup.h"
#include "support/TestSupport.h"

#include <QtTest>
#include <sqlite3.h>

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void backupWhileAnotherConnectionWrites();
    void createsMissingFolder();
    void failureLeavesNoFile_data();
    void failureLeavesNoFile();
    void replacesExistingTargetWhole();
    void refusesWithoutLocalConnection();
    void refusesTheOpenDatabaseAsTarget();

private:
    long readerCount(const QString& path);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CAdoConn> m_conn;
    QString m_source;
};

void TestBackup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    // The source lives apart, so that the folders the tests look into hold only what the backup left.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Database")));
    m_source = m_dir->filePath(QStringLiteral("Database/book.db"));
    QVERIFY(copyTemplateDatabase(m_source));
    m_conn = std::make_unique<CAdoConn>();
    QVERIFY(m_conn->Connect(m_source));
}

// Opens the copy as the program would: it must be a database of ours on its own.
long TestBackup::readerCount(const QString& path)
{
    CAdoConn copy;
    if (!copy.Connect(path))
        return -1;
    RecordsetPtr check = copy.GetRecordSet(QStringLiteral("PRAGMA integrity_check"));
    if (check->GetCollect(0) != QLatin1String("ok"))
        return -2;
    return copy.GetRecordSet(QStringLiteral("select * from readerinfo"))->GetRecordCount();
}

void TestBackup::backupWhileAnotherConnectionWrites()
{
    CAdoConn writer;
    QVERIFY(writer.Connect(m_source));
    {
        CTransaction t(writer);
        for (int i = 0; i < 500; ++i)
            QVERIFY(writer.ExecuteSql(QStringLiteral("insert into readerinfo (编号, 姓名, 备注) values (?, ?, ?)"),
                                      {QStringLiteral("R%1").arg(i), QStringLiteral("读者%1").arg(i), QString(200, 'x')}));
        QVERIFY(t.Commit());
    }
    // Committed rows still sit in the write-ahead log; an open write must not enter the copy.
    sqlite3* raw = nullptr;
    QCOMPARE(sqlite3_open(m_source.toUtf8().constData(), &raw), SQLITE_OK);
    QCOMPARE(sqlite3_exec(raw, "BEGIN IMMEDIATE; INSERT INTO readerinfo (编号) VALUES ('uncommitted')", nullptr,
                          nullptr, nullptr),
             SQLITE_OK);

    const QString target = m_dir->filePath(QStringLiteral("bak/book.bak"));
    QString error;
    QVERIFY2(backupDatabase(*m_conn, target, &error), qPrintable(error));
    sqlite3_exec(raw, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(raw);

    QVERIFY(!QFile::exists(target + QStringLiteral("-wal")));
    QCOMPARE(QDir(m_dir->filePath(QStringLiteral("bak"))).entryList(QDir::Files), QStringList{"book.bak"});
    QCOMPARE(readerCount(target), 500L);
}

void TestBackup::createsMissingFolder()
{
    const QString target = m_dir->filePath(QStringLiteral("a/b/c/备份.db"));
    QString error;
    QVERIFY2(backupDatabase(*m_conn, target, &error), qPrintable(error));
    QCOMPARE(readerCount(target), 0L);
}

void TestBackup::failureLeavesNoFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("under a regular file") << QStringLiteral("plain.txt/book.bak");
    QTest::newRow("onto a folder") << QStringLiteral("folder");
}

void TestBackup::failureLeavesNoFile()
{
    QFETCH(QString, target);
    QFile plain(m_dir->filePath(QStringLiteral("plain.txt")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    const QStringList before = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    QString error;
    QVERIFY(!backupDatabase(*m_conn, m_dir->filePath(target), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(QDir(m_dir->filePath(QStringLiteral("folder"))).isEmpty());
}

void TestBackup::replacesExistingTargetWhole()
{
    const QString target = m_dir->filePath(QStringLiteral("old.bak"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(4 << 20, 'x'));
    old.close();

    QString error;
    QVERIFY2(backupDatabase(*m_conn, target, &error), qPrintable(error));
    QVERIFY(QFileInfo(target).size() < (4 << 20));
    QCOMPARE(readerCount(target), 0L);
}

void TestBackup::refusesWithoutLocalConnection()
{
    CAdoConn none;
    QString error;
    const QString target = m_dir->filePath(QStringLiteral("none.bak"));
    QVERIFY(!backupDatabase(none, target, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(target));
}

void TestBackup::refusesTheOpenDatabaseAsTarget()
{
    QVERIFY(m_conn->ExecuteSql(QStringLiteral("insert into bumeninfo values (?)"), {QStringLiteral("初一")}));
    QString error;
    QVERIFY(!backupDatabase(*m_conn, m_dir->filePath(QStringLiteral("Database/../Database/book.db")), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(m_conn->ExecuteSql(QStringLiteral("insert into bumeninfo values (?)"), {QStringLiteral("初二")}));
    m_conn->ExitConnect();
    QVERIFY(m_conn->Connect(m_source));
    QCOMPARE(m_conn->GetRecordSet(QStringLiteral("select * from bumeninfo"))->GetRecordCount(), 2L);
}

QTEST_GUILESS_MAIN(TestBackup)
#include "test_backup.moc"
