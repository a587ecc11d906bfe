// The messenger's window: a caption-less pop-up shaped like its skin, which
// moves by the skin's caption strip and closes or minimizes through the
// skin's buttons; without a skin, an ordinary captioned window. It keeps its
// place in the user's settings when it closes.
#pragma once

#include <windows.h>

#include "core/string.h"
#include "framework/window.h"
#include "skin.h"

namespace brimel::product {

// The window's class: the quit request and a second start find the running
// copy by it.
extern const char kMessengerWindowClass[];

class MessengerWindow : public Window {
    BRIMEL_DECLARE_CLASS(MessengerWindow)

public:
    MessengerWindow(Skin skin, String status);

    // Registers the class, creates the window at its place and shows it;
    // false when the window could not be made.
    bool Create(HINSTANCE instance, int show);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnHitTest(LPARAM lParam);
    void OnButtonUp(POINT point);

    Skin skin_;
    String status_;
};

}  // namespace brimel::product
