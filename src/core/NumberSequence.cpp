#include "core/NumberSequence.h"

namespace {
bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// One more than a string of ASCII digits, as wide as it unless every digit is a nine.
QString countedUp(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
        digits[i] = QLatin1Char('0');
    }
    return QLatin1Char('1') + digits;
}
}

QString nextNumberText(const QString& number)
{
    const CodeParts parts = splitDigits(number);
    return parts.letters + countedUp(parts.digits);
}

CodeParts splitDigits(const QString& code)
{
    CodeParts parts;
    for (const QChar c : code)
        (isAsciiDigit(c) ? parts.digits : parts.letters) += c;
    return parts;
}
