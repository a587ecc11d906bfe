// What a skin's background picture name refers to: one of the program's
// picture resources, or a file.
#pragma once

#include <cstdint>
#include "core/string.h"

namespace brimel {

// Picture resources of type "A" that skin names select.
constexpr int32_t kBackgroundJpegResource = 300;  // skin picture "601"
constexpr int32_t kTileBmpResource = 301;          // skin picture "604"

struct PictureSource {
    bool fromResource = false;
    // With fromResource: the resource id; 0 (which no resource has) for a
    // number that names no picture.
    int32_t resourceId = 0;
    // Without fromResource: the file to read, the name exactly as given.
    String path;
};

// A name that is nothing but decimal digits, apart from white space around
// them (blank, tab, line feed, vertical tab, form feed, carriage return),
// names a resource by number: 601 and 604 are the two pictures the program
// carries, every other number (leading zeros aside) none.  Any other name,
// the empty name included, is a file path.
PictureSource ResolvePictureName(const String& name);

}  // namespace brimel
