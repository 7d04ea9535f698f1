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
    Picture, // the program's icon at its own size
};

enum class FontRole
{
    Normal,
    Title,
};

/// What a control shows and stands for beyond its place: colours, font, default button, caption.
struct ControlTraits
{
    std::optional<Rgb> textColour = std::nullopt; // labels: their text colour; else the system's
    std::optional<Rgb> faceColour = std::nullopt; // buttons: their face colour
    FontRole font = FontRole::Normal;
    bool isDefault = false; // the button that Enter presses while no other button has the focus
    int captionFor = 0;     // labels: the id of the field this label names, which screen readers read out
};

/// One control of a window definition; positions and sizes in twips from the client area's corner.
struct ControlDef
{
    ControlKind kind;
    std::string_view text;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    int id;
    ControlTraits traits = {};
};

/// Twips (1440 an inch) to pixels at the given dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi)
{
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

} // namespace velmora
