#include "ExchangeFixture.h"

#include "controls/ButtonIcons.h"
#include "db/AppState.h"
#include "maintenance/BackupDlg.h"
#include "maintenance/DatabaseRestore.h"
#include "maintenance/RestoreDlg.h"
#include "remote/SetupIni.h"

#include <QEventLoop>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <sqlite3.h>

namespace {
void click(QWidget& window, const char* name) { window.findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
QString pathText(QWidget& window) { return window.findChild<QLineEdit*>(QStringLiteral("m_editPath"))->text(); }

QString bakPath(const Workplace& work, const QString& name)
{
    return work.folder.path() + QStringLiteral("/Database/bak/") + name;
}

// Enough readers that a copy of the database takes several steps.
bool addManyReaders(int count, const QString& prefix)
{
    CTransaction transaction(theApp().m_ado);
    for (int i = 0; i < count; ++i)
        if (!run(QStringLiteral("insert into readerinfo (编号, 备注) values (?, ?)"),
                 {prefix + QString::number(i), QString(300, QLatin1Char('x'))}))
            return false;
    return transaction.Commit();
}

// Runs the program's own loop, starting with `first`, until something ends the program; the
// code it ends with, or 1 when nothing did within five seconds.
int runUntilEnded(const std::function<void()>& first)
{
    QTimer::singleShot(0, first);
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    giveUp.start(5000);
    return QCoreApplication::exec();
}

bool exec(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

// Spoils a copy of the database in one way.
bool spoil(const QString& path, const QString& how)
{
    if (how == QLatin1String("text file")) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("编号,姓名\n1,张三\n") > 0;
    }
    if (how == QLatin1String("overwritten bytes") || how == QLatin1String("truncated")) {
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite))
            return false;
        if (how == QLatin1String("truncated"))
            return file.resize(file.size() / 2);
        return file.seek(file.size() / 2) && file.write(QByteArray(20000, '\xA5')) == 20000;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    bool done = false;
    if (how == QLatin1String("foreign database"))
        done = exec(db, "CREATE TABLE books (title TEXT)");
    else if (how == QLatin1String("table missing"))
        done = exec(db, "DROP TABLE gonggao");
    else if (how == QLatin1String("column renamed"))
        done = exec(db, "ALTER TABLE readerinfo RENAME COLUMN 备注 TO 说明");
    else if (how == QLatin1String("newer version"))
        done = exec(db, "PRAGMA user_version=2");
    sqlite3_close(db);
    return done;
}
}

class TestBackupRestore : public QObject {
    Q_OBJECT

private slots:
    void backupNamedByDay()
    {
        Workplace work;
        CBackupDlg window;
        const QString target = bakPath(work, QStringLiteral("book(2017-04-11).db"));
        QCOMPARE(pathText(window), target);
        click(window, "m_btnConfirm");
        QVERIFY(insertReader(QStringLiteral("R1")));
        click(window, "m_btnConfirm");
        QCOMPARE(work.seams.prompter.texts(), QStringList(2, QStringLiteral("数据备份成功！")));
        // The second backup of the day replaced the first.
        QCOMPARE(QDir(bakPath(work, {})).entryList(QDir::Files), QStringList{"book(2017-04-11).db"});
        CAdoConn copy;
        QVERIFY(copy.Connect(target));
        QCOMPARE(copy.GetRecordSet(QStringLiteral("select 编号 from readerinfo"))->GetCollect(0), QStringLiteral("R1"));
    }

