// One skin of a dialog: background picture or colour and the text colours of
// the installer's own controls. A plain value, copied whole.
#pragma once

#include <windows.h>

#include "core/contrast_look.h"
#include "core/string.h"

namespace brimel {

// The installer's skins, as the application's GetSkinSettings knows them.
constexpr int kWelcomeSkin = 801;
constexpr int kMessageSkin = 601;
constexpr int kNoticeSkin = 614;

// The colour value that means "no colour", as the look knows it.
constexpr COLORREF kNoColor = kNoLookColor;

struct SkinSettings {
    String pictureName;
    COLORREF backgroundColor = kNoColor;
    COLORREF textColor = kNoColor;  // no colour: the system menu-text colour
    COLORREF textBackColor = kNoColor;
    COLORREF shadowColor = kNoColor;
    int tileWhole = 1;
    RECT sourceRect = {0, 0, 0, 0};
    int stretch = 1;
};

}  // namespace brimel
