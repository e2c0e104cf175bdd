#include "app/LibraryInfo.h"

#include "db/AdoConn.h"

bool loadLibraryInfo(CAdoConn& conn, LibraryInfo& info)
{
    RecordsetPtr rs = conn.GetRecordSet(QStringLiteral("select* from tushuguaninfo "));
    if (rs->IsEOF())
        return false;
    info.name = rs->GetCollect(QStringLiteral("图书馆名"));
    info.manager = rs->GetCollect(QStringLiteral("负责人"));
    info.address = rs->GetCollect(QStringLiteral("地址"));
    info.postcode = rs->GetCollect(QStringLiteral("邮编"));
    return true;
}

bool saveLibraryInfo(CAdoConn& conn, const LibraryInfo& info)
{
    const bool written = conn.ExecuteSql(
        QStringLiteral("update tushuguaninfo set 图书馆名=?, 负责人=?, 地址=?, 邮编=? "
                       "where rowid=(select min(rowid) from tushuguaninfo)"),
        {info.name, info.manager, info.address, info.postcode});
    return written && conn.ChangedRows() == 1;
}
