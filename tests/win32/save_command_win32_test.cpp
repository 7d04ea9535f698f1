// The whole Save command with the real file, settings store and shell; only the message boxes are
// recorded instead of shown, and the application folder is a temporary one.
#include "regchange/reg_file_win32.h"
#include "regchange/save_command.h"
#include "regchange/settings_store_win32.h"
#include "shell/desktop_win32.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

class FieldsView : public SaveView
{
public:
    std::map<Field, std::string> fields = {
        {Field::Location, R"(HKEY_CURRENT_USER\Software\VelmoraSaveTest)"},
        {Field::Application, "Paint"},
        {Field::Section, "Recent File List"},
        {Field::Key, "File1"},
        {Field::Value, R"(C:\Pictures\cat.bmp)"},
    };
    std::string status = "earlier status";

    std::string FieldText(Field field) override { return fields.at(field); }
    void SetStatusText(std::string_view text) override { status = text; }
    WindowRef Owner() override { return {}; }
};

class SaveWithRealPorts : public testing::Test
{
protected:
    ScopedTestKey mergedCleanup{HKEY_CURRENT_USER, LR"(Software\VelmoraSaveTest)"};
    ScopedTestKey settingsCleanup{HKEY_CURRENT_USER, LR"(Software\VelmoraTest)"};
    TempFolder folder;
    RecordingDesktop desktop{folder.PathUtf8()};
    win32::Win32SettingsStore settings{LR"(Software\VelmoraTest\Settings)"};
    win32::Win32RegFileOutput file;
    FieldsView view;

    void Save() { cmdSaveToRegistry_Click(view, {desktop, settings, file}); }
};

TEST_F(SaveWithRealPorts, WritesTheFileHasRegeditMergeItAndReportsWhereItLies)
{
    Save();

    EXPECT_EQ(ReadFileBytes(folder.Child(L"Velmora.reg")),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\VelmoraSaveTest\\Paint\\Recent File List]\r\n"
              "\"File1\"=\"C:\\\\Pictures\\\\cat.bmp\"\r\n");
    std::wstring merged;
    EXPECT_TRUE(WaitForRegistryString(HKEY_CURRENT_USER, LR"(Software\VelmoraSaveTest\Paint\Recent File List)",
                                      L"File1", merged));
    EXPECT_EQ(merged, LR"(C:\Pictures\cat.bmp)");
    std::wstring stored;
    EXPECT_TRUE(ReadRegistryString(HKEY_CURRENT_USER,
                                   LR"(Software\VelmoraTest\Settings\HKEY_CURRENT_USER\Software\VelmoraSaveTest\Paint\Recent File List)",
                                   L"File1", stored));
    EXPECT_EQ(stored, LR"(C:\Pictures\cat.bmp)");
    EXPECT_EQ(view.status, " Reg file created as : " + folder.PathUtf8() + "\\Velmora.reg");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(SaveWithRealPorts, ReadOnlyFileGivesOneMessage52AndKeepsItsContent)
{
    WriteFileBytes(folder.Child(L"Velmora.reg"), "old content");
    ASSERT_TRUE(::SetFileAttributesW(folder.Child(L"Velmora.reg").c_str(), FILE_ATTRIBUTE_READONLY));

    Save();

    EXPECT_EQ(desktop.messages, std::vector<std::string>{"16 [] Error Number: 52 Bad file name or number"});
    EXPECT_EQ(ReadFileBytes(folder.Child(L"Velmora.reg")), "old content");
    EXPECT_EQ(view.status, "earlier status");
}

TEST_F(SaveWithRealPorts, UnrepresentableCharacterLeavesTheOldFileUntouched)
{
    WriteFileBytes(folder.Child(L"Velmora.reg"), "old content");
    view.fields[Field::Value] = "C:\\\xE6\x97\xA5.bmp"; // 日 has no place in code page 1252

    Save();

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].starts_with("16 [] Error Number: 1113 ")) << desktop.messages[0];
    EXPECT_EQ(ReadFileBytes(folder.Child(L"Velmora.reg")), "old content");
    EXPECT_EQ(view.status, "earlier status");
}

} // namespace
