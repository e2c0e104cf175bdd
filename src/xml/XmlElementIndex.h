#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// Where one element lies in the document text, and its place among the other elements.
// Eight 32-bit words, so that a large document's index stays a fraction of its text.
struct ElementRecord {
    enum : int32_t {
        kFirstChild = 0x080000,   // the first child of its parent
        kDeleted = 0x020000,      // removed by editing; the position is never handed out again
        kUnended = 0x100000,      // the start tag was never ended: the element counts as empty
        kIllFormedInside = 0x200000,
        kIllFormed = 0x800000,
    };
    static constexpr int kMaxStartTag = 0x3FFFFF;
    static constexpr int kMaxEndTag = 0x3FF;
    static constexpr int kMaxLevel = 0xFFFF;

    int32_t start = 0;        // offset of the '<'
    int32_t length = 0;       // start tag to the end of the end tag
    uint32_t tagLengths = 0;  // low 22 bits start tag, high 10 bits end tag
    int32_t flagsLevel = 0;   // low 16 bits depth, high bits the flags above
    int32_t parent = 0;
    int32_t firstChild = 0;
    int32_t nextSibling = 0;
    int32_t prevSibling = 0;  // the first child's holds the LAST sibling: a ring backwards

    int startTagLength() const { return int(tagLengths & kMaxStartTag); }
    int endTagLength() const { return int(tagLengths >> 22); }
    void setTagLengths(int startTag, int endTag) { tagLengths = uint32_t(startTag) | (uint32_t(endTag) << 22); }
    int level() const { return flagsLevel & 0xFFFF; }
    void setLevel(int level) { flagsLevel = (flagsLevel & ~0xFFFF) | level; }
    int flags() const { return flagsLevel & ~0xFFFF; }
    bool has(int flag) const { return (flagsLevel & flag) != 0; }
    void set(int flag) { flagsLevel |= flag; }
    void clear(int flag) { flagsLevel &= ~flag; }
    int end() const { return start + length; }
    int contentStart() const { return start + startTagLength(); }
    int contentLength() const { return length - startTagLength() - endTagLength(); }
    bool isEmpty() const { return startTagLength() == length; }
};

// The element records in segments of 65,536, so that a growing index never copies more
// than one segment: every segment but the last is full, the last is sized exactly.
class ElementIndex {
public:
    static constexpr int kSegmentBits = 16;
    static constexpr int kSegmentSize = 1 << kSegmentBits;

    ElementIndex() = default;
    ElementIndex(const ElementIndex& other);
    ElementIndex& operator=(const ElementIndex& other);

    int size() const { return m_size; }
    ElementRecord& operator[](int pos) { return m_segments[pos >> kSegmentBits][pos & (kSegmentSize - 1)]; }
    const ElementRecord& operator[](int pos) const
    {
        return m_segments[pos >> kSegmentBits][pos & (kSegmentSize - 1)];
    }
    // Grows to newSize positions, or by at most one new segment when that is further.
    void grow(int newSize);
    void clear();

private:
    int segmentCount() const { return m_size == 0 ? 0 : ((m_size - 1) >> kSegmentBits) + 1; }

    std::vector<std::unique_ptr<ElementRecord[]>> m_segments;
    int m_size = 0;
};
