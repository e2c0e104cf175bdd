// A catalogue imported from .xlsx (100,000 rows) and from .xls (65,535, its limit) through the
// import job, beside the floor: the spreadsheet layer reading every cell and SQLite inserting
// the rows through one prepared statement in one transaction. Both sides write a fresh copy
// of the template database in WAL with synchronous FULL.
#include "maintenance/ImportJob.h"
#include "sheets/SpreadsheetFile.h"

#include "SideBySide.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {
constexpr int kXlsxRows = 100000;
constexpr int kXlsRows = 65535;

const char* const kInsert =
    "insert into bkinfo (条形码, 图书编号, 分类号, 图书类别, 复本号, 书名, 著译者, 出版处, 页数, 开本, 版期, 版次, 单价, "
    "书架名称, 入库时间, 是否借出) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

Sheet catalogue(int rows)
{
    Sheet sheet;
    sheet.sheetName = QStringLiteral("sheet1");
    CellRow header;
    for (const char* name : {"条形码", "图书编号", "分类号", "图书类别", "复本号", "书名", "著译者", "出版处", "页数", "开本",
                             "版期", "版次", "单价", "书架名称", "入库时间", "是否借出"})
        header.push_back(SheetCell::fromText(QString::fromUtf8(name)));
    sheet.rows.push_back(header);
    const double entry = serialFromDateTime(QDate(2017, 4, 11).startOfDay());
    for (int i = 0; i < rows; ++i) {
        sheet.rows.push_back({SheetCell::fromNumber(9787000000000.0 + i),
                              SheetCell::fromText(QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0'))),
                              SheetCell::fromText(QStringLiteral("I247.5")), SheetCell::fromText(QStringLiteral("I文学")),
                              SheetCell::fromNumber(i % 3 + 1),
                              SheetCell::fromText(QStringLiteral("第%1号图书：青少年科普读物").arg(i)),
                              SheetCell::fromText(QStringLiteral("作者%1").arg(i % 997)),
                              SheetCell::fromText(QStringLiteral("人民文学出版社")), SheetCell::fromNumber(100 + i % 400),
                              SheetCell::fromText(QStringLiteral("16开")), SheetCell::fromText(QStringLiteral("2015-06")),
                              SheetCell::fromText(QStringLiteral("第一版")), SheetCell::fromNumber(5 + (i % 400) / 10.0),
                              SheetCell::fromText(QStringLiteral("一号书架")), SheetCell::fromSerialDate(entry),
                              SheetCell::fromNumber(0)});
    }
    return sheet;
}

struct Files {
    QTemporaryDir dir;
    QString xlsx = dir.filePath(QStringLiteral("books.xlsx"));
    QString xls = dir.filePath(QStringLiteral("books.xls"));
    QString ours = dir.filePath(QStringLiteral("ours.db"));
    QString floor = dir.filePath(QStringLiteral("floor.db"));

    Files()
    {
        QString error;
        const Sheet big = catalogue(kXlsxRows);
        const Sheet limit = catalogue(kXlsRows);
        if (!saveSpreadsheet(xlsx, {&big}, QLatin1Char(','), true, &error)
            || !saveSpreadsheet(xls, {&limit}, QLatin1Char(','), true, &error))
            qFatal("writing the catalogues failed: %s", qPrintable(error));
    }

    static const Files& instance()
    {
        static const Files files;
        return files;
    }
};

void freshDatabase(const QString& path)
{
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + suffix);
    QFile::copy(QStringLiteral(SCHOOLLIB_TEMPLATE_DB), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

void check(bool ok, sqlite3* db)
{
    if (!ok)
        qFatal("raw import failed: %s", sqlite3_errmsg(db));
}

void bind(sqlite3_stmt* stmt, int index, const SheetCell& cell)
{
    switch (cell.kind) {
    case SheetCell::Kind::Empty:
        sqlite3_bind_null(stmt, index);
        return;
    case SheetCell::Kind::Number:
    case SheetCell::Kind::Date:
        sqlite3_bind_double(stmt, index, cell.number);
        return;
    case SheetCell::Kind::Text:
        if (cell.isPooled()) {
            sqlite3_bind_text(stmt, index, cell.pooled, int(cell.pooledSize), SQLITE_STATIC);
        } else {
            const QByteArray text = cell.text.toUtf8();
            sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
    }
}

// The floor: every cell read through the spreadsheet layer and bound as it comes.
void rawImport(const QString& file, const QString& database)
{
    Workbook book;
    QString error;
    if (!readSpreadsheet(file, QLatin1Char(','), &book, &error))
        qFatal("reading failed: %s", qPrintable(error));
    const Sheet& sheet = book.front();
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    check(sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; BEGIN IMMEDIATE", nullptr, nullptr,
                       nullptr) == SQLITE_OK,
          db);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, kInsert, -1, &stmt, nullptr);
    for (size_t r = 1; r < sheet.rows.size(); ++r) {
        const CellRow& cells = sheet.rows[r];
        for (int i = 0; i < 16; ++i)
            bind(stmt, i + 1, size_t(i) < cells.size() ? cells[size_t(i)] : SheetCell());
        check(sqlite3_step(stmt) == SQLITE_DONE, db);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK, db);
    sqlite3_close(db);
}

void jobImport(const QString& file, const QString& database)
{
    CImportJob job(ImportSpec::forTarget(ImportSpec::Target::Books), file, database, false);
    bool done = false;
    QObject::connect(&job, &CImportJob::Finished, [&done](bool ok, int, const QString&) { done = ok; });
    job.Run();
    if (!done)
        qFatal("the import failed");
}

void importFrom(benchmark::State& state, const QString& file)
{
    const Files& files = Files::instance();
    SideBySide sides;
    for (auto _ : state) {
        freshDatabase(files.ours);
        freshDatabase(files.floor);
        state.SetIterationTime(sides.run([&] { jobImport(file, files.ours); }, [&] { rawImport(file, files.floor); }));
    }
    sides.report(state);
}

void ImportXlsx(benchmark::State& state) { importFrom(state, Files::instance().xlsx); }
void ImportXls(benchmark::State& state) { importFrom(state, Files::instance().xls); }
}

BENCHMARK(ImportXlsx)->UseManualTime()->Iterations(2)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportXls)->UseManualTime()->Iterations(2)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
