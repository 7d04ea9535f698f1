#include "regchange/entry_composition.h"

#include "test_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

TEST(Composition, NeverPutsALineBreakOrNulIntoALine)
{
    for (const std::string& text : {std::string("a\rb"), std::string("a\nb"), std::string("a\0b", 3)})
    {
        EXPECT_EQ(FailureNumberOf([&] { (void)ComposeAppPath("HKCU", text); }), kErrInvalidPropertyValue);
        EXPECT_EQ(FailureNumberOf([&] { (void)ComposeKeyPath(text, "List"); }), kErrInvalidPropertyValue);
        EXPECT_EQ(FailureNumberOf([&] {
                      (void)ComposeKeyLine({RegistryRoot::Users, "HKEY_USERS", text});
                  }),
                  kErrInvalidPropertyValue);
        EXPECT_EQ(FailureNumberOf([&] { (void)ComposeValueLine("File1", text); }), kErrInvalidPropertyValue);
        EXPECT_EQ(FailureNumberOf([&] { (void)ComposeValueLine(text, "x"); }), kErrInvalidPropertyValue);
    }
}

TEST(AddBackSlashToStr, LeavesItsResultInTheArgument)
{
    std::string value = R"(  \\\x\ )";
    EXPECT_EQ(&AddBackSlashToStr(value), &value);
    EXPECT_EQ(value, R"(\\\\x\\)");
}

} // namespace
