// The XML document class's result records and its reading and writing of encoded files.
#include "xml/XmlDoc.h"
#include "core/TextCodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// An ISCII page, the byte after ATR that switches to its script, and its letter NA (Assamese
// is written in the Bengali script).
struct IsciiPage {
    const char* name;
    char script;
    QChar na;
};
const IsciiPage kIsciiPages[] = {
    {"x-iscii-de", 0x42, QChar(0x928)}, {"x-iscii-be", 0x43, QChar(0x9A8)}, {"x-iscii-ta", 0x44, QChar(0xBA8)},
    {"x-iscii-te", 0x45, QChar(0xC28)}, {"x-iscii-as", 0x43, QChar(0x9A8)}, {"x-iscii-or", 0x47, QChar(0xB28)},
    {"x-iscii-ka", 0x48, QChar(0xCA8)}, {"x-iscii-ma", 0x49, QChar(0xD28)}, {"x-iscii-gu", 0x4A, QChar(0xAA8)},
    {"x-iscii-pa", 0x4B, QChar(0xA28)},
};
}

class TestXmlFile : public QObject {
    Q_OBJECT
private slots:
    void resultsStopGrowing()
    {
        QByteArray text;
        for (int i = 0; i < 500; ++i)
            text += "</x" + QByteArray::number(i) + ">";
        CXmlDoc doc;
        QVERIFY(!doc.SetDocText(text));
        QVERIFY(doc.GetResults().size() >= 1000);
        QVERIFY(doc.GetResults().size() < 1100);
        QVERIFY(doc.GetResultText().startsWith("lone end tag 'x0' at offset 0 lone end tag 'x1' at offset 5"));
    }

    void mergedResult()
    {
        QByteArray results;
        CXmlDoc::AddResult(results, "read", "GBK", CXmlDoc::kResultEncoding | CXmlDoc::kResultLength, 12);
        CXmlDoc::AddResult(results, "nulls_removed", nullptr, CXmlDoc::kResultCount, 3);
        CXmlDoc::AddResult(results, "read", nullptr, CXmlDoc::kResultMerge, -1, 99);
        QCOMPARE(results, QByteArray("<read encoding=\"GBK\" length=\"12\" offset2=\"99\"/><nulls_removed count=\"3\"/>"));
    }

