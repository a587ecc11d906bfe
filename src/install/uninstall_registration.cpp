#include "install/uninstall_registration.h"

#include "brimel_build.h"
#include "core/text.h"
#include "sys/code_page.h"
#include "sys/registry.h"

namespace brimel::install {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brimel";
const char kLegacyAutostartValue[] = "Brimel Chat";

namespace {

const char kProductName[] = "Brimel Messenger";
const char kPublisher[] = "Brimel, Inc.";
const char kWebSite[] = "http://www.brimel.example/";
const char kUninstallerName[] = "Uninstall Brimel.exe";

}  // namespace

String BuildText() { return BRIMEL_BUILD_TEXT; }

String UninstallCommand(const String& windowsFolder) {
    // The same join as the file set's, so the entry names the file written.
    return StripTrailingBackslashes(windowsFolder, IsSystemLeadByte) + "\\" + kUninstallerName;
}

bool RegisterUninstall(const String& windowsFolder) {
    bool all = true;
    all &= WriteRegistryString(kUninstallKey, "DisplayName", kProductName, kLocalMachine);
    all &= WriteRegistryString(kUninstallKey, "DisplayVersion", BuildText(), kLocalMachine);
    all &= WriteRegistryString(kUninstallKey, "Publisher", kPublisher, kLocalMachine);
    all &= WriteRegistryString(kUninstallKey, "UninstallString", UninstallCommand(windowsFolder), kLocalMachine);
    all &= WriteRegistryString(kUninstallKey, "URLInfoAbout", kWebSite, kLocalMachine);
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
