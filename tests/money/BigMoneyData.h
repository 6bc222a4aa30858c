#pragma once
// The benchmarks' data set: a full transactions database of `count` records against 250
// transaction and 250 payment types, shared by the benchmark and the fixture writer that
// lays it out for whole-process runs of ledra-export.

#include "MoneyData.h"

#include <cstdint>
#include <string>

inline constexpr int kTypes = 250;

inline MoneyData BigData(int count) {
    MoneyData data;
    data.types.clear();
    data.payments.clear();
    // Ids in no particular order, as a handheld that lived long enough would store them.
    for (int i = 0; i < kTypes; ++i) {
        const auto id = static_cast<std::int16_t>((i * 97) % kTypes + 1);
        data.types.push_back({id, "Type " + std::to_string(id)});
        data.payments.push_back({id, "Payment " + std::to_string(id)});
    }
    data.currencies[3] = {"Pound", "GBP", 0.63, false, true};
    data.labels = {"Unfiled", "Household", "Car", "Leisure", "Income"};
    std::uint32_t s = 12345;
    const auto next = [&s](int n) {
        s = s * 1664525u + 1013904223u;
        return static_cast<int>((s >> 8) % static_cast<std::uint32_t>(n));
    };
    // Storage order follows time: about 30 records a day from 1995 on.
    for (int i = 0; i < count; ++i) {
        const int dayNo = i / 30;
        const int year = 1995 + dayNo / 336, month = 1 + (dayNo / 28) % 12, day = 1 + dayNo % 28;
        const double amount = (next(2) ? -1 : 1) * (next(100000) / 100.0);
        data.add(PackDate(year, month, day), static_cast<std::uint16_t>(1 + next(kTypes + 5)),
                 static_cast<std::uint16_t>(1 + next(kTypes + 5)), amount,
                 static_cast<std::uint8_t>(1 + next(3)),
                 next(4) ? "Memo text of a transaction " + std::to_string(i) : std::string(),
                 static_cast<std::uint8_t>(next(5)));
    }
    return data;
}
