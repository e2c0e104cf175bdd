#pragma once

#include <QIODevice>
#include <QString>
#include <QXmlStreamReader>

#include <unzip.h>

#include <vector>

class ReadBudget;

// The zip archive of an .xlsx file. Its parts are read as XmlPart, against the budget of
// the whole workbook.
class XlsxArchive {
public:
    XlsxArchive(const QString& path, ReadBudget& budget);
    ~XlsxArchive();
    XlsxArchive(const XlsxArchive&) = delete;
    XlsxArchive& operator=(const XlsxArchive&) = delete;

    bool isOpen() const { return m_zip != nullptr; }

private:
    friend class XmlPart;
    unzFile m_zip;
    ReadBudget& m_budget;
};

// One part of the archive read as XML while it inflates, so that no part is ever held
// whole. What the XML reader keeps grows with what it has read of an item not finished yet
// (a long text, a run of blanks, a start tag's namespace declarations) and with the
// elements it has open; both are taken from the budget as they grow, and given back when
// the part is done. Every token of the part goes through here, so none escapes the count.
class XmlPart {
public:
    enum class Outcome { Read, Missing, TooBig, OverBudget, Damaged, BadXml };

    // More than any sheet of the format's full size holds in practice; a part that inflates
    // past it is a crafted one, refused before it takes the time.
    static constexpr quint64 kMaxBytes = quint64(1) << 30;

    XmlPart(XlsxArchive& archive, const QString& name);
    ~XmlPart();
    XmlPart(const XmlPart&) = delete;
    XmlPart& operator=(const XmlPart&) = delete;

    bool atEnd() const { return m_xml.atEnd(); }
    // The next token, starting an item of the loop that reads the part: what was made of
    // the items before it is counted by whoever keeps it.
    QXmlStreamReader::TokenType nextItem();
    // The next token inside an item.
    QXmlStreamReader::TokenType readNext();
    const QXmlStreamReader& xml() const { return m_xml; }
    // How many elements are open.
    size_t depth() const { return m_open.size(); }
    // The text of the element just started, read to its end; a child element is an error.
    QString elementText();
    // Reads to the end of the element just started.
    void skipElement();

    // How the reading went, once the loop is done: Read when the whole part was read as
    // the zip declares it and as well-formed XML.
    Outcome outcome();
    QString xmlError() const { return m_xml.errorString(); }

private:
    // The part's bytes for the XML reader, inflated as it asks for them.
    class Inflated : public QIODevice {
    public:
        explicit Inflated(XmlPart& part) : m_part(part) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
        bool isSequential() const override { return true; }

    protected:
        qint64 readData(char* data, qint64 most) override { return m_part.inflate(data, most); }
        qint64 writeData(const char*, qint64) override { return -1; }

    private:
        XmlPart& m_part;
    };

    qint64 inflate(char* data, qint64 most);
    // Ends the reading with `outcome`: the XML reader sees the part end here. Gives -1.
    qint64 fail(Outcome outcome);
    // Raises what is held for the reader to `bytes`, if it is more.
    bool reserve(quint64 bytes);
    bool wholeAsDeclared();

    unzFile m_zip;
    ReadBudget& m_budget;
    Inflated m_inflated{*this};
    QXmlStreamReader m_xml{&m_inflated};
    Outcome m_outcome = Outcome::Read;
    bool m_entryOpen = false;
    quint64 m_declared = 0;
    quint64 m_given = 0;      // bytes inflated and given to the XML reader
    quint64 m_itemStart = 0;  // m_given when the current item began
    quint64 m_reserved = 0;
    qint64 m_offset = 0;  // the XML reader's character offset after the last token
    std::vector<quint64> m_open;  // what each open element holds
};
