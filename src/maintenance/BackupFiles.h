#pragma once

#include <QDate>
#include <QString>

// The rolling backup written when the program closes: one file a weekday, 0 = Sunday,
// each overwritten a week later.
QString exitBackupPath(const QString& programFolder, const QDate& date);
// The folder backups go to.
QString backupFolder(const QString& programFolder);
// The backup window's proposal: one file a day, "book(YYYY-MM-DD).db".
QString dailyBackupPath(const QString& programFolder, const QDate& date);
// The copy of the database a restore keeps of what it replaces.
QString beforeRestorePath(const QString& programFolder);
