#include "sheets/XlsxReader.h"

#include "sheets/DateFormats.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

#include <unzip.h>

#include <vector>

namespace {
class ZipArchive {
public:
    explicit ZipArchive(const QString& path) : m_zip(unzOpen64(QFile::encodeName(path).constData())) {}
    ~ZipArchive()
    {
        if (m_zip)
            unzClose(m_zip);
    }
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool isOpen() const { return m_zip != nullptr; }
    bool contains(const QString& name) const { return unzLocateFile(m_zip, name.toUtf8().constData(), 1) == UNZ_OK; }

    // The whole inflated entry; false when it is missing or damaged.
    bool read(const QString& name, QByteArray* bytes) const
    {
        unz_file_info64 info;
        if (unzLocateFile(m_zip, name.toUtf8().constData(), 1) != UNZ_OK ||
            unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
            unzOpenCurrentFile(m_zip) != UNZ_OK)
            return false;
        bytes->resize(qsizetype(info.uncompressed_size));
        const int got = unzReadCurrentFile(m_zip, bytes->data(), unsigned(bytes->size()));
        const int closed = unzCloseCurrentFile(m_zip);
        return got == bytes->size() && closed == UNZ_OK;
    }

private:
    unzFile m_zip;
};

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
QString richText(QXmlStreamReader& xml)
{
    QString text;
    int phonetic = 0;
    const QString end = xml.name().toString();
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += xml.readElementText();
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == end)
                break;
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

// The column of a reference such as "AB12" (0-based), or -1.
int columnOf(QStringView reference)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i)
        column = column * 26 + (reference[i].toUpper().unicode() - u'A' + 1);
    return i == 0 ? -1 : column - 1;
}

class XlsxWorkbookReader {
public:
    explicit XlsxWorkbookReader(const QString& path) : m_zip(path) {}

