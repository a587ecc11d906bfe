#include "app/welcome_dialog.h"

#include <richedit.h>

#include "app/setup_app.h"
#include "core/text.h"
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

constexpr int kInitialWidth = 750, kInitialHeight = 570;
constexpr int kMinimumWidth = 700, kMinimumHeight = 500;
constexpr size_t kShortestLicense = 1000;
constexpr uint16_t kLicenseRecord = 130;

bool FileExists(const String& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

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
    MoveWindow(Handle(), 0, 0, kInitialWidth, kInitialHeight, TRUE);
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
    if (!FileExists(exe) || !FileExists(dll)) {
        exe = folder + "Brimel Chat\\BrimelChat.exe";
        dll = folder + "Brimel Chat\\BC.dll";
    }
    if (!FileExists(exe) || !FileExists(dll)) return true;
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
    const int width = client.right, height = client.bottom;
    laidOut_ = {width, height};
    // The moves go as one batch, and none erases the dialog on its own or
    // copies a control's old pixels to its new place: the caller's one
    // invalidation of the whole client area repaints them all.
    HDWP batch = BeginDeferWindowPos(4);
    auto place = [&batch](HWND window, int x, int y, int cx, int cy) {
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_DEFERERASE | SWP_NOCOPYBITS;
        if (batch != nullptr) batch = DeferWindowPos(batch, window, nullptr, x, y, cx, cy, flags);
        if (batch == nullptr) SetWindowPos(window, nullptr, x, y, cx, cy, flags);
    };
    // The rich edit control paints itself at once inside its own resize;
    // held back, it paints once with the rest. Its scroll position and
    // selection stay as they were.
    const bool holdLicense = licenseView.HasWindow() && IsWindowVisible(licenseView.Handle());
    if (holdLicense) licenseView.Send(WM_SETREDRAW, FALSE, 0);
    if (licenseView.HasWindow()) place(licenseView.Handle(), 20, 100, width - 40, height - 280);
    if (picture.HasWindow()) {
        RECT r;
        GetWindowRect(picture.Handle(), &r);
        const int pw = r.right - r.left, ph = r.bottom - r.top;
        place(picture.Handle(), width - pw - 3, height - ph - 3, pw, ph);
    }
    if (installButton.HasWindow()) {
        const RECT r = installButton.ClientRect();
        place(installButton.Handle(), 300, height - 100, r.right, r.bottom);
    }
    if (acceptBox.HasWindow()) {
        const RECT r = acceptBox.ClientRect();
        place(acceptBox.Handle(), 140, height - 140, r.right, r.bottom);
    }
    if (batch != nullptr) EndDeferWindowPos(batch);
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
            info->ptMinTrackSize.x = kMinimumWidth;
            info->ptMinTrackSize.y = kMinimumHeight;
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
