// Registry access against Wine's real registry. Every test works below
// Software\BrimelTests in the hive it needs and removes that tree again.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/setup_app.h"
#include "core/win32/owners.h"
#include "sys/registry.h"
#include "string_printer.h"
#include "support/registry_state.h"

namespace brimel {
namespace {

using Bytes = std::vector<unsigned char>;

const char kTestRoot[] = "Software\\BrimelTests";

// The text with one terminating zero, as a string value stores it.
String Z(const String& text) { return text + String(1, '\0'); }

Bytes BytesOf(const String& text) { return Bytes(text.begin(), text.end()); }

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The test's own trees in both hives, empty at the start and removed at the end.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetNotFoundText("NotFound");
        Clean();
    }
    void TearDown() override { Clean(); }
    static void Clean() {
        test::RemoveRegistryTree(HKEY_CURRENT_USER, kTestRoot);
        test::RemoveRegistryTree(HKEY_LOCAL_MACHINE, kTestRoot);
    }
    static String Path(const String& below) { return String(kTestRoot) + "\\" + below; }
};

bool KeyExists(HKEY hive, const String& path) {
    HKEY key;
    if (RegOpenKeyExA(hive, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Stores a value with the platform directly, with exactly the given bytes
// (the first `count` of them, when given).
void SetRaw(HKEY hive, const String& path, const String& name, DWORD type, const Bytes& data,
            size_t count = size_t(-1)) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(hive, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    static const BYTE none = 0;
    EXPECT_EQ(RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, type,
                             data.empty() ? &none : data.data(),
                             static_cast<DWORD>(count < data.size() ? count : data.size())),
              ERROR_SUCCESS)
        << path << " " << name;
    RegCloseKey(key);
}

struct RawValue {
    DWORD type = 0;
    Bytes data;
    bool operator==(const RawValue& o) const { return type == o.type && data == o.data; }
};

std::ostream& operator<<(std::ostream& out, const RawValue& v) {
    out << "type " << v.type << " [";
    for (unsigned char b : v.data) out << ' ' << static_cast<int>(b);
    return out << " ]";
}

bool GetRaw(HKEY hive, const String& path, const String& name, RawValue* value) {
    HKEY key;
    if (RegOpenKeyExA(hive, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = RegQueryValueExA(key, name.c_str(), nullptr, &value->type, nullptr, &size) == ERROR_SUCCESS;
    value->data.assign(size, 0);
    if (ok && size > 0)
        ok = RegQueryValueExA(key, name.c_str(), nullptr, &value->type, value->data.data(), &size) ==
             ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

// Names of the values of a key, in the order the platform enumerates them.
std::vector<String> ValueNames(HKEY hive, const String& path) {
    std::vector<String> names;
    RegistryKey key;
    if (key.Open(hive, path.c_str(), KEY_READ) != ERROR_SUCCESS) return names;
    char name[512];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    return names;
}

std::vector<String> SubkeyNames(HKEY hive, const String& path) {
    std::vector<String> names;
    RegistryKey key;
    if (key.Open(hive, path.c_str(), KEY_READ) != ERROR_SUCCESS) return names;
    char name[512];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    return names;
}

// Every key below `path` (named relative to it, "" for the key itself) with
// every value it holds.
using TreeDump = std::map<String, std::map<String, RawValue>>;

void DumpInto(HKEY hive, const String& path, const String& relative, TreeDump* dump) {
    auto& values = (*dump)[relative];
    for (const auto& name : ValueNames(hive, path)) {
        RawValue value;
        EXPECT_TRUE(GetRaw(hive, path, name, &value)) << path << " " << name;
        values[name] = value;
    }
    for (const auto& child : SubkeyNames(hive, path))
        DumpInto(hive, path + "\\" + child, relative.empty() ? child : relative + "\\" + child, dump);
}

TreeDump Dump(HKEY hive, const String& path) {
    TreeDump dump;
    if (KeyExists(hive, path)) DumpInto(hive, path, "", &dump);
    return dump;
}

RawValue Sz(const String& bytes) { return {REG_SZ, BytesOf(bytes)}; }
RawValue Bin(const Bytes& bytes) { return {REG_BINARY, bytes}; }

// --- Reading -------------------------------------------------------------

TEST_F(RegistryTest, FailedReadsReturnTheMarker) {
    const String key = Path("Read");
    SetRaw(HKEY_CURRENT_USER, key, "Long", REG_SZ, Bytes(1000, 'x') + Bytes{'y', 0});
    SetRaw(HKEY_CURRENT_USER, key, "LongBinary", REG_BINARY, Bytes(1001, 'z'));
    SetRaw(HKEY_CURRENT_USER, key, "Huge", REG_SZ, Bytes(4000, 'h') + Bytes{0});
    const struct { String key, value; const char* what; } table[] = {
        {Path("Missing"), "Any", "missing key"},
        {Path("Read\\Missing"), "Any", "missing key below an existing one"},
        {key, "Missing", "missing value"},
        {key, "Long", "1001 bytes of string"},
        {key, "LongBinary", "1001 bytes of binary data"},
        {key, "Huge", "4001 bytes of string"},
    };
    for (const auto& row : table) EXPECT_EQ(ReadRegistryString(row.key, row.value, kCurrentUser), "NotFound") << row.what;
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("Missing"))) << "reading created a key";
}

TEST_F(RegistryTest, ReadsReturnTheBytesUpToTheFirstZero) {
    const String key = Path("Read");
    const struct { String name; DWORD type; Bytes stored; String text; } table[] = {
        {"Plain", REG_SZ, BytesOf(Z("hello")), "hello"},
        {"Empty", REG_SZ, Bytes{0}, ""},
        {"NoZero", REG_SZ, BytesOf("abc"), "abc"},
        {"Exactly1000", REG_SZ, Bytes(999, 's') + Bytes{0}, String(999, 's')},
        // The whole buffer filled and no zero anywhere: nothing beyond it is read.
        {"Exactly1000NoZero", REG_SZ, Bytes(1000, 'n'), String(1000, 'n')},
        {"Binary1000NoZero", REG_BINARY, Bytes(1000, 'b'), String(1000, 'b')},
        {"EmbeddedZero", REG_BINARY, BytesOf(String("ab\0cd", 5)), "ab"},
        {"Number", REG_DWORD, Bytes{'A', 'B', 'C', 0}, "ABC"},
        {"Expand", REG_EXPAND_SZ, BytesOf(Z("%WINDIR%\\x")), "%WINDIR%\\x"},
        {"EmptyBinary", REG_BINARY, Bytes{}, ""},
        {"Spaces", REG_SZ, BytesOf(Z("  a b  ")), "  a b  "},
        {"HighBytes", REG_SZ, BytesOf(Z("\xC4rger")), "\xC4rger"},
    };
    for (const auto& row : table) SetRaw(HKEY_CURRENT_USER, key, row.name, row.type, row.stored);
    for (const auto& row : table) {
        const String read = ReadRegistryString(key, row.name, kCurrentUser);
        EXPECT_EQ(read.size(), row.text.size()) << row.name;
        EXPECT_EQ(read, row.text) << row.name;
    }
}

TEST_F(RegistryTest, StoredMarkerTextReadsLikeAMissingValue) {
    SetRaw(HKEY_CURRENT_USER, Path("Read"), "Stored", REG_SZ, BytesOf(Z("NotFound")));
    SetRaw(HKEY_CURRENT_USER, Path("Read"), "Lower", REG_SZ, BytesOf(Z("notfound")));
    EXPECT_EQ(ReadRegistryString(Path("Read"), "Stored", kCurrentUser), NotFoundText());
    // Callers compare case-sensitively: another spelling is a real value.
    EXPECT_NE(ReadRegistryString(Path("Read"), "Lower", kCurrentUser), NotFoundText());
}

TEST_F(RegistryTest, MarkerIsTheTextTheApplicationHandedOver) {
    SetNotFoundText("Absent");
    EXPECT_EQ(ReadRegistryString(Path("Missing"), "Any", kCurrentUser), "Absent");
    EXPECT_EQ(NotFoundText(), "Absent");
}

// --- Root selector ---------------------------------------------------------

TEST_F(RegistryTest, ZeroSelectsThePerUserHiveAndAnythingElseThePerMachineHive) {
    const struct { int root; HKEY hive; HKEY other; } table[] = {
        {0, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE},
        {1, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER},
        {7, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER},
        {-1, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER},
    };
    for (const auto& row : table) {
        Clean();
        const String key = Path("Root");
        ASSERT_TRUE(WriteRegistryString(key, "Text", "written", row.root)) << row.root;
        ASSERT_TRUE(WriteRegistryBinary(key, "Bytes", {1, 2}, row.root)) << row.root;
        RawValue value;
        EXPECT_TRUE(GetRaw(row.hive, key, "Text", &value)) << row.root;
        EXPECT_TRUE(GetRaw(row.hive, key, "Bytes", &value)) << row.root;
        EXPECT_FALSE(KeyExists(row.other, key)) << row.root;
        EXPECT_EQ(ReadRegistryString(key, "Text", row.root), "written") << row.root;
        EXPECT_EQ(ReadRegistryString(key, "Text", row.root == 0 ? 1 : 0), "NotFound") << row.root;

        CopyRegistryTree(key, "", key, "Copy", row.root, 1);  // empty key name: nothing
        SetRaw(row.hive, key + "\\From", "Copied", REG_SZ, BytesOf(Z("yes")));
        CopyRegistryTree(key, "From", key, "To", row.root, 1);
        EXPECT_EQ(ReadRegistryString(key + "\\To", "Copied", row.root), "yes") << row.root;
        EXPECT_FALSE(KeyExists(row.hive, key + "\\Copy")) << row.root;

        EXPECT_TRUE(DeleteRegistryValue(key, "Text", row.root)) << row.root;
        EXPECT_FALSE(GetRaw(row.hive, key, "Text", &value)) << row.root;
    }
}

// --- Writing and deleting ----------------------------------------------------

TEST_F(RegistryTest, WritesStoreExactBytesAndCreateEveryMissingKey) {
    const String key = Path("Write\\A\\B\\C");
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("Write")));
    const struct { String name; bool binary; String text; Bytes bytes; RawValue stored; } table[] = {
        {"Text", false, "C:\\Program Files\\Brimel\\Brimel.exe", {},
         Sz(Z("C:\\Program Files\\Brimel\\Brimel.exe"))},
        {"EmptyText", false, "", {}, Sz(String(1, '\0'))},
        {"Bytes", true, "", {0, 1, 0, 255, 0}, Bin({0, 1, 0, 255, 0})},
        {"NoBytes", true, "", {}, Bin({})},
        {"LongText", false, String(3000, 'L'), {}, Sz(String(3000, 'L') + String(1, '\0'))},
    };
    for (const auto& row : table) {
        const bool written = row.binary ? WriteRegistryBinary(key, row.name, Array<unsigned char>(row.bytes.begin(), row.bytes.end()), kCurrentUser)
                                        : WriteRegistryString(key, row.name, row.text, kCurrentUser);
        EXPECT_TRUE(written) << row.name;
        RawValue value;
        EXPECT_TRUE(GetRaw(HKEY_CURRENT_USER, key, row.name, &value)) << row.name;
        EXPECT_EQ(value, row.stored) << row.name;
    }
    // A value of another type is replaced, type and all.
    SetRaw(HKEY_CURRENT_USER, key, "Replaced", REG_DWORD, Bytes{1, 0, 0, 0});
    ASSERT_TRUE(WriteRegistryString(key, "Replaced", "now text", kCurrentUser));
    RawValue value;
    ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, key, "Replaced", &value));
    EXPECT_EQ(value, Sz(Z("now text")));
}

