#include "platform/IniProfile.h"
#include "platform/AtomicFile.h"
#include "platform/LedraError.h"

#include "TempDir.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << bytes;
}

int fileCount(const std::string& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder))
        ++n;
    return n;
}

struct WriteCase {
    const char* what;
    std::string before;
    const char* section;
    const char* key;
    std::string value;
    std::string after;
};

TEST(IniProfile, WriteKeepsEveryOtherLineByteForByte) {
    const std::string bom = "\xEF\xBB\xBF";
    const WriteCase cases[] = {
        {"empty file", "", "Users", "User", "Bob", "[Users]\r\nUser=Bob\r\n"},
        {"replace where it stands", "[Users]\r\nUser=Al\r\n[Money]\r\nMode=1\r\n", "Users", "User",
         "Bob", "[Users]\r\nUser=Bob\r\n[Money]\r\nMode=1\r\n"},
        {"names without regard to case", "[users]\r\n  uSER = Al \r\nX=1\r\n", "Users", "User",
         "Bob", "[users]\r\nUser=Bob\r\nX=1\r\n"},
        {"new key before the blank lines", "[Money]\r\nMode=1\r\n\r\n \t\r\n[Filter]\r\nOn=1\r\n",
         "Money", "IO", "2", "[Money]\r\nMode=1\r\nIO=2\r\n\r\n \t\r\n[Filter]\r\nOn=1\r\n"},
        {"new key in an empty section", "[M]\r\n\r\n[N]\r\n", "M", "K", "1",
         "[M]\r\nK=1\r\n\r\n[N]\r\n"},
        {"new key at the end of the file", "[M]\r\nA=1\r\n", "M", "K", "1",
         "[M]\r\nA=1\r\nK=1\r\n"},
        {"new key after a last line without line end", "[Money]\r\nMode=1", "Money", "IO", "2",
         "[Money]\r\nMode=1\r\nIO=2\r\n"},
        {"new section after a last line without line end", "[Money]\r\nMode=1", "Users", "User",
         "Bob", "[Money]\r\nMode=1\r\n[Users]\r\nUser=Bob\r\n"},
        {"new section at the end", "[Money]\r\nMode=1\r\n\r\n", "Users", "User", "Bob",
         "[Money]\r\nMode=1\r\n\r\n[Users]\r\nUser=Bob\r\n"},
        {"replace the unterminated last line", "[M]\r\nK=1", "M", "K", "2", "[M]\r\nK=2\r\n"},
        {"LF-only lines stay, the new line gets CR LF", "[Money]\nMode=1\nIO=0\n[Users]\nUser=x\n",
         "Money", "Mode", "3", "[Money]\nMode=3\r\nIO=0\n[Users]\nUser=x\n"},
        {"LF-only file, new key", "[Money]\nMode=1\n\n[Users]\n", "Money", "IO", "2",
         "[Money]\nMode=1\nIO=2\r\n\n[Users]\n"},
        {"repeated key: the first is replaced", "[M]\r\nK=1\r\nK=2\r\n", "M", "K", "3",
         "[M]\r\nK=3\r\nK=2\r\n"},
        {"repeated section: the first one is the section", "[M]\r\nA=1\r\n[N]\r\n[m]\r\nK=2\r\n",
         "M", "K", "3", "[M]\r\nA=1\r\nK=3\r\n[N]\r\n[m]\r\nK=2\r\n"},
        {"other lines kept", "; note\r\nstray=1\r\n[M]\r\n;K=1\r\nno equals\r\nKx=2\r\n", "M", "K",
         "5", "; note\r\nstray=1\r\n[M]\r\n;K=1\r\nno equals\r\nKx=2\r\nK=5\r\n"},
        {"a key before any section is no key of it", "K=1\r\n[M]\r\n", "M", "K", "2",
         "K=1\r\n[M]\r\nK=2\r\n"},
        {"section line with blanks", "  [ M ]  \r\nK=1\r\n", "M", "K", "2", "  [ M ]  \r\nK=2\r\n"},
        {"byte-order mark kept", bom + "[M]\r\nK=1\r\n", "M", "K", "2", bom + "[M]\r\nK=2\r\n"},
        {"value written unchanged", "", "Filter", "Trans", "\" ... \"",
         "[Filter]\r\nTrans=\" ... \"\r\n"},
        {"high bytes and NUL elsewhere kept", std::string("[M]\r\nA=\xE9\0\x85\r\n", 12), "M", "K",
         "\xFF", std::string("[M]\r\nA=\xE9\0\x85\r\nK=\xFF\r\n", 17)},
        {"line breaks in a value end it", "", "M", "K", "ab\r\n[X]\r\nc", "[M]\r\nK=ab\r\n"},
        {"empty value", "[M]\r\nK=1\r\n", "M", "K", "", "[M]\r\nK=\r\n"},
    };
    for (const WriteCase& c : cases) {
        EXPECT_EQ(ProfileWithKey(c.before, c.section, c.key, c.value), c.after) << c.what;
        // What was written reads back (up to the rules that reading applies).
        const auto back = ProfileValue(c.after, c.section, c.key);
        ASSERT_TRUE(back.has_value()) << c.what;
    }
}

