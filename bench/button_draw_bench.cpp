// Times one draw of a 150 x 21 image button with the default skin: the state
// image selected, the key mask made, the window region built from the mask
// and handed to a window, and the three blits through the mask.  The region
// is read from the mask once pixel by pixel and once in a single bitmap
// read; both must give the same region.
//
//   button_draw_bench.exe [draws]      (default 2000 draws per way)
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "framework/bitmap_helpers.h"
#include "framework/gdi.h"
#include "resource.h"
#include "support/canvas.h"

using namespace brimel;

namespace {

constexpr int kWidth = 150, kHeight = 21;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The region read from the mask one pixel at a time, drawn as DrawKeyedImage
// draws: what the button did before it read the mask in one piece.
Region DrawReadingPixels(HDC target, HBITMAP image, int width, int height, COLORREF key) {
    MemoryDC imageDc(target);
    MemoryDC maskDc(target);
    if (!imageDc || !maskDc) return Region();
    SelectIn imageSelected(imageDc.Get(), image);
    Bitmap mask = MakeKeyMask(imageDc.Get(), width, height, key);
    if (!mask) return Region();
    SelectIn maskSelected(maskDc.Get(), mask.Get());
    Region region = test::RegionFromKeyColor(maskDc.Get(), RGB(255, 255, 255));
    DrawThroughMask(target, imageDc.Get(), maskDc.Get(), width, height);
    return region;
}

using DrawWay = decltype(&DrawKeyedImage);

// Draws `draws` times and returns the microseconds one draw took on average.
double TimeDraws(HDC target, HBITMAP image, HWND shaped, DrawWay draw, int draws) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < draws; ++i) {
        HRGN region = draw(target, image, kWidth, kHeight, RGB(255, 0, 255)).Release();
        if (shaped != nullptr)
            SetWindowRgn(shaped, region, FALSE);
        else if (region != nullptr)
            DeleteObject(region);
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end, frequency) * 1e6 / draws;
}

}  // namespace

int main(int argc, char** argv) {
    const int draws = argc > 1 ? std::atoi(argv[1]) : 2000;
    if (draws < 1) {
        std::fprintf(stderr, "usage: button_draw_bench [draws]\n");
        return 2;
    }
    HINSTANCE self = GetModuleHandleA(nullptr);
    Bitmap strip(LoadBitmapA(self, MAKEINTRESOURCEA(IDB_BUTTON_FACES)));
    HDC screen = GetDC(nullptr);
    Bitmap image;
    const bool built = strip && StretchNinePart(screen, strip.Get(), 0, 5, 15, 6, 15, 8, kWidth, kHeight, image);
    if (!built) {
        std::fprintf(stderr, "could not build the state image\n");
        return 1;
    }
    MemoryDC target(screen);
    Bitmap canvas(CreateCompatibleBitmap(screen, kWidth, kHeight));
    SelectIn canvasSelected(target.Get(), canvas.Get());

    // A hidden window takes the regions, as the button's window does.
    HWND shaped = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, self, nullptr);

    HRGN slow = DrawReadingPixels(target.Get(), image.Get(), kWidth, kHeight, RGB(255, 0, 255)).Release();
    HRGN fast = DrawKeyedImage(target.Get(), image.Get(), kWidth, kHeight, RGB(255, 0, 255)).Release();
    const bool same = slow && fast && EqualRgn(slow, fast);
    DeleteObject(slow);
    DeleteObject(fast);

    std::printf("one draw of a %d x %d button (state image, mask, region, blits), mean of %d draws\n",
                kWidth, kHeight, draws);
    std::printf("%-44s %12s %12s %9s\n", "", "GetPixel", "GetDIBits", "speed-up");
    // With the region handed to a window, as the button does, and without a
    // window (the region deleted) to show what the drawing alone costs.
    for (HWND window : {shaped, static_cast<HWND>(nullptr)}) {
        if (window == nullptr && shaped == nullptr) break;
        TimeDraws(target.Get(), image.Get(), window, DrawReadingPixels, 10);
        TimeDraws(target.Get(), image.Get(), window, DrawKeyedImage, 10);
        const double pixelByPixel = TimeDraws(target.Get(), image.Get(), window, DrawReadingPixels, draws);
        const double wholeBitmap = TimeDraws(target.Get(), image.Get(), window, DrawKeyedImage, draws);
        std::printf("%-44s %9.1f us %9.1f us %8.1fx\n",
                    window ? "region handed to a window (SetWindowRgn)" : "region deleted (drawing alone)",
                    pixelByPixel, wholeBitmap, pixelByPixel / wholeBitmap);
    }
    std::printf("regions %s\n", same ? "identical" : "DIFFER");

    if (shaped) DestroyWindow(shaped);
    ReleaseDC(nullptr, screen);
    return same ? 0 : 1;
}
