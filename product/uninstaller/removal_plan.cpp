#include "removal_plan.h"

#include "core/installed_file_table.h"
#include "sys/files.h"

namespace brimel::product {

RemovalPlan PlanRemoval(const Installation& installation) {
    RemovalPlan plan;
    const String& product = installation.productFolder;
    const String& windows = installation.windowsFolder;
    plan.messenger = InstalledFilePath(windows, product, kMessengerFile);
    // The program and its library first: a messenger that was stopped has
    // no chance to start again from a half-removed folder.
    for (int pass = 0; pass < 2; ++pass) {
        for (const InstalledFile& file : kInstalledFiles) {
            const bool program = file.folder == InstallFolder::Product;
            if (file.folder == InstallFolder::Windows || program != (pass == 0)) continue;
            plan.files.push_back(InstalledFilePath(windows, product, file));
        }
    }
    for (const String& shortcut : installation.shortcuts) plan.files.push_back(shortcut);
    plan.folders = {InstalledFolderPath(windows, product, InstallFolder::FirstSkin),
                    InstalledFolderPath(windows, product, InstallFolder::SecondSkin),
                    InstalledFolderPath(windows, product, InstallFolder::Skins), product};
    // Without a Windows folder there is no installed uninstaller to name (a
    // bare name would lead to the root of the current drive).
    if (!windows.empty()) plan.uninstaller = JoinPath(windows, kUninstallerFile.name);
    return plan;
}

}  // namespace brimel::product
