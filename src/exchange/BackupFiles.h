#pragma once

#include <QDate>
#include <QString>

// The rolling backup written when the program closes: one file a weekday, 0 = Sunday,
// each overwritten a week later.
QString exitBackupPath(const QString& programFolder, const QDate& date);