TEST_F(RegistryTest, EmptyValueNameIsRefusedWithoutTouchingTheRegistry) {
    const String missing = Path("Unnamed\\Deeper");
    EXPECT_FALSE(WriteRegistryString(missing, "", "text", kCurrentUser));
    EXPECT_FALSE(WriteRegistryBinary(missing, "", {1, 2, 3}, kCurrentUser));
    EXPECT_FALSE(WriteRegistryString(missing, "", "text", kLocalMachine));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("Unnamed")));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Path("Unnamed")));

    // An existing key keeps its default value.
    const String existing = Path("Existing");
    SetRaw(HKEY_CURRENT_USER, existing, "", REG_SZ, BytesOf(Z("default")));
    EXPECT_FALSE(WriteRegistryString(existing, "", "changed", kCurrentUser));
    EXPECT_FALSE(WriteRegistryBinary(existing, "", {9}, kCurrentUser));
    RawValue value;
    ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, existing, "", &value));
    EXPECT_EQ(value, Sz(Z("default")));
}

TEST_F(RegistryTest, DeletionReportsWhetherTheValueWasDeleted) {
    const String key = Path("Delete");
    SetRaw(HKEY_CURRENT_USER, key, "Brimel Chat", REG_SZ, BytesOf(Z("C:\\chat.exe")));
    SetRaw(HKEY_CURRENT_USER, key, "Other", REG_SZ, BytesOf(Z("stays")));
    const struct { String key, value; bool deleted; const char* what; } table[] = {
        {key, "Brimel Chat", true, "existing value"},
        {key, "Brimel Chat", false, "value deleted before"},
        {key, "Never", false, "missing value"},
        {Path("Delete\\Missing\\Key"), "Brimel Chat", false, "missing key"},
        {Path("NoSuchKey"), "Brimel Chat", false, "missing key beside"},
    };
    for (const auto& row : table)
        EXPECT_EQ(DeleteRegistryValue(row.key, row.value, kCurrentUser), row.deleted) << row.what;
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, key), std::vector<String>{"Other"});
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("Delete\\Missing")));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("NoSuchKey")));
    EXPECT_FALSE(DeleteRegistryValue(Path("NoSuchKey"), "Brimel Chat", kLocalMachine));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Path("NoSuchKey")));
}

