#include "catalogue/ReferenceTable.h"

#include "core/Collation.h"
#include "db/AdoConn.h"

const ReferenceTable& bookTypeTable()
{
    static const ReferenceTable table{QStringLiteral("tushuleixing"), QStringLiteral("分类号代码"), QStringLiteral("类型名称")};
    return table;
}

const ReferenceTable& publisherTable()
{
    static const ReferenceTable table{QStringLiteral("chubansheinfo"), QStringLiteral("ISBN"), QStringLiteral("出版社名")};
    return table;
}

const ReferenceTable& shelfTable()
{
    static const ReferenceTable table{QStringLiteral("shujiainfo"), QStringLiteral("存放位置名"), QStringLiteral("备注")};
    return table;
}

QList<QStringList> CReferenceStore::rows()
{
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select* from %1").arg(m_table.table));
    QList<QStringList> result;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
        result.append({rs->GetCollect(m_table.keyColumn), rs->GetCollect(m_table.otherColumn)});
    return result;
}

QStringList CReferenceStore::sortedColumn(Column column)
{
    const QString& name = column == Column::Key ? m_table.keyColumn : m_table.otherColumn;
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select %1 from %2").arg(name, m_table.table));
    QStringList texts;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
        texts << rs->GetCollect(0);
    collateSort(texts);
    return texts;
}

bool CReferenceStore::add(const QString& key, const QString& other)
{
    return m_conn.ExecuteSql(QStringLiteral("insert into %1 (%2, %3) values (?, ?)")
                                 .arg(m_table.table, m_table.keyColumn, m_table.otherColumn),
                             {key, other});
}

bool CReferenceStore::remove(const QString& key)
{
    return m_conn.ExecuteSql(QStringLiteral("delete from %1 where %2=?").arg(m_table.table, m_table.keyColumn), {key});
}
