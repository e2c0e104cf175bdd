#include "sheets/DateFormats.h"

namespace {
struct Letters {
    bool year = false, month = false, day = false, hour = false, second = false;

    DateParts parts() const
    {
        const bool time = hour || second;
        const bool date = year || day || (month && !time);
        if (date && time)
            return DateParts::DateTime;
        return date ? DateParts::Date : time ? DateParts::Time : DateParts::None;
    }
};

// "h", "mm", "sss"...: one letter, repeated, names the elapsed unit; "[Magenta]" is a colour.
DateParts elapsedUnit(QStringView inside)
{
    if (inside.isEmpty() || inside.count(inside.front(), Qt::CaseInsensitive) != inside.size())
        return DateParts::None;
    switch (inside.front().toLower().unicode()) {
    case u'h':
        return DateParts::ElapsedHours;
    case u'm':
        return DateParts::ElapsedMinutes;
    case u's':
        return DateParts::ElapsedSeconds;
    default:
        return DateParts::None;
    }
}
}

DateParts dateFormatParts(QStringView code)
{
    if (code.compare(u"General", Qt::CaseInsensitive) == 0)
        return DateParts::None;
    Letters seen;
    bool inQuotes = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const char16_t c = code[i].toLower().unicode();
        if (inQuotes) {
            inQuotes = c != u'"';
            continue;
        }
        switch (c) {
        case u'"':
            inQuotes = true;
            break;
        case u'\\':
        case u'_':
        case u'*':
            ++i;  // the next character is shown, padded or repeated as it is
            break;
        case u'[': {
            // Colours, conditions and locales are skipped; elapsed hours, minutes or
            // seconds, the format's largest unit, make it a duration.
            const qsizetype close = code.indexOf(u']', i);
            if (close < 0)
                return DateParts::None;
            if (const DateParts elapsed = elapsedUnit(code.sliced(i + 1, close - i - 1)); elapsed != DateParts::None)
                return elapsed;
            i = close;
            break;
        }
        case u';':
            return seen.parts();  // only the first section, for positive numbers, counts
        case u'y':
            seen.year = true;
            break;
        case u'm':
            seen.month = true;
            break;
        case u'd':
            seen.day = true;
            break;
        case u'h':
            seen.hour = true;
            break;
        case u's':
            seen.second = true;
            break;
        default:
            break;
        }
    }
    return seen.parts();
}

DateParts builtInDateParts(int id)
{
    if (id == 22)
        return DateParts::DateTime;
    if (id == 46)  // "[h]:mm:ss"
        return DateParts::ElapsedHours;
    if ((id >= 18 && id <= 21) || (id >= 32 && id <= 35) || id == 45 || id == 47 || id == 55 || id == 56)
        return DateParts::Time;
    if ((id >= 14 && id <= 17) || (id >= 27 && id <= 31) || id == 36 || (id >= 50 && id <= 58))
        return DateParts::Date;
    return DateParts::None;
}