// --- Key handles -------------------------------------------------------------

// The number of open handles of this process. Wine reports no handle count
// of its own, so every small handle value is tried.
int OpenHandleCount() {
    int count = 0;
    for (ULONG_PTR value = 4; value < 16384; value += 4) {
        HANDLE copy;
        if (DuplicateHandle(GetCurrentProcess(), reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy,
                            0, FALSE, DUPLICATE_SAME_ACCESS)) {
            CloseHandle(copy);
            ++count;
        }
    }
    return count;
}

TEST_F(RegistryTest, NoKeyHandleOutlivesACall) {
    const String key = Path("Handles");
    SetRaw(HKEY_CURRENT_USER, key + "\\Tree\\Sub", "Text", REG_SZ, BytesOf(Z("x")));
    SetRaw(HKEY_CURRENT_USER, key, "Long", REG_SZ, Bytes(1001, 'x'));
    const int before = OpenHandleCount();
    ASSERT_GT(before, 0);
    for (int round = 0; round < 3; ++round) {
        WriteRegistryString(key, "Text", "value", kCurrentUser);
        WriteRegistryBinary(key, "Bytes", {1}, kCurrentUser);
        WriteRegistryString(key, "", "refused", kCurrentUser);
        ReadRegistryString(key, "Text", kCurrentUser);
        ReadRegistryString(key, "Missing", kCurrentUser);
        ReadRegistryString(key, "Long", kCurrentUser);
        ReadRegistryString(Path("Missing"), "Text", kCurrentUser);
        DeleteRegistryValue(key, "Bytes", kCurrentUser);
        DeleteRegistryValue(key, "Bytes", kCurrentUser);
        DeleteRegistryValue(Path("Missing"), "Text", kCurrentUser);
        CopyRegistryTree(key, "Tree", key, "Copy", kCurrentUser, 1);
        CopyRegistryTree(key, "Tree", key, "Copy", kCurrentUser, 5);
    }
    EXPECT_EQ(OpenHandleCount(), before);
}

