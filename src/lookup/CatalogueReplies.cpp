#include "lookup/CatalogueReplies.h"

#include "core/NumberText.h"
#include "lookup/BookWebSearch.h"
#include "xml/XmlDoc.h"

#include <QUrl>

namespace {
constexpr int kMaxOffers = 10;
// The next offer's title marker is looked for this many bytes of the page in GBK after the
// last one's start: markers closer together than that count once.
constexpr int kOfferHead = 30;

// The position `bytes` GBK bytes on from `from` (a character cut there counts whole; no
// marker starts inside a character).
qsizetype gbkBytesOn(const QString& text, qsizetype from, int bytes)
{
    qsizetype at = from;
    for (int counted = 0; counted < bytes && at < text.size(); ++at)
        counted += text[at].unicode() < 0x80 ? 1 : 2;
    return at;
}

QString encoded(const QString& text) { return QString::fromLatin1(QUrl::toPercentEncoding(text)); }

// The leading whole number of a text, as C's atoi reads it: blanks, a sign, then digits; 0
// when there is none, and also past the int range, where atoi's result is undefined.
int leadingNumber(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && isAsciiBlank(text[start]))
        ++start;
    qsizetype end = start;
    if (end < text.size() && (text[end] == QLatin1Char('-') || text[end] == QLatin1Char('+')))
        ++end;
    while (end < text.size() && text[end] >= QLatin1Char('0') && text[end] <= QLatin1Char('9'))
        ++end;
    bool ok = false;
    const int value = text.mid(start, end - start).toInt(&ok);
    return ok ? value : 0;
}

QString beforeFirstSemicolon(const QString& cell)
{
    const qsizetype at = cell.indexOf(QLatin1Char(';'));
    return at < 0 ? QString() : cell.left(at);
}

QString fromUtf8(const QByteArray& bytes) { return QString::fromUtf8(bytes); }

// A cut that begins with its label's words ("作者：曹雪芹") gives the words after them.
QString afterLabel(const QString& cut, const QString& label)
{
    return cut.size() < label.size() ? QString() : cut.mid(label.size());
}

QStringList emptyRow(const QString& isbn)
{
    QStringList row(CBookWebSearch::kFieldCount + 1);
    row[0] = isbn;
    return row;
}
}

QString CatalogueReplies::withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && isAsciiBlank(text[end - 1]))
        --end;
    return text.left(end);
}

QString CatalogueReplies::withoutBlanks(const QString& text)
{
    return withoutLeadingAsciiBlanks(withoutTrailingBlanks(text));
}

QString CatalogueReplies::opacFormAddress(const QString& entryPage)
{
    const qsizetype a = entryPage.indexOf(QStringLiteral("form method=get name=form1 action"));
    const qsizetype b = entryPage.indexOf(QStringLiteral("onsubmit"));
    if (a < 0 || b < 0 || b - a - 37 <= 0)
        return {};
    return entryPage.mid(a + 35, b - a - 37);
}

QString CatalogueReplies::opacSearchQuery(const QString& isbn)
{
    return QStringLiteral("?func=find-b&find_code=ISB&request=%1&local_base=NLC01&filter_code_1=WLN&filter_request_1="
                          "&filter_code_2=WYR&filter_request_2=&filter_code_3=WYR&filter_request_3=&filter_code_4=WFM"
                          "&filter_request_4=&filter_code_5=WSL&filter_request_5=")
        .arg(encoded(isbn));
}

int CatalogueReplies::opacHitCount(const QString& hitList)
{
    const QString marker = QStringLiteral("条记录(共");
    const qsizetype p = hitList.indexOf(marker);
    if (p < 0)
        return -1;
    const qsizetype q = hitList.indexOf(QStringLiteral("条)"), p);
    // The count is read from one byte after the marker: a character there that takes two
    // bytes in GBK is cut in half, and its second byte stops atoi at once.
    const qsizetype after = p + marker.size();
    const qsizetype from = after + 1;
    if (q < 0 || q < from)
        return -1;
    if (hitList[after].unicode() >= 0x80)
        return 0;
    return leadingNumber(hitList.mid(from, q - from));
}

QString CatalogueReplies::opacRecordBase(const QString& hitList)
{
    const qsizetype r = hitList.indexOf(QStringLiteral("var nextp="));
    if (r < 0)
        return {};
    const qsizetype s = hitList.indexOf(QStringLiteral("&set_entry="), r);
    if (s < 0 || r + 19 > s)
        return {};
    return hitList.mid(r + 19, s - r - 8);
}

QString CatalogueReplies::opacRecordAddress(const QString& recordBase, int hit)
{
    return recordBase + (hit <= 9 ? QStringLiteral("00000") : QStringLiteral("0000")) + QString::number(hit)
        + QStringLiteral("&format=999");
}

