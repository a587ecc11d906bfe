// Writing the installed file set into a Program Files and a Windows folder
// of the test's own, with the user's shell folders pointed into it too.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "install/installed_files.h"
#include "payload/payload_records.h"
#include "support/registry_state.h"
#include "support/test_support.h"
#include "support/ui_driving.h"

namespace brimel {
namespace {

using install::InstallPaths;
using install::WriteInstalledFileSet;
using test::ChildProcess;
using test::FileExists;
using test::FolderExists;
using test::ShellFoldersForTest;
using test::TempFolder;

const char kSettingsParent[] = "Software\\Brimel, Inc.";
const char kLegacySettings[] = "Software\\Brimel, Inc.\\Brimel Chat";
const char kProductSettings[] = "Software\\Brimel, Inc.\\Brimel";
const char* const kShellValues[] = {"Desktop", "Start Menu", "Programs"};

std::vector<unsigned char> Bytes(const String& text) { return {text.begin(), text.end()}; }

std::vector<unsigned char> ContentsOf(const String& path) {
    std::vector<unsigned char> bytes;
    EXPECT_TRUE(test::ReadBytes(path, &bytes)) << path;
    return bytes;
}

std::vector<unsigned char> RecordBytes(uint16_t record) {
    PayloadData data = ReadPayloadRecord(record);
    EXPECT_TRUE(data) << record;
    if (!data) return {};
    return {data.bytes.get(), data.bytes.get() + data.size};
}

// The date (YYYYMMDD) and time (HHMMSS) a record carries in its header.
std::pair<uint32_t, uint32_t> RecordStamp(uint16_t record) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(record), "R");
    if (!found) return {0, 0};
    const auto* header = static_cast<const unsigned char*>(LockResource(LoadResource(self, found)));
    uint32_t date, time;
    std::memcpy(&date, header + 8, 4);
    std::memcpy(&time, header + 12, 4);
    return {date, time};
}

void ExpectRecordTime(const String& path, uint16_t record) {
    FILETIME written;
    ASSERT_TRUE(test::LastWriteTime(path, &written)) << path;
    const SYSTEMTIME local = test::AsLocalTime(written);
    const auto stamp = RecordStamp(record);
    EXPECT_EQ(local.wYear * 10000u + local.wMonth * 100u + local.wDay, stamp.first) << path;
    EXPECT_EQ(local.wHour * 10000u + local.wMinute * 100u + local.wSecond, stamp.second) << path;
}

