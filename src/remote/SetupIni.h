#pragma once

#include "core/IniFile.h"

// setup.ini in the program folder. It holds the FTP password in plain text, as other
// installations read it, so every write leaves it readable and writable by its owner only.
class SetupIni {
public:
    SetupIni();

    QString value(const QString& section, const QString& key, const QString& fallback = {}) const
    {
        return m_ini.value(section, key, fallback);
    }
    void setValue(const QString& section, const QString& key, const QString& value)
    {
        m_ini.setValue(section, key, value);
    }
    bool save();

    static QString path();
    static QString read(const QString& section, const QString& key, const QString& fallback = {});

private:
    IniFile m_ini;
};
