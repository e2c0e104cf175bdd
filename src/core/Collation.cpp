#include "core/Collation.h"

#include <QCollator>
#include <algorithm>

namespace {
const QCollator& zhCollator()
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Chinese, QLocale::China)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}
}

int collateCompare(const QString& a, const QString& b)
{
    const int r = zhCollator().compare(a, b);
    // Texts the collation holds equal (case variants) still need one fixed order.
    return r != 0 ? r : QString::compare(a, b);
}

void collateSort(QStringList& texts)
{
    std::stable_sort(texts.begin(), texts.end(),
                     [](const QString& a, const QString& b) { return collateCompare(a, b) < 0; });
}
