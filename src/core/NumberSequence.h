#pragma once

#include <QString>

// The number after a book, periodical or reader number: the trailing ASCII digits are
// counted up as a digit string of any length, keeping their leading zeros and
// everything before them (Chinese prefixes included): "A0099" -> "A0100",
// "999" -> "1000", "ABC" -> "ABC1", "TS2023001" -> "TS2023002".
QString nextNumberText(const QString& number);

// A code taken apart as the made-up number rules take it: every character that is not an
// ASCII digit, joined in their order, and the ASCII digits, joined in theirs ("A12B" gives
// "AB" and "12").
struct CodeParts {
    QString letters;
    QString digits;
};
CodeParts splitDigits(const QString& code);
