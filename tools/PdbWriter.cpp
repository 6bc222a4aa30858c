#include "PdbWriter.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

void PutU16(Bytes& b, std::size_t at, std::uint16_t v) {
    b.at(at) = static_cast<std::uint8_t>(v >> 8);
    b.at(at + 1) = static_cast<std::uint8_t>(v);
}

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

void PutDouble(Bytes& b, std::size_t at, double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i)
        b.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
}

static void putText(Bytes& b, std::size_t at, const std::string& s, std::size_t width) {
    std::copy_n(s.begin(), std::min(s.size(), width), b.begin() + static_cast<std::ptrdiff_t>(at));
}

Bytes PdbWriter::bytes() const {
    const std::size_t listEnd = 78 + 8 * records.size() + 2; // two bytes of gap, as Palm writes
    Bytes out(listEnd, 0);
    putText(out, 0, name, 31);
    PutU16(out, 32, 0x0008);
    PutU16(out, 34, 1);
    PutU32(out, 36, 0xB5A1C2D0u); // a fixed time stamp keeps fixtures reproducible
    PutU32(out, 40, 0xB5A1C2D0u);
    putText(out, 60, type, 4);
    putText(out, 64, creator, 4);
    PutU16(out, 76, static_cast<std::uint16_t>(records.size()));
    if (!appInfo.empty()) {
        PutU32(out, 52, static_cast<std::uint32_t>(out.size()));
        out.insert(out.end(), appInfo.begin(), appInfo.end());
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::size_t entry = 78 + 8 * i;
        PutU32(out, entry, static_cast<std::uint32_t>(out.size()));
        out[entry + 4] = records[i].attributes;
        const std::uint32_t id = records[i].uniqueId.value_or(static_cast<std::uint32_t>(i + 1));
        out[entry + 5] = static_cast<std::uint8_t>(id >> 16);
        out[entry + 6] = static_cast<std::uint8_t>(id >> 8);
        out[entry + 7] = static_cast<std::uint8_t>(id);
        out.insert(out.end(), records[i].data.begin(), records[i].data.end());
    }
    return out;
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f)
        throw std::runtime_error("cannot create " + path);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    if (!f.flush())
        throw std::runtime_error("cannot write " + path);
}

void PdbWriter::save(const std::string& path) const {
    WriteFileBytes(path, bytes());
}

std::uint16_t PackDate(int year, int month, int day) {
    return static_cast<std::uint16_t>(((year - 1904) << 9) | (month << 5) | day);
}

Bytes CurrencyTableRecord(const std::array<CurrencySlot, 11>& slots) {
    Bytes b(440, 0);
    for (std::size_t n = 0; n < slots.size(); ++n) {
        const std::size_t at = 40 * n;
        putText(b, at, slots[n].name, 23);
        putText(b, at + 24, slots[n].code, 3);
        PutDouble(b, at + 28, slots[n].rate);
        PutU16(b, at + 36, slots[n].home ? 1 : 0);
        PutU16(b, at + 38, slots[n].favorite ? 1 : 0);
    }
    return b;
}

Bytes TypeRecordBytes(std::int16_t id, const std::string& name) {
    Bytes b(2 + name.size() + 1, 0);
    PutU16(b, 0, static_cast<std::uint16_t>(id));
    std::copy(name.begin(), name.end(), b.begin() + 2);
    return b;
}

Bytes TransactionBytes(std::uint16_t date, std::uint16_t typeId, std::uint16_t paymentId,
                       double amount, std::uint8_t currency, const std::string& memo) {
    Bytes b(15 + memo.size() + 1, 0);
    PutU16(b, 0, date);
    PutU16(b, 2, typeId);
    PutU16(b, 4, paymentId);
    PutDouble(b, 6, amount);
    b[14] = currency;
    std::copy(memo.begin(), memo.end(), b.begin() + 15);
    return b;
}

Bytes CategoryBlock(const std::array<std::string, 16>& labels) {
    Bytes b(276, 0);
    for (std::size_t k = 0; k < labels.size(); ++k) {
        putText(b, 2 + 16 * k, labels[k], 15);
        b[258 + k] = static_cast<std::uint8_t>(k);
    }
    b[274] = 15;
    return b;
}
