#include "sheets/XlsxReader.h"

#include "sheets/DateFormats.h"
#include "sheets/ReadBudget.h"
#include "sheets/SpreadsheetFormat.h"
#include "sheets/XlsxParts.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <vector>

namespace {
// What an entry of a hash takes besides its texts, roughly.
constexpr quint64 kHashEntry = 64;

// "_x000D_" and its kin stand for characters XML cannot carry.
QString unescaped(QString text)
{
    qsizetype at = text.indexOf(QLatin1String("_x"));
    while (at >= 0 && at + 7 <= text.size()) {
        bool ok = false;
        const uint code = QStringView(text).sliced(at + 2, 4).toUInt(&ok, 16);
        if (ok && text[at + 6] == QLatin1Char('_')) {
            text.replace(at, 7, QChar(char16_t(code)));
            at = text.indexOf(QLatin1String("_x"), at + 1);
        } else {
            at = text.indexOf(QLatin1String("_x"), at + 2);
        }
    }
    return text;
}

// Gathers the text of every <t> inside the current element (runs of a rich text),
// leaving out phonetic parts (<rPh>).
QString richText(XmlPart& part)
{
    const QXmlStreamReader& xml = part.xml();
    QString text;
    int phonetic = 0;
    const size_t depth = part.depth();
    while (!part.atEnd()) {
        const QXmlStreamReader::TokenType token = part.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += part.elementText();
        } else if (token == QXmlStreamReader::EndElement) {
            if (part.depth() < depth)
                break;
            if (xml.name() == u"rPh")
                --phonetic;
        }
    }
    return text.contains(QLatin1String("_x")) ? unescaped(text) : text;
}

// The id attribute of the relationships namespace (r:id), whatever its prefix.
QString relationId(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.name() == u"id" && !a.namespaceUri().isEmpty())
            return a.value().toString();
    }
    return {};
}

constexpr int kNoReference = -1;
constexpr int kBadReference = -2;

// The column of a reference such as "AB12" (0-based); kNoReference without one, and
// kBadReference past the last column a sheet has.
int columnOf(QStringView reference)
{
    if (reference.isEmpty())
        return kNoReference;
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i) {
        const char16_t letter = reference[i].toUpper().unicode();
        if (letter < u'A' || letter > u'Z' || column >= kXlsxMaxColumns)
            return kBadReference;
        column = column * 26 + (letter - u'A' + 1);
    }
    if (i == 0)
        return kNoReference;
    return column <= kXlsxMaxColumns ? column - 1 : kBadReference;
}

// Rows, cells, shared strings and what the XML reader holds of every part are taken from the
// budget of the whole workbook. The parts are read one after the other, each while it
// inflates.
class XlsxWorkbookReader {
public:
    explicit XlsxWorkbookReader(const QString& path) : m_budget(QFileInfo(path).size()), m_zip(path, m_budget) {}

    bool read(Workbook* workbook, QString* error)
    {
        if (!m_zip.isOpen())
            return fail(error, QStringLiteral("文件不是可读的xlsx表格文件"));
        const QString book = workbookPart();
        const QString folder = book.section(QLatin1Char('/'), 0, -2);
        const QHash<QString, QString> targets = relationships(relationshipsOf(book), folder);
        if (m_budget.exceeded())
            return fail(error, QStringLiteral("xlsx工作簿不能读取：") + m_budget.exceededText());
        std::vector<Entry> entries;
        QString fault = readWorkbook(book, targets, &entries);
        if (fault.isEmpty())
            fault = readSharedStrings(targets);
        if (fault.isEmpty())
            fault = readStyles(targets);
        if (!fault.isEmpty())
            return fail(error, fault);
        workbook->clear();
        for (const Entry& entry : entries) {
            Sheet sheet;
            sheet.sheetName = entry.name;
            fault = readSheetPart(entry.part, &sheet);
            if (!fault.isEmpty())
                return fail(error, QStringLiteral("xlsx文件的工作表“%1”不能读取：%2").arg(entry.name, fault));
            workbook->push_back(std::move(sheet));
        }
        return true;
    }

private:
    static bool fail(QString* error, const QString& text)
    {
        *error = text;
        return false;
    }

