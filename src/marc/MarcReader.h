#pragma once

#include "marc/MarcRecord.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <vector>

// A MARC exchange file of the Chinese profile read into the rows of the import list: one
// row of fifteen texts, in the order of bkinfo columns 1 to 15, for each record with a title.
// The file holds a record a line; a line that holds several records, each ended by its record
// terminator, gives each of them, so files written without line ends read too. Lines that
// are no record (too short, their data starting past their end) are passed over.
class MarcReader {
public:
    explicit MarcReader(QByteArray bytes);

    // Values are UTF-8 when every record's values are valid UTF-8, else GBK.
    bool isUtf8() const { return m_utf8; }
    // The rows of the records that have a title; `entryDate` is their 入库时间.
    QList<QStringList> rows(const QString& entryDate) const;

private:
    void cut();
    QByteArray wantedValues() const;

    QByteArray m_bytes;
    std::vector<MarcRecord> m_records;  // the readable ones, over m_bytes
    QByteArray m_values;                // wantedValues(), read once
    bool m_utf8 = true;
};
