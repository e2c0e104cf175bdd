#include "sheets/CompoundFileReader.h"

#include "sheets/CompoundFormat.h"

#include <QtEndian>

#include <functional>
#include <vector>

namespace {
using CompoundFormat::kEndOfChain;
using CompoundFormat::kHeaderFatIds;
constexpr qsizetype kHeaderSize = 512;
constexpr qsizetype kEntrySize = 128;

class CompoundFile {
public:
    explicit CompoundFile(const QByteArray& file) : m_file(file) {}

    bool stream(QStringView name, QByteArray* out, QString* error)
    {
        if (!readHeader() || !readFat())
            return fail(error, QStringLiteral("文件的复合文档头已损坏"));
        QByteArray directory;
        if (!chain(m_fat, u32(48), m_sector, sectorAt(), &directory) || directory.size() < kEntrySize)
            return fail(error, QStringLiteral("复合文档的目录已损坏"));
        const qsizetype entry = find(directory, name);
        if (entry < 0)
            return fail(error, QStringLiteral("文件中没有%1数据").arg(name));
        const quint64 size = m_major == 4 ? qFromLittleEndian<quint64>(directory.constData() + entry + 120)
                                          : u32At(directory, entry + 120);
        const quint32 start = u32At(directory, entry + 116);
        QByteArray bytes;
        const bool read = size < u32(56) ? miniStream(directory, start, &bytes)
                                         : chain(m_fat, start, m_sector, sectorAt(), &bytes);
        if (!read || quint64(bytes.size()) < size)
            return fail(error, QStringLiteral("复合文档中的%1数据已损坏").arg(name));
        bytes.truncate(qsizetype(size));
        *out = std::move(bytes);
        return true;
    }

private:
    using SectorAt = std::function<const char*(quint32)>;

    static bool fail(QString* error, const QString& text)
    {
        *error = text;
        return false;
    }

    quint32 u32(qsizetype at) const { return qFromLittleEndian<quint32>(m_file.constData() + at); }
    static quint32 u32At(const QByteArray& bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }

    bool readHeader()
    {
        if (m_file.size() < kHeaderSize || !m_file.startsWith(CompoundFormat::kSignature))
            return false;
        m_major = qFromLittleEndian<quint16>(m_file.constData() + 26);
        const quint16 shift = qFromLittleEndian<quint16>(m_file.constData() + 30);
        if (!((m_major == 3 && shift == 9) || (m_major == 4 && shift == 12)) ||
            qFromLittleEndian<quint16>(m_file.constData() + 32) != 6)
            return false;
        m_sector = qsizetype(1) << shift;
        m_sectors = quint32((m_file.size() - m_sector + m_sector - 1) / m_sector);
        return m_file.size() > m_sector;
    }

    // The sector's bytes, or null when it is past the end of the file.
    const char* sector(quint32 id) const
    {
        if (id >= m_sectors || qsizetype(id + 1) * m_sector + m_sector > m_file.size())
            return nullptr;
        return m_file.constData() + qsizetype(id + 1) * m_sector;
    }

    SectorAt sectorAt() const
    {
        return [this](quint32 id) { return sector(id); };
    }

    // The allocation table from the sectors the header and the DIFAT chain list; a table
    // may list no more sectors than the file has.
    bool readFat()
    {
        const quint32 fatSectors = u32(44);
        if (fatSectors > m_sectors)
            return false;
        std::vector<quint32> ids;
        for (quint32 i = 0; i < kHeaderFatIds && ids.size() < fatSectors; ++i)
            ids.push_back(u32(76 + 4 * qsizetype(i)));
        const quint32 perSector = quint32(m_sector / 4);
        quint32 next = u32(68);
        for (quint32 hops = 0; ids.size() < fatSectors; ++hops) {
            const char* difat = sector(next);
            if (!difat || hops > m_sectors)
                return false;
            for (quint32 i = 0; i + 1 < perSector && ids.size() < fatSectors; ++i)
                ids.push_back(qFromLittleEndian<quint32>(difat + 4 * i));
            next = qFromLittleEndian<quint32>(difat + 4 * (perSector - 1));
        }
        m_fat.reserve(size_t(fatSectors) * perSector);
        for (quint32 id : ids) {
            const char* table = sector(id);
            if (!table)
                return false;
            for (quint32 i = 0; i < perSector; ++i)
                m_fat.push_back(qFromLittleEndian<quint32>(table + 4 * i));
        }
        return true;
    }

    // The bytes of the chain from `start`; false when it leaves the table or the file, or
    // runs in a circle.
    static bool chain(const std::vector<quint32>& table, quint32 start, qsizetype unit, const SectorAt& at,
                      QByteArray* out)
    {
        out->clear();
        for (quint32 id = start, hops = 0; id != kEndOfChain; id = table[id], ++hops) {
            const char* bytes = at(id);
            if (!bytes || id >= table.size() || hops >= table.size())
                return false;
            out->append(bytes, unit);
        }
        return true;
    }

    bool miniStream(const QByteArray& directory, quint32 start, QByteArray* out) const
    {
        QByteArray container;
        QByteArray miniTable;
        if (!chain(m_fat, u32At(directory, 116), m_sector, sectorAt(), &container) ||
            !chain(m_fat, u32(60), m_sector, sectorAt(), &miniTable))
            return false;
        std::vector<quint32> miniFat(size_t(miniTable.size() / 4));
        for (size_t i = 0; i < miniFat.size(); ++i)
            miniFat[i] = u32At(miniTable, qsizetype(i) * 4);
        constexpr qsizetype kMini = 64;
        const auto miniAt = [&container](quint32 id) -> const char* {
            return qsizetype(id + 1) * kMini <= container.size() ? container.constData() + qsizetype(id) * kMini : nullptr;
        };
        return chain(miniFat, start, kMini, miniAt, out);
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
    quint16 m_major = 0;
    qsizetype m_sector = 512;
    quint32 m_sectors = 0;
    std::vector<quint32> m_fat;
};
}

bool readCompoundStream(const QByteArray& file, QStringView name, QByteArray* stream, QString* error)
{
    return CompoundFile(file).stream(name, stream, error);
}
