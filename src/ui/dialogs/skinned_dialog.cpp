#include "ui/dialogs/skinned_dialog.h"

#include "framework/application.h"
#include "framework/high_contrast.h"
#include "resource.h"
#include "ui/controls/multi_color_static.h"
#include "ui/controls/radio_check_button.h"
#include "ui/draw/image_button.h"

namespace brimel {
namespace {

// A source rectangle that selects no part of the picture.
bool IsUnusable(const RECT& r) {
    return r.right == r.left || r.bottom == r.top || r.top < 0 || r.left < 0 || r.right <= r.left ||
           r.bottom <= r.top;
}

HICON ApplicationIcon() {
    const Application* app = CurrentApplication();
    return app != nullptr ? app->AppIcon() : nullptr;
}

}  // namespace

BRIMEL_IMPLEMENT_CLASS(BDialog, Dialog)

BDialog::BDialog(UINT templateId, HWND parent) : Dialog(templateId, parent) {}

void BDialog::SetSkin(int id) {
    skinId = id;
    ApplySkin();
}

void BDialog::ApplySkin() {
    if (skinId == 0) return;
    const Application* app = CurrentApplication();
    SkinSettings settings = app != nullptr ? app->GetSkinSettings(skinId) : SkinSettings();
    if (IsUnusable(settings.sourceRect)) settings.tileWhole = 1;
    const SkinColors skin = {settings.backgroundColor,
                             settings.textColor == kNoColor ? GetSysColor(COLOR_MENUTEXT) : settings.textColor,
                             settings.textBackColor, settings.shadowColor};
    contrastLook = DecideContrastLook(HighContrastOn(), skin, SystemRoleColors());
    if (!settings.pictureName.empty() && contrastLook.backgroundPicture)
        SetPicture(settings.pictureName, settings.tileWhole != 0, settings.sourceRect, settings.stretch != 0);
    else
        ClearPicture();
    SetColor(contrastLook.colors.window);
    skinSettings = settings;
    if (Handle() == nullptr) return;
    // Every descendant, controls inside nested child windows included.
    EnumChildWindows(Handle(), &BDialog::UpdateChild, reinterpret_cast<LPARAM>(this));
    InvalidateRect(Handle(), nullptr, TRUE);
}

BOOL CALLBACK BDialog::UpdateChild(HWND child, LPARAM self) {
    const ContrastLook& skin = reinterpret_cast<BDialog*>(self)->contrastLook;
    const TextLook look = {skin.colors.windowText, skin.textBack, skin.shadow, skin.colors.grayText,
                           skin.colors.hotLight, skin.systemGlyphs};
    // Each takes the look and forgets its copy of the dialog beneath, so that
    // its next paint copies the newly skinned dialog.
    if (CMultiColorStatic* label = WindowAs<CMultiColorStatic>(child)) {
        label->SetLook(look);
        label->TakeWindowText();
    }
    if (BImageButton* button = WindowAs<BImageButton>(child)) {
        button->ApplyDefaultSkin();
        button->SetSystemFace(skin.systemButtonFace, skin.colors.buttonText, skin.colors.hotLight);
    }
    if (BRadioCheckButton* choice = WindowAs<BRadioCheckButton>(child)) choice->SetLook(look);
    return TRUE;
}

BOOL BDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    HICON icon = ApplicationIcon();
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    return TRUE;
}

bool BDialog::PreTranslateMessage(MSG* msg) {
    const bool handled = Dialog::PreTranslateMessage(msg);
    // Enter on an image button is its click, and then, on purpose, also the
    // dialog's IDOK through the dialog manager: a dialog whose OnOK acts
    // on the focused button (the message dialog) runs that answer twice.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        HWND focus = GetFocus();
        BImageButton* button = WindowAs<BImageButton>(focus);
        if (button != nullptr && button->HasWindow()) {
            const WORD id = static_cast<WORD>(GetDlgCtrlID(focus));
            SendMessageA(Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(focus));
        }
    }
    return handled;
}

LRESULT BDialog::OnControlColor(UINT message, WPARAM wParam, LPARAM lParam) {
    // The framework's brush first: the child's own answer, or the dialog's.
    const LRESULT brush = Dialog::WindowProc(message, wParam, lParam);
    if (message == WM_CTLCOLORDLG && BackgroundColor() != kNoColor)
        return reinterpret_cast<LRESULT>(BackgroundBrush());
    HWND control = reinterpret_cast<HWND>(lParam);
    if (message == WM_CTLCOLORSTATIC && (GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    return brush;
}

bool BDialog::OnSetCursor() {
    POINT point;
    RECT client = ClientRect();
    if (!GetCursorPos(&point) || !ScreenToClient(Handle(), &point) || !PtInRect(&client, point))
        return false;
    SetCursor(LoadCursorA(ResourceInstance(), MAKEINTRESOURCEA(IDC_SKIN_ARROW)));
    return true;
}

LRESULT BDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsControlColorMessage(message)) return OnControlColor(message, wParam, lParam);
    switch (message) {
        case WM_SETCURSOR:
            if (OnSetCursor()) return TRUE;
            break;
        case WM_ERASEBKGND: {
            const RECT client = ClientRect();
            if (Paint(reinterpret_cast<HDC>(wParam), client.left, client.top, client.right, client.bottom))
                return TRUE;
            break;
        }
        case WM_SETTINGCHANGE:
            if (wParam != SPI_SETHIGHCONTRAST) break;
            [[fallthrough]];  // high contrast went on or off
        case WM_SYSCOLORCHANGE:
            // The mode and the system's colours are read again with the skin.
            ApplySkin();
            break;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(ApplicationIcon());
        default:
            break;
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

}  // namespace brimel
