#include "marc/MarcRecord.h"

namespace {
constexpr qsizetype kLengthAt = 0;
constexpr qsizetype kBaseAt = 12;
constexpr qsizetype kNumberSize = 5;
constexpr qsizetype kTagSize = 3;
constexpr qsizetype kFieldLengthSize = 4;
constexpr qsizetype kFieldStartSize = 5;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number written in `count` digits at `position`; -1 when they are not all digits or
// the bytes end before them.
qsizetype numberAt(QByteArrayView bytes, qsizetype position, qsizetype count)
{
    if (position < 0 || position + count > bytes.size())
        return -1;
    qsizetype value = 0;
    for (qsizetype i = position; i < position + count; ++i) {
        if (!isDigit(bytes[i]))
            return -1;
        value = value * 10 + (bytes[i] - '0');
    }
    return value;
}

bool isTag(QByteArrayView tag)
{
    for (const char c : tag)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    return true;
}
}

QString marcFaultText(MarcFault fault)
{
    switch (fault) {
    case MarcFault::None:
        return {};
    case MarcFault::Leader:
        return QStringLiteral("头标区错误");
    case MarcFault::Length:
        return QStringLiteral("记录长度不符");
    case MarcFault::Directory:
        return QStringLiteral("目次区错误");
    case MarcFault::NoTerminator:
        return QStringLiteral("缺少记录结束符");
    case MarcFault::Incomplete:
        return QStringLiteral("记录不完整");
    }
    return {};
}

MarcRecord::MarcRecord(QByteArrayView bytes, bool terminated) : m_bytes(bytes)
{
    m_fault = check(terminated);
}

MarcFault MarcRecord::check(bool terminated)
{
    if (m_bytes.size() < kLeaderSize)
        return terminated ? MarcFault::Leader : MarcFault::Incomplete;
    const qsizetype length = numberAt(m_bytes, kLengthAt, kNumberSize);
    const qsizetype base = numberAt(m_bytes, kBaseAt, kNumberSize);
    if (length < 0 || base < 0)
        return MarcFault::Leader;
    if (const MarcFault fault = checkLength(length, terminated); fault != MarcFault::None)
        return fault;
    // The data begins behind the leader and inside the record.
    if (base <= kLeaderSize || base >= m_bytes.size())
        return MarcFault::Leader;
    m_base = base;
    return checkDirectory();
}

// The leader's length must be the bytes up to and including the terminator. A shorter
// length followed by another leader means that a terminator was left out, and the next
// record came along.
MarcFault MarcRecord::checkLength(qsizetype length, bool terminated) const
{
    const qsizetype size = m_bytes.size();
    if (!terminated) {
        if (length > size + 1 || (length == size + 1 && m_bytes.back() != kFieldTerminator))
            return MarcFault::Incomplete;
        return MarcFault::NoTerminator;
    }
    if (length == size)
        return MarcFault::None;
    if (length < size && (leaderAt(length - 1) || leaderAt(length)))
        return MarcFault::NoTerminator;
    return MarcFault::Length;
}

bool MarcRecord::leaderAt(qsizetype position) const
{
    return position > 0 && numberAt(m_bytes, position + kLengthAt, kNumberSize) >= 0
           && numberAt(m_bytes, position + kBaseAt, kNumberSize) >= 0;
}

// Every entry: a tag, then the field's length and start in digits.
MarcFault MarcRecord::checkDirectory() const
{
    if (m_bytes[m_base - 1] != kFieldTerminator || (m_base - 1 - kLeaderSize) % kEntrySize != 0)
        return MarcFault::Directory;
    for (qsizetype entry = kLeaderSize; entry < m_base - 1; entry += kEntrySize) {
        const qsizetype length = numberAt(m_bytes, entry + kTagSize, kFieldLengthSize);
        const qsizetype start = numberAt(m_bytes, entry + kTagSize + kFieldLengthSize, kFieldStartSize);
        if (length < 0 || start < 0 || !isTag(m_bytes.sliced(entry, kTagSize)))
            return MarcFault::Directory;
    }
    return MarcFault::None;
}

qsizetype MarcRecord::entryOf(QByteArrayView tag) const
{
    if (!isValid())
        return -1;
    for (qsizetype entry = kLeaderSize; entry < m_base - 1; entry += kEntrySize)
        if (m_bytes.sliced(entry, kTagSize) == tag)
            return entry;
    return -1;
}

QByteArrayView MarcRecord::field(QByteArrayView tag) const
{
    const qsizetype entry = entryOf(tag);
    if (entry < 0)
        return {};
    const qsizetype length = numberAt(m_bytes, entry + kTagSize, kFieldLengthSize);
    const qsizetype start = numberAt(m_bytes, entry + kTagSize + kFieldLengthSize, kFieldStartSize);
    // The field, its terminator included, must lie inside the data, which ends before the
    // record terminator.
    if (start + length > m_bytes.size() - 1 - m_base)
        return {};
    // The field's data without its terminator; a field of length 0 is empty.
    return m_bytes.sliced(m_base + start, length > 0 ? length - 1 : 0);
}

std::array<QByteArrayView, 6> MarcRecord::SplitSubfields(QByteArrayView data)
{
    std::array<QByteArrayView, 6> values;
    std::array<bool, 6> found{};
    qsizetype at = data.indexOf(kSubfieldDelimiter);
    while (at >= 0 && at + 1 < data.size()) {
        const qsizetype next = data.indexOf(kSubfieldDelimiter, at + 1);
        const qsizetype end = next < 0 ? data.size() : next;
        const int code = data[at + 1] - 'a';
        if (code >= 0 && code < 6 && !found[code]) {
            found[code] = true;
            values[code] = data.sliced(at + 2, end - at - 2);
        }
        at = next;
    }
    return values;
}
