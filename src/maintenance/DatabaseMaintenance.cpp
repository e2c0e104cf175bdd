#include "maintenance/DatabaseMaintenance.h"

#include "circulation/LendingService.h"
#include "db/AdoConn.h"
#include "db/Statements.h"

namespace {
// Runs the work in a transaction: the reason of its failure, nothing when it was committed.
template <typename Work>
std::optional<QString> inTransaction(CAdoConn& conn, Work&& work)
{
    CTransaction transaction(conn);
    if (!transaction.IsActive())
        return conn.LastError();
    try {
        work();
    } catch (const DbError& e) {
        return e.text();
    }
    if (!transaction.Commit())
        return conn.LastError();
    return std::nullopt;
}
}

const QList<InitItem>& DatabaseMaintenance::initItems()
{
    static const QList<InitItem> items = {
        {QStringLiteral("图书信息"), QStringLiteral("bkinfo")},
        {QStringLiteral("读者信息"), QStringLiteral("readerinfo")},
        {QStringLiteral("图书借阅"), QStringLiteral("jieyueinfo")},
        {QStringLiteral("借阅历史"), QStringLiteral("jieyuelishiinfo")},
        {QStringLiteral("书架名称"), QStringLiteral("shujiainfo")},
        {QStringLiteral("读者类别"), QStringLiteral("duzheleibie")},
        {QStringLiteral("丢失图书"), QStringLiteral("bkinfo_diushi")},
        {QStringLiteral("图书类型"), QStringLiteral("tushuleixing"), false},
        {QStringLiteral("出版设置"), QStringLiteral("chubansheinfo"), false},
        {QStringLiteral("服务器信息"), QStringLiteral("jieyuelishiinfo1")},
        {QStringLiteral("期刊信息"), QStringLiteral("qikaninfo")},
        {QStringLiteral("期刊借阅"), QStringLiteral("qkjieyueinfo")},
        {QStringLiteral("期刊借阅历史"), QStringLiteral("qkjieyuelishiinfo")},
        {QStringLiteral("丢失期刊"), QStringLiteral("diushiqikaninfo")},
        {QStringLiteral("剔旧图书"), QStringLiteral("bkinfo_tijiu")},
        {QStringLiteral("剔旧期刊"), QStringLiteral("qkinfo_tijiu")},
    };
    return items;
}

// Emptying a loan table would leave its copies marked lent and its borrowers counted with
// loans that are gone, so they go back in stock first. Every book marked lent goes back: a
// book its reader lost leaves the stock. A periodical its reader lost stays in stock marked
// lent without a loan, and keeps that mark: only the copies the loan rows hold go back.
void DatabaseMaintenance::ReturnCopiesOfLoans(const QStringList& emptied)
{
    if (emptied.contains(QLatin1String("jieyueinfo")))
        executeOrThrow(m_conn, QStringLiteral("update bkinfo set 是否借出=0 where 是否借出=1"));
    if (emptied.contains(QLatin1String("qkjieyueinfo")))
        executeOrThrow(m_conn, QStringLiteral("update qikaninfo set 是否借出=0 where 是否借出<>0 "
                                              "and 期刊编号 in (select 期刊编号 from qkjieyueinfo)"));
}

void DatabaseMaintenance::MarkCopiesByLoans(const Progress& progress)
{
    executeOrThrow(m_conn, QStringLiteral("update bkinfo set 是否借出=0"));
    RecordsetPtr loans = openOrThrow(m_conn, QStringLiteral("select 图书编号 from jieyueinfo"));
    const int total = int(loans->GetRecordCount());
    if (progress)
        progress(Stage::Copies, 0, total);
    for (int done = 1; !loans->IsEOF(); loans->MoveNext(), ++done) {
        executeOrThrow(m_conn, QStringLiteral("update bkinfo set 是否借出=1 where 图书编号=?"), {loans->GetValue(0)});
        if (progress)
            progress(Stage::Copies, done, total);
    }
}

void DatabaseMaintenance::RecountReadersWithLoans(const Progress& progress)
{
    executeOrThrow(m_conn, QStringLiteral("update readerinfo set 未还书数=0"));
    RecordsetPtr readers = openOrThrow(
        m_conn, QStringLiteral("select 读者编号 from jieyueinfo union select 读者编号 from qkjieyueinfo"));
    const int total = int(readers->GetRecordCount());
    if (progress)
        progress(Stage::Readers, 0, total);
    LendingService counts(m_conn, QString());
    for (int done = 1; !readers->IsEOF(); readers->MoveNext(), ++done) {
        counts.recountReaders(QStringLiteral("编号=?"), {readers->GetValue(0)});
        if (progress)
            progress(Stage::Readers, done, total);
    }
}

std::optional<QString> DatabaseMaintenance::Initialise(const QStringList& chosen)
{
    QStringList tables;
    for (const InitItem& item : initItems())
        if (chosen.contains(item.table))
            tables << item.table;
    if (tables.isEmpty())
        return std::nullopt;
    return inTransaction(m_conn, [&] {
        ReturnCopiesOfLoans(tables);
        for (const QString& table : tables)
            executeOrThrow(m_conn, QStringLiteral("delete from ") + table);
        if (tables.contains(QLatin1String("jieyueinfo")) || tables.contains(QLatin1String("qkjieyueinfo")))
            LendingService(m_conn, QString()).recountReaders();
    });
}

std::optional<QString> DatabaseMaintenance::Repair(const Progress& progress)
{
    return inTransaction(m_conn, [&] {
        MarkCopiesByLoans(progress);
        RecountReadersWithLoans(progress);
    });
}
