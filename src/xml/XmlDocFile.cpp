// CXmlDoc's result records, and reading and writing document files in other encodings.
#include "xml/XmlDocFile.h"

#include "xml/XmlCodePages.h"
#include "xml/XmlDoc.h"
#include "xml/XmlScanner.h"

#include <QList>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace {
constexpr int kBomFlags = CXmlDoc::kUtf8Bom | CXmlDoc::kUtf16LE | CXmlDoc::kUtf16BE;
constexpr int kUtf16Page = 1200;  // UTF-16 files are converted as little-endian, big-endian ones swapped first

void addFileError(QByteArray& results, const char* message)
{
    CXmlDoc::AddResult(results, "file_error", QByteArray(message).split('\n').first().constData(),
                       CXmlDoc::kResultMessage);
}

FILE* openFile(const char* path, const char* mode, QByteArray& results)
{
    FILE* file = path ? std::fopen(path, mode) : nullptr;
    if (!file)
        addFileError(results, path ? std::strerror(errno) : "no file name");
    return file;
}

// Names match case-sensitively, as in every document of the program (flags 0).
bool equals(const char* text, int length, const char* word)
{
    return int(std::strlen(word)) == length && std::strncmp(text, word, size_t(length)) == 0;
}

// The decoded value of a tag's attribute (from just after "<" or "<?"); null when absent.
QByteArray attributeValue(const char* text, int end, int from, const char* name)
{
    const XmlTagTokens tokens = xmlTagTokens(text, end, from);
    for (const auto& a : tokens.attributes)
        if (equals(text + a.name.start, a.name.length, name))
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
        if (tokens[i] == "charset" && tokens[i + 1] == "=")
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
    const qsizetype whole = bytes.size() - bytes.size() % unit;
    if (unit == 1 && !std::memchr(bytes.constData(), 0, size_t(whole)))
        return 0;
    char* data = bytes.data();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < whole; i += unit) {
        if (data[i] == 0 && (unit == 1 || data[i + 1] == 0))
            continue;
        std::memmove(data + kept, data + i, size_t(unit));
        kept += unit;
    }
    const int removed = int((whole - kept) / unit);
    if (removed)
        bytes.remove(kept, whole - kept);
    return removed;
}

// A sequence cut off by the end of the bytes counts as well formed when more is to come.
bool isWellFormedUtf8(const QByteArray& bytes, bool moreToCome)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        int follow = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (follow < 0 || (follow == 1 && c < 0xC2))
            return false;
        for (int k = 1; k <= follow; ++k)
            if (i + k >= n)
                return moreToCome;
            else if ((p[i + k] & 0xC0) != 0x80)
                return false;
        i += follow + 1;
    }
    return true;
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
        if (type == XmlNode::ProcessingInstruction && node.start == 0 && equals(token, tokenLength, "xml")) {
            const QByteArray encoding = attributeValue(text, node.start + node.length, node.start + 2, "encoding");
            if (!encoding.isEmpty())
                return encoding;
        } else if (type == XmlNode::EndTag && equals(token, tokenLength, "head")) {
            return {};
        } else if (type == XmlNode::StartTag && !insideHtml) {
            if (!equals(token, tokenLength, "html"))
                return {};
            insideHtml = true;
        } else if (type == XmlNode::StartTag && equals(token, tokenLength, "meta")) {
            const int end = node.start + node.length;
            if (attributeValue(text, end, node.start + 1, "http-equiv") == "Content-Type") {
                const QByteArray charset = charsetOf(attributeValue(text, end, node.start + 1, "content"));
                if (!charset.isEmpty())
                    return charset;
            }
        }
    }
}

XmlFileReader::~XmlFileReader() { std::fclose(m_file); }

