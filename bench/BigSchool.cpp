#include "BigSchool.h"

#include <QFile>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {
// One insert statement, run once per row with its values bound as text.
class Inserter {
public:
    Inserter(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Inserter() { sqlite3_finalize(m_stmt); }
    void row(std::initializer_list<QString> values)
    {
        int i = 0;
        for (const QString& v : values) {
            const QByteArray text = v.toUtf8();
            sqlite3_bind_text(m_stmt, ++i, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
        if (sqlite3_step(m_stmt) != SQLITE_DONE) {
            std::fprintf(stderr, "generating the school failed: %s\n", sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
            std::exit(1);
        }
        sqlite3_reset(m_stmt);
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

QString title(int i) { return QStringLiteral("第%1号图书：青少年科普读物").arg(i); }
QString readerName(int i) { return QStringLiteral("读者%1").arg(i); }

void fill(sqlite3* db)
{
    Inserter copy(db, "insert into bkinfo (条形码, 图书编号, 分类号, 图书类别, 复本号, 书名, 著译者, 出版处, 页数, 开本, "
                      "版期, 版次, 单价, 书架名称, 入库时间, 是否借出) "
                      "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, cast(? as numeric), ?, ?, cast(? as integer))");
    for (int i = 0; i < BigSchool::kCopies; ++i)
        copy.row({QStringLiteral("978%1").arg(7000000000LL + i), BigSchool::bookNumber(i), QStringLiteral("I247.5"),
                  QStringLiteral("文学"), QString::number(i % 3 + 1), title(i), QStringLiteral("作者%1").arg(i % 997),
                  QStringLiteral("人民文学出版社"), QString::number(100 + i % 400), QStringLiteral("16开"),
                  QStringLiteral("2015-06"), QStringLiteral("第一版"), QString::number(5 + (i % 400) / 10.0),
                  QStringLiteral("一号书架"), QStringLiteral("2017-04-11"), i < BigSchool::kOnLoan ? "1" : "0"});
    Inserter reader(db, "insert into readerinfo (编号, 姓名, 性别, 类别, 借书期限, 部门, 借出次数, 未还书数, "
                        "借阅数量限制, 登记日期) values (?, ?, ?, '学生', 30, ?, 0, cast(? as integer), 5, '2016-09-01')");
    for (int i = 0; i < BigSchool::kReaders; ++i)
        reader.row({BigSchool::readerNumber(i), readerName(i), i % 2 ? QStringLiteral("女") : QStringLiteral("男"),
                    QStringLiteral("初%1(%2)班").arg(i % 3 + 1).arg(i % 10 + 1),
                    QString::number(BigSchool::kOnLoan / BigSchool::kReaders + (i < BigSchool::kOnLoan % BigSchool::kReaders))});
    Inserter loan(db, "insert into jieyueinfo (图书编号, 书名, 条形码, 读者编号, 读者姓名, 读者类别, 借书日期, 应还时间, "
                      "图书价格, 操作员, 部门) values (?, ?, '', ?, ?, '学生', ?, ?, 25, '超级用户', '')");
    for (int i = 0; i < BigSchool::kOnLoan; ++i) {
        const int who = i % BigSchool::kReaders;
        const bool overdue = i < BigSchool::kOverdue;
        loan.row({BigSchool::bookNumber(i), title(i), BigSchool::readerNumber(who), readerName(who),
                  overdue ? QStringLiteral("2017-02-01") : QStringLiteral("2017-04-01"),
                  overdue ? QStringLiteral("2017-03-01") : QStringLiteral("2017-05-01")});
    }
    Inserter history(db, "insert into jieyuelishiinfo values (?, ?, ?, ?, '学生', ?, ?, '超级用户', '')");
    for (int i = 0; i < BigSchool::kHistoryRows; ++i) {
        const int book = (i * 7919) % BigSchool::kCopies;
        const int who = (i * 31) % BigSchool::kReaders;
        history.row({BigSchool::bookNumber(book), title(book), BigSchool::readerNumber(who), readerName(who),
                     i % 2 ? QStringLiteral("图书归还") : QStringLiteral("图书借阅"),
                     QStringLiteral("2016-%1-%2").arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(i % 28 + 1, 2, 10, QLatin1Char('0'))});
    }
}
}

const BigSchool& BigSchool::instance()
{
    static const BigSchool school;
    return school;
}

BigSchool::BigSchool()
{
    QFile::copy(QStringLiteral(SCHOOLLIB_TEMPLATE_DB), path());
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    sqlite3* db = nullptr;
    sqlite3_open_v2(path().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; BEGIN", nullptr, nullptr, nullptr);
    fill(db);
    sqlite3_exec(db, "COMMIT; PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}
