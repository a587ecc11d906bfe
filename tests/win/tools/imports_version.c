/* Imports version.dll directly, which the import check must refuse. */
#include <windows.h>

int main(void) {
    DWORD ignored;
    return GetFileVersionInfoSizeA("kernel32.dll", &ignored) == 0;
}
