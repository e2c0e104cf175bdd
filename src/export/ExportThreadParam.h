#pragma once

#include "db/RowBlock.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// Everything an export job writes, copied when it starts: the rows are a read-only
// snapshot of the window's result, so the window may move, requery or insert while the
// job runs and the file still gets the rows as they were.
struct ExportThreadParam {
    QString path;
    QString sheet;
    QStringList header;
    std::shared_ptr<const RowBlock> rows;
    // The fields of the snapshot written, column 1 being firstField.
    int firstField = 0;
    int lastField = 0;
    // Fields written as numbers when they hold one; the others as trimmed text.
    QList<int> numericFields;
    // Rows written after the data, such as a totals row.
    QList<QStringList> footer;
    // From this many rows on the bar counts in tens (0: never), keeping its range small.
    int progressScaleFrom = 32768;
    // Plain text whatever the name: cells separated by TAB, no quotes, GBK, CR LF; a TAB
    // after each name of the header, the blanks that end a row's line dropped; an existing
    // file is replaced.
    bool tabText = false;
};
