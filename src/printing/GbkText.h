#pragma once

#include <QByteArray>
#include <QString>

// Fixed-size GBK text fields of the files other installations share.

// The longest prefix of at most maxBytes bytes that does not split a double-byte character.
QByteArray gbkPrefix(const QByteArray& gbk, int maxBytes);
// The longest beginning of the text that takes at most maxBytes bytes in GBK, where a
// character outside ASCII takes two; a character is never cut.
QString gbkLeft(const QString& text, int maxBytes);
// The text's GBK bytes; false when a character has no GBK form.
bool encodeGbk(const QString& text, QByteArray* gbk);
// Decodes a zero-terminated field of `size` bytes holding at most size - 1 bytes of text.
QString zeroTerminatedGbk(const char* bytes, int size);
