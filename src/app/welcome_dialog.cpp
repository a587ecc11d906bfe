#include "app/welcome_dialog.h"

#include <richedit.h>

#include "app/setup_app.h"
#include "core/text.h"
#include "core/welcome_layout.h"
#include "sys/code_page.h"
#include "install/installed_files.h"
#include "install/shortcuts.h"
#include "install/uninstall_registration.h"
#include "payload/payload_records.h"
#include "resource.h"
#include "sys/environment_probes.h"
#include "sys/files.h"
#include "sys/messenger_quit.h"
#include "sys/registry.h"
#include "ui/dialogs/message_dialog.h"

namespace brimel {
namespace {

constexpr size_t kShortestLicense = 1000;
constexpr uint16_t kLicenseRecord = 130;

// The inflated license read by the rich edit control in the blocks it asks for.
struct LicenseStream {
    const unsigned char* bytes;
    size_t size;
    size_t position;
};

DWORD CALLBACK LicenseStreamCallback(DWORD_PTR cookie, LPBYTE buffer, LONG requested, LONG* done) {
    LicenseStream* stream = reinterpret_cast<LicenseStream*>(cookie);
    const size_t left = stream->size - stream->position;
    const size_t count = requested > 0 && static_cast<size_t>(requested) < left ? static_cast<size_t>(requested) : left;
    for (size_t i = 0; i < count; ++i) buffer[i] = stream->bytes[stream->position + i];
    stream->position += count;
    *done = static_cast<LONG>(count);
    return 0;
}

}  // namespace

WelcomeDialog::WelcomeDialog() : BDialog(IDD_WELCOME, nullptr) {}

void WelcomeDialog::DoDataExchange() {
    BDialog::DoDataExchange();
    BindControl(IDC_WELCOME_ART, picture);
    BindControl(IDC_ACCEPT, acceptBox);
    BindControl(IDC_CAPTION_AGREEMENT, captionAgreement);
    BindControl(IDC_CAPTION_THANKS, captionThanks);
    BindControl(IDC_CAPTION_HELLO, captionHello);
    BindControl(IDC_INSTALL, installButton);
    BindControl(IDC_LICENSE_VIEW, licenseView);
}

BOOL WelcomeDialog::OnInitDialog() {
    BDialog::OnInitDialog();
    SetSkin(kWelcomeSkin);
    const Point initial = WelcomeInitialSize(ScreenDpi());
    MoveWindow(Handle(), 0, 0, initial.x, initial.y, TRUE);
    CentreOnScreen();
    runKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    if (!RunStartupChecks()) OnCancel();
    return TRUE;
}

bool WelcomeDialog::RunStartupChecks() {
    if (!IsSupportedWindows()) {
        ShowMessage(IDS_UNSUPPORTED_WINDOWS, kButtonsOk);
        return false;
    }
    if (!IsRichEditCurrent()) {
        RichEditNoticeDialog notice;
        notice.DoModal();
        return false;
    }
    LayoutControls();
    for (CMultiColorStatic* caption : {&captionHello, &captionThanks, &captionAgreement}) caption->RefreshCaption();
    installButton.ApplyDefaultSkin();

    if (!FindProgramFiles()) return false;
    if (!WaitForRunningMessenger()) {
        ShowInstallFailureNotice();
        return false;
    }
    StreamLicense();
    const String license = TrimText(licenseView.WindowText());
    if (HasLegacyAutostart()) RemoveLegacyAutostart();
    return license.size() >= kShortestLicense;
}

bool WelcomeDialog::FindProgramFiles() {
    SetupApp* app = CurrentSetupApp();
    if (app == nullptr) return false;
    String folder = ReadRegistryString("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                                            kLocalMachine);
    if (!IsFoundText(folder)) return false;
    if (!EndsWithBackslash(folder, IsSystemLeadByte)) folder += '\\';
    app->programFilesDir = folder;
    return true;
}

bool WelcomeDialog::WaitForRunningMessenger() {
    const String& folder = CurrentSetupApp()->programFilesDir;
    String exe = install::InstalledProgramPath(folder);
    String dll = folder + "Brimel\\BC.dll";
    if (!PathExists(exe) || !PathExists(dll)) {
        exe = folder + "Brimel Chat\\BrimelChat.exe";
        dll = folder + "Brimel Chat\\BC.dll";
    }
    if (!PathExists(exe) || !PathExists(dll)) return true;
    // The program's own attribute is cleared by the stop, before its test.
    ClearReadOnly(dll);
    return StopRunningMessenger(exe, LoadResString(IDS_QUIT_LETTER));
}

void WelcomeDialog::StreamLicense() {
    PayloadData license = ReadPayloadRecord(kLicenseRecord);
    if (!license) return;
    LicenseStream stream = {license.bytes.get(), license.size, 0};
    EDITSTREAM request;
    request.dwCookie = reinterpret_cast<DWORD_PTR>(&stream);
    request.dwError = 0;
    request.pfnCallback = &LicenseStreamCallback;
    licenseView.Send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&request));
}

