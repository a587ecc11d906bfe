#include "ui/controls/license_view.h"

#include <richedit.h>

namespace brimel {

LRESULT LicenseView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS) {
        // The control's own focus handling first: it would otherwise put
        // its previous selection back.
        const LRESULT result = DefaultProc(message, wParam, lParam);
        CHARRANGE start = {0, 0};
        Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
        return result;
    }
    return Window::WindowProc(message, wParam, lParam);
}

}  // namespace brimel
