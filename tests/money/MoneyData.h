#pragma once
// Small handheld data sets for the Money tests and the benchmark: four databases described in
// memory, written with PdbWriter and opened with cPDB.

#include "PdbWriter.h"
#include "pdb/Pdb.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct Tx {
    std::uint16_t date = 0;
    std::uint16_t type = 0;
    std::uint16_t pay = 0;
    double amount = 0.0;
    std::uint8_t curr = 1;
    std::string memo;
    std::uint8_t cat = 0;
};

struct MoneyData {
    std::vector<std::pair<std::int16_t, std::string>> types{{1, "Food"}, {2, "Salary"}};
    std::vector<std::pair<std::int16_t, std::string>> payments{{1, "Cash"}, {2, "Card"}};
    std::array<CurrencySlot, 11> currencies{};
    std::array<std::string, 16> labels{"Unfiled", "", "Business"};
    std::vector<Tx> txs;

    MoneyData() {
        currencies[1] = {"Euro", "EUR", 1.0, true, true};
        currencies[2] = {"US Dollar", "USD", 0.9, false, true};
    }

    void add(std::uint16_t date, std::uint16_t type, std::uint16_t pay, double amount,
             std::uint8_t curr = 1, std::string memo = {}, std::uint8_t cat = 0) {
        txs.push_back({date, type, pay, amount, curr, std::move(memo), cat});
    }

    // Writes Ledra_{Money,Types,Payment,Currency}.PDB into `dir` (which must exist).
    void write(const std::string& dir) const {
        PdbWriter money, typesDb, paymentDb, currency;
        money.name = "Ledra_Money";
        money.appInfo = CategoryBlock(labels);
        for (const Tx& t : txs)
            money.add(TransactionBytes(t.date, t.type, t.pay, t.amount, t.curr, t.memo), t.cat);
        for (const auto& [id, name] : types)
            typesDb.add(TypeRecordBytes(id, name));
        for (const auto& [id, name] : payments)
            paymentDb.add(TypeRecordBytes(id, name));
        currency.add(CurrencyTableRecord(currencies));
        money.save(dir + "/Ledra_Money.PDB");
        typesDb.save(dir + "/Ledra_Types.PDB");
        paymentDb.save(dir + "/Ledra_Payment.PDB");
        currency.save(dir + "/Ledra_Currency.PDB");
    }
};

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
