#include "picture_job.h"

#include "npy.h"
#include "picture_input.h"
#include "spectrum_stages.h"

#include "TBitmap.h"

#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

#include <stdexcept>
#include <utility>

namespace {

[[noreturn]] void cannot_write(const QString& name, const QString& reason)
{
    throw std::runtime_error(QCoreApplication::translate("widmo-cli", "cannot write %1: %2")
                                 .arg(name, reason)
                                 .toStdString());
}

std::unique_ptr<QSaveFile> open_output(const QString& name)
{
    auto file = std::make_unique<QSaveFile>(name);
    if (!file->open(QIODevice::WriteOnly)) {
        cannot_write(name, file->errorString());
    }
    return file;
}

void check_written(bool written, const QString& name, const QIODevice& device)
{
    if (!written) {
        cannot_write(name, device.errorString());
    }
}

void commit(QSaveFile& file)
{
    check_written(file.commit(), file.fileName(), file);
}

void write_to_standard_output(const QByteArray& bytes)
{
    QFile output;
    const bool written = output.open(STDOUT_FILENO, QIODevice::WriteOnly) &&
                         output.write(bytes) == bytes.size() && output.flush();
    check_written(written, QStringLiteral("-"), output);
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
    if (outputs.picture != standard_stream) {
        picture_file = open_output(outputs.picture);
    } else {
        standard_output_picture.open(QIODevice::WriteOnly);
    }
    if (!outputs.npy.isEmpty()) {
        npy_file = open_output(outputs.npy);
    }
    width = picture.Width();
    height = picture.Height();
    spectrum = bitmap_to_matrix(picture);
}

void picture_job::compute()
{
    centre_spectrum(*spectrum, width, height, settings.sampling);
    const QImage grey = spectrum_picture(*spectrum, settings.display);
    QIODevice& device = picture_device();
    check_written(write_grey_picture(device, grey, format), outputs.picture, device);
    if (npy_file) {
        check_written(write_npy(*npy_file, *spectrum), outputs.npy, *npy_file);
    }
    spectrum.reset();
}

void picture_job::finish()
{
    // The names may have been given to other files while the spectrum was computed.
    refuse_clashing_files(input, outputs);
    if (npy_file) {
        commit(*npy_file);
    }
    if (picture_file) {
        commit(*picture_file);
    } else {
        write_to_standard_output(standard_output_picture.data());
    }
}

QIODevice& picture_job::picture_device()
{
    if (picture_file) {
        return *picture_file;
    }
    return standard_output_picture;
}
