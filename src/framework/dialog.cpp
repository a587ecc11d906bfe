#include "framework/dialog.h"

#include <cstring>
#include <vector>

#include "core/win32/resources.h"
#include "framework/application.h"

namespace brimel {
namespace {

// A copy of the dialog template without WS_VISIBLE: the loop shows the dialog
// itself once initialisation is over, so a dialog that ends while it
// initialises never appears.
std::vector<unsigned char> LoadHiddenTemplate(UINT id) {
    const ResourceSpan found = FindResourceBytes(ResourceInstance(), MAKEINTRESOURCEA(id),
                                                 MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (found.bytes == nullptr || found.size < 18) return {};
    const unsigned char* bytes = static_cast<const unsigned char*>(found.bytes);
    std::vector<unsigned char> copy(bytes, bytes + found.size);
    const bool extended = copy[2] == 0xFF && copy[3] == 0xFF;  // DLGTEMPLATEEX signature
    const size_t styleOffset = extended ? 12 : 0;
    DWORD style;
    std::memcpy(&style, &copy[styleOffset], sizeof style);
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(&copy[styleOffset], &style, sizeof style);
    return copy;
}

}  // namespace

Dialog::Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

BRIMEL_IMPLEMENT_CLASS(Dialog, Window)

// DoModal destroys its window before it returns, while the whole object
// still answers the window's last messages; nothing is left to destroy here.
Dialog::~Dialog() = default;

INT_PTR Dialog::DoModal() {
    std::vector<unsigned char> dialogTemplate = LoadHiddenTemplate(templateId_);
    if (dialogTemplate.empty()) return -1;

    HWND owner = parent_;
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);

    running_ = true;
    result_ = IDCANCEL;
    HWND hwnd = CreateDialogIndirectParamA(
        ResourceInstance(), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), owner,
        &Dialog::InitProc, reinterpret_cast<LPARAM>(this));
    if (hwnd == nullptr) {
        running_ = false;
        if (disableOwner) EnableWindow(owner, TRUE);
        return -1;
    }
    if (running_) ShowWindow(hwnd, SW_SHOWNORMAL);

    bool quit = false;
    WPARAM quitCode = 0;
    while (running_) {
        MSG msg;
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            quitCode = msg.wParam;
            break;
        }
        if (!running_) break;
        if (PreTranslateMessage(&msg)) continue;
        if (IsDialogMessageA(hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    running_ = false;

    // The owner comes back before the dialog goes, so activation returns to it.
    if (disableOwner) EnableWindow(owner, TRUE);
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return result_;
}

void Dialog::EndDialog(INT_PTR result) {
    result_ = result;
    running_ = false;
    // Wake the loop in case it waits for a message.
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void Dialog::OnFinalMessage() {
    // Destroyed by whatever path: the modal loop ends with the window.
    if (running_) EndDialog(result_);
}

bool Dialog::PreTranslateMessage(MSG*) { return false; }

bool Dialog::BindControl(int id, Window& control) {
    HWND item = GetDlgItem(Handle(), id);
    return item != nullptr && control.Attach(item);
}

bool Dialog::OnCommand(WORD id, WORD, HWND) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        // The child that sent a notification has the first say.
        LRESULT result = 0;
        if (ReflectToChild(message, wParam, lParam, &result)) return result;
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
        return DefaultProc(message, wParam, lParam);
    }
    return Window::WindowProc(message, wParam, lParam);
}

INT_PTR CALLBACK Dialog::InitProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    // From here on the dialog's messages reach the object's WindowProc; this
    // procedure only serves the system's default dialog handling.
    Dialog* self = reinterpret_cast<Dialog*>(lParam);
    self->Attach(hwnd);
    self->DoDataExchange();
    return self->OnInitDialog();
}

}  // namespace brimel
