// Owners for GDI objects and device contexts. An owner deletes what it holds;
// a bare handle is borrowed and never deleted. A selection made through
// SelectIn is undone when it goes out of scope.
#pragma once

#include <windows.h>

#include <utility>

namespace brimel {

template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(other.Release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Deletes what is held and takes the new handle.
    void Reset(Handle handle = nullptr) {
        if (handle_ != nullptr && handle_ != handle) DeleteObject(handle_);
        handle_ = handle;
    }
    // Gives the handle away, for instance to a window that takes ownership.
    Handle Release() { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;
using Region = GdiObject<HRGN>;

// Selects an object into a device context and puts the previous one back.
// A region is refused: selecting one sets the clip region instead and has
// no previous object to put back.
class SelectIn {
public:
    SelectIn(HDC dc, HGDIOBJ object)
        : dc_(dc),
          previous_(object && GetObjectType(object) != OBJ_REGION ? SelectObject(dc, object) : nullptr) {}
    SelectIn(HDC dc, HRGN region) = delete;
    ~SelectIn() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectIn(const SelectIn&) = delete;
    SelectIn& operator=(const SelectIn&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory device context compatible with another one.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// A copy of part of a device context kept across paints: a memory device
// context with a bitmap of its own. Letting go selects the context's
// original bitmap back before the copy's bitmap and the context are deleted.
class Snapshot {
public:
    Snapshot() = default;
    ~Snapshot() { Reset(); }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

    // Copies width x height pixels from (x, y) of the source; false, holding
    // nothing, when the copy could not be made.
    bool Take(HDC source, int x, int y, int width, int height) {
        Reset();
        if (width <= 0 || height <= 0) return false;
        dc_ = CreateCompatibleDC(source);
        bitmap_ = dc_ ? CreateCompatibleBitmap(source, width, height) : nullptr;
        if (bitmap_ == nullptr) {
            Reset();
            return false;
        }
        original_ = SelectObject(dc_, bitmap_);
        width_ = width;
        height_ = height;
        if (!BitBlt(dc_, 0, 0, width, height, source, x, y, SRCCOPY)) {
            Reset();
            return false;
        }
        return true;
    }
    void Reset() {
        if (dc_ != nullptr && original_ != nullptr) SelectObject(dc_, original_);
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
        if (dc_ != nullptr) DeleteDC(dc_);
        dc_ = nullptr;
        bitmap_ = nullptr;
        original_ = nullptr;
        width_ = height_ = 0;
    }
    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ original_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// The display context of a window (GetDC/ReleaseDC).
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// The paint context of WM_PAINT (BeginPaint/EndPaint).
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
    ~PaintDC() { EndPaint(hwnd_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return dc_; }
    const PAINTSTRUCT& Info() const { return paint_; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_;
    HDC dc_;
};

// Saves a borrowed device context's state and restores it on leaving.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDC() {
        if (saved_ != 0) RestoreDC(dc_, saved_);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace brimel
