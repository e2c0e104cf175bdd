#pragma once

#include "db/AdoConn.h"

#include <QString>

// What the running program shares with every window for its whole life: the operator
// who logged in, the local database connection, the remote-server connection and the
// program folder.
struct CAppState {
    QString m_strOperator;
    CAdoConn m_ado{CAdoConn::FallBackToLocal};
    CAdoConn m_adoRemote;
    QString m_strAppPath;
};

CAppState& theApp();
