#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <initializer_list>

// Writes ISO 2709 records byte by byte, the way a cataloguing system exports them: a
// 24-byte leader, a directory of 12-byte entries closed by 0x1E, the fields each closed by
// 0x1E, and the record terminator 0x1D. Lengths and positions count bytes.
class MarcBuilder {
public:
    using Subfield = QPair<char, QByteArray>;

    // A data field's contents: two indicators, then delimiter 0x1F, code and value per subfield.
    static QByteArray subfields(std::initializer_list<Subfield> values, const QByteArray& indicators = "  ")
    {
        QByteArray data = indicators;
        for (const Subfield& value : values)
            data += '\x1f' + QByteArray(1, value.first) + value.second;
        return data;
    }

    // Adds a field; its terminator is added here.
    MarcBuilder& field(const QByteArray& tag, const QByteArray& data)
    {
        m_fields.append({tag, data + '\x1e'});
        return *this;
    }
    MarcBuilder& field(const QByteArray& tag, std::initializer_list<Subfield> values)
    {
        return field(tag, subfields(values));
    }

    QByteArray record() const
    {
        QByteArray directory;
        QByteArray data;
        for (const auto& [tag, contents] : m_fields) {
            directory += tag + number(contents.size(), 4) + number(data.size(), 5);
            data += contents;
        }
        const qsizetype base = 24 + directory.size() + 1;
        const qsizetype length = base + data.size() + 1;
        return number(length, 5) + "nam0 22" + number(base, 5) + "   450 " + directory + '\x1e' + data + '\x1d';
    }

    static QByteArray number(qsizetype value, int digits)
    {
        return QByteArray::number(value).rightJustified(digits, '0');
    }

private:
    QList<QPair<QByteArray, QByteArray>> m_fields;
};
