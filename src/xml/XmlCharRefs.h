#pragma once

#include <QByteArray>

// Character references of element text and attribute values.
namespace XmlCharRefs {
// The code point of a named reference (without '&' and ';'), 0 when the name is unknown.
// The exact spelling is looked up first; any other case falls back to the name's
// capitalised form where two names differ only in case ("OSLASH" reads as "Oslash").
char32_t namedCodePoint(const char* name, int length);
// Appends the UTF-8 bytes of a code point; false (nothing appended) for 0, a surrogate or
// a value beyond U+10FFFF.
bool appendUtf8(QByteArray& out, char32_t codePoint);
}
