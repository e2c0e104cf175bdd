#include "sheets/CompoundFile.h"

#include "sheets/ByteWriter.h"
#include "sheets/CompoundFormat.h"

#include <QIODevice>

#include <vector>

namespace {
using CompoundFormat::kEndOfChain;
using CompoundFormat::kHeaderFatIds;

constexpr quint32 kFree = 0xFFFFFFFF;
constexpr quint32 kFatSector = 0xFFFFFFFD;
constexpr quint32 kDifatSector = 0xFFFFFFFC;
constexpr int kSector = 512;
constexpr quint32 kIdsPerSector = kSector / 4;
constexpr int kMiniStreamCutoff = 4096;

quint32 sectorsFor(qint64 bytes) { return quint32((bytes + kSector - 1) / kSector); }

// Sector counts of the file: the stream's, then one directory sector, the allocation
// table and the DIFAT sectors that list the allocation sectors past the header's 109.
struct Layout {
    quint32 stream = 0;
    quint32 fat = 0;
    quint32 difat = 0;
    quint32 directory() const { return stream; }
    quint32 firstFat() const { return stream + 1; }
    quint32 firstDifat() const { return firstFat() + fat; }
    quint32 total() const { return stream + 1 + fat + difat; }
};

Layout layoutFor(qint64 streamBytes)
{
    Layout layout;
    layout.stream = sectorsFor(streamBytes);
    for (;;) {
        const quint32 fat = (layout.total() + kIdsPerSector - 1) / kIdsPerSector;
        const quint32 difat = fat > kHeaderFatIds ? (fat - kHeaderFatIds + kIdsPerSector - 2) / (kIdsPerSector - 1) : 0;
        if (fat == layout.fat && difat == layout.difat)
            return layout;
        layout.fat = fat;
        layout.difat = difat;
    }
}

QByteArray header(const Layout& layout)
{
    ByteWriter h;
    h.bytes(CompoundFormat::kSignature.data(), CompoundFormat::kSignature.size());
    h.zeros(16);       // class id
    h.u16(0x003E);     // minor version
    h.u16(0x0003);     // major version 3
    h.u16(0xFFFE);     // little-endian
    h.u16(9);          // 512-byte sectors
    h.u16(6);          // 64-byte mini sectors
    h.zeros(6);
    h.u32(0);          // directory sectors (always 0 in version 3)
    h.u32(layout.fat);
    h.u32(layout.directory());
    h.u32(0);          // transaction signature
    h.u32(kMiniStreamCutoff);
    h.u32(kEndOfChain); // no mini allocation table
    h.u32(0);
    h.u32(layout.difat ? layout.firstDifat() : kEndOfChain);
    h.u32(layout.difat);
    for (quint32 i = 0; i < kHeaderFatIds; ++i)
        h.u32(i < layout.fat ? layout.firstFat() + i : kFree);
    return h.take();
}

void directoryEntry(ByteWriter& d, const QString& name, quint8 type, quint32 child, quint32 start, quint32 size)
{
    const qsizetype before = d.size();
    for (QChar c : name)
        d.u16(c.unicode());
    d.zeros(64 - (d.size() - before));
    d.u16(quint16(name.isEmpty() ? 0 : (name.size() + 1) * 2));
    d.u8(type);
    d.u8(1);           // black in the red-black tree
    d.u32(kFree);      // left sibling
    d.u32(kFree);      // right sibling
    d.u32(child);
    d.zeros(16 + 4 + 8 + 8);  // class id, state bits, creation and modification time
    d.u32(start);
    d.u32(size);
    d.u32(0);
}

QByteArray directory(const QByteArray& streamName, quint32 streamSize)
{
    ByteWriter d;
    directoryEntry(d, QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    directoryEntry(d, QString::fromLatin1(streamName), 2, kFree, 0, streamSize);
    directoryEntry(d, {}, 0, kFree, kFree, 0);
    directoryEntry(d, {}, 0, kFree, kFree, 0);
    return d.take();
}

QByteArray allocationTable(const Layout& layout)
{
    std::vector<quint32> ids(size_t(layout.fat) * kIdsPerSector, kFree);
    for (quint32 i = 0; i + 1 < layout.stream; ++i)
        ids[i] = i + 1;
    ids[layout.stream - 1] = kEndOfChain;
    ids[layout.directory()] = kEndOfChain;
    for (quint32 i = 0; i < layout.fat; ++i)
        ids[layout.firstFat() + i] = kFatSector;
    for (quint32 i = 0; i < layout.difat; ++i)
        ids[layout.firstDifat() + i] = kDifatSector;
    ByteWriter t;
    for (quint32 id : ids)
        t.u32(id);
    return t.take();
}

QByteArray difatSectors(const Layout& layout)
{
    ByteWriter t;
    quint32 fat = kHeaderFatIds;
    for (quint32 s = 0; s < layout.difat; ++s) {
        for (quint32 i = 0; i < kIdsPerSector - 1; ++i, ++fat)
            t.u32(fat < layout.fat ? layout.firstFat() + fat : kFree);
        t.u32(s + 1 < layout.difat ? layout.firstDifat() + s + 1 : kEndOfChain);
    }
    return t.take();
}
}

bool writeCompoundFile(QIODevice& out, const QByteArray& streamName, QByteArray stream)
{
    if (stream.size() < kMiniStreamCutoff)
        stream.append(QByteArray(kMiniStreamCutoff - stream.size(), '\0'));
    const quint32 size = quint32(stream.size());
    const Layout layout = layoutFor(size);
    stream.append(QByteArray(qsizetype(layout.stream) * kSector - size, '\0'));
    for (const QByteArray& part : {header(layout), stream, directory(streamName, size), allocationTable(layout),
                                   difatSectors(layout)}) {
        if (out.write(part) != part.size())
            return false;
    }
    return true;
}
