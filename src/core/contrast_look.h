// How the installer's dialogs and own controls are coloured: from the skin
// normally, from the system's colours while the system asks for high
// contrast, so that a user who chose, say, white on black gets it here too.
#pragma once

#include <cstdint>

namespace brimel {

// The colour value that means "no colour" (a COLORREF with all bits set).
constexpr uint32_t kNoLookColor = 0xFFFFFFFF;

// The skin's fixed colours: an image button's caption, a disabled label's
// text and a link under the pointer.
constexpr uint32_t kSkinButtonText = 0x000000;
constexpr uint32_t kSkinGrayText = 0x99A8AC;
constexpr uint32_t kSkinHotLight = 0x0000FF;

// One colour (0x00BBGGRR) per role.
struct RoleColors {
    uint32_t window;      // behind the text
    uint32_t windowText;
    uint32_t buttonFace;  // none: the skin draws the button from its picture
    uint32_t buttonText;
    uint32_t grayText;    // the text of a disabled control
    uint32_t hotLight;    // a link under the pointer
};

// What a skin chooses: background and text colour, and the colours behind
// and beneath the text (either may be none).
struct SkinColors {
    uint32_t window;
    uint32_t windowText;
    uint32_t textBack;
    uint32_t shadow;
};

struct ContrastLook {
    RoleColors colors;
    uint32_t textBack;
    uint32_t shadow;
    bool backgroundPicture;  // the skin's picture behind the text
    bool systemGlyphs;       // check box and radio in the system's glyphs
    bool systemButtonFace;   // the image button as a system push button
};

// The skin's look when high contrast is off, exactly as the skin says; while
// it is on, the system's colours for every role, nothing behind or beneath
// the text, no picture, and the system's glyphs and button face.
ContrastLook DecideContrastLook(bool highContrast, const SkinColors& skin, const RoleColors& system);

}  // namespace brimel