    void backupTargetChosen_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("message");
        QTest::newRow("cancelled browse") << "" << "Database/bak/book(2017-04-11).db" << "数据备份成功！";
        QTest::newRow("name without extension") << "mine" << "mine.db" << "数据备份成功！";
        QTest::newRow("unwritable folder") << "/proc/no-such/book.db" << "" << "数据备份失败！";
        // A folder that is not there is not made on the way.
        QTest::newRow("missing folder") << "没有的文件夹/book.db" << "" << "数据备份失败！";
    }

    void backupTargetChosen()
    {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(QString, message);
        Workplace work;
        CBackupDlg window;
        const QString proposed = pathText(window);
        if (!answer.isEmpty() && !answer.startsWith(QLatin1Char('/')))
            answer = work.folder.path() + QLatin1Char('/') + answer;
        work.seams.chooser.answers.enqueue(answer);
        click(window, "m_btnBrowse");
        QCOMPARE(work.seams.chooser.proposals, QStringList{proposed});
        click(window, "m_btnConfirm");
        QVERIFY2(work.seams.prompter.lastText().startsWith(message), qPrintable(work.seams.prompter.lastText()));
        if (!written.isEmpty())
            QVERIFY(QFile::exists(work.folder.path() + QLatin1Char('/') + written));
        QVERIFY(!QFile::exists(work.folder.path() + QStringLiteral("/没有的文件夹")));
    }

    // Both windows: icons 210 and 192, the bar's range, and a path edit that takes typing
    // which is never read back: the path held is the one used.
    void pathEditTakesTypingNotReadBack_data()
    {
        QTest::addColumn<bool>("backup");
        QTest::addColumn<int>("range");
        QTest::addColumn<QString>("message");
        QTest::newRow("backup") << true << 1000 << "数据备份成功！";
        // The path held on opening is the backup folder, which is no file.
        QTest::newRow("restore") << false << 5000 << "数据恢复失败！\n“%1”不是文件";
    }

    void pathEditTakesTypingNotReadBack()
    {
        QFETCH(bool, backup);
        QFETCH(int, range);
        QFETCH(QString, message);
        Workplace work;
        const QString typed = bakPath(work, QStringLiteral("typed.db"));
        QVERIFY(writeFile(typed, "typed"));
        std::unique_ptr<QDialog> window;
        if (backup)
            window = std::make_unique<CBackupDlg>();
        else
            window = std::make_unique<CRestoreDlg>();
        const auto sameIcon = [&window](const char* button, int id) {
            const QIcon icon = window->findChild<QPushButton*>(QString::fromLatin1(button))->icon();
            return !icon.isNull() && icon.pixmap(16).toImage() == resourceIcon(id).pixmap(16).toImage();
        };
        QVERIFY(sameIcon("m_btnConfirm", 210));
        QVERIFY(sameIcon("m_btnBrowse", 192));
        QCOMPARE(window->findChild<QProgressBar*>(QStringLiteral("m_progress"))->maximum(), range);
        auto* edit = window->findChild<QLineEdit*>(QStringLiteral("m_editPath"));
        QVERIFY(!edit->isReadOnly() && edit->isEnabled());
        const QString held = edit->text();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), typed);
        click(*window, "m_btnConfirm");
        const QString said = work.seams.prompter.lastText();
        QVERIFY2(said.startsWith(message.arg(held)), qPrintable(said));
        QFile file(typed);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("typed"));
        if (backup)
            QVERIFY(QFile::exists(held));
    }

    void refusedSourcesChangeNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("reason");
        QTest::newRow("initial folder") << "" << "不是文件";
        QTest::newRow("text file") << "text file" << "不是数据库文件";
        QTest::newRow("foreign database") << "foreign database" << "不是本系统的数据库文件";
        QTest::newRow("table missing") << "table missing" << "没有数据表 gonggao";
        QTest::newRow("column renamed") << "column renamed" << "readerinfo 的列";
        QTest::newRow("overwritten bytes") << "overwritten bytes" << "损坏";
        QTest::newRow("truncated") << "truncated" << "损坏";
        QTest::newRow("newer version") << "newer version" << "较新版本";
        QTest::newRow("the open database") << "open" << "正在使用";
    }

    void refusedSourcesChangeNothing()
    {
        QFETCH(QString, how);
        QFETCH(QString, reason);
        Workplace work;
        QVERIFY(addManyReaders(200, QStringLiteral("R")));
        const QString source = bakPath(work, QStringLiteral("chosen.db"));
        const bool ofOurs = how != QLatin1String("foreign database") && how != QLatin1String("open");
        if (!how.isEmpty() && ofOurs)
            QVERIFY(QFile::copy(work.folder.databasePath(), source));
        if (!how.isEmpty() && how != QLatin1String("open"))
            QVERIFY(spoil(source, how));
        QVERIFY(run(QStringLiteral("delete from readerinfo where 编号 like 'R1%'")));
        const QStringList before = databaseSnapshot();
        CRestoreDlg window;
        QCOMPARE(pathText(window), bakPath(work, {}).chopped(1));
        if (!how.isEmpty()) {
            work.seams.chooser.answers.enqueue(how == QLatin1String("open") ? work.folder.databasePath() : source);
            click(window, "m_btnBrowse");
        }
        click(window, "m_btnConfirm");
        QCOMPARE(work.seams.prompter.messages.size(), 1);
        const QString said = work.seams.prompter.lastText();
        QVERIFY2(said.startsWith(QStringLiteral("数据恢复失败！")) && said.contains(reason), qPrintable(said));
        QCOMPARE(databaseSnapshot(), before);
        QVERIFY(!QFile::exists(bakPath(work, QStringLiteral("book(恢复前).db"))));
    }

    void emptyPathIsRefused()
    {
        Workplace work;
        CRestoreDlg window;
        click(window, "m_btnBrowse");
        QCOMPARE(pathText(window), QString());
        click(window, "m_btnConfirm");
        QCOMPARE(work.seams.prompter.texts(), QStringList{QStringLiteral("请输入备份文件的路径!")});
    }

    // A backup brings back every row of every table; what it replaced is kept aside, and
    // restoring that copy brings the replaced rows back in turn.
    void goodBackupComesBackWhole()
    {
        Workplace work;
        QVERIFY(addManyReaders(50, QStringLiteral("R")));
        QVERIFY(insertCopy(QStringLiteral("bkinfo"), QStringLiteral("B1"), QStringLiteral("书"), 12.5));
        QVERIFY(insertLoan(QStringLiteral("jieyueinfo"), QStringLiteral("B1"), QStringLiteral("R1")));
        const QStringList backedUp = databaseSnapshot();
        CBackupDlg backup;
        click(backup, "m_btnConfirm");
        QVERIFY(run(QStringLiteral("delete from readerinfo")));
        QVERIFY(run(QStringLiteral("delete from jieyueinfo")));
        QVERIFY(insertCopy(QStringLiteral("qikaninfo"), QStringLiteral("Q1"), QStringLiteral("刊"), 3));
        QVERIFY(run(QStringLiteral("insert into gonggao (标题, 内容) values ('闭馆', '周五')")));
        const QStringList replaced = databaseSnapshot();

        CRestoreDlg window;
        work.seams.chooser.answers.enqueue(bakPath(work, QStringLiteral("book(2017-04-11).db")));
        click(window, "m_btnBrowse");
        click(window, "m_btnConfirm");
        QCOMPARE(work.seams.prompter.messages.last().text, QStringLiteral("数据恢复成功,你需要重新启动数据库服务！？"));
        QCOMPARE(work.seams.prompter.messages.last().caption, QStringLiteral("提示"));
        // Yes ends the program: Enter must not.
        QCOMPARE(work.seams.prompter.messages.last().defaultButton, QMessageBox::No);
        QCOMPARE(databaseSnapshot(), backedUp);
        // After each copy the bars have run once, to one short of full.
        QCOMPARE(backup.findChild<QProgressBar*>(QStringLiteral("m_progress"))->value(), 999);
        QCOMPARE(window.findChild<QProgressBar*>(QStringLiteral("m_progress"))->value(), 4999);
        // The program goes on writing into the restored database.
        QVERIFY(insertReader(QStringLiteral("after")));
        QVERIFY(run(QStringLiteral("delete from readerinfo where 编号='after'")));

        work.seams.chooser.answers.enqueue(bakPath(work, QStringLiteral("book(恢复前).db")));
        click(window, "m_btnBrowse");
        click(window, "m_btnConfirm");
        QCOMPARE(databaseSnapshot(), replaced);
        QCOMPARE(QFileInfo::exists(work.folder.databasePath() + QStringLiteral("-journal")), false);

        // Yes to the question ends the program at once, without the exit backup.
        work.seams.chooser.answers.enqueue(bakPath(work, QStringLiteral("book(2017-04-11).db")));
        click(window, "m_btnBrowse");
        work.seams.prompter.answers.enqueue(QMessageBox::Yes);
        QEventLoop loop;
        QTimer::singleShot(0, &window, [&window] { click(window, "m_btnConfirm"); });
        QTimer::singleShot(5000, &loop, [&loop] { loop.exit(1); });
        QCOMPARE(loop.exec(), 0);
        QCOMPARE(work.seams.prompter.messages.size(), 4);
        QCOMPARE(QDir(bakPath(work, {})).entryList(QDir::Files), (QStringList{"book(2017-04-11).db", "book(恢复前).db"}));
    }

    // Yes starts the database service by setup.ini's command, where one is set, and ends
    // the program.
    void yesRestartsTheServiceAndEnds_data()
    {
        QTest::addColumn<bool>("commandSet");
        QTest::newRow("start command set") << true;
        QTest::newRow("no start command") << false;
    }

    void yesRestartsTheServiceAndEnds()
    {
        QFETCH(bool, commandSet);
        Workplace work;
        const QString started = QDir::current().filePath(QStringLiteral("started.txt"));
        if (commandSet) {
            SetupIni ini;
            ini.setValue(QStringLiteral("Server"), QStringLiteral("start"),
                         QStringLiteral("/bin/sh -c \"echo started > '%1'\"").arg(started));
            QVERIFY(ini.save());
        }
        const QString source = bakPath(work, QStringLiteral("book.db"));
        QString error;
        QVERIFY2(backupDatabase(theApp().m_ado, source, &error), qPrintable(error));
        CRestoreDlg window;
        work.seams.chooser.answers.enqueue(source);
        click(window, "m_btnBrowse");
        work.seams.prompter.answers.enqueue(QMessageBox::Yes);
        QCOMPARE(runUntilEnded([&window] { click(window, "m_btnConfirm"); }), 0);
        QCOMPARE(work.seams.prompter.texts(), QStringList{QStringLiteral("数据恢复成功,你需要重新启动数据库服务！？")});
        if (commandSet)
            QTRY_COMPARE(fileBytes(started), QByteArray("started\n"));
    }

    void stoppedRestoreChangesNothing()
    {
        Workplace work;
        QVERIFY(addManyReaders(10000, QStringLiteral("R")));
        const QString source = bakPath(work, QStringLiteral("big.db"));
        QString error;
        QVERIFY(backupDatabase(theApp().m_ado, source, &error));
        QVERIFY(run(QStringLiteral("delete from readerinfo")));
        const QStringList before = databaseSnapshot();
        int steps = 0;
        const bool restored = restoreDatabase(theApp().m_ado, source, bakPath(work, QStringLiteral("safe.db")),
                                              [&steps](int, int) { return ++steps < 2; },
                                              &error);
        QVERIFY(!restored);
        QCOMPARE(steps, 2);
        QCOMPARE(error, QStringLiteral("已取消"));
        QCOMPARE(databaseSnapshot(), before);
        QCOMPARE(cell(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    }
};

QTEST_MAIN(TestBackupRestore)
#include "test_backuprestore.moc"