// --- Tree copy ---------------------------------------------------------------

class CopyRegistryTreeTest : public RegistryTest {
protected:
    static String Source() { return Path("Company\\Brimel Chat"); }
    static String Destination() { return Path("Company\\Brimel"); }
    static void Set(const String& below, const String& name, DWORD type, const Bytes& data) {
        SetRaw(HKEY_CURRENT_USER, below.empty() ? Source() : Source() + "\\" + below, name, type, data);
    }
    static void Copy(int level = 1) {
        CopyRegistryTree(Path("Company"), "Brimel Chat", Path("Company"), "Brimel", kCurrentUser, level);
    }
};

TEST_F(CopyRegistryTreeTest, OnlyStringAndBinaryValuesArriveByteExact) {
    const struct { String name; DWORD type; Bytes data; bool copied; RawValue arrives; } table[] = {
        {"Text", REG_SZ, BytesOf(Z("hello")), true, Sz(Z("hello"))},
        {"Empty", REG_SZ, Bytes{0}, true, Sz(String(1, '\0'))},
        // Strings arrive with exactly one terminating zero.
        {"NoZero", REG_SZ, BytesOf("abc"), true, Sz(Z("abc"))},
        {"TwoZeros", REG_SZ, BytesOf(String("xy\0\0", 4)), true, Sz(Z("xy"))},
        {"Cut", REG_SZ, BytesOf(String("one\0two", 8)), true, Sz(Z("one"))},
        {"Bytes", REG_BINARY, Bytes{0, 1, 2, 0, 255}, true, Bin({0, 1, 2, 0, 255})},
        {"NoBytes", REG_BINARY, Bytes{}, true, Bin({})},
        {"Edge5000", REG_BINARY, Bytes(5000, 0xA5), true, Bin(Bytes(5000, 0xA5))},
        {"Number", REG_DWORD, Bytes{1, 2, 3, 4}, false, {}},
        {"Expand", REG_EXPAND_SZ, BytesOf(Z("%TEMP%")), false, {}},
        {"Multi", REG_MULTI_SZ, BytesOf(String("a\0b\0\0", 5)), false, {}},
        {"Big", REG_DWORD_BIG_ENDIAN, Bytes{1, 2, 3, 4}, false, {}},
        {"None", REG_NONE, Bytes{7}, false, {}},
        {"Last", REG_SZ, BytesOf(Z("end")), true, Sz(Z("end"))},
    };
    Set("", "", REG_SZ, BytesOf(Z("default")));  // never copied
    std::map<String, RawValue> expected;
    for (const auto& row : table) {
        Set("", row.name, row.type, row.data);
        if (row.copied) expected[row.name] = row.arrives;
    }
    const TreeDump before = Dump(HKEY_CURRENT_USER, Source());
    Copy();
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, Destination()), (TreeDump{{"", expected}}));
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, Source()), before);
}

