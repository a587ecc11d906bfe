// Colour-keyed drawing, window regions from a key colour and nine-part
// scaling of skin frames.  Key colours are compared exactly.
#pragma once

#include <windows.h>

#include "core/key_runs.h"
#include "framework/gdi.h"

namespace brimel {

// The region of every pixel of a width x height image, from (0, 0), for
// which isKey is false.  An image without such pixels, or of no size, gives
// an empty region; null only when no region could be made at all.
Region RegionFromKeyPixels(int width, int height, const KeyPixelTest& isKey);

// That region for a bitmap and its key colour, the bitmap read in one piece.
// The bitmap must not be selected into a device context.
Region RegionFromKeyBitmap(HBITMAP bitmap, COLORREF key);

// A width x height monochrome bitmap of the image in imageDc: white where the
// image has the key colour, black elsewhere.  Leaves imageDc's background
// colour set to the key.  Empty when the bitmap could not be made.
Bitmap MakeKeyMask(HDC imageDc, int width, int height, COLORREF key);

// Draws the width x height image at (0, 0) of the target, leaving the target
// where the mask is white (the image's key pixels).  The target's background
// and text colours come back as they were.
void DrawThroughMask(HDC target, HDC imageDc, HDC maskDc, int width, int height);

// Draws the image at (0, 0) of the target through its key colour and returns
// the region of its non-key pixels (see RegionFromKeyPixels), which the caller
// owns.  The target's settings come back as they were.
Region DrawKeyedImage(HDC target, HBITMAP image, int width, int height, COLORREF key);

// The same drawing, for a caller that needs no region.
void DrawKeyedImageUnshaped(HDC target, HBITMAP image, int width, int height, COLORREF key);

// Scales frame `frame` of a strip of `frameCount` equally wide frames to
// width x height: the corners (top and bottom heights, left and right widths)
// are copied as they are, the edges and centre stretched by repeating pixels.
// The new bitmap, compatible with `reference`, goes to `result`.  False when
// a corner could not be copied; `result` then holds the partly drawn bitmap.
bool StretchNinePart(HDC reference, HBITMAP strip, int frame, int frameCount, int top,
                     int bottom, int left, int right, int width, int height, Bitmap& result);

}  // namespace brimel
