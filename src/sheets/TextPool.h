#pragma once

#include <memory>
#include <vector>

// The texts of a sheet read from a file, kept as UTF-8 in large blocks: a cell's text then
// costs neither an allocation nor a conversion of its own until it is read. The cells refer
// into the blocks, so the pool lives as long as its sheet.
class TextPool {
public:
    // Copies `size` bytes and a terminating NUL; returns where the copy starts.
    const char* add(const char* utf8, std::size_t size);

private:
    static constexpr std::size_t kBlock = 1 << 18;

    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_used = 0;
    std::size_t m_capacity = 0;
};
