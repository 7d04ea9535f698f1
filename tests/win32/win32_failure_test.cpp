// The one mapping from Win32 errors to run-time failure numbers.
#include "win32/win32_failure.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace
{

TEST(FailureFromWin32, MapsByErrorAndSourceAndReportsTheRestAsTheirHresult)
{
    using win32::FailureSource;
    EXPECT_EQ(win32::FailureFromWin32(ERROR_ACCESS_DENIED, FailureSource::File).Number(), kErrPathFileAccess);
    EXPECT_EQ(win32::FailureFromWin32(ERROR_ACCESS_DENIED, FailureSource::Registry).Number(), kErrPermissionDenied);
    EXPECT_EQ(win32::FailureFromWin32(ERROR_HANDLE_DISK_FULL, FailureSource::File).Number(), kErrDiskFull);

    // Never passed over as a number the standard trap skips: the HRESULT, with the system's words.
    const RuntimeFailure unmapped = win32::FailureFromWin32(ERROR_CRC, FailureSource::File);
    EXPECT_EQ(unmapped.Number(), static_cast<std::int32_t>(HRESULT_FROM_WIN32(ERROR_CRC)));
    EXPECT_FALSE(unmapped.Description().empty());
    EXPECT_NE(unmapped.Description().back(), '.') << "the system's full stop and line end are cut";
}

} // namespace
