#include "pdb/UserDatabases.h"
#include <algorithm>
#include <iterator>

bool OpenUserDatabases(const DatabasePaths& paths, cPDB& money, cPDB& payment, cPDB& currency,
                       cPDB& types, bool (*opened)[4]) {
    const bool each[4] = {money.Open(paths.money) == 0, payment.Open(paths.payment) == 0,
                          currency.Open(paths.currency) == 0, types.Open(paths.types) == 0};
    if (opened)
        std::copy(std::begin(each), std::end(each), std::begin(*opened));
    return each[0] && each[1] && each[2] && each[3];
}
