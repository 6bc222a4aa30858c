#pragma once
// One Palm database file held whole in memory. The reader never writes a file and never
// changes the image; records are handed out as pointers into it.

#include "pdb/PdbFormat.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#pragma pack(push, 1)
struct PdbHeader {
    char name[32];
    std::uint16_t attributes;
    std::uint16_t version;
    std::uint32_t creationDate;
    std::uint32_t modificationDate;
    std::uint32_t lastBackupDate;
    std::uint32_t modificationNumber;
    std::uint32_t appInfoID;
    std::uint32_t sortInfoID;
    char type[4];
    char creator[4];
    std::uint32_t uniqueIDSeed;
    std::uint32_t nextRecordListID;
    std::uint16_t numRecords;
};

struct PdbRecordEntry {
    std::uint32_t localChunkID;
    std::uint8_t attributes;
    std::uint8_t uniqueID[3];
};
#pragma pack(pop)

static_assert(sizeof(PdbHeader) == pdbformat::kHeaderSize);
static_assert(sizeof(PdbRecordEntry) == pdbformat::kRecordEntrySize);

// Reverses the n bytes at p in place: big-endian field copies become host order.
void ReverseBytes(void* p, int n);

class cPDB {
public:
    cPDB();
    ~cPDB();
    cPDB(const cPDB&) = delete;
    cPDB& operator=(const cPDB&) = delete;

    // 0 on success, -1 when the file cannot be read; a failed Open leaves the object as it was.
    int Open(const std::string& fileName);
    void Close();

    // The entries of the record list that lie in the file: numRecords, or fewer where the list
    // the header claims cannot all lie in the file (see ListedRecordCount).
    int GetNumRecords() const;
    // Pointer to record `index` in the image and makes it the current record; null when the
    // database has no records, the index is out of range, or the object is closed.
    const std::uint8_t* GetRecord(int index);
    int GetRecordSize() const { return RecSize; }
    std::uint8_t GetCategory(int index);
    // The three-byte unique id of record `index` in its record-list entry (the id the handheld
    // assigns and keeps across syncs); 0 when the entry is out of range or not in the file.
    std::uint32_t UniqueId(int index) const;
    // Image address at appInfoID; null when there is no block (appInfoID 0 or past the end).
    const std::uint8_t* GetAppInfo() const;

    // Side-effect-free forms for code that walks records without the current-record state.
    std::span<const std::uint8_t> RecordBytes(int index) const;
    std::span<const std::uint8_t> AppInfoBytes() const;
    bool isOpen() const { return IsOpen; }
    // The whole file image as stored; empty when closed.
    std::span<const std::uint8_t> image() const {
        return IsOpen
                   ? std::span<const std::uint8_t>(Data.get(), static_cast<std::size_t>(FileSize))
                   : std::span<const std::uint8_t>();
    }
    int fileSize() const { return FileSize; }

    PdbHeader Header{};
    PdbRecordEntry Entry{};

private:
    PdbRecordEntry readEntry(int index) const;
    void recordBounds(int index, std::int32_t& start, std::int32_t& size) const;

    std::unique_ptr<std::uint8_t[]> Data;
    bool IsOpen = false;
    std::int32_t RecOffset = 0;
    std::int32_t RecSize = 0;
    std::int32_t RecIndex = 0;
    const std::uint8_t* RecPtr = nullptr;
    std::int32_t FileSize = 0;
    std::int32_t NumListed = 0;
};

// How many of the `claimed` record-list entries a file image of `size` bytes lists. A list that
// fits in the file is taken whole. One that cannot all lie in the file ends where the data
// after it begins (the application-info block or the first record, whichever comes first), and
// no entry lies past the end of the file.
int ListedRecordCount(const std::uint8_t* image, std::int32_t size, std::uint16_t claimed);
