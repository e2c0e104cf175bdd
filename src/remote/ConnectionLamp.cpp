#include "remote/ConnectionLamp.h"

#include "controls/ButtonIcons.h"

QIcon connectionLamp(bool connected) { return resourceIcon(connected ? 214 : 213); }
