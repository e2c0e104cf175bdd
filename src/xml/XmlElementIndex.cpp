#include "xml/XmlElementIndex.h"

#include <algorithm>

namespace {
std::unique_ptr<ElementRecord[]> copySegment(const ElementRecord* from, int count, int capacity)
{
    auto segment = std::make_unique<ElementRecord[]>(capacity);
    std::copy(from, from + count, segment.get());
    return segment;
}
}

ElementIndex::ElementIndex(const ElementIndex& other) { *this = other; }

ElementIndex& ElementIndex::operator=(const ElementIndex& other)
{
    if (this == &other)
        return *this;
    m_segments.clear();
    m_size = other.m_size;
    const int segments = other.segmentCount();
    m_segments.reserve(other.m_segments.capacity());
    for (int s = 0; s < segments; ++s) {
        const int records = std::min(kSegmentSize, m_size - s * kSegmentSize);
        m_segments.push_back(copySegment(other.m_segments[s].get(), records, records));
    }
    return *this;
}

void ElementIndex::grow(int newSize)
{
    if (newSize <= m_size)
        return;
    const int last = m_size == 0 ? 0 : (m_size - 1) >> kSegmentBits;
    int target = (newSize - 1) >> kSegmentBits;
    if (target > last + 1) {
        target = last + 1;
        newSize = (last + 2) << kSegmentBits;
    }
    if (int(m_segments.capacity()) <= target)
        m_segments.reserve(2 * target + 4);
    const int oldRecordsInLast = m_size - last * kSegmentSize;
    if (m_size == 0 && target > 0) {
        m_segments.push_back(copySegment(nullptr, 0, kSegmentSize));
        m_size = kSegmentSize;
    } else if (target > last && oldRecordsInLast < kSegmentSize) {
        m_segments[last] = copySegment(m_segments[last].get(), oldRecordsInLast, kSegmentSize);
    }
    const int records = newSize - target * kSegmentSize;
    if (target == last && m_size > 0)
        m_segments[last] = copySegment(m_segments[last].get(), oldRecordsInLast, records);
    else
        m_segments.push_back(copySegment(nullptr, 0, records));
    m_size = newSize;
}

void ElementIndex::clear()
{
    m_segments.clear();
    m_segments.shrink_to_fit();
    m_size = 0;
}
