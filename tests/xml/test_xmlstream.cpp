// The XML document's streaming file modes: reading a file block by block, writing one out as
// elements are added, and what either mode refuses.
#include "XmlTestDocs.h"
#include "xml/XmlDoc.h"
#include "xml/XmlScanner.h"
#include "core/TextCodec.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using Operation = std::function<bool(CXmlDoc&)>;
Q_DECLARE_METATYPE(Operation)

namespace {
using XmlTestDocs::DocumentMaker;
using XmlTestDocs::Element;
using XmlTestDocs::walk;

QByteArray path(const QString& file) { return QFile::encodeName(file); }

QList<Element> walkLoaded(const QByteArray& file)
{
    CXmlDoc doc;
    doc.LoadFile(file.constData());
    QList<Element> out;
    walk(doc, 0, out);
    return out;
}

QList<Element> walkStreamed(const QByteArray& file, int blockSize)
{
    CXmlDoc doc;
    if (!doc.Open(file.constData(), CXmlDoc::kReadFileMode, blockSize))
        return {};
    QList<Element> out;
    walk(doc, 0, out);
    return out;
}

// The catalogue a write-file test builds, the same through either mode.
void buildCatalogue(CXmlDoc& doc, int books)
{
    doc.InsertNodeMarkup(XmlNode::ProcessingInstruction, "xml version=\"1.0\" encoding=\"GBK\"");
    doc.InsertElement("catalogue");
    doc.EnterElement();
    for (int i = 0; i < books; ++i) {
        doc.InsertElement("book");
        doc.SetAttribute(doc.GetCursorCurrent(), "id", i);
        doc.EnterElement();
        doc.InsertElement("title", QByteArray("红楼梦 & <" + QByteArray::number(i) + ">").constData());
        doc.InsertElement("author", "曹雪芹");
        doc.SetAttribute(doc.GetCursorCurrent(), "role", "main \"one\"");
        doc.InsertElement("empty");
        doc.LeaveElement();
    }
    doc.InsertNodeMarkup(XmlNode::Comment, " end ");
}
}

