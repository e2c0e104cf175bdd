#pragma once

#include "sheets/DateFormats.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

// One cell of a sheet as the spreadsheet files hold it. Dates are kept as the serial day
// number of the 1900 date system (days since 1899-12-30, the time as the fraction), so a
// sheet read from one format writes unchanged into another. A text read from an .xls file
// stays UTF-8 in its sheet's TextPool until it is asked for, which is most of the time of
// reading a big sheet saved.
struct SheetCell {
    enum class Kind : std::uint8_t { Empty, Text, Number, Date };

    Kind kind = Kind::Empty;
    DateParts shows = DateParts::None;  // of a date: what its number format shows, if known
    std::uint32_t pooledSize = 0;  // bytes of a pooled text, 0 for a text of its own
    union {
        double number = 0;
        const char* pooled;  // NUL-terminated UTF-8 in the sheet's pool
    };
    QString text;

    static SheetCell fromText(const QString& text);
    static SheetCell fromPooledUtf8(const char* utf8, std::uint32_t size);
    static SheetCell fromNumber(double value);
    static SheetCell fromSerialDate(double serial, DateParts shows = DateParts::None);

    bool isEmpty() const { return kind == Kind::Empty; }
    // What a writer's format shows of a date: what the cell's own format showed, or with
    // none known the date, with the time of day when the value has one.
    DateParts shownParts() const;
    bool isPooled() const { return kind == Kind::Text && pooledSize > 0; }
    // What readers give: numbers by numberText, dates as serialDateText gives them, an empty
    // cell as the empty text. Always a text of its own, never one referring into a pool.
    QString displayText() const;
};

using CellRow = std::vector<SheetCell>;

// The serial day of the 1900 date system for a moment, and back to text. Serials below 61
// count from 1899-12-31, because the 1900 system holds a 29 February 1900 that never was.
// The text is "YYYY-MM-DD", with " hh:mm:ss" when the format shows date and time (midnight
// too) or, with no format known, when the value carries a time; a date format shows no time,
// and a time format ("hh:mm", in a 1904 workbook as well) the time of day alone. A duration
// shows its largest unit whole, as far as it goes: "30:15:00", "1815:00", "108900".
double serialFromDateTime(const QDateTime& moment);
QString serialDateText(double serial, DateParts shows = DateParts::None);
// Days between the 1904 and the 1900 date systems.
constexpr double kDays1904 = 1462;
// What a workbook's value under a date format holds in the 1900 system kept here, the
// workbook counting `dateShift` days later (kDays1904 in the 1904 system, else 0): a moment
// moves by them; a duration, and a time of day with no date (below one day), is no moment
// and keeps its value.
double serialIn1900System(double value, double dateShift, DateParts shows);
