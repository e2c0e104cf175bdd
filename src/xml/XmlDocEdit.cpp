// The writing side of CXmlDoc: every change splices markup into the text and moves the
// offsets of the index in step, so the text always is the document's serialised form.
#include "xml/XmlDoc.h"

#include "xml/XmlScanner.h"

#include <cstring>

struct CXmlDoc::Placement {
    int parent = 0;
    int after = 0;       // the sibling the new markup follows; 0 with `first` or without siblings
    bool first = false;  // as the parent's first child
    int offset = 0;      // where the markup goes
    int replaced = 0;    // bytes of the old text it replaces
    bool bare = false;   // the parent had no content
};

namespace {
const char kLineBreak[] = "\r\n";

bool isReferenceNameStart(unsigned char c)
{
    return c == '#' || c == ':' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80;
}

bool isReferenceNameChar(unsigned char c)
{
    return isReferenceNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9');
}

// Whether the '&' at text[0] starts a well-formed reference ("&name;").
bool startsReference(const char* text)
{
    int i = 1;
    if (!isReferenceNameStart(static_cast<unsigned char>(text[i])))
        return false;
    while (isReferenceNameChar(static_cast<unsigned char>(text[i])))
        ++i;
    return text[i] == ';';
}
}

QByteArray CXmlDoc::EncodeText(const char* text, int flags)
{
    QByteArray out;
    if (!text)
        return out;
    for (const char* p = text; *p; ++p) {
        switch (*p) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += (flags & kKeepReferences) && startsReference(p) ? "&" : "&amp;";
            break;
        case '"':
            out += (flags & kEscapeQuotes) ? "&quot;" : "\"";
            break;
        case '\'':
            out += (flags & kEscapeQuotes) ? "&apos;" : "'";
            break;
        default:
            out += *p;
        }
    }
    return out;
}

QByteArray CXmlDoc::WrapCData(const char* text)
{
    QByteArray inner(text ? text : "");
    inner.replace("]]>", "]]]]><![CDATA[>");
    return "<![CDATA[" + inner + "]]>";
}

bool CXmlDoc::MakeNodeMarkup(int nodeType, const char* text, QByteArray& markup)
{
    const QByteArray t(text ? text : "");
    switch (nodeType) {
    case XmlNode::StartTag:
        markup = "<" + t + "/>";
        return true;
    case XmlNode::Text:
    case XmlNode::WhiteSpace:
        markup = EncodeText(t.constData());
        return true;
    case XmlNode::CData:
        if (t.contains("]]>"))
            return false;
        markup = "<![CDATA[" + t + "]]>";
        return true;
    case XmlNode::ProcessingInstruction:
        markup = "<?" + t + "?>";
        return true;
    case XmlNode::Comment:
        markup = "<!--" + t + "-->";
        return true;
    case XmlNode::DocType:
        markup = t;
        return true;
    case XmlNode::LoneEndTag:
        markup = "</" + t + ">";
        return true;
    default:
        return false;
    }
}

// Replaces `replaced` bytes at `offset`: elements after the change move, elements around it
// grow or shrink. Elements inside the replaced bytes must have been deleted first.
void CXmlDoc::ReplaceText(int offset, int replaced, const QByteArray& text)
{
    const int delta = int(text.size()) - replaced;
    const qsizetype newLength = m_strDocText.size() + delta;
    if (newLength > m_strDocText.capacity())
        m_strDocText.reserve(newLength + 128 + newLength / 2);
    m_strDocText.replace(offset, replaced, text);
    m_index[0].length = int(newLength);
    if (delta == 0)
        return;
    for (int p = 1; p < m_posFree; ++p) {
        ElementRecord& r = m_index[p];
        if (r.has(ElementRecord::kDeleted))
            continue;
        if (r.start >= offset + replaced)
            r.start += delta;
        else if (r.start < offset && r.end() > offset && r.end() >= offset + replaced)
            r.length += delta;
    }
}

// <p/> and a start tag never ended become <p></p>, ready to take content.
void CXmlDoc::OpenEmptyElement(int pos)
{
    const QByteArray name = GetElementName(pos);
    const ElementRecord& r = m_index[pos];
    const bool unended = r.has(ElementRecord::kUnended);
    const int startTag = r.startTagLength();
    const int at = r.start + startTag - (unended ? 1 : 2);
    ReplaceText(at, unended ? 0 : 1, "></" + name);
    ElementRecord& opened = m_index[pos];
    opened.setTagLengths(unended ? startTag : startTag - 1, int(name.size()) + 3);
    opened.clear(ElementRecord::kUnended);
}

