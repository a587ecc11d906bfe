#include "core/picture_name.h"

#include "core/text.h"

namespace brimel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

PictureSource ResolvePictureName(const String& name) {
    const String trimmed = TrimText(name);
    bool digitsOnly = !trimmed.empty();
    for (size_t i = 0; i < trimmed.size() && digitsOnly; ++i) digitsOnly = IsDigit(trimmed[i]);

    PictureSource source;
    if (!digitsOnly) {
        source.path = name;
        return source;
    }
    source.fromResource = true;
    // Only two numbers mean anything, so the value is capped just above them
    // instead of being allowed to overflow.
    int32_t value = 0;
    for (char digit : trimmed) {
        value = value * 10 + (digit - '0');
        if (value > 999999) break;
    }
    if (value == 601) source.resourceId = kBackgroundJpegResource;
    if (value == 604) source.resourceId = kTileBmpResource;
    return source;
}

}  // namespace brimel
