#pragma once

#include "remote/SchoolFigures.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class CAdoConn;

// The library's five current counts as far as they can be read from the local database:
// copies in stock, loans to readers of the types 学生 and 教师, and readers of those two
// types. Each count that cannot be read is left 0 and counted in `unread`, with the
// database's reason in `failure`.
struct LibraryCountsRead {
    LibraryCounts counts;
    int unread = 0;
    QString failure;
};
LibraryCountsRead readLibraryCounts(CAdoConn& local);

// Keeps the school's counts in table1 current while the lending window is open: once a
// second it counts afresh on a local connection of its own and writes the counts into
// the row named by setup.ini [Unit] name, all of it on the remote link's thread. Nothing
// is lost while the server is down, as every pass sends the counts of its moment; a
// failed pass is only recorded here, and the next passes reconnect first, after 1 s, then
// after twice as long each time, at most a minute apart. A count that cannot be read is
// told (CountFailed, once for each such count) and the pass sends nothing: a school's row
// never gets a count that was not read. The next pass comes only once the window has
// answered, so a lasting fault brings its messages back one pass at a time.
class CountsUploader : public QObject {
    Q_OBJECT
public:
    enum class Outcome { None, Sent, NoSchool, CountFailed, Failed };
    Q_ENUM(Outcome)

    explicit CountsUploader(QObject* parent = nullptr);

    // Opens the remote connection to setup.ini [Net] id; Started tells whether it opened,
    // and only then do the passes begin.
    void Start();
    void Stop();

    // One pass now, unless one is running.
    void RunPass();
    bool PassRunning() const { return m_passRunning; }

    QDateTime LastSent() const { return m_lastSent; }
    QString LastFailure() const { return m_lastFailure; }
    // How long after the last failure the next pass may reconnect.
    int RetryDelayMs() const { return m_retryDelayMs; }

    static constexpr int kTickMs = 1000;
    static constexpr int kFirstRetryMs = 1000;
    static constexpr int kLastRetryMs = 60000;

signals:
    void Started(bool connected);
    void CountFailed();
    void PassFinished(CountsUploader::Outcome outcome);

private:
    void OnTick();
    void PassDone(Outcome outcome, const QString& failure, int unread);

    QTimer m_timer;
    bool m_passRunning = false;
    bool m_broken = false;
    bool m_failedBefore = false;
    QElapsedTimer m_sinceFailure;
    int m_retryDelayMs = kFirstRetryMs;
    QDateTime m_lastSent;
    QString m_lastFailure;
};
