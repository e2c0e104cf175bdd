#include "marc/MarcRecord.h"

#include "core/NumberText.h"

#include <algorithm>

namespace {
constexpr qsizetype kShortestLine = 13;
constexpr qsizetype kLeaderSize = 24;
constexpr qsizetype kEntrySize = 12;
constexpr qsizetype kBaseAt = 12;
constexpr qsizetype kBaseSize = 5;
constexpr qsizetype kTagSize = 3;
constexpr qsizetype kFieldLengthSize = 4;
constexpr qsizetype kFieldStartSize = 5;

// The number written in the `count` bytes at `position` (fewer where the line ends before),
// as atoi reads them: blanks, a sign, then digits up to the first other byte; 0 when there
// are none.
qsizetype numberAt(QByteArrayView line, qsizetype position, qsizetype count)
{
    const QByteArrayView digits = line.sliced(position, std::min(count, line.size() - position));
    qsizetype at = 0;
    while (at < digits.size() && isAsciiBlank(QLatin1Char(digits[at])))
        ++at;
    bool negative = false;
    if (at < digits.size() && (digits[at] == '-' || digits[at] == '+'))
        negative = digits[at++] == '-';
    qsizetype value = 0;
    for (; at < digits.size() && digits[at] >= '0' && digits[at] <= '9'; ++at)
        value = value * 10 + (digits[at] - '0');
    return negative ? -value : value;
}
}

MarcRecord::MarcRecord(QByteArrayView line) : m_line(line)
{
    if (line.size() <= kShortestLine)
        return;
    m_base = numberAt(line, kBaseAt, kBaseSize);
    if (m_base >= line.size())
        return;
    m_readable = true;
    // Entries that do not lie wholly inside the line are not there.
    const qsizetype entries = m_base > kLeaderSize ? (m_base - kLeaderSize) / kEntrySize : 0;
    m_entries = std::min(entries, std::max<qsizetype>(0, (line.size() - kLeaderSize) / kEntrySize));
}

qsizetype MarcRecord::entryOf(QByteArrayView tag) const
{
    for (qsizetype i = 0; i < m_entries; ++i) {
        const qsizetype entry = kLeaderSize + i * kEntrySize;
        if (m_line.sliced(entry, kTagSize) == tag)
            return entry;
    }
    return -1;
}

QByteArrayView MarcRecord::field(QByteArrayView tag) const
{
    const qsizetype entry = entryOf(tag);
    if (entry < 0)
        return {};
    const qsizetype length = numberAt(m_line, entry + kTagSize, kFieldLengthSize);
    const qsizetype start = m_base + numberAt(m_line, entry + kTagSize + kFieldLengthSize, kFieldStartSize);
    // The data without the field terminator; the terminator's place must lie inside the line.
    if (start < 0 || length < 1 || start + length - 1 >= m_line.size())
        return {};
    return m_line.sliced(start, length - 1);
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
