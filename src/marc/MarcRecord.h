#pragma once

#include <QByteArrayView>

#include <array>

// One record of an ISO 2709 exchange file (the MARC formats) as the import reads it: a line of
// the file, its line end included, over bytes it does not own. Positions and lengths count
// bytes, as the format does. Only what reading needs is looked at: the base address of the
// data (leader positions 12 to 16) and the directory entries before it; the record length and
// the terminators are not checked. Numbers are read as the C library's atoi reads them. A field
// whose data would run past the line, or start before it, reads as empty.
class MarcRecord {
public:
    static constexpr char kRecordTerminator = 0x1D;
    static constexpr char kSubfieldDelimiter = 0x1F;

    explicit MarcRecord(QByteArrayView line);

    // Whether the line is read at all: longer than 13 bytes, its data starting inside it.
    bool isReadable() const { return m_readable; }

    // Whether the directory names a field with this tag.
    bool hasField(QByteArrayView tag) const { return entryOf(tag) >= 0; }
    // The data of the first field with this tag, without its field terminator; empty when
    // the record has no such field or the field does not lie inside the line.
    QByteArrayView field(QByteArrayView tag) const;

    // The values of the field's first subfields $a to $f, in that order; empty where the
    // field has none. Indicators before the first delimiter are ignored.
    static std::array<QByteArrayView, 6> SplitSubfields(QByteArrayView data);

private:
    // The position of the first directory entry with this tag; -1 when there is none.
    qsizetype entryOf(QByteArrayView tag) const;

    QByteArrayView m_line;
    qsizetype m_base = 0;
    qsizetype m_entries = 0;
    bool m_readable = false;
};
