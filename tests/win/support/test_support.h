// Helpers shared by the tests that run under Wine.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/string.h"
#include "string_printer.h"

namespace brimel::test {

// A folder of its own under C:\brimel-tests, removed with its contents at
// the end of the test.
class TempFolder {
public:
    explicit TempFolder(const String& name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const String& Path() const { return path_; }
    String operator/(const String& child) const { return path_ + "\\" + child; }

private:
    String path_;
};

bool WriteBytes(const String& path, const std::vector<unsigned char>& bytes);
bool ReadBytes(const String& path, std::vector<unsigned char>* bytes);
bool FileExists(const String& path);
bool FolderExists(const String& path);
void RemoveTree(const String& path);
bool LastWriteTime(const String& path, FILETIME* time);

// Writes folder\open.bat, a batch file that writes `echoed` (a batch
// expression such as %~1, its first argument) to `marker`: a program the
// shell really starts, in place of a browser. Empty when it cannot be written.
String WriteMarkerScript(const TempFolder& folder, const String& marker, const char* echoed);

// The file time's moment as this machine's local time (the platform's own
// conversion, for the moment's own date).
SYSTEMTIME AsLocalTime(const FILETIME& utc);

// A program started by the test and ended when this object goes.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Start(const String& commandLine);
    void Terminate();
    HANDLE Handle() const { return info_.hProcess; }

private:
    PROCESS_INFORMATION info_ = {};
};

// The Windows path of a file in the build tree (the Z: drive maps /).
String BuildPath(const String& relative);

// True when the file can be opened for writing (nobody holds it exclusively).
bool CanOpenForWriting(const String& path);

}  // namespace brimel::test
