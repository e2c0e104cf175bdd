// Any bytes as a catalogue service's page, read as UTF-8 and as GBK: every cut of the
// lookup runs on it.
#include "lookup/BookWebSearch.h"
#include "lookup/CatalogueReplies.h"

#include <cstddef>
#include <cstdint>

namespace {
void cutAll(const QString& page)
{
    const QString isbn = QStringLiteral("9787020002207");
    CatalogueReplies::opacFormAddress(page);
    CatalogueReplies::opacHitCount(page);
    CatalogueReplies::opacRecordAddress(CatalogueReplies::opacRecordBase(page), 100);
    CatalogueReplies::opacRecordRow(page, isbn);
    CatalogueReplies::reviewFields(page);
    CatalogueReplies::secondHandRows(page, isbn);
    CBookWebSearch::GetTagText(page, QStringLiteral("出版项"), 3, 4);
    CBookWebSearch::ExtractAfterMarker(page, QStringLiteral("<p>"), 0, 2);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    cutAll(CBookWebSearch::ConvertCodePage(bytes, 65001));
    cutAll(CBookWebSearch::ConvertCodePage(bytes, 936));
    return 0;
}
