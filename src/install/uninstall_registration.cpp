#include "install/uninstall_registration.h"

#include "brimel_build.h"
#include "core/installed_file_table.h"
#include "core/text.h"
#include "sys/code_page.h"
#include "sys/registry.h"

namespace brimel::install {

const char kLegacyAutostartValue[] = "Brimel Chat";

namespace {

const char kProductName[] = "Brimel Messenger";
const char kPublisher[] = "Brimel, Inc.";
const char kWebSite[] = "http://www.brimel.example/";

}  // namespace

String BuildText() { return BRIMEL_BUILD_TEXT; }

String UninstallCommand(const String& windowsFolder) {
    // The same join as the file set's, so the entry names the file written.
    return InstalledFilePath(StripTrailingBackslashes(windowsFolder, IsSystemLeadByte), "", kUninstallerFile);
}

bool RegisterUninstall(const String& windowsFolder) {
    auto write = [](UninstallValue value, const String& text) {
        return WriteRegistryString(kUninstallKey, UninstallValueName(value), text, kLocalMachine);
    };
    bool all = true;
    all &= write(UninstallValue::DisplayName, kProductName);
    all &= write(UninstallValue::DisplayVersion, BuildText());
    all &= write(UninstallValue::Publisher, kPublisher);
    all &= write(UninstallValue::UninstallString, UninstallCommand(windowsFolder));
    all &= write(UninstallValue::UrlInfoAbout, kWebSite);
    return all;
}

bool HasLegacyAutostart(const String& runKeyPath) {
    const String command = ReadRegistryString(runKeyPath, kLegacyAutostartValue, kCurrentUser);
    return IsFoundText(command);
}

bool RemoveLegacyAutostart(const String& runKeyPath) {
    return DeleteRegistryValue(runKeyPath, kLegacyAutostartValue, kCurrentUser);
}

}  // namespace brimel::install
