#include "core/contrast_look.h"

namespace brimel {

ContrastLook DecideContrastLook(bool highContrast, const SkinColors& skin, const RoleColors& system) {
    if (highContrast) return {system, kNoLookColor, kNoLookColor, false, true, true};
    return {{skin.window, skin.windowText, kNoLookColor, kSkinButtonText, kSkinGrayText, kSkinHotLight},
            skin.textBack,
            skin.shadow,
            true,
            false,
            false};
}

}  // namespace brimel
