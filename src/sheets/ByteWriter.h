#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstring>

// Little-endian bytes for the binary file formats.
class ByteWriter {
public:
    void u8(quint8 v) { m_bytes.append(char(v)); }
    void u16(quint16 v) { put(qToLittleEndian(v)); }
    void u32(quint32 v) { put(qToLittleEndian(v)); }
    void f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        put(qToLittleEndian(bits));
    }
    void bytes(const char* data, qsizetype size) { m_bytes.append(data, size); }
    void bytes(const QByteArray& data) { m_bytes.append(data); }
    void zeros(qsizetype count) { m_bytes.append(count, '\0'); }
    // Overwrite values written earlier.
    void patch16(qsizetype at, quint16 v)
    {
        v = qToLittleEndian(v);
        std::memcpy(m_bytes.data() + at, &v, sizeof v);
    }
    void patch32(qsizetype at, quint32 v)
    {
        v = qToLittleEndian(v);
        std::memcpy(m_bytes.data() + at, &v, sizeof v);
    }

    qsizetype size() const { return m_bytes.size(); }
    void reserve(qsizetype size) { m_bytes.reserve(size); }
    const QByteArray& data() const { return m_bytes; }
    QByteArray take() { return std::move(m_bytes); }

private:
    template <typename T>
    void put(T v)
    {
        m_bytes.append(reinterpret_cast<const char*>(&v), sizeof v);
    }

    QByteArray m_bytes;
};
