#include "regchange/entry_composition.h"

#include "row_name.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace velmora;

namespace
{

constexpr const char* kStartLocation = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets)";

struct PathCase
{
    const char* name;
    const char* location;
    const char* application;
    const char* section;
    const char* appPath;
    const char* keyPath;
};

class ComposePaths : public testing::TestWithParam<PathCase>
{
};

TEST_P(ComposePaths, LeavesOutBlankPiecesAndTrimsTheRest)
{
    const PathCase& c = GetParam();
    const std::string appPath = ComposeAppPath(c.location, c.application);
    EXPECT_EQ(appPath, c.appPath);
    EXPECT_EQ(ComposeKeyPath(appPath, c.section), c.keyPath);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ComposePaths,
    testing::Values(
        PathCase{"StartUp", kStartLocation, "Paint", "Recent File List",
                 R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint)",
                 R"([HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List])"},
        PathCase{"LocationBlank", "   ", "Paint", "Recent File List", "Paint", R"([Paint\Recent File List])"},
        PathCase{"LocationAndApplicationBlank", "", " ", "Recent File List", "", "[Recent File List]"},
        PathCase{"OnlyLocation", kStartLocation, "", "  ", kStartLocation,
                 R"([HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets])"},
        PathCase{"AllBlank", " ", "", "   ", "", ""},
        PathCase{"SpacesAroundPieces", R"(  HKEY_CURRENT_USER\Software)", " Paint ", " Recent File List  ",
                 R"(HKEY_CURRENT_USER\Software\Paint)", R"([HKEY_CURRENT_USER\Software\Paint\Recent File List])"},
        PathCase{"TrailingBackslashMeetsJoin", R"(HKEY_CURRENT_USER\Software\)", "Paint", "",
                 R"(HKEY_CURRENT_USER\Software\\Paint)", R"([HKEY_CURRENT_USER\Software\\Paint])"},
        PathCase{"TabIsNotTrimmed", "HKEY_CURRENT_USER", "Paint\t", "\tList", "HKEY_CURRENT_USER\\Paint\t",
                 "[HKEY_CURRENT_USER\\Paint\t\\\tList]"}),
    RowName());

struct ValueLineCase
{
    const char* name;
    const char* keyPath;
    const char* key;
    const char* value;
    const char* line;
};

class ComposeValueLineTable : public testing::TestWithParam<ValueLineCase>
{
};

