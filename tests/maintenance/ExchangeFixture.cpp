#include "ExchangeFixture.h"

#include "db/AppState.h"
#include "maintenance/TableColumns.h"

#include <QtDebug>

bool run(const QString& sql, const QVariantList& values)
{
    if (theApp().m_ado.ExecuteSql(sql, values))
        return true;
    qWarning() << sql << theApp().m_ado.LastError();
    return false;
}

bool insertCopy(const QString& table, const QString& number, const QString& title, const QVariant& price,
                const QString& date, const QString& type)
{
    QStringList names;
    for (const TableColumn& column : tableColumns(theApp().m_ado, table).mid(1, 15))
        names << quotedName(column.name);
    return run(QStringLiteral("insert into %1 (%2) values (?, ?, 'I247', ?, '1', ?, '作者', '出版社', '100', '16开', "
                              "'2016-01', '第一版', ?, '1号书架', ?)")
                   .arg(table, names.join(QLatin1Char(','))),
               {QStringLiteral("9787000000000"), number, type, title, price, date.isEmpty() ? QVariant() : date});
}

bool insertReader(const QString& number, const QString& name)
{
    return run(QStringLiteral("insert into readerinfo (编号, 姓名, 类别, 借书期限, 借阅数量限制, 未还书数) "
                              "values (?, ?, '学生', 30, 5, 0)"),
               {number, name});
}

bool insertLoan(const QString& table, const QString& number, const QString& reader)
{
    const QString numberColumn =
        table == QLatin1String("qkjieyueinfo") ? QStringLiteral("期刊编号") : QStringLiteral("图书编号");
    return run(QStringLiteral("insert into %1 (%2, 读者编号, 借书日期, 应还时间) values (?, ?, '2017-04-01', "
                              "'2017-05-01')")
                   .arg(table, numberColumn),
               {number, reader});
}

QStringList tableRows(const QString& table)
{
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(QStringLiteral("select * from %1 order by rowid").arg(table));
    QStringList rows;
    for (; rs->IsOpen() && !rs->IsEOF(); rs->MoveNext())
        rows << rs->GetRowTexts().join(QLatin1Char('|'));
    return rows;
}

QStringList databaseSnapshot()
{
    RecordsetPtr tables = theApp().m_ado.GetRecordSet(
        QStringLiteral("select name from sqlite_master where type='table' and name not like 'sqlite_%' order by name"));
    QStringList rows;
    for (; !tables->IsEOF(); tables->MoveNext())
        rows << QLatin1Char('[') + tables->GetCollect(0) + QLatin1Char(']') << tableRows(tables->GetCollect(0));
    return rows;
}

QString cell(const QString& sql, const QVariantList& values)
{
    RecordsetPtr rs = theApp().m_ado.GetRecordSet(sql, values);
    return rs->IsOpen() && !rs->IsEOF() ? rs->GetCollect(0) : QStringLiteral("<none>");
}
