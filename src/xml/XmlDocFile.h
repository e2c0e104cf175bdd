#pragma once

#include "xml/XmlCodePages.h"

#include <QByteArray>

#include <cstdio>
#include <memory>

// A document file read piece by piece and converted to UTF-8 on the way: its byte-order mark
// or declared encoding is found when it is opened, and each read appends the next piece. The
// whole-file read and the streaming read mode of CXmlDoc both go through it, so a file reads
// the same whichever way it is taken.
class XmlFileReader {
public:
    ~XmlFileReader();
    // Null when the file cannot be opened; the reason is added to `results`.
    static std::unique_ptr<XmlFileReader> open(const char* path, QByteArray& results);

    // Appends up to `bytes` more bytes of the file (a whole code unit at least), converted, to
    // `text`; false on a read error.
    // With `faultsOnly` only what went wrong is recorded, not the read itself, so that a long
    // stream of blocks leaves room in the records for the faults of its text.
    bool read(QByteArray& text, qint64 bytes, QByteArray& results, bool faultsOnly = false);
    bool atEnd() const { return m_atEnd && m_head.isEmpty(); }
    int flags() const { return m_flags; }  // the document flag of the byte-order mark read
    const QByteArray& encoding() const { return m_encoding; }

private:
    explicit XmlFileReader(FILE* file) : m_file(file) {}
    QByteArray readRaw(qint64 bytes, bool& ok);
    void convert(QByteArray& bytes, QByteArray& results, QByteArray& faults);

    FILE* m_file;
    qint64 m_size = 0;  // when opened: a read allocates no more than the rest of it (and a byte to see the end)
    qint64 m_position = 0;
    QByteArray m_head;       // read ahead to find the encoding
    QByteArray m_carry;      // half a UTF-16 unit at the end of the last read
    int m_unit = 1;
    int m_flags = 0;
    QByteArray m_encoding;
    bool m_detecting = false;  // no encoding is known: the first read looks for UTF-8
    bool m_atEnd = false;
    std::unique_ptr<XmlCodePages::Converter> m_converter;
};

// A document file written piece by piece from UTF-8 text: the first write settles the
// encoding (the byte-order-mark flags, else the encoding given, else the one the text
// declares) and writes the mark at the start of the file.
class XmlFileWriter {
public:
    ~XmlFileWriter();
    // Opens for writing, or for appending with the document flag 0x40; null on failure.
    static std::unique_ptr<XmlFileWriter> open(const char* path, int flags, const QByteArray& encoding,
                                               QByteArray& results);

    bool write(const QByteArray& text, QByteArray& results);
    // Ends the text and closes the file; false when any write failed.
    bool close(QByteArray& results);

private:
    XmlFileWriter(FILE* file, int flags, const QByteArray& encoding)
        : m_file(file), m_flags(flags), m_encoding(encoding)
    {
    }
    void settleEncoding(const QByteArray& text);
    bool put(const QByteArray& bytes, QByteArray& results);

    FILE* m_file;
    int m_flags;
    QByteArray m_encoding;
    bool m_settled = false;
    bool m_atStart = false;
    bool m_failed = false;
    std::unique_ptr<XmlCodePages::Converter> m_converter;
};
