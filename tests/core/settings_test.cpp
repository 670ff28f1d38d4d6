// The settings store against the real registry of the test prefix, under a key of its own.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "settings/registry.h"
#include "settings/value.h"
#include "support/registry_support.h"

namespace {

using settings::Value;
using test_support::SetRaw;

constexpr const char* kTestKey = "Velmontix\\QVRTest";

class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override {
        test_support::DeleteKeyTree(kTestKey);
        ASSERT_EQ(registry::RegistryCreateKey(HKEY_CURRENT_USER, kTestKey), ERROR_SUCCESS);
    }
    void TearDown() override { test_support::DeleteKeyTree(kTestKey); }

    LONG Write(const char* name, const Value& v, DWORD type = REG_SZ) {
        return registry::RegistryWriteValue(HKEY_CURRENT_USER, kTestKey, name, v, type);
    }
    Value Read(const char* name) { return registry::RegistryReadValue(HKEY_CURRENT_USER, kTestKey, name); }

    // The stored bytes as the system reports them (ANSI form), with the type.
    std::string RawBytes(const char* name, DWORD* type = nullptr) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return "<no key>";
        DWORD t = 0, size = 0;
        RegQueryValueExA(key, name, nullptr, &t, nullptr, &size);
        std::vector<BYTE> data(size + 16, 0xCC);
        DWORD got = size;
        const LONG status = RegQueryValueExA(key, name, nullptr, &t, data.data(), &got);
        RegCloseKey(key);
        if (type) *type = t;
        if (status != ERROR_SUCCESS) return "<missing>";
        return std::string(reinterpret_cast<const char*>(data.data()), got);
    }
};

TEST_F(SettingsStore, TextIsStoredWithOneTerminatorAndReadsBackWithIt) {
    ASSERT_EQ(Write("Type", Value::Text("Ellipse")), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(RawBytes("Type", &type), std::string("Ellipse\0", 8));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    const Value read = Read("Type");
    EXPECT_EQ(read.kind(), Value::Kind::kText);
    EXPECT_EQ(read.RawText(), std::string("Ellipse\0", 8));
    EXPECT_EQ(settings::StripTerminator(read.RawText()), "Ellipse");

    // An empty text has no data at all and reads back without a NUL; so does an empty value.
    ASSERT_EQ(Write("Text", Value::Text("")), ERROR_SUCCESS);
    EXPECT_EQ(RawBytes("Text", &type), "");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Read("Text").RawText(), "");
    ASSERT_EQ(Write("Empty", Value()), ERROR_SUCCESS);
    EXPECT_EQ(RawBytes("Empty"), "");
    EXPECT_EQ(Read("Empty").RawText(), "");

    // A rewrite with a shorter text leaves nothing of the longer one.
    ASSERT_EQ(Write("Type", Value::Text("Text")), ERROR_SUCCESS);
    EXPECT_EQ(Read("Type").RawText(), std::string("Text\0", 5));
}

