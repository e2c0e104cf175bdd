#include "db/AdoConn.h"
#include "db/DatabaseBackup.h"
#include "support/TestSupport.h"

#include <QtTest>
#include <sqlite3.h>

#include <future>

namespace {
const QString kOld = QStringLiteral("bak/book.bak");
const QByteArray kOldCopy("the backup of yesterday");
}

class TestBackup : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CAdoConn> m_conn;
    QString m_source;
    QString m_error;

    bool backup(const QString& target)
    {
        m_error.clear();
        return backupDatabase(*m_conn, m_dir->filePath(target), &m_error);
    }
    // Opens the copy as the program would: it must be a database of ours on its own.
    long readerCount(const QString& target)
    {
        CAdoConn copy;
        if (!copy.Connect(m_dir->filePath(target)))
            return -1;
        if (copy.GetRecordSet(QStringLiteral("PRAGMA integrity_check"))->GetCollect(0) != QLatin1String("ok"))
            return -2;
        return copy.GetRecordSet(QStringLiteral("select * from readerinfo"))->GetRecordCount();
    }
    QStringList entries(const QString& folder = {}) const
    {
        return QDir(m_dir->filePath(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
    // Yesterday's backup in bak/book.bak, which a failed or stopped backup must leave alone.
    bool writeOldCopy() const
    {
        return QDir(m_dir->path()).mkpath(QStringLiteral("bak")) && writeFile(m_dir->filePath(kOld), kOldCopy);
    }
    bool ownerOnly(const QString& target) const
    {
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
            | QFile::WriteOther | QFile::ExeOther;
        return (QFile::permissions(m_dir->filePath(target)) & others) == 0;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        // The source lives apart, so that the folders the tests look into hold only what the backup left.
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Database")));
        m_source = m_dir->filePath(QStringLiteral("Database/book.db"));
        QVERIFY(copyTemplateDatabase(m_source));
        m_conn = std::make_unique<CAdoConn>();
        QVERIFY(m_conn->Connect(m_source));
    }

    void backupWhileAnotherConnectionWrites()
    {
        CAdoConn writer;
        QVERIFY(writer.Connect(m_source));
        {
            CTransaction t(writer);
            for (int i = 0; i < 500; ++i)
                QVERIFY(writer.ExecuteSql(QStringLiteral("insert into readerinfo (编号, 备注) values (?, ?)"),
                                          {QStringLiteral("R%1").arg(i), QString(200, 'x')}));
            QVERIFY(t.Commit());
        }
        // Committed rows still sit in the write-ahead log; an open write must not enter the copy.
        sqlite3* raw = nullptr;
        QCOMPARE(sqlite3_open(m_source.toUtf8().constData(), &raw), SQLITE_OK);
        QCOMPARE(sqlite3_exec(raw, "BEGIN IMMEDIATE; INSERT INTO readerinfo (编号) VALUES ('uncommitted')", nullptr,
                              nullptr, nullptr),
                 SQLITE_OK);
        const bool done = backup(kOld);
        sqlite3_exec(raw, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(raw);
        QVERIFY2(done, qPrintable(m_error));
        QCOMPARE(entries(QStringLiteral("bak")), QStringList{"book.bak"});
        QCOMPARE(readerCount(kOld), 500L);
    }

    void createsFoldersAndReplacesTargetWhole()
    {
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("a/b")));
        QVERIFY(writeFile(m_dir->filePath(QStringLiteral("a/b/备份.db")), QByteArray(4 << 20, 'x')));
        for (const QString& target : {QStringLiteral("a/b/备份.db"), QStringLiteral("c/d/备份.db")}) {
            QVERIFY2(backup(target), qPrintable(m_error));
            QVERIFY(QFileInfo(m_dir->filePath(target)).size() < (4 << 20));
            QVERIFY(ownerOnly(target));
            QCOMPARE(readerCount(target), 0L);
        }
    }

    // "Yes" to the exit backup while another program holds the database must not freeze
    // the window: the backup gives up after the busy timeout and the old copy stays.
    void givesUpWhileTheDatabaseIsHeldElsewhere()
    {
        QVERIFY(writeOldCopy());
        // With a rollback journal, one exclusive writer locks every reader out.
        QVERIFY(m_conn->ExecuteSql(QStringLiteral("PRAGMA journal_mode=DELETE")));
        QVERIFY(m_conn->ExecuteSql(QStringLiteral("PRAGMA busy_timeout=200")));
        sqlite3* holder = nullptr;
        QCOMPARE(sqlite3_open(m_source.toUtf8().constData(), &holder), SQLITE_OK);
        QCOMPARE(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        auto attempt = std::async(std::launch::async, [this] { return backup(kOld); });
        const bool gaveUp = attempt.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(holder);
        QVERIFY(gaveUp);
        QVERIFY(!attempt.get());
        QVERIFY2(m_error.contains(QStringLiteral("占用")), qPrintable(m_error));
        QCOMPARE(entries(QStringLiteral("bak")), QStringList{"book.bak"});
        QCOMPARE(fileBytes(m_dir->filePath(kOld)), kOldCopy);
    }

    // The copy goes in steps the caller sees; a stop leaves the old backup as it was, and a
    // write by another connection between two steps still gives a sound copy.
    void steppedCopy_data()
    {
        QTest::addColumn<int>("stopAtStep");
        QTest::addColumn<bool>("writeBetweenSteps");
        QTest::newRow("to the end") << 0 << false;
        QTest::newRow("stopped") << 1 << false;
        QTest::newRow("written meanwhile") << 0 << true;
    }
    void steppedCopy()
    {
        QFETCH(int, stopAtStep);
        QFETCH(bool, writeBetweenSteps);
        {
            CTransaction t(*m_conn);
            for (int i = 0; i < 3000; ++i)
                QVERIFY(m_conn->ExecuteSql(QStringLiteral("insert into readerinfo (编号, 备注) values (?, ?)"),
                                           {QStringLiteral("R%1").arg(i), QString(400, 'x')}));
            QVERIFY(t.Commit());
        }
        QVERIFY(writeOldCopy());
        CAdoConn writer;
        QVERIFY(writer.Connect(m_source));
        int steps = 0;
        int last = 0;
        const bool done = backupDatabase(*m_conn, m_dir->filePath(kOld), &m_error,
                                         [&](int pages, int total) {
                                             ++steps;
                                             last = total - pages;
                                             if (writeBetweenSteps && steps == 1)
                                                 writer.ExecuteSql(QStringLiteral("insert into readerinfo (编号) values ('late')"));
                                             return steps != stopAtStep;
                                         });
        QCOMPARE(done, stopAtStep == 0);
        QVERIFY(steps >= (done ? 2 : 1));
        QCOMPARE(entries(QStringLiteral("bak")), QStringList{"book.bak"});
        if (!done) {
            QCOMPARE(m_error, QStringLiteral("已取消"));
            QCOMPARE(fileBytes(m_dir->filePath(kOld)), kOldCopy);
            return;
        }
        QCOMPARE(last, 0);
        QCOMPARE(readerCount(kOld), writeBetweenSteps ? 3001L : 3000L);
    }

    void failureIsReportedAndLeavesNoFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("connected");
        QTest::newRow("under a regular file") << QStringLiteral("plain.txt/book.bak") << true;
        QTest::newRow("onto a folder") << QStringLiteral("folder") << true;
        QTest::newRow("without a connection") << QStringLiteral("none.bak") << false;
        QTest::newRow("onto the open database") << QStringLiteral("Database/../Database/book.db") << true;
    }
    void failureIsReportedAndLeavesNoFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, connected);
        QVERIFY(writeFile(m_dir->filePath(QStringLiteral("plain.txt")), {}));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
        if (!connected)
            m_conn = std::make_unique<CAdoConn>();
        const QStringList before = entries();
        QVERIFY(!backup(target));
        QVERIFY(!m_error.isEmpty());
        QCOMPARE(entries(), before);
        QVERIFY(entries(QStringLiteral("folder")).isEmpty());
        QCOMPARE(readerCount(QStringLiteral("Database/book.db")), 0L);
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "test_backup.moc"
