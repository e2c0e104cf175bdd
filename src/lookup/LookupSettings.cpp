#include "lookup/LookupSettings.h"

#include "core/IniFile.h"

LookupSettings LookupSettings::read(const QString& iniPath)
{
    const IniFile ini(iniPath);
    const QString section = QStringLiteral("Lookup");
    auto address = [&](const char* key) {
        QString base = ini.value(section, QString::fromLatin1(key)).trimmed();
        while (base.endsWith(QLatin1Char('/')))
            base.chop(1);
        return base;
    };
    LookupSettings settings;
    settings.opac = address("opac");
    settings.review = address("review");
    settings.secondhand = address("secondhand");
    bool ok = false;
    const int seconds = ini.value(section, QStringLiteral("timeout")).trimmed().toInt(&ok);
    if (ok && seconds > 0)
        settings.timeout = seconds;
    return settings;
}
