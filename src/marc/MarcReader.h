#pragma once

#include "marc/MarcRecord.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <vector>

// A MARC exchange file of the Chinese profile read into the rows of the import list: one
// row of fifteen texts, in the order of bkinfo columns 1 to 15, for each record with a title.
// Damaged records are counted and the first one is named, but nothing of them is read.
class MarcReader {
public:
    // Cuts the bytes into records after each record terminator, skipping line ends and
    // blanks between records, and checks every record.
    explicit MarcReader(QByteArray bytes);

    // Every record found, well-formed or not.
    int recordCount() const { return m_recordCount; }
    int faultCount() const { return m_faultCount; }
    // How many records are damaged, with the number, first byte and fault of the first;
    // empty when none is.
    QString faultMessage() const;
    // Values are UTF-8 when every well-formed record is valid UTF-8, else GBK.
    bool isUtf8() const { return m_utf8; }
    // The rows of the well-formed records that have a title; `entryDate` is their 入库时间.
    QList<QStringList> rows(const QString& entryDate) const;

private:
    void cut();
    void noteFault(qsizetype offset, MarcFault fault);
    bool allUtf8() const;
    QByteArray wantedValues() const;

    QByteArray m_bytes;
    std::vector<MarcRecord> m_records;  // the well-formed ones, over m_bytes
    int m_recordCount = 0;
    int m_faultCount = 0;
    int m_firstFaultRecord = 0;
    qsizetype m_firstFaultOffset = 0;
    MarcFault m_firstFault = MarcFault::None;
    bool m_utf8 = true;
};
