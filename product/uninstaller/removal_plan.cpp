#include "removal_plan.h"

#include "core/installed_file_table.h"
#include "sys/files.h"

namespace brimel::product {

RemovalPlan PlanRemoval(const Installation& installation) {
    RemovalPlan plan;
    const String& product = installation.productFolder;
    const String skins = JoinPath(product, kSkinsFolderName);
    const String firstSkin = JoinPath(skins, kFirstSkinFolderName);
    const String secondSkin = JoinPath(skins, kSecondSkinFolderName);
    plan.messenger = JoinPath(product, "Brimel.exe");
    // The program and its library first: a messenger that was stopped has
    // no chance to start again from a half-removed folder.
    for (int pass = 0; pass < 2; ++pass) {
        for (const InstalledFile& file : kInstalledFiles) {
            const bool program = file.folder == InstallFolder::Product;
            if (file.folder == InstallFolder::Windows || program != (pass == 0)) continue;
            const String& folder = file.folder == InstallFolder::FirstSkin    ? firstSkin
                                   : file.folder == InstallFolder::SecondSkin ? secondSkin
                                                                              : product;
            plan.files.push_back(JoinPath(folder, file.name));
        }
    }
    for (const String& shortcut : installation.shortcuts) plan.files.push_back(shortcut);
    plan.folders = {firstSkin, secondSkin, skins, product};
    // Without a Windows folder there is no installed uninstaller to name (a
    // bare name would lead to the root of the current drive).
    if (!installation.windowsFolder.empty())
        plan.uninstaller = JoinPath(installation.windowsFolder, kUninstallerName);
    return plan;
}

}  // namespace brimel::product
