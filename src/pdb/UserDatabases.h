#pragma once
// Opening a handheld user's four databases, as the viewer, ledra-export and the tests do.

#include "pdb/Pdb.h"
#include "platform/UserDirectory.h"

// All four are tried, whatever the earlier ones gave; true when all four opened. A view is
// offered only then. `opened`, when given, tells which did (money, payment, currency, types),
// so that a message can name the others.
bool OpenUserDatabases(const DatabasePaths& paths, cPDB& money, cPDB& payment, cPDB& currency,
                       cPDB& types, bool (*opened)[4] = nullptr);
