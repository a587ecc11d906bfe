// Brimel Core: the messenger's companion library. It is kept deliberately
// small; the messenger loads it at run time and shows the text returned by
// BrimelCoreVersion so that a broken or missing library is visible at once.

#include <windows.h>

#include "brimel_build.h"

extern "C" __declspec(dllexport) const char* __stdcall BrimelCoreVersion(void)
{
    return "Brimel Core " BRIMEL_FILE_VERSION_TEXT;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