void WelcomeDialog::LayoutControls() {
    if (Handle() == nullptr) return;
    const RECT client = ClientRect();
    laidOut_ = {client.right, client.bottom};
    WelcomeLayoutInput in;
    in.clientWidth = client.right;
    in.clientHeight = client.bottom;
    in.dpi = ScreenDpi();
    RECT own = {0, 0, 0, 0};
    GetWindowRect(picture.Handle(), &own);  // left empty without a window
    in.pictureWidth = own.right - own.left;
    in.pictureHeight = own.bottom - own.top;
    own = installButton.ClientRect();
    in.buttonWidth = own.right;
    in.buttonHeight = own.bottom;
    own = acceptBox.ClientRect();
    in.boxWidth = own.right;
    in.boxHeight = own.bottom;
    const WelcomeLayout layout = LayOutWelcome(in);
    HWND controls[kWelcomeControls] = {licenseView.Handle(), picture.Handle(), installButton.Handle(),
                                       acceptBox.Handle()};
    // The moves go as one batch, and none erases the dialog on its own or
    // copies a control's old pixels to its new place: the caller's one
    // invalidation of the whole client area repaints them all. Every place
    // is known before the first move, so a batch that fails on its way is
    // replaced by all the moves made one by one.
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_DEFERERASE | SWP_NOCOPYBITS;
    // The rich edit control paints itself at once inside its own resize;
    // held back, it paints once with the rest. Its scroll position and
    // selection stay as they were.
    const bool holdLicense = licenseView.HasWindow() && IsWindowVisible(licenseView.Handle());
    if (holdLicense) licenseView.Send(WM_SETREDRAW, FALSE, 0);
    HDWP batch = BeginDeferWindowPos(4);
    for (int i = 0; i < kWelcomeControls; ++i) {
        const Placement& p = layout.places[i];
        if (batch != nullptr && IsWindow(controls[i]))
            batch = DeferWindowPos(batch, controls[i], nullptr, p.x, p.y, p.width, p.height, flags);
    }
    if (batch == nullptr || !EndDeferWindowPos(batch)) {
        for (int i = 0; i < kWelcomeControls; ++i) {
            const Placement& p = layout.places[i];
            if (IsWindow(controls[i])) SetWindowPos(controls[i], nullptr, p.x, p.y, p.width, p.height, flags);
        }
    }
    if (holdLicense) {
        licenseView.Send(WM_SETREDRAW, TRUE, 0);
        InvalidateRect(licenseView.Handle(), nullptr, TRUE);
    }
}

void WelcomeDialog::PaintMinimised() {
    PaintDC paint(Handle());
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
    const RECT client = ClientRect();
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.Get(), x, y, CurrentApplication() ? CurrentApplication()->AppIcon() : nullptr);
}

bool WelcomeDialog::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_INSTALL && code == BN_CLICKED) {
        OnInstall();
        return true;
    }
    return BDialog::OnCommand(id, code, control);
}

LRESULT WelcomeDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            if (IsIconic(Handle())) {
                PaintMinimised();
                return 0;
            }
            break;
        case WM_ERASEBKGND: {
            // The system erases the strips a resize uncovers before WM_SIZE
            // runs the layout, whose invalidation erases the whole client
            // area again: while the layout is behind the client's size the
            // erase is declined and left to that one paint.
            const RECT client = ClientRect();
            if (client.right != laidOut_.cx || client.bottom != laidOut_.cy) return 0;
            break;
        }
        case WM_SIZE: {
            const LRESULT result = BDialog::WindowProc(message, wParam, lParam);
            LayoutControls();
            InvalidateRect(Handle(), nullptr, TRUE);
            return result;
        }
        case WM_GETMINMAXINFO: {
            const LRESULT result = BDialog::WindowProc(message, wParam, lParam);
            MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const Point least = WelcomeMinimumSize(ScreenDpi());
            info->ptMinTrackSize.x = least.x;
            info->ptMinTrackSize.y = least.y;
            return result;
        }
        default:
            break;
    }
    return BDialog::WindowProc(message, wParam, lParam);
}

BOOL WelcomeDialog::WriteInstalledFileSet() {
    const install::InstallPaths paths = install::SystemInstallPaths(CurrentSetupApp()->programFilesDir);
    return install::WriteInstalledFileSet(paths, &desktopShortcutRemoved) ? TRUE : FALSE;
}

void WelcomeDialog::CreateShortcut(const String& folderValueName) {
    install::CreateShortcut(folderValueName, CurrentSetupApp()->programFilesDir);
}

HRESULT WelcomeDialog::CreateShellLink(const char* targetPath, const char* linkPath, const char* description) {
    return install::CreateShellLink(targetPath, linkPath, description);
}

void WelcomeDialog::RegisterUninstall() { install::RegisterUninstall(GetWindowsFolder()); }

BOOL WelcomeDialog::HasLegacyAutostart() { return install::HasLegacyAutostart(runKeyPath) ? TRUE : FALSE; }

BOOL WelcomeDialog::RemoveLegacyAutostart() { return install::RemoveLegacyAutostart(runKeyPath) ? TRUE : FALSE; }

}  // namespace brimel
