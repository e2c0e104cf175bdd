#pragma once

#include <QList>
#include <QString>

class CAdoConn;

struct Notice {
    QString title;
    QString content;
};

// The notices of table gonggao. A title is used once; a notice is changed by deleting it
// and adding it anew.
class CNoticeBoard {
public:
    enum class Result { Done, TitleExists, Failed };

    explicit CNoticeBoard(CAdoConn& conn) : m_conn(conn) {}

    // Every notice in table order. Throws DbError when the table cannot be read.
    QList<Notice> Notices() const;
    Result Add(const Notice& notice);
    bool Remove(const QString& title);

private:
    CAdoConn& m_conn;
};
