// The XML document class: parse, reading, editing. Texts are UTF-8 bytes throughout.
#include "XmlTestDocs.h"
#include "xml/XmlDoc.h"

#include <QRandomGenerator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
using XmlTestDocs::DocumentMaker;
using XmlTestDocs::Element;
using XmlTestDocs::walk;

// What QXmlStreamReader reads from the same text, with the element text of leaves only.
QList<Element> readerElements(const QByteArray& text)
{
    QList<Element> out;
    QList<int> open;
    QList<bool> hasChild;
    QXmlStreamReader reader(text);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (!hasChild.isEmpty())
                hasChild.last() = true;
            Element e{reader.name().toUtf8(), int(open.size()), {}, {}};
            for (const QXmlStreamAttribute& a : reader.attributes())
                e.attributes.append({a.name().toUtf8(), a.value().toUtf8()});
            open << int(out.size());
            hasChild << false;
            out << e;
            break;
        }
        case QXmlStreamReader::Characters:
            if (!open.isEmpty() && !reader.isWhitespace())
                out[open.last()].data += reader.text().toUtf8();
            break;
        case QXmlStreamReader::EndElement:
            if (hasChild.last())
                out[open.last()].data.clear();
            open.removeLast();
            hasChild.removeLast();
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        qWarning() << reader.errorString() << reader.lineNumber();
    return out;
}

// After editing, the index must say what a fresh parse of the text says.
void checkIndexAgainstReparse(const CXmlDoc& edited)
{
    CXmlDoc fresh;
    fresh.SetDocText(edited.GetDocText());
    QList<QList<int>> a, b;
    auto collect = [](const CXmlDoc& doc, QList<QList<int>>& out) {
        QList<int> stack{doc.GetRecord(0).firstChild};
        while (!stack.isEmpty()) {
            const int pos = stack.takeLast();
            if (!pos)
                continue;
            const ElementRecord& r = doc.GetRecord(pos);
            out << QList<int>{r.start, r.length, r.startTagLength(), r.endTagLength(), r.level()};
            stack << r.nextSibling << r.firstChild;
        }
    };
    collect(edited, a);
    collect(fresh, b);
    QCOMPARE(a, b);
}
}

