#pragma once

#include <QString>

// The number after a book, periodical or reader number: its characters that are not ASCII
// digits, joined in their order, then its ASCII digits, joined in theirs, counted up by one
// as a digit string that keeps its width (leading zeros stay) and grows by a digit only when
// all of them are nines. "A0099" -> "A0100", "TS2023001" -> "TS2023002", "999" -> "1000",
// "ABC" -> "ABC1", "" -> "1", "A12B34" -> "AB1235", "001-A" -> "-A002". The digits are counted
// as text, so a number of any length goes on past 2147483647 and never turns negative.
QString nextNumberText(const QString& number);

// A code taken apart as the made-up number rules take it: every character that is not an
// ASCII digit, joined in their order, and the ASCII digits, joined in theirs ("A12B" gives
// "AB" and "12").
struct CodeParts {
    QString letters;
    QString digits;
};
CodeParts splitDigits(const QString& code);