    bool read(Workbook* workbook, QString* error)
    {
        if (!m_zip.isOpen())
            return fail(error, QStringLiteral("文件不是可读的xlsx表格文件"));
        const QString book = workbookPart();
        QByteArray bytes;
        if (!m_zip.read(book, &bytes))
            return fail(error, QStringLiteral("xlsx文件中没有工作簿"));
        const QString folder = book.section(QLatin1Char('/'), 0, -2);
        const QHash<QString, QString> targets = relationships(relationshipsOf(book), folder);
        struct Entry {
            QString name;
            QString part;
        };
        std::vector<Entry> entries;
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"workbookPr") {
                const QStringView flag = xml.attributes().value(QLatin1String("date1904"));
                m_dateShift = (flag == u"1" || flag == u"true") ? kDays1904 : 0;
            } else if (xml.name() == u"sheet") {
                const QXmlStreamAttributes a = xml.attributes();
                entries.push_back({a.value(QLatin1String("name")).toString(), targets.value(relationId(a))});
            }
        }
        if (xml.hasError())
            return fail(error, QStringLiteral("xlsx工作簿已损坏：%1").arg(xml.errorString()));
        if (!readSharedStrings(targets) || !readStyles(targets))
            return fail(error, QStringLiteral("xlsx文件的共享文字或格式已损坏"));
        workbook->clear();
        for (const Entry& entry : entries) {
            Sheet sheet;
            sheet.sheetName = entry.name;
            if (!m_zip.read(entry.part, &bytes) || !readSheet(bytes, &sheet))
                return fail(error, QStringLiteral("xlsx文件的工作表已损坏：%1").arg(entry.name));
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

    // Relationship id, and type by its last word ("styles", "sharedStrings"), to part.
    QHash<QString, QString> relationships(const QString& part, const QString& folder) const
    {
        QHash<QString, QString> targets;
        QByteArray bytes;
        if (!m_zip.read(part, &bytes))
            return targets;
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            const QString target = resolve(a.value(QLatin1String("Target")).toString(), folder);
            targets.insert(a.value(QLatin1String("Id")).toString(), target);
            targets.insert(QLatin1Char('#') + a.value(QLatin1String("Type")).toString().section(QLatin1Char('/'), -1), target);
        }
        return targets;
    }

    QString workbookPart() const
    {
        const QString found = relationships(QStringLiteral("_rels/.rels"), {}).value(QStringLiteral("#officeDocument"));
        return found.isEmpty() ? QStringLiteral("xl/workbook.xml") : found;
    }

    bool readSharedStrings(const QHash<QString, QString>& targets)
    {
        const QString part = targets.value(QStringLiteral("#sharedStrings"));
        QByteArray bytes;
        if (part.isEmpty() || !m_zip.contains(part))
            return true;
        if (!m_zip.read(part, &bytes))
            return false;
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
                m_strings.push_back(richText(xml));
        }
        return !xml.hasError();
    }

    bool readStyles(const QHash<QString, QString>& targets)
    {
        const QString part = targets.value(QStringLiteral("#styles"));
        QByteArray bytes;
        if (part.isEmpty() || !m_zip.contains(part))
            return true;
        if (!m_zip.read(part, &bytes))
            return false;
        QHash<int, bool> customDate;
        bool inCellFormats = false;
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::EndElement && xml.name() == u"cellXfs")
                inCellFormats = false;
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == u"numFmt") {
                customDate.insert(a.value(QLatin1String("numFmtId")).toInt(), isDateFormatCode(a.value(QLatin1String("formatCode"))));
            } else if (xml.name() == u"cellXfs") {
                inCellFormats = true;
            } else if (inCellFormats && xml.name() == u"xf") {
                const int id = a.value(QLatin1String("numFmtId")).toInt();
                m_dateStyles.push_back(customDate.contains(id) ? customDate.value(id) : isBuiltInDateFormat(id));
            }
        }
        return !xml.hasError();
    }

    bool isDateStyle(QStringView style) const
    {
        if (style.isEmpty())
            return false;
        const qsizetype index = style.toInt();
        return index >= 0 && index < qsizetype(m_dateStyles.size()) && m_dateStyles[size_t(index)];
    }

    bool readSheet(const QByteArray& bytes, Sheet* sheet) const
    {
        QXmlStreamReader xml(bytes);
        int row = -1;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"row") {
                const QStringView number = xml.attributes().value(QLatin1String("r"));
                row = number.isEmpty() ? row + 1 : number.toInt() - 1;
            } else if (xml.name() == u"c" && row >= 0) {
                CellRow& cells = rowAt(sheet, row);
                const QXmlStreamAttributes a = xml.attributes();
                const int column = columnOf(a.value(QLatin1String("r")));
                SheetCell cell = readCell(xml, a);
                const size_t at = column >= 0 ? size_t(column) : cells.size();
                if (cell.isEmpty())
                    continue;
                if (cells.size() <= at)
                    cells.resize(at + 1);
                cells[at] = std::move(cell);
            }
        }
        sheet->dropTrailingEmptyRows();
        return !xml.hasError();
    }

    static CellRow& rowAt(Sheet* sheet, int row)
    {
        if (sheet->rows.size() <= size_t(row))
            sheet->rows.resize(size_t(row) + 1);
        return sheet->rows[size_t(row)];
    }

    // Reads the cell element to its end.
    SheetCell readCell(QXmlStreamReader& xml, const QXmlStreamAttributes& a) const
    {
        const QStringView type = a.value(QLatin1String("t"));
        if (type == u"inlineStr")
            return SheetCell::fromText(richText(xml));
        QString value;
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::StartElement && xml.name() == u"v")
                value = xml.readElementText();
            else if (token == QXmlStreamReader::StartElement)
                xml.skipCurrentElement();
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
            return isoDate(value);
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok)
            return SheetCell::fromText(value);
        return isDateStyle(a.value(QLatin1String("s"))) ? SheetCell::fromSerialDate(number + m_dateShift)
                                          : SheetCell::fromNumber(number);
    }

    static SheetCell isoDate(const QString& value)
    {
        QDateTime moment = QDateTime::fromString(value, Qt::ISODateWithMs);
        if (!moment.isValid())
            moment = QDateTime(QDate::fromString(value, Qt::ISODate), QTime(0, 0));
        return moment.isValid() ? SheetCell::fromSerialDate(serialFromDateTime(moment)) : SheetCell::fromText(value);
    }

    ZipArchive m_zip;
    std::vector<QString> m_strings;
    std::vector<bool> m_dateStyles;
    double m_dateShift = 0;
};
}

bool readXlsx(const QString& path, Workbook* workbook, QString* error)
{
    return XlsxWorkbookReader(path).read(workbook, error);
}
