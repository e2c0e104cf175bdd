#include "sheets/CompoundFileReader.h"

#include "sheets/CompoundFormat.h"
#include "sheets/ReadBudget.h"

#include <QtEndian>

#include <algorithm>
#include <vector>

namespace {
using CompoundFormat::kEndOfChain;
using CompoundFormat::kHeaderFatIds;
constexpr qsizetype kHeaderSize = 512;
constexpr qsizetype kEntrySize = 128;
constexpr qsizetype kMiniSector = 64;
constexpr quint32 kFree = 0xFFFFFFFF;

quint32 u32At(QByteArrayView bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.data() + at); }

// Sectors of one size laid end to end. The last may be short: some writers leave out the
// padding of a file's last sector. Its bytes that are there are read, never any past them.
class Sectors {
public:
    Sectors() = default;
    Sectors(QByteArrayView bytes, qsizetype size) : m_bytes(bytes), m_size(size) {}

    qsizetype size() const { return m_size; }
    quint32 count() const { return quint32((m_bytes.size() + m_size - 1) / m_size); }
    // The bytes of the sector that are there; empty past the end.
    QByteArrayView at(quint32 id) const
    {
        if (id >= count())
            return {};
        const qsizetype from = qsizetype(id) * m_size;
        return m_bytes.sliced(from, std::min(m_size, m_bytes.size() - from));
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_size = kHeaderSize;
};

// Entry `index` of a sector of a table; entries past the end of a short sector are free.
quint32 tableEntry(QByteArrayView sector, quint32 index)
{
    const qsizetype at = qsizetype(index) * 4;
    return at + 4 <= sector.size() ? u32At(sector, at) : kFree;
}

class CompoundFile {
public:
    CompoundFile(const QByteArray& file, ReadBudget& budget) : m_file(file), m_budget(budget) {}

    bool stream(QStringView name, QByteArray* out, QString* error)
    {
        const quint64 before = m_budget.taken();
        QByteArray bytes;
        const bool read = readStream(name, &bytes, error);
        if (!read && m_budget.exceeded())
            *error = m_budget.exceededText();
        // What the tables and the directory took goes with this object; the stream stays counted.
        const quint64 taken = m_budget.taken() - before;
        m_budget.giveBack(taken - std::min(taken, read ? quint64(bytes.capacity()) : 0));
        if (read)
            *out = std::move(bytes);
        return read;
    }

private:
    bool readStream(QStringView name, QByteArray* out, QString* error)
    {
        if (!readHeader() || !readFat())
            return fail(error, QStringLiteral("文件的复合文档头已损坏"));
        QByteArray directory;
        if (!chain(m_fat, u32(48), m_sectors, &directory) || directory.size() < kEntrySize)
            return fail(error, QStringLiteral("复合文档的目录已损坏"));
        const qsizetype entry = find(directory, name);
        if (entry < 0)
            return fail(error, QStringLiteral("文件中没有%1数据").arg(name));
        const quint64 size = m_major == 4 ? qFromLittleEndian<quint64>(directory.constData() + entry + 120)
                                          : u32At(directory, entry + 120);
        const quint32 start = u32At(directory, entry + 116);
        const bool read = size < u32(56) ? miniStream(directory, start, out) : chain(m_fat, start, m_sectors, out);
        if (!read || quint64(out->size()) < size)
            return fail(error, QStringLiteral("复合文档中的%1数据已损坏").arg(name));
        out->truncate(qsizetype(size));
        return true;
    }

    static bool fail(QString* error, const QString& text)
    {
        *error = text;
        return false;
    }

    quint32 u32(qsizetype at) const { return u32At(m_file, at); }

    bool readHeader()
    {
        if (m_file.size() < kHeaderSize || !m_file.startsWith(CompoundFormat::kSignature))
            return false;
        m_major = qFromLittleEndian<quint16>(m_file.constData() + 26);
        const quint16 shift = qFromLittleEndian<quint16>(m_file.constData() + 30);
        if (!((m_major == 3 && shift == 9) || (m_major == 4 && shift == 12)) ||
            qFromLittleEndian<quint16>(m_file.constData() + 32) != 6)
            return false;
        const qsizetype sector = qsizetype(1) << shift;
        if (m_file.size() <= sector)
            return false;
        m_sectors = Sectors(QByteArrayView(m_file).sliced(sector), sector);  // the header fills sector -1
        return true;
    }

