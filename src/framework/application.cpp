#include "framework/application.h"

#include <cstring>

namespace brimel {
namespace {
Application* g_current = nullptr;
}

const ClassRecord Object::classRecord = {"Object", nullptr};
BRIMEL_IMPLEMENT_CLASS(Application, Object)

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

SkinSettings Application::GetSkinSettings(int) const { return SkinSettings(); }

HFONT Application::DialogFont() const {
    if (!defaultFont_) {
        const LOGFONTA record = DialogFontRecord(FontFaceName());
        defaultFont_.Reset(CreateFontIndirectA(&record));
    }
    return defaultFont_.Get();
}

LOGFONTA DialogFontRecord(const String& faceName) {
    LOGFONTA record;
    std::memset(&record, 0, sizeof record);
    record.lfHeight = -12;
    record.lfCharSet = DEFAULT_CHARSET;
    record.lfOutPrecision = OUT_DEFAULT_PRECIS;
    record.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    record.lfQuality = DEFAULT_QUALITY;
    record.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    // A face name longer than the record holds is cut, never overrun.
    const size_t length = faceName.size() < LF_FACESIZE - 1 ? faceName.size() : LF_FACESIZE - 1;
    std::memcpy(record.lfFaceName, faceName.data(), length);
    record.lfFaceName[length] = '\0';
    return record;
}

Application* CurrentApplication() { return g_current; }

HFONT SharedDialogFont() {
    HFONT font = g_current != nullptr ? g_current->DialogFont() : nullptr;
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HINSTANCE ResourceInstance() {
    if (g_current && g_current->Instance()) return g_current->Instance();
    return GetModuleHandleA(nullptr);
}

}  // namespace brimel
