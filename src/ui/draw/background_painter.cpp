#include "ui/draw/background_painter.h"

#include "core/picture_name.h"
#include "core/tile_plan.h"

namespace brimel {

void BackgroundPainter::SetPicture(const String& name, bool tileWhole, const RECT& source,
                                   bool stretch) {
    const PictureSource picture = ResolvePictureName(name);
    // A failed load leaves no picture, and Paint then reports nothing painted.
    if (picture.fromResource) {
        backgroundPicture_.LoadFromResource(static_cast<UINT>(picture.resourceId), "A");
    } else {
        backgroundPicture_.LoadFromFile(picture.path.c_str());
    }
    tileWholePicture_ = tileWhole;
    if (!tileWhole) sourceRect_ = source;
    stretchSource_ = stretch;
}

void BackgroundPainter::SetColor(COLORREF color) {
    backgroundColor_ = color;
    backgroundBrush_.Reset(color == kNoColor ? nullptr : CreateSolidBrush(color));
}

bool BackgroundPainter::Paint(HDC dc, int left, int top, int right, int bottom) {
    if (!backgroundPicture_.IsLoaded()) return false;
    const SIZE picture = backgroundPicture_.SizeInPixels(dc);
    // A source rectangle larger than the picture cannot be honoured: from
    // then on the whole picture is tiled, for good.
    if (sourceRect_.right - sourceRect_.left > picture.cx ||
        sourceRect_.bottom - sourceRect_.top > picture.cy)
        tileWholePicture_ = true;

    int stepX = picture.cx, stepY = picture.cy;
    if (!tileWholePicture_ && !stretchSource_) {
        stepX = sourceRect_.right - sourceRect_.left;
        stepY = sourceRect_.bottom - sourceRect_.top;
    }
    if (stretchSource_ && !tileWholePicture_) {
        const RECT area = {left, top, right, bottom};
        backgroundPicture_.DrawPart(dc, sourceRect_, area);
        return true;
    }
    // Tiles overlap by one pixel and run one step past the area; the plan
    // guards steps too small to advance.
    ForEachTile(right - left, bottom - top, stepX, stepY, [&](int32_t x, int32_t y) {
        if (tileWholePicture_) {
            backgroundPicture_.DrawAt(dc, x, y);
        } else {
            const RECT tile = {x, y, x + stepX, y + stepY};
            backgroundPicture_.DrawPart(dc, sourceRect_, tile);
        }
    });
    return true;
}

}  // namespace brimel
