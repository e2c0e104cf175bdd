#pragma once

#include <QString>

// The order of two list cells when a column is sorted. Cells fall into three kinds, in this
// order: digit strings (the empty cell among them, like 0) by value, of any length;
// dates ("YYYY-MM-DD", with or without a time behind, or "DD/MM/YYYY") by day; everything
// else by the zh_CN collation. Cells of one kind compare by that kind's rule, cells of
// different kinds by the kind, so the order is the same however the rows are paired and a
// sort gives the same result every time.
// Returns < 0, 0 or > 0 like strcmp; 0 only for identical texts.
int compareCells(const QString& a, const QString& b);

// Digit strings compared by value without a size limit (13-digit barcodes and longer).
int compareDigitStrings(const QString& a, const QString& b);