std::optional<QStringList> CatalogueReplies::opacRecordRow(const QString& recordPage, const QString& isbn)
{
    const qsizetype h = recordPage.indexOf(QStringLiteral("头标区"));
    if (h < 0)
        return std::nullopt;
    auto cell = [&](const char* label, int count) {
        return CBookWebSearch::GetTagText(recordPage, QString::fromUtf8(label), int(h), count);
    };
    const QStringList publication = cell("出版项", 4).split(QLatin1Char(';'));
    QStringList row = emptyRow(isbn);
    row[1 + CBookWebSearch::Title] = beforeFirstSemicolon(cell("题名与责任", 4));
    if (publication.size() >= 4) {
        row[1 + CBookWebSearch::Publisher] = publication[2];
        row[1 + CBookWebSearch::PubDate] = publication.mid(3).join(QLatin1Char(';'));
    }
    row[1 + CBookWebSearch::Pages] = withoutLeadingAsciiBlanks(beforeFirstSemicolon(cell("载体形态项", 2)));
    row[1 + CBookWebSearch::ClassNo] = cell("中图分类号", 4);
    row[1 + CBookWebSearch::Author] = beforeFirstSemicolon(cell("著者", 4));
    const qsizetype cny = recordPage.indexOf(QStringLiteral("CNY"));
    if (cny > 0) {
        const qsizetype lineEnd = recordPage.indexOf(QLatin1Char('\n'), cny);
        row[1 + CBookWebSearch::Price] =
            withoutTrailingBlanks(recordPage.mid(cny + 3, lineEnd < 0 ? -1 : lineEnd - cny - 3));
    }
    return row;
}

QString CatalogueReplies::reviewPath(const QString& isbn) { return QStringLiteral("/book/subject/isbn/") + encoded(isbn); }

// The entry's children are read forward only: the image links, then the summary, then the
// attributes; an element earlier in the reply than the one last found is not seen.
QStringList CatalogueReplies::reviewFields(const QString& entry, const std::atomic_bool* abort)
{
    QStringList fields(CBookWebSearch::kFieldCount);
    CXmlDoc doc;
    doc.SetAbortFlag(abort);
    doc.SetDocText(entry.toUtf8());
    doc.ResetCursor();
    if (!doc.FindElement() || !doc.EnterElement())
        return fields;
    while (doc.FindElement("link"))
        if (doc.GetAttribute("rel") == "image")
            fields[CBookWebSearch::ImageUrl] = fromUtf8(doc.GetAttribute("href"));
    if (doc.FindElement("summary"))
        fields[CBookWebSearch::Summary] = fromUtf8(doc.GetData());
    while (doc.FindElement("db:attribute")) {
        const QByteArray name = doc.GetAttribute("name");
        const QString value = fromUtf8(doc.GetData());
        if (name == "title")
            fields[CBookWebSearch::Title] = value;
        else if (name == "author")
            fields[CBookWebSearch::Author] = value;
        else if (name == "publisher")
            fields[CBookWebSearch::Publisher] = value;
        else if (name == "pages")
            fields[CBookWebSearch::Pages] = value;
        else if (name == "pubdate")
            fields[CBookWebSearch::PubDate] = value;
        else if (name == "price")
            fields[CBookWebSearch::Price] = QString(value).remove(QStringLiteral("元"));
    }
    return fields;
}

QString CatalogueReplies::secondHandPath(const QString& isbn)
{
    QString path;
    for (const QChar c : isbn)
        path += QStringLiteral("k3") + c;
    return QStringLiteral("/product/y0z%1/").arg(encoded(path));
}

QList<QStringList> CatalogueReplies::secondHandRows(const QString& resultPage, const QString& isbn)
{
    const QString title = QStringLiteral("<div class=\"result_tit\">");
    QList<qsizetype> offers;
    for (qsizetype at = resultPage.indexOf(title); at >= 0 && offers.size() < kMaxOffers;
         at = resultPage.indexOf(title, gbkBytesOn(resultPage, at, kOfferHead)))
        offers << at;
    struct Label {
        CBookWebSearch::Field field;
        const char* words;
    };
    static const Label labels[] = {{CBookWebSearch::Author, "作者："},
                                   {CBookWebSearch::Publisher, "出版社："},
                                   {CBookWebSearch::Format, "开本："},
                                   {CBookWebSearch::PubDate, "出版时间："},
                                   {CBookWebSearch::Edition, "版次："}};
    QList<QStringList> rows;
    for (qsizetype i = 0; i + 1 < offers.size(); ++i) {
        const QString block = resultPage.mid(offers[i], offers[i + 1] - offers[i]);
        QStringList row = emptyRow(isbn);
        row[1 + CBookWebSearch::Title] = CBookWebSearch::ExtractAfterMarker(block, title, 0, 2);
        for (const Label& label : labels) {
            const QString words = QString::fromUtf8(label.words);
            row[1 + label.field] =
                afterLabel(CBookWebSearch::ExtractAfterMarker(block, QStringLiteral("<p>") + words, 0, 1), words);
        }
        rows << row;
    }
    return rows;
}
