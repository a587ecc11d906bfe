#include "install/shortcuts.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "core/win32/owners.h"
#include "core/win32/resources.h"
#include "install/shell_folders.h"
#include "resource.h"

namespace brimel::install {

std::string InstalledProgramPath(const std::string& programFilesDir) {
    return programFilesDir + "Brimel\\Brimel.exe";
}

HRESULT CreateShellLink(const char* targetPath, const char* linkPath, const char* description) {
    // The name is converted first: a path that does not fit would otherwise
    // reach the save cut short or without its terminating zero.
    WCHAR wideLink[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wideLink, MAX_PATH) == 0) {
        const DWORD error = GetLastError();
        return HRESULT_FROM_WIN32(error == ERROR_INSUFFICIENT_BUFFER || error == ERROR_SUCCESS
                                      ? ERROR_FILENAME_EXCED_RANGE
                                      : error);
    }

    ComPtr<IShellLinkA> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      link.ReceiveVoid());
    if (FAILED(result)) return result;
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.ReceiveVoid());
    if (FAILED(result)) return result;
    link->SetPath(targetPath);
    link->SetDescription(description);
    return file->Save(wideLink, TRUE);
}

HRESULT CreateShortcut(const std::string& folderValueName, const std::string& programFilesDir,
                       std::string* linkPath) {
    const std::string target = InstalledProgramPath(programFilesDir);
    std::string path;
    if (!ShellFolderFile(folderValueName, "\\Brimel Messenger.lnk", &path)) return S_FALSE;
    if (linkPath) *linkPath = path;
    const std::string description = LoadResString(IDS_SHORTCUT_DESCRIPTION);
    return CreateShellLink(target.c_str(), path.c_str(), description.c_str());
}

std::vector<std::string> CreateShortcuts(const std::string& programFilesDir) {
    std::vector<std::string> made;
    for (const char* value : kShortcutFolderValues) {
        std::string linkPath;
        if (CreateShortcut(value, programFilesDir, &linkPath) == S_OK) made.push_back(linkPath);
    }
    return made;
}

}  // namespace brimel::install
