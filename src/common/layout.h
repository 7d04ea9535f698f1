#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora
{

struct Rgb
{
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class ControlKind
{
    Label,
    TextBox,
    Button,
};

/// One control of a window definition; positions and sizes in twips from the client area's corner.
struct ControlDef
{
    ControlKind kind;
    std::string_view name;
    int index; // member of an indexed group, or -1
    std::string_view text;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    int id;
    std::optional<Rgb> textColour = std::nullopt; // labels: their text colour
    std::optional<Rgb> faceColour = std::nullopt; // buttons: their face colour
};

/// Twips (1440 an inch) to pixels at the given dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi)
{
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

} // namespace velmora