// Every file below `folder`, with its full path.
void CollectFiles(const String& folder, std::vector<String>* files) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const String name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(folder + "\\" + name, files);
        else
            files->push_back(folder + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

struct ExpectedFile {
    String path;
    uint16_t record;
};

// The 800x600 skin's files and records; the 1024x768 skin has its own
// records for the four files named in kSecondSkinOwn.
const std::pair<const char*, uint16_t> kFirstSkin[] = {
    {"main.bmp", 228},         {"left_panel.bmp", 226},  {"skin.ini", 221},        {"accept.bmp", 201},
    {"accept_decline.bmp", 202}, {"bold.bmp", 200},      {"italic.bmp", 210},      {"underline.bmp", 219},
    {"font.bmp", 208},         {"help.bmp", 209},        {"close.bmp", 205},       {"settings.bmp", 204},
    {"voice_video.bmp", 230},  {"minimize.bmp", 211},    {"find_friends.bmp", 207}, {"import_friends.bmp", 231},
    {"my_profile.bmp", 212},   {"send.bmp", 216},        {"smiley.bmp", 218},      {"decline.bmp", 206},
    {"action.bmp", 203},
};
const std::pair<const char*, uint16_t> kSecondSkinOwn[] = {
    {"main.bmp", 229}, {"left_panel.bmp", 227}, {"skin.ini", 222}, {"accept_decline.bmp", 225}};

class InstalledFileSet : public ::testing::Test {
protected:
    InstalledFileSet() : root_("install-files"), shell_(root_ / "Profile") {
        CreateDirectoryA((root_ / "Program Files").c_str(), nullptr);
        CreateDirectoryA((root_ / "Windows").c_str(), nullptr);
        paths_ = InstallPaths{root_ / "Program Files" + "\\", root_ / "Windows"};
        test::RemoveRegistryTree(HKEY_CURRENT_USER, kSettingsParent);
    }
    ~InstalledFileSet() override { test::RemoveRegistryTree(HKEY_CURRENT_USER, kSettingsParent); }

    String P(const String& relative) const { return paths_.programFilesDir + relative; }
    String FirstSkin(const String& name) const { return P("Brimel\\Skins\\Default - 800x600\\" + name); }
    String SecondSkin(const String& name) const { return P("Brimel\\Skins\\Default - 1024x768\\" + name); }

    std::vector<ExpectedFile> ExpectedFiles() const {
        std::vector<ExpectedFile> files{{root_ / "Windows\\Uninstall Brimel.exe", 131}};
        for (const auto& f : kFirstSkin) files.push_back({FirstSkin(f.first), f.second});
        for (const auto& f : kFirstSkin) {
            uint16_t record = f.second;
            for (const auto& own : kSecondSkinOwn)
                if (std::strcmp(own.first, f.first) == 0) record = own.second;
            files.push_back({SecondSkin(f.first), record});
        }
        files.push_back({P("Brimel\\Brimel.exe"), 129});
        files.push_back({P("Brimel\\BC.dll"), 132});
        return files;
    }

    void ExpectFileFromRecord(const ExpectedFile& file) {
        ASSERT_TRUE(FileExists(file.path)) << file.path;
        EXPECT_EQ(ContentsOf(file.path), RecordBytes(file.record)) << file.path;
        ExpectRecordTime(file.path, file.record);
    }

    void MakeLegacyInstallation() {
        ASSERT_TRUE(CreateDirectoryA(P("Brimel Chat").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(P("Brimel Chat\\Logs").c_str(), nullptr));
        ASSERT_TRUE(test::WriteBytes(P("Brimel Chat\\BrimelChat.exe"), Bytes("old client")));
        ASSERT_TRUE(test::WriteBytes(P("Brimel Chat\\BC.dll"), Bytes("old library")));
        ASSERT_TRUE(test::WriteBytes(P("Brimel Chat\\history.dat"), Bytes("the user's history")));
        ASSERT_TRUE(test::WriteBytes(P("Brimel Chat\\Logs\\today.txt"), Bytes("a log")));
        ASSERT_TRUE(test::SetRegistryText(HKEY_CURRENT_USER, kLegacySettings, "Nickname", "kestrel"));
        ASSERT_TRUE(test::SetRegistryText(HKEY_CURRENT_USER, String(kLegacySettings) + "\\Window", "Left", "40"));
        for (const char* value : kShellValues) {
            ASSERT_TRUE(test::WriteBytes(shell_.Folder(value) + "\\Brimel Chat.lnk", Bytes("legacy link")));
            ASSERT_TRUE(test::WriteBytes(shell_.Folder(value) + "\\Other.lnk", Bytes("someone else's link")));
        }
    }

    // The legacy settings copied to the product's key, the legacy
    // shortcuts gone and everything else left.
    void ExpectLegacySettingsAndShortcutsTakenOver() {
        auto product = test::RegistryValues(HKEY_CURRENT_USER, kProductSettings);
        ASSERT_EQ(product.count("Nickname"), 1u);
        EXPECT_EQ(product["Nickname"].Text(), "kestrel");
        EXPECT_EQ(test::RegistryValues(HKEY_CURRENT_USER, String(kProductSettings) + "\\Window")["Left"].Text(),
                  "40");
        // The legacy settings stay where they were.
        EXPECT_EQ(test::RegistryValues(HKEY_CURRENT_USER, kLegacySettings)["Nickname"].Text(), "kestrel");
        for (const char* value : kShellValues) {
            EXPECT_FALSE(FileExists(shell_.Folder(value) + "\\Brimel Chat.lnk")) << value;
            EXPECT_TRUE(FileExists(shell_.Folder(value) + "\\Other.lnk")) << value;
        }
    }

    TempFolder root_;
    ShellFoldersForTest shell_;
    InstallPaths paths_;
};

TEST_F(InstalledFileSet, FreshSystemGetsTheFourFoldersAndExactly45FilesFromTheirRecords) {
    int removed = 0;
    ASSERT_TRUE(WriteInstalledFileSet(paths_, &removed));
    EXPECT_EQ(removed, 0);

    for (const char* folder : {"Brimel", "Brimel\\Skins", "Brimel\\Skins\\Default - 800x600",
                               "Brimel\\Skins\\Default - 1024x768"})
        EXPECT_TRUE(FolderExists(P(folder))) << folder;

    const auto expected = ExpectedFiles();
    ASSERT_EQ(expected.size(), 45u);
    for (const auto& file : expected) ExpectFileFromRecord(file);

    std::vector<String> written;
    CollectFiles(root_ / "Program Files", &written);
    CollectFiles(root_ / "Windows", &written);
    EXPECT_EQ(written.size(), 45u);

    // Seventeen pictures are shared by both skins; four files are each
    // skin's own.
    int shared = 0;
    for (const auto& f : kFirstSkin) {
        const bool own = std::any_of(std::begin(kSecondSkinOwn), std::end(kSecondSkinOwn),
                                     [&](const auto& o) { return std::strcmp(o.first, f.first) == 0; });
        if (own) {
            EXPECT_NE(ContentsOf(FirstSkin(f.first)), ContentsOf(SecondSkin(f.first))) << f.first;
        } else {
            EXPECT_EQ(ContentsOf(FirstSkin(f.first)), ContentsOf(SecondSkin(f.first))) << f.first;
            ++shared;
        }
    }
    EXPECT_EQ(shared, 17);
    EXPECT_FALSE(test::RegistryKeyExists(HKEY_CURRENT_USER, kProductSettings));
}

TEST_F(InstalledFileSet, WindowsFolderWithTrailingBackslashGetsTheUninstallerAllTheSame) {
    paths_.windowsFolder += "\\\\";
    int removed = 0;
    ASSERT_TRUE(WriteInstalledFileSet(paths_, &removed));
    ExpectFileFromRecord({root_ / "Windows\\Uninstall Brimel.exe", 131});
}

// Makes a folder the current one for as long as it lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const String& folder) {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        entered_ = SetCurrentDirectoryA(folder.c_str()) != FALSE;
    }
    ~CurrentFolder() { SetCurrentDirectoryA(previous_); }
    explicit operator bool() const { return entered_; }

private:
    char previous_[MAX_PATH] = "";
    bool entered_ = false;
};

