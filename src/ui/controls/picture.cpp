#include "ui/controls/picture.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/application.h"

namespace brimel {

Picture::~Picture() { Unload(); }

void Picture::Unload() {
    if (picture_ != nullptr) {
        picture_->Release();
        picture_ = nullptr;
    }
}

bool Picture::LoadFromResource(UINT id, const char* type) {
    Unload();
    HINSTANCE module = ResourceInstance();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id & 0xFFFF), type);
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return false;
    return LoadFromMemory(bytes, SizeofResource(module, found)) && IsLoaded();
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
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) return false;
    void* target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(block);

    IStream* stream = nullptr;
    // The stream frees the block when it is released.
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || stream == nullptr) {
        GlobalFree(block);
        return false;
    }
    void* decoded = nullptr;
    const HRESULT result = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, &decoded);
    stream->Release();
    picture_ = static_cast<IPicture*>(decoded);
    if (result != S_OK) {
        // A decoder that reports failure keeps no picture here, whatever it
        // left in the out parameter.
        Unload();
        return false;
    }
    return picture_ != nullptr;
}

SIZE Picture::SizeInHimetric() const {
    SIZE size = {0, 0};
    if (picture_ == nullptr) return size;
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
    if (picture_ == nullptr) return size;
    const SIZE himetric = SizeInHimetric();
    size.cx = MulDiv(himetric.cx, GetDeviceCaps(dc, LOGPIXELSX), 2540);
    size.cy = MulDiv(himetric.cy, GetDeviceCaps(dc, LOGPIXELSY), 2540);
    return size;
}

bool Picture::DrawSized(HDC dc, int x, int y, int width, int height) const {
    if (picture_ == nullptr) return false;
    const SIZE himetric = SizeInHimetric();
    // The picture's own coordinates run upward: start at the top edge and
    // walk down by a negative height to draw it upright.
    return picture_->Render(dc, x, y, width, height, 0, himetric.cy, himetric.cx, -himetric.cy,
                            nullptr) == S_OK;
}

bool Picture::DrawAt(HDC dc, int x, int y) const {
    if (picture_ == nullptr) return false;
    const SIZE pixels = SizeInPixels(dc);
    return DrawSized(dc, x, y, pixels.cx, pixels.cy);
}

bool Picture::DrawPart(HDC dc, const RECT& source, const RECT& destination) const {
    if (picture_ == nullptr) return false;
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
