// The welcome dialog's installation duties run with the application's
// Program Files folder, the system's Windows folder and the dialog's own
// desktop flag.
#include <gtest/gtest.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

#include "app/setup_app.h"
#include "app/welcome_dialog.h"
#include "support/registry_state.h"
#include "support/test_support.h"

namespace brimel {
namespace {

using test::FileExists;
using test::TempFolder;

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brimel";

String SystemWindowsFolder() {
    char folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return String(folder, length);
}

String LinkTarget(const String& path) {
    String target;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        char text[MAX_PATH] = "";
        if (SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)))
            target = text;
        file->Release();
    }
    link->Release();
    return target;
}

// Keeps the bytes of a file the test overwrites, or its absence.
class SavedFile {
public:
    explicit SavedFile(String path) : path_(std::move(path)), existed_(test::ReadBytes(path_, &bytes_)) {}
    ~SavedFile() {
        if (existed_)
            test::WriteBytes(path_, bytes_);
        else
            DeleteFileA(path_.c_str());
    }

private:
    String path_;
    std::vector<unsigned char> bytes_;
    bool existed_;
};

class WelcomeDialogDuties : public ::testing::Test {
protected:
    WelcomeDialogDuties() : root_("install-dialog"), shell_(root_ / "Profile") {
        app_.LoadSharedResources();
        app_.programFilesDir = root_ / "Program Files" + "\\";
        CreateDirectoryA((root_ / "Program Files").c_str(), nullptr);
        test::RemoveRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey);
    }
    ~WelcomeDialogDuties() override {
        test::RemoveRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey);
        CoUninitialize();
    }

    // COM first: the desktop process it may start rewrites the Desktop value.
    HRESULT com_ = CoInitialize(nullptr);
    SetupApp app_;
    TempFolder root_;
    test::ShellFoldersForTest shell_;
    WelcomeDialog dialog_;
};

TEST_F(WelcomeDialogDuties, FileSetGoesToTheApplicationsProgramFilesAndRaisesTheDialogsFlag) {
    const String uninstaller = SystemWindowsFolder() + "\\Uninstall Brimel.exe";
    SavedFile keep(uninstaller);
    ASSERT_TRUE(test::WriteBytes(shell_.Folder("Desktop") + "\\Brimel.lnk", {'l'}));
    ASSERT_EQ(dialog_.desktopShortcutRemoved, 0);
    EXPECT_TRUE(dialog_.WriteInstalledFileSet());
    EXPECT_EQ(dialog_.desktopShortcutRemoved, 1);
    EXPECT_TRUE(FileExists(app_.programFilesDir + "Brimel\\Brimel.exe"));
    EXPECT_TRUE(FileExists(app_.programFilesDir + "Brimel\\Skins\\Default - 1024x768\\action.bmp"));
    EXPECT_TRUE(FileExists(uninstaller));
}

TEST_F(WelcomeDialogDuties, ShortcutTargetsTheProgramUnderTheApplicationsProgramFiles) {
    dialog_.CreateShortcut("Programs");
    EXPECT_EQ(LinkTarget(shell_.Folder("Programs") + "\\Brimel Messenger.lnk"),
              app_.programFilesDir + "Brimel\\Brimel.exe");
}

TEST_F(WelcomeDialogDuties, UninstallEntryNamesTheUninstallerInTheSystemsWindowsFolder) {
    dialog_.RegisterUninstall();
    EXPECT_EQ(test::RegistryValues(HKEY_LOCAL_MACHINE, kUninstallKey)["UninstallString"].Text(),
              SystemWindowsFolder() + "\\Uninstall Brimel.exe");
}

}  // namespace
}  // namespace brimel
