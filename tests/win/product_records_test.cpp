// The product files the installer carries: the skin bitmaps have the sizes the
// product expects, and the license reads as a real document.
#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "core/installed_file_table.h"
#include "payload/payload_records.h"

namespace brimel {
namespace {

// Every bitmap of the installer's table has the size the table gives it.
TEST(ProductRecords, SkinBitmapsAre24BitFilesOfTheirSizes) {
    for (const InstalledFile& expected : kInstalledFiles) {
        if (expected.width == 0) continue;
        PayloadData data = ReadPayloadRecord(expected.record);
        ASSERT_TRUE(data) << expected.record;
        ASSERT_GE(data.size, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
        BITMAPFILEHEADER file;
        BITMAPINFOHEADER info;
        std::memcpy(&file, data.bytes.get(), sizeof file);
        std::memcpy(&info, data.bytes.get() + sizeof file, sizeof info);
        EXPECT_EQ(file.bfType, 0x4D42) << expected.record;
        EXPECT_EQ(file.bfSize, data.size) << expected.record;
        EXPECT_EQ(info.biWidth, expected.width) << expected.record;
        EXPECT_EQ(std::abs(info.biHeight), expected.height) << expected.record;
        EXPECT_EQ(info.biBitCount, 24) << expected.record;
        EXPECT_EQ(info.biCompression, DWORD(BI_RGB)) << expected.record;
        const uint32_t stride = (expected.width * 3 + 3) & ~3u;
        EXPECT_GE(data.size, file.bfOffBits + stride * expected.height) << expected.record;
    }
}

TEST(ProductRecords, SkinSettingsAreIniTexts) {
    for (uint16_t record : {221, 222}) {
        PayloadData data = ReadPayloadRecord(record);
        ASSERT_TRUE(data) << record;
        const std::string text(reinterpret_cast<char*>(data.bytes.get()), data.size);
        EXPECT_EQ(text.find('\0'), std::string::npos);
        // The first line that is neither blank nor a comment opens a section.
        size_t at = 0;
        while (at < text.size() && (text[at] == ';' || text[at] == '\r' || text[at] == '\n'))
            at = text[at] == ';' ? text.find('\n', at) : at + 1;
        ASSERT_LT(at, text.size()) << record;
        EXPECT_EQ(text[at], '[') << record;
        EXPECT_NE(text.find(record == 221 ? "800x600" : "1024x768"), std::string::npos);
    }
}

struct Stream { const unsigned char* bytes; uint32_t size, at; };

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* done) {
    Stream* s = reinterpret_cast<Stream*>(cookie);
    const LONG n = static_cast<LONG>(std::min<uint32_t>(wanted, s->size - s->at));
    std::memcpy(buffer, s->bytes + s->at, n);
    s->at += n;
    *done = n;
    return 0;
}

TEST(ProductRecords, LicenseStreamsIntoARichEditWithOverAThousandCharacters) {
    ASSERT_NE(LoadLibraryA("riched32.dll"), nullptr);
    HWND view = CreateWindowExA(0, "RICHEDIT", "", WS_POPUP | ES_MULTILINE | ES_READONLY, 0, 0, 400, 200,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(view, nullptr);
    PayloadData license = ReadPayloadRecord(130);
    ASSERT_TRUE(license);
    ASSERT_EQ(std::memcmp(license.bytes.get(), "{\\rtf1", 6), 0);
    Stream stream{license.bytes.get(), license.size, 0};
    EDITSTREAM edit = {reinterpret_cast<DWORD_PTR>(&stream), 0, &ReadStream};
    SendMessageA(view, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&edit));
    const int length = GetWindowTextLengthA(view);
    std::string text(length + 1, '\0');
    GetWindowTextA(view, &text[0], length + 1);
    text.resize(std::strlen(text.c_str()));
    const auto first = text.find_first_not_of(" \t\n\v\f\r");
    const auto last = text.find_last_not_of(" \t\n\v\f\r");
    ASSERT_NE(first, std::string::npos);
    EXPECT_GE(last - first + 1, 1000u);
    EXPECT_NE(text.find("Brimel Messenger"), std::string::npos);
    EXPECT_EQ(text.find("\\rtf"), std::string::npos) << "read as RTF, not as plain text";
    DestroyWindow(view);
}

}  // namespace
}  // namespace brimel
