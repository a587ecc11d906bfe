#include "core/string.h"

#include <gtest/gtest.h>

#include <string>

namespace brimel {
namespace {

// Every operation is checked against std::string doing the same.
std::string Std(const String& s) { return std::string(s.data(), s.size()); }

void ExpectSame(const String& ours, const std::string& theirs, const char* what) {
    EXPECT_EQ(Std(ours), theirs) << what;
    EXPECT_EQ(ours.size(), theirs.size()) << what;
    EXPECT_EQ(ours.length(), theirs.size()) << what;
    EXPECT_EQ(ours.empty(), theirs.empty()) << what;
    EXPECT_EQ(ours.c_str()[ours.size()], '\0') << what;
    EXPECT_GE(ours.capacity(), ours.size()) << what;
}

TEST(String, BuildsAndGrowsLikeStdString) {
    const std::string embedded("a\0b", 3);
    struct Case {
        const char* what;
        void (*ours)(String&);
        void (*theirs)(std::string&);
    } cases[] = {
        {"empty", [](String&) {}, [](std::string&) {}},
        {"assign text", [](String& s) { s = "hello"; }, [](std::string& s) { s = "hello"; }},
        {"append pieces", [](String& s) { s.append("ab").append(String("cd")).append("xyz", 2).append(3, '!'); },
         [](std::string& s) { s.append("ab").append(std::string("cd")).append("xyz", 2).append(3, '!'); }},
        {"+= and push_back", [](String& s) { s += "ab"; s += 'c'; s += String("d"); s.push_back('e'); },
         [](std::string& s) { s += "ab"; s += 'c'; s += std::string("d"); s.push_back('e'); }},
        {"embedded zero", [](String& s) { s.append("a\0b", 3); }, [](std::string& s) { s.append("a\0b", 3); }},
        {"grow past many capacities",
         [](String& s) { for (int i = 0; i < 1000; ++i) s += static_cast<char>('a' + i % 26); },
         [](std::string& s) { for (int i = 0; i < 1000; ++i) s += static_cast<char>('a' + i % 26); }},
        {"append itself", [](String& s) { s = "abcdefghijklmnop"; s.append(s.c_str() + 2, 10); s.append(s); },
         [](std::string& s) { s = "abcdefghijklmnop"; s.append(s.c_str() + 2, 10); s.append(s); }},
        {"append its own terminator when full",
         [](String& s) { s = "abc"; s.resize(s.capacity()); s.append(s.c_str() + s.size(), 1); },
         [](std::string& s) { s = "abc"; s.resize(s.capacity()); s.append(s.c_str() + s.size(), 1); }},
        {"assign part of itself", [](String& s) { s = "abcdef"; s = s.c_str() + 2; },
         [](std::string& s) { s = "abcdef"; s = s.c_str() + 2; }},
        {"resize up and down", [](String& s) { s = "abc"; s.resize(6, 'x'); s.resize(2); s.resize(4); },
         [](std::string& s) { s = "abc"; s.resize(6, 'x'); s.resize(2); s.resize(4); }},
        {"reserve keeps text", [](String& s) { s = "abc"; s.reserve(500); s += "d"; },
         [](std::string& s) { s = "abc"; s.reserve(500); s += "d"; }},
        {"clear then reuse", [](String& s) { s = "abcdefghijklmnopqrstuvwxyz"; s.clear(); s += "q"; },
         [](std::string& s) { s = "abcdefghijklmnopqrstuvwxyz"; s.clear(); s += "q"; }},
        {"pop_back and back", [](String& s) { s = "abc"; s.pop_back(); s.back() = 'z'; },
         [](std::string& s) { s = "abc"; s.pop_back(); s.back() = 'z'; }},
        {"write through operator[]", [](String& s) { s = String(3, ' '); s[1] = 'k'; },
         [](std::string& s) { s = std::string(3, ' '); s[1] = 'k'; }},
        {"operator+ mixes",
         [](String& s) { s = String("a") + "b" + 'c' + String("d"); s = "x" + s; s = String("y") + s; },
         [](std::string& s) { s = std::string("a") + "b" + 'c' + std::string("d"); s = "x" + s; s = std::string("y") + s; }},
        {"+ with a moved-from left side", [](String& s) { String t("ab"); s = static_cast<String&&>(t) + t; },
         [](std::string& s) { std::string t("ab"); s = static_cast<std::string&&>(t) + t; }},
    };
    for (const Case& c : cases) {
        String ours;
        std::string theirs;
        c.ours(ours);
        c.theirs(theirs);
        ExpectSame(ours, theirs, c.what);
    }
    ExpectSame(String(embedded.data(), embedded.size()), embedded, "from pointer and length");
    ExpectSame(String(nullptr), std::string(), "from null");
}

TEST(String, CopiesAndMovesOwnTheirText) {
    String a("first text that is long enough to live on the heap");
    String b(a);
    b[0] = 'F';
    EXPECT_EQ(Std(a), "first text that is long enough to live on the heap");
    String c(static_cast<String&&>(b));
    EXPECT_EQ(c[0], 'F');
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(b.c_str()[0], '\0');
    b = c;
    EXPECT_TRUE(b == c);
    c = static_cast<String&&>(a);
    EXPECT_EQ(c[0], 'f');
    String& self = c;
    c = self;
    EXPECT_EQ(Std(c), "first text that is long enough to live on the heap");
}

TEST(String, SearchesCutsAndComparesLikeStdString) {
    const char* texts[] = {"", "a", "2.0 build", "abcabc", "xx2.", "a\\b\\c\\"};
    const char* needles[] = {"", "a", "2.", "bc", "abcabcd", "\\"};
    const size_t starts[] = {0, 1, 3, 6, 7, String::npos};
    for (const char* text : texts) {
        const String ours(text);
        const std::string theirs(text);
        for (size_t from : starts) {
            for (const char* needle : needles) {
                EXPECT_EQ(ours.find(needle, from), theirs.find(needle, from)) << text << " " << needle << " " << from;
                EXPECT_EQ(ours.find(String(needle), from), theirs.find(needle, from)) << text << " " << needle;
                EXPECT_EQ(ours.compare(needle) < 0, theirs.compare(needle) < 0) << text << " " << needle;
                EXPECT_EQ(ours.compare(needle) == 0, theirs.compare(needle) == 0) << text << " " << needle;
                EXPECT_EQ(ours == needle, theirs == needle) << text << " " << needle;
                EXPECT_EQ(needle != ours, needle != theirs) << text << " " << needle;
                EXPECT_EQ(ours < String(needle), theirs < std::string(needle)) << text << " " << needle;
            }
            for (char c : {'a', 'c', '\\', '2'}) {
                EXPECT_EQ(ours.find(c, from), theirs.find(c, from)) << text << " " << c << " " << from;
                EXPECT_EQ(ours.rfind(c, from), theirs.rfind(c, from)) << text << " " << c << " " << from;
            }
            for (size_t count : {size_t{0}, size_t{2}, String::npos}) {
                if (from <= theirs.size())
                    EXPECT_EQ(Std(ours.substr(from, count)), theirs.substr(from, count)) << text << " " << from;
                else
                    EXPECT_TRUE(ours.substr(from, count).empty()) << text << " " << from;
            }
        }
        std::string walked;
        for (char c : ours) walked += c;
        EXPECT_EQ(walked, theirs);
    }
}

}  // namespace
}  // namespace brimel
