#include "framework/bitmap_helpers.h"

#include <cstring>

#include "core/array.h"
#include "core/nine_part.h"
#include "core/win32/owners.h"

namespace brimel {
namespace {

// Turns the batches of the run collector into one region.  The region data
// live in one block of movable global memory that grows with the batch
// capacity and is handed whole to region creation.
class RegionBuilder {
public:
    ~RegionBuilder() {
        if (block_ != nullptr) GlobalFree(block_);
    }

    bool Take(const RunBatch& batch) {
        const size_t size = static_cast<size_t>(batch.BufferBytes());
        if (!Reserve(size)) return false;  // keep what was collected so far
        HRGN part = nullptr;
        {
            const GlobalLockIn locked(block_);
            uint8_t* bytes = static_cast<uint8_t*>(locked.Data());
            if (bytes == nullptr) return false;
            if (SerializeRegionData(batch, bytes))
                part = ExtCreateRegion(nullptr, static_cast<DWORD>(size), reinterpret_cast<const RGNDATA*>(bytes));
        }
        if (part == nullptr) return true;  // this batch is lost, the scan goes on
        if (result_.Get() == nullptr) {
            result_.Reset(part);
        } else {
            CombineRgn(result_.Get(), result_.Get(), part, RGN_OR);
            DeleteObject(part);
        }
        return true;
    }

    HRGN Result() { return result_.Release(); }

private:
    bool Reserve(size_t bytes) {
        if (block_ != nullptr && size_ >= bytes) return true;
        HGLOBAL grown = block_ == nullptr ? GlobalAlloc(GMEM_MOVEABLE, bytes)
                                          : GlobalReAlloc(block_, bytes, GMEM_MOVEABLE);
        if (grown == nullptr) return false;
        block_ = grown;
        size_ = bytes;
        return true;
    }