TEST_F(InstalledFileSet, NoWindowsFolderWritesNothing) {
    // Without a Windows folder the uninstaller's path would name the root of
    // the current drive: let that be the test prefix's drive, never the root
    // folder of the machine that runs the tests.
    const CurrentFolder inPrefix(root_.Path());
    ASSERT_TRUE(inPrefix);
    const String driveRootFile = "C:\\Uninstall Brimel.exe";
    ASSERT_FALSE(FileExists(driveRootFile));
    for (const char* windows : {"", "\\"}) {
        paths_.windowsFolder = windows;
        int removed = 0;
        EXPECT_FALSE(WriteInstalledFileSet(paths_, &removed)) << windows;
        EXPECT_FALSE(FileExists(driveRootFile)) << windows;
        EXPECT_FALSE(FolderExists(P("Brimel"))) << windows;
        DeleteFileA(driveRootFile.c_str());
    }
}

TEST_F(InstalledFileSet, ProductFolderPresentLeavesTheLegacyInstallationAlone) {
    MakeLegacyInstallation();
    ASSERT_TRUE(CreateDirectoryA(P("Brimel").c_str(), nullptr));
    ASSERT_TRUE(test::WriteBytes(P("Brimel\\contacts.dat"), Bytes("kept")));
    int removed = 0;
    ASSERT_TRUE(WriteInstalledFileSet(paths_, &removed));
    EXPECT_EQ(removed, 0);

    EXPECT_EQ(ContentsOf(P("Brimel Chat\\BrimelChat.exe")), Bytes("old client"));
    EXPECT_EQ(ContentsOf(P("Brimel Chat\\BC.dll")), Bytes("old library"));
    EXPECT_EQ(ContentsOf(P("Brimel\\contacts.dat")), Bytes("kept"));
    EXPECT_FALSE(test::RegistryKeyExists(HKEY_CURRENT_USER, kProductSettings));
    for (const char* value : kShellValues)
        EXPECT_TRUE(FileExists(shell_.Folder(value) + "\\Brimel Chat.lnk")) << value;
    for (const auto& file : ExpectedFiles()) ExpectFileFromRecord(file);
}

