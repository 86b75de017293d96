#pragma once

#include "display_choice.h"
#include "matrix.h"

#include <cstdint>
#include <span>

// Paints the grey picture of a spectrum (centred or not, the display does not care):
// rows[y][x] becomes the grey level of element (y, x) for every row of the matrix and its
// cols / 2 complex columns, so each row pointer needs room for cols / 2 bytes.
// - re, im, amplitude, power: as paint_row paints their mode numbers, with `scale`;
// - log: Lmin and Lmax of the whole matrix first, then every row (log_display.h);
// - phase: every element on its own (phase_display.h).
// Log and phase take no scale. Rows are shared among the worker threads for a large
// matrix; the picture does not depend on their count. Throws std::invalid_argument unless
// there is one row pointer for each row of the matrix, or for a value that names no
// display.
void paint_spectrum(const matrix& spectrum, spectrum_display shown, double scale,
                    std::span<std::uint8_t* const> rows);
