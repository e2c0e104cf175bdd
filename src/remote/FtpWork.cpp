#include "remote/FtpWork.h"

std::atomic<int> FtpWork::s_timeoutSeconds{15};

FtpWork::FtpWork(QObject* parent) : QObject(parent) {}

FtpWork::~FtpWork()
{
    Abort();
    if (m_thread)
        m_thread->wait();
}

void FtpWork::SetTimeoutSeconds(int seconds) { s_timeoutSeconds = seconds; }

void FtpWork::Abort()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_aborted = true;
    if (m_client)
        m_client->abort();
}

void FtpWork::Cancel()
{
    m_cancelled = true;
    Abort();
}

bool FtpWork::Launch(const FtpAccount& account, std::function<void(FtpClient&, FtpWork&)> step,
                     std::function<void()> done)
{
    if (m_thread || m_cancelled)
        return false;
    m_aborted = false;
    m_thread.reset(QThread::create([this, account, step] {
        FtpClient client(account, s_timeoutSeconds);
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_client = &client;
            // An abort that came before the client existed still counts.
            if (m_aborted)
                client.abort();
        }
        step(client, *this);
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_client = nullptr;
    }));
    connect(m_thread.get(), &QThread::finished, this, [this, done] {
        m_thread->wait();
        m_thread.reset();
        emit BusyChanged(false);
        if (!m_cancelled)
            done();
    });
    m_thread->start();
    emit BusyChanged(true);
    return true;
}