    HGLOBAL block_ = nullptr;
    size_t size_ = 0;
    Region result_;
};

}  // namespace

Region RegionFromKeyPixels(int width, int height, const KeyPixelTest& isKey) {
    RegionBuilder builder;
    CollectKeyRuns(width, height, isKey,
                   [&builder](const RunBatch& batch) { return builder.Take(batch); });
    return Region(builder.Result());
}

Region RegionFromKeyBitmap(HBITMAP bitmap, COLORREF key) {
    BITMAP info;
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return Region();
    const int width = info.bmWidth, height = info.bmHeight;
    // Top-down 32-bit rows: one DWORD per pixel, 0x00RRGGBB, whatever the
    // bitmap's own format (a monochrome mask reads as black and white).
    Array<DWORD> pixels(static_cast<size_t>(width) * (height > 0 ? height : 0));
    if (!pixels.empty()) {
        BITMAPINFO request;
        std::memset(&request, 0, sizeof request);
        request.bmiHeader.biSize = sizeof request.bmiHeader;
        request.bmiHeader.biWidth = width;
        request.bmiHeader.biHeight = -height;
        request.bmiHeader.biPlanes = 1;
        request.bmiHeader.biBitCount = 32;
        request.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(nullptr);
        const int rows = GetDIBits(screen, bitmap, 0, height, pixels.data(), &request, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        if (rows != height) return Region();
    }
    const DWORD wanted = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    // A key with bits above the colour (a palette index, say) matches nothing,
    // as no pixel read back carries them.
    const bool keyIsColor = (key & 0xFF000000) == 0;
    return RegionFromKeyPixels(width, height, [&](int32_t x, int32_t y) {
        return keyIsColor && (pixels[static_cast<size_t>(y) * width + x] & 0x00FFFFFF) == wanted;
    });
}

Bitmap MakeKeyMask(HDC imageDc, int width, int height, COLORREF key) {
    Bitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!mask) return mask;
    MemoryDC maskDc(imageDc);
    if (!maskDc) return Bitmap();
    SelectIn selected(maskDc.Get(), mask.Get());
    // Copying colour to monochrome turns pixels of the source's background
    // colour white and all others black.
    SetBkColor(imageDc, key);
    BitBlt(maskDc.Get(), 0, 0, width, height, imageDc, 0, 0, SRCCOPY);
    return mask;
}

void DrawThroughMask(HDC target, HDC imageDc, HDC maskDc, int width, int height) {
    // Monochrome copied onto colour takes white for 1 bits and black for 0
    // bits from these two colours: the AND then keeps the target under key
    // pixels and clears it under the image, and the second XOR leaves the
    // image there and gives the target back elsewhere.
    const COLORREF background = SetBkColor(target, RGB(255, 255, 255));
    const COLORREF text = SetTextColor(target, RGB(0, 0, 0));
    BitBlt(target, 0, 0, width, height, imageDc, 0, 0, SRCINVERT);
    BitBlt(target, 0, 0, width, height, maskDc, 0, 0, SRCAND);
    BitBlt(target, 0, 0, width, height, imageDc, 0, 0, SRCINVERT);
    SetTextColor(target, text);
    SetBkColor(target, background);
}

namespace {

// Draws as DrawKeyedImage does; the region is read from the mask only when
// `shape` asks for it.
void DrawKeyed(HDC target, HBITMAP image, int width, int height, COLORREF key, Region* shape) {
    MemoryDC imageDc(target);
    MemoryDC maskDc(target);
    if (!imageDc || !maskDc) return;
    SelectIn imageSelected(imageDc.Get(), image);
    Bitmap mask = MakeKeyMask(imageDc.Get(), width, height, key);
    if (!mask) return;
    // Read before the mask is selected: RegionFromKeyBitmap needs it free.
    if (shape != nullptr) *shape = RegionFromKeyBitmap(mask.Get(), RGB(255, 255, 255));
    SelectIn maskSelected(maskDc.Get(), mask.Get());
    DrawThroughMask(target, imageDc.Get(), maskDc.Get(), width, height);
}

}  // namespace

Region DrawKeyedImage(HDC target, HBITMAP image, int width, int height, COLORREF key) {
    Region region;
    DrawKeyed(target, image, width, height, key, &region);
    return region;
}

void DrawKeyedImageUnshaped(HDC target, HBITMAP image, int width, int height, COLORREF key) {
    DrawKeyed(target, image, width, height, key, nullptr);
}

bool StretchNinePart(HDC reference, HBITMAP strip, int frame, int frameCount, int top, int bottom,
                     int left, int right, int width, int height, Bitmap& result) {
    BITMAP info;
    if (strip == nullptr || GetObjectA(strip, sizeof info, &info) == 0) return false;
    NinePartInput in;
    in.stripWidth = info.bmWidth;
    in.stripHeight = info.bmHeight;
    in.frameIndex = frame;
    in.frameCount = frameCount;
    in.top = top;
    in.bottom = bottom;
    in.left = left;
    in.right = right;
    in.targetWidth = width;
    in.targetHeight = height;
    const NinePartPlan plan = PlanNinePart(in);

    result.Reset(CreateCompatibleBitmap(reference, width, height));
    if (!result) return false;
    MemoryDC source(reference);
    MemoryDC target(reference);
    if (!source || !target) return false;
    SelectIn sourceSelected(source.Get(), strip);
    SelectIn targetSelected(target.Get(), result.Get());

    for (const Blit& b : plan.corners) {
        if (!BitBlt(target.Get(), b.dx, b.dy, b.dw, b.dh, source.Get(), b.sx, b.sy, SRCCOPY))
            return false;
    }
    // No stretch mode is chosen: the default one repeats pixels when
    // enlarging, so key pixels stay exactly the key.  A part with no size on
    // either side is skipped: a negative size would mirror the part over the
    // corners of a target smaller than its margins.
    for (const Blit& b : plan.stretches) {
        if (b.dw <= 0 || b.dh <= 0 || b.sw <= 0 || b.sh <= 0) continue;
        StretchBlt(target.Get(), b.dx, b.dy, b.dw, b.dh, source.Get(), b.sx, b.sy, b.sw, b.sh, SRCCOPY);
    }
    return true;
}

}  // namespace brimel
