#include "remote/CountsUploader.h"

#include "core/Clock.h"
#include "db/AdoConn.h"
#include "db/Statements.h"
#include "remote/RemoteLink.h"
#include "remote/SetupIni.h"

#include <algorithm>

namespace {
qint64 count(CAdoConn& local, const QString& sql, const QVariantList& params = {})
{
    return openOrThrow(local, sql, params)->GetValue(0).toLongLong();
}

QString remoteHost() { return SetupIni::read(QStringLiteral("Net"), QStringLiteral("id")); }

struct PassResult {
    CountsUploader::Outcome outcome = CountsUploader::Outcome::Failed;
    QString failure;
};
}

LibraryCounts readLibraryCounts(CAdoConn& local)
{
    const QString loans = QStringLiteral("select count(图书编号) from jieyueinfo where 读者类别=?");
    const QString readers = QStringLiteral("select count(编号) from readerinfo where 类别=?");
    const QString student = QStringLiteral("学生");
    const QString teacher = QStringLiteral("教师");
    return {count(local, QStringLiteral("select count(图书编号) from bkinfo where 是否借出=0")),
            count(local, loans, {student}), count(local, loans, {teacher}), count(local, readers, {student}),
            count(local, readers, {teacher})};
}

CountsUploader::CountsUploader(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CountsUploader::OnTick);
}

void CountsUploader::Start()
{
    RemoteLink& link = RemoteLink::instance();
    link.Connect(link.serverAt(remoteHost()), this, [this](bool ok, const QString&) {
        m_broken = !ok;
        if (ok)
            m_timer.start();
        emit Started(ok);
    });
}

void CountsUploader::Stop() { m_timer.stop(); }

void CountsUploader::OnTick()
{
    if (m_passRunning)
        return;
    if (m_broken && m_sinceFailure.isValid() && m_sinceFailure.elapsed() < m_retryDelayMs)
        return;
    RunPass();
}

void CountsUploader::RunPass()
{
    if (m_passRunning)
        return;
    m_passRunning = true;
    RemoteLink& link = RemoteLink::instance();
    const QString school = SetupIni::read(QStringLiteral("Unit"), QStringLiteral("name"));
    if (m_broken && !school.isEmpty())
        link.Connect(link.serverAt(remoteHost()), this, [](bool, const QString&) {});
    link.Run<PassResult>(
        this,
        [school](CAdoConn& remote) -> PassResult {
            if (school.isEmpty())
                return {Outcome::NoSchool, {}};
            if (!remote.IsConnected())
                return {Outcome::Failed, remote.LastError()};
            try {
                CAdoConn local;
                if (!local.Connect(CAdoConn::LocalDatabasePath()))
                    return {Outcome::Failed, local.LastError()};
                SchoolFiguresTable(remote).updateCounts(school, readLibraryCounts(local));
                return {Outcome::Sent, {}};
            } catch (const DbError& e) {
                return {Outcome::Failed, e.text()};
            }
        },
        [this](const PassResult& result) { PassDone(result.outcome, result.failure); });
}

void CountsUploader::PassDone(Outcome outcome, const QString& failure)
{
    m_passRunning = false;
    if (outcome != Outcome::Failed) {
        m_broken = false;
        m_failedBefore = false;
        m_retryDelayMs = kFirstRetryMs;
        if (outcome == Outcome::Sent) {
            m_lastSent = Clock::instance().now();
            m_lastFailure.clear();
        }
    } else {
        m_lastFailure = failure.isEmpty() ? QStringLiteral("远程连接失败") : failure;
        if (m_failedBefore)
            m_retryDelayMs = std::min(m_retryDelayMs * 2, kLastRetryMs);
        m_broken = true;
        m_failedBefore = true;
        m_sinceFailure.restart();
    }
    emit PassFinished(outcome);
}
