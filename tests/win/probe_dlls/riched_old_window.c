/* An old (2.0) riched20.dll that Wine's own riched32.dll can load: it gives
   riched32 the one function it takes from riched20, a window procedure that
   shows nothing. The end-to-end scenario of an outdated rich edit library
   makes Wine load it in place of its built-in library. */
#include <windows.h>

LRESULT WINAPI RichEdit10ANSIWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
