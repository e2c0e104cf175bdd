#include "maintenance/BackupFiles.h"

#include "core/DateText.h"

QString backupFolder(const QString& programFolder) { return programFolder + QStringLiteral("/Database/bak"); }

QString exitBackupPath(const QString& programFolder, const QDate& date)
{
    return QStringLiteral("%1/book(%2).db").arg(backupFolder(programFolder)).arg(date.dayOfWeek() % 7);
}

QString dailyBackupPath(const QString& programFolder, const QDate& date)
{
    return QStringLiteral("%1/book(%2).db").arg(backupFolder(programFolder), dateText(date));
}

QString beforeRestorePath(const QString& programFolder)
{
    return backupFolder(programFolder) + QStringLiteral("/book(恢复前).db");
}
