#pragma once

#include "remote/FtpClient.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

// Runs a window's FTP steps on a worker thread, one at a time, and brings each result back
// to the window's thread. The window disables its buttons while Busy. Destroying the work
// (the window closing) stops the step in progress and waits for it.
class FtpWork : public QObject {
    Q_OBJECT
public:
    explicit FtpWork(QObject* parent = nullptr);
    ~FtpWork() override;

    // Stops the step in progress soon; its result still comes, as a failure.
    void Abort();
    // Stops it and drops its result: the window is going.
    void Cancel();
    // How long each step may wait for the server (tests shorten it).
    static void SetTimeoutSeconds(int seconds);

    // Runs `step` with a session for the account; false when another step is running.
    template <typename Result>
    bool Start(const FtpAccount& account, std::function<Result(FtpClient&, FtpWork&)> step,
               std::function<void(const Result&)> done)
    {
        auto result = std::make_shared<Result>();
        return Launch(account, [step, result](FtpClient& client, FtpWork& work) { *result = step(client, work); },
                      [done, result] { done(*result); });
    }

signals:
    void BusyChanged(bool busy);
    // Sent from the worker by a step (through ReportProgress); arrives on the window's thread.
    void Progress(int value);

public:
    void ReportProgress(int value) { emit Progress(value); }

private:
    bool Launch(const FtpAccount& account, std::function<void(FtpClient&, FtpWork&)> step,
                std::function<void()> done);

    std::unique_ptr<QThread> m_thread;
    std::mutex m_mutex;  // guards the two below
    FtpClient* m_client = nullptr;
    bool m_aborted = false;
    bool m_cancelled = false;
    static std::atomic<int> s_timeoutSeconds;
};
