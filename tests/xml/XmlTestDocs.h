// Shared by the XML document tests: a walk of every element through the cursor, and random
// well-formed documents.
#pragma once

#include "xml/XmlDoc.h"

#include <QRandomGenerator>
#include <QtTest>

namespace XmlTestDocs {
struct Element {
    QByteArray name;
    int depth = 0;
    QList<QPair<QByteArray, QByteArray>> attributes;
    QByteArray data;
    bool operator==(const Element&) const = default;
};

// Every element in document order, read through the cursor operations.
inline void walk(CXmlDoc& doc, int depth, QList<Element>& out)
{
    while (doc.FindElement()) {
        const int pos = doc.GetCursorCurrent();
        Element e{doc.GetElementName(pos), doc.GetRecord(pos).level(), {}, doc.GetData()};
        QByteArray name, value;
        for (int n = 0; doc.GetAttributeAt(n, &name, &value); ++n)
            e.attributes.append({name, value});
        QCOMPARE(e.depth, depth);
        out << e;
        QVERIFY(doc.EnterElement());
        walk(doc, depth + 1, out);
        QVERIFY(doc.LeaveElement());
    }
}

// A random well-formed document: nesting, attributes, references, CDATA, comments and
// Chinese text; no text piece is blank, as blank pieces are white space, not text.
class DocumentMaker {
public:
    explicit DocumentMaker(quint32 seed) : m_random(seed) {}

    QByteArray make()
    {
        QByteArray doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- generated -->\n";
        element(doc, 0);
        return doc + "\n";
    }
private:
    int pick(int n) { return int(m_random.bounded(n)); }
    QByteArray name()
    {
        static const char* names[] = {"book", "书目", "title", "x-y", "_a", "entry", "作者", "b1"};
        return names[pick(8)];
    }
    QByteArray text()
    {
        static const char* pieces[] = {"A &amp; B", "中文图书", "x&lt;y&gt;z", "&#20013;&#x56FD;", "price 38.00元",
                                       "&quot;q&quot; &apos;a&apos;", "plain"};
        return pieces[pick(7)];
    }
    void element(QByteArray& doc, int depth)
    {
        const QByteArray n = name();
        doc += "<" + n;
        QList<QByteArray> used;
        for (int a = pick(4); a > 0; --a) {
            const QByteArray attribute = QByteArray("a") + char('a' + pick(6));
            if (used.contains(attribute))
                continue;
            used << attribute;
            doc += pick(2) ? " " + attribute + "=\"" + text() + "\"" : " " + attribute + "='" + text() + " &quot;'";
        }
        const int children = depth < 6 ? pick(5) : 0;
        if (children == 0 && pick(3) == 0) {
            doc += "/>";
            return;
        }
        doc += ">";
        if (children == 0) {
            for (int p = 1 + pick(3); p > 0; --p) {
                const int kind = pick(4);
                if (kind == 0)
                    doc += "<![CDATA[<raw> & " + text() + "]]>";
                else if (kind == 1)
                    doc += "<!-- note -->" + text();
                else
                    doc += text();
            }
        }
        for (int c = 0; c < children; ++c) {
            doc += "\n" + QByteArray(depth + 1, ' ');
            element(doc, depth + 1);
        }
        doc += "</" + n + ">";
    }

    QRandomGenerator m_random;
};

}
