#include "skin.h"

#include "core/installed_file_table.h"
#include "core/text.h"
#include "sys/code_page.h"

namespace brimel::product {
namespace {

// Places on the picture, as the skin's conversation window has them: the
// caption's height, and the buttons counted from the right edge.
constexpr int kCaptionHeight = 30;
constexpr int kCloseFromRight = 32;
constexpr int kMinimizeFromRight = 60;
constexpr int kButtonTop = 7;

SkinPicture LoadPicture(const String& path) {
    SkinPicture picture;
    picture.bitmap.Reset(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    BITMAP info;
    if (!picture.bitmap || GetObjectA(picture.bitmap.Get(), sizeof info, &info) != sizeof info || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return SkinPicture();
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    return picture;
}

RECT ButtonRect(const SkinPicture& button, int pictureWidth, int fromRight) {
    if (!button) return {0, 0, 0, 0};
    const int left = pictureWidth - fromRight;
    return {left, kButtonTop, left + button.width, kButtonTop + button.height};
}

}  // namespace

RECT Skin::CloseRect() const { return ButtonRect(closeButton, main.width, kCloseFromRight); }

RECT Skin::MinimizeRect() const { return ButtonRect(minimizeButton, main.width, kMinimizeFromRight); }

bool Skin::IsCaption(POINT point) const {
    const RECT close = CloseRect(), minimize = MinimizeRect();
    return point.y >= 0 && point.y < kCaptionHeight && !PtInRect(&close, point) && !PtInRect(&minimize, point);
}

Skin LoadSkin(const String& programFolder, int screenWidth) {
    const String skins = JoinPath(programFolder, kSkinsFolderName, IsSystemLeadByte);
    const String folder =
        JoinPath(skins, screenWidth < 1024 ? kFirstSkinFolderName : kSecondSkinFolderName, IsSystemLeadByte);
    Skin skin;
    skin.mainPath = JoinPath(folder, "main.bmp", IsSystemLeadByte);
    // A program folder that is not known leads nowhere: a bare name would
    // be looked for in the current folder.
    if (programFolder.empty()) return skin;
    skin.main = LoadPicture(skin.mainPath);
    if (!skin.Loaded()) return skin;
    skin.closeButton = LoadPicture(JoinPath(folder, "close.bmp", IsSystemLeadByte));
    skin.minimizeButton = LoadPicture(JoinPath(folder, "minimize.bmp", IsSystemLeadByte));
    return skin;
}

}  // namespace brimel::product