std::unique_ptr<XmlFileReader> XmlFileReader::open(const char* path, QByteArray& results)
{
    FILE* file = openFile(path, "rb", results);
    if (!file)
        return nullptr;
    std::unique_ptr<XmlFileReader> reader(new XmlFileReader(file));
    if (std::fseek(file, 0, SEEK_END) == 0)
        reader->m_size = std::max<qint64>(0, std::ftell(file));
    std::rewind(file);
    bool ok;
    QByteArray& head = reader->m_head;
    head = reader->readRaw(1024, ok);
    if (!ok) {
        addFileError(results, std::strerror(errno));
        return nullptr;
    }
    QByteArray& name = reader->m_encoding;
    if (head.startsWith("\xEF\xBB\xBF")) {
        reader->m_flags = CXmlDoc::kUtf8Bom;
        name = "UTF-8";
    } else if (head.startsWith("\xFF\xFE")) {
        reader->m_flags = CXmlDoc::kUtf16LE;
        name = "UTF-16LE";
        reader->m_unit = 2;
    } else if (head.startsWith("\xFE\xFF")) {
        reader->m_flags = CXmlDoc::kUtf16BE;
        name = "UTF-16BE";
        reader->m_unit = 2;
    }
    if (reader->m_flags) {
        CXmlDoc::AddResult(results, "bom");
        head.remove(0, reader->m_flags == CXmlDoc::kUtf8Bom ? 3 : 2);
    } else {
        name = CXmlDoc::DetectEncoding(head.constData(), int(head.size()));
        if (name.isEmpty() && head.startsWith('<'))
            name = "UTF-8";
    }
    if (reader->m_unit == 2) {
        reader->m_converter = XmlCodePages::decoder(kUtf16Page);
    } else if (name.isEmpty()) {
        reader->m_detecting = true;
    } else {
        const int page = CXmlDoc::CodePageFromName(name.constData());
        if (page > 0 && page != XmlCodePages::kUtf8)
            reader->m_converter = XmlCodePages::decoder(page);
    }
    return reader;
}

QByteArray XmlFileReader::readRaw(qint64 bytes, bool& ok)
{
    QByteArray raw;
    ok = true;
    while (!m_atEnd && raw.size() < bytes) {
        const qsizetype had = raw.size();
        const qint64 expected = std::clamp<qint64>(m_size - m_position, 4096, 1 << 20) + 1;
        const qsizetype want = qsizetype(std::min<qint64>(bytes - had, expected));
        raw.resize(had + want);
        const size_t got = std::fread(raw.data() + had, 1, size_t(want), m_file);
        raw.truncate(had + qsizetype(got));
        m_position += qint64(got);
        if (got < size_t(want)) {
            m_atEnd = true;
            ok = !std::ferror(m_file);
        }
    }
    return raw;
}

bool XmlFileReader::read(QByteArray& text, qint64 bytes, QByteArray& records, bool faultsOnly)
{
    QByteArray everything;
    QByteArray& results = faultsOnly ? everything : records;
    bool ok;
    QByteArray raw = m_carry + std::exchange(m_head, {});
    m_carry.clear();
    // Less than a unit would bring back only the half unit carried, again and again.
    raw += readRaw(std::max<qint64>(bytes, m_unit) - raw.size(), ok);
    if (!ok) {
        CXmlDoc::AddResult(records, "file_error", std::strerror(errno), CXmlDoc::kResultMessage);
        return false;
    }
    if (!m_atEnd && raw.size() % m_unit) {
        m_carry = raw.right(raw.size() % m_unit);
        raw.chop(m_carry.size());
    }
    CXmlDoc::AddResult(results, "read", m_encoding.constData(), CXmlDoc::kResultEncoding | CXmlDoc::kResultLength,
                       int(raw.size() / m_unit));
    if (const int nulls = removeNulls(raw, m_unit))
        CXmlDoc::AddResult(results, "nulls_removed", nullptr, CXmlDoc::kResultCount, nulls);
    if (m_flags & CXmlDoc::kUtf16BE) {
        swapBytePairs(raw);
        CXmlDoc::AddResult(results, "endian_swap");
    }
    if (m_detecting) {
        m_detecting = false;
        CXmlDoc::AddResult(results, "utf8_detection");
        if (isWellFormedUtf8(raw, !m_atEnd))
            m_encoding = "UTF-8";
    }
    if (m_converter)
        convert(raw, results, faultsOnly ? records : results);
    text += raw;
    return true;
}