struct ReadCase {
    const char* what;
    std::string contents;
    const char* section;
    const char* key;
    std::optional<std::string> value;
};

TEST(IniProfile, ReadingRules) {
    const std::string longLine(100000, 'x');
    const ReadCase cases[] = {
        {"plain", "[M]\r\nK=v\r\n", "M", "K", "v"},
        {"case", "[mONEY]\r\nmode=3\r\n", "Money", "MODE", "3"},
        {"blanks trimmed", "[M]\r\n \tK \t= \t a b \t \r\n", "M", "K", "a b"},
        {"double quotes removed, inner blanks kept", "[M]\r\nK= \" ... \" \r\n", "M", "K", " ... "},
        {"single quotes removed", "[M]\r\nK='x'\r\n", "M", "K", "x"},
        {"empty quotes", "[M]\r\nK=\"\"\r\n", "M", "K", ""},
        {"mismatched quotes kept", "[M]\r\nK='x\"\r\n", "M", "K", "'x\""},
        {"a lone quote kept", "[M]\r\nK=\"\r\n", "M", "K", "\""},
        {"only one pair removed", "[M]\r\nK=\"\"x\"\"\r\n", "M", "K", "\"x\""},
        {"text after the first =", "[M]\r\nK=a=b\r\n", "M", "K", "a=b"},
        {"present but empty", "[M]\r\nK=\r\n", "M", "K", ""},
        {"missing key", "[M]\r\nK2=1\r\n", "M", "K", std::nullopt},
        {"key in another section", "[M]\r\n[N]\r\nK=1\r\n", "M", "K", std::nullopt},
        {"key before any section", "K=1\r\n[M]\r\n", "M", "K", std::nullopt},
        {"missing section", "[N]\r\nK=1\r\n", "M", "K", std::nullopt},
        {"first key wins", "[M]\r\nK=1\r\nK=2\r\n", "M", "K", "1"},
        {"first section wins", "[M]\r\n[N]\r\n[M]\r\nK=2\r\n", "M", "K", std::nullopt},
        {"LF-only lines", "[M]\nA=1\nK=2\n", "M", "K", "2"},
        {"no final line end", "[M]\r\nK=2", "M", "K", "2"},
        {"byte-order mark", "\xEF\xBB\xBF[M]\r\nK=2\r\n", "M", "K", "2"},
        {"zero byte ends the value", std::string("[M]\r\nK=ab\0cd\r\n", 14), "M", "K", "ab"},
        {"zero bytes elsewhere", std::string("\0\0\r\n[M]\r\nK=1\r\n", 13), "M", "K", "1"},
        {"cut at 2047", "[M]\r\nK=" + std::string(3000, 'a') + "\r\n", "M", "K",
         std::string(2047, 'a')},
        {"quotes removed before the cut", "[M]\r\nK=\"" + std::string(2047, 'a') + "\"\r\n", "M",
         "K", std::string(2047, 'a')},
        {"a line of 100,000 characters", "[M]\r\n" + longLine + "\r\nK=" + longLine + "\r\n", "M",
         "K", std::string(2047, 'x')},
        {"high bytes", "[M]\r\nK=\x80\xE9\xFF\r\n", "M", "K", "\x80\xE9\xFF"},
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(ProfileValue(c.contents, c.section, c.key), c.value) << c.what;
}

TEST(IniProfile, FileReadAndWrite) {
    TempDir dir;
    const std::string path = dir.file("Ledra.ini");
    EXPECT_EQ(GetProfileString("Users", "User", "dflt", path), "dflt");
    EXPECT_FALSE(FindProfileString("Users", "User", path).has_value());

    WriteProfileString("Users", "User", "Bob", path);
    WriteProfileString("Money", "Mode", "2", path);
    WriteProfileString("Users", "User", "Al ", path);
    EXPECT_EQ(ReadFileBytes(path), "[Users]\r\nUser=Al \r\n[Money]\r\nMode=2\r\n");
    EXPECT_EQ(GetProfileString("users", "user", "dflt", path), "Al");
    EXPECT_EQ(fileCount(dir.path()), 1) << "no temporary file left beside it";

    WriteProfileString("Money", "IO", "", path);
    EXPECT_EQ(GetProfileString("Money", "IO", "dflt", path), "");
}

// Several keys in one replace leave the bytes that writing them one by one leaves.
TEST(IniProfile, SeveralKeysAsOneByOne) {
    const std::vector<ProfileEntry> entries = {{"Money", "Category", "Car"},
                                               {"Money", "Currency", "EUR"},
                                               {"Users", "User", "Al"},
                                               {"Money", "Mode", "1"},
                                               {"money", "category", ""}};
    for (const std::string before : {"", "[Money]\r\nMode=3\r\n; note\r\n[Other]\r\nX=1\r\n"}) {
        TempDir dir;
        const std::string oneByOne = dir.file("a.ini"), atOnce = dir.file("b.ini");
        if (!before.empty()) {
            writeBytes(oneByOne, before);
            writeBytes(atOnce, before);
        }
        for (const ProfileEntry& e : entries)
            WriteProfileString(e.section, e.key, e.value, oneByOne);
        WriteProfileStrings(entries, atOnce);
        EXPECT_EQ(ReadFileBytes(atOnce), ReadFileBytes(oneByOne)) << before;
    }
    TempDir dir;
    fs::create_directory(dir.file("Ledra.ini"));
    EXPECT_THROW(WriteProfileStrings(entries, dir.file("Ledra.ini")), LedraError);
}

// A file replaced from pieces: what was handed on, in order; a producer that gives up or
// throws leaves the old file and no temporary file.
TEST(AtomicFile, ReplacedFromPieces) {
    TempDir dir;
    const std::string path = dir.file("out.CSV");
    writeBytes(path, "old");
    EXPECT_TRUE(ReplaceFileContents(
        path, [](const ByteWriter& write) { return write("a,b\r\n") && write("") && write("c"); }));
    EXPECT_EQ(ReadFileBytes(path), "a,b\r\nc");
    EXPECT_FALSE(ReplaceFileContents(path, [](const ByteWriter& write) {
        write("new");
        return false;
    }));
    EXPECT_THROW(ReplaceFileContents(path,
                                     [](const ByteWriter& write) -> bool {
                                         write("new");
                                         throw std::runtime_error("stop");
                                     }),
                 std::runtime_error);
    EXPECT_EQ(ReadFileBytes(path), "a,b\r\nc");
    EXPECT_EQ(fileCount(dir.path()), 1) << "no temporary file left beside it";
}

TEST(IniProfile, NewFileFollowsUmaskAndOldFileKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.file("Ledra.ini");
    const mode_t old = ::umask(022);
    WriteProfileString("M", "K", "1", path);
    ::umask(old);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);

    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    WriteProfileString("M", "K", "2", path);
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadFileBytes(path), "[M]\r\nK=2\r\n");
}