// An empty parent is opened to take content; false when write-file mode wrote its start tag out.
bool CXmlDoc::OpenParent(int parent)
{
    if (!parent || !m_index[parent].isEmpty())
        return true;
    if (!isHeld(parent))
        return false;
    OpenEmptyElement(parent);
    return true;
}

int CXmlDoc::PreviousSibling(int pos) const
{
    const ElementRecord& r = m_index[pos];
    return r.has(ElementRecord::kFirstChild) ? 0 : r.prevSibling;
}

// Where new markup goes under `parent`, relative to the cursor and by the flags.
bool CXmlDoc::Place(Placement& w, int flags) const
{
    const int parent = w.parent;
    const int size = int(m_strDocText.size());
    const int contentStart = parent ? m_index[parent].contentStart() : 0;
    const int contentEnd = parent ? contentStart + m_index[parent].contentLength() : size;
    const bool asChild = flags & kInsertAsChild;
    const bool before = flags & kInsertBefore;
    const int reference = asChild ? m_posChild : m_posCurrent;
    if (!asChild && m_nodeLength) {
        w.after = m_posCurrent;
        w.offset = before ? m_nodeOffset : m_nodeOffset + m_nodeLength;
    } else if (reference) {
        w.after = before ? PreviousSibling(reference) : reference;
        w.offset = before ? m_index[reference].start : m_index[reference].end();
    } else if (before) {
        w.offset = contentStart;
    } else {
        const int firstChild = m_index[parent].firstChild;
        w.after = firstChild ? m_index[firstChild].prevSibling : 0;
        w.offset = contentEnd;
    }
    if (flags & kReplaceContent) {
        if (m_index[parent].firstChild)
            return false;
        w.after = 0;
        w.offset = contentStart;
        w.replaced = contentEnd - contentStart;
    }
    w.first = !w.after;
    w.bare = parent && contentEnd == contentStart;
    return true;
}

void CXmlDoc::LinkNew(int pos, const Placement& w)
{
    ElementRecord& r = m_index[pos];
    ElementRecord& p = m_index[w.parent];
    r.parent = w.parent;
    r.firstChild = 0;
    r.flagsLevel = w.parent ? p.level() + 1 : 0;
    if (!p.firstChild) {
        p.firstChild = pos;
        r.prevSibling = pos;
        r.nextSibling = 0;
        r.set(ElementRecord::kFirstChild);
    } else if (w.first) {
        ElementRecord& old = m_index[p.firstChild];
        r.prevSibling = old.prevSibling;
        r.nextSibling = p.firstChild;
        old.prevSibling = pos;
        old.clear(ElementRecord::kFirstChild);
        r.set(ElementRecord::kFirstChild);
        p.firstChild = pos;
    } else {
        ElementRecord& a = m_index[w.after];
        r.nextSibling = a.nextSibling;
        r.prevSibling = w.after;
        if (a.nextSibling)
            m_index[a.nextSibling].prevSibling = pos;
        else
            m_index[p.firstChild].prevSibling = pos;
        a.nextSibling = pos;
    }
}

// Splices an element's markup in at the cursor and indexes it; -1 when it cannot go there.
int CXmlDoc::InsertNew(const QByteArray& markup, int startTag, int endTag, int flags)
{
    Placement w;
    w.parent = (flags & kInsertAsChild) ? m_posCurrent : m_posParent;
    if (!OpenParent(w.parent) || !Place(w, flags) || w.offset < 0)
        return -1;
    QByteArray prefix;
    QByteArray suffix;
    if (!(flags & kNoLineBreaks)) {
        suffix = kLineBreak;
        if (w.bare)
            prefix = kLineBreak;
        if (!(flags & kReplaceContent) && !w.bare) {
            int next = w.offset;
            while (next < m_strDocText.size() && isXmlSpace(m_strDocText[next]))
                ++next;
            if (next == m_strDocText.size() || m_strDocText[next] == '<')
                w.offset = next;
        }
    }
    ReplaceText(w.offset, w.replaced, prefix + markup + suffix);
    const int pos = TakeFreePosition();
    LinkNew(pos, w);
    ElementRecord& r = m_index[pos];
    r.start = w.offset + int(prefix.size());
    r.length = int(markup.size());
    r.setTagLengths(startTag, endTag);
    if (flags & kInsertAsChild)
        m_posChild = pos;
    else
        SetCursor(w.parent, pos, 0);
    return pos;
}

