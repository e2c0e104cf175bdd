#include "xml/XmlScanner.h"

#include "xml/XmlDoc.h"

#include <QRandomGenerator>

#include <cstring>

namespace {
bool isNameStart(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x61 || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
}

bool isNameBoundary(char c) { return c == ' ' || c == '/' || c == '=' || c == '[' || c == ']'; }

char foldAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

int utf8Length(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    return lead >= 0xC0 ? 2 : 1;
}

// One character from `at`, a whole UTF-8 sequence where the bytes allow.
int characterEnd(const char* text, int end, int at)
{
    int stop = at + utf8Length(static_cast<unsigned char>(text[at]));
    if (stop > end)
        stop = end;
    for (int i = at + 1; i < stop; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return i;
    return stop;
}

bool endsElementName(char c) { return isXmlSpace(c) || (c != '\0' && std::strchr("!\"'/;<=>?\\", c)); }
}

int XmlScanner::finish(XmlNodeInfo& node, int type, int nextOffset)
{
    node.type = type;
    node.length = nextOffset - node.start;
    next = nextOffset;
    return type;
}

int XmlScanner::unterminated(XmlNodeInfo& node, const char* kind)
{
    CXmlDoc::AddResult(node.results, "unterminated_tag_syntax", kind, CXmlDoc::kResultType, node.start + reportBase);
    return finish(node, XmlNode::Bad, m_end);
}

// A syntax error: the node goes on to the next '>' (quoted values respected) or stops before
// the next '<'.
int XmlScanner::badNode(XmlNodeInfo& node, const char* record, int from)
{
    CXmlDoc::AddResult(node.results, record, nullptr, 0, node.start + reportBase);
    const int stop = tagBodyEnd(from, true, nullptr);
    if (stop < 0)
        return unterminated(node, "tag");
    return finish(node, XmlNode::Bad, stop);
}

int XmlScanner::ScanNode(XmlNodeInfo& node)
{
    node.start = next;
    node.flags = 0;
    node.length = 0;
    if (!node.results.isEmpty())
        node.results.clear();
    const int s = next;
    if (s >= m_end) {
        node.type = XmlNode::End;
        return XmlNode::End;
    }
    if (m_text[s] != '<')
        return scanText(node);
    if (s + 1 >= m_end)
        return unterminated(node, "tag");
    const char c = m_text[s + 1];
    if (isNameStart(c))
        return scanStartTag(node);
    switch (c) {
    case '/':
        return scanEndTag(node);
    case '!':
        return scanExclamation(node);
    case '?': {
        const int name = s + 2;
        const int stop = nameEnd(name);
        tokenLeft = name;
        tokenRight = stop - 1;
        const int close = stop < m_end ? markerEnd(stop, '?', '?') : -1;
        if (close < 0)
            return unterminated(node, "processing_instruction");
        return finish(node, XmlNode::ProcessingInstruction, close);
    }
    default:
        return badNode(node, "first_tag_syntax", s + 1);
    }
}

int XmlScanner::scanText(XmlNodeInfo& node)
{
    int i = node.start;
    while (i < m_end && isXmlSpace(m_text[i]))
        ++i;
    if (i >= m_end || m_text[i] == '<')
        return finish(node, XmlNode::WhiteSpace, i);
    const void* lt = std::memchr(m_text + i, '<', m_end - i);
    return finish(node, XmlNode::Text, lt ? int(static_cast<const char*>(lt) - m_text) : m_end);
}

// A tag name runs to white space, '/' or '>'.
int XmlScanner::nameEnd(int from) const
{
    int i = from;
    while (i < m_end) {
        const char c = m_text[i];
        if (c == '>' || c == '/' || isXmlSpace(c))
            break;
        ++i;
    }
    return i;
}

int XmlScanner::scanStartTag(XmlNodeInfo& node)
{
    const int name = node.start + 1;
    const int stop = nameEnd(name);
    tokenLeft = name;
    tokenRight = stop - 1;
    bool empty = false;
    const int close = tagBodyEnd(stop, false, &empty);
    if (close < 0)
        return unterminated(node, "start_tag");
    if (empty)
        node.flags |= XmlNodeInfo::kEmptyElement;
    return finish(node, XmlNode::StartTag, close);
}

int XmlScanner::scanEndTag(XmlNodeInfo& node)
{
    const int name = node.start + 2;
    const int stop = nameEnd(name);
    tokenLeft = name;
    tokenRight = stop - 1;
    const void* gt = stop < m_end ? std::memchr(m_text + stop, '>', m_end - stop) : nullptr;
    if (!gt)
        return unterminated(node, "end_tag");
    return finish(node, XmlNode::EndTag, int(static_cast<const char*>(gt) - m_text) + 1);
}

int XmlScanner::scanExclamation(XmlNodeInfo& node)
{
    const int s = node.start;
    if (s + 2 >= m_end)
        return unterminated(node, "tag");
    switch (m_text[s + 2]) {
    case '-': {
        if (s + 3 >= m_end)
            return unterminated(node, "tag");
        if (m_text[s + 3] != '-')
            return badNode(node, "comment_tag_syntax", s + 3);
        const int close = markerEnd(s + 4, '-', '-');
        return close < 0 ? unterminated(node, "comment") : finish(node, XmlNode::Comment, close);
    }
    case '[': {
        if (s + 3 >= m_end)
            return unterminated(node, "tag");
        if (m_text[s + 3] != 'C')
            return badNode(node, "cdata_section_syntax", s + 3);
        const int close = markerEnd(s + 4, ']', ']');
        return close < 0 ? unterminated(node, "cdata_section") : finish(node, XmlNode::CData, close);
    }
    case 'D':
        return scanDocType(node, s + 3);
    default:
        return badNode(node, "exclamation_tag_syntax", s + 2);
    }
}

// A document type with its internal subset: quoted sections and the declarations, comments
// and instructions inside it are stepped over; its own '>' ends it.
int XmlScanner::scanDocType(XmlNodeInfo& node, int from)
{
    char quote = 0;
    for (int i = from; i < m_end; ++i) {
        const char c = m_text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return finish(node, XmlNode::DocType, i + 1);
        } else if (c == '<') {
            const int after = scanDeclaration(node, i);
            if (after < 0)
                return node.type;
            i = after - 1;
        }
    }
    return unterminated(node, "document_type");
}

