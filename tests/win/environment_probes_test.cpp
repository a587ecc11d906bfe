// The environment probes under Wine: the operating-system probe under every
// Windows version Wine can pretend to be, the rich edit probe against
// stand-in libraries with version resources of their own, and the Windows
// folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/test_support.h"
#include "sys/environment_probes.h"

namespace brimel {
namespace {

// A per-program setting of Wine under HKCU\Software\Wine\AppDefaults\<program>,
// removed with the program's whole key when the object goes.
class WineAppDefault {
public:
    WineAppDefault(const String& program, const String& subkey, const String& name,
                   const String& value)
        : programKey_("Software\\Wine\\AppDefaults\\" + program) {
        Remove();
        const String path = subkey.empty() ? programKey_ : programKey_ + "\\" + subkey;
        HKEY key;
        ok_ = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr) == ERROR_SUCCESS;
        if (!ok_) return;
        ok_ = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~WineAppDefault() { Remove(); }
    WineAppDefault(const WineAppDefault&) = delete;
    WineAppDefault& operator=(const WineAppDefault&) = delete;
    bool Ok() const { return ok_; }
private:
    // The program's key holds at most one subkey level of ours.
    void Remove() {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, programKey_.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            char child[256];
            DWORD size = sizeof child;
            while (RegEnumKeyExA(key, 0, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
                if (RegDeleteKeyA(key, child) != ERROR_SUCCESS) break;
                size = sizeof child;
            }
            RegCloseKey(key);
        }
        RegDeleteKeyA(HKEY_CURRENT_USER, programKey_.c_str());
    }

