#include "sheets/XlsWriter.h"

#include "sheets/ByteWriter.h"
#include "sheets/CompoundFile.h"
#include "sheets/SpreadsheetFormat.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace {
// Record types.
constexpr quint16 kBof = 0x0809;
constexpr quint16 kEof = 0x000A;
constexpr quint16 kCodePage = 0x0042;
constexpr quint16 kWindow1 = 0x003D;
constexpr quint16 kDateMode = 0x0022;
constexpr quint16 kFont = 0x0031;
constexpr quint16 kFormat = 0x041E;
constexpr quint16 kXf = 0x00E0;
constexpr quint16 kStyle = 0x0293;
constexpr quint16 kBoundSheet = 0x0085;
constexpr quint16 kSst = 0x00FC;
constexpr quint16 kContinue = 0x003C;
constexpr quint16 kExtSst = 0x00FF;
constexpr quint16 kDimensions = 0x0200;
constexpr quint16 kWindow2 = 0x023E;
constexpr quint16 kLabelSst = 0x00FD;
constexpr quint16 kNumber = 0x0203;

constexpr qsizetype kMaxRecordData = 8224;
// Cell formats: 15 style formats come first, then the default cell format and one for each
// written date format, whose number formats take the first ids left to a workbook's own.
constexpr quint16 kCellXf = 15;
constexpr quint16 kFirstDateXf = 16;
constexpr quint16 kFirstDateFormat = 164;
constexpr quint16 kUtf16CodePage = 1200;

bool fitsOneByte(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x100; });
}

// Characters as BIFF8 stores them: one byte each when every one fits, else UTF-16.
void putChars(ByteWriter& w, const QChar* chars, qsizetype count, bool wide)
{
    for (qsizetype i = 0; i < count; ++i) {
        if (wide)
            w.u16(chars[i].unicode());
        else
            w.u8(quint8(chars[i].unicode()));
    }
}

void record(ByteWriter& w, quint16 type, const QByteArray& data)
{
    w.u16(type);
    w.u16(quint16(data.size()));
    w.bytes(data);
}

// A text with a 16-bit length (XLUnicodeString) or an 8-bit one (ShortXLUnicodeString).
QByteArray unicodeString(const QString& text, bool shortLength)
{
    ByteWriter w;
    const bool wide = !fitsOneByte(text);
    if (shortLength)
        w.u8(quint8(text.size()));
    else
        w.u16(quint16(text.size()));
    w.u8(wide ? 1 : 0);
    putChars(w, text.constData(), text.size(), wide);
    return w.take();
}

// The shared string table, built while the cells are written: SST and CONTINUE records
// of at most 8224 data bytes, a string header never split, characters split only
// between characters, each continued part starting with its width flag.
class SharedStrings {
public:
    SharedStrings()
    {
        openRecord(kSst);
        m_records.zeros(8);  // total and unique counts, patched when done
    }

    quint32 indexOf(const QString& text)
    {
        ++m_total;
        auto found = m_index.constFind(text);
        if (found != m_index.constEnd())
            return found.value();
        const quint32 index = quint32(m_index.size());
        m_index.insert(text, index);
        append(text, index);
        return index;
    }

    // The SST block and the EXTSST record; `blockStart` is where the block begins in
    // the workbook stream, which the EXTSST entries point into.
    QByteArray finish(qsizetype blockStart, QByteArray* extSst)
    {
        closeRecord();
        m_records.patch32(4, m_total);
        m_records.patch32(8, quint32(m_index.size()));
        *extSst = extSstRecord(blockStart);
        return m_records.take();
    }

private:
    // Where every eighth string begins: the bucket size of EXTSST is a multiple of 8.
    struct Start {
        quint32 inBlock;
        quint16 inRecord;
    };

    void openRecord(quint16 type)
    {
        m_recordStart = m_records.size();
        m_records.u16(type);
        m_records.u16(0);
    }

    void closeRecord() { m_records.patch16(m_recordStart + 2, quint16(used())); }
    qsizetype used() const { return m_records.size() - m_recordStart - 4; }
    qsizetype room() const { return kMaxRecordData - used(); }

