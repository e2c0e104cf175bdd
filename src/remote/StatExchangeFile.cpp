#include "remote/StatExchangeFile.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "db/Statements.h"
#include "export/SheetExport.h"
#include "remote/FtpClient.h"
#include "sheets/SpreadsheetFormat.h"
#include "sheets/TabTextFile.h"

#include <QDir>
#include <QFile>

namespace StatExchangeFile {
namespace {

// One line a row: the unit first, then the row's fields as text (NULL as the empty text).
void writeRows(TabTextFile& file, CAdoRecordset& rs, const QString& unit)
{
    for (; !rs.IsEOF(); rs.MoveNext()) {
        QStringList cells{unit};
        for (int field = 0; field < rs.GetFieldCount(); ++field)
            cells << variantText(rs.GetValue(field));
        file.writeLine(cells);
    }
}

} // namespace

bool write(CAdoConn& local, const QString& path, const QString& unit, const QDate& from, const QDate& to,
           QString* error)
{
    TabTextFile file(path);
    if (!file.open()) {
        *error = file.errorString();
        return false;
    }
    try {
        file.writeLine({kBookTypes});
        writeRows(file,
                  *openOrThrow(local, QStringLiteral("select 图书类别, count(单价) as 合计, sum(单价) as 总价 "
                                                     "from bkinfo group by 图书类别")),
                  unit);
        file.writeLine({kEntryDates});
        writeRows(file,
                  *openOrThrow(local, QStringLiteral("select 入库时间, count(单价) as 合计, sum(单价) as 总价 "
                                                     "from bkinfo group by 入库时间")),
                  unit);
        file.writeLine({kLendings});
        // Stored times are "YYYY-MM-DD", perhaps followed by the time of day: the last day
        // counts whole when the bound is the day after it.
        writeRows(file,
                  *openOrThrow(local,
                               QStringLiteral("select 读者类别, count(操作性质) as 合计 from jieyuelishiinfo "
                                              "where 操作性质='图书借阅' and 操作时间>=? and 操作时间<? "
                                              "group by 读者类别"),
                               {dateText(from), dateText(to.addDays(1))}),
                  unit + periodDateText(from));
    } catch (const DbError& e) {
        *error = e.text();
        file.discard();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

MergeResult merge(const QString& folder, const QString& workbook)
{
    MergeResult result;
    if (!isWorkbookFormat(formatForPath(workbook))) {
        result.error = QStringLiteral("不是Excel文件: ") + workbook;
        return result;
    }
    Sections all;
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        QFile file(entry.filePath());
        Sections one;
        const Kind kind = entry.isDir() || !file.open(QIODevice::ReadOnly) ? Kind::Other : parse(file.readAll(), &one);
        if (kind == Kind::Other) {
            result.skipped << entry.fileName();
        } else if (kind == Kind::Cut || isUploadPiece(entry.fileName())) {
            result.cut << entry.fileName();
        } else {
            all.bookTypes << one.bookTypes;
            all.entryDates << one.entryDates;
            all.lendings << one.lendings;
        }
    }
    if (!result.cut.isEmpty()) {
        result.error = QStringLiteral("以下文件不完整（传输被中断），请删除或重新下载：\n") + result.cut.join(QLatin1Char('\n'));
        return result;
    }
    const auto unit = QStringLiteral("单位名称");
    const auto copies = QStringLiteral("图书册书");
    const auto prices = QStringLiteral("图书价钱");
    // One commit: a sheet that cannot take its rows leaves the others as they were, so a
    // second try counts nothing twice.
    result.written = exportSheets(
        workbook,
        {{QStringLiteral("图书类别"), {unit, QStringLiteral("图书类别"), copies, prices}, all.bookTypes},
         {QStringLiteral("入库时间"), {unit, QStringLiteral("入库时间"), copies, prices}, all.entryDates},
         {QStringLiteral("借阅情况"), {unit, QStringLiteral("借阅人员"), QStringLiteral("借阅人次")}, all.lendings}},
        &result.error);
    return result;
}

}
