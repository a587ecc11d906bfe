#include "ui/controls/picture.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/win32/owners.h"
#include "core/win32/resources.h"
#include "framework/application.h"

namespace brimel {

Picture::~Picture() { Unload(); }

void Picture::Unload() { picture_.Reset(); }

bool Picture::LoadFromResource(UINT id, const char* type) {
    Unload();
    const ResourceSpan found = FindResourceBytes(ResourceInstance(), MAKEINTRESOURCEA(id & 0xFFFF), type);
    if (found.bytes == nullptr) return false;
    return LoadFromMemory(found.bytes, found.size) && IsLoaded();
}

bool Picture::LoadFromFile(const char* path) {
    Unload();
    if (path == nullptr) return false;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    long length = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) length = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    bool loaded = false;
    if (length > 0) {
        std::vector<unsigned char> buffer(static_cast<size_t>(length));
        // Only what was really read goes to the decoder: a file that shrank
        // since it was measured must not hand it bytes that were never filled.
        const size_t read = std::fread(buffer.data(), 1, buffer.size(), file);
        if (read > 0) loaded = LoadFromMemory(buffer.data(), read);
    }
    std::fclose(file);
    return loaded;
}

bool Picture::LoadFromMemory(const void* bytes, size_t size) {
    if (bytes == nullptr || size == 0) return false;
    GlobalMemory block(size);
    {
        GlobalLockIn target(block.Get());
        if (target.Data() == nullptr) return false;
        std::memcpy(target.Data(), bytes, size);
    }
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block.Get(), TRUE, stream.Receive())) || !stream) return false;
    // The stream frees the block when it is released.
    block.Release();
    const HRESULT result = OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                          picture_.ReceiveVoid());
    if (result != S_OK) {
        // A decoder that reports failure keeps no picture here, whatever it
        // left in the out parameter.
        Unload();
        return false;
    }
    return static_cast<bool>(picture_);
}

SIZE Picture::SizeInHimetric() const {
    SIZE size = {0, 0};
    if (!picture_) return size;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    size.cx = width;
    size.cy = height;
    return size;
}

SIZE Picture::SizeInPixels(HDC dc) const {
    SIZE size = {0, 0};
    if (!picture_) return size;
    const SIZE himetric = SizeInHimetric();
    size.cx = MulDiv(himetric.cx, GetDeviceCaps(dc, LOGPIXELSX), 2540);
    size.cy = MulDiv(himetric.cy, GetDeviceCaps(dc, LOGPIXELSY), 2540);
    return size;
}

bool Picture::DrawSized(HDC dc, int x, int y, int width, int height) const {
    if (!picture_) return false;
    const SIZE himetric = SizeInHimetric();
    // The picture's own coordinates run upward: start at the top edge and
    // walk down by a negative height to draw it upright.
    return picture_->Render(dc, x, y, width, height, 0, himetric.cy, himetric.cx, -himetric.cy,
                            nullptr) == S_OK;
}

bool Picture::DrawAt(HDC dc, int x, int y) const {
    if (!picture_) return false;
    const SIZE pixels = SizeInPixels(dc);
    return DrawSized(dc, x, y, pixels.cx, pixels.cy);
}

bool Picture::DrawPart(HDC dc, const RECT& source, const RECT& destination) const {
    if (!picture_) return false;
    const SIZE pixels = SizeInPixels(dc);
    const SIZE himetric = SizeInHimetric();
    if (pixels.cx < 1 || pixels.cy < 1 || himetric.cx == 0 || himetric.cy == 0) return false;
    // HIMETRIC units per pixel, taken from the width and used on both axes.
    const double k = static_cast<double>(himetric.cx) / pixels.cx;
    const LONG sourceX = static_cast<LONG>(source.left * k);
    const LONG sourceY = himetric.cy - static_cast<LONG>(source.top * k);
    const LONG sourceWidth = static_cast<LONG>((source.right - source.left) * k);
    const LONG sourceHeight = -static_cast<LONG>((source.bottom - source.top) * k);
    return picture_->Render(dc, destination.left, destination.top,
                            destination.right - destination.left,
                            destination.bottom - destination.top, sourceX, sourceY, sourceWidth,
                            sourceHeight, nullptr) == S_OK;
}

}  // namespace brimel
