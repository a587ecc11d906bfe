// Uninstall Brimel: removes Brimel Messenger from the computer.
//
// Installed as "<Windows folder>\Uninstall Brimel.exe"; the product's entry in
// the list of installed programs points at it.
//
// Command line (switches are case-insensitive):
//   (none)  ask for confirmation, remove, then report the result in a message box
//   /S      silent: no confirmation and no message boxes; the exit code tells
//           the result (for scripts and tests)
//   /?      show this list of switches
// Exit codes:
//   0  everything that was installed is gone (also when nothing was installed)
//   1  some items could not be removed (listed in the report unless silent)
//   2  the user answered No to the confirmation
//   3  the Program Files folder could not be read from the registry
//   4  Brimel Messenger kept running; nothing was removed
//   5  unknown argument; nothing was done
//
// What it removes: the 44 files it knows in the product folder
// "<ProgramFilesDir>\Brimel" (both skins, Brimel.exe and BC.dll), the two skin
// folders, the Skins folder and the product folder when they hold nothing
// else, the three "Brimel Messenger.lnk" shortcuts, the uninstall entry and,
// last, its own program file. The user's settings under HKEY_CURRENT_USER
// "Software\Brimel, Inc.\Brimel" and any file of the user's are left alone.
//
// Removing its own program file: a running program cannot delete itself, so the
// uninstaller copies itself into the temporary folder and starts that copy with
// the internal switch
//   /_cleanup <process handle> "<path of the original>"
// The copy inherits a handle of the uninstaller's process, waits until the
// uninstaller has ended, deletes the original and schedules its own removal
// for the next restart. Where the copy cannot be started, the original is
// scheduled for removal at the next restart instead: on the NT family with
// MoveFileExA(MOVEFILE_DELAY_UNTIL_REBOOT), on Windows 98/Me with a
// "NUL=<short path>" line under [rename] in WININIT.INI (only when no other
// program has a NUL= line pending there, since the profile functions could keep
// just one of them).

// Plain C runtime and fixed buffers only: the C++ library of this toolchain
// brings in imports that Windows 98 does not have.

#include <windows.h>
#include <shellapi.h>

#include <stdlib.h>
#include <string.h>

#include "core/win32/system_libraries.h"

