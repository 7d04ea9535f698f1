#include "regchange/settings_store_win32.h"

#include "common/runtime_failure.h"
#include "test_helpers.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

constexpr const wchar_t* kRoot = LR"(Software\VelmoraTest\Settings)";

class SettingsStore : public testing::Test
{
protected:
    ScopedTestKey cleanup{HKEY_CURRENT_USER, LR"(Software\VelmoraTest)"};
    win32::Win32SettingsStore store{kRoot};

    std::wstring Read(const std::wstring& below, const std::wstring& name)
    {
        std::wstring value;
        EXPECT_TRUE(ReadRegistryString(HKEY_CURRENT_USER, std::wstring(kRoot) + L"\\" + below, name, value))
            << "no value " << testing::PrintToString(name);
        return value;
    }
};

// The application's backslashes make subkeys; the section, key and setting keep their spaces.
TEST_F(SettingsStore, KeepsTheTextsAsTypedAndReplacesTheSetting)
{
    store.SaveSetting(R"(HKEY_CURRENT_USER\Paint)", "   ", " File1 ", "x");
    store.SaveSetting(R"(HKEY_CURRENT_USER\Paint)", "   ", " File1 ", "  Gr\xC3\xBC\xC3\x9F\x65\\\\x  ");
    EXPECT_EQ(Read(LR"(HKEY_CURRENT_USER\Paint\   )", L" File1 "), L"  Gr\u00FC\u00DFe\\\\x  ");
}

TEST_F(SettingsStore, RefusesANameThatWouldAddressAnotherKeyWith5)
{
    EXPECT_EQ(FailureNumberOf([&] { store.SaveSetting(R"(HKEY_CURRENT_USER\Software\\Paint)", "List", "File1", "x"); }),
              kErrInvalidArgument);
}

} // namespace
