#include "remote/DbServiceCommands.h"

#include "remote/SetupIni.h"

#include <QAbstractButton>
#include <QProcess>

namespace DbServiceCommands {

QString startCommand() { return SetupIni::read(QStringLiteral("Server"), QStringLiteral("start")).trimmed(); }

QString stopCommand() { return SetupIni::read(QStringLiteral("Server"), QStringLiteral("stop")).trimmed(); }

bool run(const QString& command)
{
    QStringList words = QProcess::splitCommand(command);
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words);
}

void wire(QAbstractButton* start, QAbstractButton* stop)
{
    QObject::connect(start, &QAbstractButton::clicked, start, [] { run(startCommand()); });
    QObject::connect(stop, &QAbstractButton::clicked, stop, [] { run(stopCommand()); });
}

}
