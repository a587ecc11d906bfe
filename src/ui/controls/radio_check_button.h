// The installer's owner-drawn check box and radio button: a 13 x 13 glyph
// from the installer's own strips, the caption beside it in the skin's
// colours, over a copy of the dialog beneath.  The control keeps its check
// state itself; the platform button supplies the window, the focus and the
// owner-draw call.
#pragma once

#include <windows.h>

#include "framework/class_record.h"
#include "framework/gdi.h"
#include "ui/controls/hand_cursor_button.h"
#include "framework/skin_settings.h"
#include "ui/controls/parent_snapshot.h"

namespace brimel {

class BRadioCheckButton : public HandCursorButton, public SkinnedSurface {
    BRIMEL_DECLARE_CLASS(BRadioCheckButton)

public:
    BRadioCheckButton();
    ~BRadioCheckButton() override = default;

    // The check state, 1 or 0.  Not reachable through BM_GETCHECK and
    // BM_SETCHECK; setting it redraws at once and notifies nobody.
    int GetCheck() const { return checked_; }
    void SetCheck(int state);

    // Decided from the template style when the window is attached: a click
    // toggles a check box and only sets a radio button.
    bool IsCheckBoxMode() const { return checkBoxMode_; }
    bool IsHovering() const { return hovering_; }

    // A check box or radio button as it shows; its default action clicks.
    void Describe(ControlDescription& d) const override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnDrawItem(DRAWITEMSTRUCT* item) override;

private:
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    // Redraws the look and tells assistive tools the state changed.
    void RedrawAndAnnounce();
    // Unchecks the other radio buttons of this one's dialog group.
    void UpdateRadioGroup();
    // A click or a space-bar release: the check changed when asked, then
    // the redraw, the radio group and the parent's notification.
    void Activate(bool changeCheck);
    void NotifyClicked();

    bool pressed_ = false;
    int checked_ = 0;
    bool checkBoxMode_ = false;
    bool hovering_ = false;
    bool drawing_ = false;
};

}  // namespace brimel