// One piece of markup inside a document type, from its '<'. Returns the offset after it, or
// -1 when the whole node ended (unterminated or bad; `node` then holds the outcome).
int XmlScanner::scanDeclaration(XmlNodeInfo& node, int at)
{
    auto bad = [&](const char* record, int from) {
        badNode(node, record, from);
        return -1;
    };
    auto ended = [&](int close) {
        if (close >= 0)
            return close;
        unterminated(node, "document_type");
        return -1;
    };
    if (at + 1 >= m_end)
        return ended(-1);
    const char c = m_text[at + 1];
    if (isNameStart(c))
        return ended(tagBodyEnd(nameEnd(at + 1), false, nullptr));
    if (c == '/') {
        const void* gt = std::memchr(m_text + at, '>', m_end - at);
        return ended(gt ? int(static_cast<const char*>(gt) - m_text) + 1 : -1);
    }
    if (c == '?')
        return ended(markerEnd(at + 2, '?', '?'));
    if (c != '!')
        return bad("first_tag_syntax", at + 1);
    if (at + 2 >= m_end)
        return ended(-1);
    const char d = m_text[at + 2];
    if (d == '-') {
        if (at + 3 >= m_end)
            return ended(-1);
        if (m_text[at + 3] != '-')
            return bad("comment_tag_syntax", at + 3);
        return ended(markerEnd(at + 4, '-', '-'));
    }
    if (d != 'A' && d != 'E' && d != 'N')
        return bad("doctype_tag_syntax", at + 2);
    char quote = 0;
    for (int i = at + 3; i < m_end; ++i) {
        const char e = m_text[i];
        if (quote) {
            if (e == quote)
                quote = 0;
        } else if (e == '"' || e == '\'') {
            quote = e;
        } else if (e == '>') {
            return i + 1;
        }
    }
    return ended(-1);
}

// The end of a node closed by "xx>" (comments "-->", sections "]]>", instructions "?>" with
// first == second == '?'): the offset after the '>', or -1 at the end of the text. The
// characters of the node's own opening count, so "<!-->" is a whole comment.
int XmlScanner::markerEnd(int from, char first, char second) const
{
    const int markerLength = first == '?' ? 2 : 3;
    for (int i = from; i < m_end;) {
        const void* gt = std::memchr(m_text + i, '>', m_end - i);
        if (!gt)
            return -1;
        const int at = int(static_cast<const char*>(gt) - m_text);
        if (at > markerLength && m_text[at - 1] == second && (markerLength == 2 || m_text[at - 2] == first))
            return at + 1;
        i = at + 1;
    }
    return -1;
}

// The rest of a start tag (or a bad node, which also stops before a '<'): attribute values
// are tracked so that a '>' inside quotes does not end it. Returns the offset after the '>',
// the offset of the '<' that ended a bad node, or -1 at the end of the text.
int XmlScanner::tagBodyEnd(int from, bool endAtLessThan, bool* emptyElement) const
{
    enum { Outside, AfterEquals, Quoted, Unquoted } state = Outside;
    char quote = 0;
    char previous = 0;
    for (int i = from; i < m_end; ++i) {
        const char c = m_text[i];
        if (state == Quoted) {
            const void* close = std::memchr(m_text + i, quote, m_end - i);
            if (!close)
                return -1;
            i = int(static_cast<const char*>(close) - m_text);
            state = Outside;
            previous = quote;
            continue;
        }
        if (c == '>') {
            if (emptyElement)
                *emptyElement = previous == '/' && state != Unquoted;
            return i + 1;
        }
        if (c == '<' && endAtLessThan)
            return i;
        switch (state) {
        case Outside:
            if (c == '=' && previous != '=')
                state = AfterEquals;
            break;
        case AfterEquals:
            if (c == '"' || c == '\'') {
                state = Quoted;
                quote = c;
            } else if (!isXmlSpace(c) && c != '=') {
                state = Unquoted;
            }
            break;
        case Unquoted:
            if (isXmlSpace(c))
                state = Outside;
            break;
        case Quoted:
            break;
        }
        previous = c;
    }
    return -1;
}

