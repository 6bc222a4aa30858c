// Writes a demo desktop data root: two handheld users with a few years of records each.
//   make-demo ROOT [--long]
// Creates ROOT/<user>/BACKUP/Ledra_{Money,Types,Payment,Currency}.PDB and prints one line per
// user with its record counts. --long writes one user instead, "Long Register", with a full
// database: 65,535 transactions over thirty years, for looking at the viewer under load.

#include "PdbWriter.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Lcg {
    std::uint32_t state;
    std::uint32_t next() { return state = state * 1664525u + 1013904223u; }
    int below(int n) { return static_cast<int>((next() >> 8) % static_cast<std::uint32_t>(n)); }
};

struct Kind {
    std::int16_t typeId;
    int sign; // +1 income, -1 expense
    int minCents, maxCents;
    std::uint8_t category;
    std::vector<std::string> memos;
};

struct UserPlan {
    std::string name;
    std::uint32_t seed;
    int firstYear, lastYear;
    std::array<CurrencySlot, 11> currencies;
    int perMonth = 0; // transactions per month besides rent and salary; 0: 8 to 15
};

constexpr std::size_t kMaxRecords = 65535; // a database holds no more

// Single-byte Windows-1252: \x80 is the euro sign, \xE9 e acute, \xFC u umlaut, \xE8 e grave.
const std::vector<Kind>& kinds() {
    static const std::vector<Kind> k = {
        {1,
         -1,
         850,
         9500,
         1,
         {"Market, vegetables", "Bakery", "Supermarket \"Sonne\"", "Caf\xE9 au lait & croissant",
          ""}},
        {2,
         -1,
         45000,
         45000,
         1,
         {"Rent, flat on M\xFCllerstra\xDF"
          "e",
          "Rent"}},
        {3, 1, 210000, 240000, 4, {"Salary", "Salary incl. bonus \x80 200"}},
        {4, -1, 3000, 7500, 2, {"Fuel", "Fuel, motorway", ""}},
        {5,
         -1,
         1800,
         8900,
         3,
         {"Dinner \"Chez Ren\xE9\"", "Lunch with colleagues", "Pizzeria, 3 people"}},
        {6, -1, 1500, 12000, 0, {"Birthday present", "Flowers"}},
        {7, -1, 9000, 65000, 3, {"Train ticket", "Hotel, two nights", "Flight \x96 return"}},
        {8, 1, 500, 9000, 0, {"Sold old bicycle", "Refund, insurance"}},
        {9, -1, 2000, 6000, 2, {"Car wash", "Parking, airport", "Service \x85 oil change"}},
    };
    return k;
}

