#include "sheets/DelimitedText.h"

#include "core/TextCodec.h"
#include "sheets/Gb18030.h"
#include "sheets/ReadBudget.h"

#include <QFile>

#include <algorithm>
#include <utility>

namespace {
constexpr qsizetype kChunk = 1 << 16;
constexpr QChar kQuote = QLatin1Char('"');

QString decode(QByteArrayView bytes)
{
    const QByteArray content = withoutUtf8Bom(bytes).toByteArray();
    return isValidUtf8(content) ? QString::fromUtf8(content) : fromGb18030(content);
}

QString usableSeparator(const QString& separator)
{
    const bool unreadable = separator.isEmpty() || separator.contains(kQuote) ||
                            separator.contains(QLatin1Char('\r')) || separator.contains(QLatin1Char('\n'));
    return unreadable ? QStringLiteral(",") : separator;
}

bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

bool separatorAt(QStringView text, qsizetype i, QStringView separator)
{
    return text[i] == separator.front() && text.sliced(i).startsWith(separator);
}

// Where the line that starts at `from` ends, and where the next one starts.
std::pair<qsizetype, qsizetype> lineAt(QStringView text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && !isLineEnd(text[end]))
        ++end;
    const bool crLf = end + 1 < text.size() && text[end] == QLatin1Char('\r') && text[end + 1] == QLatin1Char('\n');
    return {end, end + (crLf ? 2 : 1)};
}

// Whether every quote stands where the program's own format puts one: opening a cell,
// doubled inside it, or closing it before a separator or a line's end.
bool quotedAsWritten(QStringView text, QStringView separator)
{
    const qsizetype n = text.size();
    bool cellStart = true;
    for (qsizetype i = 0; i < n; ++i) {
        if (cellStart && text[i] == kQuote) {
            for (++i;; ++i) {
                if (i >= n)
                    return false;
                if (text[i] != kQuote)
                    continue;
                if (i + 1 < n && text[i + 1] == kQuote)
                    ++i;
                else
                    break;
            }
            if (i + 1 < n && !isLineEnd(text[i + 1]) && !separatorAt(text, i + 1, separator))
                return false;
            cellStart = false;
        } else if (separatorAt(text, i, separator)) {
            i += separator.size() - 1;
            cellStart = true;
        } else {
            cellStart = isLineEnd(text[i]);
        }
    }
    return true;
}

// Collects the cells and rows read, as far as the budget reaches.
class RowBuilder {
public:
    explicit RowBuilder(ReadBudget& budget) : m_budget(budget) {}

    bool spent() const { return m_budget.exceeded(); }

    void addCell(const QString& text)
    {
        if (m_budget.grow(m_row, m_row.size() + 1) && m_budget.takeText(text.size()))
            m_row.back() = SheetCell::fromText(text);
    }

    void endRow()
    {
        if (m_budget.grow(m_sheet.rows, m_sheet.rows.size() + 1))
            m_sheet.rows.back() = std::move(m_row);
        m_row.clear();
    }

    Sheet finish()
    {
        m_sheet.dropTrailingEmptyRows();
        return std::move(m_sheet);
    }

private:
    ReadBudget& m_budget;
    Sheet m_sheet;
    CellRow m_row;
};

// The program's own format, and what other programs write.
class RowParser {
public:
    RowParser(QStringView separator, RowBuilder& rows) : m_separator(separator), m_rows(rows) {}

    void parse(QStringView text)
    {
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n && !m_rows.spent(); ++i) {
            const QChar c = text[i];
            if (m_inQuotes) {
                if (c != kQuote)
                    m_cell += c;
                else if (i + 1 < n && text[i + 1] == kQuote)
                    m_cell += text[++i];
                else
                    m_inQuotes = false;
            } else if (c == kQuote && m_cell.isEmpty() && !m_quoted) {
                m_inQuotes = m_quoted = true;
            } else if (separatorAt(text, i, m_separator)) {
                i += m_separator.size() - 1;
                endCell();
            } else if (isLineEnd(c)) {
                if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                    ++i;
                endRow();
            } else {
                m_cell += c;
            }
        }
        if (!m_cell.isEmpty() || m_quoted || m_cells > 0)
            endRow();
    }

