/* Planted beside programs under the names of system DLLs: when a process loads
   it, it adds the process's program path to "<its own path>.loaded". */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    char marker[MAX_PATH + 8], program[MAX_PATH + 2];
    DWORD length = GetModuleFileNameA(self, marker, MAX_PATH), written;
    DWORD programLength = GetModuleFileNameA(NULL, program, MAX_PATH);
    HANDLE file;
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH || length == 0 || length >= MAX_PATH || programLength >= MAX_PATH) return TRUE;
    lstrcpyA(marker + length, ".loaded");
    lstrcpyA(program + programLength, "\r\n");
    file = CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return TRUE;
    WriteFile(file, program, programLength + 2, &written, NULL);
    CloseHandle(file);
    return TRUE;
}