// A string value that fills the whole data buffer has no room for the zero
// the platform adds to shorter ones: its text still ends with its bytes.
TEST_F(CopyRegistryTreeTest, StringFillingTheWholeBufferEndsWithinIt) {
    // Stored from a longer buffer, so that no zero after the counted bytes
    // is taken as a terminator forgotten in the count.
    SetRaw(HKEY_CURRENT_USER, Source(), "Full", REG_SZ, Bytes(5001, 'f'), 5000);
    RawValue stored;
    ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, Source(), "Full", &stored));
    ASSERT_EQ(stored, Sz(String(5000, 'f')));
    Copy();
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, Destination()), (TreeDump{{"", {{"Full", Sz(Z(String(5000, 'f')))}}}}));
}

TEST_F(CopyRegistryTreeTest, CopiesSubkeysDownToTheFourthLevel) {
    Set("", "Level", REG_SZ, BytesOf(Z("1")));
    Set("L2", "Level", REG_SZ, BytesOf(Z("2")));
    Set("L2\\L3", "Level", REG_BINARY, Bytes{3});
    Set("L2\\L3\\L4", "Level", REG_SZ, BytesOf(Z("4")));
    Set("L2\\L3\\L4\\L5", "Level", REG_SZ, BytesOf(Z("5")));
    Set("L2\\Sibling", "Level", REG_SZ, BytesOf(Z("3")));
    Set("OnlyNumber", "Number", REG_DWORD, Bytes{1, 0, 0, 0});
    Set("OnlyExpand", "Path", REG_EXPAND_SZ, BytesOf(Z("%TEMP%")));
    Set("Empty\\Child", "Level", REG_SZ, BytesOf(Z("3")));
    const TreeDump before = Dump(HKEY_CURRENT_USER, Source());
    Copy();
    const TreeDump expected = {
        {"", {{"Level", Sz(Z("1"))}}},
        // A key without values of its own arrives only as the path to a child.
        {"Empty", {}},
        {"Empty\\Child", {{"Level", Sz(Z("3"))}}},
        {"L2", {{"Level", Sz(Z("2"))}}},
        {"L2\\L3", {{"Level", Bin({3})}}},
        {"L2\\L3\\L4", {{"Level", Sz(Z("4"))}}},
        {"L2\\Sibling", {{"Level", Sz(Z("3"))}}},
    };
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, Destination()), expected);
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, Source()), before);
}

