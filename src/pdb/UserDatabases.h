#pragma once
// Opening a handheld user's four databases, as the viewer, ledra-export and the tests do.

#include "pdb/Pdb.h"
#include "platform/UserDirectory.h"

// All four are tried, whatever the earlier ones gave; true when all four opened. A view is
// offered only then.
bool OpenUserDatabases(const DatabasePaths& paths, cPDB& money, cPDB& payment, cPDB& currency,
                       cPDB& types);