TEST_F(InstalledFileSet, LegacyFolderBecomesTheProductFolder) {
    MakeLegacyInstallation();
    int removed = 0;
    ASSERT_TRUE(WriteInstalledFileSet(paths_, &removed));
    EXPECT_EQ(removed, 1);

    EXPECT_FALSE(FolderExists(P("Brimel Chat")));
    EXPECT_EQ(ContentsOf(P("Brimel\\history.dat")), Bytes("the user's history"));
    EXPECT_EQ(ContentsOf(P("Brimel\\Logs\\today.txt")), Bytes("a log"));
    EXPECT_FALSE(FileExists(P("Brimel\\BrimelChat.exe")));
    for (const auto& file : ExpectedFiles()) ExpectFileFromRecord(file);
    ExpectLegacySettingsAndShortcutsTakenOver();

    // Once the product folder is there, a second write takes nothing over.
    ASSERT_TRUE(CreateDirectoryA(P("Brimel Chat").c_str(), nullptr));
    ASSERT_TRUE(test::WriteBytes(P("Brimel Chat\\BrimelChat.exe"), Bytes("another old client")));
    ASSERT_TRUE(test::WriteBytes(shell_.Folder("Desktop") + "\\Brimel Chat.lnk", Bytes("legacy link")));
    removed = 0;
    ASSERT_TRUE(WriteInstalledFileSet(paths_, &removed));
    EXPECT_EQ(removed, 0);
    EXPECT_TRUE(FileExists(P("Brimel Chat\\BrimelChat.exe")));
    EXPECT_TRUE(FileExists(shell_.Folder("Desktop") + "\\Brimel Chat.lnk"));
}

TEST_F(InstalledFileSet, LegacyTakeOverRaisesTheDesktopFlagOnlyWithADesktopFolderValue) {
    struct Case {
        bool desktopValue, desktopLink;
        int flag;
    } cases[] = {{true, false, 1}, {false, true, 0}};
    for (const auto& c : cases) {
        RemoveDirectoryA(P("Brimel Chat").c_str());
        test::RemoveTree(P("Brimel"));
        ASSERT_TRUE(CreateDirectoryA(P("Brimel Chat").c_str(), nullptr));
        ASSERT_TRUE(test::WriteBytes(shell_.Folder("Start Menu") + "\\Brimel Chat.lnk", Bytes("legacy link")));
        if (c.desktopLink) {
            ASSERT_TRUE(test::WriteBytes(shell_.Folder("Desktop") + "\\Brimel Chat.lnk", Bytes("legacy link")));
        }
        if (c.desktopValue) {
            shell_.Set("Desktop", shell_.Folder("Desktop"));
        } else {
            shell_.Remove("Desktop");
        }
        int removed = 0;
        ASSERT_TRUE(WriteInstalledFileSet(paths_, &removed));
        EXPECT_EQ(removed, c.flag) << c.desktopValue << c.desktopLink;
        EXPECT_FALSE(FileExists(shell_.Folder("Start Menu") + "\\Brimel Chat.lnk"));
        // Without the value the desktop is not known, so its link stays.
        EXPECT_EQ(FileExists(shell_.Folder("Desktop") + "\\Brimel Chat.lnk"), c.desktopLink);
    }
}