    QString partError(XmlPart::Outcome outcome, const QString& part) const
    {
        switch (outcome) {
        case XmlPart::Outcome::Read:
        case XmlPart::Outcome::BadXml:
            break;
        case XmlPart::Outcome::Missing:
            return QStringLiteral("文件中缺少%1").arg(part);
        case XmlPart::Outcome::TooBig:
            return QStringLiteral("%1展开后超过%2 MB").arg(part).arg(XmlPart::kMaxBytes >> 20);
        case XmlPart::Outcome::OverBudget:
            return QStringLiteral("%1展开后，").arg(part) + m_budget.exceededText();
        case XmlPart::Outcome::Damaged:
            return QStringLiteral("%1已损坏").arg(part);
        }
        return {};
    }

    // The fault of a part that need not be there, once read: none when it is missing,
    // `damaged` when it is no well-formed XML, else the reason after `unreadable`.
    QString optionalPartFault(XmlPart& part, const QString& name, const QString& unreadable, const QString& damaged) const
    {
        switch (const XmlPart::Outcome outcome = part.outcome()) {
        case XmlPart::Outcome::Read:
        case XmlPart::Outcome::Missing:
            return {};
        case XmlPart::Outcome::BadXml:
            return damaged;
        default:
            return unreadable + partError(outcome, name);
        }
    }

