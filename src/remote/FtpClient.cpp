#include "remote/FtpClient.h"

#include "core/TextCodec.h"
#include "remote/FtpListing.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <curl/curl.h>

#include <mutex>

namespace {
// A listing larger than this is no folder of statistics files.
constexpr qsizetype kMaxListing = 16 * 1024 * 1024;

struct Download {
    QIODevice* file = nullptr;
    QByteArray* bytes = nullptr;
};

size_t writeBody(char* data, size_t size, size_t count, void* target)
{
    auto* download = static_cast<Download*>(target);
    const qsizetype n = qsizetype(size * count);
    if (download->file)
        return download->file->write(data, n) == n ? size_t(n) : 0;
    if (download->bytes->size() + n > kMaxListing)
        return 0;
    download->bytes->append(data, n);
    return size_t(n);
}

// An upload goes to this name beside its own and takes its own name once it is whole, so
// that a transfer cut short never leaves a truncated file under the name others fetch.
const QByteArray kPartSuffix = QByteArrayLiteral(".part");
const QByteArray kOldSuffix = QByteArrayLiteral(".old");

// FTP commands for curl to send, freed with the object.
class CurlCommands {
public:
    explicit CurlCommands(const QList<QByteArray>& commands)
    {
        for (const QByteArray& command : commands)
            m_list = curl_slist_append(m_list, command.constData());
    }
    ~CurlCommands() { curl_slist_free_all(m_list); }
    CurlCommands(const CurlCommands&) = delete;
    CurlCommands& operator=(const CurlCommands&) = delete;
    curl_slist* list() const { return m_list; }

private:
    curl_slist* m_list = nullptr;
};

size_t readBody(char* data, size_t size, size_t count, void* source)
{
    const qint64 n = static_cast<QIODevice*>(source)->read(data, qint64(size * count));
    return n < 0 ? CURL_READFUNC_ABORT : size_t(n);
}
}

bool isUploadPiece(const QString& name)
{
    return name.endsWith(QString::fromLatin1(kPartSuffix)) || name.endsWith(QString::fromLatin1(kOldSuffix));
}

FtpClient::FtpClient(FtpAccount account, int timeoutSeconds)
    : m_account(std::move(account)), m_timeoutSeconds(std::max(1, timeoutSeconds))
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_curl = curl_easy_init();
}

FtpClient::~FtpClient() { curl_easy_cleanup(m_curl); }

QByteArray FtpClient::url(const QByteArray& path) const
{
    CURLU* u = curl_url();
    QByteArray text;
    const QByteArray host = m_account.host.trimmed().toUtf8();
    const QByteArray port = QByteArray::number(m_account.port > 0 ? m_account.port : 21);
    char* full = nullptr;
    if (curl_url_set(u, CURLUPART_SCHEME, "ftp", 0) == CURLUE_OK
        && curl_url_set(u, CURLUPART_HOST, host.constData(), 0) == CURLUE_OK
        && curl_url_set(u, CURLUPART_PORT, port.constData(), 0) == CURLUE_OK
        && curl_url_set(u, CURLUPART_PATH, path.constData(), 0) == CURLUE_OK
        && curl_url_get(u, CURLUPART_URL, &full, 0) == CURLUE_OK)
        text = full;
    curl_free(full);
    curl_url_cleanup(u);
    return text;
}

int FtpClient::onProgress(void* self, qint64, qint64 down, qint64, qint64 up)
{
    auto* client = static_cast<FtpClient*>(self);
    if (client->m_progress)
        client->m_progress(down + up);
    return client->m_abort ? 1 : 0;
}

