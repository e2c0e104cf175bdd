#pragma once

#include <QStringView>

// What a number format shows of the serial day in its cell: no date at all, the date, the
// time of day, or both; or an elapsed time ("[h]:mm:ss", "[mm]:ss", "[ss]"), a duration
// counted in its largest unit, which may pass a day and is no moment at all.
enum class DateParts : unsigned char { None, Date, Time, DateTime, ElapsedHours, ElapsedMinutes, ElapsedSeconds };

inline bool isElapsed(DateParts parts) { return parts >= DateParts::ElapsedHours; }

// Spreadsheet programs save dates under custom formats ("yyyy\-mm\-dd", ids from 164 on) as
// often as under the built-in ids, so the format's text decides; a custom format is not
// taken for a date by its id. "m" counts as minutes beside hours or seconds.
DateParts dateFormatParts(QStringView code);
// The built-in ids that show dates, times or durations (the Chinese built-ins 27-36 and
// 50-58 too).
DateParts builtInDateParts(int id);

// The number formats the writers give date cells, by what their format showed: one for each
// DateParts from Date on, in the enum's order.
inline constexpr const char* kWrittenDateFormats[] = {"yyyy-mm-dd", "hh:mm:ss", "yyyy-mm-dd hh:mm:ss",
                                                       "[h]:mm:ss",  "[mm]:ss",  "[ss]"};
inline int writtenDateFormatIndex(DateParts parts) { return int(parts) - int(DateParts::Date); }
