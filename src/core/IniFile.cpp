#include "core/IniFile.h"

#include "core/TextCodec.h"

#include <QFile>
#include <QSaveFile>

namespace {
bool isSectionLine(const QString& line) { return line.trimmed().startsWith(QLatin1Char('[')); }

QString sectionName(const QString& line)
{
    const QString t = line.trimmed();
    const int close = t.indexOf(QLatin1Char(']'));
    return t.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

QString keyOf(const QString& line)
{
    const int eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.left(eq).trimmed();
}
}

IniFile::IniFile(QString path) : m_path(std::move(path))
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_lines = decodeText(file.readAll()).split(QLatin1Char('\n'));
    for (QString& line : m_lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

int IniFile::findSection(const QString& section) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (isSectionLine(m_lines[i]) && sectionName(m_lines[i]).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const
{
    int i = sectionLine + 1;
    while (i < m_lines.size() && !isSectionLine(m_lines[i]))
        ++i;
    return i;
}

int IniFile::findKey(int sectionLine, const QString& key) const
{
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        const QString t = m_lines[i].trimmed();
        if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
            continue;
        if (keyOf(m_lines[i]).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const
{
    const int s = findSection(section);
    if (s < 0)
        return fallback;
    const int k = findKey(s, key);
    if (k < 0)
        return fallback;
    const QString& line = m_lines[k];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    // A line break inside the value would end the entry early and start a line of its own.
    QString oneLine = value;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString entry = key + QLatin1Char('=') + oneLine;
    int s = findSection(section);
    if (s < 0) {
        m_lines << QStringLiteral("[%1]").arg(section) << entry;
        return;
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        m_lines[k] = entry;
        return;
    }
    int end = sectionEnd(s);
    while (end > s + 1 && m_lines[end - 1].trimmed().isEmpty())
        --end;
    m_lines.insert(end, entry);
}

bool IniFile::save() const
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = (m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

QString IniFile::read(const QString& path, const QString& section, const QString& key, const QString& fallback)
{
    return IniFile(path).value(section, key, fallback);
}

bool IniFile::write(const QString& path, const QString& section, const QString& key, const QString& value)
{
    IniFile ini(path);
    ini.setValue(section, key, value);
    return ini.save();
}
