#include "core/NumberText.h"

#include <cmath>

QString numberText(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

QString variantText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    default:
        return value.toString();
    }
}

QString withoutLeadingAsciiBlanks(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && isAsciiBlank(text[start]))
        ++start;
    return text.mid(start);
}
