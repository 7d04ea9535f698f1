#include "regchange/reg_file_win32.h"

#include "regchange/entry_composition.h"
#include "shell/runtime_failure.h"
#include "test_support.h"

#include <functional>

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;
using velmora::win32::Win32RegFileOutput;

namespace
{

constexpr const char* kStartKeyPath =
    R"([HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List])";

std::int32_t FailureOf(const std::function<void()>& unit)
{
    try
    {
        unit();
    }
    catch (const RuntimeFailure& failure)
    {
        return failure.Number();
    }
    return 0;
}

class RegFileWriter : public testing::Test
{
protected:
    TempFolder folder;
    std::wstring path = folder.Child(L"Velmora.reg");
    std::string pathUtf8 = folder.PathUtf8() + "\\Velmora.reg";
    Win32RegFileOutput output;
};

TEST_F(RegFileWriter, WritesTheStartUpExampleByteForByte)
{
    WriteRegFile(output, pathUtf8, kStartKeyPath, ComposeValueLine(kStartKeyPath, "File1", R"(C:\Pictures\cat.bmp)"));

    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.size(), 139u);
    EXPECT_EQ(bytes, std::string("REGEDIT4\r\n\r\n") + kStartKeyPath + "\r\n" + R"("File1"="C:\\Pictures\\cat.bmp")" +
                         "\r\n");
    EXPECT_EQ(bytes.substr(0, 12), "\x52\x45\x47\x45\x44\x49\x54\x34\x0D\x0A\x0D\x0A");
}

TEST_F(RegFileWriter, EndsWithAnEmptyLineWhenThereIsNoValueLine)
{
    WriteRegFile(output, pathUtf8, "[Paint]", "");
    EXPECT_EQ(ReadFileBytes(path), "REGEDIT4\r\n\r\n[Paint]\r\n\r\n");
}

TEST_F(RegFileWriter, ReplacesALongerEarlierFileCompletely)
{
    WriteRegFile(output, pathUtf8, "[" + std::string(5000, 'x') + "]", R"("a"="b")");
    WriteRegFile(output, pathUtf8, "[Paint]", "");
    EXPECT_EQ(ReadFileBytes(path), "REGEDIT4\r\n\r\n[Paint]\r\n\r\n");
}

TEST_F(RegFileWriter, EncodesToTheSystemAnsiCodePage)
{
    ASSERT_EQ(::GetACP(), 1252u) << "the test prefix is expected to use Western European Windows";
    WriteRegFile(output, pathUtf8, "[Caf\xC3\xA9]", "\"\xC3\xBC\"=\"\xC3\x9F\""); // [Café] "ü"="ß"
    EXPECT_EQ(ReadFileBytes(path), "REGEDIT4\r\n\r\n[Caf\xE9]\r\n\"\xFC\"=\"\xDF\"\r\n");
}

TEST_F(RegFileWriter, KnowsWhichCharactersTheCodePageHolds)
{
    EXPECT_TRUE(output.CanEncode("Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC")); // Grüße €: all in 1252
    EXPECT_FALSE(output.CanEncode("\xCE\xA9"));                            // Ω
    EXPECT_FALSE(output.CanEncode("\xE6\x97\xA5"));                        // 日
    EXPECT_FALSE(output.CanEncode("\xC4\x81")) << "ā must not be written as a best-fit a";
}

TEST_F(RegFileWriter, ReadOnlyFileRefusesCreateWith75ThenWriteFailsWith52AndOldContentStays)
{
    WriteFileBytes(path, "old content");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_EQ(FailureOf([&] { output.Create(pathUtf8, FileEncoding::SystemAnsi); }), kErrPathFileAccess);
    EXPECT_EQ(FailureOf([&] { output.WriteLine("REGEDIT4"); }), kErrBadFileNameOrNumber);
    EXPECT_EQ(FailureOf([&] { output.Close(); }), 0);
    EXPECT_EQ(ReadFileBytes(path), "old content");
}

TEST_F(RegFileWriter, FileLockedByAnotherProgramFailsWith70)
{
    win32::UniqueFile locker(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(locker);
    EXPECT_EQ(FailureOf([&] { output.Create(pathUtf8, FileEncoding::SystemAnsi); }), kErrPermissionDenied);
}

TEST_F(RegFileWriter, MissingFolderFailsWith76)
{
    EXPECT_EQ(FailureOf([&] { output.Create(folder.PathUtf8() + "\\missing\\Velmora.reg", FileEncoding::SystemAnsi); }), kErrPathNotFound);
}

TEST_F(RegFileWriter, CreatesAFileBeyondMaxPath)
{
    std::wstring deep = folder.Path();
    std::string deepUtf8 = folder.PathUtf8();
    for (int level = 0; level < 6; ++level)
    {
        deep += L"\\" + std::wstring(60, L'd');
        deepUtf8 += "\\" + std::string(60, 'd');
        ASSERT_TRUE(::CreateDirectoryW((LR"(\\?\)" + deep).c_str(), nullptr));
    }
    WriteRegFile(output, deepUtf8 + "\\Velmora.reg", "[Paint]", "");
    EXPECT_EQ(ReadFileBytes(LR"(\\?\)" + deep + L"\\Velmora.reg"), "REGEDIT4\r\n\r\n[Paint]\r\n\r\n");
}

} // namespace
