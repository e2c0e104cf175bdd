#pragma once

#include <QString>

#include <memory>
#include <vector>

// The texts of a sheet read from a file, kept in large blocks: a cell's text then costs
// no allocation of its own, which is most of the time of reading a big sheet. The cells
// refer into the blocks (QString::fromRawData), so the pool lives as long as its sheet,
// and texts leave the sheet only as copies (SheetCell::displayText).
class TextPool {
public:
    // The UTF-8 bytes as a text that refers into the pool.
    QString addUtf8(const char* utf8, qsizetype size);

private:
    static constexpr qsizetype kBlock = 1 << 16;

    std::vector<std::unique_ptr<QChar[]>> m_blocks;
    qsizetype m_used = 0;
    qsizetype m_capacity = 0;
};