TEST_F(CopyRegistryTreeTest, LevelGivenDecidesHowDeepTheCopyReaches) {
    Set("", "Level", REG_SZ, BytesOf(Z("1")));
    Set("L2", "Level", REG_SZ, BytesOf(Z("2")));
    Set("L2\\L3", "Level", REG_SZ, BytesOf(Z("3")));
    const struct { int level; std::vector<String> keys; } table[] = {
        {5, {}},
        {4, {""}},
        {3, {"", "L2"}},
        {2, {"", "L2", "L2\\L3"}},
        {0, {"", "L2", "L2\\L3"}},
    };
    for (const auto& row : table) {
        test::RemoveRegistryTree(HKEY_CURRENT_USER, Destination());
        Copy(row.level);
        std::vector<String> keys;
        for (const auto& entry : Dump(HKEY_CURRENT_USER, Destination())) keys.push_back(entry.first);
        EXPECT_EQ(keys, row.keys) << "level " << row.level;
    }
}

TEST_F(CopyRegistryTreeTest, ValueTooLargeEndsTheValuesButNotTheSubkeys) {
    Set("Big", "1 Before", REG_SZ, BytesOf(Z("1")));
    Set("Big", "2 Huge", REG_BINARY, Bytes(5001, 0x11));
    Set("Big", "3 After", REG_SZ, BytesOf(Z("2")));
    Set("Big\\Sub", "1 Inner", REG_SZ, BytesOf(Z("x")));
    Set("Big\\Sub", "2 HugeText", REG_SZ, Bytes(6000, 't') + Bytes{0});
    Set("Big\\Sub", "3 Later", REG_BINARY, Bytes{4});
    Set("Big\\Sub\\Deeper", "Inner", REG_BINARY, Bytes{5});
    // The names fix the order of enumeration: by name under Wine, in the
    // order written on Windows; both put the large value in the middle.
    ASSERT_EQ(ValueNames(HKEY_CURRENT_USER, Source() + "\\Big"),
              (std::vector<String>{"1 Before", "2 Huge", "3 After"}));
    ASSERT_EQ(ValueNames(HKEY_CURRENT_USER, Source() + "\\Big\\Sub"),
              (std::vector<String>{"1 Inner", "2 HugeText", "3 Later"}));
    const TreeDump before = Dump(HKEY_CURRENT_USER, Source());
    Copy();
    const TreeDump expected = {
        {"", {}},
        {"Big", {{"1 Before", Sz(Z("1"))}}},
        {"Big\\Sub", {{"1 Inner", Sz(Z("x"))}}},
        {"Big\\Sub\\Deeper", {{"Inner", Bin({5})}}},
    };
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, Destination()), expected);
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, Source()), before);
}

TEST_F(CopyRegistryTreeTest, NameOfAHundredCharactersEndsItsList) {
    const String name99 = "V" + String(98, 'n');
    const String name100 = "W" + String(99, 'n');
    Set("Names", name99, REG_SZ, BytesOf(Z("fits")));
    Set("Names", name100, REG_SZ, BytesOf(Z("too long")));
    Set("Names", "X After", REG_SZ, BytesOf(Z("after")));
    // Value and subkey names put the long name between the others.
    const String key99 = "A" + String(98, 'k');
    const String key100 = "B" + String(99, 'k');
    Set("Names\\" + key99, "In", REG_SZ, BytesOf(Z("fits")));
    Set("Names\\" + key100, "In", REG_SZ, BytesOf(Z("too long")));
    Set("Names\\C", "In", REG_SZ, BytesOf(Z("after")));
    ASSERT_EQ(ValueNames(HKEY_CURRENT_USER, Source() + "\\Names"),
              (std::vector<String>{name99, name100, "X After"}));
    ASSERT_EQ(SubkeyNames(HKEY_CURRENT_USER, Source() + "\\Names"),
              (std::vector<String>{key99, key100, "C"}));
    const TreeDump before = Dump(HKEY_CURRENT_USER, Source());
    Copy();
    const TreeDump expected = {
        {"", {}},
        {"Names", {{name99, Sz(Z("fits"))}}},
        {"Names\\" + key99, {{"In", Sz(Z("fits"))}}},
    };
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, Destination()), expected);
    EXPECT_EQ(Dump(HKEY_CURRENT_USER, Source()), before);
}

TEST_F(CopyRegistryTreeTest, MissingSourceCreatesNothing) {
    Copy();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Destination()));
    Set("OnlyNumber", "Number", REG_DWORD, Bytes{1, 0, 0, 0});
    Copy();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Destination()));
}

}  // namespace
}  // namespace brimel
