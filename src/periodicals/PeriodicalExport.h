#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The periodical query pages' exports: asks for a file (proposing the sheet's name, ".xls"
// when none is given), then writes the header and the rows into that sheet with its backup
// switched on, on the window's own thread. Says "导出文件成功!" when every write succeeded,
// else "请操作失败!". The rows are read only after a file was chosen; a database failure
// while reading them (DbError) is a failed export too.
void exportPeriodicalSheet(QWidget* page, const QString& sheet, const QStringList& header,
                           const std::function<QList<QStringList>()>& rows);
