#pragma once

#include <QString>
#include <QStringList>

// A Windows-style INI file ([Section] then key=value lines). Files written by other
// installations may be GBK; this reads UTF-8 when valid, else GBK, and writes UTF-8.
// Comments, blank lines and the order of sections and keys are kept on save.
class IniFile {
public:
    explicit IniFile(QString path);

    QString value(const QString& section, const QString& key, const QString& fallback = {}) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    // Writes the whole file through a temporary name; false when it cannot be written.
    bool save() const;

    // One-call forms for a single key.
    static QString read(const QString& path, const QString& section, const QString& key,
                        const QString& fallback = {});
    static bool write(const QString& path, const QString& section, const QString& key,
                      const QString& value);

private:
    int findSection(const QString& section) const;
    int findKey(int sectionLine, const QString& key) const;
    int sectionEnd(int sectionLine) const;

    QString m_path;
    QStringList m_lines;
};
