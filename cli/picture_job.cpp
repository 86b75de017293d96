#include "picture_job.h"

#include "npy.h"
#include "output_file.h"
#include "picture_input.h"
#include "spectrum_stages.h"

#include "TBitmap.h"

#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

#include <stdexcept>
#include <utility>

namespace {

void write_to_standard_output(const QByteArray& bytes)
{
    QFile output;
    if (!output.open(STDOUT_FILENO, QIODevice::WriteOnly) || output.write(bytes) != bytes.size() ||
        !output.flush()) {
        cannot_write(standard_stream, output.errorString());
    }
}

} // namespace

picture_job::picture_job(const QString& input_, QByteArray standard_input_, output_files outputs_,
                         picture_format format_, const spectrum_settings& settings_)
    : input(input_), standard_input(std::move(standard_input_)), outputs(std::move(outputs_)),
      format(format_), settings(settings_)
{
}

void picture_job::prepare()
{
    refuse_clashing_files(input, outputs);
    TBitmap picture;
    if (input.isEmpty()) {
        load_picture_bytes(picture, standard_input, standard_stream);
        standard_input.clear();
    } else {
        load_picture(picture, input);
    }
    if (outputs.picture == standard_stream) {
        standard_output_picture.open(QIODevice::WriteOnly);
    } else if (!outputs.picture.isEmpty()) {
        picture_file = std::make_unique<output_file>(QStringLiteral("OUTPUT"), outputs.picture);
    }
    if (!outputs.npy.isEmpty()) {
        npy_file = std::make_unique<output_file>(QStringLiteral("--npy"), outputs.npy);
    }
    width = picture.Width();
    height = picture.Height();
    spectrum = bitmap_to_matrix(picture);
}

void picture_job::compute()
{
    centre_spectrum(*spectrum, width, height, settings.sampling);
    if (!outputs.picture.isEmpty()) {
        const QImage grey = spectrum_picture(*spectrum, settings.display);
        if (picture_file) {
            picture_file->check_written(write_grey_picture(picture_file->device(), grey, format));
        } else if (!write_grey_picture(standard_output_picture, grey, format)) {
            cannot_write(standard_stream, standard_output_picture.errorString());
        }
    }
    if (npy_file) {
        npy_file->check_written(write_npy(npy_file->device(), *spectrum));
    }
    spectrum.reset();
}

void picture_job::finish()
{
    // The names may have been given to other files while the spectrum was computed.
    refuse_clashing_files(input, outputs);
    // Standard output cannot be taken back: it goes first, and the files are put in
    // place only once it has gone and both are written out.
    if (outputs.picture == standard_stream) {
        write_to_standard_output(standard_output_picture.data());
    }
    for (output_file* file : {picture_file.get(), npy_file.get()}) {
        if (file) {
            file->write_out();
        }
    }
    for (output_file* file : {picture_file.get(), npy_file.get()}) {
        if (file) {
            file->put_in_place();
        }
    }
}
