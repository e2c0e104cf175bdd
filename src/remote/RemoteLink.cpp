#include "remote/RemoteLink.h"

#include "db/AppState.h"
#include "remote/SetupIni.h"

RemoteLink& RemoteLink::instance()
{
    static RemoteLink link;
    return link;
}

RemoteLink::RemoteLink()
{
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("remote link"));
    m_thread.start();
}

RemoteLink::~RemoteLink()
{
    m_thread.quit();
    m_thread.wait();
}

RemoteServer RemoteLink::serverAt(const QString& host) const
{
    const SetupIni ini;
    RemoteServer server;
    server.host = host;
    bool portOk = false;
    const int port = ini.value(QStringLiteral("Remote"), QStringLiteral("port")).toInt(&portOk);
    server.port = portOk && port > 0 ? port : 3306;
    server.user = ini.value(QStringLiteral("Remote"), QStringLiteral("user"), QStringLiteral("root"));
    server.password = ini.value(QStringLiteral("Remote"), QStringLiteral("pwd"), QStringLiteral("qelvatrunxmops"));
    server.database = ini.value(QStringLiteral("Remote"), QStringLiteral("database"), QStringLiteral("books"));
    server.timeoutSeconds = m_timeoutSeconds;
    return server;
}

void RemoteLink::Enqueue(QObject* context, std::function<void(CAdoConn&)> work, std::function<void()> finish)
{
    const quint64 id = ++m_next;
    m_pending[id] = {context, std::move(finish)};
    QMetaObject::invokeMethod(
        m_worker,
        [this, id, work = std::move(work)] {
            work(theApp().m_adoRemote);
            QMetaObject::invokeMethod(this, [this, id] { Finish(id); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void RemoteLink::Finish(quint64 id)
{
    const auto it = m_pending.find(id);
    if (it == m_pending.end())
        return;
    const Pending pending = std::move(it->second);
    m_pending.erase(it);
    if (pending.context)
        pending.finish();
}

void RemoteLink::Connect(const RemoteServer& server, QObject* context, std::function<void(bool, QString)> done)
{
    struct Outcome {
        bool ok = false;
        QString error;
    };
    Run<Outcome>(
        context,
        [this, server](CAdoConn& conn) {
            Outcome outcome{conn.ConnectRemote(server), conn.LastError()};
            m_open = outcome.ok;
            return outcome;
        },
        [done](const Outcome& outcome) { done(outcome.ok, outcome.error); });
}

void RemoteLink::Probe(const RemoteServer& server, QObject* context, std::function<void(bool, QString)> done)
{
    struct Outcome {
        bool ok = false;
        QString error;
    };
    Run<Outcome>(
        context,
        [server](CAdoConn&) {
            CAdoConn own;
            Outcome outcome{own.ConnectRemote(server), own.LastError()};
            own.ExitConnect();
            return outcome;
        },
        [done](const Outcome& outcome) { done(outcome.ok, outcome.error); });
}
