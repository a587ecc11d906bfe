#include "install/shortcuts.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "core/installed_file_table.h"
#include "core/win32/owners.h"
#include "core/win32/resources.h"
#include "install/shell_folders.h"
#include "resource.h"

namespace brimel::install {
namespace {

// The shell link's class and interface ids, defined here: the SDK's
// definitions live in one library object that brings every id it knows.
const CLSID kShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kShellLinkInterface = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kPersistFileInterface = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

}  // namespace

String InstalledProgramPath(const String& programFilesDir) {
    return programFilesDir + kProductFolderName + "\\" + kMessengerFile.name;
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
    HRESULT result = CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, kShellLinkInterface,
                                      link.ReceiveVoid());
    if (FAILED(result)) return result;
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(kPersistFileInterface, file.ReceiveVoid());
    if (FAILED(result)) return result;
    link->SetPath(targetPath);
    link->SetDescription(description);
    return file->Save(wideLink, TRUE);
}

HRESULT CreateShortcut(const String& folderValueName, const String& programFilesDir,
                       String* linkPath) {
    const String target = InstalledProgramPath(programFilesDir);
    String path;
    if (!ShellFolderFile(folderValueName, kShortcutName, &path)) return S_FALSE;
    if (linkPath) *linkPath = path;
    const String description = LoadResString(IDS_SHORTCUT_DESCRIPTION);
    return CreateShellLink(target.c_str(), path.c_str(), description.c_str());
}

}  // namespace brimel::install
