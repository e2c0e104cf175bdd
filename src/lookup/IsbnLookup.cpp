#include "lookup/IsbnLookup.h"

#include "lookup/BookWebSearch.h"
#include "db/AdoConn.h"

#include <QMetaObject>

#include <atomic>
#include <functional>
#include <mutex>

// What a lookup's workers share with it. The workers post their findings to `receiver`
// under the mutex; abort() clears it under the same mutex, so no worker reaches the lookup
// once it has been aborted or destroyed, and calls already on their way are dropped.
// `search` is the lookup's row lock: the review worker holds it from its start to its end,
// so the other two add their rows before it or after it, never between; the window never
// takes it.
struct IsbnLookup::Shared {
    std::atomic_bool aborted{false};
    std::atomic_int ended{0};
    std::mutex mutex;
    std::mutex search;
    IsbnLookup* receiver = nullptr;

    static void post(const std::shared_ptr<Shared>& shared, std::function<void(IsbnLookup*)> call)
    {
        std::lock_guard<std::mutex> hold(shared->mutex);
        IsbnLookup* target = shared->receiver;
        if (!target)
            return;
        QMetaObject::invokeMethod(
            target,
            [shared, target, call = std::move(call)] {
                if (!shared->aborted)
                    call(target);
            },
            Qt::QueuedConnection);
    }
};

namespace {
// Workers of lookups abandoned while they ran finish on their own; they are joined when the
// program ends, never by the window that let them go.
class AbandonedWorkers {
public:
    ~AbandonedWorkers()
    {
        for (std::thread& t : m_threads)
            t.join();
    }
    void adopt(std::vector<std::thread>& threads)
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        for (std::thread& t : threads)
            m_threads.push_back(std::move(t));
        threads.clear();
    }

private:
    std::mutex m_mutex;
    std::vector<std::thread> m_threads;
};

AbandonedWorkers& abandonedWorkers()
{
    static AbandonedWorkers workers;
    return workers;
}
}

IsbnLookup::IsbnLookup(QObject* parent) : QObject(parent) {}

IsbnLookup::~IsbnLookup()
{
    abort();
    releaseWorkers();
}

bool IsbnLookup::start(const QString& isbn, const LookupSettings& settings)
{
    if (m_running || !settings.anyOffered())
        return false;
    releaseWorkers();
    m_shared = std::make_shared<Shared>();
    m_shared->receiver = this;
    m_running = true;
    m_ended = 0;
    m_hits = 0;
    m_reachedAny = false;
    const std::pair<Service, QString> services[] = {
        {Service::Opac, settings.opac}, {Service::Review, settings.review}, {Service::SecondHand, settings.secondhand}};
    for (const auto& [service, base] : services) {
        if (base.isEmpty())
            Shared::post(m_shared, [](IsbnLookup* lookup) { lookup->onEnded(false, false); });
        else
            m_workers.emplace_back(run, m_shared, service, base, isbn, settings.timeout);
    }
    return true;
}

void IsbnLookup::abort()
{
    if (!m_shared)
        return;
    m_shared->aborted = true;
    std::lock_guard<std::mutex> hold(m_shared->mutex);
    m_shared->receiver = nullptr;
    m_running = false;
}

// Workers that have ended are joined at once; running ones (only after an abort) are left
// to finish by themselves.
void IsbnLookup::releaseWorkers()
{
    if (m_running || (m_shared && m_shared->aborted && m_shared->ended < int(m_workers.size()))) {
        abandonedWorkers().adopt(m_workers);
        return;
    }
    for (std::thread& t : m_workers)
        t.join();
    m_workers.clear();
}

void IsbnLookup::run(std::shared_ptr<Shared> shared, Service service, QString base, QString isbn, int timeout)
{
    std::unique_lock<std::mutex> reviewing(shared->search, std::defer_lock);
    if (service == Service::Review)
        reviewing.lock();
    CBookWebSearch search;
    search.SetTimeout(timeout);
    search.SetAbortFlag(&shared->aborted);
    const auto addRow = [&](const QStringList& row) {
        Shared::post(shared, [row](IsbnLookup* lookup) { lookup->onRow(row); });
    };
    const auto addRowBesideReview = [&](const QStringList& row) {
        const std::lock_guard<std::mutex> hold(shared->search);
        addRow(row);
    };
    try {
        switch (service) {
        case Service::Opac:
            search.SearchLibraryOpac(base, isbn, addRowBesideReview);
            break;
        case Service::SecondHand:
            search.SearchSecondHandSite(base, isbn, addRowBesideReview);
            break;
        case Service::Review: {
            search.SearchReviewSiteApi(base, isbn);
            const QStringList fields = search.GetFields();
            if (!fields[CBookWebSearch::Title].isEmpty() || !fields[CBookWebSearch::Author].isEmpty()) {
                const QString summary = fields[CBookWebSearch::Summary];
                Shared::post(shared, [summary](IsbnLookup* lookup) { emit lookup->summaryFound(summary); });
                addRow(QStringList{isbn} + fields);
            }
            break;
        }
        }
    } catch (...) {
        // A failed service ends like any other: it adds no row.
    }
    const bool reached = search.ServiceReached();
    ++shared->ended;
    Shared::post(shared, [reached](IsbnLookup* lookup) { lookup->onEnded(true, reached); });
}

void IsbnLookup::onRow(const QStringList& row)
{
    ++m_hits;
    emit rowFound(row);
}

void IsbnLookup::onEnded(bool offered, bool reached)
{
    m_reachedAny = m_reachedAny || (offered && reached);
    if (++m_ended >= kServices)
        m_running = false;
    emit serviceEnded(m_ended);
}

QList<QStringList> IsbnLookup::localRows(CAdoConn& conn, const QString& isbn)
{
    RecordsetPtr rs = conn.GetRecordSet(QStringLiteral("select 条形码,分类号,书名,著译者,出版处,页数,开本,版期,版次,单价 "
                                                       "from bkinfo where 条形码=?"),
                                        {isbn});
    QList<QStringList> rows;
    for (; !rs->IsEOF(); rs->MoveNext())
        rows << rs->GetRowTexts() + QStringList{QString(), QString()};
    return rows;
}

QString IsbnLookup::NumericPrefix(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && ((text[end] >= QLatin1Char('0') && text[end] <= QLatin1Char('9')) || text[end] == QLatin1Char('.')))
        ++end;
    return text.left(end);
}
