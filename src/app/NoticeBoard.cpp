#include "app/NoticeBoard.h"

#include "db/AdoConn.h"

QList<Notice> CNoticeBoard::Notices() const
{
    QList<Notice> notices;
    RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select* from gonggao "));
    for (; !rs->IsEOF(); rs->MoveNext())
        notices.append({rs->GetCollect(QStringLiteral("标题")), rs->GetCollect(QStringLiteral("内容"))});
    return notices;
}

CNoticeBoard::Result CNoticeBoard::Add(const Notice& notice)
{
    try {
        RecordsetPtr rs = m_conn.GetRecordSet(QStringLiteral("select* from gonggao where 标题=?"), {notice.title});
        if (!rs->IsEOF())
            return Result::TitleExists;
    } catch (const DbError&) {
        return Result::Failed;
    }
    const bool added = m_conn.ExecuteSql(QStringLiteral("insert into gonggao (标题, 内容) values (?, ?)"),
                                         {notice.title, notice.content});
    return added ? Result::Done : Result::Failed;
}

bool CNoticeBoard::Remove(const QString& title)
{
    return m_conn.ExecuteSql(QStringLiteral("delete from gonggao where 标题=?"), {title});
}
