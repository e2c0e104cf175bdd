#include "core/NumberSequence.h"

namespace {
bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
}

QString nextNumberText(const QString& number)
{
    qsizetype start = number.size();
    while (start > 0 && isAsciiDigit(number[start - 1]))
        --start;
    if (start == number.size())
        return number + QLatin1Char('1');
    QString result = number;
    qsizetype i = result.size() - 1;
    for (; i >= start; --i) {
        if (result[i] != QLatin1Char('9')) {
            result[i] = QChar(result[i].unicode() + 1);
            return result;
        }
        result[i] = QLatin1Char('0');
    }
    result.insert(start, QLatin1Char('1'));
    return result;
}

CodeParts splitDigits(const QString& code)
{
    CodeParts parts;
    for (const QChar c : code)
        (isAsciiDigit(c) ? parts.digits : parts.letters) += c;
    return parts;
}