TEST_P(ComposeValueLineTable, QuotesKeyAndEscapedValue)
{
    const ValueLineCase& c = GetParam();
    EXPECT_EQ(ComposeValueLine(c.keyPath, c.key, c.value), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ComposeValueLineTable,
    testing::Values(ValueLineCase{"StartUp", "[Paint]", "File1", R"(C:\Pictures\cat.bmp)",
                                  R"("File1"="C:\\Pictures\\cat.bmp")"},
                    ValueLineCase{"KeyKeepsItsSpaces", "[Paint]", " File1 ", R"(C:\Pictures\cat.bmp)",
                                  R"(" File1 "="C:\\Pictures\\cat.bmp")"},
                    ValueLineCase{"EmptyKeyPath", "", "File1", "x", ""},
                    ValueLineCase{"BlankKey", "[Paint]", "   ", "x", ""},
                    ValueLineCase{"BlankValue", "[Paint]", "File1", "  ", ""},
                    ValueLineCase{"QuoteInValue", "[Paint]", "File1", R"(say "hi")", R"("File1"="say \"hi\"")"},
                    ValueLineCase{"BackslashAndQuoteInKey", "[Paint]", R"(a\b"c)", "x", R"("a\\b\"c"="x")"},
                    ValueLineCase{"QuoteAfterBackslash", "[Paint]", "File1", R"(C:\"x)", R"("File1"="C:\\\"x")"},
                    ValueLineCase{"UncPath", "[Paint]", "File1", R"(\\server\share\cat.bmp)",
                                  R"("File1"="\\\\server\\share\\cat.bmp")"}),
    RowName());

struct EscapeCase
{
    const char* name;
    std::string value;
    std::string escaped;
};

class AddBackSlashToStrTable : public testing::TestWithParam<EscapeCase>
{
};

TEST_P(AddBackSlashToStrTable, WritesEveryBackslashRunAsTwo)
{
    std::string value = GetParam().value;
    const std::string& result = AddBackSlashToStr(value);
    EXPECT_EQ(result, GetParam().escaped);
    EXPECT_EQ(&result, &value) << "the result is also left in the argument";
}

INSTANTIATE_TEST_SUITE_P(
    Table, AddBackSlashToStrTable,
    testing::Values(EscapeCase{"Plain", R"(C:\Pictures\cat.bmp)", R"(C:\\Pictures\\cat.bmp)"},
                    EscapeCase{"AlreadyDoubled", R"(C:\\Pictures\\cat.bmp)", R"(C:\\Pictures\\cat.bmp)"},
                    EscapeCase{"MixedRuns", R"(C:\\\Pictures\cat.bmp)", R"(C:\\Pictures\\cat.bmp)"},
                    EscapeCase{"TrailingBackslash", R"(C:\Pictures\)", R"(C:\\Pictures\\)"},
                    EscapeCase{"UncKeepsItsDoubleBackslash", R"(\\server\share\cat.bmp)",
                               R"(\\\\server\\share\\cat.bmp)"},
                    EscapeCase{"UncTripleLeadingRun", R"(\\\server\share)", R"(\\\\server\\share)"},
                    EscapeCase{"ExtendedLengthPath", R"(\\?\C:\cat.bmp)", R"(\\\\?\\C:\\cat.bmp)"},
                    EscapeCase{"UncAfterSpaces", R"(  \\server\x )", R"(\\\\server\\x)"},
                    EscapeCase{"SingleLeadingBackslash", R"(\x)", R"(\\x)"},
                    EscapeCase{"OneBackslash", R"(\)", R"(\\)"},
                    EscapeCase{"FiveBackslashes", R"(\\\\\)", R"(\\)"},
                    EscapeCase{"SpacesAround", "  C:\\Pictures\\cat.bmp ", R"(C:\\Pictures\\cat.bmp)"},
                    EscapeCase{"SpacesOnly", "    ", ""}, EscapeCase{"Empty", "", ""},
                    EscapeCase{"QuotesUntouched", R"(a"b)", R"(a"b)"}),
    RowName());

// The original procedure, kept literally: n + 1 passes that each trim and halve every run of
// backslashes, then one pass that doubles them. Quadratic, so only for short strings.
std::string ReferenceAddBackSlashToStr(std::string s)
{
    const auto trim = [](const std::string& text) { return std::string(TrimSpaces(text)); };
    const auto replace = [](const std::string& text, const std::string& from, const std::string& to) {
        std::string out;
        for (std::size_t i = 0; i < text.size();)
        {
            if (text.compare(i, from.size(), from) == 0)
            {
                out += to;
                i += from.size();
            }
            else
            {
                out += text[i++];
            }
        }
        return out;
    };
    std::size_t characters = 0;
    for (unsigned char c : s)
        characters += (c & 0xC0) != 0x80;
    for (std::size_t pass = 0; pass <= characters; ++pass)
        s = replace(trim(s), "\\\\", "\\");
    return replace(trim(s), "\\", "\\\\");
}

bool IsUncValue(const std::string& value)
{
    const std::string_view trimmed = TrimSpaces(value);
    const std::size_t run = trimmed.find_first_not_of('\\');
    return run != std::string_view::npos && run >= 2;
}

TEST(AddBackSlashToStr, MatchesTheOriginalProcedureOnGeneratedStrings)
{
    const std::vector<std::string> alphabet = {" ", " ", "\t", "\\", "\\", "\\", "\"", "a", "Z", ":", ".",
                                               "\xC3\xA9", "\xC3\x9F", "\xE2\x82\xAC"}; // é ß €
    std::mt19937 random(20261206);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int i = 0; i < 20000; ++i)
    {
        std::string value;
        for (int n = length(random); n > 0; --n)
            value += alphabet[pick(random)];
        std::string expected = ReferenceAddBackSlashToStr(value);
        // The one intended difference: a UNC path keeps its double backslash.
        if (IsUncValue(value))
            expected.insert(0, "\\\\");
        std::string actual = value;
        ASSERT_EQ(AddBackSlashToStr(actual), expected) << "value [" << value << "]";
    }
}

TEST(AddBackSlashToStr, HandlesAValueOfSeveralMegabytes)
{
    std::string value(8 << 20, '\\');
    value.insert(0, "C:");
    EXPECT_EQ(AddBackSlashToStr(value), R"(C:\\)");
}

} // namespace
