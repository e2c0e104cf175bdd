#pragma once

#include <QString>
#include <QStringList>

// The part of a classification number that names its book type: the first character when
// a digit 1 to 9 follows it (I247.5 -> I), else the first two (TP311 -> TP, K09 -> K0).
QString classKey(const QString& classNo);
// The first type that contains the key anywhere; the last type when none does; empty
// when there are no types.
QString typeContainingKey(const QStringList& types, const QString& key);
// The first type whose first two characters are the key; empty when none is.
QString typeStartingWithKey(const QStringList& types, const QString& key);
