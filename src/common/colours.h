#pragma once

#include "common/layout.h"

#include <optional>

namespace velmora
{

/// What a colour is for: under a high-contrast theme each role takes a system colour of its own.
enum class ColourRole
{
    WindowBackground, // the window's, and so its labels'
    LabelText,
    ButtonFace,
    ButtonText,
    Line,
};

/// The system's colours for the roles, and whether a high-contrast theme is on.
struct ColourScheme
{
    bool highContrast;
    Rgb window;
    Rgb windowText;
    Rgb buttonFace;
    Rgb buttonText;
};

/// The colour to draw with: the design colour, or the system's for the role when a high-contrast
/// theme is on or the design leaves the role to the system.
constexpr Rgb ColourFor(ColourRole role, std::optional<Rgb> design, const ColourScheme& scheme)
{
    if (design && !scheme.highContrast)
        return *design;
    switch (role)
    {
    case ColourRole::WindowBackground:
        return scheme.window;
    case ColourRole::ButtonFace:
        return scheme.buttonFace;
    case ColourRole::ButtonText:
        return scheme.buttonText;
    case ColourRole::LabelText:
    case ColourRole::Line:
        break;
    }
    return scheme.windowText;
}

} // namespace velmora
