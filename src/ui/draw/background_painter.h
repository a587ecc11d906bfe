// Paints a skinned dialog's client area from a background picture, tiled or
// stretched, and owns the dialog's solid background brush.
#pragma once

#include <windows.h>

#include "core/string.h"

#include "framework/gdi.h"
#include "framework/skin_settings.h"
#include "ui/controls/picture.h"

namespace brimel {

class BackgroundPainter {
public:
    BackgroundPainter() = default;
    virtual ~BackgroundPainter() = default;
    BackgroundPainter(const BackgroundPainter&) = delete;
    BackgroundPainter& operator=(const BackgroundPainter&) = delete;

    // Loads the picture: a name of digits only (white space around them
    // aside) selects one of the program's pictures by skin number, any other
    // name is a file path.  A picture that cannot be loaded leaves none.
    // tileWhole repeats the whole picture at its natural size; without it the
    // source rectangle (picture pixels) is repeated, or stretched over the
    // whole area with `stretch`.  The source rectangle is kept only when
    // tileWhole is false.
    void SetPicture(const String& name, bool tileWhole, const RECT& source, bool stretch);
    void ClearPicture() { backgroundPicture_.Unload(); }
    // Sets the background colour and remakes its brush; kNoColor leaves no brush.
    void SetColor(COLORREF color);

    // Paints the area (client coordinates) from the picture, laying tiles
    // from the device origin.  Returns false, drawing nothing, when there is
    // no picture.
    bool Paint(HDC dc, int left, int top, int right, int bottom);

    COLORREF BackgroundColor() const { return backgroundColor_; }
    // Borrowed by the dialog for its control colours; null without a colour.
    HBRUSH BackgroundBrush() const { return backgroundBrush_.Get(); }
    const Picture& BackgroundPicture() const { return backgroundPicture_; }
    bool TilesWholePicture() const { return tileWholePicture_; }

private:
    Picture backgroundPicture_;
    bool tileWholePicture_ = true;
    RECT sourceRect_ = {0, 0, 0, 0};
    bool stretchSource_ = false;
    COLORREF backgroundColor_ = kNoColor;
    Brush backgroundBrush_;
};

}  // namespace brimel