bool CXmlDoc::InsertElement(const char* name, const char* value, int flags)
{
    if ((m_docFlags & kReadFileMode) || !name || !*name)
        return false;
    if ((flags & kInsertAsChild) && (!m_posCurrent || m_nodeType != 1 || (m_docFlags & kWriteFileMode)))
        return false;
    const bool hasValue = value && *value;
    if ((flags & kStartTagOnly) && hasValue)
        return false;
    QByteArray markup = "<" + QByteArray(name);
    int startTag;
    int endTag = 0;
    if (!hasValue) {
        markup += (flags & kStartTagOnly) ? ">" : (flags & kSpaceBeforeSlash) ? " />" : "/>";
        startTag = int(markup.size());
    } else {
        markup += '>';
        startTag = int(markup.size());
        markup += (flags & kAsCData) ? WrapCData(value) : EncodeText(value, flags);
        const QByteArray end = "</" + QByteArray(name) + ">";
        endTag = int(end.size());
        markup += end;
    }
    if (startTag > ElementRecord::kMaxStartTag || endTag > ElementRecord::kMaxEndTag)
        return false;
    const int pos = InsertNew(markup, startTag, endTag, flags);
    if (pos < 0)
        return false;
    if (flags & kStartTagOnly)
        m_index[pos].set(ElementRecord::kUnended);
    FlushWritten();
    return true;
}

bool CXmlDoc::InsertElement(const char* name, int value, int flags)
{
    return InsertElement(name, QByteArray::number(value).constData(), flags);
}

bool CXmlDoc::SetAttribute(int pos, const char* name, const char* value, int flags)
{
    if ((m_docFlags & kReadFileMode) || !name || !*name)
        return false;
    const int from = TagOfAttributes(pos);
    if (from < 0)
        return false;
    const bool onInstruction = pos == m_posCurrent && m_nodeLength;
    const char* text = m_strDocText.constData();
    const XmlTagTokens tokens = xmlTagTokens(text, int(m_strDocText.size()), from);
    const QByteArray quoted = '"' + EncodeText(value, flags | kEscapeQuotes) + '"';
    int offset = tokens.lastTokenEnd;
    int replaced = 0;
    QByteArray insert = " " + QByteArray(name) + "=" + quoted;
    const int given = int(std::strlen(name));
    for (const auto& a : tokens.attributes) {
        if (!xmlNameMatches(text + a.name.start, a.name.length, name, given, m_docFlags))
            continue;
        if (a.hasValue) {
            offset = a.valueToken.start;
            replaced = a.valueToken.length;
            insert = quoted;
        } else {
            offset = a.name.start + a.name.length;
            insert = "=" + quoted;
        }
        break;
    }
    const int delta = int(insert.size()) - replaced;
    if (!onInstruction && m_index[pos].startTagLength() + delta > ElementRecord::kMaxStartTag)
        return false;
    ReplaceText(offset, replaced, insert);
    if (onInstruction) {
        m_nodeLength += delta;
    } else {
        ElementRecord& r = m_index[pos];
        r.setTagLengths(r.startTagLength() + delta, r.endTagLength());
    }
    return true;
}

bool CXmlDoc::SetAttribute(int pos, const char* name, int value, int flags)
{
    return SetAttribute(pos, name, QByteArray::number(value).constData(), flags);
}

bool CXmlDoc::SetData(int pos, const char* text, int flags)
{
    if (m_docFlags & kReadFileMode)
        return false;
    if (pos == m_posCurrent && m_nodeLength) {
        QByteArray markup;
        if (!MakeNodeMarkup(m_nodeType, text, markup))
            return false;
        ReplaceText(m_nodeOffset, m_nodeLength, markup);
        m_nodeLength = int(markup.size());
        return true;
    }
    if (!isHeld(pos) || m_index[pos].firstChild)
        return false;
    if (m_index[pos].isEmpty())
        OpenEmptyElement(pos);
    const QByteArray content = (flags & kAsCData) ? WrapCData(text) : EncodeText(text, flags);
    const ElementRecord& r = m_index[pos];
    ReplaceText(r.contentStart(), r.contentLength(), content);
    m_index[pos].clear(ElementRecord::kIllFormedInside);
    return true;
}

