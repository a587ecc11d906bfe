// The stand-in messenger's window on the screen: started from a folder of the
// test's own (no skin there, so it shows its plain captioned window).
#include <gtest/gtest.h>
#include <windows.h>

#include "support/registry_state.h"
#include "support/test_support.h"
#include "support/ui_driving.h"

namespace brimel {
namespace {

const char kSettingsKey[] = "Software\\Brimel, Inc.\\Brimel";

// Starts the messenger with the given saved position and returns its window's
// rectangle once it is shown; closes it again.
bool PlaceMessenger(const String& program, POINT saved, RECT* placed) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG data[2] = {saved.x, saved.y};
    RegSetValueExA(key, "WindowPos", 0, REG_BINARY, reinterpret_cast<const BYTE*>(data), sizeof data);
    RegCloseKey(key);
    test::ChildProcess messenger;
    if (!messenger.Start("\"" + program + "\"")) return false;
    HWND window = nullptr;
    const bool shown = test::PumpUntil([&] {
        window = FindWindowA("BrimelMessengerMainWindow", nullptr);
        return window && IsWindowVisible(window);
    });
    if (shown) GetWindowRect(window, placed);
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(messenger.Handle(), 5000);
    return shown;
}

TEST(MessengerWindow, SavedPositionIsKeptWhollyOnTheScreen) {
    test::TempFolder folder("messenger-window");
    const String program = folder / "Brimel.exe";
    ASSERT_TRUE(CopyFileA(test::BuildPath("product/Brimel.exe").c_str(), program.c_str(), FALSE));
    RECT area;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    RECT placed;
    ASSERT_TRUE(PlaceMessenger(program, {area.left + 100, area.top + 80}, &placed));
    const LONG w = placed.right - placed.left, h = placed.bottom - placed.top;
    ASSERT_LT(w + 100, area.right - area.left);

    const struct { const char* what; POINT saved, expected; } cases[] = {
        {"on the screen", {area.left + 100, area.top + 80}, {area.left + 100, area.top + 80}},
        {"partly beyond the right and bottom edges", {area.right - w / 2, area.bottom - 20},
         {area.right - w, area.bottom - h}},
        {"partly beyond the left and top edges", {area.left - w / 2, area.top - 10}, {area.left, area.top}},
        {"far away", {area.right + 50000, area.top - 70000}, {area.right - w, area.top}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(PlaceMessenger(program, c.saved, &placed)) << c.what;
        EXPECT_EQ(placed.left, c.expected.x) << c.what;
        EXPECT_EQ(placed.top, c.expected.y) << c.what;
        EXPECT_EQ(placed.right - placed.left, w) << c.what;
    }
    test::RemoveRegistryValue(HKEY_CURRENT_USER, kSettingsKey, "WindowPos");
    test::RemoveRegistryValue(HKEY_CURRENT_USER, kSettingsKey, "Version");
}

}  // namespace
}  // namespace brimel
