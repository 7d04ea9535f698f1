#include "regchange/entry_composition.h"

#include "test_helpers.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

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
    testing::Values(ValueLineCase{"KeyKeepsItsSpaces", "[Paint]", " File1 ", R"(C:\Pictures\cat.bmp)",
                                  R"(" File1 "="C:\\Pictures\\cat.bmp")"},
                    ValueLineCase{"BlankValue", "[Paint]", "File1", "  ", ""},
                    ValueLineCase{"BackslashAndQuoteInKey", "[Paint]", R"(a\b"c)", "x", R"("a\\b\"c"="x")"},
                    ValueLineCase{"QuoteAfterBackslash", "[Paint]", "File1", R"(C:\"x)", R"("File1"="C:\\\"x")"}),
    RowName());

TEST(Composition, NeverPutsALineBreakOrNulIntoALine)
{
    for (const std::string& text : {std::string("a\rb"), std::string("a\nb"), std::string("a\0b", 3)})
    {
        EXPECT_EQ(FailureNumberOf([&] { (void)ComposeAppPath("HKCU", text); }), kErrInvalidPropertyValue);
        EXPECT_EQ(FailureNumberOf([&] { (void)ComposeKeyPath(text, "List"); }), kErrInvalidPropertyValue);
        EXPECT_EQ(FailureNumberOf([&] { (void)ComposeValueLine("[HKCU]", "File1", text); }), kErrInvalidPropertyValue);
        EXPECT_EQ(FailureNumberOf([&] { (void)ComposeValueLine("[HKCU]", text, "x"); }), kErrInvalidPropertyValue);
    }
}

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
    const std::vector<std::string> alphabet = {" ", " ", "\t", "\\", "\\",       "\\",       "\"",
                                               "a", "Z", ":",  ".",  "\xC3\xA9", "\xC3\x9F", "\xE2\x82\xAC"}; // é ß €
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
        const std::string& result = AddBackSlashToStr(actual);
        ASSERT_EQ(result, expected) << "value [" << value << "]";
        ASSERT_EQ(&result, &actual) << "the result is also left in the argument";
    }
}

TEST(AddBackSlashToStr, HandlesAValueOfSeveralMegabytes)
{
    std::string value(8 << 20, '\\');
    value.insert(0, "C:");
    EXPECT_EQ(AddBackSlashToStr(value), R"(C:\\)");
}

} // namespace
