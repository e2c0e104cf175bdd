#pragma once

#include <QStringList>

// Chinese text sorts by pinyin (zh_CN collation), as librarians expect in lists and combo boxes.
int collateCompare(const QString& a, const QString& b);
void collateSort(QStringList& texts);

// Orders texts as Windows programs compare GBK texts without regard to case (_mbsicmp):
// character by character, ASCII letters folded to lower case, every other GBK character by
// its code after its upper-case form (fullwidth "ａ" equals "Ａ"); so Latin text comes before
// Chinese, and Chinese follows the GBK code order. Characters that GBK lacks come last, by
// their Unicode value. 0 for texts that differ only in case.
int gbkCaseCompare(const QString& a, const QString& b);
