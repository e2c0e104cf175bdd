#pragma once

#include <QDate>
#include <QString>

// Dates are stored and shown as "YYYY-MM-DD", so that text order is date order.
QString dateText(const QDate& date);
// A stored moment: the date text, a blank, then "hh:mm:ss".
QString dateTimeText(const QDateTime& moment);
// Today's date text by the installed clock.
QString todayText();
// Reads "YYYY-MM-DD" (a time after a blank is ignored); an invalid date when it is none.
QDate parseDateText(const QString& text);
