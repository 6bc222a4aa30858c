// Writes the seed corpora of the fuzz targets:
//   fuzz_seeds CORPUS_DIR [REGRESSIONS_DIR]
// CORPUS_DIR/fuzz_databases/: each input is a kind byte (0 money, 1 types, 2 payment,
// 3 currency) followed by the bytes of a database file: the valid set, a larger money file,
// and malformed files. CORPUS_DIR/fuzz_settings/: settings files. Inputs kept as regressions
// (hex text) are added decoded.

#include "FuzzSupport.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

void put(const fs::path& dir, const std::string& name, const Bytes& bytes) {
    fs::create_directories(dir);
    WriteFileBytes((dir / name).string(), bytes);
}

Bytes withKind(DbKind kind, Bytes file) {
    file.insert(file.begin(), static_cast<std::uint8_t>(kind));
    return file;
}

Bytes largerMoney() {
    PdbWriter w;
    w.appInfo = CategoryBlock({"Unfiled", "Household", "Car", "", "Income"});
    for (int i = 0; i < 120; ++i)
        w.add(TransactionBytes(
                  PackDate(2000 + i / 40, 1 + (i * 7) % 12, 1 + (i * 11) % 28),
                  static_cast<std::uint16_t>(1 + i % 3), static_cast<std::uint16_t>(1 + i % 2),
                  (i % 3 == 0 ? 1 : -1) * (i * 1.25), static_cast<std::uint8_t>(i % 12),
                  i % 5 == 0 ? "" : "memo, \"quoted\" \x80"),
              static_cast<std::uint8_t>(i % 16));
    return w.bytes();
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const fs::path corpus = argv[1];
    const fs::path db = corpus / "fuzz_databases";
    for (int k = 0; k < 4; ++k) {
        const auto kind = static_cast<DbKind>(k);
        const Bytes valid = ValidDatabase(kind);
        put(db, "valid" + std::to_string(k), withKind(kind, valid));
        for (std::size_t cut : {0u, 40u, 77u, 90u})
            if (cut < valid.size())
                put(db, "cut" + std::to_string(k) + "_" + std::to_string(cut),
                    withKind(kind, Bytes(valid.begin(),
                                         valid.begin() + static_cast<std::ptrdiff_t>(cut))));
        Bytes far = valid;
        if (far.size() > 86)
            PutU32(far, 78, 0x7FFFFFF0u); // first record far past the end
        put(db, "far" + std::to_string(k), withKind(kind, far));
        Bytes many = valid;
        PutU16(many, 76, 0xFFFF); // a record list much longer than the file
        put(db, "many" + std::to_string(k), withKind(kind, many));
    }
    put(db, "money_large", withKind(DbKind::Money, largerMoney()));
    Bytes noInfo = ValidDatabase(DbKind::Money);
    PutU32(noInfo, 52, 0);
    put(db, "money_noappinfo", withKind(DbKind::Money, noInfo));

    const fs::path ini = corpus / "fuzz_settings";
    put(ini, "full",
        text("[Users]\r\nUser=Anna Berg\r\n[Money]\r\nCategory=All\r\nCurrency=EUR\r\nMode=0x2\r\n"
             "IO=abc\r\n[Password]\r\nRequest=1\r\nPassword=\xAB\xEF\x10\r\n[Filter]\r\n"
             "Trans=\" Food \"\r\nPay='...'\r\nCurr=\"...\"\r\nFromOn=1\r\n"
             "From=03/01/2002 10:11:12\r\nToOn=1\r\nTo=03/31/2002\r\nOn=1\r\n"
             "[Export]\r\nPath=/tmp/out.CSV\r\nHeader=0\r\n"));
    put(ini, "lf_bom",
        text("\xEF\xBB\xBF[filter]\nfrom = 12/31/2031 11:59:59 PM\nto=1.2.1904\n[FILTER]\nOn=-1"));
    put(ini, "nul",
        Bytes{'[', 'M', 'o', 'n', 'e', 'y', ']', 0, '\n', 'M', 'o', 'd', 'e', '=', '7', 0});

    if (argc > 2) {
        for (const char* target : {"fuzz_databases", "fuzz_settings"}) {
            const fs::path kept = fs::path(argv[2]) / target;
            std::error_code ec;
            if (!fs::exists(kept, ec))
                continue;
            for (const auto& e : fs::directory_iterator(kept)) {
                if (!e.is_regular_file() || e.path().filename().string().starts_with("."))
                    continue;
                std::ifstream f(e.path(), std::ios::binary);
                Bytes raw((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
                put(corpus / target, "kept_" + e.path().stem().string(),
                    e.path().extension() == ".hex" ? HexDecode(raw) : raw);
            }
        }
    }
    return 0;
}
