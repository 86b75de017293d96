#pragma once

#include <QtGlobal>

#include <array>
#include <optional>
#include <string_view>

// What the grey picture of a spectrum shows of each element X = re + i im. Every display
// is named once, in display_table below: the command line's --mode, its help and its
// refusals, and the window's menus all come from it. To add one, add its value here, its
// row to the table and its case to paint_spectrum (spectrum_picture.cpp).
enum class spectrum_display
{
    re,
    im,
    amplitude,
    power,
    log,
    phase
};

struct display_entry
{
    spectrum_display shown;
    const char* name;        // as --mode and the menus spell it
    int number;              // the window's display mode (display.h), or -1 for none
    bool scaled;             // whether it takes the scale s
    const char* description; // English, translated under the context "display"
};

// In the order of the displays' values.
inline constexpr std::array<display_entry, 6> display_table = {{
    {spectrum_display::re, "re", 0, true,
     QT_TRANSLATE_NOOP("display", "the low 8 bits of floor(|re| s) (it wraps)")},
    {spectrum_display::im, "im", 1, true,
     QT_TRANSLATE_NOOP("display", "the low 8 bits of floor(|im| s) (it wraps)")},
    {spectrum_display::amplitude, "amplitude", 2, true,
     QT_TRANSLATE_NOOP("display", "floor(|X| s), at most 255")},
    {spectrum_display::power, "power", 3, true,
     QT_TRANSLATE_NOOP("display", "floor(|X|^2 s), at most 255")},
    {spectrum_display::log, "log", -1, false,
     QT_TRANSLATE_NOOP("display",
                       "floor(255 (L - Lmin) / (Lmax - Lmin)), where L = ln(1 + |X|) and Lmin, "
                       "Lmax are the smallest and largest L of the whole spectrum; 0 everywhere "
                       "when Lmax = Lmin; no scale")},
    {spectrum_display::phase, "phase", -1, false,
     QT_TRANSLATE_NOOP("display", "floor(256 (atan2(im, re) + pi) / (2 pi)), 256 taken as 255; "
                                  "no scale")},
}};

// A display with the scale it is painted with (unused by those that take none).
struct display_setting
{
    spectrum_display shown = spectrum_display::amplitude;
    double scale = 0.001;
};

// The display's row of the table; throws std::invalid_argument for a value no row has.
const display_entry& entry_of(spectrum_display shown);

std::string_view display_name(spectrum_display shown);

// The display of one of the table's names, spelt exactly so; nothing for any other text.
std::optional<spectrum_display> display_named(std::string_view name);

// The display of a window display mode; nothing for a number no display has.
std::optional<spectrum_display> display_numbered(int mode);
