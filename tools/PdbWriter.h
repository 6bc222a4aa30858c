#pragma once
// Writes Palm database files in the layout the viewer reads. Used by the tests to build their
// fixtures and by make-demo; the viewer never links it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

struct PdbWriter {
    struct Record {
        Bytes data;
        std::uint8_t attributes = 0; // low four bits: category
        // The record-list entry's unique id (three bytes); absent: the record's number from 1,
        // as a handheld hands out fresh ids.
        std::optional<std::uint32_t> uniqueId;
    };

    std::string name = "Database";
    std::string type = "DATA";
    std::string creator = "LdrA";
    Bytes appInfo; // written right after the record list when not empty
    std::vector<Record> records;

    void add(Bytes data, std::uint8_t attributes = 0,
             std::optional<std::uint32_t> uniqueId = std::nullopt) {
        records.push_back({std::move(data), attributes, uniqueId});
    }
    Bytes bytes() const;
    // Writes the file; throws std::runtime_error when it cannot.
    void save(const std::string& path) const;
};

void PutU16(Bytes& b, std::size_t at, std::uint16_t v);
void PutU32(Bytes& b, std::size_t at, std::uint32_t v);
void PutDouble(Bytes& b, std::size_t at, double v);

std::uint16_t PackDate(int year, int month, int day);

struct CurrencySlot {
    std::string name;
    std::string code;
    double rate = 0.0;
    bool home = false;
    bool favorite = false;
};
// Record 0 of the currency database: 11 slots of 40 bytes.
Bytes CurrencyTableRecord(const std::array<CurrencySlot, 11>& slots);

Bytes TypeRecordBytes(std::int16_t id, const std::string& name);
Bytes TransactionBytes(std::uint16_t date, std::uint16_t typeId, std::uint16_t paymentId,
                       double amount, std::uint8_t currency, const std::string& memo);
// The 276-byte category block with labels 0..15 (cut to 15 characters).
Bytes CategoryBlock(const std::array<std::string, 16>& labels);

// Writes bytes to a file as they are; throws std::runtime_error when it cannot.
void WriteFileBytes(const std::string& path, const Bytes& bytes);
