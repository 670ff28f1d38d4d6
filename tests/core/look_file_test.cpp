// A look kept in a file: every rule of reading it, one row each, and the way through the real
// registry and a real file there and back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/names.h"
#include "store/look_file.h"
#include "support/registry_support.h"
#include "support/temp_files.h"
#include "win/text.h"

namespace {

using core::store::ParseLookFile;
using test_support::FileBytes;
using test_support::TempPath;

struct FileRule {
    const char* what;
    std::string bytes;
    const char* refusal;  // a part of the reason; null: taken
};

const std::string kHead = "[Pelmora look]\r\n";

void PrintTo(const FileRule& rule, std::ostream* out) { *out << rule.what; }

class LookFileRule : public ::testing::TestWithParam<FileRule> {};

TEST_P(LookFileRule, IsTakenWholeOrRefusedWithItsReason) {
    const core::store::LookFileRead read = ParseLookFile(GetParam().bytes);
    if (!GetParam().refusal) {
        EXPECT_FALSE(read.refusal) << *read.refusal;
        return;
    }
    ASSERT_TRUE(read.refusal);
    EXPECT_NE(read.refusal->find(GetParam().refusal), std::string::npos) << *read.refusal;
    EXPECT_TRUE(read.values.empty());  // nothing of a refused file is kept
}

INSTANTIATE_TEST_SUITE_P(
    EveryRule, LookFileRule,
    ::testing::Values(FileRule{"header_only", kHead, nullptr},
                      FileRule{"lf_and_bom", "\xEF\xBB\xBF[Pelmora look]\nText=Go\n\nPX1=12\n", nullptr},
                      FileRule{"label_with_spaces_and_equals", kHead + "Text= a=b \r\n", nullptr},
                      FileRule{"longest_label", kHead + "Text=" + std::string(254, 'x') + "\r\n", nullptr},
                      FileRule{"every_value",
                               kHead + "Type=Text\r\nText2=Go\r\nNFont=Tahoma\r\nSFont=13\r\nBFont=True\r\n"
                                       "HS1=255\r\nCheckMT=0\r\nPY2=100\r\n",
                               nullptr},
                      FileRule{"empty_file", "", "empty"}, FileRule{"no_header", "Text=Go\r\n", "first line"},
                      FileRule{"header_in_other_case", "[pelmora look]\r\n", "first line"},
                      FileRule{"not_utf8", kHead + "Text=\xE9t\xE9\r\n", "UTF-8"},
                      FileRule{"nul_byte", kHead + std::string("Text=a\0b\r\n", 10), "UTF-8"},
                      FileRule{"over_64_kib", kHead + std::string(64 * 1024, '\n'), "64 KiB"},
                      FileRule{"startup_is_the_machines", kHead + "Check=1\r\n", "not a value of the look"},
                      FileRule{"unknown_name", kHead + "Colour=red\r\n", "not a value of the look"},
                      FileRule{"name_twice", kHead + "PX1=1\r\nPX1=2\r\n", "twice"},
                      FileRule{"no_equals", kHead + "Text\r\n", "Name=value"},
                      FileRule{"line_longer_than_any_value", kHead + "Text=" + std::string(255, 'x') + "\r\n",
                               "longest"},
                      FileRule{"face_too_long", kHead + "NFont=" + std::string(32, 'f') + "\r\n", "longer"},
                      FileRule{"empty_face", kHead + "NFont=\r\n", "empty"},
                      FileRule{"shape_other_case", kHead + "Type=ellipse\r\n", "Ellipse"},
                      FileRule{"shape_with_space", kHead + "Type=Text \r\n", "Ellipse"},
                      FileRule{"alpha_out_of_range", kHead + "HS1=256\r\n", "outside"},
                      FileRule{"position_not_plain", kHead + "PX1=012\r\n", "whole number"},
                      FileRule{"position_fraction", kHead + "PY1=2.5\r\n", "whole number"},
                      FileRule{"height_past_its_slider", kHead + "PY2=101\r\n", "outside"},
                      FileRule{"size_zero", kHead + "SFont=0\r\n", "font size"},
                      FileRule{"size_not_plain", kHead + "SFont=13.0\r\n", "plainly"},
                      FileRule{"flag_as_number", kHead + "BFont=1\r\n", "True or False"},
                      FileRule{"opaque_as_word", kHead + "CheckMT=True\r\n", "1 or 0"},
                      FileRule{"refusal_names_its_line", kHead + "PX1=1\r\nPX2=x\r\n", "Line 3"}),
    [](const ::testing::TestParamInfo<FileRule>& row) { return std::string(row.param.what); });

// The stored bytes of a value, its type included.
std::string RawStored(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, registry::kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    BYTE data[2048];
    DWORD type = 0, size = sizeof data;
    const LONG status = RegQueryValueExW(key, win::Wide(name).c_str(), nullptr, &type, data, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return {};
    return std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), size);
}

