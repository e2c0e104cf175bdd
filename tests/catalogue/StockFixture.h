#pragma once

#include "support/TestSupport.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

class CReportListCtrl;
class QWidget;

// What each stock test starts from: scripted seams (today is 2017-04-11) and a fresh
// program folder whose operator is "超级用户".
struct StockWorkplace {
    ScriptedSeams seams;
    TestProgramFolder folder;
};

// A copy in stock with plain values; the flag as given (NULL when invalid).
void stockBook(const QString& number, const QString& title = QStringLiteral("红楼梦"), const QVariant& flag = 0);
// A copy with every column set: NULLs, a price 25.8, Chinese text and quotes.
void stockFullBook(const QString& number);
void lendRow(const QString& number, const QString& reader = QStringLiteral("R1"));
void reserveRow(const QString& number, const QString& reader = QStringLiteral("R1"));

QString cell(const QString& sql, const QVariantList& params = {});
int count(const QString& sql, const QVariantList& params = {});
// Columns 1-15 of the first row of the table with that number, each as SQL quotes it, so
// that a text "25.8" and a number 25.8 differ.
QString copiedColumns(const QString& table, const QString& number);
// Every row of the stock, loss, weed-out, loan and reader tables.
QStringList stockSnapshot();

// The first column of every row of a list.
CReportListCtrl* listOf(QWidget& window, const char* name);
// The row whose first column is the text; -1 when none.
int rowOf(const CReportListCtrl& list, const QString& text);
void clickButton(QWidget& window, const char* name);
