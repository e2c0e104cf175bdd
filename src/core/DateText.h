#pragma once

#include <QDate>
#include <QString>

// Dates are stored and shown as "YYYY-MM-DD", so that text order is date order.
QString dateText(const QDate& date);
// A stored moment: the date text, a blank, then "hh:mm:ss".
QString dateTimeText(const QDateTime& moment);
// Today's date text by the installed clock.
QString todayText();
// Reads a date as librarians type it and spreadsheets write it: "2017-4-1", "2017/04/01",
// "2017.4.1", "2017年4月1日" or "20170401", in full-width characters too, with a year from
// 1000 to 2999, optionally followed by a blank and a time ("9:30" or "09:30:00"), which is
// ignored. An invalid date when the text is none of these or names no day of the calendar.
QDate parseDateText(const QString& text);
// The text as every write stores a date: "YYYY-MM-DD"; a null text when it is no date.
QString normalizedDateText(const QString& text);
// What a window says when the text typed into the named date field is no date.
QString notADateMessage(const QString& fieldName, const QString& text);
