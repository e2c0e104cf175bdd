#include "remote/CountsUploader.h"

#include "core/Clock.h"
#include "db/AdoConn.h"
#include "db/Statements.h"
#include "remote/RemoteLink.h"
#include "remote/SetupIni.h"

#include <algorithm>

namespace {
QString remoteHost() { return SetupIni::read(QStringLiteral("Net"), QStringLiteral("id")); }

struct PassResult {
    CountsUploader::Outcome outcome = CountsUploader::Outcome::Failed;
    QString failure;
    int unread = 0;
};

constexpr int kCounts = 5;
}

LibraryCountsRead readLibraryCounts(CAdoConn& local)
{
    LibraryCountsRead read;
    const auto count = [&](qint64& target, const QString& sql, const QVariantList& params = {}) {
        try {
            target = openOrThrow(local, sql, params)->GetValue(0).toLongLong();
        } catch (const DbError& e) {
            ++read.unread;
            read.failure = e.text();
        }
    };
    const QString loans = QStringLiteral("select count(图书编号) from jieyueinfo where 读者类别=?");
    const QString readers = QStringLiteral("select count(编号) from readerinfo where 类别=?");
    const QString student = QStringLiteral("学生");
    const QString teacher = QStringLiteral("教师");
    LibraryCounts& c = read.counts;
    count(c.inStock, QStringLiteral("select count(图书编号) from bkinfo where 是否借出=0"));
    count(c.studentLoans, loans, {student});
    count(c.teacherLoans, loans, {teacher});
    count(c.students, readers, {student});
    count(c.teachers, readers, {teacher});
    return read;
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
            CAdoConn local;
            if (!local.Connect(CAdoConn::LocalDatabasePath()))
                return {Outcome::CountFailed, local.LastError(), kCounts};
            const LibraryCountsRead read = readLibraryCounts(local);
            if (read.unread > 0)
                return {Outcome::CountFailed, read.failure, read.unread};
            if (!remote.IsConnected())
                return {Outcome::Failed, remote.LastError()};
            try {
                SchoolFiguresTable(remote).updateCounts(school, read.counts);
                return {Outcome::Sent, {}};
            } catch (const DbError& e) {
                return {Outcome::Failed, e.text()};
            }
        },
        [this](const PassResult& result) { PassDone(result.outcome, result.failure, result.unread); });
}

void CountsUploader::PassDone(Outcome outcome, const QString& failure, int unread)
{
    // The pass counts as running until every count failure is answered: the ticks that come
    // while a message is open start no pass of their own.
    for (int i = 0; i < unread; ++i)
        emit CountFailed();
    m_passRunning = false;
    if (outcome == Outcome::CountFailed) {
        m_lastFailure = failure;
    } else if (outcome != Outcome::Failed) {
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
