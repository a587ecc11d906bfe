// One decoded image for drawing, loaded through the platform's OLE picture
// service from the program's resources, a file or a block of bytes.  The
// service tells the format by the content (the program carries a JPEG and a
// BMP).  OLE must have been initialised on the calling thread.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstddef>

#include "core/win32/owners.h"

namespace brimel {

class Picture {
public:
    Picture() = default;
    virtual ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Each loader lets go of the held picture first, so a failed load always
    // leaves none.
    bool LoadFromResource(UINT id, const char* type);
    bool LoadFromFile(const char* path);
    // Decodes a copy of the bytes.  Keeps a held picture's reference only in
    // the sense that it overwrites it: call Unload first (the loaders do).
    bool LoadFromMemory(const void* bytes, size_t size);
    void Unload();
    bool IsLoaded() const { return static_cast<bool>(picture_); }

    // The picture's size in HIMETRIC units (0.01 mm), as the decoder reports it.
    SIZE SizeInHimetric() const;
    // The size in pixels of the device context's resolution; (0, 0) when empty.
    SIZE SizeInPixels(HDC dc) const;

    // The whole picture upright at its natural size, top-left corner at (x, y).
    bool DrawAt(HDC dc, int x, int y) const;
    // The whole picture upright, stretched into width x height at (x, y).
    bool DrawSized(HDC dc, int x, int y, int width, int height) const;
    // The source rectangle, in picture pixels, stretched into the destination
    // rectangle, in device pixels.
    bool DrawPart(HDC dc, const RECT& source, const RECT& destination) const;

private:
    ComPtr<IPicture> picture_;
};

}  // namespace brimel