// Runs one step on the path, with the options the caller set after a reset.
bool FtpClient::perform(const QByteArray& path)
{
    m_error.clear();
    m_commandRefused = false;
    m_refused = false;
    if (m_abort) {
        m_error = QStringLiteral("已取消");
        return false;
    }
    const QByteArray address = url(path);
    if (address.isEmpty()) {
        m_error = QStringLiteral("服务器地址不对");
        return false;
    }
    const QByteArray user = m_account.user.toUtf8();
    const QByteArray password = m_account.password.toUtf8();
    char message[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(m_curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(m_curl, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(m_curl, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(m_curl, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(m_curl, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_curl, CURLOPT_CONNECTTIMEOUT, long(m_timeoutSeconds));
    curl_easy_setopt(m_curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(m_timeoutSeconds));
    curl_easy_setopt(m_curl, CURLOPT_ACCEPTTIMEOUT_MS, long(m_timeoutSeconds) * 1000);
    // A transfer that stops moving fails after the timeout, however long it ran before.
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_curl, CURLOPT_LOW_SPEED_TIME, long(m_timeoutSeconds));
    curl_easy_setopt(m_curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(m_curl, CURLOPT_XFERINFOFUNCTION, &FtpClient::onProgress);
    curl_easy_setopt(m_curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(m_curl, CURLOPT_ERRORBUFFER, message);
    const CURLcode code = curl_easy_perform(m_curl);
    curl_easy_setopt(m_curl, CURLOPT_ERRORBUFFER, nullptr);
    m_commandRefused = code == CURLE_QUOTE_ERROR;
    m_refused = m_commandRefused || code == CURLE_UPLOAD_FAILED || code == CURLE_REMOTE_ACCESS_DENIED;
    if (code == CURLE_OK)
        return true;
    m_error = code == CURLE_ABORTED_BY_CALLBACK ? QStringLiteral("已取消")
                                                : QString::fromUtf8(*message ? message : curl_easy_strerror(code));
    return false;
}

bool FtpClient::login()
{
    curl_easy_reset(m_curl);
    curl_easy_setopt(m_curl, CURLOPT_NOBODY, 1L);
    return perform("/");
}

bool FtpClient::list(QStringList* names)
{
    QByteArray listing;
    Download target{nullptr, &listing};
    curl_easy_reset(m_curl);
    curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &writeBody);
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &target);
    if (!perform("/"))
        return false;
    *names = filesInListing(listing);
    names->removeIf(isUploadPiece);
    return true;
}

void FtpClient::prepareUpload(QFile& file)
{
    curl_easy_reset(m_curl);
    curl_easy_setopt(m_curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(m_curl, CURLOPT_READFUNCTION, &readBody);
    curl_easy_setopt(m_curl, CURLOPT_READDATA, static_cast<QIODevice*>(&file));
    curl_easy_setopt(m_curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(file.size()));
}

bool FtpClient::put(const QString& localPath, const QString& remoteName)
{
    // The name goes into commands of its own, where a line break would start another.
    if (remoteName.contains(QLatin1Char('\r')) || remoteName.contains(QLatin1Char('\n'))) {
        m_error = QStringLiteral("文件名不对");
        return false;
    }
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.errorString();
        return false;
    }
    const QByteArray name = toGbk(remoteName);
    const QByteArray part = name + kPartSuffix;
    // A part or an old copy that a cut upload left goes first: a server that stores over no
    // file would refuse the part, and the pieces would stay on the server for good. Commands
    // marked * may fail (there is nothing to clear away).
    CurlCommands clear({"*DELE " + part});
    CurlCommands rename({"RNFR " + part, "RNTO " + name, "*DELE " + name + kOldSuffix});
    prepareUpload(file);
    curl_easy_setopt(m_curl, CURLOPT_QUOTE, clear.list());
    curl_easy_setopt(m_curl, CURLOPT_POSTQUOTE, rename.list());
    if (perform("/" + part.toPercentEncoding()))
        return true;
    if (!m_refused)
        return false;
    if (m_commandRefused && replaceWith(part, name))
        return true;
    return storeUnderName(file, part, name);
}

// For accounts that may store but not rename: the file goes straight under its name, as
// uploads went before they came in parts. The part goes too where the server lets it.
bool FtpClient::storeUnderName(QFile& file, const QByteArray& part, const QByteArray& name)
{
    if (!file.seek(0)) {
        m_error = file.errorString();
        return false;
    }
    CurlCommands clear({"*DELE " + part});
    prepareUpload(file);
    curl_easy_setopt(m_curl, CURLOPT_POSTQUOTE, clear.list());
    return perform("/" + name.toPercentEncoding());
}

// For servers that rename onto no existing file: the old file steps aside under a name of its
// own and goes only once the new one holds the name. A server that renames nothing keeps the
// old file. Commands marked * may fail (there is no earlier file to clear away).
bool FtpClient::replaceWith(const QByteArray& part, const QByteArray& name)
{
    const QByteArray old = name + kOldSuffix;
    CurlCommands replace(
        {"*DELE " + old, "RNFR " + name, "RNTO " + old, "RNFR " + part, "RNTO " + name, "*DELE " + old});
    curl_easy_reset(m_curl);
    curl_easy_setopt(m_curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_curl, CURLOPT_QUOTE, replace.list());
    return perform("/");
}

FtpClient::Fetch FtpClient::get(const QString& remoteName, const QString& localPath)
{
    const QFileInfo target(localPath);
    if (target.exists() || target.isSymLink())
        return Fetch::Exists;
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!part.open()) {
        m_error = part.errorString();
        return Fetch::Failed;
    }
    Download download{&part, nullptr};
    curl_easy_reset(m_curl);
    curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &writeBody);
    curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &download);
    if (!perform("/" + toGbk(remoteName).toPercentEncoding()))
        return Fetch::Failed;
    if (!part.flush()) {
        m_error = part.errorString();
        return Fetch::Failed;
    }
    part.close();
    // Never over a file that appeared meanwhile; the temporary file goes with `part`.
    if (QFile::rename(part.fileName(), target.absoluteFilePath()))
        return Fetch::Fetched;
    if (QFileInfo::exists(target.absoluteFilePath()))
        return Fetch::Exists;
    m_error = QStringLiteral("无法保存文件");
    return Fetch::Failed;
}
