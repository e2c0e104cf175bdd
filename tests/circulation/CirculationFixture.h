#pragma once

#include "support/TestSupport.h"

#include <QString>
#include <QStringList>

// Rows the circulation tests start from, written straight into the test database.
void insertBook(const QString& number, const QString& title, const QString& barcode = QString(),
                const QString& price = QStringLiteral("25.80"), int lentFlag = 0);
void insertReader(const QString& number, const QString& name, const QString& limit = QStringLiteral("2"),
                  const QString& days = QStringLiteral("30"), const QString& type = QStringLiteral("学生"));
// A loan row as an import would leave it (no lending step run).
void insertLoanRow(const QString& bookNumber, const QString& readerNumber, const QString& table = "jieyueinfo");

// Every row of a table, one text a row, so that a test can compare whole tables.
QStringList tableRows(const QString& table);
QString cell(const QString& sql);
// Every row of every table a lend or a return writes, to compare before and after.
QStringList circulationSnapshot();

class QLineEdit;
class QWidget;
// Types the text into a widget key by key, Chinese characters too (as an input method would).
void typeText(QWidget* widget, const QString& text);
QLineEdit* lineEdit(QWidget& window, const char* name);
void press(QWidget& window, const char* buttonName);
// Focuses the field, types the text and ends it with Enter, as a scanner does.
void scan(QWidget& window, const char* fieldName, const QString& text);
