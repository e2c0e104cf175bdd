#pragma once

#include <QVariant>

// How a bound value goes to the database: both back-ends bind by these kinds.
enum class ValueKind { Null, Integer, Real, Text };

inline ValueKind valueKind(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return ValueKind::Null;
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
        return ValueKind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return ValueKind::Real;
    default:
        return ValueKind::Text;
    }
}
