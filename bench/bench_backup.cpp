// The backup of a big school's database (100k copies, 5k readers, 200k rows of history)
// through backupDatabase, beside the sqlite3 shell's ".backup" run as a child process.
#include "BigSchool.h"
#include "SideBySide.h"
#include "db/AdoConn.h"
#include "db/DatabaseBackup.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
void shellBackup(const QString& source, const QString& target)
{
    QFile::remove(target);
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"), {source, QStringLiteral(".backup '%1'").arg(target)});
    if (!shell.waitForFinished(-1) || shell.exitCode() != 0)
        qFatal("sqlite3 .backup failed: %s", shell.readAllStandardError().constData());
}

void Backup(benchmark::State& state)
{
    const BigSchool& school = BigSchool::instance();
    QTemporaryDir dir;
    CAdoConn conn;
    if (!conn.Connect(school.path()))
        qFatal("cannot open the school");
    const QString ours = dir.filePath(QStringLiteral("ours.db"));
    const QString theirs = dir.filePath(QStringLiteral("shell.db"));
    SideBySide sides;
    QString error;
    for (auto _ : state) {
        state.SetIterationTime(sides.run(
            [&] {
                if (!backupDatabase(conn, ours, &error))
                    qFatal("backup failed: %s", qPrintable(error));
            },
            [&] { shellBackup(school.path(), theirs); }));
    }
    sides.report(state);
}
}

BENCHMARK(Backup)->UseManualTime()->Iterations(5)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
