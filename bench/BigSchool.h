#pragma once

#include <QString>
#include <QTemporaryDir>

// A big school's database, generated once per benchmark program from the template: 100k book
// copies (the first 2k of them on loan), 5k readers and 200k rows of lending history.
class BigSchool {
public:
    static constexpr int kCopies = 100000;
    static constexpr int kReaders = 5000;
    static constexpr int kHistoryRows = 200000;
    static constexpr int kOnLoan = 2000;

    static const BigSchool& instance();

    QString path() const { return m_dir.filePath(QStringLiteral("book.db")); }
    static QString bookNumber(int i) { return QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0')); }
    static QString readerNumber(int i) { return QStringLiteral("R%1").arg(i, 5, 10, QLatin1Char('0')); }

private:
    BigSchool();
    QTemporaryDir m_dir;
};
