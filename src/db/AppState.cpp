#include "db/AppState.h"

CAppState& theApp()
{
    static CAppState state;
    return state;
}
