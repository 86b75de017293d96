#include "display_choice.h"

#include <algorithm>
#include <stdexcept>

namespace {

template <typename Match> const display_entry* find_entry(const Match& match)
{
    const auto found = std::find_if(display_table.begin(), display_table.end(), match);
    return found == display_table.end() ? nullptr : &*found;
}

} // namespace

const display_entry& entry_of(spectrum_display shown)
{
    const display_entry* entry =
        find_entry([&](const display_entry& e) { return e.shown == shown; });
    if (entry == nullptr) {
        throw std::invalid_argument("not a spectrum display");
    }
    return *entry;
}

std::string_view display_name(spectrum_display shown)
{
    return entry_of(shown).name;
}

std::optional<spectrum_display> display_named(std::string_view name)
{
    if (const display_entry* entry =
            find_entry([&](const display_entry& e) { return e.name == name; })) {
        return entry->shown;
    }
    return std::nullopt;
}

std::optional<spectrum_display> display_numbered(int mode)
{
    const display_entry* entry =
        find_entry([&](const display_entry& e) { return e.number >= 0 && e.number == mode; });
    if (entry != nullptr) {
        return entry->shown;
    }
    return std::nullopt;
}
