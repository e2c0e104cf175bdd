#include "core/Clock.h"

namespace {
const Clock* g_installed = nullptr;
}

QDateTime Clock::now() const { return QDateTime::currentDateTime(); }

const Clock& Clock::instance()
{
    static const Clock systemClock;
    return g_installed ? *g_installed : systemClock;
}

void Clock::install(const Clock* clock) { g_installed = clock; }
