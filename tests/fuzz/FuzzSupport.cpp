#include "FuzzSupport.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

Bytes HexDecode(const Bytes& text) {
    Bytes out;
    int high = -1;
    for (std::uint8_t c : text) {
        if (!std::isxdigit(c))
            continue;
        const int v = std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<std::uint8_t>(high * 16 + v));
            high = -1;
        }
    }
    return out;
}

Bytes ValidDatabase(DbKind kind) {
    PdbWriter w;
    switch (kind) {
    case DbKind::Money:
        w.appInfo = CategoryBlock({"Unfiled", "", "Business", "Travel"});
        w.add(TransactionBytes(PackDate(2002, 1, 3), 1, 1, 100.0, 1, "Salary, January"), 0x02);
        w.add(TransactionBytes(PackDate(2002, 1, 20), 2, 2, -12.5, 2, "Caf\xE9 \"Sonne\""), 0x03);
        w.add(TransactionBytes(PackDate(2002, 3, 31), 1, 2, 0.0, 1, ""), 0x00);
        w.add(TransactionBytes(PackDate(2002, 4, 1), 2, 1, -3.0, 3, "Bus"), 0x93);
        break;
    case DbKind::Types:
        w.add(TypeRecordBytes(1, "Food"));
        w.add(TypeRecordBytes(2, "Travel"));
        w.add(TypeRecordBytes(-1, "Negative"));
        break;
    case DbKind::Payment:
        w.add(TypeRecordBytes(1, "Cash"));
        w.add(TypeRecordBytes(2, "Visa Card"));
        break;
    case DbKind::Currency: {
        std::array<CurrencySlot, 11> slots{};
        slots[1] = {"Euro", "EUR", 1.0, true, true};
        slots[2] = {"US Dollar", "USD", 0.9, false, true};
        slots[3] = {"Pound", "GBP", 0.0, false, false};
        w.add(CurrencyTableRecord(slots));
        break;
    }
    }
    return w.bytes();
}

static const char* kNames[] = {"money.PDB", "types.PDB", "payment.PDB", "currency.PDB"};

FuzzWorkspace::FuzzWorkspace() {
    std::string base = ::access("/dev/shm", W_OK) == 0
                           ? "/dev/shm"
                           : std::filesystem::temp_directory_path().string();
    std::string templ = base + "/ledra-fuzz-XXXXXX";
    if (!::mkdtemp(templ.data()))
        throw std::runtime_error("mkdtemp failed");
    dir_ = templ;
    for (int k = 0; k < 4; ++k)
        WriteFileBytes(dir_ + "/" + kNames[k], ValidDatabase(static_cast<DbKind>(k)));
}

FuzzWorkspace::~FuzzWorkspace() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

std::string FuzzWorkspace::validPath(DbKind kind) const {
    return dir_ + "/" + kNames[static_cast<int>(kind)];
}

std::string FuzzWorkspace::writeScratch(const std::string& name, const std::uint8_t* data,
                                        std::size_t size) const {
    const std::string path = dir_ + "/" + name;
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}
