#pragma once

#include <QByteArray>
#include <QString>

// GBK (code page 936) is what Chinese Windows programs and other schools' files use.
QString fromGbk(const QByteArray& bytes);
QByteArray toGbk(const QString& text);
bool isValidUtf8(const QByteArray& bytes);
// Text files from outside: UTF-8 when the bytes are valid UTF-8, else GBK.
QString decodeText(const QByteArray& bytes);
