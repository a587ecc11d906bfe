// Shortcuts to the installed messenger, saved through the shell's link
// object and read back through it, in shell folders of the test's own.
#include <gtest/gtest.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

#include "core/array.h"
#include "core/installed_file_table.h"
#include "install/shell_folders.h"
#include "install/shortcuts.h"
#include "sys/registry.h"
#include "support/registry_state.h"
#include "support/test_support.h"

namespace brimel {
namespace {

using install::CreateShellLink;
using install::CreateShortcut;
using test::FileExists;
using test::ShellFoldersForTest;
using test::TempFolder;

struct LinkFields {
    bool loaded = false;
    String target, description, arguments, workingDirectory;
    WORD hotKey = 0xFFFF;
};

LinkFields ReadShellLink(const String& path) {
    LinkFields fields;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return fields;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(file->Load(wide, STGM_READ))) {
            fields.loaded = true;
            char text[1024] = "";
            if (SUCCEEDED(link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH))) fields.target = text;
            text[0] = '\0';
            if (SUCCEEDED(link->GetDescription(text, sizeof text))) fields.description = text;
            text[0] = '\0';
            if (SUCCEEDED(link->GetArguments(text, sizeof text))) fields.arguments = text;
            text[0] = '\0';
            if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof text))) fields.workingDirectory = text;
            link->GetHotkey(&fields.hotKey);
        }
        file->Release();
    }
    link->Release();
    return fields;
}

std::vector<String> FilesIn(const String& folder) {
    std::vector<String> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// COM for the test's thread. It comes up before the shell folder values are
// set: under Wine the first window of a session starts the desktop process,
// which writes the real Desktop folder back into the Shell Folders key.
struct ComApartment {
    ComApartment() { CoInitialize(nullptr); }
    ~ComApartment() { CoUninitialize(); }
};

class Shortcuts : public ::testing::Test {
protected:
    Shortcuts() : root_("install-links"), shell_(root_ / "Profile") {
        SetNotFoundText("NotFound");  // as the application hands it over
        programFilesDir_ = root_ / "Program Files" + "\\";
        CreateDirectoryA((root_ / "Program Files").c_str(), nullptr);
        CreateDirectoryA((programFilesDir_ + "Brimel").c_str(), nullptr);
        test::WriteBytes(Target(), {'M', 'Z'});
    }

    String Target() const { return programFilesDir_ + "Brimel\\Brimel.exe"; }
    String Link(const String& value) const { return shell_.Folder(value) + "\\Brimel Messenger.lnk"; }

    void ExpectShortcutToTheMessenger(const String& path) {
        const LinkFields fields = ReadShellLink(path);
        ASSERT_TRUE(fields.loaded) << path;
        EXPECT_EQ(fields.target, Target()) << path;
        EXPECT_EQ(fields.description, "Brimel Messenger") << path;
        EXPECT_EQ(fields.arguments, "") << path;
        EXPECT_EQ(fields.workingDirectory, "") << path;
        EXPECT_EQ(fields.hotKey, 0) << path;
    }

    // What the installation does, folder by folder; the saved links' paths.
    Array<String> MakeEachShortcut() {
        Array<String> made;
        for (const char* value : kShortcutFolderValues) {
            String linkPath;
            if (CreateShortcut(value, programFilesDir_, &linkPath) == S_OK) made.push_back(linkPath);
        }
        return made;
    }

    ComApartment com_;
    TempFolder root_;
    ShellFoldersForTest shell_;
    String programFilesDir_;
};

TEST_F(Shortcuts, OneInEachShellFolderPointsAtTheInstalledMessenger) {
    const auto made = MakeEachShortcut();
    ASSERT_EQ(made, (Array<String>{Link("Desktop"), Link("Start Menu"), Link("Programs")}));
    for (const auto& path : made) ExpectShortcutToTheMessenger(path);
}

TEST_F(Shortcuts, TrailingBackslashesOfTheFolderValueAreDropped) {
    shell_.Set("Desktop", shell_.Folder("Desktop") + "\\");
    shell_.Set("Start Menu", shell_.Folder("Start Menu") + "\\\\\\\\");
    for (const char* value : {"Desktop", "Start Menu"}) {
        String linkPath;
        EXPECT_EQ(CreateShortcut(value, programFilesDir_, &linkPath), S_OK) << value;
        EXPECT_EQ(linkPath, Link(value));
        ExpectShortcutToTheMessenger(Link(value));
    }
}

TEST_F(Shortcuts, MissingStartMenuValueSkipsOnlyThatFolder) {
    shell_.Remove("Start Menu");
    EXPECT_EQ(CreateShortcut("Start Menu", programFilesDir_), S_FALSE);
    const auto made = MakeEachShortcut();
    EXPECT_EQ(made, (Array<String>{Link("Desktop"), Link("Programs")}));
    EXPECT_TRUE(FilesIn(shell_.Folder("Start Menu")).empty());
    ExpectShortcutToTheMessenger(Link("Desktop"));
    ExpectShortcutToTheMessenger(Link("Programs"));
}

TEST_F(Shortcuts, FolderValueReadingNotFoundCountsAsMissing) {
    shell_.Set("Programs", "NotFound");
    EXPECT_EQ(CreateShortcut("Programs", programFilesDir_), S_FALSE);
    EXPECT_FALSE(FileExists("NotFound\\Brimel Messenger.lnk"));
}

TEST_F(Shortcuts, InstallingTwiceLeavesOneRewrittenShortcutPerFolder) {
    ASSERT_EQ(MakeEachShortcut().size(), 3u);
    for (const char* value : {"Desktop", "Start Menu", "Programs"})
        ASSERT_TRUE(test::WriteBytes(Link(value), {'x'}));
    // Saving a link has the shell look up the desktop, which puts the
    // real desktop folder back into the key.
    shell_.PointAtTestFolders();
    ASSERT_EQ(MakeEachShortcut().size(), 3u);
    for (const char* value : {"Desktop", "Start Menu", "Programs"}) {
        EXPECT_EQ(FilesIn(shell_.Folder(value)), std::vector<String>{"Brimel Messenger.lnk"}) << value;
        ExpectShortcutToTheMessenger(Link(value));
    }
}

// The link path must fit, with its terminating zero, in 260 wide units: a
// longer one fails and leaves no file, neither whole nor cut short.
TEST_F(Shortcuts, LinkPathThatDoesNotFitTheWideBufferSavesNothing) {
    const String folder = root_ / "long";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    auto pathOfLength = [&](size_t length) {
        const String start = folder + "\\";
        return start + String(length - start.size() - 4, 'n') + ".lnk";
    };
    const String fits = pathOfLength(MAX_PATH - 1);
    ASSERT_EQ(fits.size(), 259u);
    EXPECT_EQ(CreateShellLink(Target().c_str(), fits.c_str(), "Brimel Messenger"), S_OK);
    EXPECT_EQ(ReadShellLink(fits).target, Target());
    ASSERT_TRUE(DeleteFileA(fits.c_str()));

    for (size_t length : {size_t(MAX_PATH), size_t(MAX_PATH + 1), size_t(400)}) {
        const String tooLong = pathOfLength(length);
        const HRESULT result = CreateShellLink(Target().c_str(), tooLong.c_str(), "Brimel Messenger");
        EXPECT_EQ(result, HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE)) << length;
        EXPECT_TRUE(FilesIn(folder).empty()) << length;
    }
}

}  // namespace
}  // namespace brimel
