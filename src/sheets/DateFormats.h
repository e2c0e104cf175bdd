#pragma once

#include <QStringView>

// Whether a number format shows a date or a time. Spreadsheet programs save dates under
// custom formats ("yyyy\-mm\-dd", ids from 164 on) as often as under the built-in ids, so
// the format's text decides; a custom format is not taken for a date by its id.
bool isDateFormatCode(QStringView code);
// The built-in ids that show dates or times (the Chinese built-ins 27-36 and 50-58 too).
bool isBuiltInDateFormat(int id);
