#pragma once

#include <QList>
#include <QString>

// One column of a report list: its heading and its width in pixels.
struct ColumnSpec {
    QString heading;
    int width = 0;
};

// Reads a column text such as "ISBN,80;出版社名,120": each heading ends at a comma, each
// width at a semicolon (the last one may be left out). A width that is no number gives 0;
// a width part with more behind its digits keeps the leading digits. Text without a
// further comma ends the list.
QList<ColumnSpec> parseColumnText(const QString& text);

// The leading whole number of a text the way C's atoi reads it (blanks, a sign, digits);
// 0 when the text starts with none.
int leadingNumber(QStringView text);
