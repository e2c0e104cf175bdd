#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

class QFile;
typedef void CURL;

// Where an FTP server is and how to log in to it. Port 0 is the protocol's own, 21.
struct FtpAccount {
    QString host;
    int port = 0;
    QString user;
    QString password;
};

// Whether the name is one under which an upload works (NAME.part while the file comes,
// NAME.old while it replaces an earlier file): what a cut upload leaves, never a whole file.
bool isUploadPiece(const QString& name);

// One FTP session as the statistics exchange uses it: active mode, binary transfers,
// names relative to the folder the server logs the user in to, sent in GBK as the
// schools' servers expect. Every step waits at most the timeout for the server; a step
// in progress stops soon after abort(), which any thread may call. Not for use by two
// threads at once otherwise.
class FtpClient {
public:
    explicit FtpClient(FtpAccount account, int timeoutSeconds = 15);
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    bool login();
    // The files (not folders) of the login folder, asked of the server afresh, without the
    // pieces of uploads.
    bool list(QStringList* names);
    // Sends the file under a temporary name and renames it when the whole file came: a cut
    // transfer leaves the server's file of that name as it was. Where the server refuses
    // that way (an account that may store but not rename), the file is stored under its name.
    bool put(const QString& localPath, const QString& remoteName);

    enum class Fetch { Fetched, Exists, Failed };
    // Fetches into a temporary file beside the target, renamed to it only when the whole
    // file came and no file of that name has appeared meanwhile: a cut transfer leaves
    // nothing behind and an existing file is never replaced (Exists, nothing fetched).
    Fetch get(const QString& remoteName, const QString& localPath);

    void abort() { m_abort = true; }
    bool aborted() const { return m_abort; }
    // Told the bytes moved so far by the step in progress.
    void setProgress(std::function<void(qint64)> progress) { m_progress = std::move(progress); }
    QString lastError() const { return m_error; }

private:
    bool perform(const QByteArray& path);
    // Resets the session's options for sending the file from its current position.
    void prepareUpload(QFile& file);
    bool replaceWith(const QByteArray& part, const QByteArray& name);
    bool storeUnderName(QFile& file, const QByteArray& part, const QByteArray& name);
    QByteArray url(const QByteArray& path) const;
    static int onProgress(void* self, qint64 downTotal, qint64 down, qint64 upTotal, qint64 up);

    FtpAccount m_account;
    int m_timeoutSeconds;
    CURL* m_curl;
    std::atomic<bool> m_abort{false};
    std::function<void(qint64)> m_progress;
    QString m_error;
    bool m_commandRefused = false;  // the last step failed at a command sent around its transfer
    bool m_refused = false;         // the server refused the last step (not a cut or a timeout)
};
