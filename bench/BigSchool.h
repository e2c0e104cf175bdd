#pragma once

#include <QString>
#include <QTemporaryDir>

// A big school's database, generated once per benchmark program from the template: 100k book
// copies (the first 10k of them on loan, two to a reader), 5k readers and 200k rows of lending
// history. On kToday the first 1k loans are overdue.
class BigSchool {
public:
    static constexpr int kCopies = 100000;
    static constexpr int kReaders = 5000;
    static constexpr int kHistoryRows = 200000;
    static constexpr int kOnLoan = 10000;
    static constexpr int kOverdue = 1000;
    static constexpr const char* kToday = "2017-04-11";

    static const BigSchool& instance();

    QString path() const { return m_dir.filePath(QStringLiteral("book.db")); }
    static QString bookNumber(int i) { return QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0')); }
    static QString readerNumber(int i) { return QStringLiteral("R%1").arg(i, 5, 10, QLatin1Char('0')); }

private:
    BigSchool();
    QTemporaryDir m_dir;
};