    void append(const QString& text, quint32 index)
    {
        const bool wide = !fitsOneByte(text);
        const qsizetype width = wide ? 2 : 1;
        if (room() < 3 + width) {
            closeRecord();
            openRecord(kContinue);
        }
        if (index % 8 == 0)
            m_starts.push_back({quint32(m_records.size()), quint16(m_records.size() - m_recordStart)});
        m_records.u16(quint16(text.size()));
        m_records.u8(wide ? 1 : 0);
        const QChar* chars = text.constData();
        qsizetype left = text.size();
        for (;;) {
            const qsizetype now = std::min(left, room() / width);
            putChars(m_records, chars, now, wide);
            chars += now;
            left -= now;
            if (left == 0)
                return;
            closeRecord();
            openRecord(kContinue);
            m_records.u8(wide ? 1 : 0);
        }
    }

    QByteArray extSstRecord(qsizetype blockStart) const
    {
        const quint32 unique = quint32(m_index.size());
        const quint32 perBucket = std::max<quint32>(8, (unique / 128 + 8) / 8 * 8);
        ByteWriter data;
        data.u16(quint16(perBucket));
        for (quint32 first = 0; first < unique; first += perBucket) {
            const Start& start = m_starts[first / 8];
            data.u32(quint32(blockStart) + start.inBlock);
            data.u16(start.inRecord);
            data.u16(0);
        }
        ByteWriter w;
        record(w, kExtSst, data.data());
        return w.take();
    }

    ByteWriter m_records;
    qsizetype m_recordStart = 0;
    QHash<QString, quint32> m_index;
    quint32 m_total = 0;
    std::vector<Start> m_starts;
};

QByteArray word(quint16 value)
{
    ByteWriter d;
    d.u16(value);
    return d.take();
}

QByteArray bof(quint16 kind)
{
    ByteWriter d;
    d.u16(0x0600);  // BIFF8
    d.u16(kind);
    d.u16(0x0DBB);  // build
    d.u16(0x07CC);  // year
    d.u32(0);
    d.u32(0x06);    // lowest version that can read the file
    return d.take();
}

QByteArray font()
{
    ByteWriter d;
    d.u16(220);     // 11 points, in twentieths
    d.u16(0);
    d.u16(0x7FFF);  // window text colour
    d.u16(400);     // normal weight
    d.u16(0);
    d.u8(0);
    d.u8(0);
    d.u8(134);      // GB2312 character set
    d.u8(0);
    d.bytes(unicodeString(QStringLiteral("宋体"), true));
    return d.take();
}

QByteArray format(quint16 id, const QString& code)
{
    ByteWriter d;
    d.u16(id);
    d.bytes(unicodeString(code, false));
    return d.take();
}

QByteArray xf(quint16 numberFormat, quint16 typeAndParent, quint8 usedAttributes)
{
    ByteWriter d;
    d.u16(0);               // font
    d.u16(numberFormat);
    d.u16(typeAndParent);
    d.u8(0x20);             // aligned to the bottom
    d.u8(0);
    d.u8(0);
    d.u8(usedAttributes);
    d.zeros(8);             // no borders
    d.u16(0x20C0);          // default pattern colours
    return d.take();
}

QByteArray window1()
{
    ByteWriter d;
    for (quint16 v : {0, 0, 0x25BC, 0x1572, 0x0038, 0, 0, 1, 0x0258})
        d.u16(v);
    return d.take();
}

QByteArray window2(bool first)
{
    ByteWriter d;
    d.u16(first ? 0x06B6 : 0x00B6);  // grid lines, headings, zeros; the first sheet selected
    d.u16(0);
    d.u16(0);
    d.u32(64);
    d.u16(0);
    d.u16(0);
    d.u32(0);
    return d.take();
}

QByteArray dimensions(int rows, int columns)
{
    ByteWriter d;
    d.u32(0);
    d.u32(quint32(rows));
    d.u16(0);
    d.u16(quint16(columns));
    d.u16(0);
    return d.take();
}

