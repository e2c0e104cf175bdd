#pragma once

#include "support/TestSupport.h"

#include <QString>
#include <QStringList>

// Rows the circulation tests start from, written straight into the test database.
void insertBook(const QString& number, const QString& title, const QString& barcode = QString(),
                const QString& price = QStringLiteral("25.80"), int lentFlag = 0);
void insertReader(const QString& number, const QString& name, const QString& limit = QStringLiteral("2"),
                  const QString& days = QStringLiteral("30"), const QString& type = QStringLiteral("学生"));
// The reader 2024000000001, whose number, type and department are wider than a narrow field.
void insertLongReader();
// A loan row as an import would leave it (no lending step run).
void insertLoanRow(const QString& bookNumber, const QString& readerNumber, const QString& table = "jieyueinfo");

// Every row of a table, one text a row, so that a test can compare whole tables.
QStringList tableRows(const QString& table);
QString cell(const QString& sql);
// Every row of every table a lend or a return writes, to compare before and after.
QStringList circulationSnapshot();

class QLineEdit;
class QSize;
class QWidget;
// Types the text into a widget key by key, Chinese characters too (as an input method would).
void typeText(QWidget* widget, const QString& text);
QLineEdit* lineEdit(QWidget& window, const char* name);
void press(QWidget& window, const char* buttonName);
// Focuses the field, types the text and ends it with Enter, as a scanner does.
void scan(QWidget& window, const char* fieldName, const QString& text);
// The reader fields of a lending page (its line edits `prefix` + ReaderNo, ReaderName, ...)
// whose text does not show whole, to the pixel, once the shown window is resized to `size`
// (kept when invalid) and laid out: an edit narrower than its text keeps its cursor behind
// the text and scrolls the first characters out of sight. Each is told with its text, the
// pixels hidden and its width; an empty field is told too.
QStringList readerFieldsCut(QWidget& window, QWidget& page, const QString& prefix, const QSize& size);
// The test data column "size" of readerFieldsCut: the window as it opens, and made as small
// as it goes.
void addWindowSizes();
