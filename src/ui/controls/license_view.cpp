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
    if (message == WM_GETDLGCODE) {
        // Without this the dialog's keyboard handling selects the whole text
        // whenever it gives the view the focus (at start-up too), after the
        // focus gain has put the selection at the start.
        return DefaultProc(message, wParam, lParam) & ~static_cast<LRESULT>(DLGC_HASSETSEL);
    }
    return Window::WindowProc(message, wParam, lParam);
}

}  // namespace brimel
