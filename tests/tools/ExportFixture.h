#pragma once
// The fixture data of the ledra-export tests: one handheld user's four databases, written with
// PdbWriter below a desktop data root.

#include "HandheldData.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// One handheld user's four databases, with the names the command-line tests use.
struct UserData : HandheldData {
    UserData() {
        types = {{1, "Food"}, {2, "Salary"}, {3, "Rent, flat"}};
        payments = {{1, "Cash"}, {2, "Credit card"}};
        labels = {"Unfiled", "", "Business", "Caf\xE9"};
        currencies[3] = {"Pound", "GBP", 0.8, false, false};
    }

    // `backup` and the file names' letter case vary to show how a copied backup is found.
    void write(const std::string& root, const std::string& user,
               const std::string& backup = "BACKUP", const std::string& ext = ".PDB") const {
        HandheldData::write(std::filesystem::path(root) / user / backup, ext);
    }
};

// Records over two years, three quarters and several months, in three currencies and three
// categories, with texts that need quoting.
inline UserData richData() {
    UserData d;
    d.txs = {
        {PackDate(2001, 12, 31), 2, 2, 1500.0, 1, "December pay", 0},
        {PackDate(2002, 1, 3), 1, 1, -12.5, 1, "Bakery \"Sonne\"", 2},
        {PackDate(2002, 1, 20), 1, 2, -30.0, 2, "Market, vegetables", 3},
        {PackDate(2002, 2, 5), 3, 2, -450.0, 1, "", 0},
        {PackDate(2002, 3, 1), 1, 1, 0.0, 1, "Free sample", 2},
        {PackDate(2002, 3, 31), 2, 2, 1600.0, 1, "March pay", 0},
        {PackDate(2002, 4, 1), 1, 1, -8.0, 3, "Tea", 2},
        {PackDate(2002, 1, 25), 9, 9, -5.0, 2, "Unknown type", 3},
    };
    return d;
}