class BiffBuilder {
public:
    bool addSheet(const SheetSource& sheet, QString* error)
    {
        ByteWriter w;
        const int rows = sheet.rowCount();
        const int columns = sheet.columnCount();
        w.reserve(qsizetype(rows) * columns * 14 + 256);
        record(w, kBof, bof(0x0010));
        record(w, kDimensions, dimensions(rows, columns));
        record(w, kWindow2, window2(m_sheets.empty()));
        CellRow cells;
        for (int r = 0; r < rows; ++r) {
            sheet.row(r, cells);
            for (size_t c = 0; c < cells.size(); ++c) {
                if (!addCell(w, quint16(r), quint16(c), cells[c])) {
                    *error = cellTooLongText(r + 1, int(c) + 1);
                    return false;
                }
            }
        }
        record(w, kEof, {});
        m_sheets.push_back(w.take());
        m_names.push_back(sheet.name());
        return true;
    }

    QByteArray stream()
    {
        ByteWriter globals;
        record(globals, kBof, bof(0x0005));
        record(globals, kCodePage, word(kUtf16CodePage));
        record(globals, kWindow1, window1());
        record(globals, kDateMode, word(0));  // the 1900 date system
        for (int i = 0; i < 4; ++i)
            record(globals, kFont, font());
        quint16 id = kFirstDateFormat;
        for (const char* code : kWrittenDateFormats)
            record(globals, kFormat, format(id++, QString::fromLatin1(code)));
        for (int i = 0; i < 15; ++i)
            record(globals, kXf, xf(0, 0xFFF5, 0));
        record(globals, kXf, xf(0, 0x0001, 0));
        for (id = kFirstDateFormat; id < kFirstDateFormat + std::size(kWrittenDateFormats); ++id)
            record(globals, kXf, xf(id, 0x0001, 0x04));
        record(globals, kStyle, QByteArray("\x00\x80\x00\xFF", 4));  // built-in "Normal" on format 0

        std::vector<qsizetype> offsetAt;
        for (const QString& name : m_names) {
            ByteWriter d;
            offsetAt.push_back(globals.size() + 4);
            d.u32(0);  // where the sheet begins, patched below
            d.u16(0);  // visible worksheet
            d.bytes(unicodeString(name, true));
            record(globals, kBoundSheet, d.data());
        }
        QByteArray extSst;
        globals.bytes(m_strings.finish(globals.size(), &extSst));
        globals.bytes(extSst);
        record(globals, kEof, {});

        qsizetype at = globals.size();
        for (size_t i = 0; i < m_sheets.size(); ++i) {
            globals.patch32(offsetAt[i], quint32(at));
            at += m_sheets[i].size();
        }
        QByteArray all = globals.take();
        for (QByteArray& sheet : m_sheets)
            all.append(std::exchange(sheet, {}));
        return all;
    }

private:
    bool addCell(ByteWriter& w, quint16 row, quint16 column, const SheetCell& cell)
    {
        switch (cell.kind) {
        case SheetCell::Kind::Empty:
            return true;
        case SheetCell::Kind::Text: {
            if (cellTextTooLong(cell))
                return false;
            const QString text = cell.displayText();
            w.u16(kLabelSst);
            w.u16(10);
            w.u16(row);
            w.u16(column);
            w.u16(kCellXf);
            w.u32(m_strings.indexOf(text));
            return true;
        }
        case SheetCell::Kind::Number:
        case SheetCell::Kind::Date:
            w.u16(kNumber);
            w.u16(14);
            w.u16(row);
            w.u16(column);
            w.u16(xfOf(cell));
            w.f64(cell.number);
            return true;
        }
        return true;
    }

    static quint16 xfOf(const SheetCell& cell)
    {
        if (cell.kind != SheetCell::Kind::Date)
            return kCellXf;
        return quint16(kFirstDateXf + writtenDateFormatIndex(cell.shownParts()));
    }

    SharedStrings m_strings;
    std::vector<QByteArray> m_sheets;
    std::vector<QString> m_names;
};
}

bool writeXls(const QString& path, const SheetList& sheets, QString* error)
{
    BiffBuilder builder;
    for (const SheetSource* sheet : sheets) {
        if (!builder.addSheet(*sheet, error))
            return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        !writeCompoundFile(file, QByteArrayLiteral("Workbook"), builder.stream()) || !file.flush()) {
        *error = file.errorString();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}
