#include "framework/application.h"

namespace brimel {
namespace {
Application* g_current = nullptr;
}

Application::Application() { g_current = this; }

Application::~Application() {
    if (g_current == this) g_current = nullptr;
}

int Application::Run(HINSTANCE instance) {
    instance_ = instance;
    if (InitInstance()) {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        exitCode_ = static_cast<int>(msg.wParam);
    }
    return ExitInstance();
}

Application* CurrentApplication() { return g_current; }

HINSTANCE ResourceInstance() {
    if (g_current && g_current->Instance()) return g_current->Instance();
    return GetModuleHandleA(nullptr);
}

}  // namespace brimel
