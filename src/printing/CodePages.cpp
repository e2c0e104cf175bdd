#include "printing/PageSource.h"

#include <algorithm>

int PageSource::PagesFor(qsizetype items, int perPage)
{
    perPage = std::max(1, perPage);
    return std::max(1, static_cast<int>((items + perPage - 1) / perPage));
}

int CodePages::PageCount() const { return PagesFor(m_codes.size(), CodesPerPage()); }

QStringList CodePages::CodesOfPage(int page) const
{
    const int perPage = std::max(1, CodesPerPage());
    return m_codes.mid(static_cast<qsizetype>(page - 1) * perPage, perPage);
}
