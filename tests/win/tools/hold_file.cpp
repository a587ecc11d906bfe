// Test helper: holds a file open the way another program would, until it is
// terminated.
//   hold_file.exe PATH none|read|readwrite   open PATH with that sharing
//   hold_file.exe --idle                     just keep running (its own file
//                                            is then in use)
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--idle") == 0) {
        Sleep(INFINITE);
        return 0;
    }
    if (argc < 3) return 2;
    DWORD share = 0;
    if (std::strcmp(argv[2], "read") == 0) share = FILE_SHARE_READ;
    if (std::strcmp(argv[2], "readwrite") == 0) share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    // The test probes whether the file is held yet; while a probe has it
    // open, opening it here fails for sharing, so try again for a while.
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 250 && file == INVALID_HANDLE_VALUE; ++attempt) {
        file = CreateFileA(argv[1], GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                           nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_SHARING_VIOLATION) return 3;
        if (file == INVALID_HANDLE_VALUE) Sleep(20);
    }
    if (file == INVALID_HANDLE_VALUE) return 3;
    Sleep(INFINITE);
    return 0;
}
