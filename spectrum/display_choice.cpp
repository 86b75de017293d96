#include "display_choice.h"

#include "display.h"

#include <stdexcept>

std::string_view display_name(spectrum_display shown)
{
    switch (shown) {
    case spectrum_display::re:
        return "re";
    case spectrum_display::im:
        return "im";
    case spectrum_display::amplitude:
        return "amplitude";
    case spectrum_display::power:
        return "power";
    case spectrum_display::log:
        return "log";
    case spectrum_display::phase:
        return "phase";
    }
    throw std::invalid_argument("not a spectrum display");
}

std::optional<spectrum_display> display_named(std::string_view name)
{
    for (const spectrum_display shown : every_display) {
        if (display_name(shown) == name) {
            return shown;
        }
    }
    return std::nullopt;
}

std::optional<spectrum_display> display_numbered(int mode)
{
    if (!is_display_mode(mode)) {
        return std::nullopt;
    }
    return static_cast<spectrum_display>(mode);
}
