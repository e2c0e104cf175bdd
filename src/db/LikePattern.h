#pragma once

#include <QString>

// A LIKE pattern that matches texts containing `text` literally (its % and _ are escaped);
// use it with "like ? escape '\'".
inline QString containsPattern(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('%'), QLatin1String("\\%"));
    text.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + text + QLatin1Char('%');
}
