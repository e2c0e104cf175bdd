#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

class ReadBudget;

// The records of a BIFF5 or BIFF8 workbook stream one after the other: type and data, every
// length checked against the stream.
class BiffRecords {
public:
    explicit BiffRecords(const QByteArray& stream, qsizetype from = 0) : m_stream(stream), m_at(from) {}

    // The next record; false at the end of the stream or at a record that runs past it.
    bool next();
    quint16 type() const { return m_type; }
    QByteArrayView data() const { return m_data; }
    // The type of the record after this one, without moving on (0 at the end).
    quint16 peekType() const;
    // Whether a record's length took it past the end of the stream: the stream is cut short
    // or damaged, and what follows is lost.
    bool overran() const { return m_overran; }

private:
    const QByteArray& m_stream;
    qsizetype m_at;
    quint16 m_type = 0;
    QByteArrayView m_data;
    bool m_overran = false;
};

// A record's data with the CONTINUE records after it, read as one: a string that crosses
// into the next piece starts it with a fresh flags byte, as BIFF8 writes it. Every read is
// checked; a read past the end gives false and leaves the values at zero.
class ContinuedData {
public:
    // With a budget, the list of pieces is taken from it as it grows (a crafted record may
    // have millions of CONTINUEs) and given back when the data goes.
    explicit ContinuedData(QByteArrayView first, ReadBudget* budget = nullptr);
    ~ContinuedData();
    ContinuedData(const ContinuedData&) = delete;
    ContinuedData& operator=(const ContinuedData&) = delete;

    // Adds the next piece; false when the list would pass the budget.
    [[nodiscard]] bool add(QByteArrayView piece);

    bool u8(quint8* value);
    bool u16(quint16* value);
    bool u32(quint32* value);
    bool skip(quint64 bytes);
    // A BIFF8 string: `countBytes` (1 or 2) of character count, flags, rich-text runs and
    // phonetic data skipped.
    bool unicodeString(int countBytes, QString* text);
    // A BIFF5 string: `countBytes` of byte count, then bytes in `codePage`.
    bool byteString(int countBytes, const QByteArray& codePage, QString* text);

private:
    bool take(qsizetype bytes, char* out);
    bool characters(quint32 count, bool wide, QString* text);
    qsizetype leftInPiece() const { return m_pieces[m_piece].size() - m_at; }
    bool nextPiece();

    ReadBudget* m_budget;
    quint64 m_taken = 0;
    std::vector<QByteArrayView> m_pieces;
    size_t m_piece = 0;
    qsizetype m_at = 0;
};
