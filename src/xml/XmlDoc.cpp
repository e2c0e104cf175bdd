#include "xml/XmlDoc.h"

#include "xml/XmlCharRefs.h"
#include "xml/XmlScanner.h"

#include <cstring>

namespace {

bool isPathBoundary(char c) { return c == ' ' || c == '/' || c == '=' || c == '[' || c == ']'; }

int skipName(const char* p, int i)
{
    while (p[i] && !isPathBoundary(p[i]))
        ++i;
    return i;
}

// A predicate after '[': a number, an attribute test or a child name, closed by ']'.
bool skipPredicate(const char* p, int& i)
{
    if (p[i] >= '1' && p[i] <= '9') {
        while (p[i] >= '0' && p[i] <= '9')
            ++i;
    } else if (p[i] == '@') {
        const int name = ++i;
        i = skipName(p, i);
        if (i == name)
            return false;
        if (p[i] == '=') {
            const char quote = p[++i];
            if (quote == '"' || quote == '\'') {
                const char* close = std::strchr(p + i + 1, quote);
                if (!close)
                    return false;
                i = int(close - p) + 1;
            } else {
                while (p[i] && p[i] != ']')
                    ++i;
            }
        }
    } else {
        const int name = i;
        i = skipName(p, i);
        if (i == name)
            return false;
    }
    if (p[i] != ']')
        return false;
    ++i;
    return true;
}

// The kind of a name or path given to the find operations: -1 invalid, 0 empty, 1 a relative
// name, 2 absolute ("/a"), 3 anywhere ("//a").
int xmlPathKind(const char* p)
{
    if (!p || !*p)
        return 0;
    int kind = 1;
    int i = 0;
    if (p[0] == '/') {
        kind = p[1] == '/' ? 3 : 2;
        i = kind == 3 ? 2 : 1;
    }
    bool afterSlash = kind != 1;
    for (;;) {
        if (afterSlash && p[i] == '@') {
            const int name = ++i;
            i = skipName(p, i);
            return (p[i] == '\0' && i > name) ? kind : -1;
        }
        const int step = i;
        i = skipName(p, i);
        if (i == step)
            return -1;
        if (p[i] == '[' && !skipPredicate(p, ++i))
            return -1;
        if (p[i] == '\0')
            return kind;
        if (p[i] != '/' || kind == 3)
            return -1;
        ++i;
        afterSlash = true;
    }
}

// The find operations serve the empty path and relative names only.
bool isServedPath(const char* path)
{
    const int kind = xmlPathKind(path);
    return kind == 0 || kind == 1;
}
}

CXmlDoc::CXmlDoc() : m_savedCursors(1) { SetDocChars(nullptr); }

CXmlDoc::CXmlDoc(const char* text) : m_savedCursors(1) { SetDocChars(text); }

// A document in a file mode holds only part of its file: its copy starts empty.
CXmlDoc::CXmlDoc(const CXmlDoc& other) : CXmlDoc() { *this = other; }

CXmlDoc& CXmlDoc::operator=(const CXmlDoc& other)
{
    if (this == &other || inFileMode() || other.inFileMode())
        return *this;
    m_strDocText = other.m_strDocText;
    m_strResults = other.m_strResults;
    m_posParent = other.m_posParent;
    m_posCurrent = other.m_posCurrent;
    m_posChild = other.m_posChild;
    m_posFree = other.m_posFree;
    m_posDeletedHead = other.m_posDeletedHead;
    m_nodeType = other.m_nodeType;
    m_nodeOffset = other.m_nodeOffset;
    m_nodeLength = other.m_nodeLength;
    m_docFlags = other.m_docFlags;
    m_savedCursors = other.m_savedCursors;
    m_index = other.m_index;
    return *this;
}

bool CXmlDoc::SetDocChars(const char* text)
{
    if (inFileMode())
        return false;
    if (!text) {
        m_strDocText.clear();
        m_index.clear();
    } else {
        m_strDocText = QByteArray(text);
    }
    m_strResults.clear();
    return ParseDocument();
}

