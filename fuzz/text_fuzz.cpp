// Texts the installer reads from the system and its skins: trimming, folder
// paths from the registry in any double-byte code page, picture names, text
// from buffers that need not be terminated, and the version probe's service
// text.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/picture_name.h"
#include "core/text.h"
#include "core/windows_version.h"
#include "fuzz_check.h"

namespace {

using namespace brimel;

// The core's text type and back, whole (zeros included).
String Ours(const std::string& text) { return String(text.data(), text.size()); }
std::string Std(const String& text) { return std::string(text.data(), text.size()); }

// Lead bytes of the double-byte code pages 932, 936, 949 and 950, and a
// code page in which every byte but the backslash leads.
bool Lead932(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool Lead936(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool Lead949(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool Lead950(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool LeadAll(unsigned char b) { return b != '\\'; }
bool LeadNone(unsigned char) { return false; }
const LeadByteTest kCodePages[] = {Lead932, Lead936, Lead949, Lead950, LeadAll, LeadNone, nullptr};

// Where each character of `text` starts, walking from the start.
std::string Boundaries(const std::string& text, LeadByteTest isLead) {
    std::string starts(text.size() + 1, 0);
    size_t at = 0;
    while (at < text.size()) {
        starts[at] = 1;
        const bool pair = isLead && isLead(static_cast<unsigned char>(text[at])) &&
                          at + 1 < text.size();
        at += pair ? 2 : 1;
    }
    starts[text.size()] = 1;
    return starts;
}

void CheckStrip(const std::string& path, LeadByteTest isLead) {
    const std::string out = Std(StripTrailingBackslashes(Ours(path), isLead));
    // A prefix ending on a character boundary; what went were whole
    // one-byte backslashes, and what stays does not end in one.
    FUZZ_CHECK(path.compare(0, out.size(), out) == 0);
    const std::string starts = Boundaries(path, isLead);
    FUZZ_CHECK(starts[out.size()] == 1);
    for (size_t i = out.size(); i < path.size(); ++i) FUZZ_CHECK(path[i] == '\\' && starts[i]);
    if (!out.empty()) {
        size_t last = out.size() - 1;
        while (!starts[last]) --last;
        FUZZ_CHECK(!(last == out.size() - 1 && out[last] == '\\'));
    }
    FUZZ_CHECK(Std(StripTrailingBackslashes(Ours(out), isLead)) == out);
}

void CheckTrim(const std::string& text) {
    const std::string out = Std(TrimText(Ours(text)));
    const size_t start = text.find(out);
    FUZZ_CHECK(start != std::string::npos);
    if (!out.empty()) FUZZ_CHECK(!IsWhiteSpace(out.front()) && !IsWhiteSpace(out.back()));
    if (out.empty()) {
        for (char c : text) FUZZ_CHECK(IsWhiteSpace(c));
        return;
    }
    for (size_t i = 0; i < start; ++i) FUZZ_CHECK(IsWhiteSpace(text[i]));
    for (size_t i = start + out.size(); i < text.size(); ++i) FUZZ_CHECK(IsWhiteSpace(text[i]));
}

// A buffer the system filled, of exactly its capacity, terminated or not.
void CheckBounded(const std::string& bytes) {
    const std::vector<char> buffer(bytes.begin(), bytes.end());
    const std::string out = Std(BoundedText(buffer.data(), buffer.size()));
    FUZZ_CHECK(out == bytes.substr(0, bytes.find('\0')));
}

void CheckPictureName(const std::string& name) {
    const PictureSource source = ResolvePictureName(Ours(name));
    const std::string trimmed = Std(TrimText(Ours(name)));
    const bool number = !trimmed.empty() &&
                        trimmed.find_first_not_of("0123456789") == std::string::npos;
    FUZZ_CHECK(source.fromResource == number);
    if (!number) {
        FUZZ_CHECK(Std(source.path) == name && source.resourceId == 0);
        return;
    }
    const size_t first = trimmed.find_first_not_of('0');
    const std::string value = first == std::string::npos ? "0" : trimmed.substr(first);
    const int32_t expected = value == "601" ? kBackgroundJpegResource
                             : value == "604" ? kTileBmpResource
                                              : 0;
    FUZZ_CHECK(source.resourceId == expected && source.path.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const uint8_t mode = in.ConsumeIntegral<uint8_t>();
    const uint32_t platform = in.ConsumeIntegralInRange<uint32_t>(0, 3);
    const uint32_t major = in.ConsumeIntegral<uint32_t>(), minor = in.ConsumeIntegral<uint32_t>();
    const std::string text = in.ConsumeRemainingBytesAsString();
    switch (mode % 5) {
        case 0:
            CheckTrim(text);
            break;
        case 1:
            for (LeadByteTest isLead : kCodePages) CheckStrip(text, isLead);
            break;
        case 2:
            CheckPictureName(text);
            break;
        case 3:
            CheckBounded(text);
            break;
        default: {
            const bool supported = IsSupportedWindowsVersion(platform, major, minor, Ours(text));
            if (platform == kPlatformWin32s) FUZZ_CHECK(!supported);
            if (platform == kPlatformNt) FUZZ_CHECK(supported == (major >= 4));
            if (platform == kPlatformWindows && minor != 10) FUZZ_CHECK(supported == (minor > 10));
            if (platform == kPlatformWindows && minor == 10) {
                const std::string service = Std(TrimText(Ours(text)));
                FUZZ_CHECK(supported == (service == "A" || service == "a"));
            }
            break;
        }
    }
    return 0;
}
