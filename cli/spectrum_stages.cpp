#include "spectrum_stages.h"

#include "Exception.h"
#include "quadrants.h"
#include "spectrum_picture.h"
#include "spectrum_pipeline.h"

#include <cstdint>
#include <vector>

std::unique_ptr<matrix> sample_picture(TBitmap& picture)
{
    return bitmap_to_matrix(picture);
}

void centre_spectrum(matrix& samples, int width, int height, const spectrum_settings& settings)
{
    prepare_samples(samples, width, height, settings.window, settings.padding);
    fourier_2d(samples.get_data(), samples.get_cols() / 2, samples.get_rows(), +1);
    swap_quadrants(samples);
}

QImage spectrum_picture(const matrix& spectrum, const spectrum_settings& settings)
{
    QImage grey(spectrum.get_cols() / 2, spectrum.get_rows(), QImage::Format_Grayscale8);
    if (grey.isNull()) {
        throw Exception("Not enough memory for the spectrum picture");
    }
    std::vector<std::uint8_t*> rows;
    rows.reserve(static_cast<std::size_t>(grey.height()));
    for (int y = 0; y < grey.height(); ++y) {
        rows.push_back(grey.scanLine(y));
    }
    paint_spectrum(spectrum, settings.display, settings.scale, rows);
    return grey;
}
