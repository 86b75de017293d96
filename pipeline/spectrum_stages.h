#pragma once

#include "Palette.h"
#include "TBitmap.h"
#include "display_choice.h"
#include "matrix.h"
#include "sample_options.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

// The stages that turn a picture into the picture of its centred spectrum, shared by the
// window, whose PoliczFFT calls them one after another, and the command-line tool. They
// use no widgets and keep no state; messages go to ShowMessage.

// Loads a BMP file (its name in the file system's bytes) into `bitmap` and reduces it to
// one byte per pixel. Raises Exception naming the file when either step fails.
void load_8bit_picture(TBitmap& bitmap, const std::string& file_name);
// The same for a BMP file held in memory, `name` standing for it in messages.
void load_8bit_bytes(TBitmap& bitmap, std::span<const std::uint8_t> bytes, const std::string& name);

// The smallest power of two at or above `side` (1 for 0 and 1). Raises Exception when
// that exceeds 2^29, the largest side whose rows of 2 x side doubles a matrix counts.
int padded_side(int side);

// Peak need of one spectrum whose padded sides are padded_width x padded_height: the
// matrix of doubles and, beside it, the larger of what sampling holds (the source's
// export, `export_bytes` as GetDIBSizes counts it, and the list of the source's
// `source_rows` rows) and what painting holds (the 8-bit spectrum picture and the list
// of its rows). The transform and the centring work in place and take nothing more.
std::uint64_t spectrum_bytes(std::int64_t padded_width, std::int64_t padded_height,
                             std::int64_t source_rows, std::uint64_t export_bytes);

// Samples an 8-bit bitmap into a complex matrix whose sides are the powers of two at or
// above the picture's: each pixel byte becomes a real part, the rest is zero. "Nie udalo
// sie !" when the bitmap cannot be exported, "Blad" when sampling raises; a matrix of the
// padded size is returned either way. Goes through the bitmap's handle, which any thread
// may look up.
std::unique_ptr<matrix> bitmap_to_matrix(TBitmap& source);

// Transforms `height` rows of `width` complex elements in place. Direction +1 takes the
// sum with the positive exponent; -1 gives the inverse left unscaled, that is
// width x height times the input after a +1 transform, like FourierND itself.
void fourier_2d(double* data, int width, int height, int direction);

// The whole road after sampling, for callers that have no stages of their own: the
// sampling choice (prepare_samples), the transform (+1) and the quadrant swap. Any thread.
void centre_spectrum(matrix& samples, int width, int height, const sampling_choice& sampling);

// A new palette of 256 greys, entry i being grey level i; the caller owns it.
HPALETTE grey_palette();

// Makes `target` an 8-bit grey bitmap of the source's rows and complex columns, in the
// order HandleType, PixelFormat, Palette, Height, Width, and hands its scan lines to
// paint_spectrum with the display of mode number `mode` (display_choice.h) and `scale`; a
// mode no display has sets the target up but paints nothing.
void matrix_to_bitmap(TBitmap& target, int mode, double scale, const matrix& source);

// The spectrum's grey picture in a display: Format_Grayscale8 of the matrix's rows and
// complex columns, painted by paint_spectrum. Raises Exception when there is no memory for
// it. Any thread.
QImage spectrum_picture(const matrix& spectrum, const display_setting& display);
