// The skin the messenger shows: the picture of the conversation window for
// the screen's size and its caption buttons, from the skin folders beside
// the program, with the places of the buttons on it.
#pragma once

#include <windows.h>

#include "core/string.h"
#include "framework/gdi.h"

namespace brimel::product {

// Marks the pixels of a skin picture that let what lies beneath show.
constexpr COLORREF kSkinKeyColor = RGB(0xFF, 0x00, 0xFF);

// A picture read from a BMP file, with its size; empty when the file is
// missing or no picture.
struct SkinPicture {
    Bitmap bitmap;
    int width = 0;
    int height = 0;

    explicit operator bool() const { return static_cast<bool>(bitmap); }
};

struct Skin {
    String mainPath;  // where the picture was looked for, for the note when it is missing
    SkinPicture main;
    // Optional: without them the window still closes through its system
    // menu (Alt+F4).
    SkinPicture closeButton;
    SkinPicture minimizeButton;

    bool Loaded() const { return static_cast<bool>(main); }
    // The buttons' places on the picture; empty for a missing button.
    RECT CloseRect() const;
    RECT MinimizeRect() const;
    // The caption strip, where dragging moves the window, without its buttons.
    bool IsCaption(POINT point) const;
};

// The 800x600 skin for screens narrower than 1024 pixels, else the 1024x768
// one, from "Skins" in the program's folder; not loaded when that folder is
// unknown (empty).
Skin LoadSkin(const String& programFolder, int screenWidth);

}  // namespace brimel::product
