// Any bytes as a document: parse, read every element's name, attributes and data, and the
// result text. The same bytes as a file are then streamed in read-file mode through small
// blocks (the first byte picks the size), which must read as the whole file does whenever it
// is well formed; and what was read is written again in write-file mode, which must give the
// bytes a document in memory saves.
#include "catalogue/XmlDoc.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
struct Element {
    int depth;
    QByteArray name;
    QByteArray data;
    QList<QPair<QByteArray, QByteArray>> attributes;
    bool operator==(const Element&) const = default;
};

// Every element in document order, without recursion: documents may nest deep.
std::vector<Element> walk(CXmlDoc& doc)
{
    std::vector<Element> out;
    int depth = 0;
    for (;;) {
        if (doc.FindElement()) {
            const int pos = doc.GetCursorCurrent();
            Element e{depth, doc.GetElementName(pos), doc.GetData(), {}};
            QByteArray name, value;
            for (int n = 0; doc.GetAttributeAt(n, &name, &value); ++n) {
                doc.GetAttribute(name.constData());
                e.attributes.append({name, value});
            }
            out.push_back(e);
            doc.EnterElement();
            ++depth;
        } else if (!doc.LeaveElement()) {
            return out;
        } else {
            --depth;
        }
    }
}

std::string scratchFile(const char* kind)
{
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/fuzz_xml_" + kind + "_" + std::to_string(getpid()) + ".xml";
}

bool writeFile(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

QByteArray readFile(const std::string& path)
{
    QByteArray bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, qsizetype(got));
        std::fclose(file);
    }
    return bytes;
}

// The elements read, added again: as siblings and children in the order of the walk.
void rebuild(CXmlDoc& doc, const std::vector<Element>& elements)
{
    int depth = 0;
    for (const Element& e : elements) {
        for (; depth > e.depth; --depth)
            doc.LeaveElement();
        if (depth < e.depth) {
            doc.EnterElement();
            ++depth;
        }
        doc.InsertElement(e.name.constData(), e.data.constData());
        for (const auto& [name, value] : e.attributes)
            doc.SetAttribute(doc.GetCursorCurrent(), name.constData(), value.constData());
    }
}

void streamFile(const uint8_t* data, size_t size)
{
    static const std::string input = scratchFile("in");
    static const std::string memory = scratchFile("memory");
    static const std::string written = scratchFile("written");
    if (!writeFile(input, data, size))
        return;
    const int blockSize = size ? 1 + data[0] % 64 : 1;
    CXmlDoc loaded;
    const bool wellFormed = loaded.LoadFile(input.c_str());
    const std::vector<Element> whole = walk(loaded);
    CXmlDoc streamed;
    if (!streamed.Open(input.c_str(), CXmlDoc::kReadFileMode, blockSize))
        return;
    const std::vector<Element> read = walk(streamed);
    streamed.GetResultText();
    if (wellFormed && (read != whole || !streamed.CheckWellFormed()))
        std::abort();
    streamed.Close();

    CXmlDoc saved;
    rebuild(saved, read);
    saved.SaveFile(memory.c_str());
    CXmlDoc writing;
    if (!writing.Open(written.c_str(), CXmlDoc::kWriteFileMode, blockSize))
        return;
    rebuild(writing, read);
    writing.Close();
    // The first block written settles the encoding a whole save would take from all the text.
    const bool sameEncoding = CXmlDoc::DetectEncoding(saved.GetDocText().constData()).isEmpty();
    if (sameEncoding && readFile(written) != readFile(memory))
        std::abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CXmlDoc doc;
    doc.SetDocText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (int pos = 1; pos < doc.GetPositionCount(); ++pos) {
        doc.SetCursor(doc.GetParentPosition(pos), pos, 0);
        doc.GetElementName(pos);
        QByteArray name, value;
        for (int n = 0; doc.GetAttributeAt(n, &name, &value); ++n)
            doc.GetAttribute(name.constData());
        doc.GetData();
    }
    doc.GetResultText();
    CXmlDoc::DetectEncoding(doc.GetDocText().constData());
    streamFile(data, size);
    return 0;
}
