#pragma once

#include "options.h"

#include "TBitmap.h"
#include "matrix.h"

#include <QImage>

#include <memory>

// The stages widmo-cli takes from the window's spectrum pipeline, and what it adds.

// The 8-bit picture sampled into a complex matrix of the padded size, as PoliczFFT samples
// it; may show "Nie udalo sie !" or "Blad". Uses the bitmap and its handle, so it runs on
// the thread the bitmaps live on.
std::unique_ptr<matrix> sample_picture(TBitmap& picture);

// The settings' window and padding applied to the samples of a width x height picture,
// then the transform, and the zero frequency moved to the middle. Any thread.
void centre_spectrum(matrix& samples, int width, int height, const spectrum_settings& settings);

// The spectrum's grey picture in the settings' display: Format_Grayscale8, the padded sides.
// Any thread.
QImage spectrum_picture(const matrix& spectrum, const spectrum_settings& settings);
