#pragma once

#include "db/MariaDbBackend.h"

#include <QObject>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <functional>
#include <map>
#include <memory>

class CAdoConn;

// The link to the education authority's server. The application's remote connection
// (m_adoRemote) belongs to one worker thread of the link: every remote step is a job
// queued to that thread and run there in order, and its result comes back to the asking
// window's thread, so no window waits for the network. A job whose window has gone in
// the meantime still runs; only its answer is dropped.
class RemoteLink : public QObject {
    Q_OBJECT
public:
    static RemoteLink& instance();
    ~RemoteLink() override;

    // The server at this address; port, user, password and database are the system's own
    // unless setup.ini [Remote] port, user, pwd, database say otherwise.
    RemoteServer serverAt(const QString& host) const;
    // How long a step may wait for the server (tests shorten it).
    void setTimeoutSeconds(int seconds) { m_timeoutSeconds = seconds; }

    // Whether the connection was opened in this run and has not failed to reopen since.
    bool IsOpen() const { return m_open; }

    // Opens the connection anew (replacing the one held); done(ok, error) on the caller's thread.
    void Connect(const RemoteServer& server, QObject* context, std::function<void(bool, QString)> done);
    // Connects a connection of its own to the server and closes it again: a test of the
    // address that leaves the link's connection as it is.
    void Probe(const RemoteServer& server, QObject* context, std::function<void(bool, QString)> done);

    // Runs `job` on the link's thread with the connection and hands its result to `done`.
    template <typename Result>
    void Run(QObject* context, std::function<Result(CAdoConn&)> job, std::function<void(const Result&)> done)
    {
        auto result = std::make_shared<Result>();
        Enqueue(context, [job, result](CAdoConn& conn) { *result = job(conn); }, [done, result] { done(*result); });
    }

private:
    RemoteLink();
    void Enqueue(QObject* context, std::function<void(CAdoConn&)> work, std::function<void()> finish);
    void Finish(quint64 id);

    struct Pending {
        QPointer<QObject> context;
        std::function<void()> finish;
    };
    QThread m_thread;
    QObject* m_worker = nullptr;  // lives on m_thread
    std::map<quint64, Pending> m_pending;
    quint64 m_next = 0;
    std::atomic<bool> m_open{false};
    std::atomic<int> m_timeoutSeconds{5};
};
