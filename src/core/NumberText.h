#pragma once

#include <QString>
#include <QVariant>

// Money and counts as the system prints them: whole values without decimals ("30"),
// others with up to 15 significant digits ("12.8").
QString numberText(double value);
// Any stored value as text: NULL is the empty text, numbers go through numberText.
QString variantText(const QVariant& value);