bool CXmlDoc::MarkupIsWellFormedContent(const char* markup) const
{
    CXmlDoc scratch;
    scratch.m_docFlags = m_docFlags & kIgnoreCase;
    scratch.SetDocChars(markup);
    return !scratch.m_index[0].has(ElementRecord::kIllFormed);
}

void CXmlDoc::ParseContent(int pos)
{
    const ElementRecord& r = m_index[pos];
    XmlScanner scanner(m_strDocText.constData(), r.contentStart() + r.contentLength(), r.contentStart());
    ParseElement(pos, scanner);
}

// Marks an element and everything inside it deleted and chains their positions.
void CXmlDoc::DeleteSubtree(int pos)
{
    std::vector<int> doomed{pos};
    for (size_t i = 0; i < doomed.size(); ++i)
        for (int c = m_index[doomed[i]].firstChild; c; c = m_index[c].nextSibling)
            doomed.push_back(c);
    for (int p : doomed) {
        ElementRecord& r = m_index[p];
        r.flagsLevel = ElementRecord::kDeleted;
        r.nextSibling = m_posDeletedHead;
        m_posDeletedHead = p;
    }
    for (auto& map : m_savedCursors)
        for (auto it = map.begin(); it != map.end();)
            it = isLive(it->pos) || it->pos == 0 ? std::next(it) : map.erase(it);
}

bool CXmlDoc::SetInnerMarkup(int pos, const char* markup)
{
    if (inFileMode() || !isLive(pos) || !MarkupIsWellFormedContent(markup))
        return false;
    for (int c = m_index[pos].firstChild; c;) {
        const int next = m_index[c].nextSibling;
        DeleteSubtree(c);
        c = next;
    }
    m_index[pos].firstChild = 0;
    if (m_index[pos].isEmpty())
        OpenEmptyElement(pos);
    const ElementRecord& r = m_index[pos];
    ReplaceText(r.contentStart(), r.contentLength(), markup ? QByteArray(markup) : QByteArray());
    ParseContent(pos);
    m_index[pos].clear(ElementRecord::kIllFormedInside);
    if (!isLive(m_posParent) && m_posParent)
        SetCursor(pos, 0, 0);
    else if (m_posCurrent && !isLive(m_posCurrent))
        SetCursor(m_posParent, 0, 0);
    else if (m_posChild && !isLive(m_posChild))
        m_posChild = 0;
    return true;
}

QByteArray CXmlDoc::GetInnerMarkup(int pos) const
{
    if (inFileMode() || !isLive(pos) || m_index[pos].isEmpty())
        return {};
    const ElementRecord& r = m_index[pos];
    return m_strDocText.mid(r.contentStart(), r.contentLength());
}

QByteArray CXmlDoc::GetElementMarkup(int pos) const
{
    if (inFileMode() || !isLive(pos))
        return {};
    const ElementRecord& r = m_index[pos];
    int end = r.end();
    int next = end;
    while (next < m_strDocText.size() && isXmlSpace(m_strDocText[next]))
        ++next;
    if (next == m_strDocText.size() || m_strDocText[next] == '<')
        end = next;
    return m_strDocText.mid(r.start, end - r.start);
}

bool CXmlDoc::InsertMarkup(const char* markup, int flags)
{
    if (m_docFlags & kReadFileMode)
        return false;
    if ((flags & kInsertAsChild) && (!m_posCurrent || m_nodeType != 1))
        return false;
    CXmlDoc scratch;
    scratch.m_docFlags = m_docFlags & kIgnoreCase;
    if (!scratch.SetDocChars(markup))
        return false;
    const ElementRecord& root = scratch.m_index[scratch.m_index[0].firstChild];
    const int pos = InsertNew(scratch.m_strDocText.mid(root.start, root.length), root.startTagLength(),
                              root.endTagLength(), flags);
    if (pos < 0)
        return false;
    if (!m_index[pos].isEmpty())
        ParseContent(pos);
    FlushWritten();
    return true;
}

