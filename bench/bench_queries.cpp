// The query windows' searches on a big school's database, each beside SQLite's C API stepping
// the same statement with the same bound values and reading every column of every row as
// text; and the book search page itself, from "(全部)" to its first page shown, and showing a
// late page against showing the first.
#include "BigSchool.h"
#include "RawDesk.h"
#include "SideBySide.h"
#include "catalogue/BookSearchPage.h"
#include "catalogue/BookStore.h"
#include "circulation/LoanQueries.h"
#include "db/AppState.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

// The statements the queries run, word for word.
const char* const kCatalogueSearch =
    "select* from bkinfo where 条形码=?1 or 书名 like ?2 escape '\\' or 图书编号=?1 "
    "or 出版处 like ?2 escape '\\' or 著译者 like ?2 escape '\\' "
    "or 入库时间 like ?2 escape '\\' ORDER BY 图书编号 ASC";
const char* const kWholeCatalogue = "select* from bkinfo ORDER BY 图书编号 ASC";
const char* const kHistorySearch = "select * from jieyuelishiinfo where 图书编号=?1 or 读者编号=?1 "
                                   "or 书名 like ?2 escape '\\' or 读者姓名 like ?2 escape '\\' "
                                   "or 操作时间 like ?2 escape '\\' order by rowid";
const char* const kSummaryByTitle = "select 书名, count(书名) as 合计 from jieyuelishiinfo "
                                    "where 操作性质='图书借阅' and 操作时间>=?1 and 操作时间<=?2 "
                                    "group by 书名 order by 书名";

std::string likePattern(const std::string& text) { return "%" + text + "%"; }

long rowsOf(const RecordsetPtr& rs)
{
    if (!rs->IsOpen())
        throw DbError(rs->ErrorText());
    return rs->GetRecordCount();
}

// Times a query window's search (`search` on our connection) beside SQLite stepping `sql` with
// `values`, and counts the rows the search found.
template <typename Search>
void searchBeside(benchmark::State& state, Search search, const char* sql, std::initializer_list<RawDesk::Value> values)
{
    CAdoConn conn;
    conn.Connect(BigSchool::instance().path());
    RawDesk raw(BigSchool::instance().path());
    SideBySide sides;
    long rows = 0;
    for (auto _ : state)
        state.SetIterationTime(sides.run([&] { rows = rowsOf(search(conn)); },
                                         [&] { benchmark::DoNotOptimize(raw.readAll(sql, values)); }));
    sides.report(state);
    state.counters["rows"] = static_cast<double>(rows);
}

// A fragment of about 1% of the titles (第12号, 第120-129号, ...), and one of none.
void CatalogueSearch(benchmark::State& state)
{
    const std::string fragment = state.range(0) ? "第12" : "无此书名";
    const std::string pattern = likePattern(fragment);
    const QString text = QString::fromStdString(fragment);
    searchBeside(state, [&](CAdoConn& conn) { return CBookStore(conn).search(text); }, kCatalogueSearch,
                 {fragment, pattern});
}

void HistoryByReaderName(benchmark::State& state)
{
    const std::string fragment = "读者12";
    const std::string pattern = likePattern(fragment);
    searchBeside(state, [&](CAdoConn& conn) { return LoanQueries(conn).history(QString::fromStdString(fragment)); },
                 kHistorySearch, {fragment, pattern});
}

void SummaryByTitle(benchmark::State& state)
{
    const std::string from = "2016-03-01";
    const std::string to = "2016-05-31";
    const LoanQueries::Period spring{QString::fromStdString(from), QString::fromStdString(to)};
    searchBeside(state, [&](CAdoConn& conn) { return LoanQueries(conn).summary(LoanQueries::Grouping::Title, spring); },
                 kSummaryByTitle, {from, to});
}

// The book search page as the librarian uses it, on the application's connection.
struct SearchWindow {
    CBookSearchPage page;
    SearchWindow()
    {
        if (!theApp().m_ado.IsConnected())
            theApp().m_ado.Connect(BigSchool::instance().path());
        page.findChild<QLineEdit*>(QStringLiteral("m_editSearch"))->setText(QStringLiteral("(全部)"));
    }
    void search() { page.OnSearch(); }
    void showPage(int page1Based)
    {
        auto* selector = page.findChild<QComboBox*>(QStringLiteral("m_cmbPage"));
        emit selector->activated(page1Based - 1);
    }
};

// "(全部)": the whole catalogue held for paging and export, its first page in the list.
void AllCopiesToFirstPage(benchmark::State& state)
{
    SearchWindow window;
    RawDesk raw(BigSchool::instance().path());
    SideBySide sides;
    for (auto _ : state)
        state.SetIterationTime(sides.run([&] { window.search(); },
                                         [&] { benchmark::DoNotOptimize(raw.readAll(kWholeCatalogue)); }));
    sides.report(state);
}

// Page 1,000 of that result beside page 1: both put 100 rows into the list.
void LatePageAgainstFirst(benchmark::State& state)
{
    SearchWindow window;
    window.search();
    SideBySide sides;
    for (auto _ : state)
        state.SetIterationTime(sides.run([&] { window.showPage(1000); }, [&] { window.showPage(1); }));
    sides.report(state);
}

} // namespace

BENCHMARK(CatalogueSearch)->Arg(1)->Arg(0)->UseManualTime()->Iterations(10)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(HistoryByReaderName)->UseManualTime()->Iterations(10)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(SummaryByTitle)->UseManualTime()->Iterations(10)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(AllCopiesToFirstPage)->UseManualTime()->Iterations(6)->Repetitions(5)->Unit(benchmark::kMillisecond);
BENCHMARK(LatePageAgainstFirst)->UseManualTime()->Iterations(200)->Repetitions(5)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
