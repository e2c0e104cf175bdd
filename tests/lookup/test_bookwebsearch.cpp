// The web fetcher and the catalogue reply parsers, against a real HTTP server on 127.0.0.1.
#include "lookup/BookWebSearch.h"
#include "lookup/CatalogueReplies.h"
#include "core/TextCodec.h"
#include "support/HttpTestServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace {
const QString kIsbn = QStringLiteral("9787020002207");
const QString kSession = QStringLiteral("/F/SESSION-4711");

// A hostile reply of 1 MB took a worker 6 to 20 seconds; now a second at most, given room
// in the instrumented build, which runs several times slower.
#ifdef __SANITIZE_ADDRESS__
constexpr qint64 kHostileReplyMs = 4000;
#else
constexpr qint64 kHostileReplyMs = 1000;
#endif

// The catalogue numbers its records 000001 to 000009, then 000010 on: four zeros before
// any number from 10, so that the hundredth is 0000100.
QString recordQuery(int hit)
{
    return QStringLiteral("func=full-set-set&set_number=000321&set_entry=%1%2&format=999")
        .arg(hit <= 9 ? "00000" : "0000")
        .arg(hit);
}
}

class TestBookWebSearch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_server.isReady()); }
    void init()
    {
        m_server.clearReplies();
        m_server.clearRequests();
    }

    void lineReader_data()
    {
        QTest::addColumn<HttpTestServer::Reply>("served");
        QTest::addColumn<QString>("page");
        QByteArray lines;
        QStringList expected;
        for (int i = 0; i < 1500; ++i) {
            lines += "第" + QByteArray::number(i) + "行\r\n";
            if (i < 1000)
                expected << QStringLiteral("第%1行").arg(i);
        }
        QTest::newRow("utf-8, line ends made CRLF, trailing blanks dropped")
            << HttpTestServer::Reply{"<p>中文</p>\n<p>b</p>  \n\n"} << QStringLiteral("<p>中文</p>\r\n<p>b</p>");
        QTest::newRow("1000 lines at most") << HttpTestServer::Reply{lines} << expected.join(QStringLiteral("\r\n"));
        QTest::newRow("4 MB at most, line ends or not")
            << HttpTestServer::Reply{QByteArray(CBookWebSearch::kMaxLineBytes + 100000, 'a')}
            << QString(CBookWebSearch::kMaxLineBytes, QLatin1Char('a'));
        QTest::newRow("status 404") << HttpTestServer::Reply{"gone", 404} << QString();
        QTest::newRow("status 500") << HttpTestServer::Reply{"broken", 500} << QString();
        QTest::newRow("cut reply keeps what came") << HttpTestServer::Reply{"abc\ndef\nghi", 200, 0, 0, 6}
                                                   << QStringLiteral("abc\r\nde");
    }
    void lineReader()
    {
        QFETCH(HttpTestServer::Reply, served);
        m_server.setReply(QStringLiteral("/page"), served);
        CBookWebSearch search;
        QTEST(search.HttpGet(url(QStringLiteral("/page")), 0), "page");
        QVERIFY(search.ServiceReached());
        QCOMPARE(m_server.requests().value(0).agent, QString());
    }

    void blockReader_data()
    {
        QTest::addColumn<HttpTestServer::Reply>("served");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("page");
        const QByteArray across = QByteArray(1022, 'x') + "中文" + QByteArray(1021, 'y') + "书";
        QTest::newRow("characters across 1023-byte blocks")
            << HttpTestServer::Reply{across, 200, 0, 1023} << 0 << QString::fromUtf8(across);
        QTest::newRow("1000 blocks at most") << HttpTestServer::Reply{QByteArray(1100000, 'a')} << 0
                                             << QString(1000 * 1023, QLatin1Char('a'));
        QTest::newRow("GBK with another flag") << HttpTestServer::Reply{toGbk(QStringLiteral("图书"))} << 1
                                               << QStringLiteral("图书");
        QTest::newRow("error page read as it comes") << HttpTestServer::Reply{"not here", 404} << 0
                                                     << QStringLiteral("not here");
    }
    void blockReader()
    {
        QFETCH(HttpTestServer::Reply, served);
        QFETCH(int, flag);
        m_server.setReply(QStringLiteral("/raw"), served);
        CBookWebSearch search;
        QTEST(search.HttpGetRaw(url(QStringLiteral("/raw")), flag), "page");
        QCOMPARE(m_server.requests().value(0).agent, QStringLiteral("serverassistant"));
    }

    void silentServiceTimesOut()
    {
        m_server.setReply(QStringLiteral("/slow"), HttpTestServer::Reply{"late", 200, 4});
        CBookWebSearch search;
        search.SetTimeout(1);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(search.HttpGetRaw(url(QStringLiteral("/slow")), 0), QString());
        QVERIFY(clock.elapsed() < 2500);
        QVERIFY(!search.ServiceReached());
    }

    void nothingListening()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        CBookWebSearch search;
        QCOMPARE(search.HttpGet(QStringLiteral("http://127.0.0.1:%1/F").arg(port), 0), QString());
        QVERIFY(!search.ServiceReached());
    }

    // A hostile page names a local file as the search form; the record in that file never
    // reaches the results.
    void formActionOfAnotherScheme()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString secret = folder.filePath(QStringLiteral("hits.html"));
        QFile file(secret);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reply("opac-hits.html").replace("{count}", "1").replace("{record}",
                                                                          reply("opac-record.html").replace("{title}", "机密")));
        file.close();
        m_server.setReply(QStringLiteral("/F"), reply("opac-entry.html").replace("{base}/F/SESSION-4711",
                                                                                 QUrl::fromLocalFile(secret).toEncoded()));
        QCOMPARE(searchOpac(), QList<QStringList>());
    }

    // Redirects are followed to the web only: one to another scheme never connects.
    void redirects_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("page");
        QTest::newRow("http") << "http" << "arrived";
        QTest::newRow("ftp") << "ftp" << "";
        QTest::newRow("file") << "file" << "";
    }
    void redirects()
    {
        QFETCH(QString, scheme);
        QTcpServer other;
        QVERIFY(other.listen(QHostAddress::LocalHost));
        const QString target = scheme == QLatin1String("http") ? url(QStringLiteral("/target"))
                             : scheme == QLatin1String("file")
                                 ? QUrl::fromLocalFile(QStringLiteral(SCHOOLLIB_REPLIES "/review.xml")).toString()
                                 : QStringLiteral("ftp://127.0.0.1:%1/target").arg(other.serverPort());
        m_server.setReply(QStringLiteral("/moved"), HttpTestServer::Reply{"moved", 302, 0, 0, -1, target.toUtf8()});
        m_server.setReply(QStringLiteral("/target"), "arrived");
        CBookWebSearch search;
        search.SetTimeout(1);
        QTEST(search.HttpGetRaw(url(QStringLiteral("/moved")), 0), "page");
        QVERIFY(!other.waitForNewConnection(100));
    }

    void tagText()
    {
        const QString cell = QStringLiteral("<td>出版项</td><td>北京&nbsp;:&nbsp;人民出版社</td>");
        QCOMPARE(CBookWebSearch::GetTagText(cell, QStringLiteral("出版项"), 0, 2), QStringLiteral("北京;:;人民出版社"));
        QCOMPARE(CBookWebSearch::ExtractAfterMarker(cell, QStringLiteral("出版项"), 0, 2),
                 QStringLiteral("北京&nbsp;:&nbsp;人民出版社"));
        QCOMPARE(CBookWebSearch::GetTagText(cell, QStringLiteral("出版项"), 0, 5), QString());
        QCOMPARE(CBookWebSearch::GetTagText(cell, QStringLiteral("出版项"), 10, 1), QString());
        QCOMPARE(CBookWebSearch::ExtractAfterMarker(QStringLiteral("<p>作者：张三"), QStringLiteral("<p>"), 0, 1),
                 QStringLiteral("作者：张三"));
    }

    void opacCuts_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("hits");
        QTest::addColumn<QString>("recordBase");
        QTest::newRow("all there")
            << QStringLiteral("<form method=get name=form1 action=\"http://h/F/S1\" onsubmit=\"x\">"
                              " 条记录(共 7 条) var nextp=escape( 'http://h/F/S1?a=1&set_entry=');")
            << QStringLiteral("http://h/F/S1") << 7 << QStringLiteral("http://h/F/S1?a=1&set_entry=");
        QTest::newRow("onsubmit ahead of the form") << QStringLiteral("onsubmit <form method=get name=form1 action=\"x\" ")
                                                    << QString() << -1 << QString();
        QTest::newRow("count without its end") << QStringLiteral("条记录(共 7") << QString() << -1 << QString();
        QTest::newRow("count not a number") << QStringLiteral("条记录(共 many条)") << QString() << 0 << QString();
        // The count is read from one GBK byte after the marker, as atoi reads it.
        QTest::newRow("count right after the marker: its first digit passed")
            << QStringLiteral("条记录(共12条)") << QString() << 2 << QString();
        QTest::newRow("a full-width blank after the marker is cut in half")
            << QStringLiteral("条记录(共\u30007 条)") << QString() << 0 << QString();
        QTest::newRow("a full-width blank stops atoi") << QStringLiteral("条记录(共 \u30007 条)") << QString() << 0
                                                       << QString();
        QTest::newRow("record base too short") << QStringLiteral("var nextp=&set_entry=") << QString() << -1 << QString();
    }
    void opacCuts()
    {
        QFETCH(QString, page);
        QTEST(CatalogueReplies::opacFormAddress(page), "form");
        QTEST(CatalogueReplies::opacHitCount(page), "hits");
        QTEST(CatalogueReplies::opacRecordBase(page), "recordBase");
    }

    void opacHits_data()
    {
        QTest::addColumn<int>("hits");
        QTest::addColumn<QString>("lastEntry");
        QTest::newRow("one hit: the list is the record") << 1 << QString();
        QTest::newRow("12 hits") << 12 << QStringLiteral("set_entry=000012&");
        QTest::newRow("100 hits") << 100 << QStringLiteral("set_entry=0000100&");
    }
    void opacHits()
    {
        QFETCH(int, hits);
        serveOpac(hits, hits);
        const QList<QStringList> rows = searchOpac();
        QCOMPARE(rows.size(), hits);
        QCOMPARE(rows.first(), QStringList({"9787020002207", "I242.4", hits == 1 ? "红楼梦" : "第1册", "曹雪芹",
                                            "人民文学出版社,", "1606页", "", "1996", "", "59.70", "", ""}));
        QStringList recordRequests;
        for (const HttpTestServer::Request& r : m_server.requests())
            if (r.query.contains(QStringLiteral("set_entry")))
                recordRequests << r.query;
        QStringList expected;
        for (int hit = 1; hit <= hits && hits > 1; ++hit)
            expected << recordQuery(hit);
        QCOMPARE(recordRequests, expected);
        QFETCH(QString, lastEntry);
        QVERIFY(recordRequests.isEmpty() || recordRequests.last().contains(lastEntry));
    }

    void opacStopsWithoutRecordHead()
    {
        serveOpac(5, 2);
        const QList<QStringList> rows = searchOpac();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[1][2], QStringLiteral("第2册"));
        QCOMPARE(m_server.requests().last().query, recordQuery(3));
    }

    void reviewEntry_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QStringList>("fields");
        const QByteArray entry = reply("review.xml");
        const QStringList full{"", "红楼梦", "高鹗", "人民文学出版社", "1606", "", "1996-12", "", "38.00",
                               "http://img.example.org/s1070959.jpg",
                               "《红楼梦》是一部百科全书式的长篇小说。<以宝黛爱情悲剧为主线>"};
        QTest::newRow("price 38.00元") << QByteArray(entry).replace("{price}", "38.00元") << full;
        QByteArray late = QByteArray(entry).replace("{price}", "38.00元");
        late.replace("  <link rel=\"image\" href=\"http://img.example.org/s1070959.jpg\"/>\n", "");
        late.replace("<db:attribute name=\"isbn13\">", "<link rel=\"image\" href=\"late.jpg\"/><db:attribute name=\"isbn13\">");
        QStringList summaryPassed = full;
        summaryPassed[CBookWebSearch::ImageUrl] = QStringLiteral("late.jpg");
        summaryPassed[CBookWebSearch::Summary].clear();
        QTest::newRow("a link after the summary: reading forward passes the summary") << late << summaryPassed;
        QStringList blanks(CBookWebSearch::kFieldCount);
        blanks[CBookWebSearch::Author] = QStringLiteral("Zhang San");
        QTest::newRow("blanks around a value") << QByteArray("<entry><db:attribute name=\"author\">  Zhang San </db:attribute></entry>")
                                               << blanks;
        QStringList fullWidth(CBookWebSearch::kFieldCount);
        fullWidth[CBookWebSearch::Author] = QStringLiteral("\u3000Zhang San");
        QTest::newRow("a full-width blank is text")
            << QStringLiteral("<entry><db:attribute name=\"author\">\u3000Zhang San\t</db:attribute></entry>").toUtf8()
            << fullWidth;
        QTest::newRow("not XML") << QByteArray("<html><body>busy</body></html>") << QStringList(CBookWebSearch::kFieldCount);
    }
    void reviewEntry()
    {
        QFETCH(QByteArray, entry);
        m_server.setReply(CatalogueReplies::reviewPath(kIsbn), entry);
        CBookWebSearch search;
        search.SearchReviewSiteApi(m_server.baseUrl(), kIsbn);
        QTEST(search.GetFields(), "fields");
        QCOMPARE(m_server.requests().value(0).path, QStringLiteral("/book/subject/isbn/9787020002207"));
    }

    // A hostile entry of 1 MB is read within a second, its fetch included, and what stands
    // before the junk is still found.
    void hostileReviewEntry_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::newRow("stray end tags under deep nesting") << hostileEntry("<a>", "</b>");
        QTest::newRow("nested elements never ended") << hostileEntry("<q><u>", "</q>");
    }
    void hostileReviewEntry()
    {
        QFETCH(QByteArray, entry);
        m_server.setReply(CatalogueReplies::reviewPath(kIsbn), entry);
        CBookWebSearch search;
        QElapsedTimer clock;
        clock.start();
        search.SearchReviewSiteApi(m_server.baseUrl(), kIsbn);
        QVERIFY2(clock.elapsed() < kHostileReplyMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(search.GetFields().value(CBookWebSearch::Title), QStringLiteral("红楼梦"));
    }

    void abortedEntryIsNotRead()
    {
        const QString entry = QString::fromUtf8(reply("review.xml").replace("{price}", "38.00元"));
        std::atomic_bool aborted{false};
        QCOMPARE(CatalogueReplies::reviewFields(entry, &aborted).value(CBookWebSearch::Title), QStringLiteral("红楼梦"));
        aborted = true;
        QCOMPARE(CatalogueReplies::reviewFields(entry, &aborted), QStringList(CBookWebSearch::kFieldCount));
    }

    void secondHandOffers_data()
    {
        QTest::addColumn<int>("offers");
        QTest::addColumn<int>("rows");
        // The last marker kept only ends the block of the offer before it.
        QTest::newRow("one") << 1 << 0;
        QTest::newRow("two") << 2 << 1;
        QTest::newRow("three") << 3 << 2;
        QTest::newRow("ten") << 10 << 9;
        QTest::newRow("eleven: the first nine") << 11 << 9;
        QTest::newRow("none") << 0 << 0;
    }
    void secondHandOffers()
    {
        QFETCH(int, offers);
        QByteArray list;
        for (int n = 1; n <= offers; ++n)
            list += QByteArray(reply("secondhand-offer.html")).replace("{n}", QByteArray::number(n));
        m_server.setReply(QStringLiteral("/product/y0zk39k37k38k37k30k32k30k30k30k32k32k30k37/"),
                          reply("secondhand.html").replace("{offers}", list));
        QList<QStringList> rows;
        CBookWebSearch search;
        search.SearchSecondHandSite(m_server.baseUrl(), kIsbn, [&](const QStringList& r) { rows << r; });
        QTEST(int(rows.size()), "rows");
        if (!rows.isEmpty())
            QCOMPARE(rows.last(), QStringList({"9787020002207", "", QStringLiteral("红楼梦（第%1册）").arg(rows.size()),
                                               "曹雪芹", "人民文学出版社", "", "32开", "1996-12",
                                               QStringLiteral("第%1版").arg(rows.size()), "", "", ""}));
    }

    void secondHandFieldsStayInTheirOffer()
    {
        const QString page = QStringLiteral("<div class=\"result_tit\"><a>甲</a></div><p>出版社：</p>"
                                            "<div class=\"result_tit\"><a>乙</a></div><p>作者：李四</p><p>版次</p>"
                                            "<div class=\"result_tit\"><a>丙</a></div><p>版次：第三版</p>");
        const QList<QStringList> rows = CatalogueReplies::secondHandRows(page, kIsbn);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0][3], QString());
        QCOMPARE(rows[0][4], QString());
        QCOMPARE(rows[1][3], QStringLiteral("李四"));
        QCOMPARE(rows[1][1 + CBookWebSearch::Edition], QString());
    }

    void secondHandMarkersCloseTogether_data()
    {
        QTest::addColumn<QString>("between");
        QTest::addColumn<int>("rows");
        QTest::newRow("29 characters after the last marker's start") << QStringLiteral("<p/> ") << 1;
        QTest::newRow("30 characters after") << QStringLiteral("<p/>  ") << 2;
        QTest::newRow("28 bytes in GBK after") << QStringLiteral("甲乙") << 1;
        QTest::newRow("30 bytes in GBK after") << QStringLiteral("甲乙丙") << 2;
    }
    void secondHandMarkersCloseTogether()
    {
        QFETCH(QString, between);
        const QString marker = QStringLiteral("<div class=\"result_tit\">");
        const QString page = marker + between + marker + QStringLiteral("<a>乙</a></div><p>作者：李四</p>") + marker;
        const QList<QStringList> rows = CatalogueReplies::secondHandRows(page, kIsbn);
        QTEST(int(rows.size()), "rows");
        QCOMPARE(rows.last()[3], QStringLiteral("李四"));
    }