bool CXmlDoc::InsertNodeMarkup(int nodeType, const char* text, int flags)
{
    if (nodeType == XmlNode::StartTag) {
        QByteArray markup;
        MakeNodeMarkup(nodeType, text, markup);
        return InsertMarkup(markup.constData(), flags);
    }
    QByteArray markup;
    if ((m_docFlags & kReadFileMode) || (flags & (kInsertAsChild | kReplaceContent))
        || !MakeNodeMarkup(nodeType, text, markup) || markup.isEmpty())
        return false;
    Placement w;
    w.parent = m_posParent;
    if (!OpenParent(w.parent) || !Place(w, flags) || w.offset < 0)
        return false;
    const bool lineBreaks = !(flags & kNoLineBreaks) && nodeType != XmlNode::Text && nodeType != XmlNode::WhiteSpace;
    const QByteArray prefix = lineBreaks && w.bare ? kLineBreak : "";
    const QByteArray suffix = lineBreaks ? kLineBreak : "";
    ReplaceText(w.offset, 0, prefix + markup + suffix);
    SetCursor(w.parent, w.after, 0);
    m_nodeType = nodeType;
    m_nodeOffset = w.offset + int(prefix.size());
    m_nodeLength = int(markup.size());
    FlushWritten();
    return true;
}

// Unlinks and deletes an element with the white space after it; the sibling before it takes
// its place in the cursor.
bool CXmlDoc::RemoveElementAt(int pos)
{
    if (inFileMode() || !isLive(pos))
        return false;
    const ElementRecord& r = m_index[pos];
    const int parent = r.parent;
    const int previous = PreviousSibling(pos);
    const int next = r.nextSibling;
    ElementRecord& p = m_index[parent];
    if (p.firstChild == pos) {
        p.firstChild = next;
        if (next) {
            m_index[next].prevSibling = r.prevSibling;
            m_index[next].set(ElementRecord::kFirstChild);
        }
    } else {
        m_index[previous].nextSibling = next;
        if (next)
            m_index[next].prevSibling = previous;
        else
            m_index[p.firstChild].prevSibling = previous;
    }
    const int start = r.start;
    int end = r.end();
    int after = end;
    while (after < m_strDocText.size() && isXmlSpace(m_strDocText[after]))
        ++after;
    if (after == m_strDocText.size() || m_strDocText[after] == '<')
        end = after;
    DeleteSubtree(pos);
    ReplaceText(start, end - start, {});
    if (pos == m_posChild)
        m_posChild = previous;
    else
        SetCursor(parent, previous, 0);
    return true;
}

bool CXmlDoc::RemoveElement()
{
    if (!m_posCurrent || m_nodeType != 1)
        return false;
    return RemoveElementAt(m_posCurrent);
}

bool CXmlDoc::RemoveChildElement()
{
    if (!m_posChild)
        return false;
    return RemoveElementAt(m_posChild);
}

bool CXmlDoc::RemoveCurrentNode()
{
    if (inFileMode())
        return false;
    if (!m_nodeLength)
        return m_nodeType == 1 && RemoveElement();
    const int offset = m_nodeOffset;
    ReplaceText(offset, m_nodeLength, {});
    m_posChild = 0;
    m_nodeType = 0;
    m_nodeOffset = offset;
    m_nodeLength = 0;
    return true;
}

int CXmlDoc::NextNode(int typeMask)
{
    if (inFileMode())
        return 0;
    const int parent = m_posParent;
    if (parent && m_index[parent].isEmpty())
        return 0;
    const int limit = parent ? m_index[parent].contentStart() + m_index[parent].contentLength()
                             : int(m_strDocText.size());
    int from;
    if (m_nodeLength)
        from = m_nodeOffset + m_nodeLength;
    else if (m_nodeType == 0 && m_nodeOffset > 0)
        from = m_nodeOffset;
    else if (m_posCurrent)
        from = m_index[m_posCurrent].end();
    else
        from = parent ? m_index[parent].contentStart() : 0;
    int passed = m_posCurrent;
    int nextElement = passed ? m_index[passed].nextSibling : m_index[parent].firstChild;
    XmlScanner scanner(m_strDocText.constData(), limit, from);
    XmlNodeInfo node;
    for (;;) {
        const int type = scanner.ScanNode(node);
        if (type == XmlNode::End)
            return 0;
        int reported = type;
        if (type == XmlNode::StartTag) {
            if (nextElement && node.start == m_index[nextElement].start) {
                scanner.next = m_index[nextElement].end();
                passed = nextElement;
                nextElement = m_index[nextElement].nextSibling;
            } else {
                reported = kBadNodeType;
            }
        } else if (type == XmlNode::EndTag) {
            reported = XmlNode::LoneEndTag;
        } else if (type == XmlNode::Bad) {
            reported = kBadNodeType;
        }
        if (typeMask && !(reported & typeMask))
            continue;
        SetCursor(parent, passed, 0);
        if (reported != XmlNode::StartTag) {
            m_nodeType = reported;
            m_nodeOffset = node.start;
            m_nodeLength = scanner.next - node.start;
        }
        return reported;
    }
}

