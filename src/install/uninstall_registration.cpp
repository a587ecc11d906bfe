#include "install/uninstall_registration.h"

#include "core/installed_file_table.h"
#include "core/text.h"
#include "sys/code_page.h"
#include "sys/registry.h"

namespace brimel::install {

const char kLegacyAutostartValue[] = "Brimel Chat";

namespace {

constexpr int kBuildNumber = BRIMEL_BUILD_NUMBER;  // given by the build
const char kProductName[] = "Brimel Messenger";
const char kPublisher[] = "Brimel, Inc.";
const char kWebSite[] = "http://www.brimel.example/";

}  // namespace

String BuildText() { return "2.0, Build # " + DecimalText(kBuildNumber, 3, '0'); }

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
    return !command.empty() && command != NotFoundText();
}

bool RemoveLegacyAutostart(const String& runKeyPath) {
    return DeleteRegistryValue(runKeyPath, kLegacyAutostartValue, kCurrentUser);
}

}  // namespace brimel::install