class TestXmlDoc : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("wellFormed");
        QTest::addColumn<QByteArray>("resultText");
        QTest::newRow("empty") << QByteArray() << false << QByteArray();
        QTest::newRow("one element") << QByteArray("<a/>") << true << QByteArray();
        QTest::newRow("declaration, comment, doctype ahead")
            << QByteArray("<?xml version=\"1.0\"?>\n<!-- c --><!DOCTYPE r [<!ELEMENT r ANY><!ENTITY e \"a>b\">]><r>t</r>")
            << true << QByteArray();
        QTest::newRow("two roots") << QByteArray("<a/><b/>") << false << QByteArray("root element has sibling");
        QTest::newRow("unended child") << QByteArray("<a><b></a>") << false
                                       << QByteArray("start tag 'b' at offset 3 expecting end tag at offset 7");
        QTest::newRow("lone end tag") << QByteArray("</x>") << false
                                      << QByteArray("lone end tag 'x' at offset 0 no root element");
        QTest::newRow("exclamation") << QByteArray("<!X><a/>") << false
                                     << QByteArray("tag syntax error at offset 0 expecting 'DOCTYPE' [ or -");
        QTest::newRow("digit name") << QByteArray("<a><1></a>") << false
                                    << QByteArray("tag syntax error at offset 3 expecting tag name / ! or ?");
        QTest::newRow("comment syntax") << QByteArray("<!-x><a/>") << false
                                        << QByteArray("tag syntax error at offset 0 expecting - to begin comment");
        QTest::newRow("cdata syntax") << QByteArray("<a><![X[y]]></a>") << false
                                      << QByteArray("tag syntax error at offset 3 expecting 'CDATA'");
        QTest::newRow("doctype declaration") << QByteArray("<!DOCTYPE r [<!X>]><r/>") << false
                                             << QByteArray("tag syntax error at offset 0 expecting markup declaration");
        QTest::newRow("unterminated") << QByteArray("<a>x<") << false
                                      << QByteArray("unterminated tag at offset 4 start tag 'a' at offset 0 expecting end "
                                                    "tag at offset 5");
        QTest::newRow("quoted >") << QByteArray("<a title=\"x>y\" alt='p>q'/>") << true << QByteArray();
        QTest::newRow("Chinese names") << QByteArray("<书目><题名>红楼梦</题名></书目>") << true << QByteArray();
        QTest::newRow("comment <!-->") << QByteArray("<a><!-->x</a>") << true << QByteArray();
    }
    void parse()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, wellFormed);
        CXmlDoc doc;
        QCOMPARE(doc.SetDocText(text), wellFormed);
        QTEST(doc.GetResultText(), "resultText");
        QCOMPARE(doc.GetCursorParent() + doc.GetCursorCurrent() + doc.GetCursorChild(), 0);
    }

    void unendedChildrenBecomeSiblings()
    {
        CXmlDoc doc("<r><a><b><c>t</c></a><d/></r>");
        QVERIFY(doc.FindElement("r") && doc.EnterElement() && doc.FindElement("a"));
        const int a = doc.GetCursorCurrent();
        QCOMPARE(doc.GetRecord(a).length, 18);
        QVERIFY(doc.EnterElement() && doc.FindElement("b"));
        const ElementRecord& b = doc.GetRecord(doc.GetCursorCurrent());
        QVERIFY(b.has(ElementRecord::kUnended));
        QVERIFY(b.isEmpty());
        QCOMPARE(b.level(), 2);
        QVERIFY(doc.FindElement("c"));
        QCOMPARE(doc.GetRecord(doc.GetCursorCurrent()).level(), 2);
        QCOMPARE(doc.GetData(), QByteArray("t"));
        QVERIFY(!doc.FindElement());
        QVERIFY(doc.GetRecord(0).has(ElementRecord::kIllFormed));
    }

    void emptyElementTags_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("empty");
        QTest::newRow("unquoted value takes the slash") << QByteArray("<a href=x/>") << false;
        QTest::newRow("quoted value") << QByteArray("<a href=\"x\"/>") << true;
        QTest::newRow("blank before slash") << QByteArray("<br />") << true;
        QTest::newRow("bare") << QByteArray("<br/>") << true;
        QTest::newRow("attribute without value") << QByteArray("<input checked/>") << true;
    }
    void emptyElementTags()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, empty);
        CXmlDoc doc;
        QCOMPARE(doc.SetDocText(text), empty);
        QCOMPARE(doc.GetRecord(1).has(ElementRecord::kUnended), !empty);
    }

    void largeDocumentAcrossSegments()
    {
        constexpr int kChildren = 199999;
        QByteArray text = "<r>";
        for (int i = 0; i < kChildren; ++i)
            text += i % 2 ? "<e/>" : "<f>x</f>";
        text += "</r>";
        CXmlDoc doc;
        QVERIFY(doc.SetDocText(text));
        QCOMPARE(doc.GetPositionCount(), kChildren + 2);
        const ElementRecord& root = doc.GetRecord(1);
        int count = 0;
        int previous = 0;
        int offset = 3;
        for (int c = root.firstChild; c; c = doc.GetRecord(c).nextSibling) {
            const ElementRecord& r = doc.GetRecord(c);
            QCOMPARE(r.parent, 1);
            QCOMPARE(r.start, offset);
            if (previous)
                QCOMPARE(r.prevSibling, previous);
            offset += r.length;
            previous = c;
            ++count;
        }
        QCOMPARE(count, kChildren);
        QCOMPARE(doc.GetRecord(root.firstChild).prevSibling, previous);
        QVERIFY(doc.GetRecord(root.firstChild).has(ElementRecord::kFirstChild));
    }

    void agreesWithStreamReader_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 1234u, 99999u})
            QTest::addRow("seed %u", seed) << seed;
    }
    void agreesWithStreamReader()
    {
        QFETCH(quint32, seed);
        const QByteArray text = DocumentMaker(seed).make();
        CXmlDoc doc;
        QVERIFY2(doc.SetDocText(text), doc.GetResultText().constData());
        QList<Element> ours;
        walk(doc, 0, ours);
        QCOMPARE(ours, readerElements(text));
    }

    void oversizedTagsAreIllFormed()
    {
        QByteArray deep;
        for (int i = 0; i < 65537; ++i)
            deep += "<d>";
        CXmlDoc doc;
        QVERIFY(!doc.SetDocText("<r>" + deep + "</r>"));
        QVERIFY(doc.GetResultText().startsWith("element nested too deep at offset 196608"));
        for (int p = 1; p < doc.GetPositionCount(); ++p)
            QVERIFY(doc.GetRecord(p).level() <= ElementRecord::kMaxLevel);
        const QByteArray longEnd = "<a>x</a" + QByteArray(1100, ' ') + ">";
        QVERIFY(!doc.SetDocText(longEnd));
        QVERIFY(doc.GetResultText().startsWith("tag too long at offset 4"));
    }

    void find_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArrayList>("steps");  // "name" finds, ">" enters, "<" leaves
        QTest::addColumn<QByteArray>("data");
        const QByteArray books = "<r><books>s</books><book>1</book><x/><book>2</book></r>";
        QTest::newRow("name is not a prefix") << books << QByteArrayList{"r", ">", "book"} << QByteArray("1");
        QTest::newRow("second find goes on") << books << QByteArrayList{"r", ">", "book", "book"} << QByteArray("2");
        QTest::newRow("never looks back") << books << QByteArrayList{"r", ">", "x", "books"} << QByteArray("!");
        QTest::newRow("empty name: next sibling") << books << QByteArrayList{"r", ">", "book", ""} << QByteArray("");
        QTest::newRow("predicate ignored") << books << QByteArrayList{"r", ">", "book[2]"} << QByteArray("1");
        QTest::newRow("top level only") << books << QByteArrayList{"book"} << QByteArray("!");
        QTest::newRow("leave and go on") << QByteArray("<r><a><b>1</b></a><c>2</c></r>")
                                         << QByteArrayList{"r", ">", "a", ">", "b", "<", "c"} << QByteArray("2");
        QTest::newRow("enter with no current") << books << QByteArrayList{">"} << QByteArray("!");
    }
    void find()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArrayList, steps);
        CXmlDoc doc(text.constData());
        bool ok = true;
        for (const QByteArray& step : steps)
            ok = ok && (step == ">" ? doc.EnterElement() : step == "<" ? doc.LeaveElement() : doc.FindElement(step));
        QTEST(ok ? doc.GetData() : QByteArray("!"), "data");
    }

    void badPathsLeaveCursor_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("absolute") << QByteArray("/a");
        QTest::newRow("anywhere") << QByteArray("//a");
        QTest::newRow("open predicate") << QByteArray("a[");
        QTest::newRow("blank") << QByteArray("a b");
        QTest::newRow("empty step") << QByteArray("a/");
    }
    void badPathsLeaveCursor()
    {
        CXmlDoc doc("<r><a/><a/></r>");
        QVERIFY(doc.FindElement("r") && doc.EnterElement() && doc.FindElement("a"));
        const int current = doc.GetCursorCurrent();
        QFETCH(QByteArray, path);
        QVERIFY(!doc.FindElement(path));
        QCOMPARE(doc.GetCursorCurrent(), current);
    }

    void attributes_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("single quotes") << QByteArray("a") << QByteArray("1");
        QTest::newRow("double quotes") << QByteArray("b") << QByteArray("2");
        QTest::newRow("unquoted") << QByteArray("c") << QByteArray("3");
        QTest::newRow("no value") << QByteArray("d") << QByteArray("");
        QTest::newRow("missing") << QByteArray("e") << QByteArray("");
        QTest::newRow("prefix of a name") << QByteArray("hre") << QByteArray("");
        QTest::newRow("decoded") << QByteArray("href") << QByteArray("/x?a=1&b=中");
    }
    void attributes()
    {
        CXmlDoc doc("<e a='1' b=\"2\" c=3 d href=\"/x?a=1&amp;b=&#x4E2D;\">t</e>");
        QFETCH(QByteArray, name);
        QVERIFY(doc.FindElement("e"));
        QTEST(doc.GetAttribute(name), "value");
    }

    void elementData_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("amp") << QByteArray("<t>A &amp; B</t>") << QByteArray("A & B");
        QTest::newRow("decimal") << QByteArray("<t>&#20013;</t>") << QByteArray("\xE4\xB8\xAD");
        QTest::newRow("hex") << QByteArray("<t>&#X1F600;</t>") << QByteArray("\xF0\x9F\x98\x80");
        QTest::newRow("unknown") << QByteArray("<t>&bogus;</t>") << QByteArray("&bogus;");
        QTest::newRow("no semicolon") << QByteArray("<t>AT&T</t>") << QByteArray("AT&T");
        QTest::newRow("zero") << QByteArray("<t>&#0;</t>") << QByteArray("&#0;");
        QTest::newRow("surrogate") << QByteArray("<t>&#xD800;</t>") << QByteArray("&#xD800;");
        QTest::newRow("beyond unicode") << QByteArray("<t>&#x110000;</t>") << QByteArray("&#x110000;");
        QTest::newRow("rarr exact") << QByteArray("<t>&rarr;</t>") << QByteArray("→");
        QTest::newRow("rArr exact") << QByteArray("<t>&rArr;</t>") << QByteArray("⇒");
        QTest::newRow("oslash exact") << QByteArray("<t>&oslash;</t>") << QByteArray("ø");
        QTest::newRow("OSLASH falls back") << QByteArray("<t>&OSLASH;</t>") << QByteArray("Ø");
        QTest::newRow("cdata") << QByteArray("<t>x<![CDATA[<y>]]>z</t>") << QByteArray("x<y>z");
        QTest::newRow("blank node dropped") << QByteArray("<t>a<!--c--> </t>") << QByteArray("a");
        QTest::newRow("trailing blank kept") << QByteArray("<t>a </t>") << QByteArray("a ");
        QTest::newRow("has a child") << QByteArray("<t><u/>text</t>") << QByteArray("");
        QTest::newRow("empty element") << QByteArray("<t/>") << QByteArray("");
        QTest::newRow("Chinese") << QByteArray("<t>红楼梦&nbsp;曹雪芹</t>") << QByteArray("红楼梦\xC2\xA0曹雪芹");
    }
    void elementData()
    {
        QFETCH(QByteArray, text);
        CXmlDoc doc(text.constData());
        QVERIFY(doc.FindElement("t"));
        QTEST(doc.GetData(), "data");
    }

    void whiteSpaceFlags()
    {
        QCOMPARE(CXmlDoc::DecodeText("  a \t b  ", -1, CXmlDoc::kTrimSpace), QByteArray("a \t b"));
        QCOMPARE(CXmlDoc::DecodeText("  a \t b  ", -1, CXmlDoc::kCollapseSpace), QByteArray("a b"));
        QCOMPARE(CXmlDoc::DecodeText("  a \t b  ", -1, 0), QByteArray("  a \t b  "));
    }

    void insertElement_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("into <r/> with line breaks") << QByteArray("<r/>") << 0 << QByteArray("<r>\r\n<x>a&lt;b</x>\r\n</r>");
        QTest::newRow("no line breaks") << QByteArray("<r/>") << int(CXmlDoc::kNoLineBreaks)
                                        << QByteArray("<r><x>a&lt;b</x></r>");
        QTest::newRow("after the last child") << QByteArray("<r>\r\n<a/>\r\n</r>") << 0
                                              << QByteArray("<r>\r\n<a/>\r\n<x>a&lt;b</x>\r\n</r>");
        QTest::newRow("before the first child") << QByteArray("<r><a/></r>")
                                                << int(CXmlDoc::kNoLineBreaks | CXmlDoc::kInsertBefore)
                                                << QByteArray("<r><x>a&lt;b</x><a/></r>");
        QTest::newRow("into a start tag never ended") << QByteArray("<s><r></s>") << int(CXmlDoc::kNoLineBreaks)
                                                      << QByteArray("<s><r><x>a&lt;b</x></r></s>");
    }
    void insertElement()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, flags);
        CXmlDoc doc(text.constData());
        if (doc.FindElement("s"))
            QVERIFY(doc.EnterElement());
        QVERIFY(doc.FindElement("r") && doc.EnterElement());
        QVERIFY(doc.InsertElement("x", "a<b", flags));
        QTEST(doc.GetDocText(), "result");
        QCOMPARE(doc.GetData(), QByteArray("a<b"));
        checkIndexAgainstReparse(doc);
        QVERIFY(doc.LeaveElement());
        QVERIFY(doc.InsertElement("after", nullptr, CXmlDoc::kNoLineBreaks));
        checkIndexAgainstReparse(doc);
    }

    void setAttribute_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("quotes escaped") << QByteArray("<e><c/></e>") << QByteArray("a") << QByteArray("say \"hi\"")
                                        << QByteArray("<e a=\"say &quot;hi&quot;\"><c/></e>");
        QTest::newRow("unquoted rewritten") << QByteArray("<e a=1 b='2'/>") << QByteArray("a") << QByteArray("3")
                                            << QByteArray("<e a=\"3\" b='2'/>");
        QTest::newRow("valueless given one") << QByteArray("<e d>x</e>") << QByteArray("d") << QByteArray("on")
                                             << QByteArray("<e d=\"on\">x</e>");
        QTest::newRow("added before the slash") << QByteArray("<e x=\"1\" />") << QByteArray("y") << QByteArray("<&>")
                                                << QByteArray("<e x=\"1\" y=\"&lt;&amp;&gt;\" />");
    }
    void setAttribute()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, result);
        CXmlDoc doc(("<r>" + text + "<z/></r>").constData());
        QVERIFY(doc.FindElement("r") && doc.EnterElement() && doc.FindElement("e"));
        QVERIFY(doc.SetAttribute(doc.GetCursorCurrent(), name, value));
        QCOMPARE(doc.GetDocText(), "<r>" + result + "<z/></r>");
        QTEST(doc.GetAttribute(name), "value");
        checkIndexAgainstReparse(doc);
    }

    void cdataRoundTrip()
    {
        CXmlDoc doc("<r/>");
        QVERIFY(doc.FindElement("r") && doc.EnterElement());
        QVERIFY(doc.InsertElement("c", "x]]>y", CXmlDoc::kAsCData | CXmlDoc::kNoLineBreaks));
        QCOMPARE(doc.GetData(), QByteArray("x]]>y"));
        QByteArray markup;
        QVERIFY(!CXmlDoc::MakeNodeMarkup(8, "x]]>y", markup));
        QVERIFY(doc.SetData(doc.GetCursorCurrent(), "1 < 2"));
        QCOMPARE(doc.GetDocText(), QByteArray("<r><c>1 &lt; 2</c></r>"));
        checkIndexAgainstReparse(doc);
    }

    void removeAndReplace()
    {
        CXmlDoc doc("<r>\r\n<a/>\r\n<b><x/></b>\r\n<c>3</c>\r\n</r>");
        QVERIFY(doc.FindElement("r") && doc.EnterElement() && doc.FindElement("b"));
        QVERIFY(doc.SaveCursor("b"));
        QVERIFY(doc.RemoveElement());
        QCOMPARE(doc.GetDocText(), QByteArray("<r>\r\n<a/>\r\n<c>3</c>\r\n</r>"));
        QCOMPARE(doc.GetElementName(doc.GetCursorCurrent()), QByteArray("a"));
        QVERIFY(!doc.RestoreCursor("b"));
        checkIndexAgainstReparse(doc);
        QVERIFY(doc.FindElement("c"));
        QVERIFY(doc.SetInnerMarkup(doc.GetCursorCurrent(), "<p>1</p><p>2</p>"));
        QVERIFY(!doc.SetInnerMarkup(doc.GetCursorCurrent(), "<p>1"));
        QCOMPARE(doc.GetInnerMarkup(doc.GetCursorCurrent()), QByteArray("<p>1</p><p>2</p>"));
        checkIndexAgainstReparse(doc);
        QVERIFY(doc.InsertMarkup("<!-- ahead --><m k=\"v\"><n>deep</n></m>", CXmlDoc::kInsertBefore));
        QCOMPARE(doc.GetElementMarkup(doc.GetCursorCurrent()), QByteArray("<m k=\"v\"><n>deep</n></m>\r\n"));
        checkIndexAgainstReparse(doc);
    }

    void nodesAndPaths()
    {
        CXmlDoc doc("<a><b/><!--c--><b><c>t<?pi x?></c></b>tail</a>");
        QVERIFY(doc.FindElement("a") && doc.EnterElement());
        QByteArrayList labels;
        for (int type; (type = doc.NextNode()) != 0;)
            labels << QByteArray::number(type) + ":" + doc.GetNodeLabel();
        QCOMPARE(labels, (QByteArrayList{"1:b", "32:#comment", "1:b", "2:#text"}));
        doc.ResetCursor();
        QVERIFY(doc.FindElement("b"));
        QCOMPARE(doc.GetElementPath(doc.GetCursorCurrent()), QByteArray("/a/b"));
        QVERIFY(doc.FindElement("b") && doc.EnterElement() && doc.FindElement("c"));
        QCOMPARE(doc.GetElementPath(doc.GetCursorCurrent()), QByteArray("/a/b[2]/c"));
        QVERIFY(doc.EnterElement());
        QCOMPARE(doc.NextNode(0x10), 0x10);
        QCOMPARE(doc.GetNodeLabel(), QByteArray("pi"));
        QCOMPARE(doc.GetAttribute("x"), QByteArray(""));
        QCOMPARE(doc.GetData(), QByteArray("pi x"));
        QVERIFY(doc.RemoveCurrentNode());
        QCOMPARE(doc.GetDocText(), QByteArray("<a><b/><!--c--><b><c>t</c></b>tail</a>"));
        checkIndexAgainstReparse(doc);
    }

    void nodeInsertion()
    {
        CXmlDoc doc("<r><a x=\"1\" y=\"2\"/><b/></r>");
        QVERIFY(doc.FindElement("r") && doc.EnterElement() && doc.FindElement("a"));
        QCOMPARE(doc.GetAttributeName(1), QByteArray("y"));
        QCOMPARE(doc.GetAttributeName(2), QByteArray());
        QVERIFY(doc.InsertNodeMarkup(0x20, " note ", CXmlDoc::kNoLineBreaks));
        QCOMPARE(doc.GetNodeLabel(), QByteArray("#comment"));
        QVERIFY(!doc.InsertNodeMarkup(8, "x]]>"));
        QVERIFY(doc.FindElement("b"));
        QCOMPARE(doc.GetDocText(), QByteArray("<r><a x=\"1\" y=\"2\"/><!-- note --><b/></r>"));
        checkIndexAgainstReparse(doc);
        QVERIFY(doc.LeaveElement());
        QVERIFY(doc.RemoveChildElement());
        QCOMPARE(doc.GetElementName(doc.GetCursorChild()), QByteArray("a"));
        QCOMPARE(doc.GetDocText(), QByteArray("<r><a x=\"1\" y=\"2\"/><!-- note --></r>"));
        checkIndexAgainstReparse(doc);
    }

    void documentFlags()
    {
        CXmlDoc doc;
        doc.SetDocFlags(CXmlDoc::kIgnoreCase | CXmlDoc::kCollapseSpace);
        QVERIFY(doc.SetDocText("<Book><TITLE>  红楼 \t 梦 </title></book>"));
        QVERIFY(doc.FindElement("book") && doc.EnterElement() && doc.FindElement("Title"));
        QCOMPARE(doc.GetData(), QByteArray("红楼 梦"));
        doc.SetDocFlags(0);
        QVERIFY(!doc.SetDocText("<Book></book>"));
    }

    void savedCursors()
    {
        CXmlDoc doc("<r><a><x/></a><b/></r>");
        QVERIFY(doc.FindElement("r") && doc.EnterElement() && doc.FindElement("a") && doc.FindChildElement("x"));
        QVERIFY(doc.SaveCursor("child", 3));
        QVERIFY(doc.FindElement("b"));
        QVERIFY(doc.RestoreCursor("child", 3));
        QCOMPARE(doc.GetElementName(doc.GetCursorCurrent()), QByteArray("a"));
        QCOMPARE(doc.GetElementName(doc.GetCursorChild()), QByteArray("x"));
        QVERIFY(!doc.RestoreCursor("child", 0));
        CXmlDoc copy;
        copy = doc;
        QVERIFY(copy.RestoreCursor("child", 3));
        QVERIFY(copy.SetDocText("<other/>"));
        QVERIFY(!copy.RestoreCursor("child", 3));
    }
};

QTEST_APPLESS_MAIN(TestXmlDoc)
#include "test_xmldoc.moc"
