// CXmlDoc's result records, and reading and writing document files in other encodings.
#include "xml/XmlCodePages.h"
#include "xml/XmlDoc.h"
#include "xml/XmlScanner.h"

#include <QList>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
constexpr int kBomFlags = CXmlDoc::kUtf8Bom | CXmlDoc::kUtf16LE | CXmlDoc::kUtf16BE;

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

File openFile(const char* path, const char* mode, QByteArray& results)
{
    File file(path ? std::fopen(path, mode) : nullptr, &std::fclose);
    if (!file) {
        const QByteArray message = QByteArray(path ? std::strerror(errno) : "no file name").split('\n').first();
        CXmlDoc::AddResult(results, "file_error", message.constData(), CXmlDoc::kResultMessage);
    }
    return file;
}

bool equalsIgnoringCase(const char* text, int length, const char* word)
{
    return int(std::strlen(word)) == length && qstrnicmp(text, word, uint(length)) == 0;
}

// The decoded value of a tag's attribute (from just after "<" or "<?"); null when absent.
QByteArray attributeValue(const char* text, int end, int from, const char* name)
{
    const XmlTagTokens tokens = xmlTagTokens(text, end, from);
    for (const auto& a : tokens.attributes)
        if (equalsIgnoringCase(text + a.name.start, a.name.length, name))
            return a.hasValue ? CXmlDoc::DecodeText(text + a.value.start, a.value.length) : QByteArray("");
    return {};
}

// "text/html; charset=gb2312" gives gb2312.
QByteArray charsetOf(const QByteArray& content)
{
    QList<QByteArray> tokens;
    QByteArray word;
    for (const char c : content + ' ') {
        if (c == '=' || c == ';' || isXmlSpace(c)) {
            if (!word.isEmpty())
                tokens << word;
            word.clear();
            if (c == '=')
                tokens << "=";
        } else {
            word += c;
        }
    }
    for (qsizetype i = 0; i + 2 < tokens.size(); ++i)
        if (tokens[i].toLower() == "charset" && tokens[i + 1] == "=")
            return tokens[i + 2];
    return {};
}

void swapBytePairs(QByteArray& bytes)
{
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
}

// Drops zero units (bytes, or 16-bit units); returns how many.
int removeNulls(QByteArray& bytes, int unit)
{
    QByteArray kept;
    kept.reserve(bytes.size());
    int removed = 0;
    for (qsizetype i = 0; i + unit <= bytes.size(); i += unit) {
        if (bytes[i] == 0 && (unit == 1 || bytes[i + 1] == 0))
            ++removed;
        else
            kept.append(bytes.constData() + i, unit);
    }
    if (removed)
        bytes = kept;
    return removed;
}

bool isWellFormedUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        int follow = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (follow < 0 || (follow == 1 && c < 0xC2))
            return false;
        for (int k = 1; k <= follow; ++k)
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80)
                return false;
        i += follow + 1;
    }
    return true;
}

QByteArray readAll(FILE* file, bool& ok)
{
    QByteArray bytes;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, qsizetype(got));
    ok = !std::ferror(file);
    return bytes;
}
}

void CXmlDoc::AddResult(QByteArray& results, const char* name, const char* value, int flags, int number, int number2)
{
    if (results.size() >= CXmlDoc::kResultsCap || !name)
        return;
    QList<std::pair<const char*, QByteArray>> attributes;
    if (value) {
        const char* attribute = (flags & kResultType)       ? "type"
                                : (flags & kResultEncoding) ? "encoding"
                                : (flags & kResultMessage)  ? "msg"
                                                            : "tagname";
        attributes.append({attribute, QByteArray(value)});
    }
    if (number != -1 || (flags & (kResultN | kResultCount | kResultLength))) {
        const char* attribute = (flags & kResultN)       ? "n"
                                : (flags & kResultCount) ? "count"
                                : (flags & kResultLength) ? "length"
                                                          : "offset";
        attributes.append({attribute, QByteArray::number(number)});
    }
    if (number2 != -1)
        attributes.append({"offset2", QByteArray::number(number2)});
    if (flags & kResultMerge) {
        CXmlDoc records;
        records.SetDocText(results);
        if (records.FindElement(name)) {
            for (const auto& [attribute, text] : attributes)
                records.SetAttribute(records.GetCursorCurrent(), attribute, text.constData());
            results = records.GetDocText();
            return;
        }
    }
    QByteArray record = "<" + QByteArray(name);
    for (const auto& [attribute, text] : attributes)
        record += " " + QByteArray(attribute) + "=\"" + EncodeText(text.constData(), kEscapeQuotes) + "\"";
    results += record + "/>";
}