    static QString relationshipsOf(const QString& part)
    {
        const QString folder = part.section(QLatin1Char('/'), 0, -2);
        const QString file = part.section(QLatin1Char('/'), -1);
        return (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + QStringLiteral("_rels/") + file +
               QStringLiteral(".rels");
    }

    static QString resolve(const QString& target, const QString& folder)
    {
        if (target.startsWith(QLatin1Char('/')))
            return target.mid(1);
        return QDir::cleanPath(folder.isEmpty() ? target : folder + QLatin1Char('/') + target);
    }

    struct Entry {
        QString name;
        QString part;
    };

    // The sheets' names and parts, and the date system.
    QString readWorkbook(const QString& name, const QHash<QString, QString>& targets, std::vector<Entry>* entries)
    {
        XmlPart part(m_zip, name);
        const QXmlStreamReader& xml = part.xml();
        while (!part.atEnd()) {
            if (part.nextItem() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"workbookPr") {
                const QStringView flag = xml.attributes().value(QLatin1String("date1904"));
                m_dateShift = (flag == u"1" || flag == u"true") ? kDays1904 : 0;
            } else if (xml.name() == u"sheet") {
                const QXmlStreamAttributes a = xml.attributes();
                QString sheet = a.value(QLatin1String("name")).toString();
                if (!m_budget.grow(*entries, entries->size() + 1) || !m_budget.takeText(sheet.size()))
                    return QStringLiteral("xlsx工作簿不能读取：") + m_budget.exceededText();
                entries->back() = {std::move(sheet), targets.value(relationId(a))};
            }
        }
        switch (const XmlPart::Outcome outcome = part.outcome()) {
        case XmlPart::Outcome::Read:
            return {};
        case XmlPart::Outcome::Missing:
            return QStringLiteral("xlsx文件中没有工作簿");
        case XmlPart::Outcome::BadXml:
            return QStringLiteral("xlsx工作簿已损坏：%1").arg(part.xmlError());
        default:
            return partError(outcome, name);
        }
    }

    // Relationship id, and type by its last word ("styles", "sharedStrings"), to part. The
    // entries are taken from the budget; the reading stops when it is spent.
    QHash<QString, QString> relationships(const QString& name, const QString& folder)
    {
        QHash<QString, QString> targets;
        XmlPart part(m_zip, name);
        const QXmlStreamReader& xml = part.xml();
        while (!part.atEnd()) {
            if (part.nextItem() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            const QString target = resolve(a.value(QLatin1String("Target")).toString(), folder);
            const QString id = a.value(QLatin1String("Id")).toString();
            const QString type = QLatin1Char('#') + a.value(QLatin1String("Type")).toString().section(QLatin1Char('/'), -1);
            if (!m_budget.take(2 * kHashEntry + quint64(id.size() + type.size() + target.size()) * sizeof(QChar)))
                break;
            targets.insert(id, target);
            targets.insert(type, target);
        }
        return targets;
    }

    QString workbookPart()
    {
        const QString found = relationships(QStringLiteral("_rels/.rels"), {}).value(QStringLiteral("#officeDocument"));
        return found.isEmpty() ? QStringLiteral("xl/workbook.xml") : found;
    }

    QString readSharedStrings(const QHash<QString, QString>& targets)
    {
        const QString name = targets.value(QStringLiteral("#sharedStrings"));
        if (name.isEmpty())
            return {};
        const QString unreadable = QStringLiteral("xlsx文件的共享文字不能读取：");
        XmlPart part(m_zip, name);
        while (!part.atEnd()) {
            if (part.nextItem() != QXmlStreamReader::StartElement || part.xml().name() != u"si")
                continue;
            QString text = richText(part);
            if (!m_budget.grow(m_strings, m_strings.size() + 1) || !m_budget.takeText(text.capacity()))
                return unreadable + m_budget.exceededText();
            m_strings.back() = std::move(text);
        }
        return optionalPartFault(part, name, unreadable, QStringLiteral("xlsx文件的共享文字已损坏"));
    }

    QString readStyles(const QHash<QString, QString>& targets)
    {
        const QString name = targets.value(QStringLiteral("#styles"));
        if (name.isEmpty())
            return {};
        QHash<int, DateParts> customDate;
        bool inCellFormats = false;
        XmlPart part(m_zip, name);
        const QXmlStreamReader& xml = part.xml();
        while (!part.atEnd()) {
            const QXmlStreamReader::TokenType token = part.nextItem();
            if (token == QXmlStreamReader::EndElement && xml.name() == u"cellXfs")
                inCellFormats = false;
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == u"numFmt") {
                if (!m_budget.take(kHashEntry))
                    return QStringLiteral("xlsx文件的格式不能读取：") + m_budget.exceededText();
                customDate.insert(a.value(QLatin1String("numFmtId")).toInt(), dateFormatParts(a.value(QLatin1String("formatCode"))));
            } else if (xml.name() == u"cellXfs") {
                inCellFormats = true;
            } else if (inCellFormats && xml.name() == u"xf") {
                const int id = a.value(QLatin1String("numFmtId")).toInt();
                if (!m_budget.grow(m_dateStyles, m_dateStyles.size() + 1))
                    return QStringLiteral("xlsx文件的格式不能读取：") + m_budget.exceededText();
                m_dateStyles.back() = customDate.contains(id) ? customDate.value(id) : builtInDateParts(id);
            }
        }
        return optionalPartFault(part, name, {}, QStringLiteral("xlsx文件的格式已损坏"));
    }

    DateParts dateStyle(QStringView style) const
    {
        if (style.isEmpty())
            return DateParts::None;
        const qsizetype index = style.toInt();
        return index >= 0 && index < qsizetype(m_dateStyles.size()) ? m_dateStyles[size_t(index)] : DateParts::None;
    }

    QString readSheetPart(const QString& name, Sheet* sheet)
    {
        if (!m_budget.take(sizeof(Sheet)))
            return m_budget.exceededText();
        XmlPart part(m_zip, name);
        const QString fault = readSheet(part, sheet);
        if (!fault.isEmpty())
            return fault;
        switch (const XmlPart::Outcome outcome = part.outcome()) {
        case XmlPart::Outcome::Read:
            sheet->dropTrailingEmptyRows();
            return {};
        case XmlPart::Outcome::BadXml:
            return QStringLiteral("内容已损坏：%1").arg(part.xmlError());
        default:
            return partError(outcome, name);
        }
    }

    // Rows and cells without a reference follow the one before them, as the format allows.
    QString readSheet(XmlPart& part, Sheet* sheet)
    {
        const QXmlStreamReader& xml = part.xml();
        int row = -1;
        int nextColumn = 0;
        while (!part.atEnd()) {
            if (part.nextItem() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"row") {
                const QStringView number = xml.attributes().value(QLatin1String("r"));
                bool ok = true;
                row = number.isEmpty() ? row + 1 : number.toInt(&ok) - 1;
                if (!ok || row < 0 || row >= kXlsxMaxRows)
                    return QStringLiteral("行号超出表格的%1行").arg(kXlsxMaxRows);
                nextColumn = 0;
            } else if (xml.name() == u"c" && row >= 0) {
                const QXmlStreamAttributes a = xml.attributes();
                const int reference = columnOf(a.value(QLatin1String("r")));
                const int column = reference == kNoReference ? nextColumn : reference;
                if (reference == kBadReference || column >= kXlsxMaxColumns)
                    return QStringLiteral("单元格%1超出表格的%2列").arg(a.value(QLatin1String("r")).toString()).arg(kXlsxMaxColumns);
                nextColumn = column + 1;
                const bool shared = a.value(QLatin1String("t")) == u"s";
                SheetCell cell = readCell(part, a);
                if (!cell.isEmpty() && !place(sheet, row, column, std::move(cell), shared))
                    return m_budget.exceededText();
            }
        }
        return {};
    }

    // False when the budget is spent. A cell's own text is counted; a shared one is held once.
    bool place(Sheet* sheet, int row, int column, SheetCell cell, bool shared)
    {
        if (!m_budget.grow(sheet->rows, size_t(row) + 1) || !m_budget.grow(sheet->rows[size_t(row)], size_t(column) + 1) ||
            !m_budget.takeText(shared ? 0 : cell.text.capacity()))
            return false;
        sheet->rows[size_t(row)][size_t(column)] = std::move(cell);
        return true;
    }

    // Reads the cell element to its end.
    SheetCell readCell(XmlPart& part, const QXmlStreamAttributes& a) const
    {
        const QStringView type = a.value(QLatin1String("t"));
        if (type == u"inlineStr")
            return SheetCell::fromText(richText(part));
        const QXmlStreamReader& xml = part.xml();
        QString value;
        while (!part.atEnd()) {
            const QXmlStreamReader::TokenType token = part.readNext();
            if (token == QXmlStreamReader::StartElement && xml.name() == u"v")
                value = part.elementText();
            else if (token == QXmlStreamReader::StartElement)
                part.skipElement();
            else if (token == QXmlStreamReader::EndElement)
                break;
        }
        if (value.isEmpty())
            return {};
        if (type == u"s") {
            const qsizetype index = value.toLongLong();
            return index >= 0 && index < qsizetype(m_strings.size()) ? SheetCell::fromText(m_strings[size_t(index)])
                                                                     : SheetCell();
        }
        if (type == u"str" || type == u"e")
            return SheetCell::fromText(unescaped(value));
        if (type == u"b")
            return SheetCell::fromText(value == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
        if (type == u"d")
            return isoDate(value, dateStyle(a.value(QLatin1String("s"))));
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok)
            return SheetCell::fromText(value);
        const DateParts shows = dateStyle(a.value(QLatin1String("s")));
        if (shows == DateParts::None)
            return SheetCell::fromNumber(number);
        return SheetCell::fromSerialDate(serialIn1900System(number, m_dateShift, shows), shows);
    }

    static SheetCell isoDate(const QString& value, DateParts shows)
    {
        QDateTime moment = QDateTime::fromString(value, Qt::ISODateWithMs);
        if (!moment.isValid())
            moment = QDateTime(QDate::fromString(value, Qt::ISODate), QTime(0, 0));
        return moment.isValid() ? SheetCell::fromSerialDate(serialFromDateTime(moment), shows) : SheetCell::fromText(value);
    }

    ReadBudget m_budget;
    XlsxArchive m_zip;
    std::vector<QString> m_strings;
    std::vector<DateParts> m_dateStyles;
    double m_dateShift = 0;
};
}

bool readXlsx(const QString& path, Workbook* workbook, QString* error)
{
    if (XlsxWorkbookReader(path).read(workbook, error))
        return true;
    workbook->clear();
    return false;
}
