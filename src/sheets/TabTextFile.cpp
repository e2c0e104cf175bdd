#include "sheets/TabTextFile.h"

#include "core/TextCodec.h"
#include "sheets/Sheet.h"

TabTextFile::TabTextFile(const QString& path) : m_file(path) {}

bool TabTextFile::open() { return m_ok = m_file.open(QIODevice::WriteOnly); }

QString TabTextFile::cellText(QString value)
{
    for (QChar& c : value)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return value;
}

void TabTextFile::writeLine(const QStringList& cells, bool trimEnd)
{
    QStringList texts;
    for (const QString& cell : cells)
        texts << cellText(cell);
    QString line = texts.join(QLatin1Char('\t'));
    if (trimEnd) {
        qsizetype end = line.size();
        while (end > 0 && line[end - 1].isSpace())
            --end;
        line.truncate(end);
    }
    const QByteArray bytes = toGbk(line) + "\r\n";
    m_ok = m_ok && m_file.write(bytes) == bytes.size();
}

bool TabTextFile::commit()
{
    if (!m_ok) {
        discard();
        return false;
    }
    return m_file.commit();
}

void TabTextFile::discard()
{
    m_file.cancelWriting();
    m_file.commit();
}

bool writeTabText(const QString& path, const SheetSource& sheet, QString* error)
{
    TabTextFile file(path);
    if (!file.open()) {
        *error = QStringLiteral("不能写文件：%1（%2）").arg(path, file.errorString());
        return false;
    }
    CellRow cells;
    for (int row = 0; row < sheet.rowCount(); ++row) {
        sheet.row(row, cells);
        QStringList texts;
        for (const SheetCell& cell : cells)
            texts << cell.displayText();
        // The header ends each name with a TAB, as the other schools' files have it.
        const bool header = row == 0;
        if (header)
            texts << QString();
        file.writeLine(texts, !header);
    }
    if (!file.commit()) {
        *error = QStringLiteral("不能写文件：%1（%2）").arg(path, file.errorString());
        return false;
    }
    return true;
}