void writeUser(const std::filesystem::path& root, const UserPlan& plan) {
    const auto backup = root / plan.name / "BACKUP";
    std::filesystem::create_directories(backup);

    PdbWriter types;
    types.name = "Ledra_Types";
    for (auto [id, n] : std::vector<std::pair<std::int16_t, const char*>>{{1, "Food"},
                                                                          {2, "Rent"},
                                                                          {3, "Salary"},
                                                                          {4, "Fuel"},
                                                                          {5, "Restaurant"},
                                                                          {6, "Gift"},
                                                                          {7, "Travel"},
                                                                          {8, "Other income"},
                                                                          {9, "Car"}})
        types.add(TypeRecordBytes(id, n));
    types.save((backup / "Ledra_Types.PDB").string());

    PdbWriter payment;
    payment.name = "Ledra_Payment";
    for (auto [id, n] : std::vector<std::pair<std::int16_t, const char*>>{
             {1, "Cash"}, {2, "Visa Card"}, {3, "Bank Transfer"}, {4, "Cheque"}})
        payment.add(TypeRecordBytes(id, n));
    payment.save((backup / "Ledra_Payment.PDB").string());

    PdbWriter currency;
    currency.name = "Ledra_Currency";
    currency.add(CurrencyTableRecord(plan.currencies));
    currency.save((backup / "Ledra_Currency.PDB").string());

    PdbWriter money;
    money.name = "Ledra_Money";
    // "Hobby" is a label that no transaction uses.
    money.appInfo = CategoryBlock({"Unfiled", "Household", "Car", "Leisure", "Income", "Hobby"});
    Lcg rng{plan.seed};
    std::vector<int> foreign;
    for (int n = 1; n <= 10; ++n)
        if (!plan.currencies[static_cast<std::size_t>(n)].code.empty() &&
            !plan.currencies[static_cast<std::size_t>(n)].home)
            foreign.push_back(n);
    int home = 1;
    for (int n = 1; n <= 10; ++n)
        if (plan.currencies[static_cast<std::size_t>(n)].home) {
            home = n;
            break;
        }
    for (int year = plan.firstYear; year <= plan.lastYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const int count = plan.perMonth > 0 ? plan.perMonth : 8 + rng.below(8);
            for (int t = 0; t < count && money.records.size() + (t == 0 ? 3 : 1) <= kMaxRecords;
                 ++t) {
                const int day = 1 + (t * 28 / count) + rng.below(2);
                int pick = rng.below(100);
                const Kind& kind = pick < 35   ? kinds()[0]
                                   : pick < 45 ? kinds()[3]
                                   : pick < 60 ? kinds()[4]
                                   : pick < 68 ? kinds()[5]
                                   : pick < 74 ? kinds()[6]
                                   : pick < 80 ? kinds()[7]
                                               : kinds()[8];
                const int cents = kind.minCents + rng.below(kind.maxCents - kind.minCents + 1);
                int curr = home;
                if (kind.typeId == 7 || kind.typeId == 5)
                    if (!foreign.empty() && rng.below(3) == 0)
                        curr = foreign[static_cast<std::size_t>(
                            rng.below(static_cast<int>(foreign.size())))];
                const std::string& memo = kind.memos[static_cast<std::size_t>(
                    rng.below(static_cast<int>(kind.memos.size())))];
                money.add(TransactionBytes(
                              PackDate(year, month, day), static_cast<std::uint16_t>(kind.typeId),
                              static_cast<std::uint16_t>(1 + rng.below(4)),
                              kind.sign * cents / 100.0, static_cast<std::uint8_t>(curr), memo),
                          kind.category);
                if (t == 0) { // rent and salary open every month
                    money.add(TransactionBytes(PackDate(year, month, 1), 2, 3, -450.0,
                                               static_cast<std::uint8_t>(home),
                                               kinds()[1].memos[0]),
                              1);
                    money.add(TransactionBytes(
                                  PackDate(year, month, 1), 3, 3, (2100 + rng.below(300)) * 1.0,
                                  static_cast<std::uint8_t>(home),
                                  kinds()[2].memos[static_cast<std::size_t>(rng.below(2))]),
                              4);
                }
            }
        }
    }
    money.save((backup / "Ledra_Money.PDB").string());

    std::printf(
        "%s: %zu transactions, %zu transaction types, %zu payment types, %zu currency table\n",
        plan.name.c_str(), money.records.size(), types.records.size(), payment.records.size(),
        currency.records.size());
}

} // namespace

int main(int argc, char** argv) {
    const bool longRegister = argc == 3 && std::string(argv[2]) == "--long";
    if (argc != 2 && !longRegister) {
        std::fprintf(stderr, "usage: make-demo ROOT [--long]\n");
        return 2;
    }
    try {
        const std::filesystem::path root = argv[1];
        std::array<CurrencySlot, 11> euroHome{};
        euroHome[1] = {"Euro", "EUR", 1.0, true, true};
        euroHome[2] = {"US Dollar", "USD", 1.0871, false, true};
        euroHome[3] = {"Pound Sterling", "GBP", 0.6292, false, true};
        euroHome[4] = {"Swiss Franc", "CHF", 1.4671, false, false};
        std::array<CurrencySlot, 11> dollarHome{};
        dollarHome[1] = {"US Dollar", "USD", 1.0, true, true};
        dollarHome[2] = {"Euro", "EUR", 0.9199, false, true};
        dollarHome[3] = {"Canadian Dollar", "CAD", 1.5702, false, false};
        dollarHome[5] = {"Japanese Yen", "JPY", 121.53, false, true};
        if (longRegister) {
            writeUser(root, {"Long Register", 19900101u, 1990, 2019, euroHome, 181});
            return 0;
        }
        writeUser(root, {"Anna Berg", 20020517u, 2001, 2004, euroHome});
        writeUser(root, {"Daniel Okafor", 19990301u, 2002, 2003, dollarHome});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-demo: %s\n", e.what());
        return 1;
    }
    return 0;
}