namespace {

const char kTitle[] = "Uninstall Brimel Messenger";
const char kProductFolderName[] = "Brimel";
const char kUninstallerName[] = "Uninstall Brimel.exe";
const char kShortcutName[] = "\\Brimel Messenger.lnk";
const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kUninstallParent[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kUninstallKeyName[] = "Brimel";
const char kUninstallKeyShown[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brimel";
const char kCleanupSwitch[] = "/_cleanup";
const DWORD kMessengerQuitWaitMs = 15000;
const DWORD kMessengerPollMs = 200;
const DWORD kParentExitWaitMs = 60000;

enum ExitCode {
    kRemoved = 0,
    kIncomplete = 1,
    kDeclined = 2,
    kNoProgramFiles = 3,
    kMessengerRunning = 4,
    kBadArguments = 5,
};

const char* const kSkinFolders[] = {"Default - 800x600", "Default - 1024x768"};

// The 21 files of each skin folder.
const char* const kSkinFiles[] = {
    "main.bmp",       "left_panel.bmp",     "skin.ini",       "accept.bmp",   "accept_decline.bmp",
    "bold.bmp",       "italic.bmp",         "underline.bmp",  "font.bmp",     "help.bmp",
    "close.bmp",      "settings.bmp",       "voice_video.bmp", "minimize.bmp", "find_friends.bmp",
    "import_friends.bmp", "my_profile.bmp", "send.bmp",       "smiley.bmp",   "decline.bmp",
    "action.bmp",
};

const char* const kProgramFiles[] = {"Brimel.exe", "BC.dll"};

const char* const kShellFolderValues[] = {"Desktop", "Start Menu", "Programs"};

const char* const kUninstallValues[] = {"DisplayName", "DisplayVersion", "Publisher", "UninstallString",
                                        "URLInfoAbout"};

template <typename T, size_t N>
size_t CountOf(T (&)[N])
{
    return N;
}

typedef BOOL(WINAPI* MoveFileExFn)(LPCSTR, LPCSTR, DWORD);

// A path in a MAX_PATH buffer. An append that does not fit marks the path as
// invalid, and every operation on an invalid path fails instead of acting on a
// truncated name.
class Path {
public:
    Path() : valid_(true) { text_[0] = '\0'; }
    explicit Path(const char* text) : valid_(true)
    {
        text_[0] = '\0';
        Append(text);
    }

    Path& Append(const char* more)
    {
        size_t used = strlen(text_);
        size_t extra = strlen(more);
        if (!valid_ || used + extra >= sizeof(text_)) {
            valid_ = false;
            return *this;
        }
        memcpy(text_ + used, more, extra + 1);
        return *this;
    }

    // Appends a backslash and a name.
    Path& Join(const char* name) { return Append("\\").Append(name); }

    void StripTrailingBackslashes()
    {
        size_t n = strlen(text_);
        while (n > 0 && text_[n - 1] == '\\')
            text_[--n] = '\0';
    }

    bool Valid() const { return valid_; }
    bool Empty() const { return text_[0] == '\0'; }
    const char* Text() const { return text_; }

private:
    char text_[MAX_PATH];
    bool valid_;
};

bool IsWindowsNT()
{
    return (GetVersion() & 0x80000000u) == 0;
}

// Reads a text value; REG_EXPAND_SZ values are expanded. False when missing
// or too long for a path.
bool ReadRegistryPath(HKEY root, const char* keyPath, const char* name, Path* out)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char data[MAX_PATH + 1];
    DWORD type = 0;
    DWORD size = sizeof(data) - 1;
    LONG rc = RegQueryValueExA(key, name, NULL, &type, (BYTE*)data, &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    data[size] = '\0';
    if (type == REG_EXPAND_SZ) {
        char expanded[MAX_PATH];
        DWORD n = ExpandEnvironmentStringsA(data, expanded, sizeof(expanded));
        if (n == 0 || n > sizeof(expanded))
            return false;
        *out = Path(expanded);
    } else {
        *out = Path(data);
    }
    return out->Valid();
}

bool IsExistingFile(const Path& path)
{
    if (!path.Valid())
        return false;
    DWORD attributes = GetFileAttributesA(path.Text());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFolder(const Path& path)
{
    if (!path.Valid())
        return false;
    DWORD attributes = GetFileAttributesA(path.Text());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ClearReadOnly(const Path& path)
{
    DWORD attributes = GetFileAttributesA(path.Text());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.Text(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

// True when the file is missing or no program holds it: the test the setup
// program also uses to see whether the messenger still runs.
bool CanOpenForWriting(const Path& path)
{
    if (!IsExistingFile(path))
        return true;
    ClearReadOnly(path);
    HANDLE file = CreateFileA(path.Text(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// Removes one file of ours; a file that is not there counts as removed, and a
// folder of the same name is not ours and is left alone.
bool RemoveFile(const Path& path)
{
    if (!path.Valid())
        return false;
    DWORD attributes = GetFileAttributesA(path.Text());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    ClearReadOnly(path);
    if (DeleteFileA(path.Text()))
        return true;
    return !IsExistingFile(path);
}

// What could not be removed, and which folders stay because they hold
// something of the user's.
class Report {
public:
    Report() : failed_(0), kept_(0) {}

    void Failed(const char* item) { Add(failedItems_, &failed_, item); }
    void Kept(const char* folder) { Add(keptItems_, &kept_, folder); }
    bool Complete() const { return failed_ == 0; }

    void Compose(char* out, size_t size) const
    {
        out[0] = '\0';
        if (failed_ == 0) {
            Cat(out, size, "Brimel Messenger was removed from your computer.");
        } else {
            Cat(out, size, "Brimel Messenger was removed, but these items could not be removed:\n\n");
            List(out, size, failedItems_, failed_);
            Cat(out, size, "\nYou can delete them yourself, or restart the computer and run the "
                           "uninstaller again.");
        }
        if (kept_ > 0) {
            Cat(out, size, "\n\nThese folders were kept because they still hold other files:\n\n");
            List(out, size, keptItems_, kept_);
        }
    }

private:
    enum { kShown = 16 };

    static void Add(char (*items)[MAX_PATH], unsigned* count, const char* item)
    {
        if (*count < kShown)
            lstrcpynA(items[*count], item, MAX_PATH);
        ++*count;
    }

    static void Cat(char* out, size_t size, const char* more)
    {
        size_t used = strlen(out);
        if (used + 1 < size)
            lstrcpynA(out + used, more, (int)(size - used));
    }

    static void List(char* out, size_t size, const char (*items)[MAX_PATH], unsigned count)
    {
        for (unsigned i = 0; i < count && i < kShown; ++i) {
            Cat(out, size, items[i]);
            Cat(out, size, "\n");
        }
        if (count > kShown) {
            char more[48];
            wsprintfA(more, "... and %u more\n", count - kShown);
            Cat(out, size, more);
        }
    }

    char failedItems_[kShown][MAX_PATH];
    unsigned failed_;
    char keptItems_[kShown][MAX_PATH];
    unsigned kept_;
};

void RemoveFolderIfEmpty(const Path& path, Report* report)
{
    if (!IsExistingFolder(path))
        return;
    if (!RemoveDirectoryA(path.Text()) && IsExistingFolder(path))
        report->Kept(path.Text());
}

// Asks a running messenger to quit, as the setup program does, and waits
// until it has released its program file.
bool StopMessenger(const Path& exe)
{
    if (CanOpenForWriting(exe))
        return true;
    ShellExecuteA(NULL, "open", exe.Text(), "/u.U", NULL, SW_SHOWNORMAL);
    DWORD start = GetTickCount();
    for (;;) {
        if (CanOpenForWriting(exe))
            return true;
        if (GetTickCount() - start >= kMessengerQuitWaitMs)
            return false;
        Sleep(kMessengerPollMs);
    }
}

void RemoveProductFiles(const Path& product, Report* report)
{
    for (size_t p = 0; p < CountOf(kProgramFiles); ++p) {
        Path path = product;
        path.Join(kProgramFiles[p]);
        if (!RemoveFile(path))
            report->Failed(path.Text());
    }
    Path skins = product;
    skins.Join("Skins");
    for (size_t s = 0; s < CountOf(kSkinFolders); ++s) {
        Path folder = skins;
        folder.Join(kSkinFolders[s]);
        for (size_t f = 0; f < CountOf(kSkinFiles); ++f) {
            Path path = folder;
            path.Join(kSkinFiles[f]);
            if (!RemoveFile(path))
                report->Failed(path.Text());
        }
        RemoveFolderIfEmpty(folder, report);
    }
    RemoveFolderIfEmpty(skins, report);
    RemoveFolderIfEmpty(product, report);
}

void RemoveShortcuts(Report* report)
{
    for (size_t i = 0; i < CountOf(kShellFolderValues); ++i) {
        Path link;
        if (!ReadRegistryPath(HKEY_CURRENT_USER, kShellFoldersKey, kShellFolderValues[i], &link))
            continue;  // no such shell folder: the setup program made no shortcut there either
        link.StripTrailingBackslashes();
        link.Append(kShortcutName);
        if (!RemoveFile(link))
            report->Failed(link.Text());
    }
}

// Deletes the five values of the uninstall entry, then the key itself unless
// something else has been stored in it since.
void RemoveUninstallEntry(Report* report)
{
    char keyPath[sizeof(kUninstallParent) + sizeof(kUninstallKeyName) + 1];
    wsprintfA(keyPath, "%s\\%s", kUninstallParent, kUninstallKeyName);
    HKEY key;
    LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ | KEY_WRITE, &key);
    if (rc == ERROR_FILE_NOT_FOUND)
        return;
    if (rc != ERROR_SUCCESS) {
        report->Failed(kUninstallKeyShown);
        return;
    }
    bool valuesGone = true;
    for (size_t i = 0; i < CountOf(kUninstallValues); ++i) {
        LONG del = RegDeleteValueA(key, kUninstallValues[i]);
        if (del != ERROR_SUCCESS && del != ERROR_FILE_NOT_FOUND)
            valuesGone = false;
    }
    DWORD subkeys = 1, values = 1;
    bool empty = RegQueryInfoKeyA(key, NULL, NULL, NULL, &subkeys, NULL, NULL, &values, NULL, NULL, NULL,
                                  NULL) == ERROR_SUCCESS &&
                 subkeys == 0 && values == 0;
    RegCloseKey(key);
    if (!valuesGone) {
        report->Failed(kUninstallKeyShown);
        return;
    }
    if (!empty)
        return;
    HKEY parent;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallParent, 0, KEY_WRITE, &parent) != ERROR_SUCCESS) {
        report->Failed(kUninstallKeyShown);
        return;
    }
    if (RegDeleteKeyA(parent, kUninstallKeyName) != ERROR_SUCCESS)
        report->Failed(kUninstallKeyShown);
    RegCloseKey(parent);
}

Path OwnPath()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof(path));
    if (n == 0 || n >= sizeof(path))
        return Path();
    return Path(path);
}

// Compares two paths of existing files, also in their short (8.3) forms.
bool SameFile(const Path& a, const Path& b)
{
    if (a.Empty() || !a.Valid() || !b.Valid())
        return false;
    if (lstrcmpiA(a.Text(), b.Text()) == 0)
        return true;
    char shortA[MAX_PATH], shortB[MAX_PATH];
    DWORD na = GetShortPathNameA(a.Text(), shortA, sizeof(shortA));
    DWORD nb = GetShortPathNameA(b.Text(), shortB, sizeof(shortB));
    return na && na < sizeof(shortA) && nb && nb < sizeof(shortB) && lstrcmpiA(shortA, shortB) == 0;
}

bool EndsWithUninstallerName(const char* path)
{
    char tail[sizeof(kUninstallerName) + 1];
    wsprintfA(tail, "\\%s", kUninstallerName);
    size_t n = strlen(path), t = strlen(tail);
    return n > t && lstrcmpiA(path + n - t, tail) == 0;
}

// Removal of a file at the next restart, the way each Windows family allows.
bool ScheduleRemovalAtRestart(const Path& path)
{
    if (!path.Valid() || path.Empty())
        return false;
    if (IsWindowsNT()) {
        MoveFileExFn moveFileEx = (MoveFileExFn)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                                      "MoveFileExA");
        return moveFileEx && moveFileEx(path.Text(), NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    char shortPath[MAX_PATH];
    DWORD n = GetShortPathNameA(path.Text(), shortPath, sizeof(shortPath));
    if (n == 0 || n >= sizeof(shortPath))
        return false;
    char pending[MAX_PATH];
    GetPrivateProfileStringA("rename", "NUL", "", pending, sizeof(pending), "wininit.ini");
    if (pending[0] != '\0' && lstrcmpiA(pending, shortPath) != 0)
        return false;  // another program's pending NUL= line would be overwritten
    return WritePrivateProfileStringA("rename", "NUL", shortPath, "wininit.ini") != 0;
}

// Starts a temporary copy of this program that deletes the original once
// this process has ended. False when the copy could not be started.
bool StartSelfRemoval(const Path& self)
{
    char tempFolder[MAX_PATH];
    DWORD n = GetTempPathA(sizeof(tempFolder), tempFolder);
    if (n == 0 || n >= sizeof(tempFolder) - 32)
        return false;
    char copy[MAX_PATH];
    wsprintfA(copy, "%sBrimelUn%lX.exe", tempFolder, (unsigned long)GetCurrentProcessId());
    if (!CopyFileA(self.Text(), copy, FALSE))
        return false;

    HANDLE me = NULL;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &me, SYNCHRONIZE,
                         TRUE, 0)) {
        DeleteFileA(copy);
        return false;
    }
    char commandLine[3 * MAX_PATH + 64];
    wsprintfA(commandLine, "\"%s\" %s %lu \"%s\"", copy, kCleanupSwitch, (unsigned long)(ULONG_PTR)me,
            self.Text());

    STARTUPINFOA startup;
    memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    BOOL started = CreateProcessA(copy, commandLine, NULL, NULL, TRUE, 0, NULL, tempFolder, &startup, &process);
    CloseHandle(me);
    if (!started) {
        DeleteFileA(copy);
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// The temporary copy's work: wait for the uninstaller to end, delete it.
int RunCleanup(const char* handleText, const char* original)
{
    HANDLE parent = (HANDLE)(ULONG_PTR)strtoul(handleText, NULL, 10);
    if (parent) {
        WaitForSingleObject(parent, kParentExitWaitMs);
        CloseHandle(parent);
    }
    // The hidden switch must not become a way to delete arbitrary files.
    Path target(original);
    if (target.Valid() && EndsWithUninstallerName(target.Text())) {
        DWORD start = GetTickCount();
        while (!RemoveFile(target) && GetTickCount() - start < 5000)
            Sleep(100);
    }
    ScheduleRemovalAtRestart(OwnPath());
    return 0;
}

// Splits the arguments after the program name into the caller's buffers;
// quotes group blanks. Returns the number of arguments, at most `capacity`;
// one more is returned when there were too many or one was too long.
int SplitArguments(const char* cmd, char (*args)[MAX_PATH], int capacity)
{
    const char* p = cmd;
    int count = -1;  // the program name is not counted
    while (*p) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        char arg[MAX_PATH];
        size_t len = 0;
        bool quoted = false;
        bool tooLong = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"')
                quoted = !quoted;
            else if (len + 1 < sizeof(arg))
                arg[len++] = *p;
            else
                tooLong = true;
            ++p;
        }
        arg[len] = '\0';
        if (count >= 0) {
            if (count >= capacity || tooLong)
                return capacity + 1;
            lstrcpynA(args[count], arg, MAX_PATH);
        }
        ++count;
    }
    return count < 0 ? 0 : count;
}

const char kUsage[] =
    "Uninstall Brimel [/S]\n\n"
    "/S\tremove Brimel Messenger without questions or messages.\n\n"
    "Exit codes: 0 removed, 1 some items remained, 2 cancelled, "
    "3 Program Files folder unknown, 4 Brimel Messenger still running, 5 unknown argument.";

char g_reportText[8192];

// At namespace scope: a function-local static with a constructor would pull in
// the C++ library's thread-safe initialisation.
Report g_report;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Its temporary copy runs from the temporary folder, where anyone can
    // leave a DLL.
    brimel::RestrictDllSearchToSystemFolder();
    static char args[4][MAX_PATH];
    int argc = SplitArguments(GetCommandLineA(), args, 4);

    if (argc == 3 && lstrcmpiA(args[0], kCleanupSwitch) == 0)
        return RunCleanup(args[1], args[2]);

    bool silent = false;
    bool help = false;
    bool unknown = argc > 4;
    for (int i = 0; i < argc && i < 4; ++i) {
        if (lstrcmpiA(args[i], "/S") == 0)
            silent = true;
        else if (strcmp(args[i], "/?") == 0)
            help = true;
        else
            unknown = true;
    }
    if (help || unknown) {
        if (!silent)
            MessageBoxA(NULL, kUsage, kTitle, MB_OK | (unknown ? MB_ICONWARNING : MB_ICONINFORMATION));
        return unknown ? kBadArguments : kRemoved;
    }

    Path product;
    if (!ReadRegistryPath(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", &product) ||
        (product.StripTrailingBackslashes(), product.Empty()) || !product.Join(kProductFolderName).Valid()) {
        if (!silent)
            MessageBoxA(NULL, "The Program Files folder could not be found. Nothing was removed.", kTitle,
                        MB_OK | MB_ICONERROR);
        return kNoProgramFiles;
    }

    if (!silent &&
        MessageBoxA(NULL,
                    "Are you sure you want to completely remove Brimel Messenger and all of its components?\n\n"
                    "Your personal settings are kept.",
                    kTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return kDeclined;

    Path exe = product;
    exe.Join("Brimel.exe");
    if (!StopMessenger(exe)) {
        if (!silent)
            MessageBoxA(NULL,
                        "Please exit Brimel Messenger, then run the uninstaller again.\n\nNothing was removed.",
                        kTitle, MB_OK | MB_ICONWARNING);
        return kMessengerRunning;
    }

    Report& report = g_report;
    RemoveProductFiles(product, &report);
    RemoveShortcuts(&report);
    RemoveUninstallEntry(&report);

    // The uninstaller in the Windows folder goes last. When this process is
    // that file it cannot delete itself now; see StartSelfRemoval.
    Path self = OwnPath();
    bool removeSelf = false;
    char windowsFolder[MAX_PATH];
    UINT n = GetWindowsDirectoryA(windowsFolder, sizeof(windowsFolder));
    if (n > 0 && n < sizeof(windowsFolder)) {
        Path installed(windowsFolder);
        installed.StripTrailingBackslashes();
        installed.Join(kUninstallerName);
        if (IsExistingFile(installed) && SameFile(self, installed))
            removeSelf = true;
        else if (!RemoveFile(installed))
            report.Failed(installed.Text());
    }

    if (!silent) {
        report.Compose(g_reportText, sizeof(g_reportText));
        MessageBoxA(NULL, g_reportText, kTitle, MB_OK | (report.Complete() ? MB_ICONINFORMATION : MB_ICONWARNING));
    }

    if (removeSelf && !StartSelfRemoval(self) && !ScheduleRemovalAtRestart(self))
        return kIncomplete;
    return report.Complete() ? kRemoved : kIncomplete;
}
