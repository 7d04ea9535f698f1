// The texts Velmora makes beyond the Save entry's lines: the file failures, a value of backslashes
// alone, UTF-16 counted and decoded, and the undo file's lines.
#include "regchange/entry_composition.h"
#include "regchange/reg_file.h"
#include "regchange/undo_file.h"
#include "common/text_form.h"

#include "test_helpers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::testing_support;
using namespace std::string_literals;
using testing::AllOf;
using testing::HasSubstr;

namespace
{

// The end-to-end save shows the held-file text whole; here, that each failure says what was kept.
TEST(FileFailures, SayWhichFilesAreKept)
{
    EXPECT_THAT(HeldFileFailure().what(),
                AllOf(HasSubstr("another program still has Velmora.reg or Velmora-undo.reg open"),
                      HasSubstr("neither file was replaced")));
    EXPECT_THAT(NoFreeTemporaryName(100).what(), AllOf(HasSubstr("all 100 names"), HasSubstr("old files are kept")));
}

// What the registry reads from an escaped value is the Save entry's tests' to judge; backslashes
// alone are the one value those see only by chance.
TEST(AddBackSlashToStr, WritesBackslashesAloneAsTwoNotAsAUncPath)
{
    std::string value = R"(\\\)";
    EXPECT_EQ(AddBackSlashToStr(value), R"(\\)");
}

std::string Utf16(const std::u16string& text)
{
    std::string bytes;
    for (const char16_t unit : text)
    {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

TEST(Utf16Length, CountsTwoUnitsBeyondU10000)
{
    for (const auto& [text, units] : {std::pair{"", 0}, {"a\xC3\xA9", 2}, {"\xE6\x97\xA5", 1}, {"\xF0\x9F\x98\x80", 2}})
        EXPECT_EQ(Utf16Length(text), static_cast<std::size_t>(units)) << text;
}

// UTF-8 has no form for a surrogate without its partner, nor for an odd byte. Each refused text is
// read from the front of its row, so that a read past its end would be seen.
TEST(Utf8FromUtf16, DecodesWholeUtf16Only)
{
    EXPECT_EQ(Utf8FromUtf16(Utf16(u"\u07FF\u0800\u65E5\U00010000\U0010FFFF"s)),
              "\xDF\xBF\xE0\xA0\x80\xE6\x97\xA5\xF0\x90\x80\x80\xF4\x8F\xBF\xBF");
    for (const auto& [units, bytes] :
         {std::pair{u"\xDC00"s, 2}, {u"\xD800\x61"s, 4}, {u"a\xD800\xE000"s, 6}, {u"\xD800\xDC00"s, 2}, {u"a"s, 1}})
        EXPECT_EQ(Utf8FromUtf16(std::string_view(Utf16(units)).substr(0, static_cast<std::size_t>(bytes))),
                  std::nullopt);
}

// The ordinary types (quoted text, dword, qword, binary) are proved by a round trip through the
// real registry editor; here, the byte-level edges.
struct UndoCase
{
    const char* name;
    std::optional<RegistryValue> old;
    const char* line;
    const char* added = nullptr; // what a value that is not well-formed text needed
};

class UndoValueLineTable : public testing::TestWithParam<UndoCase>
{
};

TEST_P(UndoValueLineTable, PutsBackTheOldTypeAndBytesOrTextMadeWellFormed)
{
    std::vector<std::string> expected = {"Windows Registry Editor Version 5.00", "", "[K]"};
    if (GetParam().added)
        expected.push_back(std::string("; The old value was not well-formed text; ") + GetParam().added +
                           " made it one the registry editor can hold.");
    expected.push_back(std::string(R"("File \"1\"\\x"=)") + GetParam().line);
    EXPECT_EQ(UndoFileLines("[K]", R"(File "1"\x)", GetParam().old), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UndoValueLineTable,
    testing::Values(
        UndoCase{"NoValueIsDeleted", std::nullopt, "-"},
        UndoCase{"TextOutsideTheCodePageStaysText", RegistryValue{1, Utf16(u"\U0010FFFF\0"s)}, "\"\xF4\x8F\xBF\xBF\""},
        UndoCase{"EmptyText", RegistryValue{1, Utf16(u"\0"s)}, R"("")"},
        UndoCase{"TextWithALineBreakAsHex", RegistryValue{1, Utf16(u"a\r\n\0"s)}, "hex(1):61,00,0d,00,0a,00,00,00"},
        UndoCase{"TextWithoutItsZeroGetsOne", RegistryValue{1, Utf16(u"ab"s)}, R"("ab")", "a final zero character"},
        UndoCase{"OneByteIsMadeACharacter", RegistryValue{1, "a"}, R"("a")",
                 "a zero byte to make whole characters and a final zero character"},
        UndoCase{"OddCountExpandableText", RegistryValue{2, Utf16(u"%U%"s) + "\x01"},
                 "hex(2):25,00,55,00,25,00,01,00,00,00",
                 "a zero byte to make whole characters and a final zero character"},
        UndoCase{"MultiStringWithoutItsDoubleTerminator", RegistryValue{7, Utf16(u"a\0b\0"s)},
                 "hex(7):61,00,00,00,62,00,00,00,00,00", "a final zero character"},
        UndoCase{"EmptyMultiString", RegistryValue{7, ""}, "hex(7):00,00,00,00", "two final zero characters"},
        UndoCase{"TextWithALoneSurrogateAsHex", RegistryValue{1, Utf16(u"\xDC00\0"s)}, "hex(1):00,dc,00,00"},
        UndoCase{"TextWithAZeroBeforeItsOwnAsHex", RegistryValue{1, Utf16(u"a\0\0"s)}, "hex(1):61,00,00,00,00,00"},
        UndoCase{"ZeroLengthText", RegistryValue{1, ""}, R"("")", "a final zero character"},
        UndoCase{"ExpandableText", RegistryValue{2, Utf16(u"%U%\0"s)}, "hex(2):25,00,55,00,25,00,00,00"},
        UndoCase{"Dword", RegistryValue{4, std::string("\x78\x56\x34\x12", 4)}, "dword:12345678"},
        UndoCase{"DwordOfAnotherSizeAsHex", RegistryValue{4, std::string("\x01\x02", 2)}, "hex(4):01,02"},
        UndoCase{"TypeBeyondNine", RegistryValue{0x1234, "\x01"}, "hex(1234):01"}),
    RowName());

} // namespace
