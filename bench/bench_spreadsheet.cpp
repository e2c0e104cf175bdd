// Spreadsheet export and reading beside the floor the raw libraries give, on generated rows
// of 14 text columns; each benchmark reports its "ratio" counter (ours / floor).
#include "sheets/ExcelFile.h"
#include "export/ExportJob.h"

#include "SideBySide.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <benchmark/benchmark.h>
#include <freexl.h>
#include <unzip.h>
#include <xlsxwriter.h>

#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int kColumns = 14;
constexpr int kRows = 100000;
constexpr int kXlsRows = 65535;

std::string cellText(int row, int column)
{
    static const char* const words[] = {"红楼梦", "Physics", "人民教育出版社", "TS", "第一版", "2017-04-11", "张三"};
    return std::string(words[(row + column) % 7]) + " " + std::to_string(row * 31 + column);
}

std::shared_ptr<const RowBlock> makeBlock(int rows)
{
    QStringList columns;
    for (int c = 0; c < kColumns; ++c)
        columns << QStringLiteral("列%1").arg(c);
    auto block = std::make_shared<RowBlock>(columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const std::string text = cellText(r, c);
            block->appendText(text.data(), qsizetype(text.size()));
        }
    }
    return block;
}

struct Data {
    QTemporaryDir dir;
    std::shared_ptr<const RowBlock> rows = makeBlock(kRows);
    std::shared_ptr<const RowBlock> xlsRows = makeBlock(kXlsRows);
    std::vector<std::vector<std::string>> cells;
    QString xlsx = dir.filePath(QStringLiteral("read.xlsx"));
    QString xls = dir.filePath(QStringLiteral("read.xls"));

    Data()
    {
        cells.resize(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c)
                cells[size_t(r)].push_back(cellText(r, c));
        exportTo(xlsx, rows);
        exportTo(xls, xlsRows);
    }

    static bool exportTo(const QString& path, const std::shared_ptr<const RowBlock>& block)
    {
        QFile::remove(path);
        ExportThreadParam param;
        param.path = path;
        param.sheet = QStringLiteral("Sheet1");
        param.header = block->columns();
        param.rows = block;
        param.lastField = kColumns - 1;
        CExportJob job(std::move(param));
        bool written = false;
        QObject::connect(&job, &CExportJob::Finished, [&](bool ok) { written = ok; });
        job.Run();
        return written;
    }

    QString target(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

Data& data()
{
    static Data d;
    return d;
}

void rawXlsx(const QString& path, int rows)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Sheet1");
    for (int c = 0; c < kColumns; ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), ("列" + std::to_string(c)).c_str(), nullptr);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kColumns; ++c)
            worksheet_write_string(sheet, lxw_row_t(r + 1), lxw_col_t(c), data().cells[size_t(r)][size_t(c)].c_str(), nullptr);
    workbook_close(workbook);
}

// Our export job writing `rows` to the file `name` beside libxlsxwriter writing as many rows of
// the same cells, with the same options (constant memory), to `floorName`.
void exportBeside(benchmark::State& state, const char* name, const std::shared_ptr<const RowBlock>& rows,
                  const char* floorName, int floorRows)
{
    const QString ours = data().target(name);
    const QString floor = data().target(floorName);
    SideBySide sides;
    for (auto _ : state) {
        state.SetIterationTime(sides.run(
            [&] {
                QFile::remove(ours);
                if (!Data::exportTo(ours, rows))
                    state.SkipWithError("export failed");
            },
            [&] { rawXlsx(floor, floorRows); }));
    }
    sides.report(state);
}

// The 100k rows written as .xlsx. Target: ratio within 1.2.
void XlsxExport100k(benchmark::State& state) { exportBeside(state, "job.xlsx", data().rows, "raw.xlsx", kRows); }

// The fullest .xls sheet, beside libxlsxwriter writing those cells. Target: ratio within 1.5.
void XlsExport65535(benchmark::State& state)
{
    exportBeside(state, "job.xls", data().xlsRows, "raw65535.xlsx", kXlsRows);
}

void rawXlsxTokens()
{
    unzFile zip = unzOpen64(QFile::encodeName(data().xlsx).constData());
    unz_file_info64 info;
    unzLocateFile(zip, "xl/worksheets/sheet1.xml", 1);
    unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0);
    unzOpenCurrentFile(zip);
    QByteArray bytes(qsizetype(info.uncompressed_size), Qt::Uninitialized);
    unzReadCurrentFile(zip, bytes.data(), unsigned(bytes.size()));
    unzCloseCurrentFile(zip);
    unzClose(zip);
    QXmlStreamReader xml(bytes);
    long tokens = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        ++tokens;
    }
    benchmark::DoNotOptimize(tokens);
}

void rawXlsCells()
{
    const void* handle = nullptr;
    freexl_open(QFile::encodeName(data().xls).constData(), &handle);
    freexl_select_active_worksheet(handle, 0);
    unsigned int rows = 0;
    unsigned short columns = 0;
    freexl_worksheet_dimensions(handle, &rows, &columns);
    long texts = 0;
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value;
            freexl_get_cell_value(handle, r, c, &value);
            texts += value.type == FREEXL_CELL_SST_TEXT ? 1 : 0;
        }
    }
    freexl_close(handle);
    benchmark::DoNotOptimize(texts);
}

// The sheet file class reading `path`, a sheet of `rows` rows under its header, beside `floor`.
void readBeside(benchmark::State& state, const QString& path, int rows, void (*floor)())
{
    SideBySide sides;
    for (auto _ : state) {
        state.SetIterationTime(sides.run(
            [&] {
                CExcelFile file(path, QStringLiteral("Sheet1"));
                if (file.GetTotalRows() != rows + 1)
                    state.SkipWithError("rows missing");
            },
            floor));
    }
    sides.report(state);
}

// The 100k-row .xlsx beside minizip inflating it and QXmlStreamReader reading every token.
// Target: ratio within 1.5.
void XlsxRead100k(benchmark::State& state) { readBeside(state, data().xlsx, kRows, rawXlsxTokens); }

// The fullest .xls sheet beside freexl fetching every cell. Target: ratio within 1.5.
void XlsRead65535(benchmark::State& state) { readBeside(state, data().xls, kXlsRows, rawXlsCells); }
}

BENCHMARK(XlsxExport100k)->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(XlsExport65535)->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(XlsxRead100k)->UseManualTime()->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(XlsRead65535)->UseManualTime()->Iterations(2)->Repetitions(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    data();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
