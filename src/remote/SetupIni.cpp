#include "remote/SetupIni.h"

#include <QFile>

SetupIni::SetupIni() : m_ini(path()) {}

QString SetupIni::path() { return QStringLiteral("setup.ini"); }

QString SetupIni::read(const QString& section, const QString& key, const QString& fallback)
{
    return SetupIni().value(section, key, fallback);
}

bool SetupIni::save()
{
    // The file's new content takes over the permissions of the file it replaces: make them
    // owner-only before any content is written.
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QFile file(path());
    if (!file.exists() && !file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    return file.setPermissions(ownerOnly) && m_ini.save();
}
