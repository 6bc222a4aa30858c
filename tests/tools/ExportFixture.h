#pragma once
// The fixture data of the ledra-export tests: one handheld user's four databases, written with
// PdbWriter below a desktop data root.

#include "PdbWriter.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

struct Tx {
    std::uint16_t date;
    std::uint16_t type, pay;
    double amount;
    std::uint8_t curr;
    std::string memo;
    std::uint8_t cat;
};

// One handheld user's four databases.
struct UserData {
    std::vector<std::pair<std::int16_t, std::string>> types{
        {1, "Food"}, {2, "Salary"}, {3, "Rent, flat"}};
    std::vector<std::pair<std::int16_t, std::string>> payments{{1, "Cash"}, {2, "Credit card"}};
    std::array<CurrencySlot, 11> currencies{};
    std::array<std::string, 16> labels{"Unfiled", "", "Business", "Caf\xE9"};
    std::vector<Tx> txs;

    UserData() {
        currencies[1] = {"Euro", "EUR", 1.0, true, true};
        currencies[2] = {"US Dollar", "USD", 0.9, false, true};
        currencies[3] = {"Pound", "GBP", 0.8, false, false};
    }

    // `backup` and the file names' letter case vary to show how a copied backup is found.
    void write(const std::string& root, const std::string& user,
               const std::string& backup = "BACKUP", const std::string& ext = ".PDB") const {
        const std::filesystem::path dir = std::filesystem::path(root) / user / backup;
        std::filesystem::create_directories(dir);
        PdbWriter money, typesDb, paymentDb, currency;
        money.appInfo = CategoryBlock(labels);
        for (const Tx& t : txs)
            money.add(TransactionBytes(t.date, t.type, t.pay, t.amount, t.curr, t.memo), t.cat);
        for (const auto& [id, name] : types)
            typesDb.add(TypeRecordBytes(id, name));
        for (const auto& [id, name] : payments)
            paymentDb.add(TypeRecordBytes(id, name));
        currency.add(CurrencyTableRecord(currencies));
        money.save((dir / ("Ledra_Money" + ext)).string());
        typesDb.save((dir / ("Ledra_Types" + ext)).string());
        paymentDb.save((dir / ("Ledra_Payment" + ext)).string());
        currency.save((dir / ("Ledra_Currency" + ext)).string());
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
