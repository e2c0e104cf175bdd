#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Writes a list into one sheet of a file on the caller's thread, in one commit: the
// header, then every row. A sheet that already carries this header keeps its rows and
// the new ones follow them; every step's result is checked. False with the reason in
// `error`, the file then as it was.
bool exportSheet(const QString& path, const QString& sheet, bool backup, const QStringList& header,
                 const QList<QStringList>& rows, QString* error);

// The save dialog's answer as a path: a name without extension gets ".xls", as the
// dialogs of the exports propose.
QString withDefaultExtension(const QString& path);
