#pragma once

#include <QByteArray>

#include <cstdint>
#include <unordered_map>
#include <vector>

// The kinds of node the scanner reports.
namespace XmlNode {
enum : int {
    EndTag = 0,
    StartTag = 1,
    Text = 2,
    WhiteSpace = 4,
    CData = 8,
    ProcessingInstruction = 0x10,
    Comment = 0x20,
    DocType = 0x40,
    LoneEndTag = 0x80,  // an end tag no element claims, as a current node
    Bad = -1,           // a syntax error was recorded
    End = -2,
};
}

// What ScanNode found: a node's kind and extent, and the result records it raised.
struct XmlNodeInfo {
    static constexpr int kEmptyElement = 0x10000;  // the start tag ends in "/>"

    int type = XmlNode::End;
    int start = 0;
    int length = 0;
    int flags = 0;
    QByteArray results;
};

// Steps through the text of a document one node at a time. Every byte of 0x80 or above
// counts as neither markup nor white space, so a UTF-8 character is never split.
class XmlScanner {
public:
    // Scans text[from, end); end is the first offset not to look at.
    XmlScanner(const char* text, int end, int from = 0) : next(from), m_text(text), m_end(end) {}

    int ScanNode(XmlNodeInfo& node);

    // The name of the last start tag, end tag or processing instruction scanned.
    const char* token() const { return m_text + tokenLeft; }
    int tokenLength() const { return tokenRight - tokenLeft + 1; }

    int tokenLeft = 0;
    int tokenRight = -1;
    int next = 0;
    int reportBase = 0;  // added to the offsets of the records raised: where the text lies in its file

private:
    int finish(XmlNodeInfo& node, int type, int nextOffset);
    int unterminated(XmlNodeInfo& node, const char* kind);
    int badNode(XmlNodeInfo& node, const char* record, int from);
    int scanText(XmlNodeInfo& node);
    int scanStartTag(XmlNodeInfo& node);
    int scanEndTag(XmlNodeInfo& node);
    int scanExclamation(XmlNodeInfo& node);
    int scanDocType(XmlNodeInfo& node, int from);
    int scanDeclaration(XmlNodeInfo& node, int at);
    int nameEnd(int from) const;
    int tagBodyEnd(int from, bool endAtLessThan, bool* emptyElement) const;
    int markerEnd(int from, char first, char second) const;
    int quotedEnd(int from) const;

    const char* m_text;
    int m_end;
};

inline bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Whether a name in the text (n bytes) is the given name: the bytes agree and the given
// name ends right after them (at its end or at ' ', '/', '=', '[' or ']'), so "book"
// matches "book" and "book[2]" but not "books". Document flag 0x8 folds ASCII case.
bool xmlNameMatches(const char* name, int n, const char* given, int givenLength, int docFlags);

// The names of the elements open during a parse, each counted under every beginning of it
// that an end tag's name may stand for (see xmlNameMatches: the whole name, and each part a
// name boundary follows), as seeded hashes. An end tag whose name is not counted closes
// nothing and is known as such at once: walking down the open elements for every stray end
// tag made a hostile reply cost its length times its depth. Near the top that walk is short
// and counting every element would cost more than it saves, so the names are counted only
// while the parse is deep.
class XmlOpenNames {
public:
    explicit XmlOpenNames(int docFlags);
    // After an element opened: `open` elements are open, nameAt(i) the name of the i-th,
    // outermost first, as a QByteArrayView.
    template <class NameAt>
    void opened(size_t open, NameAt nameAt)
    {
        if (m_counting) {
            count(nameAt(open - 1), 1);
        } else if (open >= kCountedFrom) {
            m_counting = true;
            for (size_t i = 0; i < open; ++i)
                count(nameAt(i), 1);
        }
    }
    // Before the open elements from `depth` on, of `open`, close.
    template <class NameAt>
    void closing(size_t depth, size_t open, NameAt nameAt)
    {
        if (!m_counting)
            return;
        if (depth < kCountedUntil) {
            m_counting = false;
            m_counts.clear();
            return;
        }
        for (size_t i = depth; i < open; ++i)
            count(nameAt(i), -1);
    }
    // False when no open element takes an end tag of that name (true, rarely, on a collision
    // of hashes, and always while the names are not counted: the caller's walk then decides).
    bool mayMatch(const char* name, int length) const { return !m_counting || counted(name, length); }

private:
    static constexpr size_t kCountedFrom = 256;
    static constexpr size_t kCountedUntil = 128;
    void count(QByteArrayView name, int delta);
    bool counted(const char* name, int length) const;
    static uint64_t mix(uint64_t hash, char c, bool& fold);

    uint64_t m_seed;
    bool m_fold;
    std::unordered_map<uint64_t, int> m_counts;
    bool m_counting = false;
};

// The name of the element whose '<' is at `tagStart`, as reading it from its start tag
// gives: white space skipped, then up to white space or one of ! " ' / ; < = > ? \ .
struct XmlSpan {
    int start = 0;
    int length = 0;
};
XmlSpan xmlElementName(const char* text, int end, int tagStart);

// The attributes of a start tag or processing instruction, as tokens of the text.
struct XmlTagTokens {
    struct Attribute {
        XmlSpan name;
        XmlSpan value;       // without its quotes
        XmlSpan valueToken;  // with its quotes, if it had any
        bool hasValue = false;
    };
    std::vector<Attribute> attributes;  // after the tag's own name
    int lastTokenEnd = 0;               // where the last name or value ends
};
// Reads the tokens from `from` (just after "<" or "<?") to the token that ends the tag.
XmlTagTokens xmlTagTokens(const char* text, int end, int from);