QByteArray CXmlDoc::GetNodeLabel() const
{
    if (!m_nodeLength)
        return m_nodeType == 1 ? GetElementName(m_posCurrent) : QByteArray();
    const char* text = m_strDocText.constData();
    const int end = m_nodeOffset + m_nodeLength;
    auto nameAfter = [&](int skip) {
        const XmlSpan name = xmlElementName(text, end, m_nodeOffset + skip - 1);
        return m_strDocText.mid(name.start, name.length);
    };
    switch (m_nodeType) {
    case XmlNode::Text:
    case XmlNode::WhiteSpace:
        return "#text";
    case XmlNode::CData:
        return "#cdata-section";
    case XmlNode::Comment:
        return "#comment";
    case XmlNode::ProcessingInstruction:
    case XmlNode::LoneEndTag:
        return nameAfter(2);
    case XmlNode::DocType:
        return nameAfter(9);
    default:
        return {};
    }
}

QByteArray CXmlDoc::GetElementPath(int pos) const
{
    if (inFileMode() || !isLive(pos))
        return {};
    QByteArray path;
    for (int e = pos; e; e = m_index[e].parent) {
        const QByteArray name = GetElementName(e);
        int n = 1;
        for (int s = m_index[m_index[e].parent].firstChild; s && s != e; s = m_index[s].nextSibling)
            n += GetElementName(s) == name;
        path.prepend(n > 1 ? "/" + name + "[" + QByteArray::number(n) + "]" : "/" + name);
    }
    return path;
}

bool CXmlDoc::GetAttributeAt(int n, QByteArray* name, QByteArray* value) const
{
    const int from = TagOfAttributes(m_posCurrent);
    if (from < 0 || n < 0)
        return false;
    const XmlTagTokens tokens = xmlTagTokens(m_strDocText.constData(), int(m_strDocText.size()), from);
    if (n >= int(tokens.attributes.size()))
        return false;
    const auto& a = tokens.attributes[n];
    if (name)
        *name = m_strDocText.mid(a.name.start, a.name.length);
    if (value)
        *value = a.hasValue ? DecodeText(m_strDocText.constData() + a.value.start, a.value.length, m_docFlags)
                            : QByteArray();
    return true;
}

QByteArray CXmlDoc::GetAttributeName(int n) const
{
    QByteArray name;
    GetAttributeAt(n, &name, nullptr);
    return name;
}

bool CXmlDoc::SaveCursor(const char* name, int map)
{
    if (inFileMode() || !name || map < 0)
        return false;
    if (map >= int(m_savedCursors.size()))
        m_savedCursors.resize(map + 1);
    SavedCursor saved;
    if (m_posChild)
        saved = {m_posChild, 0x2};
    else if (m_posCurrent)
        saved = {m_posCurrent, 0x1};
    else
        saved = {m_posParent, 0};
    m_savedCursors[map].insert(QByteArray(name), saved);
    return true;
}

bool CXmlDoc::RestoreCursor(const char* name, int map)
{
    if (inFileMode() || !name || map < 0 || map >= int(m_savedCursors.size()))
        return false;
    const auto it = m_savedCursors[map].constFind(QByteArray(name));
    if (it == m_savedCursors[map].cend() || (it->pos && !isLive(it->pos)))
        return false;
    const int pos = it->pos;
    if (it->which == 0x2) {
        const int current = m_index[pos].parent;
        SetCursor(m_index[current].parent, current, pos);
    } else if (it->which == 0x1) {
        SetCursor(m_index[pos].parent, pos, 0);
    } else {
        SetCursor(pos, 0, 0);
    }
    return true;
}