// Converts to UTF-8 what the last read brought; a character cut at its end waits for the next.
void XmlFileReader::convert(QByteArray& bytes, QByteArray& results, QByteArray& faults)
{
    QByteArray out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    bool lossy = false;
    m_converter->convert(bytes, out, lossy);
    if (m_atEnd && !m_converter->finish(out, lossy))
        CXmlDoc::AddResult(faults, "truncation_error", m_encoding.constData(), CXmlDoc::kResultEncoding);
    CXmlDoc::AddResult(results, "converted_to", "UTF-8", CXmlDoc::kResultEncoding | CXmlDoc::kResultLength,
                       int(out.size()));
    if (lossy)
        CXmlDoc::AddResult(faults, "conversion_loss", nullptr, CXmlDoc::kResultMerge);
    bytes = out;
}

XmlFileWriter::~XmlFileWriter()
{
    if (m_file)
        std::fclose(m_file);
}

std::unique_ptr<XmlFileWriter> XmlFileWriter::open(const char* path, int flags, const QByteArray& encoding,
                                                   QByteArray& results)
{
    FILE* file = openFile(path, (flags & CXmlDoc::kAppendFile) ? "ab" : "wb", results);
    if (!file)
        return nullptr;
    std::unique_ptr<XmlFileWriter> writer(new XmlFileWriter(file, flags, encoding));
    std::fseek(file, 0, SEEK_END);
    writer->m_atStart = std::ftell(file) == 0;
    return writer;
}

void XmlFileWriter::settleEncoding(const QByteArray& text)
{
    m_settled = true;
    if (m_flags & CXmlDoc::kUtf16LE)
        m_encoding = "UTF-16LE";
    else if (m_flags & CXmlDoc::kUtf16BE)
        m_encoding = "UTF-16BE";
    else if (m_flags & CXmlDoc::kUtf8Bom)
        m_encoding = "UTF-8";
    else if (m_encoding.isEmpty())
        m_encoding = CXmlDoc::DetectEncoding(text.constData(), int(text.size()));
    const bool wide = m_flags & (CXmlDoc::kUtf16LE | CXmlDoc::kUtf16BE);
    const int page = wide ? kUtf16Page : CXmlDoc::CodePageFromName(m_encoding.constData());
    if (page > 0 && page != XmlCodePages::kUtf8)
        m_converter = XmlCodePages::encoder(page);
}

bool XmlFileWriter::write(const QByteArray& text, QByteArray& results)
{
    if (!m_settled)
        settleEncoding(text);
    QByteArray bytes;
    if (m_converter) {
        bool lossy = false;
        CXmlDoc::AddResult(results, "converted_from", "UTF-8", CXmlDoc::kResultEncoding | CXmlDoc::kResultLength,
                           int(text.size()));
        m_converter->convert(text, bytes, lossy);
        if (lossy)
            CXmlDoc::AddResult(results, "conversion_loss");
    } else {
        bytes = text;
    }
    if (!put(bytes, results))
        return false;
    const bool wide = m_flags & (CXmlDoc::kUtf16LE | CXmlDoc::kUtf16BE);
    CXmlDoc::AddResult(results, "write", m_encoding.constData(), CXmlDoc::kResultEncoding | CXmlDoc::kResultLength,
                       int(bytes.size() / (wide ? 2 : 1)));
    return true;
}

