#include "db/RowBlock.h"

#include "core/NumberText.h"
#include "db/ValueKind.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace {
constexpr std::size_t kNoCell = std::numeric_limits<std::size_t>::max();

template <typename Number>
Number numberAt(const char* bytes)
{
    Number n;
    std::memcpy(&n, bytes, sizeof n);
    return n;
}
}

RowBlock::RowBlock(QStringList columns) : m_columns(std::move(columns)) {}

std::size_t RowBlock::cellIndex(int row, int column) const
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= columnCount())
        return kNoCell;
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columnCount()) + static_cast<std::size_t>(column);
}

RowBlock::Kind RowBlock::kind(int row, int column) const
{
    const std::size_t cell = cellIndex(row, column);
    return cell == kNoCell ? Kind::Null : m_kinds[cell];
}

QString RowBlock::text(int row, int column) const
{
    const std::size_t cell = cellIndex(row, column);
    if (cell == kNoCell)
        return {};
    const char* bytes = m_bytes.data() + cellStart(cell);
    switch (m_kinds[cell]) {
    case Kind::Null:
        return {};
    case Kind::Integer:
        return QString::number(numberAt<qint64>(bytes));
    case Kind::Real:
        return numberText(numberAt<double>(bytes));
    case Kind::Text:
        break;
    }
    return QString::fromUtf8(bytes, static_cast<qsizetype>(m_ends[cell] - cellStart(cell)));
}

QVariant RowBlock::value(int row, int column) const
{
    const std::size_t cell = cellIndex(row, column);
    if (cell == kNoCell)
        return {};
    const char* bytes = m_bytes.data() + cellStart(cell);
    switch (m_kinds[cell]) {
    case Kind::Null:
        return {};
    case Kind::Integer:
        return QVariant(static_cast<qlonglong>(numberAt<qint64>(bytes)));
    case Kind::Real:
        return QVariant(numberAt<double>(bytes));
    case Kind::Text:
        break;
    }
    return QString::fromUtf8(bytes, static_cast<qsizetype>(m_ends[cell] - cellStart(cell)));
}

void RowBlock::appendBytes(Kind kind, const void* bytes, std::size_t size)
{
    if (m_columns.isEmpty())
        throw std::logic_error("a row block without columns holds no cells");
    const std::size_t end = m_bytes.size() + size;
    if (end > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("query result beyond 4 GiB");
    m_bytes.insert(m_bytes.end(), static_cast<const char*>(bytes), static_cast<const char*>(bytes) + size);
    m_ends.push_back(static_cast<std::uint32_t>(end));
    m_kinds.push_back(kind);
    if (++m_cellsInRow == m_columns.size()) {
        m_cellsInRow = 0;
        ++m_rowCount;
    }
}

void RowBlock::appendNull() { appendBytes(Kind::Null, nullptr, 0); }

void RowBlock::appendInteger(qint64 value) { appendBytes(Kind::Integer, &value, sizeof value); }

void RowBlock::appendReal(double value) { appendBytes(Kind::Real, &value, sizeof value); }

void RowBlock::appendText(const char* utf8, qsizetype size)
{
    appendBytes(Kind::Text, utf8, static_cast<std::size_t>(size));
}

void RowBlock::appendRow(const std::vector<QVariant>& values)
{
    for (int column = 0; column < columnCount(); ++column) {
        const QVariant value = static_cast<std::size_t>(column) < values.size() ? values[column] : QVariant();
        switch (valueKind(value)) {
        case ValueKind::Null:
            appendNull();
            break;
        case ValueKind::Integer:
            appendInteger(value.toLongLong());
            break;
        case ValueKind::Real:
            appendReal(value.toDouble());
            break;
        case ValueKind::Text: {
            const QByteArray utf8 = value.toString().toUtf8();
            appendText(utf8.constData(), utf8.size());
        }
        }
    }
}