// The text ends at its first zero byte, as a C string would.
bool CXmlDoc::SetDocText(const QByteArray& text)
{
    if (inFileMode())
        return false;
    const int zero = text.indexOf('\0');
    m_strDocText = zero < 0 ? text : text.left(zero);
    m_strResults.clear();
    return ParseDocument();
}

bool CXmlDoc::ParseDocument()
{
    SetCursor(0, 0, 0);
    for (auto& map : m_savedCursors)
        map.clear();
    const int length = int(m_strDocText.size());
    m_posFree = 1;
    m_index.clear();
    m_index.grow(length / 64 + 8);
    m_posDeletedHead = 0;
    m_index[0] = ElementRecord{};
    if (length > 0) {
        XmlScanner scanner(m_strDocText.constData(), length);
        const int first = ParseElement(0, scanner);
        m_index[0].length = length;
        if (first <= 0) {
            AddResult(m_strResults, "no_root_element");
        } else {
            m_index[0].firstChild = first;
            if (m_index[first].nextSibling)
                AddResult(m_strResults, "root_has_sibling");
        }
    }
    SetCursor(0, 0, 0);
    return CheckWellFormed();
}

bool CXmlDoc::CheckWellFormed() const
{
    if (m_docFlags & kWriteFileMode)
        return true;
    if (m_docFlags & kReadFileMode)
        return !m_index[0].has(ElementRecord::kIllFormed);
    if (m_index.size() == 0)
        return false;
    const ElementRecord& document = m_index[0];
    return !document.has(ElementRecord::kIllFormed) && document.firstChild
        && !m_index[document.firstChild].nextSibling;
}

int CXmlDoc::TakeFreePosition()
{
    if (m_posFree >= m_index.size())
        m_index.grow(std::max(m_posFree + m_posFree / 2, m_posFree + 1));
    return m_posFree++;
}

void CXmlDoc::LinkLastChild(int parent, int pos)
{
    ElementRecord& r = m_index[pos];
    r.parent = parent;
    r.nextSibling = 0;
    r.firstChild = 0;
    ElementRecord& p = m_index[parent];
    if (!p.firstChild) {
        p.firstChild = pos;
        r.prevSibling = pos;
        r.flagsLevel = ElementRecord::kFirstChild;
        return;
    }
    ElementRecord& first = m_index[p.firstChild];
    const int last = first.prevSibling;
    m_index[last].nextSibling = pos;
    r.prevSibling = last;
    first.prevSibling = pos;
    r.flagsLevel = 0;
}

// A bad node or an end tag without its element: the parse's parent is ill-formed and
// so is the content of the element open at that point.
void CXmlDoc::RaiseFlag(int parent, int current, const QByteArray& results)
{
    m_index[parent].set(ElementRecord::kIllFormed);
    m_index[current].set(ElementRecord::kIllFormedInside);
    if (m_strResults.size() < kResultsCap)
        m_strResults += results;
}

