#pragma once

#include "Palette.h"
#include "TBitmap.h"
#include "matrix.h"

#include <memory>
#include <string>

// The stages that turn a picture into the picture of its centred spectrum, shared by the
// window and the command-line tool. They use no widgets; messages go to ShowMessage.

// Loads a BMP file into `bitmap` and reduces it to one byte per pixel. Raises Exception
// naming the file when either step fails.
void load_8bit_picture(TBitmap& bitmap, const std::string& fileName);

// The smallest power of two at or above `side` (1 for 0 and 1). Raises Exception when
// that exceeds what a matrix side can hold.
int padded_side(int side);

// Samples an 8-bit bitmap into a complex matrix whose sides are the powers of two at or
// above the picture's: each pixel byte becomes a real part, the rest is zero. "Nie udalo
// sie !" when the bitmap cannot be exported, "Blad" when sampling raises; a matrix of the
// padded size is returned either way.
std::unique_ptr<matrix> bitmap_to_matrix(TBitmap& source);

// Transforms `height` rows of `width` complex elements in place. Direction +1 takes the
// sum with the positive exponent; -1 gives the inverse left unscaled, that is
// width x height times the input after a +1 transform, like FourierND itself.
void fourier_2d(double* data, int width, int height, int direction);

// A new palette of 256 greys, entry i being grey level i; the caller owns it.
HPALETTE grey_palette();

// Makes `target` an 8-bit grey bitmap of the source's rows and complex columns and paints
// it in display mode `mode` with `scale` (see display.h); a mode outside 0..3 sets the
// target up but paints nothing.
void matrix_to_bitmap(TBitmap& target, int mode, double scale, const matrix& source);

// One spectrum computation: releases the old `Spectrum`, samples `source` into a new one,
// transforms and centres it, and paints it into `target`, showing "Nie pracuje" when the
// painting raises. A null source does nothing; the caller tells the user.
void spectrum_pipeline(TBitmap* source, TBitmap* target, int mode, double scale);

// The newest spectrum; replacing it releases the old.
extern std::unique_ptr<matrix> Spectrum;