private:
    void endCell()
    {
        m_rows.addCell(m_cell);
        m_cell.clear();
        m_quoted = false;
        ++m_cells;
    }

    void endRow()
    {
        endCell();
        m_rows.endRow();
        m_cells = 0;
    }

    QStringView m_separator;
    RowBuilder& m_rows;
    QString m_cell;
    qsizetype m_cells = 0;  // of the row being read
    bool m_inQuotes = false;
    bool m_quoted = false;
};

// Older installations' rows, one a line, cut as they cut them.
void parseLines(QStringView text, QStringView separator, RowBuilder& rows)
{
    const QString token = kQuote + separator.toString() + kQuote;
    for (qsizetype from = 0; from < text.size() && !rows.spent();) {
        const auto [end, next] = lineAt(text, from);
        const QStringView line = text.sliced(from, end - from);
        from = next;
        if (line.contains(token)) {
            const QList<QStringView> cells = line.split(token);
            for (qsizetype c = 0; c < cells.size(); ++c) {
                QStringView cell = cells[c];
                if (c == 0 && cell.startsWith(kQuote))
                    cell = cell.sliced(1);
                if (c == cells.size() - 1 && cell.endsWith(kQuote))
                    cell.chop(1);
                rows.addCell(cell.toString());
            }
        } else if (line.contains(separator)) {
            for (const QStringView cell : line.split(separator))
                rows.addCell(cell.toString());
        } else {
            const bool enclosed = line.indexOf(kQuote) == 0 && line.lastIndexOf(kQuote) == line.size() - 1;
            rows.addCell(enclosed ? line.sliced(1, std::max<qsizetype>(0, line.size() - 2)).toString() : line.toString());
        }
        rows.endRow();
    }
}
}

QString delimitedRow(const CellRow& cells, const QString& separator)
{
    const QString between = usableSeparator(separator);
    QString line;
    for (size_t c = 0; c < cells.size(); ++c) {
        if (c > 0)
            line += between;
        QString text = cells[c].displayText();
        line += kQuote + text.replace(kQuote, QLatin1String("\"\"")) + kQuote;
    }
    return line;
}

bool writeDelimited(const QString& path, const SheetSource& sheet, const QString& separator, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = file.errorString();
        return false;
    }
    QString chunk;
    CellRow cells;
    auto flush = [&] {
        const QByteArray bytes = toGb18030(chunk);
        chunk.clear();
        return file.write(bytes) == bytes.size();
    };
    bool written = true;
    for (int r = 0; r < sheet.rowCount() && written; ++r) {
        sheet.row(r, cells);
        chunk += delimitedRow(cells, separator) + QLatin1String("\r\n");
        if (chunk.size() >= kChunk)
            written = flush();
    }
    if (!written || !flush() || !file.flush()) {
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

Sheet parseDelimited(const QByteArray& bytes, const QString& separator)
{
    ReadBudget budget(bytes.size());
    return parseDelimited(bytes, separator, budget);
}

Sheet parseDelimited(const QByteArray& bytes, const QString& separator, ReadBudget& budget)
{
    // Decoding holds up to four bytes a byte beside the text it gives, for a moment: the
    // copy without the mark and the validity check's round trip, or the GB18030 route
    // through UTF-8.
    constexpr quint64 kDecoding = 4;
    if (!budget.take(quint64(bytes.size()) * (sizeof(QChar) + kDecoding)))
        return {};
    const QString text = decode(bytes);
    budget.giveBack(quint64(bytes.size()) * kDecoding);
    const QString between = usableSeparator(separator);
    RowBuilder rows(budget);
    if (quotedAsWritten(text, between))
        RowParser(between, rows).parse(text);
    else
        parseLines(text, between, rows);
    return rows.finish();
}
