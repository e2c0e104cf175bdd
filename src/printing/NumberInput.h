#pragma once

#include <QString>

#include <optional>

// Numbers typed into settings and count fields, read as C's conversions read them: the
// leading number counts and the rest is ignored ("40.7" is 40 as a whole number, "1e2" 100 as
// a decimal); a text that does not start with a number is none (the callers take it as 0).
namespace NumberInput {
// Values beyond the int range read as the nearest int.
std::optional<int> LeadingInt(const QString& text);
// Values beyond the double range read as infinite.
std::optional<double> LeadingDouble(const QString& text);
}