int CXmlDoc::ParseElement(int parent, XmlScanner& scanner)
{
    const char* text = m_strDocText.constData();
    const int baseLevel = parent ? m_index[parent].level() + 1 : 0;
    std::vector<OpenTag> stack;
    stack.reserve(7);
    XmlOpenNames openNames(m_docFlags);
    const auto nameAt = [&](size_t i) { return QByteArrayView(text + stack[i].nameStart, stack[i].nameLength); };
    int current = parent;
    int first = 0;
    XmlNodeInfo node;
    for (;;) {
        const int type = Aborted() ? XmlNode::End : scanner.ScanNode(node);
        if (type == XmlNode::StartTag) {
            const int level = baseLevel + int(stack.size());
            if (level > ElementRecord::kMaxLevel || node.length > ElementRecord::kMaxStartTag) {
                // A hostile reply raises one record per tag: none is written once the results are full.
                if (m_strResults.size() < kResultsCap)
                    AddResult(node.results, level > ElementRecord::kMaxLevel ? "nesting_too_deep" : "oversized_tag",
                              nullptr, 0, node.start);
                RaiseFlag(parent, current, node.results);
                continue;
            }
            const int pos = TakeFreePosition();
            LinkLastChild(current, pos);
            ElementRecord& r = m_index[pos];
            r.start = node.start;
            r.length = node.length;
            r.setTagLengths(node.length, 0);
            if (!(node.flags & XmlNodeInfo::kEmptyElement)) {
                stack.push_back({scanner.tokenLeft, scanner.tokenLength(), pos});
                openNames.opened(stack.size(), nameAt);
                current = pos;
            }
            if (!first)
                first = pos;
        } else if (type == XmlNode::EndTag) {
            if (node.length > ElementRecord::kMaxEndTag) {
                AddResult(node.results, "oversized_tag", nullptr, 0, node.start);
                RaiseFlag(parent, current, node.results);
                continue;
            }
            // Deep down, the walk passes only elements that the end tag then closes.
            int k = openNames.mayMatch(scanner.token(), scanner.tokenLength()) ? int(stack.size()) - 1 : -1;
            while (k >= 0
                   && !xmlNameMatches(scanner.token(), scanner.tokenLength(), text + stack[k].nameStart,
                                      stack[k].nameLength, m_docFlags))
                --k;
            if (k < 0) {
                m_index[parent].set(ElementRecord::kIllFormed);
                m_index[current].set(ElementRecord::kIllFormedInside);
                if (m_strResults.size() < kResultsCap)
                    AddResult(m_strResults, "lone_end_tag",
                              QByteArray(scanner.token(), scanner.tokenLength()).constData(), 0, node.start);
                continue;
            }
            openNames.closing(size_t(k), stack.size(), nameAt);
            CloseUnended(stack, size_t(k) + 1, parent, node.start + 1);
            ElementRecord& e = m_index[stack[k].pos];
            e.length = node.start + node.length - e.start;
            e.setTagLengths(e.startTagLength(), node.length);
            current = e.parent;
            stack.pop_back();
        } else if (type == XmlNode::Bad) {
            RaiseFlag(parent, current, node.results);
        } else if (type == XmlNode::End) {
            CloseUnended(stack, 0, parent, int(m_strDocText.size()));
            SetLevelsBelow(parent);
            return first;
        }
    }
}

// Elements whose start tag was never ended count as empty: their children become their
// following siblings. Done from the lowest such element up, so that every moved element
// is re-parented once.
void CXmlDoc::CloseUnended(std::vector<OpenTag>& stack, size_t above, int parent, int offset2)
{
    if (above >= stack.size())
        return;
    m_index[parent].set(ElementRecord::kIllFormed);
    const char* text = m_strDocText.constData();
    for (size_t i = stack.size(); i-- > above;) {
        const QByteArray name(text + stack[i].nameStart, stack[i].nameLength);
        AddResult(m_strResults, "unended_start_tag", name.constData(), 0, m_index[stack[i].pos].start, offset2);
    }
    bool illFormedInside = false;
    for (size_t i = above; i < stack.size(); ++i) {
        const int pos = stack[i].pos;
        ElementRecord& e = m_index[pos];
        e.set(ElementRecord::kUnended);
        if (e.has(ElementRecord::kIllFormedInside)) {
            illFormedInside = true;
            e.clear(ElementRecord::kIllFormedInside);
        }
        e.length = e.startTagLength();
        const int child = e.firstChild;
        if (!child)
            continue;
        e.firstChild = 0;
        const int last = m_index[child].prevSibling;
        const int next = e.nextSibling;
        m_index[child].clear(ElementRecord::kFirstChild);
        m_index[child].prevSibling = pos;
        e.nextSibling = child;
        m_index[last].nextSibling = next;
        if (next)
            m_index[next].prevSibling = last;
        else
            m_index[m_index[e.parent].firstChild].prevSibling = last;
        for (int c = child; c; c = m_index[c].nextSibling) {
            m_index[c].parent = e.parent;
            if (c == last)
                break;
        }
    }
    if (illFormedInside)
        m_index[m_index[stack[above].pos].parent].set(ElementRecord::kIllFormedInside);
    stack.resize(above);
}

