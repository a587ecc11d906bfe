#include "ui/controls/parent_snapshot.h"

namespace brimel {

void PaintParentSnapshot(HWND control, Snapshot& snapshot, HDC target) {
    HWND parent = GetParent(control);
    if (parent == nullptr) return;
    if (!snapshot && parent == GetActiveWindow()) {
        RECT client = {0, 0, 0, 0};
        GetClientRect(control, &client);
        RECT window = {0, 0, 0, 0};
        GetWindowRect(control, &window);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
        WindowDC parentDc(parent);
        if (parentDc)
            snapshot.Take(parentDc.Get(), window.left, window.top, client.right - client.left,
                          client.bottom - client.top);
    }
    if (snapshot)
        BitBlt(target, 0, 0, snapshot.Width(), snapshot.Height(), snapshot.Dc(), 0, 0, SRCCOPY);
}

void RedrawLook(HWND control) {
    if (IsWindow(control)) RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

}  // namespace brimel
