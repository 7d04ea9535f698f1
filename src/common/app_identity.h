#pragma once

// The #defines are shared with the resource script (version record), so they stay plain.
#define VELMORA_TITLE "Velmora"
#define VELMORA_VERSION_MAJOR 1
#define VELMORA_VERSION_MINOR 0
#define VELMORA_VERSION_REVISION 1
#define VELMORA_VERSION_TEXT "1.00.0001"
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