private:
    QString url(const QString& path) const { return m_server.baseUrl() + path; }
    // A title, then 1 MB of the opening markup (half of it) and the closing markup, inside
    // one entry.
    static QByteArray hostileEntry(const QByteArray& opening, const QByteArray& closing)
    {
        constexpr int kSize = 1000000;
        QByteArray entry = "<entry><db:attribute name=\"title\">红楼梦</db:attribute>";
        entry.reserve(kSize);
        while (entry.size() < kSize / 2)
            entry += opening;
        while (entry.size() < kSize - 16)
            entry += closing;
        return entry + "</entry>";
    }
    // The catalogue's three kinds of page; records from `recordsWithHead` on lack "头标区".
    void serveOpac(int hits, int recordsWithHead)
    {
        const QByteArray base = m_server.baseUrl().toUtf8();
        QByteArray record = reply("opac-record.html");
        m_server.setReply(QStringLiteral("/F"), reply("opac-entry.html").replace("{base}", base));
        QByteArray hitList = reply("opac-hits.html").replace("{base}", base).replace("{count}", QByteArray::number(hits));
        hitList.replace("{record}", hits == 1 ? QByteArray(record).replace("{title}", "红楼梦") : QByteArray());
        const QString query = CatalogueReplies::opacSearchQuery(kIsbn);
        m_server.setReply(kSession + query, hitList);
        for (int hit = 1; hit <= hits; ++hit) {
            QByteArray page = QByteArray(record).replace("{title}", "第" + QByteArray::number(hit) + "册");
            if (hit > recordsWithHead)
                page.replace("头标区", "记录头");
            m_server.setReply(kSession + "?" + recordQuery(hit), page);
        }
    }

    QList<QStringList> searchOpac()
    {
        QList<QStringList> rows;
        CBookWebSearch search;
        search.SearchLibraryOpac(m_server.baseUrl(), kIsbn, [&](const QStringList& r) { rows << r; });
        return rows;
    }

    HttpTestServer m_server;
};

QTEST_GUILESS_MAIN(TestBookWebSearch)
#include "test_bookwebsearch.moc"
