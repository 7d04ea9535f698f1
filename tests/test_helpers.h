#pragma once

#include "shell/desktop.h"
#include "common/runtime_failure.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora::testing_support
{

// Names each row of a table-driven test after the row's `name` field.
struct RowName
{
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& row) const
    {
        return row.param.name;
    }
};

inline std::string StyleName(MessageStyle style)
{
    return style == MessageStyle::Error ? "error" : style == MessageStyle::Warning ? "warning" : "plain";
}

/// The text's UTF-16LE bytes, as the registry stores text.
inline std::string Utf16(const std::u16string& text)
{
    std::string bytes;
    for (const char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

/// The number of the run-time failure the call ends with; 0 when it returns normally.
template <class Call>
std::int32_t FailureNumberOf(Call&& call)
{
    try
    {
        call();
    }
    catch (const RuntimeFailure& failure)
    {
        return failure.Number();
    }
    return 0;
}

} // namespace velmora::testing_support
