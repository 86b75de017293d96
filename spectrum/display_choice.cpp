#include "display_choice.h"

#include "display.h"

#include <cstddef>
#include <stdexcept>

namespace {

// In the order of the displays' values.
constexpr std::array<std::string_view, 6> display_names = {"re",    "im",  "amplitude",
                                                           "power", "log", "phase"};

} // namespace

std::string_view display_name(spectrum_display shown)
{
    const auto index = static_cast<std::size_t>(shown);
    if (index >= display_names.size()) {
        throw std::invalid_argument("not a spectrum display");
    }
    return display_names[index];
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
