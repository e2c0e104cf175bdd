#pragma once

#include <QStringView>

// What a number format shows of the serial day in its cell: no date at all, the date, the
// time of day, or both.
enum class DateParts : unsigned char { None, Date, Time, DateTime };

// Spreadsheet programs save dates under custom formats ("yyyy\-mm\-dd", ids from 164 on) as
// often as under the built-in ids, so the format's text decides; a custom format is not
// taken for a date by its id. "m" counts as minutes beside hours or seconds.
DateParts dateFormatParts(QStringView code);
// The built-in ids that show dates or times (the Chinese built-ins 27-36 and 50-58 too).
DateParts builtInDateParts(int id);
