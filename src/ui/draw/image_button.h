// The installer's push button: drawn from a strip of rounded button faces on
// a key colour, scaled to the button, with normal, hot, pushed and disabled
// pictures; shaped like its picture so that the key-coloured corners belong
// to the dialog behind; a pointing hand over it.  Clicks stay the platform
// push button's own.
#pragma once

#include <windows.h>

#include "core/button_look.h"
#include "core/contrast_look.h"
#include "framework/gdi.h"
#include "ui/controls/hand_cursor_button.h"

namespace brimel {

class BImageButton : public HandCursorButton {
    BRIMEL_DECLARE_CLASS(BImageButton)

public:
    BImageButton();
    ~BImageButton() override = default;

    // Builds the four state images for the button's current client size from
    // frames 0 (normal), 1 (pushed), 2 (disabled) and 3 (hot) of the strip
    // bitmap resource, keeping the margins (pixels) unscaled.  Stops at the
    // first image that cannot be built.  The window must exist.
    bool SetBitmaps(int bitmapId, int frameCount, int top, int bottom, int left, int right);
    // The standard face: bitmap 208, five frames, margins 15, 6, 15, 8.
    bool ApplyDefaultSkin();

    // High contrast: a system push button face with the caption in the
    // system's button text, hot-light while live; the skin's face otherwise.
    void SetSystemFace(bool on, COLORREF text, COLORREF hot) {
        systemFace_ = on;
        captionColor_ = text;
        hotColor_ = hot;
    }
    // A push button as it shows; its default action clicks.
    void Describe(ControlDescription& d) const override;

    bool IsHovering() const { return hovering_; }
    bool IsPressing() const { return pressing_; }
    bool HasStateImages() const { return hasStateImages_; }
    HBITMAP StateImage(ButtonPicture picture) const;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnDrawItem(DRAWITEMSTRUCT* item) override;

private:
    bool BuildStateImage(HBITMAP strip, Bitmap& image, int frame, int frameCount);
    // Draws the state image through the key colour and gives the window the
    // shape of what was drawn.
    void DrawState(HDC dc, ButtonPicture picture);
    Bitmap& ImageFor(ButtonPicture picture);

    bool hovering_ = false;
    bool pressing_ = false;
    bool hasStateImages_ = false;
    Bitmap normalImage_;
    Bitmap pushedImage_;
    Bitmap hotImage_;
    Bitmap disabledImage_;
    int marginTop_ = 8;
    int marginBottom_ = 8;
    int marginLeft_ = 8;
    int marginRight_ = 17;
    COLORREF keyColor_ = RGB(255, 0, 255);
    bool systemFace_ = false;
    COLORREF captionColor_ = kSkinButtonText;
    COLORREF hotColor_ = kSkinHotLight;
};

}  // namespace brimel
