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

QStringList DatabaseMaintenance::tablesToEmpty(const QStringList& chosen)
{
    const auto any = [&chosen](std::initializer_list<const char*> tables) {
        for (const char* table : tables)
            if (chosen.contains(QLatin1String(table)))
                return true;
        return false;
    };
    QStringList tables;
    for (const InitItem& item : initItems()) {
        const bool bookLoans = item.table == QLatin1String("jieyueinfo") && any({"bkinfo", "readerinfo"});
        const bool periodicalLoans = item.table == QLatin1String("qkjieyueinfo") && any({"qikaninfo", "readerinfo"});
        if (chosen.contains(item.table) || bookLoans || periodicalLoans)
            tables << item.table;
    }
    return tables;
}

void DatabaseMaintenance::ReleaseCopiesWithoutLoans()
{
    executeOrThrow(m_conn, QStringLiteral("update bkinfo set 是否借出=0 where 是否借出=1 and not exists "
                                          "(select 1 from jieyueinfo j where j.图书编号=bkinfo.图书编号)"));
    executeOrThrow(m_conn, QStringLiteral("update qikaninfo set 是否借出=0 where 是否借出<>0 and not exists "
                                          "(select 1 from qkjieyueinfo q where q.期刊编号=qikaninfo.期刊编号)"));
}

void DatabaseMaintenance::MarkCopiesByLoans()
{
    executeOrThrow(m_conn, QStringLiteral("update bkinfo set 是否借出=0 where 是否借出<>0"));
    executeOrThrow(m_conn, QStringLiteral("update bkinfo set 是否借出=1 where exists "
                                          "(select 1 from jieyueinfo j where j.图书编号=bkinfo.图书编号)"));
    executeOrThrow(m_conn, QStringLiteral("update qikaninfo set 是否借出=0 where 是否借出<>0"));
    executeOrThrow(m_conn, QStringLiteral("update qikaninfo set 是否借出=-1 where exists "
                                          "(select 1 from qkjieyueinfo q where q.期刊编号=qikaninfo.期刊编号)"));
}

std::optional<QString> DatabaseMaintenance::Initialise(const QStringList& chosen)
{
    const QStringList tables = tablesToEmpty(chosen);
    if (tables.isEmpty())
        return std::nullopt;
    return inTransaction(m_conn, [&] {
        for (const QString& table : tables)
            executeOrThrow(m_conn, QStringLiteral("delete from ") + table);
        ReleaseCopiesWithoutLoans();
        LendingService(m_conn, QString()).recountReaders();
    });
}

std::optional<QString> DatabaseMaintenance::Repair(const std::function<void(Stage stage)>& stageStarts)
{
    return inTransaction(m_conn, [&] {
        if (stageStarts)
            stageStarts(Stage::Copies);
        MarkCopiesByLoans();
        if (stageStarts)
            stageStarts(Stage::Readers);
        LendingService(m_conn, QString()).recountReaders();
    });
}
