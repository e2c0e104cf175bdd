#include "sheets/BiffRecords.h"

#include "core/TextCodec.h"
#include "sheets/ReadBudget.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

bool BiffRecords::next()
{
    if (m_at + 4 > m_stream.size())
        return false;
    m_type = qFromLittleEndian<quint16>(m_stream.constData() + m_at);
    const quint16 size = qFromLittleEndian<quint16>(m_stream.constData() + m_at + 2);
    if (m_at + 4 + size > m_stream.size()) {
        m_overran = true;
        return false;
    }
    m_data = QByteArrayView(m_stream.constData() + m_at + 4, size);
    m_at += 4 + size;
    return true;
}

quint16 BiffRecords::peekType() const
{
    return m_at + 4 <= m_stream.size() ? qFromLittleEndian<quint16>(m_stream.constData() + m_at) : 0;
}

ContinuedData::ContinuedData(QByteArrayView first, ReadBudget* budget) : m_budget(budget)
{
    m_pieces.push_back(first);
}

ContinuedData::~ContinuedData()
{
    if (m_budget)
        m_budget->giveBack(m_taken);
}

bool ContinuedData::add(QByteArrayView piece)
{
    if (!m_budget) {
        m_pieces.push_back(piece);
        return true;
    }
    const size_t capacity = m_pieces.capacity();
    if (!m_budget->grow(m_pieces, m_pieces.size() + 1))
        return false;
    m_pieces.back() = piece;
    m_taken += quint64(m_pieces.capacity() - capacity) * sizeof(QByteArrayView);
    return true;
}

bool ContinuedData::nextPiece()
{
    if (m_piece + 1 >= m_pieces.size())
        return false;
    ++m_piece;
    m_at = 0;
    return true;
}

bool ContinuedData::take(qsizetype bytes, char* out)
{
    while (bytes > 0) {
        if (leftInPiece() == 0 && !nextPiece())
            return false;
        const qsizetype part = std::min(bytes, leftInPiece());
        if (out) {
            std::memcpy(out, m_pieces[m_piece].data() + m_at, size_t(part));
            out += part;
        }
        m_at += part;
        bytes -= part;
    }
    return true;
}

bool ContinuedData::u8(quint8* value)
{
    *value = 0;
    return take(1, reinterpret_cast<char*>(value));
}

bool ContinuedData::u16(quint16* value)
{
    char bytes[2] = {};
    const bool read = take(2, bytes);
    *value = read ? qFromLittleEndian<quint16>(bytes) : 0;
    return read;
}

bool ContinuedData::u32(quint32* value)
{
    char bytes[4] = {};
    const bool read = take(4, bytes);
    *value = read ? qFromLittleEndian<quint32>(bytes) : 0;
    return read;
}

bool ContinuedData::skip(quint64 bytes)
{
    while (bytes > 0) {
        if (leftInPiece() == 0 && !nextPiece())
            return false;
        const qsizetype part = qsizetype(std::min<quint64>(bytes, quint64(leftInPiece())));
        m_at += part;
        bytes -= quint64(part);
    }
    return true;
}

bool ContinuedData::characters(quint32 count, bool wide, QString* text)
{
    text->reserve(count);
    while (count > 0) {
        if (leftInPiece() == 0) {
            quint8 flags = 0;
            if (!nextPiece() || !u8(&flags))
                return false;
            wide = flags & 0x01;
        }
        const QByteArrayView piece = m_pieces[m_piece];
        const qsizetype width = wide ? 2 : 1;
        const quint32 here = quint32(std::min<qsizetype>(count, leftInPiece() / width));
        if (here == 0)
            return false;  // half a character before the next piece
        for (quint32 i = 0; i < here; ++i, m_at += width)
            text->append(QChar(wide ? qFromLittleEndian<quint16>(piece.data() + m_at) : quint8(piece[m_at])));
        count -= here;
    }
    return true;
}

bool ContinuedData::unicodeString(int countBytes, QString* text)
{
    text->clear();
    quint16 count = 0;
    quint8 shortCount = 0;
    quint8 flags = 0;
    if (!(countBytes == 1 ? u8(&shortCount) : u16(&count)) || !u8(&flags))
        return false;
    if (countBytes == 1)
        count = shortCount;
    quint16 runs = 0;
    quint32 phonetic = 0;
    if (((flags & 0x08) && !u16(&runs)) || ((flags & 0x04) && !u32(&phonetic)))
        return false;
    return characters(count, flags & 0x01, text) && skip(quint64(runs) * 4) && skip(phonetic);
}

bool ContinuedData::byteString(int countBytes, const QByteArray& codePage, QString* text)
{
    text->clear();
    quint16 count = 0;
    quint8 shortCount = 0;
    if (!(countBytes == 1 ? u8(&shortCount) : u16(&count)))
        return false;
    QByteArray bytes(countBytes == 1 ? shortCount : count, Qt::Uninitialized);
    if (!take(bytes.size(), bytes.data()))
        return false;
    const QByteArray utf8 = convertEncoding("UTF-8", codePage.constData(), bytes, "?");
    *text = utf8.isEmpty() ? QString::fromLatin1(bytes) : QString::fromUtf8(utf8);
    return true;
}
