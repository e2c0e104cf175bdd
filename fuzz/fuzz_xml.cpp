// Any bytes as a document: parse, read every element's name, attributes and data, and the
// result text. The same bytes as a file are then streamed in read-file mode through small
// blocks (the last byte picks the size: the first is fixed by a byte-order mark), which must
// read as the whole file does whenever it is well formed; and what was read is written again
// in write-file mode, with edits the bytes pick, which must give the bytes the same edits in
// memory save.
#include "xml/XmlDoc.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <algorithm>
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

// Edits made in write-file mode and in memory alike: what the file mode allows, memory must
// allow too (the file mode refuses only what needs text it wrote out).
class Editor {
public:
    Editor(CXmlDoc& file, CXmlDoc& memory) : m_file(file), m_memory(memory) {}

    template <typename Edit> bool apply(Edit edit)
    {
        if (!edit(m_file))
            return false;
        if (!edit(m_memory))
            std::abort();
        return true;
    }

    // The elements read, added again: as siblings and children in the order of the walk.
    void rebuild(const std::vector<Element>& elements)
    {
        int depth = 0;
        for (const Element& e : elements) {
            for (; depth > e.depth; --depth)
                apply([](CXmlDoc& d) { return d.LeaveElement(); });
            if (depth < e.depth) {
                apply([](CXmlDoc& d) { return d.EnterElement(); });
                ++depth;
            }
            apply([&](CXmlDoc& d) { return d.InsertElement(e.name.constData(), e.data.constData()); });
            for (const auto& attribute : e.attributes)
                apply([&](CXmlDoc& d) {
                    return d.SetAttribute(d.GetCursorCurrent(), attribute.first.constData(),
                                          attribute.second.constData());
                });
        }
    }

    // Then edits that the input's bytes pick.
    void edit(const uint8_t* data, size_t size)
    {
        static const int flags[] = {0, CXmlDoc::kNoLineBreaks, CXmlDoc::kInsertBefore, CXmlDoc::kStartTagOnly,
                                    CXmlDoc::kAsCData, CXmlDoc::kSpaceBeforeSlash};
        for (size_t i = 0; i < std::min<size_t>(size, 400); ++i) {
            const int flag = flags[(data[i] / 8) % 6];
            const QByteArray value = data[i] & 0x80 ? QByteArray() : "v" + QByteArray::number(int(i));
            switch (data[i] % 8) {
            case 0:
            case 1:
                apply([&](CXmlDoc& d) { return d.InsertElement("e", value.constData(), flag); });
                break;
            case 2:
                apply([&](CXmlDoc& d) { return d.SetAttribute(d.GetCursorCurrent(), "n", int(i)); });
                break;
            case 3:
                apply([&](CXmlDoc& d) { return d.SetData(d.GetCursorCurrent(), value.constData(), flag); });
                break;
            case 4:
                apply([&](CXmlDoc& d) { return d.InsertNodeMarkup(0x20, "c", flag); });
                break;
            case 5:
                apply([&](CXmlDoc& d) { return d.InsertMarkup("<m a='1'><k/></m>", flag); });
                break;
            case 6:
                apply([](CXmlDoc& d) { return d.EnterElement(); });
                break;
            default:
                apply([](CXmlDoc& d) { return d.LeaveElement(); });
            }
        }
    }

private:
    CXmlDoc& m_file;
    CXmlDoc& m_memory;
};

void streamFile(const uint8_t* data, size_t size)
{
    static const std::string input = scratchFile("in");
    static const std::string memory = scratchFile("memory");
    static const std::string written = scratchFile("written");
    if (!writeFile(input, data, size))
        return;
    const int blockSize = size ? 1 + data[size - 1] % 64 : 1;
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

    CXmlDoc writing;
    if (!writing.Open(written.c_str(), CXmlDoc::kWriteFileMode, blockSize))
        return;
    CXmlDoc saved;
    Editor editor(writing, saved);
    editor.rebuild(read);
    editor.edit(data, size);
    writing.Close();
    saved.SaveFile(memory.c_str());
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
