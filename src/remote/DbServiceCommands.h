#pragma once

#include <QString>

class QAbstractButton;

// Starts and stops the local database service by the command lines of setup.ini [Server]
// start and stop, run detached and not waited for. A command that is not set cannot run.
namespace DbServiceCommands {
QString startCommand();
QString stopCommand();
// False when the command is empty or could not be started.
bool run(const QString& command);
// Wires the window's start and stop buttons. They are started blind, as the service tools are:
// a click on a button whose command is not set does nothing.
void wire(QAbstractButton* start, QAbstractButton* stop);
}
