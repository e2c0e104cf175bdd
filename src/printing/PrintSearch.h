#pragma once

#include <QStringList>

#include <vector>

class CAdoConn;

// The searches of the book and reader print windows. An empty filter finds every row;
// every value is bound. Each returns the rows as the window's lists show them (BookItem,
// CardReaderInfo) and throws DbError when the database fails.
namespace PrintSearch {
// Books whose 图书编号 is the filter, whose 分类号 starts with it or whose 入库时间 contains it.
std::vector<QStringList> BooksForBarcodes(CAdoConn& conn, const QString& filter);
// The columns the spine label window searches by.
QStringList SpineColumns();
// Books whose column starts with the filter; a column not among SpineColumns is refused
// with DbError.
std::vector<QStringList> BooksForSpineLabels(CAdoConn& conn, const QString& column, const QString& filter);
// Readers whose 编号 is the filter or whose 类别, 部门 or 姓名 starts with it.
std::vector<QStringList> Readers(CAdoConn& conn, const QString& filter);
}
