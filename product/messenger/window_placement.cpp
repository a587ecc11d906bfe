#include "window_placement.h"

#include "brimel_build.h"
#include "core/win32/owners.h"
#include "core/win32/system_libraries.h"

namespace brimel::product {
namespace {

const char kSettingsKey[] = "Software\\Brimel, Inc.\\Brimel";
const char kPositionValue[] = "WindowPos";
const char kVersionValue[] = "Version";
const char kProductVersion[] = BRIMEL_FILE_VERSION_TEXT;

// Far beyond every screen is as good as a little beyond it, and keeps the
// sums with the window size from overflowing.
constexpr LONG kPositionLimit = 0x1000000;

LONG Limited(LONG value) {
    return value < -kPositionLimit ? -kPositionLimit : value > kPositionLimit ? kPositionLimit : value;
}

// The saved top-left corner: two 32-bit numbers, left and top.
bool ReadSavedPosition(POINT* position) {
    RegistryKey key;
    if (key.Open(HKEY_CURRENT_USER, kSettingsKey, KEY_READ) != ERROR_SUCCESS) return false;
    LONG data[2] = {0, 0};
    DWORD type = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key.Get(), kPositionValue, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        type != REG_BINARY || size != sizeof data)
        return false;
    position->x = Limited(data[0]);
    position->y = Limited(data[1]);
    return true;
}

bool HasArea(const RECT& r) { return r.right > r.left && r.bottom > r.top; }

// The work area (the screen without the task bar) of the monitor nearest to
// the rectangle. The monitor functions are looked up: Windows NT 4 has none.
RECT WorkAreaNear(const RECT& window) {
    const Library user(LoadSystemLibrary("user32.dll"));
    const auto fromRect = user.Export<decltype(&MonitorFromRect)>("MonitorFromRect");
    const auto getInfo = user.Export<decltype(&GetMonitorInfoA)>("GetMonitorInfoA");
    MONITORINFO info;
    info.cbSize = sizeof info;
    HMONITOR monitor = fromRect && getInfo ? fromRect(&window, MONITOR_DEFAULTTONEAREST) : nullptr;
    if (monitor && getInfo(monitor, &info) && HasArea(info.rcWork)) return info.rcWork;
    RECT area;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) && HasArea(area)) return area;
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// A window larger than the area keeps its top-left corner (and so its
// caption) inside.
void KeepOnScreen(int width, int height, POINT* position) {
    const RECT area = WorkAreaNear({position->x, position->y, position->x + width, position->y + height});
    if (position->x > area.right - width) position->x = area.right - width;
    if (position->x < area.left) position->x = area.left;
    if (position->y > area.bottom - height) position->y = area.bottom - height;
    if (position->y < area.top) position->y = area.top;
}

}  // namespace

POINT InitialPosition(int outerWidth, int outerHeight) {
    POINT position;
    if (ReadSavedPosition(&position)) {
        KeepOnScreen(outerWidth, outerHeight, &position);
        return position;
    }
    // A pop-up window gets no default place from the system.
    position.x = (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2;
    position.y = (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2;
    if (position.x < 0) position.x = 0;
    if (position.y < 0) position.y = 0;
    return position;
}

void SavePlacement(HWND window) {
    WINDOWPLACEMENT placement;
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    RegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, kSettingsKey) != ERROR_SUCCESS) return;
    const LONG data[2] = {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
    RegSetValueExA(key.Get(), kPositionValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(data), sizeof data);
    RegSetValueExA(key.Get(), kVersionValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(kProductVersion),
                   sizeof kProductVersion);
}

}  // namespace brimel::product
