#include "exchange/TextPool.h"

#include <QStringDecoder>

#include <algorithm>

QString TextPool::addUtf8(const char* utf8, qsizetype size)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const qsizetype room = decoder.requiredSpace(size);
    if (m_capacity - m_used < room) {
        m_capacity = std::max(kBlock, room);
        m_blocks.push_back(std::make_unique<QChar[]>(size_t(m_capacity)));
        m_used = 0;
    }
    QChar* start = m_blocks.back().get() + m_used;
    QChar* end = decoder.appendToBuffer(start, QByteArrayView(utf8, size));
    m_used += end - start;
    return QString::fromRawData(start, end - start);
}
