#pragma once

#include <array>
#include <optional>
#include <string_view>

// What the grey picture of a spectrum shows of each element re + i im. The first four are
// the display modes of display.h, with their numbers, painted with a scale; log and phase
// are painted from the whole matrix (spectrum_picture.h), take no scale and have no number.
enum class spectrum_display
{
    re = 0,
    im = 1,
    amplitude = 2,
    power = 3,
    log,
    phase
};

inline constexpr std::array<spectrum_display, 6> every_display = {
    spectrum_display::re,    spectrum_display::im,  spectrum_display::amplitude,
    spectrum_display::power, spectrum_display::log, spectrum_display::phase};

// "re", "im", "amplitude", "power", "log" or "phase".
std::string_view display_name(spectrum_display shown);

// The display of one of the names above, spelt exactly so; nothing for any other text.
std::optional<spectrum_display> display_named(std::string_view name);

// The display of the mode numbers 0 to 3; nothing for any other number.
std::optional<spectrum_display> display_numbered(int mode);
