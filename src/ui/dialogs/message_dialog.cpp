#include "ui/dialogs/message_dialog.h"

#include "core/dpi_scale.h"
#include "core/win32/resources.h"
#include "resource.h"

namespace brimel {
namespace {

constexpr int kMostLines = 25;

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child) {
    RECT r = {0, 0, 0, 0};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

MessageDialog::MessageDialog() : BDialog(IDD_MESSAGE, nullptr) {}

void MessageDialog::DoDataExchange() {
    BDialog::DoDataExchange();
    BindControl(-1, textCtrl);
    BindControl(IDOK, okButton);
    BindControl(IDC_NO_BUTTON, noButton);
    BindControl(IDC_YES_BUTTON, yesButton);
}

BOOL MessageDialog::OnInitDialog() {
    BDialog::OnInitDialog();
    SetWindowTextA(Handle(), LoadResString(IDS_APP_TITLE).c_str());
    SetSkin(kMessageSkin);
    textCtrl.SetText(messageText.c_str());
    if (buttonMode == kButtonsYesNo) {
        ShowWindow(okButton.Handle(), SW_HIDE);
    } else {
        ShowWindow(yesButton.Handle(), SW_HIDE);
        ShowWindow(noButton.Handle(), SW_HIDE);
    }
    FitToText();
    return TRUE;
}

void MessageDialog::FitToText() {
    int lines = textCtrl.CountLines(messageText.c_str());
    const int lineHeight = textCtrl.LineHeight();
    if (lines <= 3) return;
    if (lines > kMostLines) lines = kMostLines;

    // The frame, the margins and the buttons' place grow as the template
    // does at the DPI the program is told; the line height already has.
    const int dpi = ScreenDpi();
    RECT window;
    GetWindowRect(Handle(), &window);
    MoveWindow(Handle(), window.left, window.top, window.right - window.left,
               lineHeight * lines + ScaleForDpi(90, dpi), TRUE);

    const RECT text = ChildRect(textCtrl.Handle());
    MoveWindow(textCtrl.Handle(), text.left, text.top, text.right - text.left,
               lineHeight * lines + ScaleForDpi(10, dpi), TRUE);

    const RECT client = ClientRect();
    for (BImageButton* button : {&okButton, &yesButton, &noButton}) {
        const RECT r = ChildRect(button->Handle());
        MoveWindow(button->Handle(), r.left, client.bottom - ScaleForDpi(30, dpi), r.right - r.left,
                   r.bottom - r.top, TRUE);
    }
    CentreOnScreen();
}

bool MessageDialog::OnCommand(WORD id, WORD code, HWND control) {
    if (code == BN_CLICKED && id == IDC_YES_BUTTON) {
        OnYes();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_NO_BUTTON) {
        OnNo();
        return true;
    }
    return BDialog::OnCommand(id, code, control);
}

void MessageDialog::OnYes() {
    result = kResultYes;
    BDialog::OnOK();
}

void MessageDialog::OnNo() {
    result = kResultNo;
    BDialog::OnOK();
}

void MessageDialog::OnCancel() {
    result = kResultCancel;
    BDialog::OnCancel();
}

void MessageDialog::OnOK() {
    // Enter comes here too, after its click on the focused button: the
    // answer runs again, on purpose, and ends the dialog with the same result.
    HWND focus = GetFocus();
    auto is = [focus](const BImageButton& button) {
        return focus != nullptr && focus == button.Handle() && IsWindowVisible(focus);
    };
    if (is(okButton))
        BDialog::OnOK();
    else if (is(yesButton))
        OnYes();
    else if (is(noButton))
        OnNo();
}

int ShowMessage(UINT stringId, int buttonMode) { return ShowMessageText(LoadResString(stringId), buttonMode); }

int ShowMessageText(const String& text, int buttonMode) {
    MessageDialog dialog;
    dialog.messageText = text;
    dialog.buttonMode = buttonMode;
    dialog.DoModal();
    return dialog.result;
}

RichEditNoticeDialog::RichEditNoticeDialog() : BDialog(IDD_RICHEDIT_NOTICE, nullptr) {}

void RichEditNoticeDialog::DoDataExchange() {
    BDialog::DoDataExchange();
    BindControl(IDC_UPDATE_LINK, linkCtrl);
    BindControl(IDC_CAPTION_THANKS, instructionCtrl);
    BindControl(-1, headlineCtrl);
}

BOOL RichEditNoticeDialog::OnInitDialog() {
    BDialog::OnInitDialog();
    SetSkin(kNoticeSkin);
    linkCtrl.SetLink(LoadResString(IDS_UPDATE_PAGE).c_str());
    return TRUE;
}

}  // namespace brimel
