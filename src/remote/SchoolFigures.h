#pragma once

#include <QString>

class CAdoConn;

// A school's basic figures as the librarian fills them in; every value is written as text.
struct UnitFigures {
    QString school;
    QString holdings;
    QString readers;
    QString staff;
    QString libraryArea;
    QString readingRoomArea;
    QString reportDate;
    QString reporter;
};

// The five counts that the lending desk keeps current.
struct LibraryCounts {
    qint64 inStock = 0;
    qint64 studentLoans = 0;
    qint64 teacherLoans = 0;
    qint64 students = 0;
    qint64 teachers = 0;
};

// The education authority's table1: one row of figures per school, found by 学校名称.
// Database failures throw DbError.
class SchoolFiguresTable {
public:
    explicit SchoolFiguresTable(CAdoConn& remote) : m_remote(remote) {}

    enum class Written { Inserted, Updated };
    // Writes the eight figures into the school's row, a new row when it has none. Of
    // several rows of the same name only the first is written.
    Written upload(const UnitFigures& figures);
    // Writes the counts into the school's rows; returns how many rows there were (none is
    // added when there is none).
    qint64 updateCounts(const QString& school, const LibraryCounts& counts);

private:
    CAdoConn& m_remote;
};
