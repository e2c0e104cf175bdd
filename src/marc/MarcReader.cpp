#include "marc/MarcReader.h"

#include "core/NumberText.h"
#include "core/TextCodec.h"
#include "db/BookFields.h"

namespace {
// Which subfield of which field fills which list column; the fields are looked up in this
// order, and the first field with the tag counts.
struct WantedSubfield {
    int code;  // 0 for $a ... 5 for $f
    BookField column;
};
struct WantedField {
    const char* tag;
    std::vector<WantedSubfield> subfields;
};
const std::vector<WantedField>& wantedFields()
{
    static const std::vector<WantedField> fields{
        {"010", {{0, kIsbn}, {3, kPrice}}},  {"200", {{0, kTitle}, {5, kAuthor}}},
        {"690", {{0, kClassNo}}},            {"210", {{2, kPublisher}, {3, kPubDate}}},
        {"215", {{0, kPages}, {3, kFormat}}}, {"205", {{0, kEdition}}},
    };
    return fields;
}

int wantedCount()
{
    int count = 0;
    for (const WantedField& field : wantedFields())
        count += static_cast<int>(field.subfields.size());
    return count;
}

// The price as a whole number, read as the C library's atoi reads it after every "CNY" is
// removed: leading blanks, a sign, the digits up to the first other character; 0 when
// there are none, also when the field gives no price.
QString priceText(QString text)
{
    text.remove(QStringLiteral("CNY"));
    qsizetype at = 0;
    while (at < text.size() && isAsciiBlank(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == QLatin1Char('-') || text[at] == QLatin1Char('+')))
        negative = text[at++] == QLatin1Char('-');
    while (at < text.size() && text[at] == QLatin1Char('0'))
        ++at;
    QString digits;
    for (; at < text.size() && text[at] >= QLatin1Char('0') && text[at] <= QLatin1Char('9'); ++at)
        digits += text[at];
    if (digits.isEmpty())
        return QStringLiteral("0");
    return negative ? QLatin1Char('-') + digits : digits;
}

QString treated(BookField column, QString value)
{
    if (column == kIsbn)
        return value.remove(QLatin1Char('-'));
    if (column == kPrice)
        return priceText(value);
    return value;
}
}

MarcReader::MarcReader(QByteArray bytes) : m_bytes(std::move(bytes))
{
    cut();
    m_values = wantedValues();
    m_utf8 = isValidUtf8(m_values);
}

// A line is read with its line end, which counts one byte, as a line read in text mode has it
// (the CR of a CR LF stands in for the LF). A record terminator followed by more on the line
// ends a record there; the line's last record keeps the line end.
void MarcReader::cut()
{
    const QByteArrayView bytes(m_bytes);
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', at);
        const qsizetype next = newline < 0 ? bytes.size() : newline + 1;
        const bool crlf = newline > at && bytes[newline - 1] == '\r';
        const qsizetype content = newline < 0 ? bytes.size() : (crlf ? newline - 1 : newline);
        const qsizetype lineEnd = crlf ? newline : next;
        for (;;) {
            const qsizetype terminator = bytes.sliced(0, content).indexOf(MarcRecord::kRecordTerminator, at);
            const qsizetype end = terminator >= 0 && terminator + 1 < content ? terminator + 1 : lineEnd;
            const MarcRecord record(bytes.sliced(at, end - at));
            if (record.isReadable())
                m_records.push_back(record);
            if (end == lineEnd)
                break;
            at = end;
        }
        at = next;
    }
}

// The wanted values of every record, each followed by a delimiter, so that the whole file
// is decoded at once. No value holds the delimiter, and in GBK it is never the second byte
// of a character, so it survives decoding where it stood.
QByteArray MarcReader::wantedValues() const
{
    QByteArray values;
    for (const MarcRecord& record : m_records) {
        for (const WantedField& wanted : wantedFields()) {
            const auto subfields = MarcRecord::SplitSubfields(record.field(wanted.tag));
            for (const WantedSubfield& subfield : wanted.subfields) {
                values += subfields[subfield.code];
                values += MarcRecord::kSubfieldDelimiter;
            }
        }
    }
    return values;
}

QList<QStringList> MarcReader::rows(const QString& entryDate) const
{
    const QString text = m_utf8 ? QString::fromUtf8(m_values) : fromGbk(m_values);
    const QList<QStringView> values = QStringView(text).split(QChar(MarcRecord::kSubfieldDelimiter));
    const int perRecord = wantedCount();
    QList<QStringList> rows;
    rows.reserve(static_cast<qsizetype>(m_records.size()));
    for (qsizetype first = 0; first + perRecord < values.size(); first += perRecord) {
        const MarcRecord& record = m_records[size_t(first / perRecord)];
        QStringList row(kBookFieldCount);
        qsizetype at = first;
        for (const WantedField& wanted : wantedFields()) {
            // A field the record lacks leaves its columns empty.
            const bool present = record.hasField(wanted.tag);
            for (const WantedSubfield& subfield : wanted.subfields) {
                const QString value = values[at++].toString();
                row[subfield.column] = present ? treated(subfield.column, value) : value;
            }
        }
        if (row[kTitle].isEmpty())
            continue;
        row[kEntryDate] = entryDate;
        rows.append(row);
    }
    return rows;
}
