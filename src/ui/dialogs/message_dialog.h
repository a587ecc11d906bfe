// The installer's only way to speak to the user: a small skinned dialog with
// a multi-line text and OK, or Yes and No, that sizes itself to the text;
// and the notice that the system's rich edit library is too old.
#pragma once

#include <windows.h>

#include "core/string.h"

#include "core/win32/resources.h"  // LoadResString: entries taken verbatim
#include "ui/controls/multi_color_static.h"
#include "ui/dialogs/skinned_dialog.h"
#include "ui/draw/image_button.h"

namespace brimel {

// Button modes and results, in the platform's message-box numbering.
constexpr int kButtonsOk = 0;
constexpr int kButtonsYesNo = 4;
constexpr int kResultYes = 6;
constexpr int kResultNo = 7;
constexpr int kResultCancel = 2;

class MessageDialog : public BDialog {
public:
    MessageDialog();
    ~MessageDialog() override = default;

    String messageText;
    int buttonMode = kButtonsOk;
    int result = kResultCancel;

    CMultiColorStatic textCtrl;
    BImageButton okButton;
    BImageButton noButton;
    BImageButton yesButton;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void OnYes();
    void OnNo();
    // Grows the window and the text for a text of more than three lines.
    void FitToText();
};

// Shows the string-table entry, or the text, and returns 6 (Yes), 7 (No)
// or 2. Mode 4 offers Yes and No, any other mode OK.
int ShowMessage(UINT stringId, int buttonMode);
int ShowMessageText(const String& text, int buttonMode);

class RichEditNoticeDialog : public BDialog {
public:
    RichEditNoticeDialog();
    ~RichEditNoticeDialog() override = default;

    CMultiColorStatic linkCtrl;
    CMultiColorStatic instructionCtrl;
    CMultiColorStatic headlineCtrl;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
};

}  // namespace brimel
