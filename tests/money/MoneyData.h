#pragma once
// Small handheld data sets for the Money tests and the benchmark: four databases described in
// memory, written with PdbWriter and opened with cPDB.

#include "HandheldData.h"
#include "pdb/Pdb.h"

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
        if (money.Open(dir + "/Ledra_Money.PDB") != 0 ||
            types.Open(dir + "/Ledra_Types.PDB") != 0 ||
            payment.Open(dir + "/Ledra_Payment.PDB") != 0 ||
            currency.Open(dir + "/Ledra_Currency.PDB") != 0)
            throw std::runtime_error("cannot open the test databases in " + dir);
    }
    void close() {
        money.Close();
        types.Close();
        payment.Close();
        currency.Close();
    }
};
