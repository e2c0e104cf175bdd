#include "exchange/BackupFiles.h"

QString exitBackupPath(const QString& programFolder, const QDate& date)
{
    return QStringLiteral("%1/Database/bak/book(%2).db").arg(programFolder).arg(date.dayOfWeek() % 7);
}
