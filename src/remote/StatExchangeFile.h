#pragma once

#include "remote/StatExchangeText.h"

class CAdoConn;

// Writing a unit's statistics exchange file (see StatExchangeText.h) and merging such files.
namespace StatExchangeFile {

// Writes the unit's file from the local database, counting the lendings from `from` to
// `to`, both days included. The file appears whole or not at all; false with the reason.
bool write(CAdoConn& local, const QString& path, const QString& unit, const QDate& from, const QDate& to,
           QString* error);

// Adds the rows of every statistics exchange file in the folder (in the order of their
// names) to the three sheets 图书类别, 入库时间 and 借阅情况 of the workbook, behind the rows
// the sheets hold. Entries that are no such file (folders, other files) are skipped and
// named in `skipped`. A file cut short, or a piece of an upload (NAME.part, NAME.old),
// refuses the whole merge, named in `cut`: merged once it is whole, each unit counts once.
// The three sheets change in one write: false with the reason when the workbook could not
// be written, which is then as it was.
struct MergeResult {
    bool written = false;
    QString error;
    QStringList skipped;
    QStringList cut;
};
MergeResult merge(const QString& folder, const QString& workbook);

}
