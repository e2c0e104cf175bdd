#include "sheets/ReadBudget.h"

ReadBudget::ReadBudget(qint64 fileBytes)
    : m_limit(std::min(kCeiling, kFloor + kPerFileByte * quint64(std::clamp<qint64>(fileBytes, 0, qint64(kCeiling)))))
{
}

bool ReadBudget::take(quint64 bytes)
{
    if (bytes > m_limit - m_taken) {
        m_exceeded = true;
        return false;
    }
    m_taken += bytes;
    return true;
}

void ReadBudget::giveBack(quint64 bytes)
{
    m_taken -= std::min(bytes, m_taken);
}

bool ReadBudget::append(QByteArray& bytes, QByteArrayView more)
{
    const qsizetype size = bytes.size() + more.size();
    if (size > bytes.capacity()) {
        const qsizetype old = bytes.capacity();
        const qsizetype capacity = std::max(size, 2 * old);
        if (!take(quint64(capacity)))
            return false;
        bytes.reserve(capacity);
        giveBack(quint64(old));
    }
    bytes.append(more);
    return true;
}

bool ReadBudget::takeText(qsizetype units)
{
    constexpr quint64 kAllocation = 32;  // the text's header and the allocator's own share
    return units <= 0 || take(kAllocation + quint64(units) * sizeof(QChar));
}

QString ReadBudget::exceededText() const
{
    return QStringLiteral("整个工作簿读入内存将超过%1 MB").arg(m_limit >> 20);
}
