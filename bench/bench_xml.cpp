// Parsing a large document with CXmlDoc against pugixml's load_buffer of the same bytes:
// throughput, and the memory each holds once the parse is done (glibc's mallinfo2).
#include "xml/XmlDoc.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <pugixml.hpp>

#include <chrono>
#include <random>
#include <string>

namespace {
constexpr size_t kDocumentBytes = 50u << 20;

// Catalogue-like records with nesting, attributes, references, CDATA, comments and Chinese.
std::string makeDocument()
{
    static const char* titles[] = {"红楼梦", "西游记 &amp; 水浒传", "Data &lt;Structures&gt;", "三国演义",
                                   "&#20013;&#22269;历史", "The C++ Programming Language"};
    static const char* authors[] = {"曹雪芹", "吴承恩", "N. Wirth", "罗贯中", "Bjarne Stroustrup"};
    std::mt19937 random(2017);
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- generated catalogue -->\n<catalogue>\n";
    for (int i = 0; doc.size() < kDocumentBytes; ++i) {
        const std::string id = std::to_string(i);
        doc += "  <book id=\"" + id + "\" isbn=\"978711" + std::to_string(100000 + random() % 900000)
               + "\" lang='zh'>\n";
        doc += "    <title>" + std::string(titles[random() % 6]) + "</title>\n";
        doc += "    <authors><author role=\"main\">" + std::string(authors[random() % 5])
               + "</author><author role=\"translator\"/></authors>\n";
        doc += "    <publisher city=\"北京\">人民文学出版社</publisher><pages>" + std::to_string(100 + random() % 900)
               + "</pages>\n";
        doc += "    <price currency=\"CNY\">" + std::to_string(10 + random() % 90) + ".00元</price>\n";
        if (i % 3 == 0)
            doc += "    <summary><![CDATA[<p>一部关于" + id + "的书 & more</p>]]></summary>\n";
        if (i % 5 == 0)
            doc += "    <!-- copy " + id + " checked -->\n";
        doc += "  </book>\n";
    }
    return doc + "</catalogue>\n";
}

const std::string& document()
{
    static const std::string doc = makeDocument();
    return doc;
}

size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void XmlDocSetDocChars(benchmark::State& state)
{
    const std::string& doc = document();
    for (auto _ : state) {
        CXmlDoc xml;
        benchmark::DoNotOptimize(xml.SetDocChars(doc.c_str()));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(doc.size()));
}

void PugixmlLoadBuffer(benchmark::State& state)
{
    const std::string& doc = document();
    for (auto _ : state) {
        pugi::xml_document xml;
        benchmark::DoNotOptimize(xml.load_buffer(doc.data(), doc.size()));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(doc.size()));
}

struct Measure {
    double seconds = 1e9;
    size_t heldBytes = 0;
};

// One parse: its time (the best so far is kept) and what the parsed document holds on the heap.
template <typename Parse> void measure(Measure& best, Parse parse)
{
    const size_t before = heapInUse();
    const auto start = std::chrono::steady_clock::now();
    auto held = parse();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best.seconds = std::min(best.seconds, took.count());
    best.heldBytes = heapInUse() - before;
    benchmark::DoNotOptimize(held);
}

// Both parsers in one run: speed_ratio is CXmlDoc's throughput over pugixml's (target at
// least 0.5), memory_ratio the heap CXmlDoc holds over what pugixml holds (target at most 1).
void XmlDocAgainstPugixml(benchmark::State& state)
{
    const std::string& doc = document();
    Measure ours;
    Measure theirs;
    for (auto _ : state) {
        // Turn about, so that a busy moment of the machine does not fall on one side only.
        for (int round = 0; round < 5; ++round) {
            measure(ours, [&] {
                auto xml = std::make_unique<CXmlDoc>();
                xml->SetDocChars(doc.c_str());
                return xml;
            });
            measure(theirs, [&] {
                auto xml = std::make_unique<pugi::xml_document>();
                xml->load_buffer(doc.data(), doc.size());
                return xml;
            });
        }
    }
    const double megabytes = double(doc.size()) / (1 << 20);
    state.counters["xmldoc_MBps"] = megabytes / ours.seconds;
    state.counters["pugixml_MBps"] = megabytes / theirs.seconds;
    state.counters["speed_ratio"] = theirs.seconds / ours.seconds;
    state.counters["xmldoc_heap_MB"] = double(ours.heldBytes) / (1 << 20);
    state.counters["pugixml_heap_MB"] = double(theirs.heldBytes) / (1 << 20);
    state.counters["memory_ratio"] = double(ours.heldBytes) / double(theirs.heldBytes);
}
}

BENCHMARK(XmlDocSetDocChars)->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlLoadBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(XmlDocAgainstPugixml)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
