#include "pdb/UserDatabases.h"

bool OpenUserDatabases(const DatabasePaths& paths, cPDB& money, cPDB& payment, cPDB& currency,
                       cPDB& types) {
    bool opened = money.Open(paths.money) == 0;
    opened = payment.Open(paths.payment) == 0 && opened;
    opened = currency.Open(paths.currency) == 0 && opened;
    opened = types.Open(paths.types) == 0 && opened;
    return opened;
}
