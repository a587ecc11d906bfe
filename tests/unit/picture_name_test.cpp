#include "core/picture_name.h"

#include <gtest/gtest.h>

#include "string_printer.h"

#include <string>

namespace brimel {
namespace {

TEST(PictureName, NumbersNameResourcesAndOnlyTwoOfThemExist) {
    const struct { String name; int32_t id; } cases[] = {
        {"601", 300},
        {" 604 ", 301},
        {"\t\r\n601\v\f ", 300},
        {"0601", 300},
        {"600", 0},
        {"300", 0},
        {"0", 0},
        {"602", 0},
        {"6010", 0},
        // Far too long for any integer: no overflow, and no picture.
        {"601000000000000000000000000601", 0},
        {"4294967897", 0},  // 601 + 2^32 must not wrap round to 601
    };
    for (const auto& c : cases) {
        const PictureSource s = ResolvePictureName(c.name);
        EXPECT_TRUE(s.fromResource) << "[" << c.name << "]";
        EXPECT_EQ(s.resourceId, c.id) << "[" << c.name << "]";
        EXPECT_TRUE(s.path.empty()) << "[" << c.name << "]";
    }
}

TEST(PictureName, AnythingButDigitsIsAFilePathKeptAsGiven) {
    const String names[] = {
        "C:\\skins\\back.jpg", "601.jpg", "6 01", "+601", "-601", "0x259", " 601a ", "", "   ",
    };
    for (const String& name : names) {
        const PictureSource s = ResolvePictureName(name);
        EXPECT_FALSE(s.fromResource) << "[" << name << "]";
        EXPECT_EQ(s.path, name);
        EXPECT_EQ(s.resourceId, 0);
    }
}

}  // namespace
}  // namespace brimel
