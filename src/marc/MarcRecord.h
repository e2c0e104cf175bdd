#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>

// Why a record of an exchange file cannot be read.
enum class MarcFault { None, Leader, Length, Directory, NoTerminator, Incomplete };

// The librarian's words for a fault.
QString marcFaultText(MarcFault fault);

// One record of an ISO 2709 exchange file (the MARC formats), over bytes it does not own.
// Positions and lengths count bytes, as the format does. A record is checked whole before
// anything is read from it, so that a damaged record is never read in part; a field that
// runs past the record's data is read as empty, the others as they stand.
class MarcRecord {
public:
    static constexpr char kRecordTerminator = 0x1D;
    static constexpr char kFieldTerminator = 0x1E;
    static constexpr char kSubfieldDelimiter = 0x1F;
    static constexpr qsizetype kLeaderSize = 24;
    static constexpr qsizetype kEntrySize = 12;

    // `bytes` runs from the leader up to and including the record terminator, or to the end
    // of the file when no terminator follows (`terminated` false).
    MarcRecord(QByteArrayView bytes, bool terminated);

    MarcFault fault() const { return m_fault; }
    bool isValid() const { return m_fault == MarcFault::None; }
    QByteArrayView bytes() const { return m_bytes; }

    // Whether the directory names a field with this tag; false when the record is not valid.
    bool hasField(QByteArrayView tag) const { return entryOf(tag) >= 0; }
    // The data of the first field with this tag, without its field terminator; empty when
    // the record has no such field, the field runs past the record's data or the record is
    // not valid.
    QByteArrayView field(QByteArrayView tag) const;

    // The values of the field's first subfields $a to $f, in that order; empty where the
    // field has none. Indicators before the first delimiter are ignored.
    static std::array<QByteArrayView, 6> SplitSubfields(QByteArrayView data);

private:
    MarcFault check(bool terminated);
    MarcFault checkLength(qsizetype length, bool terminated) const;
    MarcFault checkDirectory() const;
    bool leaderAt(qsizetype position) const;
    // The position of the first directory entry with this tag; -1 when there is none.
    qsizetype entryOf(QByteArrayView tag) const;

    QByteArrayView m_bytes;
    qsizetype m_base = 0;
    MarcFault m_fault = MarcFault::None;
};
