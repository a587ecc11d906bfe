#include "core/installed_file_table.h"

namespace brimel {

String InstalledFolderPath(const String& windowsFolder, const String& productFolder, InstallFolder folder) {
    switch (folder) {
        case InstallFolder::Windows:
            return windowsFolder;
        case InstallFolder::Skins:
            return productFolder + "\\" + kSkinsFolderName;
        case InstallFolder::FirstSkin:
            return InstalledFolderPath(windowsFolder, productFolder, InstallFolder::Skins) + "\\" +
                   kFirstSkinFolderName;
        case InstallFolder::SecondSkin:
            return InstalledFolderPath(windowsFolder, productFolder, InstallFolder::Skins) + "\\" +
                   kSecondSkinFolderName;
        case InstallFolder::Product:
            break;
    }
    return productFolder;
}

String InstalledFilePath(const String& windowsFolder, const String& productFolder, const InstalledFile& file) {
    return InstalledFolderPath(windowsFolder, productFolder, file.folder) + "\\" + file.name;
}

}  // namespace brimel
