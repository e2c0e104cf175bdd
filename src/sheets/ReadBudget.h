#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <vector>

// What one read of a spreadsheet file may take in memory, for the whole workbook: every copy
// the reading makes counts against one limit, checked before it is allocated: the file, the
// stream taken out of a compound file, what the XML reader holds of the .xlsx part it reads,
// the decoded text of a text file, the row and cell slots of all sheets and their texts. So a
// reading peaks below its limit and the little the readers hold besides. Real workbooks take
// some 5 to 40 times their file's size (.xls the least, .xlsx of repeated texts the most);
// crafted ones (thousands of sheet entries of one far row, shared strings that inflate to a
// gigabyte) take millions of times theirs, and are refused with the reason instead of ending
// the program.
class ReadBudget {
public:
    // 64 MiB, and 128 bytes for each byte of the file, at most 1 GiB.
    static constexpr quint64 kFloor = quint64(64) << 20;
    static constexpr quint64 kPerFileByte = 128;
    static constexpr quint64 kCeiling = quint64(1) << 30;

    explicit ReadBudget(qint64 fileBytes);

    // Counts `bytes`; false, counting nothing, when they would pass the limit.
    bool take(quint64 bytes);
    // Gives back what was taken for something no longer held.
    void giveBack(quint64 bytes);
    // Counts a text of its own of `units` UTF-16 units, with what its allocation takes besides.
    bool takeText(qsizetype units);
    // Grows `items` to `size` elements, counting the capacity it adds (doubling, as a vector
    // grows) and, while the items move, the old storage beside the new; false, leaving
    // `items` as it was, when that would pass the limit.
    template <typename T> bool grow(std::vector<T>& items, size_t size);
    // Appends `more` to `bytes`, counting its capacity as grow does.
    bool append(QByteArray& bytes, QByteArrayView more);

    quint64 limit() const { return m_limit; }
    quint64 taken() const { return m_taken; }
    // Whether something was refused.
    bool exceeded() const { return m_exceeded; }
    // The reason, for the user.
    QString exceededText() const;

private:
    quint64 m_limit;
    quint64 m_taken = 0;
    bool m_exceeded = false;
};

template <typename T> bool ReadBudget::grow(std::vector<T>& items, size_t size)
{
    if (size <= items.size())
        return true;
    if (size > items.capacity()) {
        const size_t old = items.capacity();
        const size_t capacity = std::max(size, 2 * old);
        if (!take(quint64(capacity) * sizeof(T)))
            return false;
        items.reserve(capacity);
        giveBack(quint64(old) * sizeof(T));
    }
    items.resize(size);
    return true;
}
