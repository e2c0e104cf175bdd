// Feeds any bytes to the layout file reader and lays out and draws what it takes, as barcode
// labels and as spine labels, at the preview's scale and a 600-dpi printer's: no value a file
// holds (a NaN, a length past any page, an odd font) may reach a conversion that overflows.
#include "printing/BarcodeLabelPages.h"
#include "printing/LayoutRecord.h"
#include "printing/SpineLabelPages.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>

// The system's font library keeps what it looked up for each size and weight asked for, by
// design; it is not this program's to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::optional<LayoutRecord> layout = LayoutRecord::FromBytes(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!layout)
        return 0;
    if (layout->Rows() < 1 || layout->Columns() < 1)
        abort();
    for (int slot = 0; slot < 5; ++slot)
        layout->Text(slot);
    // The face name is read, but drawn in one face: the system's font library keeps every
    // face it was asked for, which a stream of made-up names would grow without end.
    LogFont font = layout->Font();
    font.FaceName();
    font.face = LogFont::defaultFace();
    layout->SetFont(font);
    static const std::vector<BookItem> books = {
        {"B0001", "I247.5", "文学", "1", "红楼梦", "A架", "2017-04-11"},
        {"B0002", "TP311", "计算机", "2", "中国古代小说选读", "B架", "2017-04-12"}};
    BarcodeLabelPages labels(*layout);
    labels.SetCodes({QStringLiteral("B0001"), QString(), QStringLiteral("QX0000001")});
    SpineLabelPages spine(books);
    if (layout->PageSizeProblem().isEmpty())
        spine.SetLayout(*layout);
    // A corner of the page is enough: every cell is still placed and every label drawn.
    QImage image(96, 96, QImage::Format_RGB32);
    QPainter painter(&image);
    for (double scale : {1.0, 5.0}) {
        labels.DrawPage(painter, 1, scale, scale);
        spine.DrawPage(painter, 1, scale, scale);
    }
    return 0;
}
