// The base of every dialog of the installer: a skin chosen by number (a
// background picture or plain colour, and the text colours of the installer's
// own controls), the installer's arrow cursor over the client area, the
// application icon, transparent static text, and Enter acting on a focused
// image button.
#pragma once

#include <windows.h>

#include "core/contrast_look.h"
#include "framework/dialog.h"
#include "framework/skin_settings.h"
#include "ui/draw/background_painter.h"

namespace brimel {

class BDialog : public Dialog, public BackgroundPainter {
    BRIMEL_DECLARE_CLASS(BDialog)

public:
    BDialog(UINT templateId, HWND parent);
    ~BDialog() override = default;

    // Stores the skin id and applies it; 0 means no skin.
    void SetSkin(int id);
    // Applies skinId: the painter's picture and colour, the own controls'
    // colours and faces, then a full repaint.
    void ApplySkin();

    bool PreTranslateMessage(MSG* msg) override;

    SkinSettings skinSettings;
    int skinId = 0;
    // The skin's look, or the system's while high contrast is on.
    ContrastLook contrastLook = {};

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static BOOL CALLBACK UpdateChild(HWND child, LPARAM self);
    LRESULT OnControlColor(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnSetCursor();
};

}  // namespace brimel
