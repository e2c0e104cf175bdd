#pragma once

#include <QStringList>

// Chinese text sorts by pinyin (zh_CN collation), as librarians expect in lists and combo boxes.
int collateCompare(const QString& a, const QString& b);
void collateSort(QStringList& texts);
