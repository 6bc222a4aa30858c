#include "pdb/Damage.h"

#include <algorithm>
#include <cstring>

using namespace pdbformat;

namespace {

std::string bytesText(std::int64_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

std::string recordsText(std::int64_t n) {
    return std::to_string(n) + (n == 1 ? " record" : " records");
}

// Entry `index` lies in the image: GetNumRecords() counts only entries inside the file.
std::uint32_t entryOffset(const cPDB& db, int index) {
    std::uint32_t offset = 0;
    std::memcpy(&offset, db.image().data() + kRecordListOffset + kRecordEntrySize * index, 4);
    ReverseBytes(&offset, 4);
    return offset;
}

// The smallest record each kind's reader needs for its fixed fields, with what they are.
struct FixedFields {
    int size;
    const char* what;
};
FixedFields fixedFieldsOf(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Money:
        return {kTxMemoOffset, "a transaction's fixed fields"};
    case DatabaseKind::Payment:
    case DatabaseKind::Types:
        return {kTypeNameOffset, "a type's Id"};
    case DatabaseKind::Currency:
        break;
    }
    return {0, ""};
}

// "N records ..., the first of them record i ..." for a fault that may hit many records.
struct Tally {
    std::int64_t count = 0;
    std::string first;
    void add(const std::string& detail) {
        if (count++ == 0)
            first = detail;
    }
    std::string text(const std::string& one, const std::string& many) const {
        if (count == 1)
            return first + " " + one;
        return recordsText(count) + " " + many + "; the first is " + first;
    }
};

} // namespace

std::vector<std::string> StructureProblems(const cPDB& db, DatabaseKind kind) {
    std::vector<std::string> problems;
    if (!db.isOpen())
        return problems;
    const std::int64_t size = db.fileSize();
    const std::string sizeText = " (" + bytesText(size) + ")";

    if (size < kHeaderSize)
        problems.push_back("the file" + sizeText + " is shorter than the " +
                           bytesText(kHeaderSize) + " of a database header");

    const int claimed = db.Header.numRecords;
    const int listed = db.GetNumRecords();
    if (listed < claimed)
        problems.push_back(
            "the record list of " + std::to_string(claimed) +
            " entries runs past the end of the file or into the records' data; "
            "only the first " +
            recordsText(listed) +
            " (those before the data that follows the list, and inside the file) are read");

    Tally pastEnd, decreasing, shortRecords;
    const FixedFields fixed = fixedFieldsOf(kind);
    std::vector<std::uint32_t> offsets(static_cast<std::size_t>(listed));
    for (int i = 0; i < listed; ++i)
        offsets[static_cast<std::size_t>(i)] = entryOffset(db, i);
    const auto inside = [&](std::size_t i) {
        return offsets[i] <= static_cast<std::uint64_t>(size);
    };
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::string name =
            "record " + std::to_string(i) + " at offset " + std::to_string(offsets[i]);
        if (!inside(i)) {
            pastEnd.add(name);
            continue;
        }
        if (i > 0 && inside(i - 1) && offsets[i] < offsets[i - 1])
            decreasing.add(name + ", before record " + std::to_string(i - 1) + " at offset " +
                           std::to_string(offsets[i - 1]));
        // A record emptied by the next one's decreasing offset is named there already.
        const bool emptiedByNext =
            i + 1 < offsets.size() && inside(i + 1) && offsets[i + 1] < offsets[i];
        const auto bytes = static_cast<std::int64_t>(db.RecordBytes(static_cast<int>(i)).size());
        if (!emptiedByNext && bytes < fixed.size)
            shortRecords.add("record " + std::to_string(i) + " with " + bytesText(bytes));
    }
    if (pastEnd.count > 0)
        problems.push_back(pastEnd.text("starts past the end of the file" + sizeText,
                                        "start past the end of the file" + sizeText) +
                           "; such records read as empty");
    if (decreasing.count > 0)
        problems.push_back(decreasing.text("starts before the record ahead of it",
                                           "start before the record ahead of them") +
                           "; the earlier record then reads as empty");
    if (shortRecords.count > 0)
        problems.push_back(shortRecords.text(std::string("is shorter than the ") +
                                                 bytesText(fixed.size) + " of " + fixed.what,
                                             std::string("are shorter than the ") +
                                                 bytesText(fixed.size) + " of " + fixed.what) +
                           "; the missing bytes read as zero");

    const std::uint32_t appInfo = db.Header.appInfoID;
    const std::int64_t needed = kind == DatabaseKind::Money ? kCategoryInfoSize : 1;
    if (appInfo != 0 && appInfo + needed > size) {
        if (appInfo >= size)
            problems.push_back("the application-info block at offset " + std::to_string(appInfo) +
                               " lies outside the file" + sizeText);
        else
            problems.push_back("the category block at offset " + std::to_string(appInfo) +
                               " runs past the end of the file" + sizeText + ": " +
                               std::to_string(size - appInfo) + " of its " +
                               bytesText(kCategoryInfoSize) + " are there");
    }

    if (kind == DatabaseKind::Currency) {
        const auto bytes = static_cast<std::int64_t>(db.RecordBytes(0).size());
        if (listed == 0)
            problems.push_back("there is no record 0 with the currency table");
        else if (bytes < kCurrencyTableSize)
            problems.push_back("record 0 holds " + bytesText(bytes) + " of the " +
                               bytesText(kCurrencyTableSize) +
                               " of the currency table; the rest reads as empty");
    }
    return problems;
}

std::string DamageReport(const std::vector<DamagedFile>& files) {
    std::string text;
    for (const DamagedFile& f : files) {
        if (f.problems.empty())
            continue;
        text += "\n" + f.path + ":\n";
        for (const std::string& p : f.problems)
            text += "- " + p + ".\n";
    }
    if (text.empty())
        return text;
    return "Damaged database files: Ledra shows what can be read of them.\n" + text;
}

std::string CheckDatabases(std::initializer_list<DatabaseFile> files) {
    std::vector<DamagedFile> damaged;
    for (const DatabaseFile& f : files)
        damaged.push_back({f.path, StructureProblems(f.db, f.kind)});
    return DamageReport(damaged);
}
