#pragma once

#include <QByteArrayView>

// Fixed values of the compound file format that .xls workbooks are stored in, shared by its
// writer, its reader and the sniffing of a file's content.
namespace CompoundFormat {
inline constexpr QByteArrayView kSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kHeaderFatIds = 109;  // allocation sectors listed in the header itself
}
