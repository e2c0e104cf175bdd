// Importing a delivery of MARC records: reading the file and storing every record as a book
// copy in one transaction, against yaz-marcdump parsing the same file to /dev/null.
// Both run in every iteration, in turn. The counter "ratio" is yaz-marcdump's time over
// ours: at least 1 means the import keeps pace with the reference parser.
#include "MarcBuilder.h"

#include "catalogue/MarcImport.h"
#include "marc/MarcReader.h"
#include "core/TextCodec.h"
#include "db/AdoConn.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {
constexpr int kRecords = 100000;
using Clock = std::chrono::steady_clock;

QByteArray gbk(const QString& text) { return toGbk(text); }

// About ten fields a record, as a union catalogue delivers them, titles and names in GBK.
QByteArray generatedFile()
{
    const QByteArray publisher = gbk(QStringLiteral("人民文学出版社"));
    const QByteArray place = gbk(QStringLiteral("北京"));
    const QByteArray edition = gbk(QStringLiteral("第一版"));
    const QByteArray subject = gbk(QStringLiteral("古典文学"));
    const QByteArray author = gbk(QStringLiteral("张三主编"));
    QByteArray file;
    for (int i = 0; i < kRecords; ++i) {
        const QByteArray n = QByteArray::number(i);
        file += MarcBuilder()
                    .field("001", MarcBuilder::number(i, 8))
                    .field("010", {{'a', "7-5322-" + MarcBuilder::number(i % 10000, 4) + "-X"},
                                   {'d', "CNY" + QByteArray::number(20 + i % 50) + ".50"}})
                    .field("100", {{'a', "20050101d2005    em y0chiy0121    ea"}})
                    .field("101", MarcBuilder::subfields({{'a', "chi"}}, "0 "))
                    .field("200", MarcBuilder::subfields(
                                      {{'a', gbk(QStringLiteral("中国古代文学史第%1卷").arg(i))}, {'f', author}}, "1 "))
                    .field("205", {{'a', edition}})
                    .field("210", {{'a', place}, {'c', publisher}, {'d', "2005.01"}})
                    .field("215", {{'a', n.right(3) + "p"}, {'d', "26cm"}})
                    .field("606", MarcBuilder::subfields({{'a', subject}}, "0 "))
                    .field("690", {{'a', "I206.2"}, {'v', "4"}})
                    .record();
    }
    return file;
}

struct Delivery {
    QTemporaryDir dir;
    QString marcPath = dir.filePath(QStringLiteral("delivery.iso"));

    Delivery()
    {
        QFile file(marcPath);
        file.open(QIODevice::WriteOnly);
        file.write(generatedFile());
    }
};

Delivery& delivery()
{
    static Delivery d;
    return d;
}

// A fresh catalogue from the template database.
QString freshDatabase(int iteration)
{
    const QString path = delivery().dir.filePath(QStringLiteral("book%1.db").arg(iteration));
    QFile::remove(path);
    QFile::copy(QStringLiteral(SCHOOLLIB_TEMPLATE_DB), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

// How long reading the file into list rows took, and reading plus storing them.
struct ImportTimes {
    Clock::duration read{};
    Clock::duration total{};
    bool stored = false;
};

ImportTimes importOnce(const QString& databasePath)
{
    CAdoConn conn;
    conn.Connect(databasePath);
    ImportTimes times;
    const Clock::time_point start = Clock::now();
    QFile file(delivery().marcPath);
    file.open(QIODevice::ReadOnly);
    const MarcReader reader(file.readAll());
    const QList<QStringList> rows = reader.rows(QStringLiteral("2017-04-11"));
    times.read = Clock::now() - start;
    times.stored = rows.size() == kRecords && MarcImport(conn).store(rows);
    times.total = Clock::now() - start;
    return times;
}

Clock::duration yazOnce()
{
    QProcess yaz;
    yaz.setStandardOutputFile(QProcess::nullDevice());
    const Clock::time_point start = Clock::now();
    yaz.start(QStringLiteral("yaz-marcdump"), {delivery().marcPath});
    yaz.waitForFinished(-1);
    return Clock::now() - start;
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// "read_ratio" compares the reading alone with yaz-marcdump, which stores nothing.
void MarcImportAgainstYaz(benchmark::State& state)
{
    Clock::duration read{}, ours{}, theirs{};
    int iteration = 0;
    for (auto _ : state) {
        const QString database = freshDatabase(iteration);
        ImportTimes times;
        Clock::duration yazTime;
        if (iteration++ % 2 == 0) {
            times = importOnce(database);
            yazTime = yazOnce();
        } else {
            yazTime = yazOnce();
            times = importOnce(database);
        }
        if (!times.stored)
            state.SkipWithError("the import did not store every record");
        QFile::remove(database);
        read += times.read;
        ours += times.total;
        theirs += yazTime;
        state.SetIterationTime(seconds(times.total));
    }
    const double records = kRecords * static_cast<double>(state.iterations());
    state.counters["import_records_per_s"] = records / seconds(ours);
    state.counters["yaz_records_per_s"] = records / seconds(theirs);
    state.counters["ratio"] = seconds(theirs) / seconds(ours);
    state.counters["read_ratio"] = seconds(theirs) / seconds(read);
}
}

BENCHMARK(MarcImportAgainstYaz)->UseManualTime()->Iterations(4)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