// Writes converted bytes: big-endian UTF-16 swapped, the byte-order mark first at the file's start.
bool XmlFileWriter::put(const QByteArray& converted, QByteArray& results)
{
    QByteArray bytes = converted;
    if (m_flags & CXmlDoc::kUtf16BE) {
        swapBytePairs(bytes);
        CXmlDoc::AddResult(results, "endian_swap");
    }
    if (m_atStart && (m_flags & kBomFlags)) {
        bytes.prepend((m_flags & CXmlDoc::kUtf16LE)   ? "\xFF\xFE"
                      : (m_flags & CXmlDoc::kUtf16BE) ? "\xFE\xFF"
                                                      : "\xEF\xBB\xBF");
        CXmlDoc::AddResult(results, "bom");
    }
    m_atStart = false;
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_file) != size_t(bytes.size())) {
        m_failed = true;
        addFileError(results, std::strerror(errno));
        return false;
    }
    return true;
}

bool XmlFileWriter::close(QByteArray& results)
{
    if (m_converter) {
        QByteArray tail;
        bool lossy = false;
        m_converter->finish(tail, lossy);
        if (lossy)
            CXmlDoc::AddResult(results, "conversion_loss");
        if (!tail.isEmpty())
            put(tail, results);
    }
    const bool closed = std::fclose(std::exchange(m_file, nullptr)) == 0;
    if (!closed && !m_failed)
        addFileError(results, std::strerror(errno));
    return closed && !m_failed;
}

bool CXmlDoc::ReadFileText(const char* path, QByteArray& text, QByteArray* results, int* flags, QByteArray* encoding)
{
    QByteArray local;
    QByteArray& records = results ? *results : local;
    const std::unique_ptr<XmlFileReader> reader = XmlFileReader::open(path, records);
    if (!reader)
        return false;
    QByteArray read;
    if (!reader->read(read, std::numeric_limits<qint64>::max(), records))
        return false;
    text = read;
    if (flags)
        *flags = reader->flags() | kReadFileMode;
    if (encoding)
        *encoding = reader->encoding();
    return true;
}

