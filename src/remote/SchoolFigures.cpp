#include "remote/SchoolFigures.h"

#include "db/AdoConn.h"
#include "db/Statements.h"

SchoolFiguresTable::Written SchoolFiguresTable::upload(const UnitFigures& f)
{
    const QVariantList values{f.school,      f.holdings,        f.readers,    f.staff,
                              f.libraryArea, f.readingRoomArea, f.reportDate, f.reporter};
    RecordsetPtr found = openOrThrow(m_remote, QStringLiteral("select 1 from table1 where 学校名称=? limit 1"), {f.school});
    if (found->IsEOF()) {
        executeOrThrow(m_remote,
                       QStringLiteral("insert into table1 (学校名称, 馆藏数量, 读者数量, 管理人员名单, 图书馆面积, "
                                      "阅览室面积, 报表时间, 报表人) values (?, ?, ?, ?, ?, ?, ?, ?)"),
                       values);
        return Written::Inserted;
    }
    executeOrThrow(m_remote,
                   QStringLiteral("update table1 set 学校名称=?, 馆藏数量=?, 读者数量=?, 管理人员名单=?, 图书馆面积=?, "
                                  "阅览室面积=?, 报表时间=?, 报表人=? where 学校名称=? limit 1"),
                   values + QVariantList{f.school});
    return Written::Updated;
}

qint64 SchoolFiguresTable::updateCounts(const QString& school, const LibraryCounts& c)
{
    executeOrThrow(m_remote,
                   QStringLiteral("update table1 set 在馆图书数量=?, 学生借阅数量=?, 教师借阅数量=?, 学生读者数量=?, "
                                  "教师读者数量=? where 学校名称=?"),
                   {c.inStock, c.studentLoans, c.teacherLoans, c.students, c.teachers, school});
    return m_remote.ChangedRows();
}
