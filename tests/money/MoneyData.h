#pragma once
// Small handheld data sets for the Money tests and the benchmark: four databases described in
// memory, written with PdbWriter and opened with cPDB.

#include "HandheldData.h"
#include "pdb/Pdb.h"
#include "pdb/UserDatabases.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// The Money tests' data set: HandheldData's defaults.
using MoneyData = HandheldData;

struct OpenDatabases {
    cPDB money, types, payment, currency;

    void open(const std::string& dir) {
        if (!OpenUserDatabases(DatabasePathsIn(dir), money, payment, currency, types))
            throw std::runtime_error("cannot open the test databases in " + dir);
    }
    void close() {
        money.Close();
        types.Close();
        payment.Close();
        currency.Close();
    }
};
