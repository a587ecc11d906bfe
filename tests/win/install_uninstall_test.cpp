// The uninstall entry under the machine's uninstall key, and the removal of
// the predecessor's per-user autostart value.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>

#include "brimel_build.h"
#include "install/uninstall_registration.h"
#include "sys/registry.h"
#include "support/registry_state.h"
#include "string_printer.h"

namespace brimel {
namespace {

using install::HasLegacyAutostart;
using install::RegisterUninstall;
using install::RemoveLegacyAutostart;
using test::RegistryValue;
using test::RegistryValues;

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brimel";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class UninstallEntry : public ::testing::Test {
protected:
    UninstallEntry() { test::RemoveRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey); }
    ~UninstallEntry() override { test::RemoveRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey); }
};

TEST_F(UninstallEntry, HoldsExactlyFiveTextValues) {
    ASSERT_TRUE(RegisterUninstall("C:\\WINDOWS"));
    const auto values = RegistryValues(HKEY_LOCAL_MACHINE, kUninstallKey);
    const std::map<String, String> expected = {
        {"DisplayName", "Brimel Messenger"},
        {"DisplayVersion", BRIMEL_BUILD_TEXT},  // the build's; release.build reads another
        {"Publisher", "Brimel, Inc."},
        {"UninstallString", "C:\\WINDOWS\\Uninstall Brimel.exe"},
        {"URLInfoAbout", "http://www.brimel.example/"},
    };
    ASSERT_EQ(values.size(), expected.size());
    for (const auto& [name, text] : expected) {
        auto found = values.find(name);
        ASSERT_NE(found, values.end()) << name;
        EXPECT_EQ(found->second.type, DWORD(REG_SZ)) << name;
        EXPECT_EQ(found->second.Text(), text) << name;
        // Stored with its terminating zero.
        EXPECT_EQ(found->second.data.size(), text.size() + 1) << name;
    }
    EXPECT_TRUE(test::RegistrySubkeys(HKEY_LOCAL_MACHINE, kUninstallKey).empty());
}

TEST_F(UninstallEntry, RegisteringTwiceRewritesTheSameValuesOnly) {
    ASSERT_TRUE(RegisterUninstall("C:\\WINDOWS"));
    const auto first = RegistryValues(HKEY_LOCAL_MACHINE, kUninstallKey);
    ASSERT_TRUE(test::SetRegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "Publisher", "someone else"));
    ASSERT_TRUE(RegisterUninstall("C:\\WINDOWS"));
    const auto second = RegistryValues(HKEY_LOCAL_MACHINE, kUninstallKey);
    ASSERT_EQ(second.size(), 5u);
    for (const auto& [name, value] : first) {
        EXPECT_EQ(second.at(name).type, value.type) << name;
        EXPECT_EQ(second.at(name).data, value.data) << name;
    }
    EXPECT_TRUE(test::RegistrySubkeys(HKEY_LOCAL_MACHINE, kUninstallKey).empty());
    // Nothing new beside the product's key either.
    const auto siblings = test::RegistrySubkeys(HKEY_LOCAL_MACHINE,
                                                "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
    EXPECT_EQ(std::count(siblings.begin(), siblings.end(), "Brimel"), 1);
}

TEST_F(UninstallEntry, UninstallStringHasOneBackslashBeforeTheProgramWhateverTheFolderEnds) {
    struct Case {
        const char* windowsFolder;
        const char* command;
    } cases[] = {
        {"C:\\WINDOWS", "C:\\WINDOWS\\Uninstall Brimel.exe"},
        {"C:\\WINDOWS\\", "C:\\WINDOWS\\Uninstall Brimel.exe"},
        {"C:\\WINDOWS\\\\", "C:\\WINDOWS\\Uninstall Brimel.exe"},
        {"C:\\", "C:\\Uninstall Brimel.exe"},
        {"D:\\Brimel Test\\WINNT", "D:\\Brimel Test\\WINNT\\Uninstall Brimel.exe"},
    };
    for (const auto& c : cases) {
        RegisterUninstall(c.windowsFolder);
        EXPECT_EQ(RegistryValues(HKEY_LOCAL_MACHINE, kUninstallKey)["UninstallString"].Text(), c.command)
            << c.windowsFolder;
    }
}

// Every Run value of both hives, put back as it was at the end.
class LegacyAutostart : public ::testing::Test {
protected:
    LegacyAutostart()
        : legacy_(HKEY_CURRENT_USER, kRunKey, "Brimel Chat"),
          other_(HKEY_CURRENT_USER, kRunKey, "Brimel Helper"),
          machineLegacy_(HKEY_LOCAL_MACHINE, kRunKey, "Brimel Chat") {
        SetNotFoundText("NotFound");  // as the application hands it over
        test::SetRegistryText(HKEY_CURRENT_USER, kRunKey, "Brimel Helper", "C:\\Helper\\helper.exe");
        test::SetRegistryText(HKEY_LOCAL_MACHINE, kRunKey, "Brimel Chat", "C:\\Old\\BrimelChat.exe /all");
    }

    test::SavedRegistryValue legacy_, other_, machineLegacy_;
};

TEST_F(LegacyAutostart, NonEmptyPerUserValueIsFoundAndDeletedAndNothingElse) {
    for (const char* command : {"\"C:\\Program Files\\Brimel Chat\\BrimelChat.exe\" /min", " ", "notfound"}) {
        ASSERT_TRUE(test::SetRegistryText(HKEY_CURRENT_USER, kRunKey, "Brimel Chat", command));
        auto userBefore = RegistryValues(HKEY_CURRENT_USER, kRunKey);
        const auto machineBefore = RegistryValues(HKEY_LOCAL_MACHINE, kRunKey);

        EXPECT_TRUE(HasLegacyAutostart(kRunKey)) << command;
        EXPECT_TRUE(RemoveLegacyAutostart(kRunKey)) << command;

        userBefore.erase("Brimel Chat");
        const auto userAfter = RegistryValues(HKEY_CURRENT_USER, kRunKey);
        ASSERT_EQ(userAfter.size(), userBefore.size()) << command;
        for (const auto& [name, value] : userBefore) {
            ASSERT_EQ(userAfter.count(name), 1u) << name;
            EXPECT_EQ(userAfter.at(name).data, value.data) << name;
        }
        EXPECT_EQ(RegistryValues(HKEY_LOCAL_MACHINE, kRunKey).size(), machineBefore.size());
        EXPECT_EQ(RegistryValues(HKEY_LOCAL_MACHINE, kRunKey)["Brimel Chat"].Text(), "C:\\Old\\BrimelChat.exe /all");
        EXPECT_FALSE(HasLegacyAutostart(kRunKey)) << command;
    }
}

TEST_F(LegacyAutostart, EmptyAndNotFoundValuesCountAsAbsentAndStay) {
    for (const char* command : {"", "NotFound"}) {
        ASSERT_TRUE(test::SetRegistryText(HKEY_CURRENT_USER, kRunKey, "Brimel Chat", command));
        EXPECT_FALSE(HasLegacyAutostart(kRunKey)) << '"' << command << '"';
        EXPECT_EQ(RegistryValues(HKEY_CURRENT_USER, kRunKey)["Brimel Chat"].Text(), command);
    }
}

}  // namespace
}  // namespace brimel
