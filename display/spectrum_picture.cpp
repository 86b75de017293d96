#include "spectrum_picture.h"

#include "display.h"
#include "log_display.h"
#include "phase_display.h"
#include "work_crew.h"

#include <stdexcept>

namespace {

// Calls paint(elements, width, pixels) for every row of the matrix.
template <typename PaintRow>
void paint_rows(const matrix& spectrum, std::span<std::uint8_t* const> rows, const PaintRow& paint)
{
    const int width = spectrum.get_cols() / 2;
    const auto cols = static_cast<std::uint64_t>(spectrum.get_cols());
    const double* data = spectrum.get_data();
    share_range(rows.size(), worth_sharing(spectrum.size() * sizeof(double)),
                [&](std::uint64_t begin, std::uint64_t end) {
                    for (std::uint64_t y = begin; y < end; ++y) {
                        paint(data + y * cols, width, rows[y]);
                    }
                });
}

} // namespace

void paint_spectrum(const matrix& spectrum, const display_setting& display,
                    std::span<std::uint8_t* const> rows)
{
    if (rows.size() > static_cast<std::size_t>(spectrum.get_rows())) {
        throw std::invalid_argument("a spectrum picture has no more rows than its matrix");
    }
    const double scale = display.scale;
    switch (display.shown) {
    case spectrum_display::re:
    case spectrum_display::im:
    case spectrum_display::amplitude:
    case spectrum_display::power: {
        const int mode = entry_of(display.shown).number;
        return paint_rows(spectrum, rows,
                          [&](const double* elements, int width, std::uint8_t* pixels) {
                              paint_row(mode, scale, elements, width, pixels);
                          });
    }
    case spectrum_display::log: {
        const log_level_table table(find_log_range(spectrum));
        return paint_rows(spectrum, rows,
                          [&](const double* elements, int width, std::uint8_t* pixels) {
                              paint_log_row(table, elements, width, pixels);
                          });
    }
    case spectrum_display::phase:
        return paint_rows(spectrum, rows, paint_phase_row);
    }
    throw std::invalid_argument("not a spectrum display");
}