TEST_F(InstalledFileSet, LegacyFolderThatCannotBeMovedStaysAndANewProductFolderIsMade) {
    MakeLegacyInstallation();
    // Another program has the legacy folder open without delete sharing.
    ChildProcess holder;
    ASSERT_TRUE(holder.Start("\"" + test::BuildPath("tests/win/hold_file.exe") + "\" \"" + P("Brimel Chat") +
                             "\" read"));
    // Held once the folder refuses delete access. (Probing by moving it away
    // and back could hide it from the holder while it opens it.)
    ASSERT_TRUE(test::PumpUntil([&] {
        HANDLE folder = CreateFileA(P("Brimel Chat").c_str(), DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (folder == INVALID_HANDLE_VALUE) return true;
        CloseHandle(folder);
        return false;
    })) << "the folder was not held";
    ASSERT_FALSE(MoveFileA(P("Brimel Chat").c_str(), P("probe").c_str())) << "the held folder could be moved";

    int removed = 0;
    ASSERT_TRUE(WriteInstalledFileSet(paths_, &removed));
    EXPECT_EQ(removed, 1);

    EXPECT_EQ(ContentsOf(P("Brimel Chat\\BrimelChat.exe")), Bytes("old client"));
    EXPECT_EQ(ContentsOf(P("Brimel Chat\\history.dat")), Bytes("the user's history"));
    EXPECT_FALSE(FileExists(P("Brimel\\history.dat")));
    for (const auto& file : ExpectedFiles()) ExpectFileFromRecord(file);
    std::vector<String> product;
    CollectFiles(P("Brimel"), &product);
    EXPECT_EQ(product.size(), 44u);
    ExpectLegacySettingsAndShortcutsTakenOver();
}

TEST_F(InstalledFileSet, PlainFileNamedLikeTheProductFolderFailsEveryAttempt) {
    ASSERT_TRUE(test::WriteBytes(P("Brimel"), Bytes("not a folder")));
    for (int attempt = 0; attempt < 4; ++attempt) {
        int removed = 0;
        EXPECT_FALSE(WriteInstalledFileSet(paths_, &removed)) << attempt;
        EXPECT_EQ(removed, 0);
    }
    EXPECT_EQ(ContentsOf(P("Brimel")), Bytes("not a folder"));
    // The uninstaller comes first and is written all the same.
    ExpectFileFromRecord({root_ / "Windows\\Uninstall Brimel.exe", 131});
}

TEST_F(InstalledFileSet, RunningProgramFailsAtItsStepWithTheSkinsAlreadyInPlace) {
    ASSERT_TRUE(CreateDirectoryA(P("Brimel").c_str(), nullptr));
    const String program = P("Brimel\\Brimel.exe");
    ASSERT_TRUE(CopyFileA(test::BuildPath("tests/win/hold_file.exe").c_str(), program.c_str(), FALSE));
    const auto running = ContentsOf(program);
    ChildProcess messenger;
    ASSERT_TRUE(messenger.Start("\"" + program + "\" --idle"));
    ASSERT_TRUE(test::PumpUntil([&] { return !test::CanOpenForWriting(program); }));

    int removed = 0;
    EXPECT_FALSE(WriteInstalledFileSet(paths_, &removed));
    const auto expected = ExpectedFiles();
    for (size_t i = 0; i < 43; ++i) ExpectFileFromRecord(expected[i]);
    EXPECT_EQ(ContentsOf(program), running);
    EXPECT_FALSE(FileExists(P("Brimel\\BC.dll")));

    // Once the program has ended, the next attempt completes the set.
    messenger.Terminate();
    ASSERT_TRUE(test::PumpUntil([&] { return test::CanOpenForWriting(program); }));
    ASSERT_TRUE(WriteInstalledFileSet(paths_, &removed));
    for (const auto& file : expected) ExpectFileFromRecord(file);
}

TEST_F(InstalledFileSet, EarlierProductShortcutsAreRemovedWhateverTheBackslashesAtTheFolderEnd) {
    shell_.Set("Desktop", shell_.Folder("Desktop") + "\\");
    shell_.Set("Start Menu", shell_.Folder("Start Menu") + "\\\\\\");
    for (const char* value : kShellValues) {
        ASSERT_TRUE(test::WriteBytes(shell_.Folder(value) + "\\Brimel.lnk", Bytes("earlier link")));
        ASSERT_TRUE(test::WriteBytes(shell_.Folder(value) + "\\Brimel Messenger.lnk", Bytes("current link")));
    }
    int removed = 0;
    ASSERT_TRUE(WriteInstalledFileSet(paths_, &removed));
    EXPECT_EQ(removed, 1);
    for (const char* value : kShellValues) {
        EXPECT_FALSE(FileExists(shell_.Folder(value) + "\\Brimel.lnk")) << value;
        EXPECT_TRUE(FileExists(shell_.Folder(value) + "\\Brimel Messenger.lnk")) << value;
    }
}

TEST_F(InstalledFileSet, DesktopFlagStaysDownWhenOnlyOtherFoldersHadAnEarlierShortcut) {
    ASSERT_TRUE(test::WriteBytes(shell_.Folder("Programs") + "\\Brimel.lnk", Bytes("earlier link")));
    int removed = 0;
    ASSERT_TRUE(WriteInstalledFileSet(paths_, &removed));
    EXPECT_EQ(removed, 0);
    EXPECT_FALSE(FileExists(shell_.Folder("Programs") + "\\Brimel.lnk"));
}

}  // namespace
}  // namespace brimel