    void codePages_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("page");
        QTest::newRow("empty is ours") << QByteArray() << 0;
        QTest::newRow("gb2312 any case") << QByteArray("GB2312") << 936;
        QTest::newRow("gbk") << QByteArray("gbk") << 936;
        QTest::newRow("utf-8") << QByteArray("UTF-8") << 65001;
        QTest::newRow("UTF-32 exactly") << QByteArray("UTF-32") << 65005;
        QTest::newRow("utf-32 lower") << QByteArray("utf-32") << 12000;
        QTest::newRow("UTF-32BE") << QByteArray("UTF-32BE") << 12001;
        QTest::newRow("trailing blank") << QByteArray("cp1256 ") << 1256;
        QTest::newRow("big5") << QByteArray("Big5") << 950;
        QTest::newRow("latin1") << QByteArray("ISO_8859-1:1987") << 28591;
        QTest::newRow("no converter: the table's page all the same") << QByteArray("x-mac-thai") << 10021;
        QTest::newRow("unknown") << QByteArray("klingon") << -1;
    }
    void codePages()
    {
        QFETCH(QByteArray, name);
        QTEST(CXmlDoc::CodePageFromName(name.isNull() ? nullptr : name.constData()), "page");
    }

    void detectEncoding_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("encoding");
        QTest::newRow("declaration") << QByteArray("<?xml version=\"1.0\" encoding='gb2312'?><r/>") << QByteArray("gb2312");
        QTest::newRow("declaration not first") << QByteArray(" <?xml version=\"1.0\" encoding='gb2312'?><r/>")
                                               << QByteArray();
        QTest::newRow("meta") << QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                                            "charset=GBK\"></head>")
                              << QByteArray("GBK");
        QTest::newRow("meta after head") << QByteArray("<html><head></head><meta http-equiv=\"Content-Type\" "
                                                       "content=\"text/html; charset=GBK\">")
                                         << QByteArray();
        QTest::newRow("not html") << QByteArray("<body><meta http-equiv=\"Content-Type\" content=\"charset=GBK\">")
                                  << QByteArray();
        // Names match in their own case, as the program's documents are read.
        QTest::newRow("upper-case HTML") << QByteArray("<HTML><head><meta http-equiv=\"Content-Type\" "
                                                       "content=\"text/html; charset=GBK\"></head>")
                                         << QByteArray();
        QTest::newRow("upper-case META") << QByteArray("<html><META http-equiv=\"Content-Type\" content=\"charset=GBK\">"
                                                       "<meta http-equiv=\"content-type\" content=\"charset=BIG5\">"
                                                       "<meta http-equiv=\"Content-Type\" content=\"CHARSET=UTF-8\">"
                                                       "<meta http-equiv=\"Content-Type\" content=\"charset=gb2312\">")
                                         << QByteArray("gb2312");
        QTest::newRow("upper-case XML declaration") << QByteArray("<?XML version=\"1.0\" ENCODING='gb2312'?><r/>")
                                                    << QByteArray();
    }
    void detectEncoding()
    {
        QFETCH(QByteArray, text);
        QTEST(CXmlDoc::DetectEncoding(text.constData()), "encoding");
    }

    void loadFile_data()
    {
        const QByteArray body = "<r>中文</r>";
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("resultText");
        QTest::newRow("mark beats declaration")
            << "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"gb2312\"?>" + body
            << "<?xml version=\"1.0\" encoding=\"gb2312\"?>" + body << QByteArray("BOM + UTF-8 length 52");
        QTest::newRow("gb2312 declared: converted")
            << "<?xml version=\"1.0\" encoding=\"gb2312\"?>" + toGbk(QString::fromUtf8(body))
            << "<?xml version=\"1.0\" encoding=\"gb2312\"?>" + body
            << QByteArray("gb2312 length 50 to UTF-8 length 52");
        QTest::newRow("unknown name: as it stands")
            << "<?xml version=\"1.0\" encoding=\"klingon\"?>" + toGbk(QString::fromUtf8(body))
            << "<?xml version=\"1.0\" encoding=\"klingon\"?>" + toGbk(QString::fromUtf8(body))
            << QByteArray("klingon length 51");
        QTest::newRow("a known name without a converter: as it stands")
            << "<?xml version=\"1.0\" encoding=\"x-mac-thai\"?>" + toGbk(QString::fromUtf8(body))
            << "<?xml version=\"1.0\" encoding=\"x-mac-thai\"?>" + toGbk(QString::fromUtf8(body))
            << QByteArray("x-mac-thai length 54");
        QTest::newRow("a seven-bit national variant converted")
            << QByteArray("<?xml version=\"1.0\" encoding=\"x-ia5-german\"?><r>[\\]</r>")
            << "<?xml version=\"1.0\" encoding=\"x-ia5-german\"?><r>" + QStringLiteral("ÄÖÜ").toUtf8() + "</r>"
            << QByteArray("x-ia5-german length 55 to UTF-8 length 58");
        QTest::newRow("no name, UTF-8 found") << QByteArray("中文 ") + body << QByteArray("中文 ") + body
                                              << QByteArray("length 20 (used UTF-8 detection)");
        QTest::newRow("zero bytes dropped") << QByteArray("<r>a\0b</r>", 10) << QByteArray("<r>ab</r>")
                                            << QByteArray("UTF-8 length 10 removed 1 nulls");
        QTest::newRow("UTF-16BE") << QByteArray("\xFE\xFF\0<\0r\0>\x4E\x2D\0<\0/\0r\0>", 18) << QByteArray("<r>中</r>")
                                  << QByteArray("BOM + UTF-16BE length 8 endian swap to UTF-8 length 10");
    }
    void loadFile()
    {
        QFETCH(QByteArray, bytes);
        CXmlDoc doc;
        doc.LoadFile(QFile::encodeName(write(bytes)).constData());
        QTEST(doc.GetDocText(), "text");
        QTEST(doc.GetResultText(), "resultText");
    }

    // The pages iconv lacks: Qt's converters take those they know, both ways; the others are
    // taken as they stand, as an unknown name is. The bytes are what a save writes.
    void pagesIconvLacks_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("text");
        const auto row = [](const char* name, const QByteArray& bytes, const QString& text) {
            QTest::newRow(name) << QByteArray(name) << bytes << text.toUtf8();
        };
        const auto asItStands = [&](const char* name) {
            QTest::newRow(name) << QByteArray(name) << QByteArray("\xA5\xE9") << QByteArray("\xA5\xE9");
        };
        row("dos-720", "\xAB\xE9\x9F\xEA", QStringLiteral("سلام"));
        asItStands("cp853");
        for (const char* name : {"x-mac-japanese", "x-mac-chinesetrad", "x-mac-korean", "x-mac-arabic", "x-mac-hebrew",
                                 "x-mac-chinesesimp", "x-mac-romanian", "x-mac-thai", "x-mac-croatian"})
            asItStands(name);
        row("x-mac-greek", "\xE1\xE2\xE7", QStringLiteral("αβγ"));
        row("x-mac-turkish", "\xDB\xDD\xDF", QStringLiteral("ğış"));
        for (const char* name : {"x-chinese-cns", "x-cp20001", "x-chinese-eten", "x-cp20003", "x-cp20004", "x-cp20005",
                                 "x-ia5", "x-cp20949", "x-europa"})
            asItStands(name);
        row("hz-gb-2312", "~~~{VPND~}", QStringLiteral("~中文"));
        // ISCII: each page's letter NA, after the switch to its script.
        for (const IsciiPage& page : kIsciiPages)
            row(page.name, QByteArray("\xEF") + page.script + '\xC6', QString(page.na));
    }

    // Without a switch, ISCII text is in the page's own script.
    void isciiPagesOwnScript_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("na");
        for (const IsciiPage& page : kIsciiPages)
            QTest::newRow(page.name) << QByteArray(page.name) << QString(page.na);
    }
    void isciiPagesOwnScript()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, na);
        const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"" + name + "\"?>";
        CXmlDoc doc;
        QVERIFY(doc.LoadFile(QFile::encodeName(write(declaration + "<r>\xC6</r>")).constData()));
        QCOMPARE(doc.GetDocText(), declaration + "<r>" + na.toUtf8() + "</r>");
    }
    void pagesIconvLacks()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, text);
        const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"" + name + "\"?>";
        const QByteArray file = declaration + "<r>" + bytes + "</r>";
        CXmlDoc doc;
        QVERIFY(doc.LoadFile(QFile::encodeName(write(file)).constData()));
        QCOMPARE(doc.GetDocText(), declaration + "<r>" + text + "</r>");
        QVERIFY2(!doc.GetResultText().contains("lost"), doc.GetResultText().constData());
        const QString saved = m_dir.filePath(QStringLiteral("saved-%1.xml").arg(QString::fromLatin1(name)));
        QVERIFY(doc.SaveFile(QFile::encodeName(saved).constData()));
        QCOMPARE(contents(saved), file);
    }

    // What a converter holds back at the end of a file is read, and a character cut there
    // is named; what the page lacks is written '?', as for every other page.
    void endsAndLosses_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("resultText");
        const QByteArray iscii = "<?xml version=\"1.0\" encoding=\"x-iscii-de\"?><r/>";
        const QByteArray hz = "<?xml version=\"1.0\" encoding=\"hz-gb-2312\"?><r/>";
        QTest::newRow("ISCII: the last character") << iscii + "\xEF\x42\xC6" << iscii + "न"
                                                   << QByteArray("x-iscii-de length 50 to UTF-8 length 50");
        QTest::newRow("ISCII: a script switch cut") << iscii + "\xEF" << iscii + "?"
                                                    << QByteArray("x-iscii-de length 48 encoding x-iscii-de adjustment "
                                                                  "error to UTF-8 length 48 (chars lost in conversion!)");
        const QByteArray gbk = "<?xml version=\"1.0\" encoding=\"gbk\"?><r/>";
        QTest::newRow("GBK: a character cut") << gbk + "\xD6\xD0\xCE" << gbk + "中?"
                                              << QByteArray("gbk length 43 encoding gbk adjustment "
                                                            "error to UTF-8 length 44 (chars lost in conversion!)");
        QTest::newRow("HZ: a character cut") << hz + "~{VPN" << hz + "中?"
                                             << QByteArray("hz-gb-2312 length 52 encoding hz-gb-2312 adjustment "
                                                           "error to UTF-8 length 51 (chars lost in conversion!)");
    }
    void endsAndLosses()
    {
        QFETCH(QByteArray, bytes);
        CXmlDoc doc;
        doc.LoadFile(QFile::encodeName(write(bytes)).constData());
        QTEST(doc.GetDocText(), "text");
        QTEST(doc.GetResultText(), "resultText");
    }

    void saveWritesWhatThePageLacksAsQuestionMarks_data()
    {
        QTest::addColumn<QByteArray>("name");
        for (const char* name : {"dos-720", "hz-gb-2312", "x-iscii-de"})
            QTest::newRow(name) << QByteArray(name);
    }
    void saveWritesWhatThePageLacksAsQuestionMarks()
    {
        QFETCH(QByteArray, name);
        const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"" + name + "\"?>";
        CXmlDoc doc(declaration + "<r>€</r>");
        const QString path = m_dir.filePath(QStringLiteral("lacks.xml"));
        QVERIFY(doc.SaveFile(QFile::encodeName(path).constData()));
        QCOMPARE(contents(path), declaration + "<r>?</r>");
        QVERIFY(doc.GetResultText().contains("(chars lost in conversion!)"));
    }

    // A text appended to a file goes on from where the file ends: the byte-order mark stands
    // at the file's start only.
    void appendingWritesNoSecondMark()
    {
        const QString path = m_dir.filePath(QStringLiteral("appended.xml"));
        for (int i = 0; i < 2; ++i) {
            int flags = CXmlDoc::kUtf16LE | CXmlDoc::kAppendFile;
            QVERIFY(CXmlDoc::WriteFileText(QFile::encodeName(path).constData(), "<r/>", nullptr, &flags));
        }
        QCOMPARE(contents(path), QByteArray("\xFF\xFE<\0r\0/\0>\0<\0r\0/\0>\0", 18));
    }

    void missingFile()
    {
        CXmlDoc doc("<r/>");
        QVERIFY(!doc.LoadFile(QFile::encodeName(m_dir.filePath(QStringLiteral("none.xml"))).constData()));
        QCOMPARE(doc.GetResultText(), QByteArray("No such file or directory"));
        QCOMPARE(doc.GetDocText(), QByteArray("<r/>"));
    }

    void saveConvertsToDeclaredEncoding()
    {
        const QByteArray text = "<?xml version=\"1.0\" encoding=\"GBK\"?><r>中文</r>";
        CXmlDoc doc(text.constData());
        const QString path = m_dir.filePath(QStringLiteral("saved.xml"));
        QVERIFY(doc.SaveFile(QFile::encodeName(path).constData()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), toGbk(QString::fromUtf8(text)));
        QCOMPARE(doc.GetResultText(), QByteArray("UTF-8 length 49 to GBK length 47"));
        CXmlDoc again;
        QVERIFY(again.LoadFile(QFile::encodeName(path).constData()));
        QCOMPARE(again.GetDocText(), text);
    }

    void utf16RoundTrip()
    {
        CXmlDoc doc;
        QVERIFY(doc.LoadFile(QFile::encodeName(write(QByteArray("\xFF\xFE<\0r\0>\0\x2D\x4E<\0/\0r\0>\0", 18))).constData()));
        QCOMPARE(doc.GetDocText(), QByteArray("<r>中</r>"));
        const QString path = m_dir.filePath(QStringLiteral("wide.xml"));
        QVERIFY(doc.SaveFile(QFile::encodeName(path).constData()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xFF\xFE<\0r\0>\0\x2D\x4E<\0/\0r\0>\0", 18));
    }
private:
    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("doc%1.xml").arg(++m_files));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

QTEST_APPLESS_MAIN(TestXmlFile)
#include "test_xmlfile.moc"