bool xmlNameMatches(const char* name, int n, const char* given, int givenLength, int docFlags)
{
    if (n > givenLength || n < 0)
        return false;
    if (n < givenLength && !isNameBoundary(given[n]))
        return false;
    bool fold = docFlags & CXmlDoc::kIgnoreCase;
    for (int i = 0; i < n; ++i) {
        const char a = name[i];
        const char b = given[i];
        if (a == b) {
            if (static_cast<unsigned char>(a) >= 0x80)
                fold = false;
            continue;
        }
        if (!fold || foldAscii(a) != foldAscii(b))
            return false;
    }
    return true;
}

XmlOpenNames::XmlOpenNames(int docFlags)
    : m_seed(QRandomGenerator::global()->generate64()), m_fold(docFlags & CXmlDoc::kIgnoreCase)
{
}

// FNV-1a from a random start, over the bytes as xmlNameMatches compares them: ASCII letters
// folded up to the first byte of 0x80 or above when the document ignores case.
uint64_t XmlOpenNames::mix(uint64_t hash, char c, bool& fold)
{
    if (static_cast<unsigned char>(c) >= 0x80)
        fold = false;
    else if (fold)
        c = foldAscii(c);
    return (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
}

void XmlOpenNames::count(QByteArrayView name, int delta)
{
    const int length = int(name.size());
    bool fold = m_fold;
    uint64_t hash = m_seed;
    for (int i = 0; i <= length; ++i) {
        if (i == length || isNameBoundary(name[i])) {
            const auto counted = m_counts.try_emplace(hash, 0).first;
            if ((counted->second += delta) == 0)
                m_counts.erase(counted);
        }
        if (i < length)
            hash = mix(hash, name[i], fold);
    }
}

bool XmlOpenNames::counted(const char* name, int length) const
{
    bool fold = m_fold;
    uint64_t hash = m_seed;
    for (int i = 0; i < length; ++i)
        hash = mix(hash, name[i], fold);
    return m_counts.count(hash) != 0;
}

XmlSpan xmlElementName(const char* text, int end, int tagStart)
{
    int i = tagStart + 1;
    while (i < end && isXmlSpace(text[i]))
        ++i;
    int stop = i;
    while (stop < end && !endsElementName(text[stop]))
        ++stop;
    if (stop == i && i < end)
        stop = characterEnd(text, end, i);
    return {i, stop - i};
}

XmlTagTokens xmlTagTokens(const char* text, int end, int from)
{
    XmlTagTokens tokens;
    bool sawTagName = false;
    bool afterEquals = false;
    int i = from;
    while (true) {
        while (i < end && isXmlSpace(text[i]))
            ++i;
        if (i >= end)
            break;
        const char c = text[i];
        const int start = i;
        if (c == '"' || c == '\'') {
            const void* close = std::memchr(text + i + 1, c, end - i - 1);
            const int stop = close ? int(static_cast<const char*>(close) - text) : end;
            i = close ? stop + 1 : end;
            if (afterEquals && sawTagName && !tokens.attributes.empty()) {
                auto& a = tokens.attributes.back();
                a.value = {start + 1, stop - start - 1};
                a.valueToken = {start, i - start};
                a.hasValue = true;
                tokens.lastTokenEnd = i;
            }
            afterEquals = false;
            continue;
        }
        if (afterEquals) {
            while (i < end && !isXmlSpace(text[i]) && text[i] != '>')
                ++i;
        } else {
            while (i < end && !isXmlSpace(text[i]) && !std::strchr("/=>?", text[i]))
                ++i;
        }
        if (i == start)
            i = characterEnd(text, end, start);
        const int length = i - start;
        if (!afterEquals && length == 1 && (c == '>' || c == '/' || c == '?'))
            break;
        if (!afterEquals && length == 1 && c == '=') {
            afterEquals = true;
            continue;
        }
        if (afterEquals) {
            if (sawTagName && !tokens.attributes.empty()) {
                auto& a = tokens.attributes.back();
                a.value = a.valueToken = {start, length};
                a.hasValue = true;
            }
            afterEquals = false;
        } else if (!sawTagName) {
            sawTagName = true;
        } else {
            XmlTagTokens::Attribute a;
            a.name = {start, length};
            tokens.attributes.push_back(a);
        }
        tokens.lastTokenEnd = i;
    }
    return tokens;
}
