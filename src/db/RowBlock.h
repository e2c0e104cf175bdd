#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <vector>

// The rows of one query result, held compactly: every cell's bytes lie in one buffer (text
// as UTF-8, numbers in binary) with an end offset and a kind per cell, and a QString or
// QVariant is made only when a cell is read. A whole catalogue costs a few bytes a cell
// instead of a QVariant and a string allocation each.
//
// Rows are appended while the block is built; once handed out as a const block it never
// changes, so a copy of the rows can go to a worker thread while the window goes on.
class RowBlock {
public:
    enum class Kind : std::uint8_t { Null, Integer, Real, Text };

    RowBlock() = default;
    explicit RowBlock(QStringList columns);

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    const QStringList& columns() const { return m_columns; }

    // Cells outside the block read as NULL.
    Kind kind(int row, int column) const;
    bool isNull(int row, int column) const { return kind(row, column) == Kind::Null; }
    // NULL gives "", numbers as GetCollect prints them (whole values without decimals).
    QString text(int row, int column) const;
    // NULL gives an invalid QVariant, whole numbers qlonglong, reals double, text QString.
    QVariant value(int row, int column) const;

    // Building, cell by cell and row after row; a row is complete after columnCount() cells.
    // Throws std::length_error beyond 4 GiB of cell bytes.
    void appendNull();
    void appendInteger(qint64 value);
    void appendReal(double value);
    void appendText(const char* utf8, qsizetype size);
    // A whole row of values by column (missing or invalid ones NULL), as an insert stored them.
    void appendRow(const std::vector<QVariant>& values);

private:
    std::size_t cellIndex(int row, int column) const;
    void appendBytes(Kind kind, const void* bytes, std::size_t size);
    std::size_t cellStart(std::size_t cell) const { return cell == 0 ? 0 : m_ends[cell - 1]; }

    QStringList m_columns;
    int m_rowCount = 0;
    qsizetype m_cellsInRow = 0;  // cells of the row being appended
    std::vector<char> m_bytes;
    std::vector<std::uint32_t> m_ends;  // one a cell: where its bytes end in m_bytes
    std::vector<Kind> m_kinds;          // one a cell
};
