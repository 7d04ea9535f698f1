#include "regchange/entry_composition.h"

#include "test_helpers.h"

#include <gtest/gtest.h>

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

TEST(AddBackSlashToStr, LeavesItsResultInTheArgument)
{
    std::string value = R"(  \\\x\ )";
    EXPECT_EQ(&AddBackSlashToStr(value), &value);
    EXPECT_EQ(value, R"(\\\\x\\)");
}

TEST(AddBackSlashToStr, HandlesAValueOfSeveralMegabytes)
{
    std::string value(8 << 20, '\\');
    value.insert(0, "C:");
    EXPECT_EQ(AddBackSlashToStr(value), R"(C:\\)");
}

} // namespace
