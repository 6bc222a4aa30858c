#include "pdb/Pdb.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace pdbformat;

void ReverseBytes(void* p, int n) {
    auto* b = static_cast<std::uint8_t*>(p);
    if (n > 1)
        std::reverse(b, b + n);
}

cPDB::cPDB() = default;
cPDB::~cPDB() = default;

namespace {

// Reads the whole file; false when it cannot be opened, is not a regular file or is too large
// for the 32-bit sizes the reader works with.
bool readWholeFile(const std::string& fileName, std::unique_ptr<std::uint8_t[]>& image,
                   std::int32_t& size) {
    int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > INT32_MAX) {
        ::close(fd);
        return false;
    }
    const auto total = static_cast<std::int32_t>(st.st_size);
    // One spare byte so that an empty file still has an image to point into.
    // Left uninitialised and zeroed below only past what was read: zeroing a 3 MB image first
    // and then reading over it touched every page twice.
    auto buffer =
        std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(total) + 1);
    std::int32_t done = 0;
    while (done < total) {
        ssize_t got = ::read(fd, buffer.get() + done, static_cast<std::size_t>(total - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // a file that shrank while being read: the missing tail reads as zero
        done += static_cast<std::int32_t>(got);
    }
    ::close(fd);
    std::memset(buffer.get() + done, 0, static_cast<std::size_t>(total - done) + 1);
    image = std::move(buffer);
    size = total;
    return true;
}

} // namespace

int cPDB::Open(const std::string& fileName) {
    std::unique_ptr<std::uint8_t[]> image;
    std::int32_t size = 0;
    if (!readWholeFile(fileName, image, size))
        return -1; // the object stays exactly as it was

    PdbHeader header{};
    std::memcpy(&header, image.get(), static_cast<std::size_t>(std::min(size, kHeaderSize)));
    ReverseBytes(&header.attributes, 2);
    ReverseBytes(&header.version, 2);
    ReverseBytes(&header.creationDate, 4);
    ReverseBytes(&header.modificationDate, 4);
    ReverseBytes(&header.lastBackupDate, 4);
    ReverseBytes(&header.modificationNumber, 4);
    ReverseBytes(&header.appInfoID, 4);
    ReverseBytes(&header.sortInfoID, 4);
    ReverseBytes(&header.uniqueIDSeed, 4);
    ReverseBytes(&header.nextRecordListID, 4);
    ReverseBytes(&header.numRecords, 2);

    // Reopening an open object replaces its image; the old pointers die with it.
    Header = header;
    Entry = PdbRecordEntry{};
    Data = std::move(image);
    FileSize = size;
    NumListed = ListedRecordCount(Data.get(), size, header.numRecords);
    RecOffset = 0;
    RecSize = 0;
    RecIndex = 0;
    RecPtr = nullptr;
    IsOpen = true;
    return 0;
}

void cPDB::Close() {
    if (IsOpen)
        Data.reset();
    IsOpen = false;
    RecPtr = nullptr;
}

int ListedRecordCount(const std::uint8_t* image, std::int32_t size, std::uint16_t claimed) {
    const std::int64_t fits =
        size >= kRecordListOffset ? (std::int64_t{size} - kRecordListOffset) / kRecordEntrySize : 0;
    if (claimed <= fits)
        return claimed;
    const auto field = [&](std::int64_t at) {
        std::uint32_t v = 0;
        std::memcpy(&v, image + at, 4);
        ReverseBytes(&v, 4);
        return std::int64_t{v};
    };
    // The data after the list: the application-info block or the first record, whichever
    // comes first. An offset inside the header or the first entry, or past the end, says
    // nothing about where the list ends.
    std::int64_t dataStart = size;
    for (std::int64_t offset : {field(kAppInfoIdOffset), fits >= 1 ? field(kRecordListOffset) : 0})
        if (offset >= kRecordListOffset + kRecordEntrySize && offset < dataStart)
            dataStart = offset;
    return static_cast<int>(std::min(fits, (dataStart - kRecordListOffset) / kRecordEntrySize));
}

int cPDB::GetNumRecords() const {
    return IsOpen ? NumListed : 0;
}

// An entry that does not lie wholly inside the file gives an empty record at the end of the
// file: the record stays listed, and every byte it does not hold reads as zero.
PdbRecordEntry cPDB::readEntry(int index) const {
    PdbRecordEntry entry{};
    const std::int64_t at = kRecordListOffset + std::int64_t{kRecordEntrySize} * index;
    if (at + kRecordEntrySize > FileSize) {
        entry.localChunkID = static_cast<std::uint32_t>(FileSize);
        return entry;
    }
    std::memcpy(&entry, Data.get() + at, kRecordEntrySize);
    ReverseBytes(&entry.localChunkID, 4);
    return entry;
}

// Record i runs from its offset to the next record's offset (filler bytes count into the
// earlier record), the last one to the end of the file. Offsets past the end are clamped to
// it and a next offset below the record's own gives size 0, never a negative size.
void cPDB::recordBounds(int index, std::int32_t& start, std::int32_t& size) const {
    const auto clampToFile = [this](std::uint32_t offset) {
        return static_cast<std::int32_t>(
            std::min<std::uint32_t>(offset, static_cast<std::uint32_t>(FileSize)));
    };
    start = clampToFile(readEntry(index).localChunkID);
    std::int32_t end = FileSize;
    if (index < GetNumRecords() - 1)
        end = clampToFile(readEntry(index + 1).localChunkID);
    size = std::max(0, end - start);
}

const std::uint8_t* cPDB::GetRecord(int index) {
    if (!IsOpen || NumListed == 0 || index < 0 || index >= NumListed)
        return nullptr;
    std::int32_t start = 0;
    std::int32_t size = 0;
    recordBounds(index, start, size);
    Entry = readEntry(index < NumListed - 1 ? index + 1 : index);
    RecOffset = start;
    RecSize = size;
    RecIndex = index;
    RecPtr = Data.get() + start;
    return RecPtr;
}

std::span<const std::uint8_t> cPDB::RecordBytes(int index) const {
    if (!IsOpen || index < 0 || index >= NumListed)
        return {};
    std::int32_t start = 0;
    std::int32_t size = 0;
    recordBounds(index, start, size);
    return {Data.get() + start, static_cast<std::size_t>(size)};
}

std::uint8_t cPDB::GetCategory(int index) {
    if (!IsOpen || index < 0 || index >= NumListed)
        return 0;
    Entry = readEntry(index);
    return Entry.attributes & kCategoryMask;
}

std::uint32_t cPDB::UniqueId(int index) const {
    if (!IsOpen || index < 0 || index >= Header.numRecords)
        return 0;
    const PdbRecordEntry e = readEntry(index);
    return std::uint32_t{e.uniqueID[0]} << 16 | std::uint32_t{e.uniqueID[1]} << 8 | e.uniqueID[2];
}

const std::uint8_t* cPDB::GetAppInfo() const {
    if (!IsOpen || Header.appInfoID == 0 ||
        Header.appInfoID >= static_cast<std::uint32_t>(FileSize))
        return nullptr;
    return Data.get() + Header.appInfoID;
}

std::span<const std::uint8_t> cPDB::AppInfoBytes() const {
    const std::uint8_t* p = GetAppInfo();
    if (!p)
        return {};
    return {p, static_cast<std::size_t>(FileSize) - Header.appInfoID};
}
