#include "core/array.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/function.h"
#include "core/string.h"

namespace brimel {
namespace {

template <typename T>
std::vector<T> Std(const Array<T>& a) {
    return std::vector<T>(a.begin(), a.end());
}

TEST(Array, GrowsAndShrinksLikeStdVector) {
    struct Case {
        const char* what;
        void (*ours)(Array<int>&);
        void (*theirs)(std::vector<int>&);
    } cases[] = {
        {"empty", [](Array<int>&) {}, [](std::vector<int>&) {}},
        {"push_back many", [](Array<int>& a) { for (int i = 0; i < 1000; ++i) a.push_back(i * 3); },
         [](std::vector<int>& v) { for (int i = 0; i < 1000; ++i) v.push_back(i * 3); }},
        {"resize zeroes", [](Array<int>& a) { a.resize(5); a[2] = 7; a.resize(8); a.resize(3); },
         [](std::vector<int>& v) { v.resize(5); v[2] = 7; v.resize(8); v.resize(3); }},
        {"resize with value", [](Array<int>& a) { a.resize(4, 9); a.resize(6, 1); },
         [](std::vector<int>& v) { v.resize(4, 9); v.resize(6, 1); }},
        {"reserve then fill", [](Array<int>& a) { a.reserve(100); for (int i = 0; i < 100; ++i) a.emplace_back(i); },
         [](std::vector<int>& v) { v.reserve(100); for (int i = 0; i < 100; ++i) v.emplace_back(i); }},
        {"push_back own element while growing",
         [](Array<int>& a) { a.push_back(5); for (int i = 0; i < 20; ++i) a.push_back(a[0] + a.back()); },
         [](std::vector<int>& v) { v.push_back(5); for (int i = 0; i < 20; ++i) v.push_back(v[0] + v.back()); }},
        {"resize with an own element while growing", [](Array<int>& a) { a = {1, 2}; a.resize(40, a[1]); },
         [](std::vector<int>& v) { v = {1, 2}; v.resize(40, v[1]); }},
        {"pop_back, front, back", [](Array<int>& a) { a = {1, 2, 3}; a.pop_back(); a.front() = 8; a.back()++; },
         [](std::vector<int>& v) { v = {1, 2, 3}; v.pop_back(); v.front() = 8; v.back()++; }},
        {"clear then reuse", [](Array<int>& a) { a = {1, 2, 3}; a.clear(); a.push_back(4); },
         [](std::vector<int>& v) { v = {1, 2, 3}; v.clear(); v.push_back(4); }},
    };
    for (const Case& c : cases) {
        Array<int> ours;
        std::vector<int> theirs;
        c.ours(ours);
        c.theirs(theirs);
        EXPECT_EQ(Std(ours), theirs) << c.what;
        EXPECT_EQ(ours.size(), theirs.size()) << c.what;
        EXPECT_EQ(ours.empty(), theirs.empty()) << c.what;
        EXPECT_GE(ours.capacity(), ours.size()) << c.what;
    }
    const int raw[] = {4, 5, 6};
    EXPECT_EQ(Std(Array<int>(raw, raw + 3)), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(Std(Array<int>(3)), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Std(Array<int>(2, 7)), (std::vector<int>{7, 7}));
    EXPECT_TRUE((Array<int>{1, 2}) == (Array<int>{1, 2}));
    EXPECT_TRUE((Array<int>{1, 2}) != (Array<int>{1, 3}));
    EXPECT_TRUE((Array<int>{1, 2}) != (Array<int>{1}));
}

// Elements that own memory: every copy, move and destruction must balance
// (the sanitizer reports a leak, double free or use after free otherwise).
TEST(Array, OwningElementsMoveCopyAndDestroyCleanly) {
    Array<String> words;
    for (int i = 0; i < 50; ++i) words.push_back(String(40, static_cast<char>('a' + i % 26)));
    words.emplace_back("last");
    words.push_back(words[0]);  // an element of the array itself while it grows
    Array<String> copy(words);
    copy[0] = "changed";
    EXPECT_EQ(words[0], String(40, 'a'));
    EXPECT_EQ(copy.back(), String(40, 'a'));
    Array<String> moved(static_cast<Array<String>&&>(copy));
    EXPECT_TRUE(copy.empty());
    EXPECT_EQ(moved.size(), 52u);
    moved.resize(3);
    moved.resize(5, String("x"));
    moved.resize(60, moved[4]);  // an element of the array itself while it grows
    moved.resize(5);
    EXPECT_EQ(moved[4], "x");
    words = moved;
    moved = static_cast<Array<String>&&>(words);
    EXPECT_EQ(moved.size(), 5u);
    EXPECT_EQ(moved[0], "changed");
}

TEST(Function, CallsCopiesAndOwnsItsCallable) {
    int calls = 0;
    const String held("kept alive by the copy");
    Function<size_t(int)> f = [&calls, held](int extra) {
        ++calls;
        return held.size() + static_cast<size_t>(extra);
    };
    Function<size_t(int)> g = f;
    Function<size_t(int)> h;
    EXPECT_FALSE(static_cast<bool>(h));
    h = static_cast<Function<size_t(int)>&&>(f);
    EXPECT_FALSE(static_cast<bool>(f));
    EXPECT_EQ(g(1), held.size() + 1);
    EXPECT_EQ(h(2), held.size() + 2);
    EXPECT_EQ(calls, 2);
    Function<void()> plain = [&calls] { calls += 10; };
    plain();
    EXPECT_EQ(calls, 12);
}

}  // namespace
}  // namespace brimel