// Levels are given once the parse has placed every element: an unended element's children
// move up a level, and shifting each moved subtree as it moved cost a hostile reply of
// nested unended elements its length times its depth.
void CXmlDoc::SetLevelsBelow(int top)
{
    int p = m_index[top].firstChild;
    while (p) {
        ElementRecord& r = m_index[p];
        r.setLevel(r.parent ? m_index[r.parent].level() + 1 : 0);
        if (r.firstChild) {
            p = r.firstChild;
            continue;
        }
        while (p != top && !m_index[p].nextSibling)
            p = m_index[p].parent;
        p = p == top ? 0 : m_index[p].nextSibling;
    }
}

void CXmlDoc::SetCursor(int parent, int current, int child)
{
    m_posParent = parent;
    m_posCurrent = current;
    m_posChild = child;
    m_nodeOffset = 0;
    m_nodeLength = 0;
    m_nodeType = current ? 1 : 0;
}

int CXmlDoc::FindSibling(int candidate, const char* path) const
{
    if (!isServedPath(path))
        return 0;
    if (!path || !*path)
        return candidate;
    const char* text = m_strDocText.constData();
    const int end = int(m_strDocText.size());
    const int given = int(std::strlen(path));
    for (int c = candidate; c; c = m_index[c].nextSibling) {
        const XmlSpan name = xmlElementName(text, end, m_index[c].start);
        if (xmlNameMatches(text + name.start, name.length, path, given, m_docFlags))
            return c;
    }
    return 0;
}

bool CXmlDoc::FindElement(const char* path)
{
    if ((m_docFlags & kWriteFileMode) || m_index.size() == 0)
        return false;
    if (m_docFlags & kReadFileMode)
        return isServedPath(path) && StreamFindElement(path);
    const int candidate = m_posCurrent ? m_index[m_posCurrent].nextSibling : m_index[m_posParent].firstChild;
    const int found = FindSibling(candidate, path);
    if (!found)
        return false;
    SetCursor(m_index[found].parent, found, 0);
    return true;
}

bool CXmlDoc::EnterElement()
{
    if (!m_posCurrent || m_nodeType != 1)
        return false;
    SetCursor(m_posCurrent, m_posChild, 0);
    return true;
}

bool CXmlDoc::LeaveElement()
{
    if (!m_posParent)
        return false;
    SetCursor(m_index[m_posParent].parent, m_posParent, m_posCurrent);
    return true;
}

bool CXmlDoc::FindChildElement(const char* path)
{
    if (inFileMode())
        return false;
    if (!m_posCurrent && !FindElement(nullptr))
        return false;
    const int candidate = m_posChild ? m_index[m_posChild].nextSibling : m_index[m_posCurrent].firstChild;
    const int found = FindSibling(candidate, path);
    if (!found)
        return false;
    m_posChild = found;
    return true;
}

int CXmlDoc::GetParentPosition(int pos) const { return isLive(pos) ? m_index[pos].parent : 0; }

QByteArray CXmlDoc::GetElementName(int pos) const
{
    if (!isHeld(pos))
        return {};
    const XmlSpan name = xmlElementName(m_strDocText.constData(), int(m_strDocText.size()), m_index[pos].start);
    return m_strDocText.mid(name.start, name.length);
}

// Where the attributes of an element (or of the current processing instruction) are read
// from: just after its '<' or "<?"; -1 when there is no such tag.
int CXmlDoc::TagOfAttributes(int pos) const
{
    if (pos == m_posCurrent && m_nodeLength) {
        return m_nodeType == XmlNode::ProcessingInstruction ? m_nodeOffset + 2 : -1;
    }
    if (!isHeld(pos) || (pos == m_posCurrent && m_nodeType != 1))
        return -1;
    return m_index[pos].start + 1;
}

QByteArray CXmlDoc::GetAttribute(const char* name) const
{
    const int from = TagOfAttributes(m_posCurrent);
    if (from < 0 || !name)
        return {};
    const char* text = m_strDocText.constData();
    const int given = int(std::strlen(name));
    const XmlTagTokens tokens = xmlTagTokens(text, int(m_strDocText.size()), from);
    for (const auto& a : tokens.attributes) {
        if (xmlNameMatches(text + a.name.start, a.name.length, name, given, m_docFlags))
            return a.hasValue ? DecodeText(text + a.value.start, a.value.length, m_docFlags) : QByteArray();
    }
    return {};
}

