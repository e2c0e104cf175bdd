#include "circulation/ReaderRegister.h"

#include "circulation/LendingService.h"
#include "db/LikePattern.h"
#include "db/Statements.h"
#include "db/AdoConn.h"

QString readerListHeadings()
{
    return QStringLiteral("编号,100;姓名,80;性别,80;类别,50;借书期限,60;部门,80;数量限制,40;登记日期,120;未还图书,80;备注,80");
}

QStringList readerListRow(const CAdoRecordset& rs)
{
    QStringList row;
    for (int field : {0, 1, 2, 3, 4, 5, 8, 9, 7, 11})
        row << rs.GetCollect(field);
    return row;
}

ReaderRegister::ReaderRegister(CAdoConn& conn) : m_conn(conn) {}

bool ReaderRegister::exists(const QString& number) const
{
    return !openOrThrow(m_conn, QStringLiteral("select 编号 from readerinfo where 编号=?"), {number})->IsEOF();
}

void ReaderRegister::add(const ReaderForm& f)
{
    executeOrThrow(m_conn, QStringLiteral("insert into readerinfo (编号, 姓名, 性别, 类别, 借书期限, 部门, 借出次数, 借阅数量限制, "
                           "登记日期, 备注) values (?, ?, ?, ?, ?, ?, 0, ?, ?, ?)"),
            {f.number, f.name, f.sex, f.type, f.period, f.dept, f.limit, f.date, f.remark});
}

bool ReaderRegister::save(const ReaderForm& f)
{
    executeOrThrow(m_conn, QStringLiteral("update readerinfo set 姓名=?, 性别=?, 类别=?, 借书期限=?, 部门=?, 借阅数量限制=?, "
                           "登记日期=?, 备注=? where 编号=?"),
            {f.name, f.sex, f.type, f.period, f.dept, f.limit, f.date, f.remark, f.number});
    return m_conn.ChangedRows() > 0;
}

ReaderRegister::Removal ReaderRegister::remove(const QString& number)
{
    CTransaction transaction(m_conn);
    if (!transaction.IsActive())
        throw DbError(m_conn.LastError());
    if (LendingService(m_conn, QString()).loanCount(number) > 0)
        return Removal::HasLoans;
    executeOrThrow(m_conn, QStringLiteral("delete from readerinfo where 编号=?"), {number});
    if (m_conn.ChangedRows() == 0)
        return Removal::Missing;
    if (!transaction.Commit())
        throw DbError(m_conn.LastError());
    return Removal::Removed;
}

RecordsetPtr ReaderRegister::search(const QString& filter) const
{
    if (filter.isEmpty())
        return openOrThrow(m_conn, QStringLiteral("select * from readerinfo order by 编号 asc"));
    const QString like = containsPattern(filter);
    return openOrThrow(m_conn, QStringLiteral("select * from readerinfo where 姓名 like ?1 escape '\\' or 编号=?2 "
                               "or 部门 like ?1 escape '\\' or 类别 like ?1 escape '\\' "
                               "or 登记日期 like ?1 escape '\\' order by 编号 asc"),
                {like, filter});
}

RecordsetPtr ReaderRegister::all() const
{
    return openOrThrow(m_conn, QStringLiteral("select * from readerinfo order by rowid"));
}

RecordsetPtr ReaderRegister::reader(const QString& number) const
{
    return openOrThrow(m_conn, QStringLiteral("select * from readerinfo where 编号=?"), {number});
}

RecordsetPtr ReaderRegister::searchForCancel(const QString& filter) const
{
    if (filter.isEmpty())
        return openOrThrow(m_conn, QStringLiteral("select * from readerinfo"));
    return openOrThrow(m_conn, QStringLiteral("select * from readerinfo where 编号 like ?1 escape '\\' "
                               "or 姓名 like ?1 escape '\\' or 部门 like ?1 escape '\\'"),
                {containsPattern(filter)});
}

QList<ReaderType> ReaderRegister::types() const
{
    RecordsetPtr rs = openOrThrow(m_conn, QStringLiteral("select 类别名, 借书期限, 借阅数量限制 from duzheleibie order by rowid"));
    QList<ReaderType> all;
    for (; !rs->IsEOF(); rs->MoveNext())
        all.append({rs->GetCollect(0), rs->GetCollect(1), rs->GetCollect(2)});
    return all;
}

std::optional<ReaderType> ReaderRegister::type(const QString& name) const
{
    RecordsetPtr rs =
        openOrThrow(m_conn, QStringLiteral("select 类别名, 借书期限, 借阅数量限制 from duzheleibie where 类别名=?"), {name});
    if (rs->IsEOF())
        return std::nullopt;
    return ReaderType{rs->GetCollect(0), rs->GetCollect(1), rs->GetCollect(2)};
}

void ReaderRegister::addType(const ReaderType& t)
{
    executeOrThrow(m_conn, QStringLiteral("insert into duzheleibie (类别名, 借书期限, 借阅数量限制) values (?, ?, ?)"),
            {t.name, t.period, t.limit});
}

void ReaderRegister::removeType(const QString& name)
{
    executeOrThrow(m_conn, QStringLiteral("delete from duzheleibie where 类别名=?"), {name});
}

QStringList ReaderRegister::departments() const
{
    RecordsetPtr rs = openOrThrow(m_conn, QStringLiteral("select 部门 from bumeninfo order by rowid"));
    QStringList all;
    for (; !rs->IsEOF(); rs->MoveNext())
        all << rs->GetCollect(0);
    return all;
}

void ReaderRegister::addDepartment(const QString& dept)
{
    executeOrThrow(m_conn, QStringLiteral("insert into bumeninfo (部门) values (?)"), {dept});
}

void ReaderRegister::removeDepartment(const QString& dept)
{
    executeOrThrow(m_conn, QStringLiteral("delete from bumeninfo where 部门=?"), {dept});
}
