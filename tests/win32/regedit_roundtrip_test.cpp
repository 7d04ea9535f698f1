// Registration files from the real writer, merged by the system's own regedit, read back from the
// registry: each value must arrive as the user meant it.
#include "regchange/entry_composition.h"
#include "regchange/reg_file_win32.h"
#include "row_name.h"
#include "test_support.h"
#include "win32/wide.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

constexpr const char* kTestRoot = R"(HKEY_CURRENT_USER\Software\VelmoraRoundTrip)";
constexpr const wchar_t* kTestRootBelowHkcu = LR"(Software\VelmoraRoundTrip)";

struct RoundTrip
{
    const char* name;
    std::string section;
    std::string key;
    std::string value;
    std::wstring storedName;
    std::wstring storedValue;
};

class RegeditRoundTrip : public testing::TestWithParam<RoundTrip>
{
};

TEST_P(RegeditRoundTrip, ValueArrivesAsTheUserMeantIt)
{
    const RoundTrip& row = GetParam();
    ScopedTestKey cleanup(HKEY_CURRENT_USER, kTestRootBelowHkcu);
    TempFolder folder;

    const std::string keyPath = ComposeKeyPath(ComposeAppPath(kTestRoot, row.name), row.section);
    const std::string valueLine = ComposeValueLine(keyPath, row.key, row.value);
    win32::Win32RegFileOutput output;
    output.Create(folder.PathUtf8() + "\\Velmora.reg", FileEncoding::SystemAnsi);
    for (const std::string& line : RegFileLines(keyPath, valueLine))
        output.WriteLine(line);
    output.Close();
    MergeWithRegedit(folder.Child(L"Velmora.reg"));

    const std::wstring key = std::wstring(kTestRootBelowHkcu) + L"\\" + win32::Widen(row.name) + L"\\" +
                             win32::Widen(std::string(TrimSpaces(row.section)));
    std::wstring stored;
    ASSERT_TRUE(ReadRegistryString(HKEY_CURRENT_USER, key, row.storedName, stored)) << "value line: " << valueLine;
    EXPECT_EQ(stored, row.storedValue) << "value line: " << valueLine;
}

const std::string kLongValue = "C:\\" + std::string(64 * 1024, 'v');

INSTANTIATE_TEST_SUITE_P(
    Table, RegeditRoundTrip,
    testing::Values(
        RoundTrip{"StartUpExample", "Recent File List", "File1", R"(C:\Pictures\cat.bmp)", L"File1",
                  LR"(C:\Pictures\cat.bmp)"},
        RoundTrip{"TrailingBackslash", "List", "File1", R"(C:\Pictures\)", L"File1", LR"(C:\Pictures\)"},
        RoundTrip{"UncPath", "List", "File1", R"(\\server\share\cat.bmp)", L"File1", LR"(\\server\share\cat.bmp)"},
        RoundTrip{"ExtendedLengthPath", "List", "File1", R"(\\?\C:\Pictures\cat.bmp)", L"File1",
                  LR"(\\?\C:\Pictures\cat.bmp)"},
        RoundTrip{"AlreadyDoubled", "List", "File1", R"(C:\\Pictures\\cat.bmp)", L"File1", LR"(C:\Pictures\cat.bmp)"},
        RoundTrip{"QuoteInValue", "List", "File1", R"(say "cheese".bmp)", L"File1", LR"(say "cheese".bmp)"},
        RoundTrip{"BackslashInName", "List", R"(File\One)", "x", LR"(File\One)", L"x"},
        RoundTrip{"QuoteInName", "List", R"(File "One")", "x", LR"(File "One")", L"x"},
        RoundTrip{"KeyWithSpacesAround", "List", " File1 ", "x", L" File1 ", L"x"},
        RoundTrip{"Latin1", "Caf\xC3\xA9 \xC3\xBC", "Gr\xC3\xBC\xC3\x9F\x65", "C:\\Bilder\\Stra\xC3\x9F\x65.bmp",
                  L"Gr\u00FC\u00DFe", L"C:\\Bilder\\Stra\u00DFe.bmp"},
        RoundTrip{"Value64KiB", "List", "File1", kLongValue, L"File1", win32::Widen(kLongValue)}),
    RowName());

} // namespace
