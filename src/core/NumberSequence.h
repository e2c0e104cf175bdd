#pragma once

#include <QString>

// The number after a book, periodical or reader number: the trailing ASCII digits are
// counted up as a digit string of any length, keeping their leading zeros and
// everything before them (Chinese prefixes included): "A0099" -> "A0100",
// "999" -> "1000", "ABC" -> "ABC1", "TS2023001" -> "TS2023002".
QString nextNumberText(const QString& number);
