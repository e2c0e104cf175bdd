#pragma once

#include <QString>

// LIKE patterns that match `text` literally (its % and _ are escaped); use them with
// "like ? escape '\'".
inline QString escapedLikeText(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('%'), QLatin1String("\\%"));
    text.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return text;
}

// Texts containing `text`.
inline QString containsPattern(const QString& text) { return QLatin1Char('%') + escapedLikeText(text) + QLatin1Char('%'); }

// Texts starting with `text`.
inline QString prefixPattern(const QString& text) { return escapedLikeText(text) + QLatin1Char('%'); }
