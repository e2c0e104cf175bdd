#include "marc/MarcReader.h"

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

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The price as a whole number, read as the C library's atoi reads it after every "CNY" is
// removed: leading blanks, a sign, the digits up to the first other character; 0 when
// there are none, also when the field gives no price.
QString priceText(QString text)
{
    text.remove(QStringLiteral("CNY"));
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
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
    m_utf8 = allUtf8();
}

void MarcReader::cut()
{
    const QByteArrayView bytes(m_bytes);
    qsizetype at = 0;
    for (;;) {
        while (at < bytes.size() && isBlank(bytes[at]))
            ++at;
        if (at >= bytes.size())
            return;
        const qsizetype terminator = bytes.indexOf(MarcRecord::kRecordTerminator, at);
        const qsizetype end = terminator < 0 ? bytes.size() : terminator + 1;
        const MarcRecord record(bytes.sliced(at, end - at), terminator >= 0);
        ++m_recordCount;
        if (record.isValid())
            m_records.push_back(record);
        else
            noteFault(at, record.fault());
        at = end;
    }
}

void MarcReader::noteFault(qsizetype offset, MarcFault fault)
{
    if (m_faultCount++ > 0)
        return;
    m_firstFaultRecord = m_recordCount;
    m_firstFaultOffset = offset;
    m_firstFault = fault;
}

QString MarcReader::faultMessage() const
{
    if (m_faultCount == 0)
        return {};
    return QStringLiteral("%1条记录格式错误，未读入。第%2条（第%3字节起）：%4")
        .arg(m_faultCount)
        .arg(m_firstFaultRecord)
        .arg(m_firstFaultOffset + 1)
        .arg(marcFaultText(m_firstFault));
}

bool MarcReader::allUtf8() const
{
    for (const MarcRecord& record : m_records) {
        const QByteArrayView bytes = record.bytes();
        if (!isValidUtf8(QByteArray::fromRawData(bytes.data(), bytes.size())))
            return false;
    }
    return true;
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
    const QByteArray bytes = wantedValues();
    const QString text = m_utf8 ? QString::fromUtf8(bytes) : fromGbk(bytes);
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
