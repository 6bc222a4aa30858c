// Writes the benchmarks' data set as a desktop data root for whole-process runs:
//   bench-fixture ROOT [COUNT]
// creates ROOT/Bench/BACKUP/Ledra_{Money,Types,Payment,Currency}.PDB with COUNT transactions
// (65,535 when not given), the same records bench_money lists.

#include "BigMoneyData.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: bench-fixture ROOT [COUNT]\n");
        return 2;
    }
    const int count = argc == 3 ? std::atoi(argv[2]) : 65535;
    if (count < 0 || count > 65535) {
        std::fprintf(stderr, "bench-fixture: COUNT must be 0..65535\n");
        return 2;
    }
    const std::filesystem::path dir = std::filesystem::path(argv[1]) / "Bench" / "BACKUP";
    std::filesystem::create_directories(dir);
    BigData(count).write(dir);
    std::printf("%s: %d transactions\n", dir.c_str(), count);
    return 0;
}
