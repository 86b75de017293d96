#pragma once

#include "display_choice.h"
#include "matrix.h"

#include <cstdint>
#include <span>

// Paints the grey picture of a spectrum (centred or not, the display does not care):
// rows[y][x] becomes the grey level of element (y, x) for each row given and the matrix's
// cols / 2 complex columns, so each row pointer needs room for cols / 2 bytes. This is the
// one painter of every spectrum picture, the window's and widmo-cli's alike.
// - re, im, amplitude, power: as paint_row paints their mode numbers, with the scale;
// - log: Lmin and Lmax of the whole matrix first, then every row (log_display.h);
// - phase: every element on its own (phase_display.h).
// Log and phase take no scale. Rows are shared among the worker threads for a large
// matrix; the picture does not depend on their count. Fewer rows than the matrix has paint
// its first rows only (Lmin and Lmax still come from the whole matrix). Throws
// std::invalid_argument for more rows than the matrix has, or for a value that names no
// display.
void paint_spectrum(const matrix& spectrum, const display_setting& display,
                    std::span<std::uint8_t* const> rows);
