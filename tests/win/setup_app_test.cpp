// The application object's start-up pieces and the installer's string table.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/setup_app.h"
#include "core/win32/resources.h"
#include "resource.h"
#include "sys/registry.h"
#include "string_printer.h"

namespace brimel {
namespace {

TEST(StringTable, HoldsExactlyTheInstallersTexts) {
    struct Entry { UINT id; const char* text; } entries[] = {
        {1, "You must first indicate that you accept the License Agreement, by checking the "
            "acceptance box under the agreement."},
        {2, "NotFound"},
        {3, "Brimel Messenger"},
        {4, "u"},
        {5, "Brimel Messenger can only run on Windows 98 second edition or above."},
        {6, "MS Sans Serif"},
        {7, "Unable to install Brimel Messenger.\n\n"},
        {8, "Please exit Brimel Messenger before running Brimel Messenger Setup.\n\n"},
        {9, "Please check if you have administrator access rights on your computer.\n\n"},
        {10, "If this problem persists - please notify support@brimel.example"},
        {12, "http://www.brimel.example/win98.htm"},
        {57344, "Brimel Messenger Setup"},
    };
    for (const auto& e : entries) EXPECT_EQ(LoadResString(e.id), e.text) << "string " << e.id;
    for (UINT absent : {0u, 11u, 13u, 16u, 57345u}) EXPECT_EQ(LoadResString(absent), "") << absent;
}

TEST(StringTable, StringsAreEnglish) {
    HRSRC block = FindResourceExA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(6) /* RT_STRING */,
                                  MAKEINTRESOURCEA(1), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    EXPECT_NE(block, nullptr);
}

TEST(SetupApp, LoadsSharedTextsFontAndIcon) {
    SetupApp app;
    app.LoadSharedResources();
    EXPECT_EQ(app.notFoundText, "NotFound");
    EXPECT_EQ(app.fontFaceName, "MS Sans Serif");
    EXPECT_TRUE(app.programFilesDir.empty());
    ASSERT_TRUE(app.dialogFont);
    LOGFONTA font;
    ASSERT_EQ(GetObjectA(app.dialogFont.Get(), sizeof font, &font), int(sizeof font));
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWeight, 0);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.lfQuality, DEFAULT_QUALITY);
    EXPECT_EQ(font.lfPitchAndFamily, 0x12);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    ASSERT_NE(app.appIcon, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(app.appIcon, &info));
    EXPECT_TRUE(info.fIcon);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(CurrentSetupApp(), &app);
}

TEST(SetupApp, DialogFontDrawsInWindowsBitmapFace) {
    SetupApp app;
    app.LoadSharedResources();
    ASSERT_TRUE(app.dialogFont);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, app.dialogFont.Get());
    char drawn[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof drawn, drawn);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    // Not a stand-in of the family asked for: the face itself, 13 pixels high.
    EXPECT_STREQ(drawn, "MS Sans Serif");
    EXPECT_EQ(metrics.tmHeight, 13);
    EXPECT_EQ(metrics.tmAveCharWidth, 5);
}

// Gives entries of the program's first string-table block (ids 0 to 15)
// other texts, in the loaded image, for as long as it lives; the other
// entries of the block read as missing meanwhile.
class PatchedStringBlock {
public:
    explicit PatchedStringBlock(std::initializer_list<std::pair<UINT, std::wstring>> texts) {
        HMODULE self = GetModuleHandleA(nullptr);
        HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(6) /* RT_STRING */);
        block_ = found ? static_cast<WCHAR*>(LockResource(LoadResource(self, found))) : nullptr;
        if (!block_) return;
        size_ = SizeofResource(self, found) / sizeof(WCHAR);
        original_.assign(block_, block_ + size_);
        std::vector<WCHAR> patched;
        for (UINT id = 0; id < 16; ++id) {
            std::wstring text;
            for (const auto& entry : texts)
                if (entry.first == id) text = entry.second;
            patched.push_back(static_cast<WCHAR>(text.size()));
            patched.insert(patched.end(), text.begin(), text.end());
        }
        if (patched.size() > size_ || !VirtualProtect(block_, size_ * sizeof(WCHAR), PAGE_READWRITE, &protection_)) {
            block_ = nullptr;
            return;
        }
        patched.resize(size_, 0);
        std::copy(patched.begin(), patched.end(), block_);
    }
    ~PatchedStringBlock() {
        if (!block_) return;
        std::copy(original_.begin(), original_.end(), block_);
        VirtualProtect(block_, size_ * sizeof(WCHAR), protection_, &protection_);
    }
    explicit operator bool() const { return block_ != nullptr; }

