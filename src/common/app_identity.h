#pragma once

// The #defines are shared with the resource script (version record), so they stay plain. The
// version numbers come from the build (app_version.h.in).
#include "common/app_version.h"

#define VELMORA_TITLE "Velmora"
#define VELMORA_COPYRIGHT_YEAR "2026"

#ifndef RC_INVOKED

#include <cstdint>
#include <string_view>

namespace velmora
{

struct AppIdentity
{
    std::string_view title;
    std::uint16_t major;
    std::uint16_t minor;
    std::uint16_t revision;
};

inline constexpr AppIdentity kAppIdentity{VELMORA_TITLE, VELMORA_VERSION_MAJOR, VELMORA_VERSION_MINOR,
                                          VELMORA_VERSION_REVISION};

} // namespace velmora

#endif
