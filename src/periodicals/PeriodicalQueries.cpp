#include "periodicals/PeriodicalQueries.h"

#include "db/AdoConn.h"
#include "db/LikePattern.h"

RecordsetPtr PeriodicalQueries::loans(const QString& text) const
{
    if (text.isEmpty())
        return m_conn.GetRecordSet(QStringLiteral("select* from qkjieyueinfo order by ID"));
    return m_conn.GetRecordSet(QStringLiteral("select* from qkjieyueinfo where 期刊编号=?1 or 读者编号=?1 "
                                              "or 期刊名称 like ?2 escape '\\' or 读者姓名 like ?2 escape '\\' order by ID"),
                               {text, containsPattern(text)});
}

RecordsetPtr PeriodicalQueries::losses(const QString& text) const
{
    if (text.isEmpty())
        return m_conn.GetRecordSet(QStringLiteral("select* from qkinfo_diushi order by ID"));
    return m_conn.GetRecordSet(QStringLiteral("select* from qkinfo_diushi where 期刊编号=?1 or 读者编号=?1 "
                                              "or 期刊名称 like ?2 escape '\\' order by ID"),
                               {text, containsPattern(text)});
}