    String programKey_;
    bool ok_ = false;
};

bool AppDefaultsExist(const String& program) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\Wine\\AppDefaults\\" + program).c_str(), 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Runs one of the test's helper programs and returns its exit code, or -1.
DWORD RunHelper(const String& program, const String& arguments = "") {
    test::ChildProcess helper;
    String line = "\"" + test::BuildPath("tests/win/" + program) + "\"";
    if (!arguments.empty()) {
        // Backslashes before the closing quote are doubled, or the last one
        // would escape the quote.
        String quoted = arguments;
        for (size_t i = quoted.size(); i > 0 && arguments[i - 1] == '\\'; --i) quoted += '\\';
        line += " \"" + quoted + "\"";
    }
    if (!helper.Start(line)) return DWORD(-1);
    if (WaitForSingleObject(helper.Handle(), 30000) != WAIT_OBJECT_0) return DWORD(-1);
    DWORD code = DWORD(-1);
    GetExitCodeProcess(helper.Handle(), &code);
    return code;
}

TEST(IsSupportedWindows, AcceptsTheWindowsThisTestRunsOn) { EXPECT_TRUE(IsSupportedWindows()); }

TEST(IsSupportedWindows, DecidesByTheVersionWinePretendsToBe) {
    const struct {
        const char* version;
        DWORD platform, major, minor;
        bool secondEdition, supported;
    } table[] = {
        {"win95", 1, 4, 0, false, false},
        {"win98", 1, 4, 10, true, true},
        {"winme", 1, 4, 90, false, true},
        {"nt351", 2, 3, 51, false, false},
        {"nt40", 2, 4, 0, false, true},
        {"win2k", 2, 5, 0, false, true},
        {"win7", 2, 6, 1, false, true},
    };
    for (const auto& row : table) {
        WineAppDefault emulated("probe_windows.exe", "", "Version", row.version);
        ASSERT_TRUE(emulated.Ok()) << row.version;
        const DWORD code = RunHelper("probe_windows.exe");
        ASSERT_NE(code, DWORD(-1)) << row.version;
        // The emulation took effect: the probe saw the version the row names.
        EXPECT_EQ((code >> 1) & 7, row.platform) << row.version;
        EXPECT_EQ((code >> 4) & 15, row.major) << row.version;
        EXPECT_EQ((code >> 8) & 255, row.minor) << row.version;
        EXPECT_EQ(((code >> 16) & 1) != 0, row.secondEdition) << row.version;
        EXPECT_EQ((code & 1) != 0, row.supported) << row.version;
    }
    EXPECT_FALSE(AppDefaultsExist("probe_windows.exe")) << "an emulated version was left behind";
}

// The folder that holds one of the stand-ins for riched20.dll.
String StandIn(const String& variant) { return test::BuildPath("tests/win/probe_dlls/" + variant); }

TEST(IsRichEditCurrent, RejectsOnlyALanguageNeutralProductNameOfThe2xGeneration) {
    {
        // Wine gives a program the version resource of its own built-in
        // riched20.dll whatever the folder, unless told to prefer the file.
        WineAppDefault nativeFirst("probe_richedit.exe", "DllOverrides", "riched20", "native,builtin");
        ASSERT_TRUE(nativeFirst.Ok());
        const struct { const char* variant; bool current; } table[] = {
            {"neutral_20", false},            // "Rich Edit 2.0"
            {"neutral_30", true},             // "Rich Edit 3.0"
            {"neutral_starts_2", true},       // "2.0 something": found at the start
            {"english_only", true},           // "Rich Edit 2.0" in 0409, never read
            {"english_then_neutral", false},  // the neutral entry is read wherever it stands
            {"two_neutral", true},            // the last neutral entry decides
            {"short_table", true},            // no complete translation entry
            {"no_version", true},             // no version resource at all
            {"no_such_folder", true},         // no library at all
        };
        for (const auto& row : table) {
            EXPECT_EQ(RunHelper("probe_richedit.exe", StandIn(row.variant)), DWORD(row.current))
                << row.variant;
            EXPECT_EQ(RunHelper("probe_richedit.exe", StandIn(row.variant) + "\\"), DWORD(row.current))
                << row.variant << " with a trailing backslash";
        }
    }
    EXPECT_FALSE(AppDefaultsExist("probe_richedit.exe")) << "the library override was left behind";
}

TEST(IsRichEditCurrent, UnknownSystemFolderIsRejected) { EXPECT_FALSE(IsRichEditCurrentIn("")); }

TEST(IsRichEditCurrent, WinesOwnLibraryHasNoLanguageNeutralNameAndPasses) {
    char system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    EXPECT_EQ(GetVersionInfoText(String(system) + "\\riched20.dll", "ProductName"), "");
    EXPECT_TRUE(IsRichEditCurrent());
}

TEST(GetVersionInfoText, ReadsOnlyLanguageNeutralTranslations) {
    // Copies under names of their own, so that Wine reads the files and not
    // its built-in riched20.dll.
    test::TempFolder folder("version-texts");
    const char* variants[] = {"neutral_20", "neutral_30", "english_only", "english_then_neutral",
                              "two_neutral", "short_table", "no_version"};
    for (const char* variant : variants)
        ASSERT_TRUE(CopyFileA((StandIn(variant) + "\\riched20.dll").c_str(),
                              (folder / (String(variant) + ".dll")).c_str(), FALSE))
            << variant;
    const struct { const char* variant; String item, text; } table[] = {
        {"neutral_20", "ProductName", "Rich Edit 2.0"},
        {"neutral_20", "productname", "Rich Edit 2.0"},
        {"neutral_30", "ProductName", "Rich Edit 3.0"},
        {"neutral_30", "FileDescription", ""},
        {"english_only", "ProductName", ""},
        {"english_then_neutral", "ProductName", "Rich Edit 2.0"},
        {"two_neutral", "ProductName", "Rich Edit 3.0"},
        // Found in the first neutral translation, missing in the last one.
        {"two_neutral", "Comments", ""},
        {"short_table", "ProductName", ""},
        {"no_version", "ProductName", ""},
        {"no_such_file", "ProductName", ""},
        // Longer than a sub-block path can be: not looked up at all.
        {"neutral_20", String(300, 'P'), ""},
    };
    // The short table's strings are sound: only the table keeps them unread.
    {
        const String path = folder / "short_table.dll";
        DWORD ignored = 0;
        String block(GetFileVersionInfoSizeA(path.c_str(), &ignored), '\0');
        ASSERT_FALSE(block.empty());
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), &block[0]));
        void* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(&block[0], "\\VarFileInfo\\Translation", &value, &length));
        EXPECT_EQ(length, 2u);
        ASSERT_TRUE(VerQueryValueA(&block[0], "\\StringFileInfo\\000004b0\\ProductName", &value, &length));
        EXPECT_STREQ(static_cast<const char*>(value), "Rich Edit 2.0");
    }
    for (const auto& row : table)
        EXPECT_EQ(GetVersionInfoText(folder / (String(row.variant) + ".dll"), row.item), row.text)
            << row.variant << " " << row.item.substr(0, 20);
}

TEST(GetWindowsFolder, IsWinesWindowsFolderWithoutTrailingBackslash) {
    const String folder = GetWindowsFolder();
    EXPECT_EQ(lstrcmpiA(folder.c_str(), "C:\\windows"), 0) << folder;
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(test::FolderExists(folder)) << folder;
    EXPECT_TRUE(test::FileExists(folder + "\\system32\\riched20.dll") ||
                test::FileExists(folder + "\\system\\riched20.dll"))
        << folder;
}

}  // namespace
}  // namespace brimel
