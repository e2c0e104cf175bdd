#pragma once

#include <QByteArray>
#include <QString>

// GB18030 through glibc iconv: GBK's bytes for every GBK character, and four-byte codes
// for the rest of Unicode, so nothing written is lost.
QByteArray toGb18030(const QString& text);
// Bytes that are no GB18030 become U+FFFD.
QString fromGb18030(const QByteArray& bytes);
