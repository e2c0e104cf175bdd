#include "support/HttpTestServer.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

HttpTestServer::HttpTestServer()
{
    qputenv("no_proxy", "127.0.0.1,localhost");
    m_process.setProgram(QStringLiteral("/usr/bin/python3"));
    m_process.setArguments({QStringLiteral(SCHOOLLIB_HTTP_SERVER), m_folder.path()});
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return;
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
    }
    m_port = m_process.readLine().trimmed().toInt();
    writeRoutes();
}

HttpTestServer::~HttpTestServer()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

QString HttpTestServer::bodyName(qsizetype index) { return QStringLiteral("body%1").arg(index); }

QString HttpTestServer::baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

void HttpTestServer::setReply(const QString& pathAndQuery, const Reply& reply)
{
    qsizetype i = 0;
    while (i < m_replies.size() && m_replies[i].first != pathAndQuery)
        ++i;
    if (i == m_replies.size())
        m_replies.append({pathAndQuery, reply});
    else
        m_replies[i].second = reply;
    QSaveFile body(m_folder.filePath(bodyName(i)));
    if (!body.open(QIODevice::WriteOnly) || body.write(reply.body) != reply.body.size() || !body.commit())
        qFatal("cannot write a reply for the test server");
    writeRoutes();
}

void HttpTestServer::clearReplies()
{
    m_replies.clear();
    writeRoutes();
}

// The server reads the table afresh for every request: write it whole, then rename.
void HttpTestServer::writeRoutes() const
{
    QJsonObject routes;
    for (qsizetype i = 0; i < m_replies.size(); ++i) {
        const Reply& reply = m_replies[i].second;
        routes.insert(m_replies[i].first, QJsonObject{{QStringLiteral("body"), bodyName(i)},
                                                      {QStringLiteral("status"), reply.status},
                                                      {QStringLiteral("delay"), reply.delaySeconds},
                                                      {QStringLiteral("chunk"), reply.chunkBytes},
                                                      {QStringLiteral("cut"), reply.cutAfter},
                                                      {QStringLiteral("location"), QString::fromUtf8(reply.location)}});
    }
    QSaveFile file(m_folder.filePath(QStringLiteral("routes.json")));
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(routes).toJson()) < 0 || !file.commit())
        qFatal("cannot write the routes of the test server");
}

QList<HttpTestServer::Request> HttpTestServer::requests() const
{
    QList<Request> all;
    QFile log(m_folder.filePath(QStringLiteral("requests.log")));
    if (!log.open(QIODevice::ReadOnly))
        return all;
    for (const QByteArray& line : log.readAll().split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (!o.isEmpty())
            all.append({o.value(QStringLiteral("path")).toString(), o.value(QStringLiteral("query")).toString(),
                        o.value(QStringLiteral("agent")).toString()});
    }
    return all;
}

void HttpTestServer::clearRequests() { QFile::remove(m_folder.filePath(QStringLiteral("requests.log"))); }

QByteArray reply(const char* name)
{
    QFile file(QStringLiteral(SCHOOLLIB_REPLIES "/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no reply %s", name);
    return file.readAll();
}
