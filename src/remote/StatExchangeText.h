#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The statistics exchange file that a school sends to the education authority: a GBK text
// file with CR LF line ends and three sections, each a line "[name]" followed by one line
// of TAB-separated cells a row:
//   [图书类别]  unit, 图书类别, copies with a price, the sum of their prices
//   [入库时间]  unit, 入库时间, copies with a price, the sum of their prices
//   [借阅情况]  unit followed at once by the first day ("实验小学2017-4-1"), 读者类别, lendings
// Dates in the file are written without leading zeros ("2017-4-1"), as other schools'
// installations write them. This part reads the text; StatExchangeFile.h writes and merges.
namespace StatExchangeFile {

inline const QString kBookTypes = QStringLiteral("[图书类别]");
inline const QString kEntryDates = QStringLiteral("[入库时间]");
inline const QString kLendings = QStringLiteral("[借阅情况]");

// "2017-4-1".
QString periodDateText(const QDate& date);

// The rows of the three sections of a file, cells split at TAB, CR dropped. A file that
// does not start with the line "[图书类别]" is none of these files (Other). A whole file
// holds the three section lines in order and ends with the end of its last line, as every
// writer ends it; a file that lacks a section or ends inside a line was cut short (Cut):
// its rows are not all there. An empty file, or one that ends inside its first line, was cut
// too: it is the start of such a file.
struct Sections {
    QList<QStringList> bookTypes;
    QList<QStringList> entryDates;
    QList<QStringList> lendings;
};
enum class Kind { Whole, Cut, Other };
Kind parse(const QByteArray& bytes, Sections* sections);

}