TEST(IniProfile, WriteThroughLinkChangesTheLinkedFile) {
    TempDir dir;
    writeBytes(dir.file("real.ini"), "[M]\r\nK=1\r\n");
    fs::create_symlink("real.ini", dir.file("Ledra.ini"));
    WriteProfileString("M", "K", "2", dir.file("Ledra.ini"));
    EXPECT_TRUE(fs::is_symlink(dir.file("Ledra.ini")));
    EXPECT_EQ(ReadFileBytes(dir.file("real.ini")), "[M]\r\nK=2\r\n");
}

void expectUnableToWrite(const std::string& path) {
    try {
        WriteProfileString("M", "K", "2", path);
        ADD_FAILURE() << "no error for " << path;
    } catch (const LedraError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
}

TEST(IniProfile, FolderInPlaceOfTheFile) {
    TempDir dir;
    const std::string path = dir.file("Ledra.ini");
    fs::create_directory(path);
    EXPECT_EQ(GetProfileString("M", "K", "dflt", path), "dflt");
    expectUnableToWrite(path);
    EXPECT_TRUE(fs::is_directory(path));
}

TEST(IniProfile, MissingFolderOrFileInPlaceOfTheFolder) {
    TempDir dir;
    expectUnableToWrite(dir.file("missing/Ledra.ini"));
    writeBytes(dir.file("plain"), "x");
    expectUnableToWrite(dir.file("plain/Ledra.ini"));
    EXPECT_EQ(GetProfileString("M", "K", "dflt", dir.file("plain/Ledra.ini")), "dflt");
    expectUnableToWrite("");
    EXPECT_EQ(ReadFileBytes(dir.file("plain")), "x");
}

// A read-only file or folder is refused even to a user (root) whom the system lets write.
TEST(IniProfile, ReadOnlyFileStaysUnchanged) {
    TempDir dir;
    const std::string path = dir.file("Ledra.ini");
    const std::string before = "[M]\nK=1\n";
    writeBytes(path, before);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    expectUnableToWrite(path);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(GetProfileString("M", "K", "dflt", path), "1");
    EXPECT_EQ(fileCount(dir.path()), 1);
}

TEST(IniProfile, ReadOnlyFolderStaysUnchanged) {
    TempDir dir;
    const std::string folder = dir.file("ro");
    fs::create_directory(folder);
    const std::string path = folder + "/Ledra.ini";
    writeBytes(path, "[M]\r\nK=1\r\n");
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    expectUnableToWrite(path);
    expectUnableToWrite(folder + "/New.ini");
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(ReadFileBytes(path), "[M]\r\nK=1\r\n");
    EXPECT_EQ(fileCount(folder), 1);
}

TEST(IniProfile, UnreadableFileReadsAsMissingAndIsNotReplaced) {
    TempDir dir;
    const std::string path = dir.file("Ledra.ini");
    writeBytes(path, "[M]\r\nK=1\r\nOther=x\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0222), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    // Root reads every file: the check runs as an unprivileged user in a child process.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        int failures = 0;
        if (GetProfileString("M", "K", "dflt", path) != "dflt")
            ++failures;
        try {
            WriteProfileString("M", "K", "2", path);
            ++failures;
        } catch (const LedraError& e) {
            if (std::string(e.what()) != "Unable to write to " + path)
                ++failures;
        }
        ::_exit(failures);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(ReadFileBytes(path), "[M]\r\nK=1\r\nOther=x\r\n");
    EXPECT_EQ(fileCount(dir.path()), 1);
}

// A program killed at any moment of a save leaves either the old or the new file, never a
// torn one.
TEST(IniProfile, KilledWriterNeverLeavesATornFile) {
    TempDir dir;
    const std::string path = dir.file("Ledra.ini");
    const std::string a(200000, 'a'), b(200000, 'b');
    WriteProfileString("M", "K", a, path);
    const std::string fileA = "[M]\r\nK=" + a + "\r\n", fileB = "[M]\r\nK=" + b + "\r\n";
    for (int round = 0; round < 10; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                for (int i = 0;; ++i)
                    WriteProfileString("M", "K", i % 2 ? a : b, path);
            } catch (...) {
            }
            ::_exit(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + 7 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = ReadFileBytes(path);
        EXPECT_TRUE(now == fileA || now == fileB) << "round " << round << ", " << now.size();
    }
}

} // namespace
