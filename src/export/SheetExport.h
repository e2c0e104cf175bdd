#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// Writes a list into one sheet of a file on the caller's thread, in one commit: the
// header, then every row. A sheet that already carries this header keeps its rows and
// the new ones follow them; a sheet with another header is left alone and the reason
// names the remedy. False with the reason in `error`, the file then as it was.
bool exportSheet(const QString& path, const QString& sheet, bool backup, const QStringList& header,
                 const QList<QStringList>& rows, QString* error);

// One sheet's part of an export into several sheets.
struct SheetRows {
    QString sheet;
    QStringList header;
    QList<QStringList> rows;
};
// Writes each into its sheet of one workbook as exportSheet does (no backup), in one
// commit: every sheet changes or none.
bool exportSheets(const QString& path, const QList<SheetRows>& sheets, QString* error);

// A failure message with its reason, if one is known, on the next line.
QString withReason(const QString& message, const QString& reason);

// The save dialog's answer as a path: a name without extension gets ".xls", as the
// dialogs of the exports propose.
QString withDefaultExtension(const QString& path);

// Asks where to save a workbook, proposing `name`.xls in the working folder (nothing for an
// empty name), as the exports do; the answer as withDefaultExtension gives it, empty when
// the librarian cancelled.
QString chooseWorkbook(QWidget* window, const QString& name, const QString& filter = QStringLiteral("Excel文件(*.xls)"));

// Whether a summary without rows is written (its header only) or refused as a failure.
enum class EmptySummary { Written, Fails };

// The export of a summary page's rows: refused ("查询数据为空!") while nothing was queried;
// else a workbook is chosen (see chooseWorkbook) and the header and rows are written into
// the sheet, saying "导出数据成功!" or "导出数据失败!" with the reason.
void exportSummary(QWidget* window, const QString& sheet, const QStringList& header,
                   const std::optional<QList<QStringList>>& rows, EmptySummary empty);

// The export of a query page's rows: asks for a workbook (see chooseWorkbook), then writes
// the header and the rows into the sheet with the file's backup switched on, saying
// "导出文件成功!" when every write succeeded, else "请操作失败!" with the reason. The rows are read only
// after a file was chosen; a database failure while reading them (DbError) is a failed
// export too.
void exportQuerySheet(QWidget* window, const QString& sheet, const QStringList& header,
                      const std::function<QList<QStringList>()>& rows);
