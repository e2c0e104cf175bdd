#include "sheets/DateFormats.h"

bool isDateFormatCode(QStringView code)
{
    if (code.compare(u"General", Qt::CaseInsensitive) == 0)
        return false;
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
            // Colours, conditions and locales are skipped; elapsed hours, minutes and
            // seconds make a duration, which is no date.
            const qsizetype close = code.indexOf(u']', i);
            if (close < 0)
                return false;
            const QStringView inside = code.sliced(i + 1, close - i - 1);
            if (!inside.isEmpty() && QStringView(u"hms").contains(inside[0].toLower()))
                return false;
            i = close;
            break;
        }
        case u';':
            return false;  // only the first section, for positive numbers, counts
        case u'y':
        case u'm':
        case u'd':
        case u'h':
        case u's':
            return true;
        default:
            break;
        }
    }
    return false;
}

bool isBuiltInDateFormat(int id)
{
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58);
}
