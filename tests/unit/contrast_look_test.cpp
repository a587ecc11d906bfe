#include "core/contrast_look.h"

#include <gtest/gtest.h>

namespace brimel {
namespace {

TEST(ContrastLook, EachRoleTakesTheSkinWhenOffAndTheSystemWhenOn) {
    // Distinct values everywhere, so that a role taken from the wrong place shows.
    const SkinColors skin = {0xFFFFFF, 0x000000, 0x00FF00, 0x808080};
    const RoleColors system = {0x000001, 0xFFFFF1, 0x000002, 0xFFFFF2, 0x00FF03, 0x00FFF4};
    const struct { uint32_t RoleColors::*role; uint32_t off; } rows[] = {
        {&RoleColors::window, 0xFFFFFF},          {&RoleColors::windowText, 0x000000},
        {&RoleColors::buttonFace, kNoLookColor},  {&RoleColors::buttonText, kSkinButtonText},
        {&RoleColors::grayText, kSkinGrayText},   {&RoleColors::hotLight, kSkinHotLight}};
    const ContrastLook off = DecideContrastLook(false, skin, system);
    const ContrastLook on = DecideContrastLook(true, skin, system);
    for (const auto& row : rows) {
        EXPECT_EQ(off.colors.*row.role, row.off) << &row - rows;
        EXPECT_EQ(on.colors.*row.role, system.*row.role) << &row - rows;
    }
    // Behind and beneath the text, the picture, the glyphs and the button face.
    EXPECT_TRUE(off.textBack == 0x00FF00 && off.shadow == 0x808080 && off.backgroundPicture);
    EXPECT_FALSE(off.systemGlyphs || off.systemButtonFace);
    EXPECT_TRUE(on.textBack == kNoLookColor && on.shadow == kNoLookColor && !on.backgroundPicture);
    EXPECT_TRUE(on.systemGlyphs && on.systemButtonFace);
}

}  // namespace
}  // namespace brimel
