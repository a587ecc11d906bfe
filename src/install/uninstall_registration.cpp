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
    bool all = true;
    all &= WriteRegistryString(kUninstallKey, kUninstallValueNames[kDisplayNameValue], kProductName, kLocalMachine);
    all &= WriteRegistryString(kUninstallKey, kUninstallValueNames[kDisplayVersionValue], BuildText(), kLocalMachine);
    all &= WriteRegistryString(kUninstallKey, kUninstallValueNames[kPublisherValue], kPublisher, kLocalMachine);
    all &= WriteRegistryString(kUninstallKey, kUninstallValueNames[kUninstallStringValue],
                               UninstallCommand(windowsFolder), kLocalMachine);
    all &= WriteRegistryString(kUninstallKey, kUninstallValueNames[kUrlInfoAboutValue], kWebSite, kLocalMachine);
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
