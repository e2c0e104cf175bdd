#pragma once

#include <QByteArray>
#include <QString>

// Converts all of `input` from one iconv encoding to another. A byte that starts no character
// of `from` is dropped and `replacement` written in its place (nothing when it is empty).
// An encoding iconv does not know gives an empty result.
QByteArray convertEncoding(const char* to, const char* from, const QByteArray& input,
                           const QByteArray& replacement = {});

// GBK (code page 936) is what Chinese Windows programs and other schools' files use.
QString fromGbk(const QByteArray& bytes);
QByteArray toGbk(const QString& text);
bool isValidUtf8(const QByteArray& bytes);
// The bytes after a leading UTF-8 byte order mark, if there is one.
QByteArrayView withoutUtf8Bom(QByteArrayView bytes);
// Text files from outside: UTF-8 when the bytes are valid UTF-8, else GBK; a leading UTF-8
// byte order mark is dropped.
QString decodeText(const QByteArray& bytes);
