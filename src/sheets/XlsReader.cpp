#include "sheets/XlsReader.h"

#include "sheets/BiffRecords.h"
#include "sheets/CompoundFileReader.h"
#include "sheets/DateFormats.h"
#include "sheets/ReadBudget.h"
#include "sheets/SpreadsheetFormat.h"

#include <QFile>
#include <QHash>
#include <QtEndian>

#include <cstring>
#include <optional>

namespace {
enum Record : quint16 {
    kFormula = 0x0006,
    kEof = 0x000A,
    kDateMode = 0x0022,
    kFilePass = 0x002F,
    kContinue = 0x003C,
    kCodePage = 0x0042,
    kBoundSheet = 0x0085,
    kMulRk = 0x00BD,
    kRString = 0x00D6,
    kXf = 0x00E0,
    kSst = 0x00FC,
    kLabelSst = 0x00FD,
    kNumber = 0x0203,
    kLabel = 0x0204,
    kBoolErr = 0x0205,
    kString = 0x0207,
    kRk = 0x027E,
    kFormat = 0x041E,
    kBof = 0x0809,
};
constexpr quint16 kBiff8 = 0x0600;
constexpr quint8 kWorksheet = 0;
// A workbook file bigger than this is no workbook a school keeps.
constexpr qint64 kMaxFileBytes = qint64(1) << 30;

quint16 u16At(QByteArrayView data, qsizetype at) { return qFromLittleEndian<quint16>(data.data() + at); }
quint32 u32At(QByteArrayView data, qsizetype at) { return qFromLittleEndian<quint32>(data.data() + at); }

double f64At(QByteArrayView data, qsizetype at)
{
    const quint64 bits = qFromLittleEndian<quint64>(data.data() + at);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double rkValue(quint32 rk)
{
    double value;
    if (rk & 0x02) {
        value = double(qint32(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & 0x01) ? value / 100 : value;
}

QString errorText(quint8 code)
{
    switch (code) {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    default: return QStringLiteral("#N/A");
    }
}

QString booleanText(bool value) { return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

struct SheetEntry {
    QString name;
    quint32 offset;
};

// The workbook stream's globals (formats, shared strings, the sheets' places), then each
// sheet's cells. Formula cells give the result their program saved with them. Rows, cells,
// shared strings and texts are taken from the budget of the whole workbook.
class BiffWorkbook {
public:
    BiffWorkbook(const QByteArray& stream, ReadBudget& budget) : m_stream(stream), m_budget(budget) {}

    QString read(Workbook* workbook)
    {
        QString fault = readGlobals();
        if (!fault.isEmpty())
            return fault;
        workbook->clear();
        for (const SheetEntry& entry : m_sheets) {
            Sheet sheet;
            sheet.sheetName = entry.name;
            sheet.texts = m_texts;
            fault = m_budget.take(sizeof(Sheet)) ? readSheet(entry.offset, &sheet) : m_budget.exceededText();
            if (!fault.isEmpty())
                return QStringLiteral("xls文件的工作表“%1”不能读取：%2").arg(entry.name, fault);
            sheet.dropTrailingEmptyRows();
            workbook->push_back(std::move(sheet));
        }
        return {};
    }

private:
    static QString damaged() { return QStringLiteral("文件不是可读的xls表格文件（已损坏）"); }

    QString readGlobals()
    {
        BiffRecords records(m_stream);
        if (!records.next() || records.type() != kBof || records.data().size() < 4)
            return damaged();
        m_biff8 = u16At(records.data(), 0) == kBiff8;
        while (records.next() && records.type() != kEof) {
            const QByteArrayView data = records.data();
            switch (records.type()) {
            case kFilePass:
                return QStringLiteral("表格文件设有密码，不能读取");
            case kCodePage:
                if (data.size() >= 2)
                    m_codePage = codePageName(u16At(data, 0));
                break;
            case kDateMode:
                m_dateShift = data.size() >= 2 && u16At(data, 0) == 1 ? kDays1904 : 0;
                break;
            case kFormat:
                readFormat(data);
                break;
            case kXf:
                if (!m_budget.grow(m_xfFormats, m_xfFormats.size() + 1))
                    return QStringLiteral("xls文件的格式不能读取：") + m_budget.exceededText();
                m_xfFormats.back() = data.size() >= 4 ? u16At(data, 2) : 0;
                break;
            case kBoundSheet:
                if (!readBoundSheet(data))
                    return QStringLiteral("xls文件的工作表目录不能读取：") + m_budget.exceededText();
                break;
            case kSst:
                if (!readSharedStrings(records))
                    return m_budget.exceeded() ? QStringLiteral("xls文件的共享文字不能读取：") + m_budget.exceededText()
                                               : QStringLiteral("xls文件的共享文字已损坏");
                break;
            default:
                break;
            }
        }
        return records.overran() ? damaged() : QString();
    }

    static QByteArray codePageName(quint16 page)
    {
        switch (page) {
        case 367: return "ASCII";
        case 1200: return "UTF-16LE";
        case 10000: case 0x8000: return "MACINTOSH";
        default: return "CP" + QByteArray::number(page);
        }
    }

    bool string(ContinuedData& data, int countBytes, QString* text) const
    {
        return m_biff8 ? data.unicodeString(countBytes, text) : data.byteString(countBytes, m_codePage, text);
    }

    void readFormat(QByteArrayView data)
    {
        if (data.size() < 3)
            return;
        ContinuedData rest(data.sliced(2));
        QString code;
        if (string(rest, m_biff8 ? 2 : 1, &code))
            m_formats.insert(u16At(data, 0), dateFormatParts(code));
    }

    // False only when the budget is spent; other kinds of sheet and damaged names are left out.
    bool readBoundSheet(QByteArrayView data)
    {
        if (data.size() < 7 || quint8(data[5]) != kWorksheet)
            return true;
        ContinuedData rest(data.sliced(6));
        QString name;
        if (!string(rest, 1, &name))
            return true;
        if (!m_budget.grow(m_sheets, m_sheets.size() + 1) || !m_budget.takeText(name.size()))
            return false;
        m_sheets.back() = {name, u32At(data, 0)};
        return true;
    }

    bool readSharedStrings(BiffRecords& records)
    {
        ContinuedData data(records.data(), &m_budget);
        while (records.peekType() == kContinue && records.next())
            if (!data.add(records.data()))
                return false;
        quint32 total = 0;
        quint32 unique = 0;
        if (!data.u32(&total) || !data.u32(&unique))
            return false;
        QString text;
        for (quint32 i = 0; i < unique; ++i) {
            if (!data.unicodeString(2, &text))
                return false;
            const QByteArray utf8 = text.toUtf8();
            if (!m_budget.grow(m_strings, m_strings.size() + 1) || !m_budget.take(quint64(utf8.size()) + 1))
                return false;
            m_strings.back() = SheetCell::fromPooledUtf8(m_texts->add(utf8.constData(), size_t(utf8.size())), quint32(utf8.size()));
        }
        return true;
    }

    DateParts datePartsOf(quint16 xf) const
    {
        if (xf >= m_xfFormats.size())
            return DateParts::None;
        const quint16 format = m_xfFormats[xf];
        return m_formats.contains(format) ? m_formats.value(format) : builtInDateParts(format);
    }

    SheetCell numberCell(double value, quint16 xf) const
    {
        const DateParts shows = datePartsOf(xf);
        if (shows == DateParts::None)
            return SheetCell::fromNumber(value);
        return SheetCell::fromSerialDate(serialIn1900System(value, m_dateShift, shows), shows);
    }

    struct Place {
        quint16 row = 0;
        quint16 column = 0;
    };

    QString readSheet(quint32 offset, Sheet* sheet)
    {
        if (offset >= quint32(m_stream.size()))
            return QStringLiteral("找不到工作表的数据");
        BiffRecords records(m_stream, qsizetype(offset));
        if (!records.next() || records.type() != kBof)
            return QStringLiteral("找不到工作表的数据");
        int depth = 1;  // charts and other objects inside the sheet bring their own BOF and EOF
        std::optional<Place> pendingText;
        while (depth > 0 && records.next()) {
            const quint16 type = records.type();
            if (type == kBof || type == kEof) {
                depth += type == kBof ? 1 : -1;
                continue;
            }
            if (depth > 1)
                continue;
            QString fault;
            if (type == kString && pendingText) {
                ContinuedData data(records.data(), &m_budget);
                bool listed = true;
                while (listed && records.peekType() == kContinue && records.next())
                    listed = data.add(records.data());
                QString text;
                if (!listed)
                    fault = m_budget.exceededText();
                else if (string(data, 2, &text))
                    fault = place(sheet, *pendingText, SheetCell::fromText(text));
                pendingText.reset();
            } else {
                fault = readCell(type, records.data(), sheet, &pendingText);
            }
            if (!fault.isEmpty())
                return fault;
        }
        return records.overran() ? QStringLiteral("记录的长度超出了文件中数据的末尾（文件已损坏）") : QString();
    }

    // Each gives the fault that stops the sheet, or the empty text.
    QString readCell(quint16 type, QByteArrayView data, Sheet* sheet, std::optional<Place>* pendingText)
    {
        if (data.size() < 6)
            return {};
        const Place at{u16At(data, 0), u16At(data, 2)};
        const quint16 xf = u16At(data, 4);
        switch (type) {
        case kLabelSst:
            if (data.size() >= 10 && u32At(data, 6) < m_strings.size())
                return place(sheet, at, m_strings[u32At(data, 6)]);
            break;
        case kLabel:
        case kRString: {
            ContinuedData rest(data.sliced(6));
            QString text;
            if (string(rest, 2, &text))
                return place(sheet, at, SheetCell::fromText(text));
            break;
        }
        case kNumber:
            if (data.size() >= 14)
                return place(sheet, at, numberCell(f64At(data, 6), xf));
            break;
        case kRk:
            if (data.size() >= 10)
                return place(sheet, at, numberCell(rkValue(u32At(data, 6)), xf));
            break;
        case kMulRk:
            return placeMulRk(data, sheet);
        case kBoolErr:
            if (data.size() >= 8)
                return place(sheet, at, SheetCell::fromText(data[7] ? errorText(quint8(data[6])) : booleanText(data[6])));
            break;
        case kFormula:
            if (data.size() >= 14)
                return placeFormula(at, xf, data.sliced(6, 8), sheet, pendingText);
            break;
        default:
            break;
        }
        return {};
    }

    QString placeMulRk(QByteArrayView data, Sheet* sheet)
    {
        const quint16 row = u16At(data, 0);
        const quint16 first = u16At(data, 2);
        for (qsizetype at = 4, column = first; at + 6 <= data.size() - 2; at += 6, ++column) {
            const QString fault = column > 0xFFFF ? tooWide()
                                                  : place(sheet, {row, quint16(column)},
                                                          numberCell(rkValue(u32At(data, at + 2)), u16At(data, at)));
            if (!fault.isEmpty())
                return fault;
        }
        return {};
    }

    // The saved result: a number, or by its first byte a text (in the STRING record that
    // follows), a boolean, an error or the empty text.
    QString placeFormula(Place at, quint16 xf, QByteArrayView result, Sheet* sheet, std::optional<Place>* pendingText)
    {
        if (u16At(result, 6) != 0xFFFF)
            return place(sheet, at, numberCell(f64At(result, 0), xf));
        switch (quint8(result[0])) {
        case 0:
            *pendingText = at;
            break;
        case 1:
            return place(sheet, at, SheetCell::fromText(booleanText(result[2])));
        case 2:
            return place(sheet, at, SheetCell::fromText(errorText(quint8(result[2]))));
        default:
            break;
        }
        return {};
    }

    static QString tooWide() { return QStringLiteral("单元格超出表格的%1列").arg(kXlsMaxColumns); }

    // A text of the cell's own (not a shared one) is counted with its slots.
    QString place(Sheet* sheet, Place at, SheetCell cell)
    {
        if (at.column >= kXlsMaxColumns)
            return tooWide();
        if (cell.isEmpty())
            return {};
        if (!m_budget.grow(sheet->rows, size_t(at.row) + 1) || !m_budget.grow(sheet->rows[at.row], size_t(at.column) + 1) ||
            !m_budget.takeText(cell.isPooled() ? 0 : cell.text.size()))
            return m_budget.exceededText();
        sheet->rows[at.row][at.column] = std::move(cell);
        return {};
    }

    const QByteArray& m_stream;
    ReadBudget& m_budget;
    bool m_biff8 = true;
    QByteArray m_codePage = "CP1252";
    double m_dateShift = 0;
    std::vector<quint16> m_xfFormats;
    QHash<quint16, DateParts> m_formats;
    // Shared strings stay UTF-8 in one pool that every sheet of the workbook holds.
    std::shared_ptr<TextPool> m_texts = std::make_shared<TextPool>();
    std::vector<SheetCell> m_strings;
    std::vector<SheetEntry> m_sheets;
};
}

bool readXls(const QString& path, Workbook* workbook, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("文件不存在或不能打开");
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        *error = QStringLiteral("文件超过%1 MB，不是可读的xls表格文件").arg(kMaxFileBytes >> 20);
        return false;
    }
    ReadBudget budget(file.size());
    if (!budget.take(quint64(file.size()))) {
        *error = budget.exceededText();
        return false;
    }
    const QByteArray bytes = file.readAll();
    QByteArray stream;
    QString bookError;
    if (!readCompoundStream(bytes, u"Workbook", budget, &stream, error) &&
        (budget.exceeded() || !readCompoundStream(bytes, u"Book", budget, &stream, &bookError)))
        return false;
    *error = BiffWorkbook(stream, budget).read(workbook);
    if (error->isEmpty())
        return true;
    workbook->clear();
    return false;
}
