#pragma once
// One handheld user's four databases described in memory and written with PdbWriter: the
// fixtures of the Money, export and command-line tests.

#include "PdbWriter.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
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

struct HandheldData {
    std::vector<std::pair<std::int16_t, std::string>> types{{1, "Food"}, {2, "Salary"}};
    std::vector<std::pair<std::int16_t, std::string>> payments{{1, "Cash"}, {2, "Card"}};
    std::array<CurrencySlot, 11> currencies{};
    std::array<std::string, 16> labels{"Unfiled", "", "Business"};
    std::vector<Tx> txs;
    // Record-list unique ids by record index; a record not named here gets its number from 1.
    std::map<std::size_t, std::uint32_t> uniqueIds;

    HandheldData() {
        currencies[1] = {"Euro", "EUR", 1.0, true, true};
        currencies[2] = {"US Dollar", "USD", 0.9, false, true};
    }

    void add(std::uint16_t date, std::uint16_t type, std::uint16_t pay, double amount,
             std::uint8_t curr = 1, std::string memo = {}, std::uint8_t cat = 0) {
        txs.push_back({date, type, pay, amount, curr, std::move(memo), cat});
    }

    // Writes Ledra_{Money,Types,Payment,Currency}<ext> into `dir`, creating it.
    void write(const std::filesystem::path& dir, const std::string& ext = ".PDB") const {
        std::filesystem::create_directories(dir);
        PdbWriter money, typesDb, paymentDb, currency;
        money.name = "Ledra_Money";
        money.appInfo = CategoryBlock(labels);
        for (std::size_t i = 0; i < txs.size(); ++i) {
            const Tx& t = txs[i];
            const auto uid = uniqueIds.find(i);
            money.add(TransactionBytes(t.date, t.type, t.pay, t.amount, t.curr, t.memo), t.cat,
                      uid == uniqueIds.end() ? std::nullopt : std::optional(uid->second));
        }
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
