#include "catalogue/ClassNumber.h"

QString classKey(const QString& classNo)
{
    const bool digitFollows = classNo.size() > 1 && classNo[1] >= QLatin1Char('1') && classNo[1] <= QLatin1Char('9');
    return classNo.left(digitFollows ? 1 : 2);
}

QString typeContainingKey(const QStringList& types, const QString& key)
{
    for (const QString& type : types)
        if (type.contains(key))
            return type;
    return types.isEmpty() ? QString() : types.last();
}

QString typeStartingWithKey(const QStringList& types, const QString& key)
{
    for (const QString& type : types)
        if (type.left(2) == key)
            return type;
    return {};
}
