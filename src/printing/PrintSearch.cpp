#include "printing/PrintSearch.h"

#include "db/AdoConn.h"
#include "db/LikePattern.h"
#include "db/Statements.h"

namespace PrintSearch {
namespace {
// bkinfo's 图书编号, 分类号, 图书类别, 复本号, 书名, 书架名称, 入库时间.
constexpr int kBookFields[] = {2, 3, 4, 5, 6, 14, 15};
// readerinfo's 编号, 姓名, 性别, 类别, 部门.
constexpr int kReaderFields[] = {0, 1, 2, 3, 5};

template <size_t N>
std::vector<QStringList> rows(CAdoConn& conn, const QString& sql, const QVariantList& params, const int (&fields)[N])
{
    const RecordsetPtr rs = openOrThrow(conn, sql, params);
    std::vector<QStringList> found;
    found.reserve(rs->GetRecordCount());
    for (; !rs->IsEOF(); rs->MoveNext()) {
        QStringList texts;
        for (int field : fields)
            texts << rs->GetCollect(field);
        found.push_back(texts);
    }
    return found;
}

const QString kAllBooks = QStringLiteral("select * from bkinfo order by 图书编号 asc");
}

std::vector<QStringList> BooksForBarcodes(CAdoConn& conn, const QString& filter)
{
    if (filter.isEmpty())
        return rows(conn, kAllBooks, {}, kBookFields);
    return rows(conn,
                QStringLiteral("select * from bkinfo where 图书编号=? or 分类号 like ? escape '\\' "
                               "or 入库时间 like ? escape '\\' order by 图书编号 asc"),
                {filter, prefixPattern(filter), containsPattern(filter)}, kBookFields);
}

QStringList SpineColumns()
{
    return {QStringLiteral("图书编号"), QStringLiteral("书名"), QStringLiteral("分类号"), QStringLiteral("书架名称"),
            QStringLiteral("入库时间")};
}

std::vector<QStringList> BooksForSpineLabels(CAdoConn& conn, const QString& column, const QString& filter)
{
    if (!SpineColumns().contains(column))
        throw DbError(QStringLiteral("不能按“%1”查询").arg(column));
    if (filter.isEmpty())
        return rows(conn, kAllBooks, {}, kBookFields);
    // The column is one of the fixed names above, never the user's text.
    return rows(conn, QStringLiteral("select * from bkinfo where %1 like ? escape '\\' order by 图书编号 asc").arg(column),
                {prefixPattern(filter)}, kBookFields);
}

std::vector<QStringList> Readers(CAdoConn& conn, const QString& filter)
{
    if (filter.isEmpty())
        return rows(conn, QStringLiteral("select * from readerinfo"), {}, kReaderFields);
    return rows(conn,
                QStringLiteral("select * from readerinfo where 编号=?1 or 类别 like ?2 escape '\\' "
                               "or 部门 like ?2 escape '\\' or 姓名 like ?2 escape '\\'"),
                {filter, prefixPattern(filter)}, kReaderFields);
}

}
