#pragma once

#include "lookup/LookupSettings.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>
#include <thread>
#include <vector>

// Asks the three catalogue services for one ISBN at once, each on its own worker thread
// with its own CBookWebSearch. Workers touch no widget and no window state: what they find
// reaches this object (on the thread it lives in) as queued calls, and it passes them on
// as signals. Nothing ever waits for a worker; abort() stops the transfers and from then
// on nothing more is reported.
class CAdoConn;

class IsbnLookup : public QObject {
    Q_OBJECT
public:
    static constexpr int kServices = 3;

    explicit IsbnLookup(QObject* parent = nullptr);
    ~IsbnLookup() override;

    // Starts a lookup; false (nothing started) when no service is offered.
    bool start(const QString& isbn, const LookupSettings& settings);
    // From start until the last service has reported its end.
    bool isRunning() const { return m_running; }
    int hits() const { return m_hits; }
    // Whether an offered service answered during the lookup.
    bool reachedAny() const { return m_reachedAny; }
    void abort();

    // The copies already stored with this ISBN, as result rows (the last two columns empty).
    // Throws DbError when the database fails.
    static QList<QStringList> localRows(CAdoConn& conn, const QString& isbn);
    // The leading digits and points of a price ("25.00元" gives 25.00, "CNY25" nothing).
    static QString NumericPrefix(const QString& text);

signals:
    // A result row: the ISBN and the eleven fields.
    void rowFound(const QStringList& row);
    // The review service's summary of the book.
    void summaryFound(const QString& summary);
    // One more service has ended (`ended` from 1 to 3; a service not offered ends at once).
    void serviceEnded(int ended);

private:
    struct Shared;
    enum class Service { Opac, Review, SecondHand };

    static void run(std::shared_ptr<Shared> shared, Service service, QString base, QString isbn, int timeout);
    void onRow(const QStringList& row);
    void onEnded(bool offered, bool reached);
    void releaseWorkers();

    std::shared_ptr<Shared> m_shared;
    std::vector<std::thread> m_workers;
    bool m_running = false;
    int m_ended = 0;
    int m_hits = 0;
    bool m_reachedAny = false;
};
