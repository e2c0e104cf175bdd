#include "sheets/DelimitedText.h"

#include "core/TextCodec.h"
#include "sheets/Gb18030.h"
#include "sheets/ReadBudget.h"

#include <QFile>

namespace {
constexpr qsizetype kChunk = 1 << 16;

QString decode(QByteArrayView bytes)
{
    const QByteArray content = withoutUtf8Bom(bytes).toByteArray();
    return isValidUtf8(content) ? QString::fromUtf8(content) : fromGb18030(content);
}

// Rows and cells are taken from the budget; parsing stops when it is spent.
class RowParser {
public:
    RowParser(QChar separator, ReadBudget& budget) : m_separator(separator), m_budget(budget) {}

    Sheet parse(const QString& text)
    {
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n && !m_budget.exceeded(); ++i) {
            const QChar c = text[i];
            if (m_inQuotes) {
                if (c != QLatin1Char('"'))
                    m_cell += c;
                else if (i + 1 < n && text[i + 1] == QLatin1Char('"'))
                    m_cell += text[++i];
                else
                    m_inQuotes = false;
            } else if (c == QLatin1Char('"') && m_cell.isEmpty() && !m_quoted) {
                m_inQuotes = m_quoted = true;
            } else if (c == m_separator) {
                endCell();
            } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                    ++i;
                endRow();
            } else {
                m_cell += c;
            }
        }
        if (!m_row.empty() || !m_cell.isEmpty() || m_quoted)
            endRow();
        m_sheet.dropTrailingEmptyRows();
        return std::move(m_sheet);
    }

private:
    void endCell()
    {
        if (m_budget.grow(m_row, m_row.size() + 1) && m_budget.takeText(m_cell.size()))
            m_row.back() = SheetCell::fromText(m_cell);
        m_cell.clear();
        m_quoted = false;
    }

    void endRow()
    {
        endCell();
        if (m_budget.grow(m_sheet.rows, m_sheet.rows.size() + 1))
            m_sheet.rows.back() = std::move(m_row);
        m_row.clear();
    }

    QChar m_separator;
    ReadBudget& m_budget;
    Sheet m_sheet;
    CellRow m_row;
    QString m_cell;
    bool m_inQuotes = false;
    bool m_quoted = false;
};
}

QString delimitedRow(const CellRow& cells, QChar separator)
{
    QString line;
    for (size_t c = 0; c < cells.size(); ++c) {
        if (c > 0)
            line += separator;
        QString text = cells[c].displayText();
        line += QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    }
    return line;
}

bool writeDelimited(const QString& path, const SheetSource& sheet, QChar separator, QString* error)
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
    const int width = sheet.columnCount();
    bool written = true;
    for (int r = 0; r < sheet.rowCount() && written; ++r) {
        sheet.row(r, cells);
        cells.resize(size_t(width));
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

Sheet parseDelimited(const QByteArray& bytes, QChar separator)
{
    ReadBudget budget(bytes.size());
    return parseDelimited(bytes, separator, budget);
}

Sheet parseDelimited(const QByteArray& bytes, QChar separator, ReadBudget& budget)
{
    // Decoding holds up to four bytes a byte beside the text it gives, for a moment: the
    // copy without the mark and the validity check's round trip, or the GB18030 route
    // through UTF-8.
    constexpr quint64 kDecoding = 4;
    if (!budget.take(quint64(bytes.size()) * (sizeof(QChar) + kDecoding)))
        return {};
    const QString text = decode(bytes);
    budget.giveBack(quint64(bytes.size()) * kDecoding);
    return RowParser(separator, budget).parse(text);
}
