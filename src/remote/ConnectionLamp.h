#pragma once

#include <QIcon>

// The lamp of the exchange windows: dark green while not connected, bright green when connected.
QIcon connectionLamp(bool connected);