bool CXmlDoc::WriteFileText(const char* path, const QByteArray& text, QByteArray* results, int* flags,
                            QByteArray* encoding)
{
    QByteArray local;
    QByteArray& records = results ? *results : local;
    const std::unique_ptr<XmlFileWriter> writer =
        XmlFileWriter::open(path, flags ? *flags : 0, encoding ? *encoding : QByteArray(), records);
    if (!writer)
        return false;
    const bool written = writer->write(text, records);
    return writer->close(records) && written;
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

// The state of a streaming file mode.
struct CXmlDoc::FileStream {
    struct OpenElement {
        int nameOffset;  // in `names`
        int nameLength;
        int start;  // in the file's text
    };
    explicit FileStream(int docFlags) : m_openNames(docFlags) {}

    std::unique_ptr<XmlFileReader> reader;
    std::unique_ptr<XmlFileWriter> writer;
    int blockSize = kFileBlockSize;
    qint64 dropped = 0;  // bytes of the file's text dropped before the window
    int next = 0;        // read-file mode: where the scan goes on in the window
    int reads = 0;
    std::vector<OpenElement> open;  // read-file mode: the elements the scan is inside, outermost first
    QByteArray names;               // their names, one after the other
    bool rootSeen = false;
    bool ended = false;
    qint64 peak = 0;

    void push(const char* name, int length, int start);
    void popTo(size_t depth);
    bool mayClose(const char* name, int length) const { return m_openNames.mayMatch(name, length); }

private:
    QByteArrayView nameOf(size_t i) const { return {names.constData() + open[i].nameOffset, open[i].nameLength}; }

    XmlOpenNames m_openNames;
};

void CXmlDoc::FileStream::push(const char* name, int length, int start)
{
    open.push_back({int(names.size()), length, start});
    names.append(name, length);
    m_openNames.opened(open.size(), [this](size_t i) { return nameOf(i); });
}

void CXmlDoc::FileStream::popTo(size_t depth)
{
    if (depth >= open.size())
        return;
    m_openNames.closing(depth, open.size(), [this](size_t i) { return nameOf(i); });
    names.truncate(open[depth].nameOffset);
    open.resize(depth);
}

namespace {
// Kept before a node when the text behind it is dropped, so that a closing marker is never
// taken for one at the start of the file ("<?>" closes an instruction anywhere but there).
constexpr int kLookBehind = 4;
// Where an element starts whose start tag was dropped: far enough below 0 that its end
// (start + length) still fits, whatever was dropped since.
constexpr int kGone = -(1 << 29);
}

void CXmlDoc::FileStreamDeleter::operator()(FileStream* stream) const { delete stream; }

CXmlDoc::~CXmlDoc() { Close(); }

// A file that cannot be opened leaves the document as it was, with the reason in its results.
bool CXmlDoc::Open(const char* path, int flags, int blockSize)
{
    const int mode = flags & kFileModes;
    if (mode != kReadFileMode && mode != kWriteFileMode)
        return false;
    std::unique_ptr<FileStream, FileStreamDeleter> stream(new FileStream(flags));
    stream->blockSize = std::max(1, blockSize);
    QByteArray records;
    if (mode == kReadFileMode)
        stream->reader = XmlFileReader::open(path, records);
    else
        stream->writer = XmlFileWriter::open(path, flags, {}, records);
    if (!stream->reader && !stream->writer) {
        m_strResults = records;
        return false;
    }
    Close();
    SetDocChars(nullptr);
    m_strResults = records;
    m_docFlags = flags & ~(kAppendFile | (stream->reader ? kBomFlags : 0));
    if (stream->reader)
        m_docFlags |= stream->reader->flags();
    m_pFileReader = std::move(stream);
    return true;
}

bool CXmlDoc::Close()
{
    if (!m_pFileReader)
        return true;
    bool ok = true;
    if (FileStream& s = *m_pFileReader; s.writer) {
        ok = s.writer->write(m_strDocText, m_strResults);
        ok = s.writer->close(m_strResults) && ok;
    }
    const QByteArray results = m_strResults;
    m_pFileReader.reset();
    m_docFlags &= ~kFileModes;
    SetDocChars(nullptr);
    m_strResults = results;
    return ok;
}

qint64 CXmlDoc::GetBufferedPeak() const
{
    if (!m_pFileReader)
        return 0;
    return std::max(m_pFileReader->peak, qint64(m_strDocText.capacity()));
}

// Drops the first bytes of the text. Elements keep their ends; one that started in the
// dropped bytes gets a start below 0, so that reading it finds nothing.
void CXmlDoc::ShiftWindow(int dropped)
{
    char* text = m_strDocText.data();
    const int kept = int(m_strDocText.size()) - dropped;
    std::memmove(text, text + dropped, size_t(kept));
    m_strDocText.truncate(kept);
    for (int p = 1; p < m_posFree; ++p) {
        ElementRecord& r = m_index[p];
        const qint64 end = qint64(r.start) + r.length - dropped;
        r.start = int(std::max<qint64>(qint64(r.start) - dropped, kGone));
        r.length = int(end - r.start);
    }
    m_index[0].length = kept;
    if (m_nodeLength)
        m_nodeOffset -= dropped;
    FileStream& s = *m_pFileReader;
    s.next = std::max(0, s.next - dropped);
    s.dropped += dropped;
}

int CXmlDoc::StreamOffset(int windowOffset) const
{
    return int(std::min<qint64>(m_pFileReader->dropped + windowOffset, std::numeric_limits<int>::max()));
}

// The next node from the window; a node that may go on past the window's end is scanned
// again once the next block is in, with the text before `keep` (or before the node) dropped.
int CXmlDoc::StreamScan(XmlNodeInfo& node, XmlSpan& token, int keep)
{
    FileStream& s = *m_pFileReader;
    for (;;) {
        XmlScanner scanner(m_strDocText.constData(), int(m_strDocText.size()), s.next);
        scanner.reportBase = StreamOffset(0);
        const int type = scanner.ScanNode(node);
        if (scanner.next < m_strDocText.size() || s.reader->atEnd()) {
            s.next = scanner.next;
            token = {scanner.tokenLeft, scanner.tokenLength()};
            return type;
        }
        const int drop = std::min(keep, node.start) - kLookBehind;
        if (drop > 0) {
            ShiftWindow(drop);
            keep -= drop;
        }
        // A node longer than a block doubles the read, so that its rescans stay linear.
        const qint64 unfinished = m_strDocText.size() - s.next;
        s.reader->read(m_strDocText, std::max<qint64>(s.blockSize, unfinished), m_strResults, s.reads++ > 0);
        s.peak = std::max(s.peak, qint64(m_strDocText.capacity()));
    }
}

bool CXmlDoc::StreamFindElement(const char* path)
{
    FileStream& s = *m_pFileReader;
    const size_t depth = size_t(m_posParent);
    StreamSkipTo(depth);
    bool scanned = false;
    XmlNodeInfo node;
    XmlSpan token;
    while (s.open.size() == depth && !s.ended) {
        const int type = StreamScan(node, token, std::numeric_limits<int>::max());
        if (type != XmlNode::StartTag) {
            StreamOther(type, node, token);
            continue;
        }
        if (!StreamAccept(node))
            continue;
        const int pos = StreamElement(node, token);
        scanned = true;
        if (FindSibling(pos, path) == pos) {
            SetCursor(m_posParent, pos, 0);
            return true;
        }
        StreamSkipTo(depth);
    }
    // The current element's position now holds an element passed over.
    if (scanned && m_posCurrent == int(depth) + 1)
        m_index[m_posCurrent].start = kGone;
    return false;
}

// A start tag found under the cursor's parent takes the next position on the path; the
// positions below it are no longer valid.
int CXmlDoc::StreamElement(const XmlNodeInfo& node, const XmlSpan& token)
{
    FileStream& s = *m_pFileReader;
    const int pos = int(s.open.size()) + 1;
    if (m_index.size() < pos + 2)
        m_index.grow(std::max(pos + 2, m_index.size() + m_index.size() / 2));
    ElementRecord& r = m_index[pos];
    r = ElementRecord{};
    r.start = node.start;
    r.length = node.length;
    r.setTagLengths(node.length, 0);
    r.setLevel(pos - 1);
    r.parent = pos - 1;
    r.prevSibling = pos;
    r.set(ElementRecord::kFirstChild);
    m_index[pos - 1].firstChild = pos;
    m_posFree = pos + 1;
    if (pos == 1) {
        if (s.rootSeen)
            AddResult(m_strResults, "root_has_sibling");
        s.rootSeen = true;
    }
    if (!(node.flags & XmlNodeInfo::kEmptyElement)) {
        StreamPush(node, token);
        StreamLookAhead(pos);
    }
    return pos;
}

// Reads on until the element just found ends or shows a child, so that a leaf's text is all
// in the window for GetData and an element with children says so; the scan then stands
// before the first child.
void CXmlDoc::StreamLookAhead(int pos)
{
    FileStream& s = *m_pFileReader;
    XmlNodeInfo node;
    XmlSpan token;
    while (s.open.size() >= size_t(pos) && !s.ended) {
        const int type = StreamScan(node, token, m_index[pos].start);
        if (type == XmlNode::StartTag) {
            if (!StreamAccept(node))
                continue;
            m_index[pos].firstChild = pos + 1;
            s.next = node.start;
            return;
        }
        StreamOther(type, node, token);
    }
}

// Reads past the rest of every element deeper than `depth`.
void CXmlDoc::StreamSkipTo(size_t depth)
{
    FileStream& s = *m_pFileReader;
    XmlNodeInfo node;
    XmlSpan token;
    while (s.open.size() > depth && !s.ended) {
        const int type = StreamScan(node, token, std::numeric_limits<int>::max());
        if (type != XmlNode::StartTag)
            StreamOther(type, node, token);
        else if (StreamAccept(node) && !(node.flags & XmlNodeInfo::kEmptyElement))
            StreamPush(node, token);
    }
}

// A start tag nested deeper, or longer, than an element record holds is refused as a parse refuses it.
bool CXmlDoc::StreamAccept(XmlNodeInfo& node)
{
    const int level = int(m_pFileReader->open.size());
    if (level <= ElementRecord::kMaxLevel && node.length <= ElementRecord::kMaxStartTag)
        return true;
    AddResult(node.results, level > ElementRecord::kMaxLevel ? "nesting_too_deep" : "oversized_tag", nullptr, 0,
              StreamOffset(node.start));
    RaiseFlag(0, StreamInnermost(), node.results);
    return false;
}

void CXmlDoc::StreamPush(const XmlNodeInfo& node, const XmlSpan& token)
{
    m_pFileReader->push(m_strDocText.constData() + token.start, token.length, StreamOffset(node.start));
}

// What a node other than a start tag does to the stream: end tags close, faults are recorded.
void CXmlDoc::StreamOther(int type, XmlNodeInfo& node, const XmlSpan& token)
{
    if (type == XmlNode::End) {
        StreamEnd();
    } else if (type == XmlNode::Bad) {
        RaiseFlag(0, StreamInnermost(), node.results);
    } else if (type == XmlNode::EndTag && node.length > ElementRecord::kMaxEndTag) {
        AddResult(node.results, "oversized_tag", nullptr, 0, StreamOffset(node.start));
        RaiseFlag(0, StreamInnermost(), node.results);
    } else if (type == XmlNode::EndTag) {
        StreamEndTag(node, token);
    }
}

// The position of the innermost element the scan is in, when it has one (else the document).
int CXmlDoc::StreamInnermost() const
{
    const int depth = int(m_pFileReader->open.size());
    return depth < m_posFree ? depth : 0;
}

// An end tag closes the innermost open element of its name, and those inside it as never
// ended; one that no open element claims is a lone end tag.
void CXmlDoc::StreamEndTag(const XmlNodeInfo& node, const XmlSpan& token)
{
    FileStream& s = *m_pFileReader;
    const char* name = m_strDocText.constData() + token.start;
    int k = s.mayClose(name, token.length) ? int(s.open.size()) - 1 : -1;
    while (k >= 0
           && !xmlNameMatches(name, token.length, s.names.constData() + s.open[k].nameOffset, s.open[k].nameLength,
                              m_docFlags))
        --k;
    if (k < 0) {
        m_index[0].set(ElementRecord::kIllFormed);
        m_index[StreamInnermost()].set(ElementRecord::kIllFormedInside);
        AddResult(m_strResults, "lone_end_tag", QByteArray(name, token.length).constData(), 0,
                  StreamOffset(node.start));
        return;
    }
    StreamCloseUnended(size_t(k) + 1, StreamOffset(node.start + 1));
    if (k + 1 < m_posFree) {
        ElementRecord& e = m_index[k + 1];
        e.length = node.start + node.length - e.start;
        e.setTagLengths(e.startTagLength(), node.length);
    }
    s.popTo(size_t(k));
}

// Open elements from the top down to `above` were never ended: each counts as empty.
void CXmlDoc::StreamCloseUnended(size_t above, int offset2)
{
    FileStream& s = *m_pFileReader;
    if (above >= s.open.size())
        return;
    m_index[0].set(ElementRecord::kIllFormed);
    for (size_t i = s.open.size(); i-- > above;) {
        const QByteArray name = s.names.mid(s.open[i].nameOffset, s.open[i].nameLength);
        AddResult(m_strResults, "unended_start_tag", name.constData(), 0, s.open[i].start, offset2);
        if (int(i) + 1 < m_posFree) {
            ElementRecord& e = m_index[int(i) + 1];
            e.set(ElementRecord::kUnended);
            e.length = e.startTagLength();
        }
    }
    s.popTo(above);
}

// The end of the file ends every element still open.
void CXmlDoc::StreamEnd()
{
    FileStream& s = *m_pFileReader;
    if (s.ended)
        return;
    s.ended = true;
    StreamCloseUnended(0, StreamOffset(int(m_strDocText.size())));
    if (!s.rootSeen)
        AddResult(m_strResults, "no_root_element");
}

// In write-file mode, once the text outgrows a block, what lies before the cursor's element
// (or node) is written out and dropped with the elements that ended in it.
void CXmlDoc::FlushWritten()
{
    if (!(m_docFlags & kWriteFileMode) || !m_pFileReader)
        return;
    FileStream& s = *m_pFileReader;
    s.peak = std::max(s.peak, qint64(m_strDocText.capacity()));
    if (m_strDocText.size() <= s.blockSize)
        return;
    const int keep = WrittenKeep();
    if (keep <= 0)
        return;
    s.writer->write(m_strDocText.left(keep), m_strResults);
    DropWritten(keep);
}

// Where the text still needed begins: the cursor's node, child, current element, or with no
// current element the parent, which may yet be opened to take its first child.
int CXmlDoc::WrittenKeep() const
{
    int keep = std::numeric_limits<int>::max();
    auto consider = [&](int pos) {
        if (isHeld(pos))
            keep = std::min(keep, m_index[pos].start);
    };
    if (m_nodeLength)
        keep = m_nodeOffset;
    consider(m_posCurrent);
    consider(m_posChild);
    if (!m_posCurrent && !m_nodeLength)
        consider(m_posParent);
    return keep == std::numeric_limits<int>::max() ? 0 : keep;
}

// Elements that ended before `keep` leave the index, but for the cursor's elements and the
// siblings an insertion before them would follow: those stay known, written out or not, so
// that the cursor moves as it would over the whole text. The rest are renumbered in order
// and each parent's chain of children relinked over those that stay.
void CXmlDoc::DropWritten(int keep)
{
    std::vector<char> held(size_t(m_posFree), 0);
    for (int p = 1; p < m_posFree; ++p)
        held[p] = !m_index[p].has(ElementRecord::kDeleted) && m_index[p].end() > keep;
    for (int p : {m_posParent, m_posCurrent, m_posChild, PreviousSibling(m_posCurrent), PreviousSibling(m_posChild)})
        for (int q = p; q > 0 && !held[q]; q = m_index[q].parent)
            held[q] = 1;
    std::vector<int> renumber(size_t(m_posFree), 0);
    int kept = 1;
    for (int p = 1; p < m_posFree; ++p)
        if (held[p])
            renumber[p] = kept++;
    std::vector<int> children;
    for (int p = 0; p < m_posFree; ++p) {
        if (p && !held[p])
            continue;
        children.clear();
        for (int c = m_index[p].firstChild; c; c = m_index[c].nextSibling)
            if (held[c])
                children.push_back(c);
        m_index[p].firstChild = children.empty() ? 0 : children.front();
        for (size_t i = 0; i < children.size(); ++i) {
            ElementRecord& r = m_index[children[i]];
            r.nextSibling = i + 1 < children.size() ? children[i + 1] : 0;
            r.prevSibling = i ? children[i - 1] : children.back();
            if (i)
                r.clear(ElementRecord::kFirstChild);
            else
                r.set(ElementRecord::kFirstChild);
        }
    }
    auto map = [&](int p) { return p > 0 && p < m_posFree ? renumber[p] : 0; };
    for (int p = 1; p < m_posFree; ++p) {
        if (!renumber[p])
            continue;
        ElementRecord r = m_index[p];
        r.parent = map(r.parent);
        r.firstChild = map(r.firstChild);
        r.nextSibling = map(r.nextSibling);
        r.prevSibling = map(r.prevSibling);
        m_index[renumber[p]] = r;
    }
    m_index[0].firstChild = map(m_index[0].firstChild);
    m_posParent = map(m_posParent);
    m_posCurrent = map(m_posCurrent);
    m_posChild = map(m_posChild);
    m_posFree = kept;
    m_posDeletedHead = 0;
    ShiftWindow(keep);
}
