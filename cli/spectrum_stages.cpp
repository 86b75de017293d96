#include "spectrum_stages.h"

#include "Exception.h"
#include "Unit1.h"
#include "spectrum_picture.h"

#include <cstdint>
#include <vector>

std::unique_ptr<matrix> sample_picture(TBitmap& picture)
{
    return TForm1::BitmapToMatrix(&picture);
}

void centre_spectrum(matrix& samples, int width, int height, const spectrum_settings& settings)
{
    prepare_samples(samples, width, height, settings.window, settings.padding);
    TForm1::Fft2D(samples.get_data(), samples.get_cols() / 2, samples.get_rows(), +1);
    TForm1::SwapQuadrants(&samples);
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
