// Runs a fuzz target over kept inputs: every file below the folders given, as hex text
// (*.hex: pairs of hex digits, blanks and line breaks ignored) or as raw bytes.

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::uint8_t> readInput(const std::filesystem::path& path) {
    std::ifstream f(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(f)),
                                    std::istreambuf_iterator<char>());
    if (path.extension() != ".hex")
        return bytes;
    std::vector<std::uint8_t> decoded;
    int high = -1;
    for (std::uint8_t c : bytes) {
        if (!std::isxdigit(c))
            continue;
        const int v = std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10;
        if (high < 0) {
            high = v;
        } else {
            decoded.push_back(static_cast<std::uint8_t>(high * 16 + v));
            high = -1;
        }
    }
    return decoded;
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
            const std::vector<std::uint8_t> input = readInput(entry.path());
            LLVMFuzzerTestOneInput(input.data(), input.size());
            ++count;
        }
    }
    std::printf("replayed %d inputs\n", count);
    return 0;
}
