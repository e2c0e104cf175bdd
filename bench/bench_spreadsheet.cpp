// Spreadsheet export and reading against the floor the raw libraries give, on generated
// rows of 14 text columns: an export job writing .xlsx against libxlsxwriter writing the
// same cells with the same options, the job writing .xls against libxlsxwriter, and the
// sheet file class reading both files against minizip + QXmlStreamReader and freexl.
// Each target is printed as a ratio of medians at the end.
#include "exchange/ExcelFile.h"
#include "exchange/ExportJob.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <benchmark/benchmark.h>
#include <freexl.h>
#include <unzip.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <map>
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

void RawLibxlsxwriter100k(benchmark::State& state)
{
    const QString path = data().target("raw.xlsx");
    for (auto _ : state)
        rawXlsx(path, kRows);
}

void ExportJobXlsx100k(benchmark::State& state)
{
    const QString path = data().target("job.xlsx");
    for (auto _ : state) {
        QFile::remove(path);
        if (!Data::exportTo(path, data().rows))
            state.SkipWithError("export failed");
    }
}

void RawLibxlsxwriter65535(benchmark::State& state)
{
    const QString path = data().target("raw65535.xlsx");
    for (auto _ : state)
        rawXlsx(path, kXlsRows);
}

void ExportJobXls65535(benchmark::State& state)
{
    const QString path = data().target("job.xls");
    for (auto _ : state) {
        QFile::remove(path);
        if (!Data::exportTo(path, data().xlsRows))
            state.SkipWithError("export failed");
    }
}

void RawMinizipXmlTokens(benchmark::State& state)
{
    for (auto _ : state) {
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
}

void ExcelFileReadXlsx(benchmark::State& state)
{
    for (auto _ : state) {
        CExcelFile file(data().xlsx, QStringLiteral("Sheet1"));
        if (file.GetTotalRows() != kRows + 1)
            state.SkipWithError("rows missing");
    }
}

void RawFreexlCells(benchmark::State& state)
{
    for (auto _ : state) {
        const void* handle = nullptr;
        freexl_open(QFile::encodeName(data().xls).constData(), &handle);
        freexl_select_active_worksheet(handle, 0);
        unsigned int rows = 0;
        unsigned short columns = 0;
        freexl_worksheet_dimensions(handle, &rows, &columns);
        long chars = 0;
        for (unsigned int r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue value;
                freexl_get_cell_value(handle, r, c, &value);
                chars += value.type == FREEXL_CELL_SST_TEXT ? 1 : 0;
            }
        }
        freexl_close(handle);
        benchmark::DoNotOptimize(chars);
    }
}

void ExcelFileReadXls(benchmark::State& state)
{
    for (auto _ : state) {
        CExcelFile file(data().xls, QStringLiteral("Sheet1"));
        if (file.GetTotalRows() != kXlsRows + 1)
            state.SkipWithError("rows missing");
    }
}

// Prints each target's median time as a ratio of its baseline's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median")
                m_medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const struct {
            const char* target;
            const char* baseline;
            double limit;
        } pairs[] = {
            {"ExportJobXlsx100k", "RawLibxlsxwriter100k", 1.2},
            {"ExportJobXls65535", "RawLibxlsxwriter65535", 1.5},
            {"ExcelFileReadXlsx", "RawMinizipXmlTokens", 1.5},
            {"ExcelFileReadXls", "RawFreexlCells", 1.5},
        };
        for (const auto& p : pairs) {
            if (!m_medians.count(p.target) || !m_medians.count(p.baseline))
                continue;
            const double ratio = m_medians[p.target] / m_medians[p.baseline];
            std::printf("%-20s / %-22s = %.2fx (target %.1fx) %s\n", p.target, p.baseline, ratio, p.limit,
                        ratio <= p.limit ? "met" : "MISSED");
        }
    }

private:
    std::map<std::string, double> m_medians;
};
}

BENCHMARK(RawLibxlsxwriter100k)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ExportJobXlsx100k)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(RawLibxlsxwriter65535)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ExportJobXls65535)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(RawMinizipXmlTokens)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ExcelFileReadXlsx)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(RawFreexlCells)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ExcelFileReadXls)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    data();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
