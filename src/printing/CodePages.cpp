#include "printing/PageSource.h"

#include <algorithm>

int CodePages::PageCount() const
{
    const int perPage = std::max(1, CodesPerPage());
    return std::max(1, static_cast<int>((m_codes.size() + perPage - 1) / perPage));
}

QStringList CodePages::CodesOfPage(int page) const
{
    const int perPage = std::max(1, CodesPerPage());
    return m_codes.mid(static_cast<qsizetype>(page - 1) * perPage, perPage);
}
