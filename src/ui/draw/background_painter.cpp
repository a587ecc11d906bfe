#include "ui/draw/background_painter.h"

#include "core/picture_name.h"
#include "core/tile_plan.h"

namespace brimel {

void BackgroundPainter::SetPicture(const String& name, bool tileWhole, const RECT& source,
                                   bool stretch) {
    const PictureSource picture = ResolvePictureName(name);
    // A failed load leaves no picture, and Paint then reports nothing painted.
    if (picture.fromResource) {
        backgroundPicture.LoadFromResource(static_cast<UINT>(picture.resourceId), "A");
    } else {
        backgroundPicture.LoadFromFile(picture.path.c_str());
    }
    tileWholePicture = tileWhole;
    if (!tileWhole) sourceRect = source;
    stretchSource = stretch;
}

void BackgroundPainter::SetColor(COLORREF color) {
    backgroundColor = color;
    backgroundBrush.Reset(color == kNoColor ? nullptr : CreateSolidBrush(color));
}

bool BackgroundPainter::Paint(HDC dc, int left, int top, int right, int bottom) {
    if (!backgroundPicture.IsLoaded()) return false;
    const SIZE picture = backgroundPicture.SizeInPixels(dc);
    // A source rectangle larger than the picture cannot be honoured: from
    // then on the whole picture is tiled, for good.
    if (sourceRect.right - sourceRect.left > picture.cx ||
        sourceRect.bottom - sourceRect.top > picture.cy)
        tileWholePicture = true;

    int stepX = picture.cx, stepY = picture.cy;
    if (!tileWholePicture && !stretchSource) {
        stepX = sourceRect.right - sourceRect.left;
        stepY = sourceRect.bottom - sourceRect.top;
    }
    if (stretchSource && !tileWholePicture) {
        const RECT area = {left, top, right, bottom};
        backgroundPicture.DrawPart(dc, sourceRect, area);
        return true;
    }
    // Tiles overlap by one pixel and run one step past the area; the plan
    // guards steps too small to advance.
    ForEachTile(right - left, bottom - top, stepX, stepY, [&](int32_t x, int32_t y) {
        if (tileWholePicture) {
            backgroundPicture.DrawAt(dc, x, y);
        } else {
            const RECT tile = {x, y, x + stepX, y + stepY};
            backgroundPicture.DrawPart(dc, sourceRect, tile);
        }
    });
    return true;
}

}  // namespace brimel
