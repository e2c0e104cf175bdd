#pragma once

#include <QString>

// The order of two list cells when a column is sorted. Cells fall into three kinds, in this
// order: numbers (an optional sign, digits, an optional decimal part; the empty cell counts
// as 0) by exact value at any length, so prices, negative sums and 13-digit barcodes all
// sort right; dates ("YYYY-MM-DD", with or without a time behind, or "DD/MM/YYYY") by day;
// everything else by the zh_CN collation. A descending sort is the ascending order turned
// round. The order is the same however the rows are paired, so a sort gives the same result
// every time.
// Returns < 0 when a goes before b, > 0 when after; 0 only for identical texts.
int compareCells(const QString& a, const QString& b, bool ascending = true);
