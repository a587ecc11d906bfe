// Test helper: reads a control of another program as an assistive tool does,
// through its accessible object:
//   accessible_probe.exe <dialog-hwnd, hex as window_probe prints it> <control id> [do]
// prints one tab-separated line: role, state (hex), name, default action,
// keyboard shortcut; with "do" it then performs the default action. Exit
// status 0, 1 when there is no such object or the action failed.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>

namespace {

void PrintText(HRESULT result, BSTR text) {
    std::printf("\t");
    if (result == S_OK && text != nullptr) {
        char ansi[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
        std::fputs(ansi, stdout);
    }
    if (text != nullptr) SysFreeString(text);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    HWND dialog = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(argv[1], nullptr, 16)));
    HWND control = GetDlgItem(dialog, std::atoi(argv[2]));
    CoInitialize(nullptr);
    IAccessible* object = nullptr;
    if (control == nullptr ||
        FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object))))
        return 1;
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    object->get_accRole(self, &role);
    object->get_accState(self, &state);
    std::printf("%ld\t%lx", role.vt == VT_I4 ? role.lVal : -1L, state.vt == VT_I4 ? state.lVal : -1L);
    BSTR texts[3] = {nullptr, nullptr, nullptr};
    const HRESULT results[3] = {object->get_accName(self, &texts[0]), object->get_accDefaultAction(self, &texts[1]),
                                object->get_accKeyboardShortcut(self, &texts[2])};
    for (int i = 0; i < 3; ++i) PrintText(results[i], texts[i]);
    std::printf("\n");
    std::fflush(stdout);
    const bool acted = argc < 4 || SUCCEEDED(object->accDoDefaultAction(self));
    object->Release();
    CoUninitialize();
    return acted ? 0 : 1;
}