QByteArray CXmlDoc::GetResultText() const
{
    CXmlDoc records;
    records.SetDocText(m_strResults);
    QList<QByteArray> phrases;
    while (records.FindElement()) {
        const QByteArray name = records.GetElementName(records.GetCursorCurrent());
        auto a = [&](const char* attribute) { return records.GetAttribute(attribute); };
        auto sized = [&](const QByteArray& prefix, const QByteArray& suffix) {
            const QByteArray encoding = a("encoding");
            return prefix + encoding + (encoding.isEmpty() ? "" : " ") + "length " + a("length") + suffix;
        };
        const QByteArray at = "tag syntax error at offset " + a("offset") + " expecting ";
        if (name == "root_has_sibling")
            phrases << "root element has sibling";
        else if (name == "no_root_element")
            phrases << "no root element";
        else if (name == "lone_end_tag")
            phrases << "lone end tag '" + a("tagname") + "' at offset " + a("offset");
        else if (name == "unended_start_tag")
            phrases << "start tag '" + a("tagname") + "' at offset " + a("offset") + " expecting end tag at offset "
                           + a("offset2");
        else if (name == "first_tag_syntax")
            phrases << at + "tag name / ! or ?";
        else if (name == "exclamation_tag_syntax")
            phrases << at + "'DOCTYPE' [ or -";
        else if (name == "doctype_tag_syntax")
            phrases << at + "markup declaration";
        else if (name == "comment_tag_syntax")
            phrases << at + "- to begin comment";
        else if (name == "cdata_section_syntax")
            phrases << at + "'CDATA'";
        else if (name == "unterminated_tag_syntax")
            phrases << "unterminated tag at offset " + a("offset");
        else if (name == "oversized_tag")
            phrases << "tag too long at offset " + a("offset");
        else if (name == "nesting_too_deep")
            phrases << "element nested too deep at offset " + a("offset");
        else if (name == "file_error")
            phrases << a("msg");
        else if (name == "bom")
            phrases << "BOM +";
        else if (name == "read" || name == "write")
            phrases << sized("", "");
        else if (name == "converted_to")
            phrases << sized("to ", "");
        else if (name == "converted_from")
            phrases << sized("", " to");
        else if (name == "nulls_removed")
            phrases << "removed " + a("count") + " nulls";
        else if (name == "conversion_loss")
            phrases << "(chars lost in conversion!)";
        else if (name == "utf8_detection")
            phrases << "(used UTF-8 detection)";
        else if (name == "endian_swap")
            phrases << "endian swap";
        else if (name == "truncation_error")
            phrases << "encoding " + a("encoding") + " adjustment error";
    }
    return phrases.join(' ');
}

int CXmlDoc::CodePageFromName(const char* name) { return XmlCodePages::codePage(name); }

QByteArray CXmlDoc::DetectEncoding(const char* text, int length)
{
    if (!text)
        return {};
    if (length < 0)
        length = int(std::strlen(text));
    XmlScanner scanner(text, length);
    XmlNodeInfo node;
    bool insideHtml = false;
    for (;;) {
        const int type = scanner.ScanNode(node);
        if (type == XmlNode::End || type == XmlNode::Bad)
            return {};
        const char* token = scanner.token();
        const int tokenLength = scanner.tokenLength();
        if (type == XmlNode::ProcessingInstruction && node.start == 0 && equalsIgnoringCase(token, tokenLength, "xml")) {
            const QByteArray encoding = attributeValue(text, node.start + node.length, node.start + 2, "encoding");
            if (!encoding.isEmpty())
                return encoding;
        } else if (type == XmlNode::EndTag && equalsIgnoringCase(token, tokenLength, "head")) {
            return {};
        } else if (type == XmlNode::StartTag && !insideHtml) {
            if (!equalsIgnoringCase(token, tokenLength, "html"))
                return {};
            insideHtml = true;
        } else if (type == XmlNode::StartTag && equalsIgnoringCase(token, tokenLength, "meta")) {
            const int end = node.start + node.length;
            if (attributeValue(text, end, node.start + 1, "http-equiv").toLower() == "content-type") {
                const QByteArray charset = charsetOf(attributeValue(text, end, node.start + 1, "content"));
                if (!charset.isEmpty())
                    return charset;
            }
        }
    }
}

