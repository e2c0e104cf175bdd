#include "lookup/BookWebSearch.h"

#include "lookup/CatalogueReplies.h"
#include "core/TextCodec.h"

#include <curl/curl.h>

#include <cstring>
#include <mutex>

namespace {
constexpr long kMaxRedirects = 5;
// The services are web pages: an address or a redirect to any other scheme (a form action
// "file:///…" on a hostile page) would read a local file or another server into the form.
constexpr const char* kWebSchemes = "http,https";

bool isWebAddress(const QString& address)
{
    return address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || address.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

// What one transfer collects, and where it stops on its own.
struct Transfer {
    QByteArray body;
    qsizetype byteCap = 0;  // 0: no cap
    int lineCap = 0;        // 0: no cap
    int lines = 0;
    bool capped = false;
    const std::atomic_bool* abort = nullptr;
};

size_t collect(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const size_t length = size * count;
    size_t keep = length;
    if (t->lineCap) {
        for (size_t i = 0; i < length; ++i) {
            if (data[i] == '\n' && ++t->lines == t->lineCap) {
                keep = i + 1;
                t->capped = true;
                break;
            }
        }
    }
    if (t->byteCap && t->body.size() + qsizetype(keep) >= t->byteCap) {
        keep = size_t(t->byteCap - t->body.size());
        t->capped = true;
    }
    t->body.append(data, qsizetype(keep));
    // Returning less than was given ends the transfer: the cap is reached.
    return t->capped ? 0 : length;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* t = static_cast<const Transfer*>(user);
    return t->abort && t->abort->load() ? 1 : 0;
}

QString cutAfterMarker(const QString& page, const QString& marker, int start, int count)
{
    const qsizetype found = page.indexOf(marker, start);
    if (found < 0)
        return {};
    qsizetype at = found;
    for (int i = 0; i < count; ++i) {
        at = page.indexOf(QLatin1Char('>'), at);
        if (at < 0)
            return {};
        ++at;
    }
    const qsizetype end = page.indexOf(QLatin1Char('<'), at);
    return page.mid(at, end < 0 ? -1 : end - at);
}
}

CBookWebSearch::CBookWebSearch()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QByteArray CBookWebSearch::Fetch(const QString& address, Reader reader, long* status)
{
    *status = 0;
    if (Aborted() || !isWebAddress(address))
        return {};
    CURL* curl = curl_easy_init();
    if (!curl)
        return {};
    Transfer transfer;
    transfer.abort = m_abort;
    transfer.lineCap = reader == Reader::Lines ? kMaxLines : 0;
    transfer.byteCap = reader == Reader::Lines ? kMaxLineBytes : qsizetype(kMaxBlocks) * kBlockSize;
    const QByteArray url = address.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, kWebSchemes);
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, kWebSchemes);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(m_timeout));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, long(m_timeout));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    if (reader == Reader::Blocks)
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "serverassistant");
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, status);
    curl_easy_cleanup(curl);
    if (*status > 0)
        m_reached = true;
    // A cut reply keeps what came, as a reader of blocks would; any other failure gives nothing.
    const bool complete = result == CURLE_OK || result == CURLE_PARTIAL_FILE
        || (result == CURLE_WRITE_ERROR && transfer.capped);
    return complete && !Aborted() ? transfer.body : QByteArray();
}

QString CBookWebSearch::ConvertCodePage(const QByteArray& bytes, int sourceCodePage)
{
    return sourceCodePage == 65001 ? QString::fromUtf8(bytes) : fromGbk(bytes);
}

QString CBookWebSearch::HttpGet(const QString& address, int flag)
{
    long status = 0;
    const QByteArray body = Fetch(address, Reader::Lines, &status);
    if (status != 200 || body.isEmpty())
        return {};
    QList<QByteArray> lines = body.split('\n');
    if (body.endsWith('\n'))
        lines.removeLast();
    QString page;
    for (qsizetype i = 0; i < lines.size() && i < kMaxLines; ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        page += ConvertCodePage(line, flag == 0 ? 65001 : 936) + QStringLiteral("\r\n");
    }
    return CatalogueReplies::withoutTrailingBlanks(page);
}

QString CBookWebSearch::HttpGetRaw(const QString& address, int flag)
{
    long status = 0;
    return ConvertCodePage(Fetch(address, Reader::Blocks, &status), flag == 0 ? 65001 : 936);
}

QStringList CBookWebSearch::GetFields() const
{
    QStringList values;
    for (const QString& value : m_fields)
        values << CatalogueReplies::withoutBlanks(value);
    return values;
}

QString CBookWebSearch::GetTagText(const QString& page, const QString& marker, int start, int count)
{
    return cutAfterMarker(page, marker, start, count).remove(QStringLiteral("&nbsp"));
}

QString CBookWebSearch::ExtractAfterMarker(const QString& page, const QString& marker, int start, int count)
{
    return cutAfterMarker(page, marker, start, count);
}

// The catalogue issues the search form's and the records' addresses per visit: the entry
// page names the form, the hit list the records. Every hit costs one request.
void CBookWebSearch::SearchLibraryOpac(const QString& base, const QString& isbn, const RowSink& addRow)
{
    if (base.isEmpty())
        return;
    const QString form = CatalogueReplies::opacFormAddress(HttpGet(base + QStringLiteral("/F"), 0));
    if (form.isEmpty())
        return;
    const QString hitList = HttpGetRaw(form + CatalogueReplies::opacSearchQuery(isbn), 0);
    const int hits = CatalogueReplies::opacHitCount(hitList);
    const QString recordBase = CatalogueReplies::opacRecordBase(hitList);
    if (hits <= 0 || (hits > 1 && recordBase.isEmpty()))
        return;
    for (int hit = 1; hit <= hits; ++hit) {
        const QString record = hits == 1 ? hitList : HttpGet(CatalogueReplies::opacRecordAddress(recordBase, hit), 0);
        const std::optional<QStringList> row = CatalogueReplies::opacRecordRow(record, isbn);
        if (!row)
            return;
        addRow(*row);
    }
}

void CBookWebSearch::SearchReviewSiteApi(const QString& base, const QString& isbn)
{
    if (base.isEmpty())
        return;
    const QString entry = HttpGetRaw(base + CatalogueReplies::reviewPath(isbn), 0);
    if (entry.isEmpty())
        return;
    const QStringList values = CatalogueReplies::reviewFields(entry, m_abort);
    for (int i = 0; i < kFieldCount; ++i)
        m_fields[i] = values.value(i);
}

void CBookWebSearch::SearchSecondHandSite(const QString& base, const QString& isbn, const RowSink& addRow)
{
    for (int i = ClassNo; i <= Price; ++i)
        m_fields[i].clear();
    if (base.isEmpty())
        return;
    const QString page = HttpGetRaw(base + CatalogueReplies::secondHandPath(isbn), 0);
    for (const QStringList& row : CatalogueReplies::secondHandRows(page, isbn))
        addRow(row);
}
