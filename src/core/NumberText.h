#pragma once

#include <QString>
#include <QVariant>

// Money and counts as the system prints them: whole values without decimals ("30"),
// others with up to 15 significant digits ("12.8").
QString numberText(double value);
// Any stored value as text: NULL is the empty text, numbers go through numberText.
QString variantText(const QVariant& value);
// The blanks of the C library's isspace, which its number readers skip: ASCII white space
// only, so a full-width blank is text.
constexpr bool isAsciiBlank(QChar c)
{
    return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r'));
}
// The text without the blanks (isAsciiBlank) on its left.
QString withoutLeadingAsciiBlanks(const QString& text);