bool CXmlDoc::ReadFileText(const char* path, QByteArray& text, QByteArray* results, int* flags, QByteArray* encoding)
{
    QByteArray local;
    QByteArray& records = results ? *results : local;
    File file = openFile(path, "rb", records);
    if (!file)
        return false;
    bool readOk;
    QByteArray bytes = readAll(file.get(), readOk);
    if (!readOk) {
        AddResult(records, "file_error", std::strerror(errno), kResultMessage);
        return false;
    }
    int fileFlags = 0;
    int unit = 1;
    QByteArray name;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        fileFlags = kUtf8Bom;
        name = "UTF-8";
    } else if (bytes.startsWith("\xFF\xFE")) {
        fileFlags = kUtf16LE;
        name = "UTF-16LE";
        unit = 2;
    } else if (bytes.startsWith("\xFE\xFF")) {
        fileFlags = kUtf16BE;
        name = "UTF-16BE";
        unit = 2;
    }
    if (fileFlags) {
        AddResult(records, "bom");
        bytes.remove(0, fileFlags == kUtf8Bom ? 3 : 2);
    } else {
        name = DetectEncoding(bytes.constData(), int(std::min<qsizetype>(bytes.size(), 1024)));
        if (name.isEmpty() && bytes.startsWith('<'))
            name = "UTF-8";
    }
    AddResult(records, "read", name.constData(), kResultEncoding | kResultLength, int(bytes.size() / unit));
    if (const int nulls = removeNulls(bytes, unit))
        AddResult(records, "nulls_removed", nullptr, kResultCount, nulls);
    bool lossy = false;
    const char* source = nullptr;
    if (unit == 2) {
        if (fileFlags == kUtf16BE) {
            swapBytePairs(bytes);
            AddResult(records, "endian_swap");
        }
        source = "UTF-16LE";
    } else if (name.isEmpty()) {
        AddResult(records, "utf8_detection");
        if (isWellFormedUtf8(bytes))
            name = "UTF-8";
    } else {
        const int page = CodePageFromName(name.constData());
        if (page > 0 && page != XmlCodePages::kUtf8)
            source = XmlCodePages::iconvName(page);
    }
    if (source) {
        QByteArray converted;
        XmlCodePages::convert(bytes, source, "UTF-8", converted, lossy);
        bytes = converted;
        AddResult(records, "converted_to", "UTF-8", kResultEncoding | kResultLength, int(bytes.size()));
        if (lossy)
            AddResult(records, "conversion_loss");
    }
    text = bytes;
    if (flags)
        *flags = fileFlags | kReadFileMode;
    if (encoding)
        *encoding = name;
    return true;
}

bool CXmlDoc::WriteFileText(const char* path, const QByteArray& text, QByteArray* results, int* flags,
                            QByteArray* encoding)
{
    QByteArray local;
    QByteArray& records = results ? *results : local;
    const int fileFlags = flags ? *flags : 0;
    QByteArray name = encoding ? *encoding : QByteArray();
    if (fileFlags & kUtf16LE)
        name = "UTF-16LE";
    else if (fileFlags & kUtf16BE)
        name = "UTF-16BE";
    else if (fileFlags & kUtf8Bom)
        name = "UTF-8";
    else if (name.isEmpty())
        name = DetectEncoding(text.constData(), int(text.size()));
    File file = openFile(path, (fileFlags & kAppendFile) ? "ab" : "wb", records);
    if (!file)
        return false;
    std::fseek(file.get(), 0, SEEK_END);
    const bool atStart = std::ftell(file.get()) == 0;
    const bool wide = fileFlags & (kUtf16LE | kUtf16BE);
    const int page = wide ? 0 : CodePageFromName(name.constData());
    const char* target = wide ? "UTF-16LE" : (page > 0 && page != XmlCodePages::kUtf8) ? XmlCodePages::iconvName(page)
                                                                                         : nullptr;
    QByteArray bytes = text;
    if (target) {
        bool lossy = false;
        AddResult(records, "converted_from", "UTF-8", kResultEncoding | kResultLength, int(text.size()));
        XmlCodePages::convert(text, "UTF-8", target, bytes, lossy);
        if (lossy)
            AddResult(records, "conversion_loss");
    }
    if (fileFlags & kUtf16BE) {
        swapBytePairs(bytes);
        AddResult(records, "endian_swap");
    }
    QByteArray mark;
    if (atStart && (fileFlags & kBomFlags)) {
        mark = (fileFlags & kUtf16LE) ? "\xFF\xFE" : (fileFlags & kUtf16BE) ? "\xFE\xFF" : "\xEF\xBB\xBF";
        AddResult(records, "bom");
    }
    const QByteArray all = mark + bytes;
    const bool written = std::fwrite(all.constData(), 1, size_t(all.size()), file.get()) == size_t(all.size());
    const bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed) {
        AddResult(records, "file_error", std::strerror(errno), kResultMessage);
        return false;
    }
    AddResult(records, "write", name.constData(), kResultEncoding | kResultLength, int(bytes.size() / (wide ? 2 : 1)));
    return true;
}

bool CXmlDoc::LoadFile(const char* path)
{
    QByteArray text;
    QByteArray records;
    int flags = 0;
    if (!ReadFileText(path, text, &records, &flags)) {
        m_strResults = records;
        return false;
    }
    m_docFlags = (m_docFlags & ~kBomFlags) | (flags & kBomFlags);
    const bool wellFormed = SetDocText(text);
    m_strResults.prepend(records);
    return wellFormed;
}

bool CXmlDoc::SaveFile(const char* path)
{
    QByteArray records;
    int flags = m_docFlags & kBomFlags;
    const bool ok = WriteFileText(path, m_strDocText, &records, &flags);
    m_strResults = records;
    return ok;
}
