#include "sheets/TextPool.h"

#include <algorithm>
#include <cstring>

const char* TextPool::add(const char* utf8, std::size_t size)
{
    if (m_capacity - m_used < size + 1) {
        m_capacity = std::max(kBlock, size + 1);
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(m_capacity));
        m_used = 0;
    }
    char* start = m_blocks.back().get() + m_used;
    std::memcpy(start, utf8, size);
    start[size] = '\0';
    m_used += size + 1;
    return start;
}
