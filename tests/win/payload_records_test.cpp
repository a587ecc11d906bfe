// Extraction of payload records from this program's own resources, which
// carry the installer's records and a few damaged ones of the test's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "payload/payload_records.h"
#include "support/test_support.h"
#include "support/ui_driving.h"

namespace brimel {
namespace {

using test::TempFolder;

std::vector<unsigned char> Bytes(const String& text) { return {text.begin(), text.end()}; }

std::vector<unsigned char> ContentsOf(const String& path) {
    std::vector<unsigned char> bytes;
    EXPECT_TRUE(test::ReadBytes(path, &bytes)) << path;
    return bytes;
}

struct ManifestEntry {
    uint16_t record;
    std::string source;  // Windows path of the packed file
};

std::vector<ManifestEntry> ReadManifest() {
    std::vector<ManifestEntry> entries;
    std::ifstream in(test::BuildPath("generated/records-manifest.txt").c_str());
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        ManifestEntry e;
        fields >> e.record;
        std::getline(fields >> std::ws, e.source);
        e.source = "Z:" + e.source;
        for (char& c : e.source)
            if (c == '/') c = '\\';
        entries.push_back(e);
    }
    return entries;
}

TEST(PayloadRecords, EveryRecordInflatesToTheFileItWasPackedFrom) {
    const auto manifest = ReadManifest();
    ASSERT_EQ(manifest.size(), 29u);
    for (const auto& entry : manifest) {
        PayloadData data = ReadPayloadRecord(entry.record);
        ASSERT_TRUE(data) << "record " << entry.record;
        std::vector<unsigned char> inflated(data.bytes.get(), data.bytes.get() + data.size);
        EXPECT_EQ(inflated, ContentsOf(entry.source.c_str())) << "record " << entry.record;
    }
}

TEST(PayloadRecords, TheInstallerItselfCarriesTheSameRecords) {
    HMODULE setup = LoadLibraryExA(test::BuildPath("BrimelSetup.exe").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(setup, nullptr);
    TempFolder folder("extract-from-setup");
    for (const auto& entry : ReadManifest()) {
        const String target = folder / std::to_string(entry.record).c_str();
        ASSERT_TRUE(ExtractPayloadRecordFrom(setup, entry.record, target.c_str())) << entry.record;
        EXPECT_EQ(ContentsOf(target), ContentsOf(entry.source.c_str())) << entry.record;
    }
    FreeLibrary(setup);
}

TEST(PayloadRecords, EachNumberHasANeutralRecordAndATwoByteEnglishEntry) {
    HMODULE self = GetModuleHandleA(nullptr);
    for (const auto& entry : ReadManifest()) {
        HRSRC english = FindResourceExA(self, "R", MAKEINTRESOURCEA(entry.record),
                                        MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        ASSERT_NE(english, nullptr) << entry.record;
        EXPECT_EQ(SizeofResource(self, english), 2u);
        const auto* zero = static_cast<const unsigned char*>(LockResource(LoadResource(self, english)));
        EXPECT_EQ(zero[0] | zero[1], 0);
        HRSRC neutral = FindResourceExA(self, "R", MAKEINTRESOURCEA(entry.record), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
        ASSERT_NE(neutral, nullptr) << entry.record;
        // A lookup without a language finds the record itself.
        EXPECT_EQ(FindResourceA(self, MAKEINTRESOURCEA(entry.record), "R"), neutral) << entry.record;
    }
}

TEST(PayloadRecords, ExtractionReplacesALargerFileWithExactlyTheRecord) {
    TempFolder folder("extract-larger");
    const String target = folder / "Brimel.exe";
    ASSERT_TRUE(test::WriteBytes(target, std::vector<unsigned char>(3 * 1024 * 1024, 0xAB)));
    ASSERT_TRUE(ExtractPayloadRecord(129, target.c_str()));
    PayloadData data = ReadPayloadRecord(129);
    ASSERT_TRUE(data);
    EXPECT_EQ(ContentsOf(target), std::vector<unsigned char>(data.bytes.get(), data.bytes.get() + data.size));
    EXPECT_FALSE(test::FileExists(target + ".part"));
}

TEST(PayloadRecords, LastWriteTimeIsTheRecordStampInLocalTime) {
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    ASSERT_NE(zone.DaylightDate.wMonth, 0) << "the tests run in a zone with daylight saving time (TZ)";
    TempFolder folder("extract-stamp");
    struct Case { uint16_t record; WORD y, mo, d, h, mi, s; } cases[] = {
        {129, 2006, 10, 19, 18, 47, 15},  // daylight saving time
        {907, 2006, 1, 15, 1, 53, 28},    // standard time, five-digit time field
        {218, 2006, 1, 15, 22, 30, 15},
    };
    for (const auto& c : cases) {
        const String target = folder / ("stamp" + std::to_string(c.record)).c_str();
        ASSERT_TRUE(ExtractPayloadRecord(c.record, target.c_str())) << c.record;
        FILETIME written;
        ASSERT_TRUE(test::LastWriteTime(target, &written));
        const SYSTEMTIME local = test::AsLocalTime(written);
        EXPECT_EQ(local.wYear, c.y) << c.record;
        EXPECT_EQ(local.wMonth, c.mo) << c.record;
        EXPECT_EQ(local.wDay, c.d) << c.record;
        EXPECT_EQ(local.wHour, c.h) << c.record;
        EXPECT_EQ(local.wMinute, c.mi) << c.record;
        EXPECT_EQ(local.wSecond, c.s) << c.record;
    }
}

TEST(PayloadRecords, ImpossibleStampStillWritesTheFileWithItsOwnTime) {
    TempFolder folder("extract-badstamp");
    const String target = folder / "file.txt";
    ASSERT_TRUE(ExtractPayloadRecord(906, target.c_str()));
    EXPECT_EQ(ContentsOf(target).size(), 42u);
    FILETIME written;
    ASSERT_TRUE(test::LastWriteTime(target, &written));
    EXPECT_GE(test::AsLocalTime(written).wYear, 2024);
}

TEST(PayloadRecords, EmptyFileRecordWritesAnEmptyStampedFile) {
    PayloadData data = ReadPayloadRecord(908);
    ASSERT_TRUE(data);
    EXPECT_EQ(data.size, 0u);
    TempFolder folder("extract-empty");
    const String existing = folder / "existing.txt";
    ASSERT_TRUE(test::WriteBytes(existing, Bytes("replaced by nothing")));
    for (const String& target : {folder / "fresh.txt", existing}) {
        ASSERT_TRUE(ExtractPayloadRecord(908, target.c_str())) << target;
        ASSERT_TRUE(test::FileExists(target)) << target;
        EXPECT_TRUE(ContentsOf(target).empty()) << target;
        FILETIME written;
        ASSERT_TRUE(test::LastWriteTime(target, &written));
        EXPECT_EQ(test::AsLocalTime(written).wYear, 2006) << target;
    }
}

TEST(PayloadRecords, MissingFolderFailsAndCreatesNothing) {
    TempFolder folder("extract-missing");
    const String target = folder / "no such folder\\main.bmp";
    EXPECT_FALSE(ExtractPayloadRecord(228, target.c_str()));
    EXPECT_FALSE(test::FolderExists(folder / "no such folder"));
}

TEST(PayloadRecords, MissingAndDamagedRecordsWriteNothing) {
    TempFolder folder("extract-damaged");
    const String existing = folder / "existing.txt";
    const auto before = Bytes("left as it was");
    ASSERT_TRUE(test::WriteBytes(existing, before));
    for (uint16_t record : {1, 133, 901, 902, 903, 904, 905}) {
        const String fresh = folder / ("fresh" + std::to_string(record)).c_str();
        EXPECT_FALSE(ExtractPayloadRecord(record, fresh.c_str())) << record;
        EXPECT_FALSE(test::FileExists(fresh)) << record;
        EXPECT_FALSE(ExtractPayloadRecord(record, existing.c_str())) << record;
        EXPECT_EQ(ContentsOf(existing), before) << record;
        EXPECT_FALSE(ReadPayloadRecord(record)) << record;
    }
}

TEST(PayloadRecords, TargetHeldOpenByAnotherProgramFailsAndStaysUnchanged) {
    TempFolder folder("extract-held");
    const String target = folder / "BC.dll";
    const auto before = Bytes("held by another program");
    ASSERT_TRUE(test::WriteBytes(target, before));
    test::ChildProcess holder;
    ASSERT_TRUE(holder.Start("\"" + test::BuildPath("tests/win/hold_file.exe") + "\" \"" + target + "\" read"));
    ASSERT_TRUE(test::PumpUntil([&] { return !test::CanOpenForWriting(target); }));
    EXPECT_FALSE(ExtractPayloadRecord(132, target.c_str()));
    EXPECT_EQ(ContentsOf(target), before);
    EXPECT_FALSE(test::FileExists(target + ".part"));
}

// True once another program holds the file open without sharing deletion.
bool HeldAgainstDeletion(const String& path) {
    HANDLE file = CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return true;
    CloseHandle(file);
    return false;
}

// An existing file is replaced as an overwrite would replace it: it keeps its
// attributes, and a program that holds it sharing writing (but not deletion)
// does not stop it.
TEST(PayloadRecords, ReplacingKeepsAttributesAndGetsPastAHolderThatSharesWriting) {
    const DWORD hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const struct { const char* what; DWORD attributes; bool held; } cases[] = {
        {"hidden", FILE_ATTRIBUTE_HIDDEN, false},
        {"hidden and system", hiddenSystem, false},
        {"held", 0, true},
        {"hidden and held", FILE_ATTRIBUTE_HIDDEN, true},
    };
    PayloadData record = ReadPayloadRecord(221);
    ASSERT_TRUE(record);
    const std::vector<unsigned char> expected(record.bytes.get(), record.bytes.get() + record.size);
    for (const auto& c : cases) {
        TempFolder folder("extract-keeps");
        const String target = folder / "skin.ini";
        ASSERT_TRUE(test::WriteBytes(target, Bytes("[Skin]\nName=the user's own, longer than the record's text\n")));
        ASSERT_TRUE(SetFileAttributesA(target.c_str(), c.attributes ? c.attributes : FILE_ATTRIBUTE_NORMAL));
        ASSERT_EQ(GetFileAttributesA(target.c_str()) & hiddenSystem, c.attributes) << c.what;
        test::ChildProcess holder;
        if (c.held) {
            ASSERT_TRUE(holder.Start("\"" + test::BuildPath("tests/win/hold_file.exe") + "\" \"" + target +
                                     "\" readwrite"));
            ASSERT_TRUE(test::PumpUntil([&] { return HeldAgainstDeletion(target); })) << c.what;
        }
        EXPECT_TRUE(ExtractPayloadRecord(221, target.c_str())) << c.what;
        EXPECT_EQ(ContentsOf(target), expected) << c.what;
        EXPECT_EQ(GetFileAttributesA(target.c_str()) & hiddenSystem, c.attributes) << c.what;
        FILETIME written;
        ASSERT_TRUE(test::LastWriteTime(target, &written));
        EXPECT_EQ(test::AsLocalTime(written).wYear, 2006) << c.what;
        EXPECT_FALSE(test::FileExists(target + ".part")) << c.what;
        holder.Terminate();
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(PayloadRecords, RunningProgramFailsAndStaysUnchanged) {
    TempFolder folder("extract-running");
    const String target = folder / "Brimel.exe";
    ASSERT_TRUE(CopyFileA(test::BuildPath("tests/win/hold_file.exe").c_str(), target.c_str(), FALSE));
    const auto before = ContentsOf(target);
    test::ChildProcess running;
    ASSERT_TRUE(running.Start("\"" + target + "\" --idle"));
    ASSERT_TRUE(test::PumpUntil([&] { return !test::CanOpenForWriting(target); }));
    EXPECT_FALSE(ExtractPayloadRecord(129, target.c_str()));
    EXPECT_EQ(ContentsOf(target), before);
}

// Run by tests/harness/run-unprivileged.sh: as root, Wine ignores the
// read-only attribute.
TEST(PayloadRecordsUnprivileged, ReadOnlyTargetFailsAndStaysUnchanged) {
    if (!std::getenv("BRIMEL_UNPRIVILEGED")) GTEST_SKIP() << "needs an unprivileged user";
    TempFolder folder("extract-readonly");
    const String target = folder / "skin.ini";
    const auto before = Bytes("[Skin]\nName=Mine\n");
    ASSERT_TRUE(test::WriteBytes(target, before));
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(ExtractPayloadRecord(221, target.c_str()));
    EXPECT_EQ(ContentsOf(target), before);
    EXPECT_EQ(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
}

// Run by tests/harness/run-little-memory.sh, which limits the address space:
// under 64-bit Wine the 4 GB that record 909 names could be had otherwise.
TEST(PayloadRecordsLittleMemory, SizeNoMemoryHoldsFailsCleanly) {
    if (!std::getenv("BRIMEL_LITTLE_MEMORY")) GTEST_SKIP() << "needs a limited address space";
    void* block = std::malloc(0xFFFFFFF0u);
    std::free(block);
    ASSERT_EQ(block, nullptr) << "4 GB could be allocated";
    TempFolder folder("extract-huge");
    const String existing = folder / "existing.txt";
    const String fresh = folder / "fresh.txt";
    ASSERT_TRUE(test::WriteBytes(existing, Bytes("left as it was")));
    EXPECT_FALSE(ReadPayloadRecord(909));
    EXPECT_FALSE(ExtractPayloadRecord(909, existing.c_str()));
    EXPECT_EQ(ContentsOf(existing), Bytes("left as it was"));
    EXPECT_FALSE(ExtractPayloadRecord(909, fresh.c_str()));
    EXPECT_FALSE(test::FileExists(fresh));
}

// Run by tests/harness/run-full-disk.sh, which maps a small full drive.
TEST(PayloadRecordsFullDisk, FullDiskFailsAndKeepsTheExistingFile) {
    const char* drive = std::getenv("BRIMEL_FULL_DISK");
    if (!drive) GTEST_SKIP() << "needs a small drive (BRIMEL_FULL_DISK)";
    const String target = String(drive) + "\\main.bmp";
    const auto before = Bytes("the file that was there");
    ASSERT_TRUE(test::WriteBytes(target, before));
    EXPECT_FALSE(ExtractPayloadRecord(229, target.c_str()));  // 1.5 MB on a 256 KB drive
    EXPECT_EQ(ContentsOf(target), before);
    EXPECT_FALSE(test::FileExists(target + ".part"));
    DeleteFileA(target.c_str());
    // A new file that does not fit leaves nothing behind.
    const String fresh = String(drive) + "\\left_panel.bmp";
    EXPECT_FALSE(ExtractPayloadRecord(227, fresh.c_str()));
    EXPECT_FALSE(test::FileExists(fresh));
}

}  // namespace
}  // namespace brimel
