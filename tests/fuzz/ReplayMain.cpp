// Runs a fuzz target over kept inputs: every file below the folders given, as hex text
// (*.hex: pairs of hex digits, blanks and line breaks ignored) or as raw bytes.

#include "FuzzSupport.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

Bytes readInput(const std::filesystem::path& path) {
    std::ifstream f(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    return path.extension() == ".hex" ? HexDecode(bytes) : bytes;
}

} // namespace

int main(int argc, char** argv) {
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        if (!std::filesystem::exists(argv[i], ec))
            continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file() || entry.path().filename().string().starts_with("."))
                continue;
            const Bytes input = readInput(entry.path());
            LLVMFuzzerTestOneInput(input.data(), input.size());
            ++count;
        }
    }
    std::printf("replayed %d inputs\n", count);
    return 0;
}