private:
    WCHAR* block_ = nullptr;
    size_t size_ = 0;
    std::vector<WCHAR> original_;
    DWORD protection_ = 0;
};

// Strings 2 and 6 are taken as they stand: what a format text would turn
// into other characters (%%, %n, %0, %1) stays as it is.
TEST(SetupApp, SharedTextsAreTakenVerbatim) {
    const char marker[] = "Not%%Found%n%1", face[] = "MS %%Sans%0 Serif";
    {
        const PatchedStringBlock patched{{2, L"Not%%Found%n%1"}, {6, L"MS %%Sans%0 Serif"}};
        ASSERT_TRUE(patched);
        SetupApp app;
        app.LoadSharedResources();
        EXPECT_EQ(app.notFoundText, marker);
        EXPECT_EQ(NotFoundText(), marker);
        EXPECT_EQ(app.fontFaceName, face);
        LOGFONTA font;
        ASSERT_EQ(GetObjectA(app.dialogFont.Get(), sizeof font, &font), int(sizeof font));
        EXPECT_STREQ(font.lfFaceName, face);
    }
    SetNotFoundText("");
    EXPECT_EQ(LoadResString(2), "NotFound");
}

TEST(SetupApp, FontRecordCopiesTheFaceNameBounded) {
    const LOGFONTA plain = DialogFontRecord("MS Sans Serif");
    EXPECT_STREQ(plain.lfFaceName, "MS Sans Serif");
    const String tooLong(80, 'x');
    const LOGFONTA cut = DialogFontRecord(tooLong);
    EXPECT_EQ(std::strlen(cut.lfFaceName), size_t(LF_FACESIZE - 1));
    // Nothing after the face buffer was touched: the record is all zeros
    // except the fields that were set.
    const LOGFONTA empty = DialogFontRecord("");
    EXPECT_EQ(empty.lfFaceName[0], '\0');
    EXPECT_EQ(empty.lfWidth, 0);
    EXPECT_EQ(empty.lfItalic, 0);
    EXPECT_EQ(empty.lfOutPrecision, OUT_DEFAULT_PRECIS);
    EXPECT_EQ(empty.lfClipPrecision, CLIP_DEFAULT_PRECIS);
}

TEST(Resources, ArtworkIsThere) {
    HINSTANCE self = GetModuleHandleA(nullptr);
    for (int id : {IDB_WELCOME_ART, IDB_BUTTON_FACES, IDB_CHECK_GLYPHS})
        EXPECT_NE(FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */), nullptr) << id;
    for (int id : {IDC_SKIN_ARROW, IDC_HAND_CURSOR})
        EXPECT_NE(LoadCursorA(self, MAKEINTRESOURCEA(id)), nullptr) << id;
    for (int id : {IDP_BACKGROUND_JPEG, IDP_TILE_BMP})
        EXPECT_NE(FindResourceA(self, MAKEINTRESOURCEA(id), "A"), nullptr) << id;
    for (int id : {IDD_WELCOME, IDD_MESSAGE, IDD_RICHEDIT_NOTICE})
        EXPECT_NE(FindResourceA(self, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */), nullptr) << id;
}

}  // namespace
}  // namespace brimel