TEST(LookFile, ExportThenImportGivesBackTheSameStoredBytes) {
    test_support::CleanSettings clean;
    // The longest label and outline text, outside the ANSI code page and beyond the first plane.
    std::string label;
    while (win::SystemLength(label) < 252) label += "\xD0\x9F\xF0\x9F\x98\x80";  // П and an emoji
    test_support::Store(names::kLabel, label);
    test_support::Store(names::kOutlineText, std::string(254, 'z'));
    test_support::Store(names::kFontSize, "13.5");
    test_support::Store(names::kX, "17");
    test_support::Store(names::kAutostart, "1");  // the machine's: never in the file
    test_support::Store(names::kAlpha, "999");    // not the store's to take back: left out
    const std::string path = TempPath("pelmora-look-test.pelmora-look");
    ASSERT_TRUE(core::store::ExportLook(path).ok());
    const std::string file = FileBytes(path);
    EXPECT_EQ(file.find("Check="), std::string::npos);
    EXPECT_EQ(file.find("HS1="), std::string::npos);
    const std::string before = RawStored(names::kLabel) + RawStored(names::kOutlineText) +
                               RawStored(names::kFontSize) + RawStored(names::kX);

    test_support::DeleteKeyTree(registry::kSettingsKey);
    test_support::Store(names::kY, "5");  // left out of the file: kept
    ASSERT_TRUE(core::store::ImportLook(path).ok());
    EXPECT_EQ(RawStored(names::kLabel) + RawStored(names::kOutlineText) + RawStored(names::kFontSize) +
                  RawStored(names::kX),
              before);
    EXPECT_EQ(test_support::Stored(names::kY), "5");
    DeleteFileA(path.c_str());
}

TEST(LookFile, ARefusedFileStoresNothingAndAFailedWriteLeavesTheOldFile) {
    test_support::CleanSettings clean;
    test_support::Store(names::kX, "3");
    const std::string path = TempPath("pelmora-look-refused.txt");
    test_support::WriteBytes(path, kHead + "PX1=40\r\nPY1=x\r\n");
    EXPECT_FALSE(core::store::ImportLook(path).ok());
    EXPECT_EQ(test_support::Stored(names::kX), "3");  // the good first line was not stored either
    // The registry refusing a value part-way: those stored before it are put back as they were.
    const auto refuses_y = [](const char* name, const settings::Value& value) -> LONG {
        return std::string(name) == names::kY ? ERROR_ACCESS_DENIED : registry::WriteSetting(name, value);
    };
    const core::store::LookFileResult part = core::store::StoreLookValues(
        ParseLookFile(kHead + "Text=New\r\nPX1=30\r\nPY1=5\r\n").values, refuses_y);
    EXPECT_NE(part.refusal.value_or("").find(names::kY), std::string::npos);
    EXPECT_EQ(test_support::Stored(names::kX), "3");
    EXPECT_EQ(RawStored(names::kLabel), "");
    EXPECT_FALSE(core::store::ImportLook(TempPath("pelmora-no-such-look.txt")).ok());
    EXPECT_FALSE(core::store::ImportLook("").ok());

    // A write that fails (here its partial file cannot be made) leaves the file as it was.
    const std::string old_bytes = FileBytes(path);
    ASSERT_TRUE(CreateDirectoryA((path + ".partial").c_str(), nullptr));
    EXPECT_FALSE(core::store::ExportLook(path).ok());
    EXPECT_EQ(FileBytes(path), old_bytes);
    RemoveDirectoryA((path + ".partial").c_str());
    DeleteFileA(path.c_str());
    EXPECT_FALSE(core::store::ExportLook(TempPath("no-such-folder\\look.txt")).ok());
}

}  // namespace
