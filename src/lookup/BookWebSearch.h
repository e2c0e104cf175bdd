#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <functional>

// Fetches pages from the public book-catalogue services and turns them into the eleven
// bibliographic fields of the book entry form. One object per lookup worker; it is never
// shared between threads. The fetchers never throw and never show anything: a failure
// (no connection, error status, timeout, abort) gives an empty page. Only http and https
// addresses are fetched, and redirects are followed to those schemes only.
class CBookWebSearch {
public:
    enum Field { ClassNo, Title, Author, Publisher, Pages, Format, PubDate, Edition, Price, ImageUrl, Summary };
    static constexpr int kFieldCount = 11;
    static constexpr int kMaxLines = 1000;
    static constexpr int kMaxLineBytes = 4 << 20;  // however few line ends a reply has
    static constexpr int kMaxBlocks = 1000;
    static constexpr int kBlockSize = 1023;
    static constexpr int kDefaultTimeout = 10;

    // Takes one result row: the searched ISBN, then the eleven fields.
    using RowSink = std::function<void(const QStringList& row)>;

    CBookWebSearch();
    virtual ~CBookWebSearch() = default;

    // Connect and total time of every request, in seconds.
    void SetTimeout(int seconds) { m_timeout = seconds > 0 ? seconds : kDefaultTimeout; }
    // A flag that, once set, stops the transfer under way and every later one.
    void SetAbortFlag(const std::atomic_bool* abort) { m_abort = abort; }
    // Whether any request of this object got an answer from its server.
    bool ServiceReached() const { return m_reached; }

    // The page read line by line (at most 1000 lines and 4 MB, each line ended by "\r\n",
    // trailing blanks dropped); only a reply with status 200 counts. Flag 0: the reply is
    // UTF-8, else GBK.
    QString HttpGet(const QString& address, int flag);
    // The reply as it comes, in at most 1000 blocks of 1023 bytes, sent as agent
    // "serverassistant". Flag 0: the reply is UTF-8, else GBK.
    QString HttpGetRaw(const QString& address, int flag);
    // Reply bytes as text: code page 65001 is UTF-8, anything else GBK.
    static QString ConvertCodePage(const QByteArray& bytes, int sourceCodePage);

    // The current values, blanks around them removed.
    QStringList GetFields() const;
    // The text after the count-th '>' from the marker (found from `start`) up to the next
    // '<'; GetTagText also removes every "&nbsp" (its ';' stays). "" when the marker or a
    // '>' is missing.
    static QString GetTagText(const QString& page, const QString& marker, int start, int count);
    static QString ExtractAfterMarker(const QString& page, const QString& marker, int start, int count);

    // The three services, each at its base address (scheme, host and port).
    void SearchLibraryOpac(const QString& base, const QString& isbn, const RowSink& addRow);
    void SearchReviewSiteApi(const QString& base, const QString& isbn);
    void SearchSecondHandSite(const QString& base, const QString& isbn, const RowSink& addRow);

private:
    enum class Reader { Lines, Blocks };
    QByteArray Fetch(const QString& address, Reader reader, long* status);
    bool Aborted() const { return m_abort && m_abort->load(); }

    std::array<QString, kFieldCount> m_fields;
    int m_timeout = kDefaultTimeout;
    const std::atomic_bool* m_abort = nullptr;
    bool m_reached = false;
};
