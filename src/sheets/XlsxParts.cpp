#include "sheets/XlsxParts.h"

#include "sheets/ReadBudget.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace {
// What the XML reader and the texts gathered from it hold for each byte read since the
// current item began: the reader's copy of a token it has not finished (2.6 bytes a byte
// for a text, 7 for a start tag's namespace declarations), the text gathered from the
// item's tokens, and that text's copies on the way to its cell.
constexpr quint64 kHeldPerPendingByte = 16;
// What an open element holds: the reader's entry for it, and per character of its start
// tag, its name and namespace declarations.
constexpr quint64 kOpenElement = 256;
constexpr quint64 kHeldPerOpenChar = 8;
}

XlsxArchive::XlsxArchive(const QString& path, ReadBudget& budget)
    : m_zip(unzOpen64(QFile::encodeName(path).constData())), m_budget(budget)
{
}

XlsxArchive::~XlsxArchive()
{
    if (m_zip)
        unzClose(m_zip);
}

XmlPart::XmlPart(XlsxArchive& archive, const QString& name) : m_zip(archive.m_zip), m_budget(archive.m_budget)
{
    unz_file_info64 info{};
    if (unzLocateFile(m_zip, name.toUtf8().constData(), 1) != UNZ_OK)
        m_outcome = Outcome::Missing;
    else if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        m_outcome = Outcome::Damaged;
    else if (info.uncompressed_size > kMaxBytes)
        m_outcome = Outcome::TooBig;
    else if (unzOpenCurrentFile(m_zip) != UNZ_OK)
        m_outcome = Outcome::Damaged;
    else
        m_entryOpen = true;
    m_declared = info.uncompressed_size;
    if (m_outcome != Outcome::Read)
        m_xml.raiseError();
}

XmlPart::~XmlPart()
{
    if (m_entryOpen)
        unzCloseCurrentFile(m_zip);
    for (quint64 held : m_open)
        m_budget.giveBack(held);
    m_budget.giveBack(m_reserved);
}

QXmlStreamReader::TokenType XmlPart::nextItem()
{
    m_itemStart = m_given;
    return readNext();
}

QXmlStreamReader::TokenType XmlPart::readNext()
{
    const QXmlStreamReader::TokenType token = m_xml.readNext();
    const qint64 offset = m_xml.characterOffset();
    if (token == QXmlStreamReader::StartElement) {
        const quint64 held = kOpenElement + kHeldPerOpenChar * quint64(offset - m_offset);
        if (!m_budget.take(held)) {
            m_outcome = Outcome::OverBudget;
            m_xml.raiseError();
            return QXmlStreamReader::Invalid;
        }
        m_open.push_back(held);
    } else if (token == QXmlStreamReader::EndElement && !m_open.empty()) {
        m_budget.giveBack(m_open.back());
        m_open.pop_back();
    }
    m_offset = offset;
    return token;
}

QString XmlPart::elementText()
{
    QString text;
    while (!atEnd()) {
        switch (readNext()) {
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            if (text.isNull())
                text = m_xml.text().toString();  // most texts are one token: no room to spare
            else
                text += m_xml.text();
            break;
        case QXmlStreamReader::EndElement:
            return text;
        case QXmlStreamReader::StartElement:
            m_xml.raiseError(QStringLiteral("Expected character data."));
            return text;
        default:
            break;
        }
    }
    return text;
}

void XmlPart::skipElement()
{
    const size_t open = depth();
    while (depth() >= open && !atEnd())
        readNext();
}

XmlPart::Outcome XmlPart::outcome()
{
    if (m_outcome == Outcome::Read && m_xml.hasError())
        return Outcome::BadXml;
    if (m_outcome == Outcome::Read && !wholeAsDeclared())
        m_outcome = Outcome::Damaged;
    return m_outcome;
}

// Inflates what the XML reader left after its document, then checks the size and the CRC.
bool XmlPart::wholeAsDeclared()
{
    char rest[1 << 14];
    qint64 got = 0;
    do {
        m_itemStart = m_given;  // what follows the document is not held
        got = inflate(rest, sizeof rest);
    } while (got > 0);
    if (m_outcome != Outcome::Read || m_given != m_declared)
        return false;
    m_entryOpen = false;
    return unzCloseCurrentFile(m_zip) == UNZ_OK;
}

qint64 XmlPart::inflate(char* data, qint64 most)
{
    if (m_outcome != Outcome::Read)
        return -1;
    const int got = unzReadCurrentFile(m_zip, data, unsigned(std::min<qint64>(most, std::numeric_limits<int>::max())));
    if (got < 0)
        return fail(Outcome::Damaged);
    m_given += quint64(got);
    if (m_given > m_declared)
        return fail(Outcome::Damaged);
    if (!reserve(kHeldPerPendingByte * (m_given - m_itemStart)))
        return fail(Outcome::OverBudget);
    return got;
}

qint64 XmlPart::fail(Outcome outcome)
{
    m_outcome = outcome;
    return -1;
}

bool XmlPart::reserve(quint64 bytes)
{
    if (bytes <= m_reserved)
        return true;
    if (!m_budget.take(bytes - m_reserved))
        return false;
    m_reserved = bytes;
    return true;
}
