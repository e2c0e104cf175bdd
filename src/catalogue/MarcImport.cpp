#include "catalogue/MarcImport.h"

#include "catalogue/BookStore.h"
#include "core/NumberSequence.h"
#include "db/AdoConn.h"
#include "db/Statements.h"

namespace {
QString insertStatement()
{
    const QStringList& columns = CBookStore::columnNames();
    return QStringLiteral("insert into bkinfo (%1) values (%2)").arg(columns.join(QLatin1Char(',')), placeholders(columns.size()));
}
}

QString MarcImport::firstNumber()
{
    // Leading zeros do not count: "0099" is 99, so the longest digits after them are the
    // greatest number.
    RecordsetPtr greatest = openOrThrow(
        m_conn, QStringLiteral("select ltrim(图书编号, '0') from bkinfo where 图书编号 not glob '*[^0-9]*' "
                               "order by length(ltrim(图书编号, '0')) desc, ltrim(图书编号, '0') desc limit 1"));
    if (greatest->IsEOF())
        return QStringLiteral("0");
    const QString digits = greatest->GetCollect(0);
    return nextNumberText(digits.isEmpty() ? QStringLiteral("0") : digits);
}

bool MarcImport::store(const QList<QStringList>& rows)
{
    CTransaction transaction(m_conn);
    if (!transaction.IsActive())
        return false;
    const QString sql = insertStatement();
    QString number;
    try {
        number = firstNumber();
    } catch (const DbError&) {
        return false;
    }
    QVariantList values;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        values.clear();
        for (int field = 0; field < kBookFieldCount; ++field)
            values << rows[row].value(field);
        values[kBookNo] = number;
        values[kCopyNo] = QStringLiteral("1");
        if (!m_conn.ExecuteSql(sql, values))
            return false;
        number = nextNumberText(number);
    }
    return transaction.Commit();
}
