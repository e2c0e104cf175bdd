#pragma once

#include <QString>

#include <optional>

// Numbers typed into settings and count fields, read as C's conversions read them: the
// leading number counts and the rest is ignored ("40.7" is 40 as a whole number), but a
// text that does not start with a number is no number at all.
namespace NumberInput {
// Values beyond the int range read as the nearest int.
std::optional<int> LeadingInt(const QString& text);
std::optional<double> LeadingDouble(const QString& text);
}