// Texts go through the wide functions. What a program stored through the code page's "A" functions
// (1252 here) reads back unchanged, and what is stored now reads back unchanged through them wherever
// the code page can hold it; a text it cannot hold is stored exactly.
TEST_F(SettingsStore, TextsAreCompatibleBothWaysWithTheCodePageForm) {
    ASSERT_TRUE(SetRaw("Text", REG_SZ, "Caf\xE9", 5, kTestKey));  // "Café" in code page 1252
    EXPECT_EQ(Read("Text").RawText(), std::string("Caf\xC3\xA9\0", 6));

    ASSERT_EQ(Write("Text2", Value::Text("Caf\xC3\xA9")), ERROR_SUCCESS);
    EXPECT_EQ(RawBytes("Text2"), std::string("Caf\xE9\0", 5));

    ASSERT_EQ(Write("NFont", Value::Text("\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA")), ERROR_SUCCESS);  // Пуск
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Velmontix\\QVRTest", 0, KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    wchar_t stored[16] = {};
    DWORD size = sizeof stored;
    EXPECT_EQ(RegQueryValueExW(key, L"NFont", nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_STREQ(stored, L"\x041F\x0443\x0441\x043A");
    EXPECT_EQ(size, 10u) << "four characters and one terminator";
}

TEST_F(SettingsStore, ValuesAreStoredInTheirTextForms) {
    struct Case {
        Value value;
        const char* stored;
    } cases[] = {
        {Value::Bool(true), "True"},
        {Value::Bool(false), "False"},
        {Value::Int16(128), "128"},
        {Value::Int16(0), "0"},
        {Value::Int16(-32768), "-32768"},
        {Value::Int32(100000), "100000"},
        {Value::Single(12.0f), "12"},
        {Value::Single(8.25f), "8.25"},
        {Value::Single(0.1f), "0.1"},
        {Value::Single(3.14159265f), "3.141593"},
        {Value::Single(1234567.0f), "1234567"},
        {Value::Single(-7.5f), "-7.5"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Write("V", c.value), ERROR_SUCCESS) << c.stored;
        EXPECT_EQ(RawBytes("V"), std::string(c.stored) + '\0') << c.stored;
    }
    // Read back and converted as the readers do.
    Write("HS1", Value::Int16(128));
    EXPECT_EQ(Read("HS1").ToInt16(), std::optional<int16_t>(128));
    Write("SFont", Value::Single(8.25f));
    EXPECT_EQ(Read("SFont").ToSingle(), std::optional<float>(8.25f));
    Write("BFont", Value::Bool(true));
    EXPECT_EQ(Read("BFont").ToBool(), std::optional<bool>(true));
    Write("BFont", Value::Bool(false));
    EXPECT_EQ(Read("BFont").ToBool(), std::optional<bool>(false));
}

TEST_F(SettingsStore, DwordReadsAsInt32AndOtherTypesReadEmpty) {
    ASSERT_EQ(Write("D", Value::Int32(-2), REG_DWORD), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(RawBytes("D", &type), std::string("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    Value read = Read("D");
    EXPECT_EQ(read.kind(), Value::Kind::kInt32);
    EXPECT_EQ(read.ToInt16(), std::optional<int16_t>(-2));

    // Written as a DWORD: rounded to the nearest integer; no number, or beyond 32 bits, stores nothing.
    Write("R", Value::Text(std::string("2.5\0", 4)), REG_DWORD);
    EXPECT_EQ(RawBytes("R"), std::string("\x02\0\0\0", 4));
    Write("R", Value::Int32(INT32_MIN), REG_DWORD);
    EXPECT_EQ(RawBytes("R"), std::string("\0\0\0\x80", 4));
    for (const char* bad : {"3e9", "-2147483649", "1e300", "abc"}) {
        EXPECT_NE(Write(bad, Value::Text(bad), REG_DWORD), ERROR_SUCCESS) << bad;
        EXPECT_EQ(RawBytes(bad), "<missing>") << bad;
    }

    const DWORD one = 1;
    ASSERT_TRUE(SetRaw("Check", REG_DWORD, &one, 4, kTestKey));
    EXPECT_TRUE(Read("Check").EqualsNumber(1));

    // A DWORD of the wrong size (another tool) must not overflow the integer it is read into.
    const unsigned char eight[8] = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x7F};
    ASSERT_TRUE(SetRaw("Big", REG_DWORD, eight, 8, kTestKey));
    EXPECT_TRUE(Read("Big").IsEmpty());
    const unsigned char two[2] = {0x34, 0x12};
    ASSERT_TRUE(SetRaw("Small", REG_DWORD, two, 2, kTestKey));
    read = Read("Small");
    EXPECT_TRUE(read.IsEmpty() || (read.kind() == Value::Kind::kInt32 && read.ToNumber() == 0x1234));

    ASSERT_TRUE(SetRaw("Bin", REG_BINARY, "Ellipse", 7, kTestKey));
    ASSERT_TRUE(SetRaw("Exp", REG_EXPAND_SZ, "%TEMP%", 7, kTestKey));
    ASSERT_TRUE(SetRaw("Multi", REG_MULTI_SZ, "a\0b\0", 5, kTestKey));
    for (const char* name : {"Bin", "Exp", "Multi", "Missing"}) {
        EXPECT_TRUE(Read(name).IsEmpty()) << name;
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
        Value v;
        EXPECT_EQ(registry::ReadValueFromKey(key, name, v), -1) << name;
        EXPECT_TRUE(v.IsEmpty()) << name;
        RegCloseKey(key);
    }
}

TEST_F(SettingsStore, OddlyStoredTextsLoseNoRealCharacter) {
    // Stored by another tool without its terminator: the byte after the counted text is not NUL,
    // so the system does not add one.
    ASSERT_TRUE(SetRaw("Type", REG_SZ, "RectangleX", 9, kTestKey));
    EXPECT_EQ(RawBytes("Type"), "Rectangle");
    const Value unterminated = Read("Type");
    EXPECT_EQ(settings::StripTerminator(unterminated.RawText()), "Rectangle");

    ASSERT_TRUE(SetRaw("Text2", REG_SZ, "ab\0\0\0", 5, kTestKey));
    EXPECT_EQ(settings::StripTerminator(Read("Text2").RawText()), "ab");

    // A large text comes back whole.
    std::string big(1 << 20, 'x');
    for (size_t i = 0; i < big.size(); i += 97) big[i] = static_cast<char>('a' + i % 26);
    ASSERT_EQ(Write("Big", Value::Text(big)), ERROR_SUCCESS);
    const Value read = Read("Big");
    ASSERT_EQ(read.RawText().size(), big.size() + 1);
    EXPECT_EQ(read.RawText().back(), '\0');
    EXPECT_TRUE(settings::StripTerminator(read.RawText()) == big);
}

TEST_F(SettingsStore, MissingKeyStoresNothingAndMissingValueDeletesNothing) {
    const std::string missing = std::string(kTestKey) + "\\Missing";
    EXPECT_NE(registry::RegistryWriteValue(HKEY_CURRENT_USER, missing.c_str(), "Type", Value::Text("Ellipse"),
                                           REG_SZ),
              ERROR_SUCCESS);
    EXPECT_FALSE(test_support::KeyExists(missing.c_str()));
    EXPECT_TRUE(registry::RegistryReadValue(HKEY_CURRENT_USER, missing.c_str(), "Type").IsEmpty());

    EXPECT_EQ(registry::RegistryDeleteValue(HKEY_CURRENT_USER, kTestKey, "Nothing"), ERROR_FILE_NOT_FOUND);
    Write("Type", Value::Text("Ellipse"));
    EXPECT_EQ(registry::RegistryDeleteValue(HKEY_CURRENT_USER, kTestKey, "Type"), ERROR_SUCCESS);
    EXPECT_TRUE(Read("Type").IsEmpty());
    EXPECT_NE(registry::RegistryDeleteValue(HKEY_CURRENT_USER, missing.c_str(), "Type"), ERROR_SUCCESS);

    // Creating an existing key keeps its values.
    Write("Keep", Value::Text("1"));
    EXPECT_EQ(registry::RegistryCreateKey(HKEY_CURRENT_USER, kTestKey), ERROR_SUCCESS);
    EXPECT_EQ(Read("Keep").RawText(), std::string("1\0", 2));
    // Other types than text and DWORD are not written at all.
    EXPECT_EQ(Write("Bin", Value::Text("x"), REG_BINARY), ERROR_SUCCESS);
    EXPECT_EQ(RawBytes("Bin"), "<missing>");
}

TEST(SettingsValue, ConversionsThatReadersMake) {
    const Value empty;
    EXPECT_EQ(empty.ToInt16(), std::optional<int16_t>(0));
    EXPECT_EQ(empty.ToSingle(), std::optional<float>(0.0f));
    EXPECT_EQ(empty.ToBool(), std::optional<bool>(false));
    EXPECT_EQ(empty.ToText(), "");
    EXPECT_TRUE(empty.EqualsNumber(0));
    EXPECT_FALSE(empty.EqualsNumber(1));

    // Read texts carry their NUL; conversions end at it.
    EXPECT_EQ(Value::Text(std::string("128\0", 4)).ToInt16(), std::optional<int16_t>(128));
    EXPECT_EQ(Value::Text(std::string(" -32768 \0", 9)).ToInt16(), std::optional<int16_t>(-32768));
    EXPECT_EQ(Value::Text("32767").ToInt16(), std::optional<int16_t>(32767));
    for (const char* bad : {"32768", "-32769", "40000", "1e10", "abc", "12abc", "1 2", "--1", ".", "0x10"})
        EXPECT_EQ(Value::Text(std::string(bad) + '\0').ToInt16(), std::nullopt) << bad;
    EXPECT_EQ(Value::Int32(70000).ToInt16(), std::nullopt);
    // A half goes to the even neighbour, on either side of 0.
    EXPECT_EQ(Value::Text("2.5").ToInt16(), std::optional<int16_t>(2));
    EXPECT_EQ(Value::Text("3.5").ToInt16(), std::optional<int16_t>(4));
    EXPECT_EQ(Value::Text("-2.5").ToInt16(), std::optional<int16_t>(-2));

    EXPECT_EQ(Value::Text(std::string("True\0", 5)).ToBool(), std::optional<bool>(true));
    EXPECT_EQ(Value::Text(std::string("False\0", 6)).ToBool(), std::optional<bool>(false));
    EXPECT_EQ(Value::Text("0").ToBool(), std::optional<bool>(false));
    EXPECT_EQ(Value::Text("maybe").ToBool(), std::nullopt);

    EXPECT_TRUE(Value::Text(std::string("1\0", 2)).EqualsNumber(1));
    EXPECT_TRUE(Value::Text("1.0").EqualsNumber(1));
    EXPECT_FALSE(Value::Text(std::string("0\0", 2)).EqualsNumber(1));
    EXPECT_FALSE(Value::Text("one").EqualsNumber(1));
    EXPECT_TRUE(Value::Int32(1).EqualsNumber(1));

    EXPECT_EQ(Value::Text(std::string("8.25\0", 5)).ToSingle(), std::optional<float>(8.25f));
    EXPECT_EQ(Value::Text("1e39").ToSingle(), std::nullopt);  // beyond single precision

    EXPECT_EQ(settings::StripTerminator(std::string("Ellipse\0", 8)), "Ellipse");
    EXPECT_EQ(settings::StripTerminator("Ellipse"), "Ellipse");
    EXPECT_EQ(settings::StripTerminator(""), "");
}

}  // namespace