    // The allocation table from the sectors the header and the DIFAT chain list; a table
    // may list no more sectors than the file has.
    bool readFat()
    {
        const quint32 fatSectors = u32(44);
        if (fatSectors > m_sectors.count())
            return false;
        std::vector<quint32> ids;
        for (quint32 i = 0; i < kHeaderFatIds && ids.size() < fatSectors; ++i)
            ids.push_back(u32(76 + 4 * qsizetype(i)));
        const quint32 perSector = quint32(m_sectors.size() / 4);
        quint32 next = u32(68);
        for (quint32 hops = 0; ids.size() < fatSectors; ++hops) {
            const QByteArrayView difat = m_sectors.at(next);
            if (difat.isEmpty() || hops >= m_sectors.count())
                return false;
            for (quint32 i = 0; i + 1 < perSector && ids.size() < fatSectors; ++i)
                ids.push_back(tableEntry(difat, i));
            next = tableEntry(difat, perSector - 1);
        }
        if (!m_budget.take(quint64(fatSectors) * perSector * sizeof(quint32)))
            return false;
        m_fat.reserve(size_t(fatSectors) * perSector);
        for (quint32 id : ids) {
            const QByteArrayView table = m_sectors.at(id);
            if (table.isEmpty())
                return false;
            for (quint32 i = 0; i < perSector; ++i)
                m_fat.push_back(tableEntry(table, i));
        }
        return true;
    }

    // The bytes of the chain from `start`; false when it leaves the table or the file, has a
    // short sector before its end, or visits more sectors than there are: runs in a circle.
    // Also false when the bytes would pass the budget.
    bool chain(const std::vector<quint32>& table, quint32 start, const Sectors& sectors, QByteArray* out) const
    {
        out->clear();
        const size_t most = std::min<size_t>(table.size(), sectors.count());
        size_t visited = 0;
        for (quint32 id = start; id != kEndOfChain; id = table[id]) {
            if (id >= table.size() || ++visited > most)
                return false;
            const QByteArrayView bytes = sectors.at(id);
            if (bytes.isEmpty() || (bytes.size() < sectors.size() && table[id] != kEndOfChain) ||
                !m_budget.append(*out, bytes))
                return false;
        }
        return true;
    }

    bool miniStream(const QByteArray& directory, quint32 start, QByteArray* out) const
    {
        QByteArray container;
        QByteArray miniTable;
        // The mini table's entries are copied out of it, as many bytes again.
        if (!chain(m_fat, u32At(directory, 116), m_sectors, &container) || !chain(m_fat, u32(60), m_sectors, &miniTable) ||
            !m_budget.take(quint64(miniTable.size())))
            return false;
        std::vector<quint32> miniFat(size_t(miniTable.size() / 4));
        for (size_t i = 0; i < miniFat.size(); ++i)
            miniFat[i] = u32At(miniTable, qsizetype(i) * 4);
        return chain(miniFat, start, Sectors(container, kMiniSector), out);
    }

    // The offset of the root storage's stream of that name, by a walk of its tree.
    qsizetype find(const QByteArray& directory, QStringView name) const
    {
        const quint32 count = quint32(directory.size() / kEntrySize);
        std::vector<bool> seen(count, false);
        std::vector<quint32> pending{u32At(directory, 76)};
        while (!pending.empty()) {
            const quint32 id = pending.back();
            pending.pop_back();
            if (id >= count || seen[id])
                continue;
            seen[id] = true;
            const qsizetype at = qsizetype(id) * kEntrySize;
            if (directory[at + 66] == 2 && nameOf(directory, at).compare(name, Qt::CaseInsensitive) == 0)
                return at;
            pending.push_back(u32At(directory, at + 68));
            pending.push_back(u32At(directory, at + 72));
        }
        return -1;
    }

    static QString nameOf(const QByteArray& directory, qsizetype at)
    {
        const quint16 bytes = qFromLittleEndian<quint16>(directory.constData() + at + 64);
        const qsizetype units = bytes >= 2 && bytes <= 64 ? bytes / 2 - 1 : 0;
        QString name(units, Qt::Uninitialized);
        for (qsizetype i = 0; i < units; ++i)
            name[i] = QChar(qFromLittleEndian<quint16>(directory.constData() + at + 2 * i));
        return name;
    }

    const QByteArray& m_file;
    ReadBudget& m_budget;
    quint16 m_major = 0;
    Sectors m_sectors;
    std::vector<quint32> m_fat;
};
}

bool readCompoundStream(const QByteArray& file, QStringView name, ReadBudget& budget, QByteArray* stream, QString* error)
{
    return CompoundFile(file, budget).stream(name, stream, error);
}
