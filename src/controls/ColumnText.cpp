#include "controls/ColumnText.h"

#include <limits>

int leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<qint64>(value * 10 + (text[i].unicode() - u'0'), std::numeric_limits<int>::max());
    return int(negative ? -value : value);
}

QList<ColumnSpec> parseColumnText(const QString& text)
{
    QList<ColumnSpec> columns;
    qsizetype p = 0;
    for (;;) {
        const qsizetype comma = text.indexOf(u',', p);
        if (comma < 0)
            break;
        ColumnSpec column;
        column.heading = text.mid(p, comma - p);
        p = comma + 1;
        qsizetype end = text.indexOf(u';', p);
        if (end < 0)
            end = text.size();
        column.width = std::max(0, leadingNumber(QStringView(text).mid(p, end - p)));
        p = end + 1;
        columns.append(column);
    }
    return columns;
}