QByteArray CXmlDoc::NodeText() const
{
    const char* node = m_strDocText.constData() + m_nodeOffset;
    auto inner = [&](int open, int close) {
        return QByteArray(node + open, std::max(0, m_nodeLength - open - close));
    };
    switch (m_nodeType) {
    case XmlNode::Comment:
        return inner(4, 3);
    case XmlNode::ProcessingInstruction:
        return inner(2, 2);
    case XmlNode::CData:
        return inner(9, 3);
    case XmlNode::LoneEndTag:
        return inner(2, 1);
    case XmlNode::Text:
        return DecodeText(node, m_nodeLength, m_docFlags);
    default:
        return QByteArray(node, m_nodeLength);
    }
}

QByteArray CXmlDoc::GetElemData(int pos) const
{
    if (pos == m_posCurrent && m_nodeLength)
        return NodeText();
    if (!isHeld(pos))
        return {};
    const ElementRecord& r = m_index[pos];
    if (r.isEmpty() || r.firstChild)
        return {};
    const char* text = m_strDocText.constData();
    const int start = r.contentStart();
    const int length = r.contentLength();
    if (!std::memchr(text + start, '<', length))
        return DecodeText(text + start, length, m_docFlags);
    QByteArray data;
    XmlScanner scanner(text, start + length, start);
    XmlNodeInfo node;
    for (int type; (type = scanner.ScanNode(node)) != XmlNode::End;) {
        if (type == XmlNode::Text)
            data += DecodeText(text + node.start, node.length, m_docFlags);
        else if (type == XmlNode::CData && node.length >= 12)
            data.append(text + node.start + 9, node.length - 12);
    }
    return data;
}

namespace {
// The code point of "#123" or "#x7B"; 0 when the digits are not all digits.
char32_t numericCodePoint(const char* body, int length)
{
    const bool hex = length > 1 && (body[1] == 'x' || body[1] == 'X');
    const int first = hex ? 2 : 1;
    if (length <= first)
        return 0;
    uint64_t value = 0;
    for (int i = first; i < length; ++i) {
        const char c = body[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return 0;
        value = value * (hex ? 16 : 10) + digit;
    }
    return value > 0x10FFFF ? 0x110000 : char32_t(value);
}
}

QByteArray CXmlDoc::DecodeText(const char* text, int length, int flags)
{
    if (!text)
        return {};
    if (length < 0)
        length = int(std::strlen(text));
    const bool trim = flags & (kTrimSpace | kCollapseSpace);
    const bool collapse = flags & kCollapseSpace;
    if (!trim && !std::memchr(text, '&', length))
        return QByteArray(text, length);
    QByteArray out;
    out.reserve(length);
    int i = 0;
    if (trim)
        while (i < length && isXmlSpace(text[i]))
            ++i;
    while (i < length) {
        const char c = text[i];
        if (c == '&') {
            int j = i + 1;
            while (j < length && j - i <= 9 && static_cast<unsigned char>(text[j]) < 0x80 && text[j] != ';')
                ++j;
            if (j < length && text[j] == ';' && j > i + 1) {
                const char* body = text + i + 1;
                const int bodyLength = j - i - 1;
                const char32_t code = body[0] == '#' ? numericCodePoint(body, bodyLength)
                                                     : XmlCharRefs::namedCodePoint(body, bodyLength);
                if (XmlCharRefs::appendUtf8(out, code)) {
                    i = j + 1;
                    continue;
                }
            }
            out += '&';
            ++i;
        } else if (collapse && isXmlSpace(c)) {
            while (i < length && isXmlSpace(text[i]))
                ++i;
            out += ' ';
        } else {
            out += c;
            ++i;
        }
    }
    if (trim) {
        int end = int(out.size());
        while (end > 0 && isXmlSpace(out[end - 1]))
            --end;
        out.truncate(end);
    }
    return out;
}
