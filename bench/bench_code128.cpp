// Code 128 set B encoding (text to bar and space widths) by CCode128 beside libzint's
// ZBarcode_Encode on the same texts: 10-digit numbers, as book and reader numbers are, and
// printable texts of 1 to 30 characters. The ratio of the two rates is the figure to watch.
#include "printing/Code128.h"

#include <QStringList>
#include <benchmark/benchmark.h>
#include <zint.h>

#include <random>
#include <string>
#include <vector>

namespace {
constexpr int kTexts = 1000;

struct Texts {
    QStringList forEncoder;
    std::vector<std::string> forZint;

    void add(const std::string& text)
    {
        forEncoder << QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        forZint.push_back(text);
    }
};

// kTexts random texts of characters from `first` to `last`, the i-th `length(i)` long.
Texts randomTexts(unsigned seed, char first, char last, int (*length)(int))
{
    Texts t;
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> character(first, last);
    for (int i = 0; i < kTexts; ++i) {
        std::string text;
        for (int k = 0; k < length(i); ++k)
            text += static_cast<char>(character(random));
        t.add(text);
    }
    return t;
}

const Texts& numbers()
{
    static const Texts texts = randomTexts(11, '0', '9', [](int) { return 10; });
    return texts;
}

const Texts& printable()
{
    static const Texts texts = randomTexts(17, 33, 126, [](int i) { return i % 30 + 1; });
    return texts;
}

void Encode(benchmark::State& state, const Texts& texts)
{
    for (auto _ : state) {
        for (const QString& text : texts.forEncoder) {
            const QByteArray modules = CCode128::EncodeSetB(text).Modules();
            benchmark::DoNotOptimize(modules.constData());
        }
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
}

void Zint(benchmark::State& state, const Texts& texts)
{
    zint_symbol* symbol = ZBarcode_Create();
    for (auto _ : state) {
        for (const std::string& text : texts.forZint) {
            ZBarcode_Clear(symbol);
            symbol->symbology = BARCODE_CODE128B;
            const int error = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(text.data()),
                                              static_cast<int>(text.size()));
            benchmark::DoNotOptimize(error);
            benchmark::DoNotOptimize(symbol->width);
        }
    }
    ZBarcode_Delete(symbol);
    state.SetItemsProcessed(state.iterations() * kTexts);
}

void Code128Numbers(benchmark::State& state) { Encode(state, numbers()); }
void ZintNumbers(benchmark::State& state) { Zint(state, numbers()); }
void Code128Texts(benchmark::State& state) { Encode(state, printable()); }
void ZintTexts(benchmark::State& state) { Zint(state, printable()); }
}

BENCHMARK(Code128Numbers);
BENCHMARK(ZintNumbers);
BENCHMARK(Code128Texts);
BENCHMARK(ZintTexts);
BENCHMARK_MAIN();
