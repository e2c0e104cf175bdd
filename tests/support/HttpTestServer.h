#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real HTTP server on 127.0.0.1 (tests/support/http-server.py under Debian's python3)
// for one test program: it answers with the replies a test sets and logs every request.
// Starting it also sets no_proxy, so that requests to it never go through a proxy.
class HttpTestServer {
public:
    struct Reply {
        QByteArray body;
        int status = 200;
        double delaySeconds = 0;
        int chunkBytes = 0;  // 0: the body in one piece
        int cutAfter = -1;   // close after this many bytes of the body; -1: send it whole
        QByteArray location = {};  // sent as the Location header when not empty (a redirect)
    };
    struct Request {
        QString path;
        QString query;
        QString agent;
    };

    HttpTestServer();
    ~HttpTestServer();

    bool isReady() const { return m_port > 0; }
    // "http://127.0.0.1:port"
    QString baseUrl() const;
    // The reply to "/path?query" (exactly), or to "/path" whatever the query.
    void setReply(const QString& pathAndQuery, const Reply& reply);
    void setReply(const QString& pathAndQuery, const QByteArray& body) { setReply(pathAndQuery, Reply{body}); }
    void clearReplies();
    QList<Request> requests() const;
    void clearRequests();

private:
    static QString bodyName(qsizetype index);
    void writeRoutes() const;

    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
    QList<QPair<QString, Reply>> m_replies;
};

// A reply page stored beside the lookup tests (their folder "replies"); the test stops when
// it is missing.
QByteArray reply(const char* name);
