#include "core/picture_name.h"

namespace brimel {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

PictureSource ResolvePictureName(const std::string& name) {
    size_t begin = 0, end = name.size();
    while (begin < end && IsBlank(name[begin])) ++begin;
    while (end > begin && IsBlank(name[end - 1])) --end;

    bool digitsOnly = begin < end;
    for (size_t i = begin; i < end && digitsOnly; ++i) digitsOnly = IsDigit(name[i]);

    PictureSource source;
    if (!digitsOnly) {
        source.path = name;
        return source;
    }
    source.fromResource = true;
    // Only two numbers mean anything, so the value is capped just above them
    // instead of being allowed to overflow.
    int32_t value = 0;
    for (size_t i = begin; i < end; ++i) {
        value = value * 10 + (name[i] - '0');
        if (value > 999999) break;
    }
    if (value == 601) source.resourceId = kBackgroundJpegResource;
    if (value == 604) source.resourceId = kTileBmpResource;
    return source;
}

}  // namespace brimel