class TestXmlStream : public QObject {
    Q_OBJECT
private slots:
    void readsAsLoaded_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("blockSize");
        for (quint32 seed : {3u, 17u, 4242u})
            for (int block : {1, 7, 100, CXmlDoc::kFileBlockSize})
                QTest::addRow("seed %u block %d", seed, block) << DocumentMaker(seed).make() << block;
        const QByteArray odd = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ELEMENT r ANY>]><r a='1>2'><?pi x?>"
                               "<![CDATA[<no/>]]><l>x</zz>y</l><u>text</r><!-- after -->";
        QTest::newRow("faults, byte blocks") << odd << 1;
        QTest::newRow("faults, small blocks") << odd << 5;
    }
    void readsAsLoaded()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, blockSize);
        const QByteArray file = write(text);
        const QList<Element> loaded = walkLoaded(file);
        QVERIFY(!loaded.isEmpty());
        QCOMPARE(walkStreamed(file, blockSize), loaded);
    }

    // Later blocks add no read records, so the faults stay within the records' room.
    void faultsAreRecordedAtFileOffsets()
    {
        const QByteArray text = "<r>" + QByteArray(2000, ' ') + "<a>x</b></a><c></r>";
        const QByteArray faults = "lone end tag 'b' at offset 2007 start tag 'c' at offset 2015 expecting end tag at "
                                  "offset 2019";
        const QByteArray file = write(text);
        CXmlDoc loaded;
        QVERIFY(!loaded.LoadFile(file.constData()));
        QVERIFY2(loaded.GetResultText().endsWith(faults), loaded.GetResultText().constData());
        CXmlDoc doc;
        QVERIFY(doc.Open(file.constData(), CXmlDoc::kReadFileMode, 16));
        QVERIFY(doc.FindElement("r") && doc.EnterElement());
        while (doc.FindElement()) {
        }
        QVERIFY(!doc.CheckWellFormed());
        QCOMPARE(doc.GetResultText(), "UTF-8 length 1024 " + faults);
    }

    // Deep in a document, stray end tags are found lone without searching every open element.
    void strayEndTagsDeepDown()
    {
        constexpr int kDepth = 60000;
        QByteArray text;
        for (int i = 0; i < kDepth; ++i)
            text += "<a>";
        for (int i = 0; i < 100000; ++i)
            text += "</b>";
        text += "<c>x</c>";
        for (int i = 0; i < kDepth; ++i)
            text += "</a>";
        CXmlDoc doc;
        QVERIFY(doc.Open(write(text).constData(), CXmlDoc::kReadFileMode));
        for (int depth = 0; depth < kDepth; ++depth)
            QVERIFY(doc.FindElement("a") && doc.EnterElement());
        QVERIFY(doc.FindElement("c"));
        QCOMPARE(doc.GetData(), QByteArray("x"));
        QVERIFY(doc.GetResultText().contains("lone end tag 'b' at offset 180000 lone end tag 'b' at offset 180004"));
        while (doc.LeaveElement())
            QVERIFY(!doc.FindElement());
        QCOMPARE(doc.GetResultText().count("start tag"), 0);
    }

    // A document that ignores case, deeper than the open names are counted from: its end tags
    // close their elements whatever their case; but past a pair of equal bytes of 0x80 or
    // above case counts again, so the one end tag differing there stays lone.
    void caseFoldedEndTagsDeepDown_data()
    {
        QTest::addColumn<int>("blockSize");
        QTest::newRow("in memory") << 0;
        QTest::newRow("streamed") << int(CXmlDoc::kFileBlockSize);
        QTest::newRow("streamed, small blocks") << 7;
    }
    void caseFoldedEndTagsDeepDown()
    {
        QFETCH(int, blockSize);
        constexpr int kDepth = 300;
        const QByteArray text = "<Shelf>" + QByteArray("<Book书X>").repeated(kDepth) + "</BOOK书x><c>x</C>"
                                + QByteArray("</book书X>").repeated(kDepth) + "</SHELF>";
        CXmlDoc doc;
        if (blockSize) {
            QVERIFY(doc.Open(write(text).constData(), CXmlDoc::kReadFileMode | CXmlDoc::kIgnoreCase, blockSize));
        } else {
            doc.SetDocFlags(CXmlDoc::kIgnoreCase);
            QVERIFY(!doc.SetDocText(text));
        }
        QVERIFY(doc.FindElement("SHELF") && doc.EnterElement());
        for (int depth = 0; depth < kDepth; ++depth)
            QVERIFY(doc.FindElement("BOOK书X") && doc.EnterElement());
        QVERIFY(doc.FindElement("c"));
        QCOMPARE(doc.GetData(), QByteArray("x"));
        while (doc.LeaveElement())
            QVERIFY(!doc.FindElement());
        const QByteArray results = doc.GetResultText();
        QVERIFY2(results.endsWith("lone end tag 'BOOK书x' at offset 3007"), results.constData());
        QCOMPARE(results.count("lone end tag"), 1);
        QCOMPARE(results.count("start tag"), 0);
    }

    void positionsFollowThePath()
    {
        CXmlDoc doc;
        QVERIFY(doc.Open(write("<r><a><b>1</b></a><a><b>2</b></a></r>").constData(), CXmlDoc::kReadFileMode));
        QVERIFY(doc.FindElement("r") && doc.EnterElement() && doc.FindElement("a") && doc.EnterElement());
        QVERIFY(doc.FindElement("b"));
        QCOMPARE(doc.GetCursorCurrent(), 3);
        QCOMPARE(doc.GetData(), QByteArray("1"));
        QVERIFY(doc.LeaveElement() && doc.FindElement("a") && doc.EnterElement() && doc.FindElement("b"));
        QCOMPARE(doc.GetCursorCurrent(), 3);
        QCOMPARE(doc.GetData(), QByteArray("2"));
        QVERIFY(!doc.FindElement());
        QVERIFY(doc.LeaveElement() && doc.LeaveElement());
        QVERIFY(!doc.FindElement());
        QVERIFY(doc.CheckWellFormed());
        QVERIFY(doc.Close());
        QCOMPARE(doc.GetDocFlags() & CXmlDoc::kReadFileMode, 0);
        QVERIFY(doc.SetDocText("<x/>"));
    }

    void openFailures()
    {
        CXmlDoc doc("<r/>");
        QVERIFY(!doc.Open(path(m_dir.path()).constData(), CXmlDoc::kReadFileMode));
        QCOMPARE(doc.GetResultText(), QByteArray("Is a directory"));
        QVERIFY(!doc.Open(path(m_dir.filePath(QStringLiteral("none/x.xml"))).constData(), CXmlDoc::kWriteFileMode));
        QCOMPARE(doc.GetResultText(), QByteArray("No such file or directory"));
        QVERIFY(!doc.Open(write("<r/>").constData(), CXmlDoc::kReadFileMode | CXmlDoc::kWriteFileMode));
        QCOMPARE(doc.GetDocFlags() & CXmlDoc::kFileModes, 0);
        QCOMPARE(doc.GetDocText(), QByteArray("<r/>"));
        doc.SetDocFlags(CXmlDoc::kReadFileMode);
        QCOMPARE(doc.GetDocFlags() & CXmlDoc::kFileModes, 0);
        QVERIFY(doc.SetDocText("<r><a/></r>") && doc.FindElement("r"));
    }

    // The text comes after the first kilobyte, which is read at once to find the encoding.
    void encodings_data()
    {
        const QByteArray body = "<r><!--" + QByteArray("图").repeated(600) + "--><t>中文图书目录</t><t a=\"书名\">红楼梦</t></r>";
        const QString wide = QString::fromUtf8(body);
        const QByteArray utf16(reinterpret_cast<const char*>(wide.utf16()), wide.size() * 2);
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("GB2312 declared") << "<?xml version=\"1.0\" encoding=\"gb2312\"?>" + toGbk(wide);
        QTest::newRow("GBK declared") << "<?xml version=\"1.0\" encoding=\"GBK\"?>" + toGbk(wide);
        // A page with shift states, which Qt's converters take where iconv cannot.
        QTest::newRow("HZ declared") << "<?xml version=\"1.0\" encoding=\"hz-gb-2312\"?>"
                                            + QByteArray(QStringEncoder("HZ-GB-2312").encode(wide));
        QTest::newRow("UTF-8 with mark") << "\xEF\xBB\xBF" + body;
        QTest::newRow("UTF-8 found by looking") << "\n" + body;
        QTest::newRow("UTF-16LE") << "\xFF\xFE" + utf16;
    }
    // Blocks of 1 to 4 bytes cut every multi-byte character somewhere.
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        const QByteArray file = write(bytes);
        const QList<Element> loaded = walkLoaded(file);
        QCOMPARE(loaded.size(), 3);
        QCOMPARE(loaded[1].data, QByteArray("中文图书目录"));
        for (int block = 1; block <= 4; ++block) {
            CXmlDoc doc;
            QVERIFY(doc.Open(file.constData(), CXmlDoc::kReadFileMode, block));
            QList<Element> streamed;
            walk(doc, 0, streamed);
            QCOMPARE(streamed, loaded);
            QVERIFY2(!doc.GetResultText().contains("lost") && !doc.GetResultText().contains("error"),
                     doc.GetResultText().constData());
        }
    }

    // Blocks of any size, odd ones too, end inside a 16-bit unit or between the halves of a
    // surrogate pair; a block smaller than a unit reads a whole one.
    void utf16Blocks_data()
    {
        QTest::addColumn<bool>("bigEndian");
        QTest::addColumn<int>("blockSize");
        for (const bool big : {false, true})
            for (const int block : {1, 2, 3, 7, 101, 4097})
                QTest::addRow("%s, block %d", big ? "UTF-16BE" : "UTF-16LE", block) << big << block;
    }
    void utf16Blocks()
    {
        QFETCH(bool, bigEndian);
        QFETCH(int, blockSize);
        constexpr int kBooks = 150;
        QString text = QStringLiteral("<catalogue>\n");
        for (int i = 0; i < kBooks; ++i)
            text += QStringLiteral("<book id=\"%1\" note='𠀀 &amp; 书'><title>红楼梦 %1</title><!-- 注 -->"
                                   "<p><![CDATA[<raw>𠀀]]>中</p><e/></book>\n")
                        .arg(i);
        text += QStringLiteral("</catalogue>\n");
        QByteArray bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const QChar c : std::as_const(text)) {
            const char high = char(c.unicode() >> 8);
            const char low = char(c.unicode() & 0xFF);
            bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
        }
        const QByteArray file = write(bytes);
        const QList<Element> loaded = walkLoaded(file);
        QCOMPARE(loaded.size(), 1 + 4 * kBooks);
        QCOMPARE(loaded.last().name, QByteArray("e"));
        QCOMPARE(loaded[3].data, QByteArray("<raw>𠀀中"));
        QCOMPARE(loaded[1].attributes.value(1).second, QByteArray("𠀀 & 书"));
        CXmlDoc doc;
        QVERIFY(doc.Open(file.constData(), CXmlDoc::kReadFileMode, blockSize));
        QList<Element> streamed;
        walk(doc, 0, streamed);
        QCOMPARE(streamed, loaded);
        QVERIFY(doc.CheckWellFormed());
        QVERIFY2(!doc.GetResultText().contains("lost") && !doc.GetResultText().contains("error"),
                 doc.GetResultText().constData());
    }

    void writtenFileReadsBackEqual_data()
    {
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<int>("flags");
        QTest::newRow("all in one block") << CXmlDoc::kFileBlockSize << 0;
        QTest::newRow("small blocks") << 200 << 0;
        QTest::newRow("tiny blocks") << 1 << 0;
        QTest::newRow("UTF-16BE") << 300 << int(CXmlDoc::kUtf16BE);
    }
    void writtenFileReadsBackEqual()
    {
        QFETCH(int, blockSize);
        QFETCH(int, flags);
        CXmlDoc memory;
        memory.SetDocFlags(flags);
        buildCatalogue(memory, 40);
        const QByteArray saved = path(m_dir.filePath(QStringLiteral("memory.xml")));
        QVERIFY(memory.SaveFile(saved.constData()));

        const QByteArray streamed = path(m_dir.filePath(QStringLiteral("streamed.xml")));
        CXmlDoc doc;
        QVERIFY(doc.Open(streamed.constData(), CXmlDoc::kWriteFileMode | flags, blockSize));
        buildCatalogue(doc, 40);
        QVERIFY(doc.GetBufferedPeak() <= 2 * blockSize + 512);  // a block, and the book being written
        QVERIFY(doc.Close());
        QCOMPARE(readAll(streamed), readAll(saved));
        QVERIFY(!readAll(streamed).contains("红楼梦"));  // written in GBK or UTF-16, as declared
        CXmlDoc back;
        QVERIFY(back.LoadFile(streamed.constData()));
        QCOMPARE(back.GetDocText(), memory.GetDocText());
    }

    // Random edits in both modes: what write-file mode allows, memory allows too, and the file
    // written holds what a save of the same edits in memory holds.
    void writtenEditsAsInMemory_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {5u, 77u, 2024u, 31337u, 9u, 123u, 4711u, 65537u})
            QTest::addRow("seed %u", seed) << seed;
    }
    void writtenEditsAsInMemory()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        const QByteArray streamed = path(m_dir.filePath(QStringLiteral("edits.xml")));
        CXmlDoc doc;
        QVERIFY(doc.Open(streamed.constData(), CXmlDoc::kWriteFileMode, 96));
        CXmlDoc memory;
        static const int flags[] = {0, CXmlDoc::kNoLineBreaks, CXmlDoc::kInsertBefore, CXmlDoc::kStartTagOnly,
                                    CXmlDoc::kAsCData, CXmlDoc::kSpaceBeforeSlash};
        for (int step = 0; step < 600; ++step) {
            const QByteArray value = random.bounded(3) ? "值 " + QByteArray::number(step) : QByteArray();
            const int flag = flags[random.bounded(6)];
            std::function<bool(CXmlDoc&)> edit;
            switch (random.bounded(7)) {
            case 0:
            case 1:
                edit = [&](CXmlDoc& d) { return d.InsertElement("e", value.constData(), flag); };
                break;
            case 2:
                edit = [&](CXmlDoc& d) { return d.SetAttribute(d.GetCursorCurrent(), "n", step); };
                break;
            case 3:
                edit = [&](CXmlDoc& d) { return d.SetData(d.GetCursorCurrent(), value.constData()); };
                break;
            case 4:
                edit = [&](CXmlDoc& d) { return d.InsertNodeMarkup(XmlNode::Comment, "c", flag); };
                break;
            case 5:
                edit = [](CXmlDoc& d) { return d.EnterElement(); };
                break;
            default:
                edit = [](CXmlDoc& d) { return d.LeaveElement(); };
            }
            if (edit(doc))
                QVERIFY2(edit(memory), QByteArray::number(step).constData());
        }
        QVERIFY(doc.Close());
        const QByteArray saved = path(m_dir.filePath(QStringLiteral("edits-memory.xml")));
        QVERIFY(memory.SaveFile(saved.constData()));
        QCOMPARE(readAll(streamed), readAll(saved));
    }

    // Once a block is written out, what it held can no longer change.
    void writtenElementsAreGone()
    {
        CXmlDoc doc;
        QVERIFY(doc.Open(path(m_dir.filePath(QStringLiteral("gone.xml"))).constData(), CXmlDoc::kWriteFileMode, 64));
        QVERIFY(doc.InsertElement("r") && doc.EnterElement());
        QVERIFY(doc.InsertElement("first", QByteArray(100, 'x').constData()));
        QVERIFY(doc.InsertElement("second"));
        QVERIFY(!doc.GetDocText().contains("first"));
        QVERIFY(doc.SetAttribute(doc.GetCursorCurrent(), "n", 2));
        QVERIFY(doc.LeaveElement());
        QVERIFY(!doc.SetAttribute(doc.GetCursorCurrent(), "n", 1));
        QVERIFY(!doc.SetData(doc.GetCursorCurrent(), "text"));
        QVERIFY(doc.Close());
        QCOMPARE(readAll(path(m_dir.filePath(QStringLiteral("gone.xml")))),
                 "<r>\r\n<first>" + QByteArray(100, 'x') + "</first>\r\n<second n=\"2\"/>\r\n</r>\r\n");
    }

    // Each operation works on a document in memory standing where the file mode stands.
    void refusedOperations_data()
    {
        using Op = Operation;
        QTest::addColumn<int>("mode");
        QTest::addColumn<Op>("operation");
        const int read = CXmlDoc::kReadFileMode;
        const int write = CXmlDoc::kWriteFileMode;
        auto current = [](CXmlDoc& d) { return d.GetCursorCurrent(); };
        const QList<QPair<const char*, Op>> either = {
            {"SetDocText", [](CXmlDoc& d) { return d.SetDocText("<x/>"); }},
            {"SetDocChars", [](CXmlDoc& d) { return d.SetDocChars("<x/>"); }},
            {"FindChildElement", [](CXmlDoc& d) {
                 d.SetCursor(d.GetCursorParent(), d.GetCursorCurrent(), 0);
                 return d.FindChildElement();
             }},
            {"SetInnerMarkup", [=](CXmlDoc& d) { return d.SetInnerMarkup(current(d), "<y/>"); }},
            {"GetInnerMarkup", [=](CXmlDoc& d) { return !d.GetInnerMarkup(current(d)).isEmpty(); }},
            {"GetElementMarkup", [=](CXmlDoc& d) { return !d.GetElementMarkup(current(d)).isEmpty(); }},
            {"GetElementPath", [=](CXmlDoc& d) { return !d.GetElementPath(current(d)).isEmpty(); }},
            {"RemoveElement", [](CXmlDoc& d) { return d.RemoveElement(); }},
            {"RemoveCurrentNode", [](CXmlDoc& d) { return d.RemoveCurrentNode(); }},
            {"NextNode", [](CXmlDoc& d) { return d.NextNode() != 0; }},
            {"SaveCursor", [](CXmlDoc& d) { return d.SaveCursor("here"); }},
            {"RestoreCursor", [](CXmlDoc& d) { return d.SaveCursor("here") || d.RestoreCursor("here"); }},
            {"assignment", [](CXmlDoc& d) {
                 d = CXmlDoc("<other/>");
                 return d.GetDocText() == "<other/>";
             }},
        };
        for (const auto& [name, op] : either) {
            QTest::addRow("read: %s", name) << read << op;
            QTest::addRow("write: %s", name) << write << op;
        }
        const QList<QPair<const char*, Op>> readOnly = {
            {"InsertElement", [](CXmlDoc& d) { return d.InsertElement("y"); }},
            {"SetAttribute", [=](CXmlDoc& d) { return d.SetAttribute(current(d), "a", "1"); }},
            {"SetData", [=](CXmlDoc& d) { return d.SetData(current(d) + 1, "text"); }},
            {"InsertMarkup", [](CXmlDoc& d) { return d.InsertMarkup("<y/>"); }},
            {"InsertNodeMarkup", [](CXmlDoc& d) { return d.InsertNodeMarkup(XmlNode::Comment, "c"); }},
        };
        for (const auto& [name, op] : readOnly)
            QTest::addRow("read: %s", name) << read << op;
        QTest::newRow("write: FindElement") << write << Op([](CXmlDoc& d) {
            d.ResetCursor();
            return d.FindElement();
        });
        QTest::newRow("write: InsertElement as child")
            << write << Op([](CXmlDoc& d) { return d.InsertElement("y", nullptr, CXmlDoc::kInsertAsChild); });
    }
    void refusedOperations()
    {
        QFETCH(int, mode);
        QFETCH(Operation, operation);
        const QByteArray text = "<r><a>1</a><b/></r><!-- end -->";
        auto stand = [&](CXmlDoc& doc) {
            if (mode == CXmlDoc::kReadFileMode)
                return doc.FindElement("r");
            return doc.InsertElement("r") && doc.EnterElement() && doc.InsertElement("a", "1")
                && doc.InsertElement("b") && doc.LeaveElement();
        };
        CXmlDoc memory;
        if (mode == CXmlDoc::kReadFileMode)
            memory.SetDocText(text);
        QVERIFY(stand(memory));
        QVERIFY(operation(memory));

        CXmlDoc doc;
        const QByteArray file = mode == CXmlDoc::kReadFileMode ? write(text)
                                                               : path(m_dir.filePath(QStringLiteral("refused.xml")));
        QVERIFY(doc.Open(file.constData(), mode));
        QVERIFY(stand(doc));
        const QByteArray before = doc.GetDocText();
        QVERIFY(!operation(doc));
        QCOMPARE(doc.GetDocText(), before);
        QVERIFY(doc.GetDocFlags() & mode);
    }

    // A few megabytes through 4 KiB blocks: the text held never passes a few blocks.
    void readHoldsAFewBlocks()
    {
        constexpr int kBlock = 4096;
        const QByteArray file = path(m_dir.filePath(QStringLiteral("big.xml")));
        QFile out(QString::fromLocal8Bit(file));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("<catalogue>\n");
        constexpr int kBooks = 30000;
        for (int i = 0; i < kBooks; ++i)
            out.write("<book id=\"" + QByteArray::number(i) + "\"><title>图书 " + QByteArray::number(i)
                      + "</title><author>作者</author><price>38.00</price></book>\n");
        out.write("</catalogue>\n");
        out.close();
        QVERIFY(out.size() > 2'000'000);
        CXmlDoc doc;
        QVERIFY(doc.Open(file.constData(), CXmlDoc::kReadFileMode, kBlock));
        QVERIFY(doc.FindElement("catalogue") && doc.EnterElement());
        int books = 0;
        int leaves = 0;
        while (doc.FindElement("book")) {
            QCOMPARE(doc.GetAttribute("id"), QByteArray::number(books++));
            QVERIFY(doc.EnterElement());
            while (doc.FindElement())
                leaves += !doc.GetData().isEmpty();
            QVERIFY(doc.LeaveElement());
        }
        QCOMPARE(books, kBooks);
        QCOMPARE(leaves, 3 * kBooks);
        QVERIFY(doc.CheckWellFormed());
        QVERIFY2(doc.GetBufferedPeak() <= 4 * kBlock, QByteArray::number(doc.GetBufferedPeak()).constData());
    }

private:
    QByteArray write(const QByteArray& bytes)
    {
        const QString file = m_dir.filePath(QStringLiteral("doc%1.xml").arg(++m_files));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file));
        return path(file);
    }
    static QByteArray readAll(const QByteArray& file)
    {
        QFile in(QString::fromLocal8Bit(file));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

QTEST_APPLESS_MAIN(TestXmlStream)
#include "test_xmlstream.moc"
