#pragma once

#include "support/TestSupport.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// Runs a statement on the application's connection; false (and a warning) when it fails.
bool run(const QString& sql, const QVariantList& values = {});
// A copy in a stock, loss or weed-out table of books or periodicals, written by position
// (the three tables of a kind agree on columns 1 to 15).
bool insertCopy(const QString& table, const QString& number, const QString& title, const QVariant& price,
                const QString& date = QStringLiteral("2017-01-01"), const QString& type = QStringLiteral("I文学"));
bool insertReader(const QString& number, const QString& name = QStringLiteral("读者"));
// A loan of a book (jieyueinfo) or of a periodical (qkjieyueinfo).
bool insertLoan(const QString& table, const QString& number, const QString& reader);

// Every row of a table in stored order, one text a row.
QStringList tableRows(const QString& table);
// Every row of every table of the database, to compare before and after.
QStringList databaseSnapshot();
// The first column of the first row; "<none>" without a row.
QString cell(const QString& sql, const QVariantList& values = {});
