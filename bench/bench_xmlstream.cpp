// The XML document's streaming file modes on a 200 MB catalogue: written out element by
// element in write-file mode, then read through in read-file mode visiting every element,
// beside QXmlStreamReader reading the same file (the floor). Memory is what matters: the
// counters give the most text the document buffered and how far the process's peak resident
// size rose while it read (VmHWM, reset before the read), against the file's size.
#include "SideBySide.h"
#include "xml/XmlDoc.h"

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {
constexpr qint64 kFileBytes = 200ll << 20;

struct Catalogue {
    QTemporaryDir dir;
    QByteArray path;
    qint64 bytes = 0;
    long elements = 0;
};

// Book records with attributes, references, CDATA and Chinese text, written as they are
// made so that making them costs no memory.
const Catalogue& catalogue()
{
    static Catalogue made = [] {
        Catalogue c;
        c.path = QFile::encodeName(c.dir.filePath(QStringLiteral("catalogue.xml")));
        FILE* file = std::fopen(c.path.constData(), "wb");
        std::string chunk = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalogue>\n";
        c.elements = 1;
        for (long i = 0; c.bytes < kFileBytes; ++i) {
            const std::string id = std::to_string(i);
            chunk += "  <book id=\"" + id + "\" isbn=\"978711" + std::to_string(100000 + i % 900000) + "\">\n"
                     "    <title>红楼梦 &amp; 西游记 " + id + "</title>\n"
                     "    <authors><author role=\"main\">曹雪芹</author><author role=\"translator\"/></authors>\n"
                     "    <publisher city=\"北京\">人民文学出版社</publisher><pages>" + std::to_string(100 + i % 900)
                     + "</pages>\n";
            c.elements += 7;
            if (i % 3 == 0) {
                chunk += "    <summary><![CDATA[<p>一部关于" + id + "的书 & more</p>]]></summary>\n";
                ++c.elements;
            }
            chunk += "  </book>\n";
            if (chunk.size() > (1 << 20)) {
                c.bytes += qint64(std::fwrite(chunk.data(), 1, chunk.size(), file));
                chunk.clear();
            }
        }
        chunk += "</catalogue>\n";
        c.bytes += qint64(std::fwrite(chunk.data(), 1, chunk.size(), file));
        std::fclose(file);
        return c;
    }();
    return made;
}

long statusKiB(const char* field)
{
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    char line[256];
    long value = 0;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, field, length) == 0)
            value = std::strtol(line + length, nullptr, 10);
    std::fclose(status);
    return value;
}

// Starts the peak resident size afresh from the present one.
void resetPeak()
{
    if (FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
}

// Every element: its name, an attribute and its text, depth first.
long visitAll(CXmlDoc& doc)
{
    long visited = 0;
    for (;;) {
        if (doc.FindElement()) {
            ++visited;
            benchmark::DoNotOptimize(doc.GetElementName(doc.GetCursorCurrent()));
            benchmark::DoNotOptimize(doc.GetAttribute("id"));
            benchmark::DoNotOptimize(doc.GetData());
            doc.EnterElement();
        } else if (!doc.LeaveElement()) {
            return visited;
        }
    }
}

long readWithQt(const QByteArray& path)
{
    QFile file(QString::fromLocal8Bit(path));
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader reader(&file);
    long visited = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement) {
            ++visited;
            benchmark::DoNotOptimize(reader.attributes().value(QLatin1String("id")));
        } else if (reader.tokenType() == QXmlStreamReader::Characters) {
            benchmark::DoNotOptimize(reader.text());
        }
    }
    return visited;
}

void XmlStreamRead(benchmark::State& state)
{
    const Catalogue& c = catalogue();
    SideBySide sides;
    long visited = 0;
    long floorVisited = 0;
    qint64 buffered = 0;
    long rssRise = 0;
    for (auto _ : state) {
        const double seconds = sides.run(
            [&] {
                resetPeak();
                const long before = statusKiB("VmRSS:");
                CXmlDoc doc;
                doc.Open(c.path.constData(), CXmlDoc::kReadFileMode, int(state.range(0)));
                visited = visitAll(doc);
                buffered = doc.GetBufferedPeak();
                rssRise = std::max(rssRise, statusKiB("VmHWM:") - before);
                if (!doc.CheckWellFormed())
                    state.SkipWithError("not well formed");
            },
            [&] { floorVisited = readWithQt(c.path); });
        state.SetIterationTime(seconds);
    }
    sides.report(state);
    if (visited != c.elements || floorVisited != c.elements)
        state.SkipWithError("elements missed");
    state.counters["file_MB"] = double(c.bytes) / (1 << 20);
    state.counters["elements"] = double(visited);
    state.counters["buffered_peak_KiB"] = double(buffered) / 1024;
    state.counters["rss_rise_MiB"] = double(rssRise) / 1024;
    state.SetBytesProcessed(int64_t(state.iterations()) * c.bytes);
}

// The same catalogue made by the document in write-file mode, a book at a time.
void XmlStreamWrite(benchmark::State& state)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("written.xml")));
    qint64 buffered = 0;
    long rssRise = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        resetPeak();
        const long before = statusKiB("VmRSS:");
        CXmlDoc doc;
        doc.Open(path.constData(), CXmlDoc::kWriteFileMode, int(state.range(0)));
        doc.InsertNodeMarkup(0x10, "xml version=\"1.0\" encoding=\"UTF-8\"");
        doc.InsertElement("catalogue");
        doc.EnterElement();
        for (long i = 0; i < 400000; ++i) {
            doc.InsertElement("book");
            doc.SetAttribute(doc.GetCursorCurrent(), "id", int(i));
            doc.EnterElement();
            doc.InsertElement("title", "红楼梦 & 西游记");
            doc.InsertElement("author", "曹雪芹");
            doc.SetAttribute(doc.GetCursorCurrent(), "role", "main");
            doc.InsertElement("publisher", "人民文学出版社");
            doc.LeaveElement();
        }
        buffered = doc.GetBufferedPeak();
        doc.Close();
        rssRise = std::max(rssRise, statusKiB("VmHWM:") - before);
        bytes = QFile(QString::fromLocal8Bit(path)).size();
    }
    state.counters["file_MB"] = double(bytes) / (1 << 20);
    state.counters["buffered_peak_KiB"] = double(buffered) / 1024;
    state.counters["rss_rise_MiB"] = double(rssRise) / 1024;
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}
}

// The argument is the block size: the document's own, and others beside it.
BENCHMARK(XmlStreamRead)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(2)->Arg(CXmlDoc::kFileBlockSize);
BENCHMARK(XmlStreamRead)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(2)->Arg(4096)->Arg(65536);
BENCHMARK(XmlStreamWrite)->Unit(benchmark::kSecond)->Iterations(1)->Arg(CXmlDoc::kFileBlockSize)->Arg(4096)->Arg(65536);
BENCHMARK_MAIN();
